// The catalogue's list of target systems, built from sistemas.inc.
#include "layouts/catalogo.h"

#include "layouts/catalogue/composicao.h"

namespace lumbrava {

namespace catalogo {
#define SISTEMA(s) extern const Sistema s;
#include "layouts/catalogue/sistemas.inc"
#undef SISTEMA
}  // namespace catalogo

std::span<const SistemaCatalogo> SistemasDoCatalogo() {
  static const SistemaCatalogo kSistemas[] = {
#define SISTEMA(s)                                                   \
  SistemaCatalogo{catalogo::s.identificador, catalogo::s.layouts,    \
                  [](clLayoutReg& l, const std::string& r) {         \
                    catalogo::Compoe(*catalogo::s.compositor, l, r); \
                  }},
#include "layouts/catalogue/sistemas.inc"
#undef SISTEMA
  };
  return kSistemas;
}

}  // namespace lumbrava
