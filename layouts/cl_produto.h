// A target system of the catalogue and the layouts it has handed out.
//
// Threads: LocalizaCriaRegistro and AplicaConfiguracoesNosLayouts change the system or its
// layouts (composing one layout may also change the system's others), so a clProduto is used by
// one thread at a time, or under the caller's lock. identificador() and layouts() only read. A
// layout handed out lives as long as its system; what may be shared of it is said in
// layouts/cl_layout_reg.h (a thread that reads or writes records takes its own copy).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/cl_layout_reg.h"

namespace lumbrava {

class clProduto {
 public:
  explicit clProduto(std::string identificador) : identificador_(std::move(identificador)) {}
  clProduto(const clProduto&) = delete;
  clProduto& operator=(const clProduto&) = delete;

  const std::string& identificador() const { return identificador_; }

  // The layout named `registro` (exact comparison). On first use it is created, composed with
  // CompoeLayout and only then kept; an error raised while composing passes to the caller and
  // nothing is kept.
  clLayoutReg& LocalizaCriaRegistro(const std::string& registro);

  // Writes five layout-wide settings on every layout held now, in the order they were created.
  void AplicaConfiguracoesNosLayouts(bool separaCasasDecimais, bool espacoNosNumerosVazios,
                                     bool espacoAdireitaNumeros,
                                     std::string_view separadorCasasDecimais,
                                     bool separadorNoFinalDeCadaCampo);

  const std::vector<std::unique_ptr<clLayoutReg>>& layouts() const { return layouts_; }

 private:
  std::string identificador_;
  std::vector<std::unique_ptr<clLayoutReg>> layouts_;
};

}  // namespace lumbrava
