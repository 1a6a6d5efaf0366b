// MMBuilders: accounting entries with establishment and cost centre on each side.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "data", 10, 0, "S"},
    {11, "ctDeb", 6, 0, "N"},
    {17, "estabDeb", 2, 0, "N"},
    {19, "ccDeb", 6, 0, "N"},
    {25, "ctCred", 6, 0, "N"},
    {31, "estabCred", 2, 0, "N"},
    {33, "ccCred", 6, 0, "N"},
    {39, "valor", 13, 2, "N"},
    {52, "hp", 5, 0, "N"},
    {57, "complemento", 120, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos-mmbuilders", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeMMBuilders{.nome = "CompoeMMBuilders", .layouts = kLayouts};

extern constexpr Sistema sistemaMMBuilders{"MMBuilders", "lancamentos-mmbuilders",
                                           &CompoeMMBuilders};

}  // namespace lumbrava::catalogo
