#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(Rubi, FolhaComposesAndSwitchesOnlyTheDecimalSeparatorOff) {
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    bool separaCasasDecimais;  // after composing, starting from true
  } casos[] = {{"folha", 12, 61, false}, {"Folha", 0, 0, true},  {"FOLHA", 0, 0, true},
               {"folha ", 0, 0, true},   {" folha", 0, 0, true}, {"", 0, 0, true}};
  for (const auto& c : casos) {
    clLayoutReg l;
    l.separaCasasDecimais = true;
    l.espacoAdireitaNumeros = true;
    l.separadorCasasDecimais = ".";
    l.CompoeLayout("Rubi", c.nome);
    EXPECT_EQ(l.campos().size(), c.campos) << '"' << c.nome << '"';
    EXPECT_EQ(l.TamanhoRegistro(), c.tamanho) << '"' << c.nome << '"';
    EXPECT_EQ(l.separaCasasDecimais, c.separaCasasDecimais) << '"' << c.nome << '"';
    EXPECT_TRUE(l.espacoAdireitaNumeros) << '"' << c.nome << '"';
    EXPECT_EQ(l.separadorCasasDecimais, ".") << '"' << c.nome << '"';
    EXPECT_FALSE(l.virgulasNosNumericos || l.espacoNosNumerosVazios ||
                 l.separadorNoFinalDeCadaCampo || l.leituraComPipe)
        << '"' << c.nome << '"';
  }
}

TEST(Rubi, FolhaRoundTrip) {
  auto l = teste::Compoe("Rubi", "folha");
  // Field order: registro, empresa, tipoFunc, func, calculo, tabela, evento, rateio, seqEvento,
  // refEvento, varEvento, origem.
  const std::vector<std::string> valores = {"1",   "12", "1", "4321", "315",    "2",
                                            "150", "0",  "1", "30",   "1234,5", "G"};
  ASSERT_EQ(l->campos().size(), valores.size());
  for (std::size_t k = 0; k < valores.size(); ++k) l->campos()[k]->valor = valores[k];
  const std::string linha = l->ExpandeLayout();
  // refEvento and varEvento with their decimals implied.
  EXPECT_EQ(linha, std::string("01") + "0012" + "1" + "000004321" + "0315" + "002" + "0150" +
                       "000000000" + "01" + "00000003000" + "00000123450" + "G");

  auto lido = teste::Compoe("Rubi", "folha");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("func"), "4321");
  EXPECT_EQ(lido->pegaValor("refEvento"), "30,00");
  EXPECT_EQ(lido->pegaValor("varEvento"), "1234,50");
  EXPECT_EQ(lido->pegaValor("origem"), "G");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
