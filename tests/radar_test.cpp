// Radar: accounting entries and payroll events.
#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Radar, Figures) {
  teste::ConfereFiguras("Radar",
                        {
                            {"lancamentos", 6, 1173, "dataLancamento", "complementoHP"},
                            {"lancamentosSeparador", 7, 1136, "codFilial", "complementoHP"},
                            {"folha", 3, 35, "codFunc", "valor"},
                            {"fiscal", 0, 0, "", ""},
                            {"Lancamentos", 0, 0, "", ""},
                            {"lancamentos ", 0, 0, "", ""},
                        });
}

// The entry amount alone gets settings of its own; the layout's are left as they were.
TEST(Radar, AmountSettingsLandOnlyOnTheAmount) {
  for (const char* nome : {"lancamentos", "lancamentosSeparador", "folha", "fiscal"}) {
    clLayoutReg l;
    l.separaCasasDecimais = l.espacoAdireitaNumeros = true;
    l.CompoeLayout("Radar", nome);
    EXPECT_TRUE(l.separaCasasDecimais && l.espacoAdireitaNumeros) << nome;
    EXPECT_FALSE(l.espacoNosNumerosVazios || l.separadorNoFinalDeCadaCampo) << nome;
    EXPECT_EQ(l.separadorCasasDecimais, ",") << nome;
    for (const auto& c : l.campos()) {
      const bool proprio = c->nome == "valorLancamento";
      EXPECT_EQ(c->configuracaoParticular, proprio) << nome << " " << c->nome;
      if (proprio) {
        EXPECT_TRUE(c->separaCasasDecimais && c->espacoNosNumerosVazios &&
                    c->separadorNoFinalDeCadaCampo)
            << nome;
        EXPECT_FALSE(c->espacoAdireitaNumeros || c->semFormatacao) << nome;
        EXPECT_EQ(c->separadorCasasDecimais, ".") << nome;
      }
    }
  }
}

// The amount is written with "." and followed by ";", which shifts the rest of the record by one.
TEST(Radar, EntryRoundTrip) {
  auto l = teste::Compoe("Radar", "lancamentos");
  l->InformaValor("dataLancamento", "31012024");
  l->InformaValor("codHistoricoPadrao", std::string(50, '7'));
  l->InformaValor("valorLancamento", "1234,5");
  l->InformaValor("complementoHP", "Depósito NF 123");
  const std::string r = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(r), 1174U);
  EXPECT_EQ(Subtexto(r, 157, 17), "7" + std::string(8, ' ') + "1234.50;");
  EXPECT_EQ(Subtexto(r, 174, 16), "Depósito NF 123 ");

  auto lido = teste::Compoe("Radar", "lancamentos");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("valorLancamento"), "1234,50");
  EXPECT_EQ(Apara(lido->pegaValor("complementoHP")), "Depósito NF 123");
  EXPECT_EQ(lido->pegaValor("dataLancamento"), "31012024");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

}  // namespace
}  // namespace lumbrava
