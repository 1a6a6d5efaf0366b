#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

extern constexpr Compositor CompoeDominioNotasFiscais{.nome = "CompoeDominioNotasFiscais",
                                                      .layouts = {}};

}  // namespace lumbrava::catalogo
