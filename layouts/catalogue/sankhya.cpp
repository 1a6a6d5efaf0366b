// Sankhya: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry. The numbers are typed N' on the system's sheet and are
// kept so.
constexpr Passo kLancamentos[] = {
    {1, "numLote", 11, 0, "N'"},
    {12, "numLanc", 11, 0, "N'"},
    {23, "conta", 14, 0, "S"},
    {37, "contaContra", 14, 0, "S"},
    {51, "referencia", 6, 0, "N'"},
    {57, "dtMov", 6, 0, "N'"},
    {63, "centroCustos", 11, 0, "N'"},
    {74, "valorLanc", 20, 0, "N'"},
    {94, "codHist", 6, 0, "N'"},
    {100, "complemento", 140, 0, "S"},
    {240, "tipoLanc", 1, 0, "S"},
    {241, "filler", 1, 0, "S"},
    {242, "vencimento", 10, 0, "S"},
    {252, "numDoc", 9, 0, "N'"},
    {261, "codProj", 10, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos-sankhya", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeSankhya{.nome = "CompoeSankhya", .layouts = kLayouts};

extern constexpr Sistema sistemaSankhya{"Sankhya", "lancamentos-sankhya", &CompoeSankhya};

}  // namespace lumbrava::catalogo
