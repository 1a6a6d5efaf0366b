// Protheus: accounting entries and batch loads.
#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Protheus, Figures) {
  teste::ConfereFiguras("Protheus", {
                                        {"lancamentos", 14, 199, "partidaDobrada", "ccCred"},
                                        {"lancamentosNovo", 20, 255, "partidaDobrada", "data"},
                                        {"cargaDeLotes", 17, 492, "tipoDeLanc", "diaLancamento"},
                                        {"lancamentosLP003", 12, 197, "fixo003", "historico"},
                                        {"lancamentosBREE", 6, 148, "tipo", "hist"},
                                        {"lancamentosLctoPadrao", 7, 228, "tipo", "hist"},
                                        {"lancamentosFolha", 7, 112, "tipo", "data"},
                                        {"Lancamentos", 0, 0, "", ""},
                                        {"LANCAMENTOS", 0, 0, "", ""},
                                        {"lancamentos ", 0, 0, "", ""},
                                    });
}

// Two layouts give their amount settings of its own, and one right-aligns its accounts; the
// fields of the same names elsewhere are left as appended.
TEST(Protheus, PerFieldSettingsLandOnlyOnTheNamedFields) {
  for (const char* nome : {"lancamentos", "lancamentosNovo", "cargaDeLotes", "lancamentosLP003",
                           "lancamentosBREE", "lancamentosLctoPadrao", "lancamentosFolha"}) {
    const std::string layout = nome;
    const bool padrao = layout == "lancamentosLctoPadrao";
    auto l = teste::Compoe("Protheus", layout);
    for (const auto& c : l->campos()) {
      const bool conta = c->nome == "ctDebito" || c->nome == "ctCredito";
      EXPECT_EQ(c->alinhamento, padrao && conta ? "D" : "") << layout << " " << c->nome;
      const bool proprio = (padrao || layout == "lancamentosFolha") && c->nome == "valor";
      EXPECT_EQ(c->configuracaoParticular, proprio) << layout << " " << c->nome;
      if (proprio) {
        EXPECT_EQ(c->espacoNosNumerosVazios, padrao) << layout;
        EXPECT_FALSE(c->separaCasasDecimais || c->espacoAdireitaNumeros ||
                     c->separadorNoFinalDeCadaCampo || c->semFormatacao)
            << layout;
        EXPECT_EQ(c->separadorCasasDecimais, "") << layout;
      }
    }
  }
}

TEST(Protheus, StandardEntryRoundTrip) {
  auto l = teste::Compoe("Protheus", "lancamentosLctoPadrao");
  l->InformaValor("tipo", "001");
  l->InformaValor("ctDebito", "11010");
  l->InformaValor("ctCredito", "21055");
  l->InformaValor("valor", "1234,56");
  l->InformaValor("hist", "Depósito em conta");
  l->separaCasasDecimais = true;  // does not reach the amount, which has its own settings
  const std::string r = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(r), 228U);
  const std::string b15(15, ' ');
  EXPECT_EQ(Subtexto(r, 0, 43), "001" + b15 + "11010" + b15 + "21055");
  EXPECT_EQ(Subtexto(r, 103, 17), std::string(11, ' ') + "123456");  // blanks for zeros
  EXPECT_EQ(Subtexto(r, 188, 40), "Depósito em conta" + std::string(23, ' '));

  auto lido = teste::Compoe("Protheus", "lancamentosLctoPadrao");
  lido->separaCasasDecimais = true;
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("valor"), "1234,56");
  EXPECT_EQ(Apara(lido->pegaValor("ctCredito")), "21055");
  EXPECT_EQ(Apara(lido->pegaValor("hist")), "Depósito em conta");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

}  // namespace
}  // namespace lumbrava
