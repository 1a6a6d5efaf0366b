// Contabit: accounting entries; empty numbers are blanks.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; the value with a comma.
constexpr Passo kLancamentos[] = {
    {1, "transacao", 5, 0, "N"},
    {6, "data", 10, 0, "S"},
    {16, "contaDebito", 20, 0, "N"},
    {36, "contaCredito", 20, 0, "N"},
    {56, "codhp", 50, 0, "S"},
    {106, "valor", 14, 2, "N"},
    {120, "doc", 20, 0, "S"},
    {140, "complemento", 50, 0, "S"},
    Particular("valor", true, true, false, ",", false, false),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeContabit{.nome = "CompoeContabit", .layouts = kLayouts};

extern constexpr Sistema sistemaContabit{"Contabit", "lancamentos", &CompoeContabit};

}  // namespace lumbrava::catalogo
