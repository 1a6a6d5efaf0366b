// SIBRAX: accounting entries; the value is right-aligned text and the cents travel apart.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "documento", 6, 0, "S"},
    {7, "debito", 5, 0, "N"},
    {12, "credito", 5, 0, "N"},
    {17, "valor", 20, 0, "S", kAlinhaDireita},
    {37, "centavos", 2, 0, "N"},
    {39, "data", 8, 0, "S"},
    {47, "filler", 6, 0, "S"},
    {53, "historico", 35, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeSIBRAX{.nome = "CompoeSIBRAX", .layouts = kLayouts};

extern constexpr Sistema sistemaSIBRAX{"SIBRAX", "lancamentos", &CompoeSIBRAX};

}  // namespace lumbrava::catalogo
