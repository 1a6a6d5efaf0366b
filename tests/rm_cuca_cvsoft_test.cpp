#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(RMCucaCVSOFT, FiguresOfEveryLayout) {
  teste::ConfereFiguras("RM", {{"lancamentos", 12, 425, "data", "segValor"},
                               {"lancamentos2-cabec", 4, 121, "id", "data"},
                               {"lancamentos2-detalhes", 15, 503, "fixo*P", "codLoteOrigem"},
                               {"lancamentos2-rateio", 3, 58, "id", "valor"},
                               {"valoresTribRegCaixa", 20, 200, "cnpjEstab", "sequencia"},
                               // Another system's names, a name cut short, case and a blank.
                               {"folha", 0, 0, "", ""},
                               {"lancamentos2", 0, 0, "", ""},
                               {"Lancamentos", 0, 0, "", ""},
                               {"lancamentos ", 0, 0, "", ""}});
  teste::ConfereFiguras("Cuca", {{"folha", 4, 22, "codFunc", "horasMinuto"},
                                 {"lancamentos", 10, 343, "cnpj", "complemento"},
                                 {"inventario", 13, 278, "cnpj", "aliqICMS", "separaCasasDecimais"},
                                 {"cabecalho", 0, 0, "", ""},
                                 {"Inventario", 0, 0, "", ""},
                                 {"", 0, 0, "", ""}});
  teste::ConfereFiguras("CVSOFT", {{"cabecalho", 13, 200, "tipoReg", "codOrigem"},
                                   {"lancamentos", 17, 535, "tipoReg", "codAgrupLanc"},
                                   {"totalizacao", 5, 35, "tipoReg", "totalValorLancs"},
                                   {"inventario", 0, 0, "", ""},
                                   {"CABECALHO", 0, 0, "", ""}});
}

// The amount of each RM entry layout has settings of its own; no other field has, and the
// layout's settings stay those of a new layout.
TEST(RMCucaCVSOFT, RMAmountsHaveTheirOwnSettings) {
  const struct {
    const char* nome;
    bool brancos;  // espacoNosNumerosVazios and espacoAdireitaNumeros
  } casos[] = {
      {"lancamentos", false}, {"lancamentos2-detalhes", true}, {"lancamentos2-rateio", true}};
  for (const auto& c : casos) {
    SCOPED_TRACE(c.nome);
    auto l = teste::Compoe("RM", c.nome);
    for (const auto& f : l->campos()) {
      EXPECT_EQ(f->configuracaoParticular, f->nome == "valor") << f->nome;
    }
    const clLayoutCpo* valor = l->LocalizaCampo("valor");
    ASSERT_NE(valor, nullptr);
    EXPECT_EQ(valor->tipo, "N");
    EXPECT_EQ(valor->decimais, 2);
    EXPECT_TRUE(valor->separaCasasDecimais);
    EXPECT_EQ(valor->separadorCasasDecimais, ",");
    EXPECT_EQ(valor->espacoNosNumerosVazios, c.brancos);
    EXPECT_EQ(valor->espacoAdireitaNumeros, c.brancos);
    EXPECT_FALSE(valor->separadorNoFinalDeCadaCampo || valor->semFormatacao);
    EXPECT_EQ(teste::AjustesDiferentes(*l), "");
  }
  // Only three text fields of the one-record entry are right-aligned; the second value is text.
  auto l = teste::Compoe("RM", "lancamentos");
  for (const auto& f : l->campos()) {
    const bool direita = f->nome == "documento" || f->nome == "filialLanc" || f->nome == "segValor";
    EXPECT_EQ(f->alinhamento, direita ? "D" : "") << f->nome;
  }
  EXPECT_EQ(l->LocalizaCampo("segValor")->tipo, "S");
  EXPECT_EQ(teste::Compoe("RM", "lancamentos2-detalhes")->LocalizaCampo("segundoValor")->tipo, "S");
}

TEST(RMCucaCVSOFT, RMEntryRoundTrip) {
  auto l = teste::Compoe("RM", "lancamentos");
  l->InformaValor("data", "31012024");
  l->InformaValor("documento", "NF-77");
  l->InformaValor("valor", "-1520,7");
  l->InformaValor("complhp", "Depósito de março");
  l->InformaValor("filialLanc", "12");
  l->InformaValor("segValor", "99,5");
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(linha), 425U);
  EXPECT_EQ(linha.substr(8, 20), std::string(15, ' ') + "NF-77");
  EXPECT_EQ(linha.substr(88, 18), "-00000000001520,70");
  EXPECT_EQ(Subtexto(linha, 114, 18), "Depósito de março ");
  EXPECT_EQ(Subtexto(linha, 364, 10), "        12");
  EXPECT_EQ(Subtexto(linha, 407, 18), std::string(14, ' ') + "99,5");

  auto lido = teste::Compoe("RM", "lancamentos");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("valor"), "-1520,70");
  EXPECT_EQ(Apara(lido->pegaValor("complhp")), "Depósito de março");
  EXPECT_EQ(Apara(lido->pegaValor("documento")), "NF-77");
  EXPECT_EQ(lido->pegaValor("data"), "31012024");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

// In the detail and split records an empty amount is blank and a number is filled with blanks.
TEST(RMCucaCVSOFT, RMDetailAmountInBlanks) {
  auto l = teste::Compoe("RM", "lancamentos2-rateio");
  l->InformaValor("id", "RAT");
  l->InformaValor("conta", "1.1.01");
  EXPECT_EQ(l->ExpandeLayout().substr(43), std::string(15, ' '));
  l->InformaValor("valor", "1234,5");
  const std::string linha = l->ExpandeLayout();
  EXPECT_EQ(linha.substr(43), "        1234,50");
  auto lido = teste::Compoe("RM", "lancamentos2-rateio");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("valor"), "1234,50");
  EXPECT_EQ(Apara(lido->pegaValor("conta")), "1.1.01");
}

// "lancamentos" is three layouts, one per system; Cuca writes its entry amount with implied
// decimals and its inventory amounts with the comma.
TEST(RMCucaCVSOFT, CucaEntryAndInventory) {
  auto lanc = teste::Compoe("Cuca", "lancamentos");
  EXPECT_EQ(lanc->LocalizaCampo("valor")->tipo, "N");  // passed as "S" with 2 decimals
  lanc->InformaValor("valor", "1234,5");
  lanc->InformaValor("codHP", "7");
  const std::string registro = lanc->ExpandeLayout();
  EXPECT_EQ(registro.substr(48, 3), "007");
  EXPECT_EQ(registro.substr(81, 12), "000000123450");

  auto inv = teste::Compoe("Cuca", "inventario");
  for (const char* nome : {"quantidade", "valorUnit", "valorTotal", "aliqICMS"}) {
    EXPECT_EQ(inv->LocalizaCampo(nome)->tipo, "N") << nome;
  }
  EXPECT_EQ(inv->LocalizaCampo("filler")->tipo, "S");
  inv->InformaValor("cnpj", "12.345.678/0001-90");
  inv->InformaValor("descricao", "Depósito de grãos");
  inv->InformaValor("quantidade", "2,5");
  inv->InformaValor("valorUnit", "10,1234");
  inv->InformaValor("valorTotal", "25,31");
  inv->InformaValor("aliqICMS", "18");
  const std::string linha = inv->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(linha), 278U);
  EXPECT_EQ(Subtexto(linha, 105, 18), "0000000000002,5000");
  EXPECT_EQ(Subtexto(linha, 123, 18), "0000000000010,1234");
  EXPECT_EQ(Subtexto(linha, 141, 18), "000000000000025,31");
  EXPECT_EQ(Subtexto(linha, 272, 6), "018,00");
  auto lido = teste::Compoe("Cuca", "inventario");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("quantidade"), "2,5000");
  EXPECT_EQ(lido->pegaValor("aliqICMS"), "18,00");
  EXPECT_EQ(Apara(lido->pegaValor("descricao")), "Depósito de grãos");
  EXPECT_EQ(lido->ExpandeLayout(), linha);

  // The inventory's settings are written over whatever the layout held.
  clLayoutReg outro;
  outro.separadorCasasDecimais = ".";
  outro.CompoeLayout("Cuca", "inventario");
  EXPECT_EQ(outro.separadorCasasDecimais, ",");
}

TEST(RMCucaCVSOFT, CVSOFTEntryRoundTrip) {
  auto l = teste::Compoe("CVSOFT", "lancamentos");
  EXPECT_EQ(l->LocalizaCampo("filler")->tipo, "N");
  l->InformaValor("tipoReg", "L");
  l->InformaValor("data", "01022024");
  l->InformaValor("histDebLanc", "Depósito em conta");
  l->InformaValor("valor", "980,01");
  l->InformaValor("codAgrupLanc", "42");
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(linha), 535U);
  EXPECT_EQ(linha.substr(0, 11), "L0001022024");
  EXPECT_EQ(Subtexto(linha, 505, 12), "000000098001");
  EXPECT_EQ(Subtexto(linha, 527, 8), "00000042");
  auto lido = teste::Compoe("CVSOFT", "lancamentos");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("valor"), "980,01");
  EXPECT_EQ(lido->pegaValor("codAgrupLanc"), "42");
  EXPECT_EQ(Apara(lido->pegaValor("histDebLanc")), "Depósito em conta");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
