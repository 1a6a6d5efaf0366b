// Unico (entries and fixed assets) and PortPress (entries).
#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Unico, Figures) {
  teste::ConfereFiguras(
      "Unico",
      {
          {"lancamentos", 11, 196, "Data", "ccCredito"},
          {"bens-idEmpresa", 4, 218, "fixo00", "versaoLay"},
          {"bens-cadastro_bem", 49, 695, "fixo10", "aliqCOFINS", "separaCasasDecimais"},
          {"bens-dados_depre_bem", 10, 76, "fixo20", "valorAquiSocietaria", "separaCasasDecimais"},
          {"bens-dados_baixa_bem", 6, 233, "fixo30", "tipoContabilizacao", "separaCasasDecimais"},
          {"lancamentoComJuros", 11, 322, "sequencia", "participanteC"},
          // The spelling without underscores, and names that differ by case or a blank.
          {"bens-cadastrobem", 0, 0, "", ""},
          {"Lancamentos", 0, 0, "", ""},
          {"lancamentos ", 0, 0, "", ""},
      });
}

TEST(Unico, WritesItsSettingsOverWhatTheLayoutHeld) {
  clLayoutReg l;
  l.espacoNosNumerosVazios = true;
  l.CompoeLayout("Unico", "lancamentos");
  EXPECT_FALSE(l.espacoNosNumerosVazios);
}

TEST(Unico, IrregularRows) {
  auto depre = teste::Compoe("Unico", "bens-dados_depre_bem");
  EXPECT_EQ(depre->LocalizaCampo("valorAquiSocietaria")->tipo, "N");  // passed "D" with decimals
  // A rate of 3 columns with 4 decimals holds nothing but zero; a real rate is refused whole.
  auto cadastro = teste::Compoe("Unico", "bens-cadastro_bem");
  clLayoutCpo* aliq = cadastro->LocalizaCampo("aliqPIS");
  EXPECT_EQ(Subtexto(cadastro->ExpandeLayout(), 687, 3), "000");
  aliq->valor = "0,65";
  EXPECT_THROW(cadastro->ExpandeLayout(), ErroValor);
}

TEST(Unico, EntryRoundTrip) {
  auto l = teste::Compoe("Unico", "lancamentoComJuros");
  l->InformaValor("sequencia", "42");
  l->InformaValor("debito", "1101");
  l->InformaValor("valor", "1520,75");
  l->InformaValor("complemento", "Depósito em conta");
  l->InformaValor("participanteC", "Conceição");
  const std::string r = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(r), 322U);
  EXPECT_EQ(Subtexto(r, 0, 24), "42    " + std::string(10, ' ') + "00001101");  // "C" is text
  EXPECT_EQ(Subtexto(r, 32, 17), "00000000000152075");
  EXPECT_EQ(Subtexto(r, 57, 18), "Depósito em conta ");

  auto lido = teste::Compoe("Unico", "lancamentoComJuros");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("valor"), "1520,75");
  EXPECT_EQ(Apara(lido->pegaValor("complemento")), "Depósito em conta");
  EXPECT_EQ(Apara(lido->pegaValor("participanteC")), "Conceição");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

TEST(PortPress, Figures) {
  teste::ConfereFiguras("PortPress", {
                                         {"lancamentos", 16, 158, "modulo", "hist"},
                                         {"Lancamentos", 0, 0, "", ""},
                                         {"lancamentos ", 0, 0, "", ""},
                                     });
}

// The amount alone has settings of its own, which the layout's do not reach.
TEST(PortPress, AmountWithItsOwnSettingsRoundTrip) {
  auto l = teste::Compoe("PortPress", "lancamentos");
  for (const auto& c : l->campos()) {
    EXPECT_EQ(c->configuracaoParticular, c->nome == "valor") << c->nome;
  }
  const clLayoutCpo* valor = l->LocalizaCampo("valor");
  EXPECT_EQ(valor->tipo, "N");  // passed "S" with decimals
  EXPECT_TRUE(valor->separaCasasDecimais);
  EXPECT_EQ(valor->separadorCasasDecimais, ",");
  EXPECT_FALSE(valor->espacoNosNumerosVazios || valor->espacoAdireitaNumeros ||
               valor->separadorNoFinalDeCadaCampo || valor->semFormatacao);

  l->espacoNosNumerosVazios = true;
  l->InformaValor("valor", "-1520,7");
  l->InformaValor("hist", "Aluguel de março");
  const std::string r = l->ExpandeLayout();
  EXPECT_EQ(Subtexto(r, 71, 12), "-00001520,70");
  EXPECT_EQ(Subtexto(r, 83, 17), "Aluguel de março ");

  auto lido = teste::Compoe("PortPress", "lancamentos");
  lido->espacoNosNumerosVazios = true;
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("valor"), "-1520,70");
  EXPECT_EQ(Apara(lido->pegaValor("hist")), "Aluguel de março");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

}  // namespace
}  // namespace lumbrava
