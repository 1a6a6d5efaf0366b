// The figures a layout's source states about it, checked against what the composer builds: the
// number of fields, the record length, the first and last field, and the layout-wide settings that
// differ from a new layout's.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "tests/apoio.h"

namespace lumbrava::teste {

struct Figuras {
  std::string_view layout;
  std::size_t campos;
  int colunas;  // TamanhoRegistro
  std::string_view primeiro;
  std::string_view ultimo;
  // The layout-wide settings that differ from a new layout's, in this order, blank-separated:
  // "virgulasNosNumericos separaCasasDecimais espacoNosNumerosVazios espacoAdireitaNumeros
  // separadorCasasDecimais=<text> separadorNoFinalDeCadaCampo leituraComPipe".
  std::string_view ajustes = {};
};

inline std::string AjustesDiferentes(const clLayoutReg& l) {
  std::string s;
  const auto poe = [&](bool liga, std::string_view nome) {
    if (liga) {
      s += s.empty() ? "" : " ";
      s += nome;
    }
  };
  poe(l.virgulasNosNumericos, "virgulasNosNumericos");
  poe(l.separaCasasDecimais, "separaCasasDecimais");
  poe(l.espacoNosNumerosVazios, "espacoNosNumerosVazios");
  poe(l.espacoAdireitaNumeros, "espacoAdireitaNumeros");
  poe(l.separadorCasasDecimais != ",", "separadorCasasDecimais=" + l.separadorCasasDecimais);
  poe(l.separadorNoFinalDeCadaCampo, "separadorNoFinalDeCadaCampo");
  poe(l.leituraComPipe, "leituraComPipe");
  return s;
}

// Composes each layout of `sistema` on a new layout and compares it with its figures.
inline void ConfereFiguras(const std::string& sistema, std::initializer_list<Figuras> figuras) {
  for (const Figuras& f : figuras) {
    SCOPED_TRACE(sistema + " " + std::string(f.layout));
    auto l = Compoe(sistema, std::string(f.layout));
    ASSERT_EQ(l->campos().size(), f.campos);
    EXPECT_EQ(l->TamanhoRegistro(), f.colunas);
    if (f.campos > 0) {
      EXPECT_EQ(l->campos().front()->nome, f.primeiro);
      EXPECT_EQ(l->campos().back()->nome, f.ultimo);
    }
    EXPECT_EQ(AjustesDiferentes(*l), f.ajustes);
  }
}

}  // namespace lumbrava::teste
