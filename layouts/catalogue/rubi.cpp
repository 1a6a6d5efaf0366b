// Rubi: payroll events.
#include "layouts/catalogue/campo_def.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava {

namespace {

// One row per field, as the layout sheet lists them.
// clang-format off
constexpr CampoDef kFolha[] = {
    {1, "registro", 2, 0, "N"},
    {3, "empresa", 4, 0, "N"},
    {7, "tipoFunc", 1, 0, "N"},
    {8, "func", 9, 0, "N"},
    {17, "calculo", 4, 0, "N"},
    {21, "tabela", 3, 0, "N"},
    {24, "evento", 4, 0, "N"},
    {28, "rateio", 9, 0, "N"},
    {37, "seqEvento", 2, 0, "N"},
    {39, "refEvento", 11, 2, "N"},
    {50, "varEvento", 11, 2, "N"},
    {61, "origem", 1, 0, "S"},
};
// clang-format on

}  // namespace

void clLayoutReg::CompoeRubi(const std::string& registro) {
  const std::string nome = registro;
  if (nome == "folha") {
    AcrescentaCampos(kFolha);
    separaCasasDecimais = false;
  }
}

}  // namespace lumbrava
