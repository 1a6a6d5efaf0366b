// Questor.
#include "layouts/catalogue/campo_def.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava {

void clLayoutReg::CompoeQuestor(const std::string& registro) {
  const std::string nome = registro;
  (void)nome;
}

}  // namespace lumbrava
