// Agrotis: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; the value with a comma.
constexpr Passo kLcto[] = {
    {1, "ctDebito", 11, 0, "S"},
    {12, "ctCredito", 11, 0, "S"},
    {23, "valor", 14, 2, "N"},
    {37, "centroCusto", 14, 0, "S"},
    {51, "documento", 12, 0, "S"},
    {63, "historico", 250, 0, "S"},
    {313, "data", 8, 0, "S"},
    {321, "filial", 5, 0, "N"},
    {326, "codHP", 5, 0, "N"},
    {331, "chaveLcto", 10, 0, "S"},
    {341, "codTransacao", 8, 0, "N"},
    {349, "codFilialTrans", 3, 0, "N"},
    {352, "codLanca", 8, 0, "N"},
    {360, "codSubLanca", 8, 0, "N"},
    {368, "codInsCcpf", 4, 0, "N"},
    {372, "codSubContaDeb", 9, 0, "N"},
    {381, "codSubContaCred", 9, 0, "N"},
    {390, "branco", 12, 0, "S"},
    Particular("valor", true, false, false, ",", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lcto", kLcto},
};

}  // namespace

constexpr Compositor CompoeAgrotis{.nome = "CompoeAgrotis", .layouts = kLayouts};

extern constexpr Sistema sistemaAgrotis{"Agrotis", "lcto", &CompoeAgrotis};

}  // namespace lumbrava::catalogo
