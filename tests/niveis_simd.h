// The vector instruction levels in tests: one put in force for a scope, and a check that what a
// conversion gives is the same at every level this machine has.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/simd.h"

namespace lumbrava::teste {

// Puts a level in force until the end of the scope.
class NivelSimdTemporario {
 public:
  explicit NivelSimdTemporario(NivelSimd nivel) : anterior_(NivelSimdEmUso()) {
    DefineNivelSimd(nivel);
  }
  ~NivelSimdTemporario() { DefineNivelSimd(anterior_); }
  NivelSimdTemporario(const NivelSimdTemporario&) = delete;
  NivelSimdTemporario& operator=(const NivelSimdTemporario&) = delete;

 private:
  NivelSimd anterior_;
};

// The levels this machine has, "scalar" first.
inline std::vector<NivelSimd> NiveisDaMaquina() {
  std::vector<NivelSimd> niveis;
  for (int n = 0; n <= static_cast<int>(NivelSimdDaMaquina()); ++n) {
    niveis.push_back(static_cast<NivelSimd>(n));
  }
  return niveis;
}

// Runs `f` (which describes what it got as a text) at every level and expects the level above
// "scalar" to give what "scalar" gives. False at the first difference, reported with `caso`.
template <class F>
bool IgualEmCadaNivel(F&& f, const std::string& caso) {
  std::string escalar;
  for (const NivelSimd nivel : NiveisDaMaquina()) {
    const NivelSimdTemporario em(nivel);
    std::string resultado = f();
    if (nivel == NivelSimd::kEscalar) {
      escalar = std::move(resultado);
    } else if (resultado != escalar) {
      ADD_FAILURE() << caso << "\n  " << NomeDoNivelSimd(nivel) << ": " << resultado
                    << "\n  scalar: " << escalar;
      return false;
    }
  }
  return true;
}

}  // namespace lumbrava::teste
