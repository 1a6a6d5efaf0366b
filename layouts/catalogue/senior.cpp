// Senior: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; the value with a comma and a closing ";".
constexpr Passo kLancamentos[] = {
    {1, "codigoEmpresa", 5, 0, "S"},
    {6, "codigoFilial", 5, 0, "S"},
    {11, "dataLancamento", 10, 0, "S"},
    {21, "contaDebito", 7, 0, "S"},
    {28, "ccDebito", 7, 0, "S"},
    {35, "cAuxDebito", 9, 0, "S"},
    {44, "contaCredito", 7, 0, "S"},
    {51, "ccCredito", 7, 0, "S"},
    {58, "cAuxCredito", 9, 0, "S"},
    {67, "valor", 12, 2, "S"},
    {79, "historico", 250, 0, "S"},
    Particular("valor", true, false, false, ",", true, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeSenior{.nome = "CompoeSenior", .layouts = kLayouts};

extern constexpr Sistema sistemaSenior{"Senior", "lancamentos", &CompoeSenior};

}  // namespace lumbrava::catalogo
