// Agrosys: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLcto[] = {
    {1, "unidade", 3, 0, "N"},
    {4, "data", 8, 0, "N"},
    {12, "conta", 7, 0, "N"},
    {19, "cc", 5, 0, "N"},
    {24, "codhp", 5, 0, "N"},
    {29, "valor", 14, 2, "N"},
    {43, "compl", 40, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lcto", kLcto},
};

}  // namespace

constexpr Compositor CompoeAgrosys{.nome = "CompoeAgrosys", .layouts = kLayouts};

extern constexpr Sistema sistemaAgrosys{"Agrosys", "lcto", &CompoeAgrosys};

}  // namespace lumbrava::catalogo
