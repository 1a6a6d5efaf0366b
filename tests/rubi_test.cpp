// Rubi: payroll events.
#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Rubi, Figures) {
  teste::ConfereFiguras("Rubi", {
                                    {"folha", 12, 61, "registro", "origem"},
                                    {"Folha", 0, 0, "", ""},
                                    {"folha ", 0, 0, "", ""},
                                    {"", 0, 0, "", ""},
                                });
}

// "folha" switches the decimal separator off over whatever the layout held, and nothing else;
// another name changes nothing.
TEST(Rubi, SwitchesOnlyTheDecimalSeparatorOff) {
  for (const char* nome : {"folha", "FOLHA"}) {
    clLayoutReg l;
    l.separaCasasDecimais = l.espacoAdireitaNumeros = true;
    l.separadorCasasDecimais = ".";
    l.CompoeLayout("Rubi", nome);
    EXPECT_EQ(l.separaCasasDecimais, std::string(nome) != "folha") << nome;
    EXPECT_TRUE(l.espacoAdireitaNumeros) << nome;
    EXPECT_EQ(l.separadorCasasDecimais, ".") << nome;
  }
}

TEST(Rubi, PayrollRoundTrip) {
  auto l = teste::Compoe("Rubi", "folha");
  l->InformaValor("empresa", "12");
  l->InformaValor("func", "4321");
  l->InformaValor("refEvento", "30");
  l->InformaValor("varEvento", "1234,5");
  l->InformaValor("origem", "É");
  const std::string r = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(r), 61U);
  EXPECT_EQ(Subtexto(r, 2, 4), "0012");
  EXPECT_EQ(Subtexto(r, 38, 23), "00000003000" + std::string("00000123450") + "É");

  auto lido = teste::Compoe("Rubi", "folha");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("func"), "4321");
  EXPECT_EQ(lido->pegaValor("refEvento"), "30,00");
  EXPECT_EQ(lido->pegaValor("varEvento"), "1234,50");
  EXPECT_EQ(lido->pegaValor("origem"), "É");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

}  // namespace
}  // namespace lumbrava
