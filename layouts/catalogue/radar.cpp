// Radar: accounting entries, with and without the branch code, and payroll events.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the layout sheet lists them.
// clang-format off
constexpr Passo kLancamentos[] = {
    {1, "dataLancamento", 8, 0, "S"},
    {9, "codigoDebReduz", 50, 0, "S"},
    {59, "codigoCredReduz", 50, 0, "S"},
    {109, "codHistoricoPadrao", 50, 0, "S"},
    {159, "valorLancamento", 15, 2, "N"},
    {174, "complementoHP", 1000, 0, "S"},
    Particular("valorLancamento", true, true, false, ".", true, false),
};

constexpr Passo kLancamentosSeparador[] = {
    {1, "codFilial", 3, 0, "S"},
    {4, "dataLancamento", 8, 0, "S"},
    {12, "codigoDebReduz", 50, 0, "S"},
    {62, "codigoCredReduz", 50, 0, "S"},
    {112, "valorLancamento", 15, 2, "N"},
    {127, "filler", 10, 0, "S"},
    {137, "complementoHP", 1000, 0, "S"},
    Particular("valorLancamento", true, true, false, ".", true, false),
};

constexpr Passo kFolha[] = {
    {1, "codFunc", 10, 0, "S"},
    {11, "codEvento", 10, 0, "S"},
    {21, "valor", 15, 2, "N"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"lancamentosSeparador", kLancamentosSeparador},
    {"folha", kFolha},
    {"fiscal", {}},
};

}  // namespace

constexpr Compositor CompoeRadar{.nome = "CompoeRadar", .layouts = kLayouts};

extern constexpr Sistema sistemaRadar{"Radar", "lancamentos,folha,fiscal,lancamentosSeparador,",
                                      &CompoeRadar};

}  // namespace lumbrava::catalogo
