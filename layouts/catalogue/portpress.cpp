// PortPress: accounting entries.
#include "layouts/catalogue/campo_def.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava {

namespace {

// clang-format off
constexpr CampoDef kLancamentos[] = {
    {1, "modulo", 3, 0, "S"},
    {4, "empresa", 1, 0, "S"},
    {5, "numLote", 5, 0, "S"},
    {10, "descLote", 12, 0, "S"},
    {22, "data", 10, 0, "S"},
    {32, "lanApuracao", 3, 0, "S"},
    {35, "planContas", 6, 0, "S"},
    {41, "natureza", 2, 0, "S"},
    {43, "estab", 3, 0, "S"},
    {46, "unDeNegocio", 3, 0, "S"},
    {49, "planCC", 6, 0, "S"},
    {55, "CC", 5, 0, "S"},
    {60, "conta", 8, 0, "S"},
    {68, "moeda", 4, 0, "S"},
    {72, "valor", 12, 2, "S"},
    {84, "hist", 75, 0, "S"},
};

// clang-format on

}  // namespace

void clLayoutReg::CompoePortPress(const std::string& registro) {
  const std::string nome = registro;
  if (nome == "lancamentos") {
    AcrescentaCampos(kLancamentos);
    AplicaConfiguracaoParticular("valor", true, false, false, ",", false, false);
  }
}

}  // namespace lumbrava
