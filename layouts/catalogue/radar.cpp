// Radar: accounting entries, with and without the branch code, and payroll events.
#include "layouts/catalogue/campo_def.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava {

namespace {

// One row per field, as the layout sheet lists them.
// clang-format off
constexpr CampoDef kLancamentos[] = {
    {1, "dataLancamento", 8, 0, "S"},
    {9, "codigoDebReduz", 50, 0, "S"},
    {59, "codigoCredReduz", 50, 0, "S"},
    {109, "codHistoricoPadrao", 50, 0, "S"},
    {159, "valorLancamento", 15, 2, "N"},
    {174, "complementoHP", 1000, 0, "S"},
};

constexpr CampoDef kLancamentosSeparador[] = {
    {1, "codFilial", 3, 0, "S"},
    {4, "dataLancamento", 8, 0, "S"},
    {12, "codigoDebReduz", 50, 0, "S"},
    {62, "codigoCredReduz", 50, 0, "S"},
    {112, "valorLancamento", 15, 2, "N"},
    {127, "filler", 10, 0, "S"},
    {137, "complementoHP", 1000, 0, "S"},
};

constexpr CampoDef kFolha[] = {
    {1, "codFunc", 10, 0, "S"},
    {11, "codEvento", 10, 0, "S"},
    {21, "valor", 15, 2, "N"},
};
// clang-format on

}  // namespace

void clLayoutReg::CompoeRadar(const std::string& registro) {
  const std::string nome = registro;
  if (nome == "lancamentos") {
    AcrescentaCampos(kLancamentos);
    AplicaConfiguracaoParticular("valorLancamento", true, true, false, ".", true, false);
  } else if (nome == "lancamentosSeparador") {
    AcrescentaCampos(kLancamentosSeparador);
    AplicaConfiguracaoParticular("valorLancamento", true, true, false, ".", true, false);
  } else if (nome == "folha") {
    AcrescentaCampos(kFolha);
  } else if (nome == "fiscal") {
    // The fiscal file is listed, but it has no fields.
  }
}

}  // namespace lumbrava
