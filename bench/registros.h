// Records of the benchmarks: every field of a layout filled as the users' files fill it.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>

#include "common/texto.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava::bench {

// Words of the records users send: accented descriptions in every text field.
inline constexpr const char* kPalavras[] = {"Depósito", "ação",        "máquina",     "manutenção",
                                            "prédio",   "escritório",  "instalações", "câmbio",
                                            "Goiânia",  "refrigeração"};

// Fills every field: text fields to their width, with accents unless `ascii`; numbers with as
// many digits as fit.
inline void Preenche(clLayoutReg& l, bool acentos) {
  std::size_t i = 0;
  for (const auto& c : l.campos()) {
    const auto largura = static_cast<std::size_t>(c->tamanho);
    if (c->EhTexto() || c->semFormatacao) {
      std::string v;
      while (ContaCaracteres(v) < largura) {
        v += acentos ? kPalavras[i++ % std::size(kPalavras)] : "Texto";
        v += ' ';
      }
      c->valor = Subtexto(v, 0, largura);
    } else if (c->tipo == "D" || c->tipo == "H") {
      c->valor = std::string(largura, '1');
    } else {
      const int inteiros = std::min(c->tamanho - c->decimais - 2, 12);
      c->valor = inteiros < 1 ? "0" : std::string(static_cast<std::size_t>(inteiros), '7');
      if (inteiros >= 1 && c->decimais > 0) {
        c->valor += "," + std::string(static_cast<std::size_t>(c->decimais), '5');
      }
    }
  }
}

}  // namespace lumbrava::bench
