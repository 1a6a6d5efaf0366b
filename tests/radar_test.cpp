#include <gtest/gtest.h>

#include <string>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(Radar, LayoutsComposeTheirFieldsQuietly) {
  auto operador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(operador);
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    bool valorProprio;  // valorLancamento has settings of its own
  } casos[] = {{"lancamentos", 6, 1173, true}, {"lancamentosSeparador", 7, 1136, true},
               {"folha", 3, 35, false},        {"fiscal", 0, 0, false},
               {"Lancamentos", 0, 0, false},   {"lancamentos ", 0, 0, false},
               {"Folha", 0, 0, false}};
  for (const auto& c : casos) {
    clLayoutReg l;
    l.separaCasasDecimais = true;  // layout settings are left as they were
    l.CompoeLayout("Radar", c.nome);
    EXPECT_EQ(l.campos().size(), c.campos) << '"' << c.nome << '"';
    EXPECT_EQ(l.TamanhoRegistro(), c.tamanho) << '"' << c.nome << '"';
    EXPECT_TRUE(l.separaCasasDecimais);
    EXPECT_FALSE(l.virgulasNosNumericos || l.espacoNosNumerosVazios || l.espacoAdireitaNumeros ||
                 l.separadorNoFinalDeCadaCampo || l.leituraComPipe);
    EXPECT_EQ(l.separadorCasasDecimais, ",");
    for (const auto& f : l.campos()) {
      const bool proprio = c.valorProprio && f->nome == "valorLancamento";
      EXPECT_EQ(f->configuracaoParticular, proprio) << c.nome << "." << f->nome;
      if (!proprio) continue;
      EXPECT_TRUE(f->separaCasasDecimais && f->espacoNosNumerosVazios &&
                  f->separadorNoFinalDeCadaCampo);
      EXPECT_FALSE(f->espacoAdireitaNumeros || f->semFormatacao);
      EXPECT_EQ(f->separadorCasasDecimais, ".");
    }
  }
  EXPECT_TRUE(operador->mensagens.empty());
}

// The amount is written with "." and followed by ";", which shifts the rest of the record by one.
TEST(Radar, EntriesRoundTripWithTheAmountWrittenWithAPoint) {
  const struct {
    const char* nome;
    std::size_t inicioValor;        // index of the amount in the record
    const char* antes;              // the field right before the amount
    std::size_t inicioComplemento;  // index of complementoHP, shifted by the ";"
  } casos[] = {{"lancamentos", 158, "codHistoricoPadrao", 174},
               {"lancamentosSeparador", 111, "codigoCredReduz", 137}};
  for (const auto& c : casos) {
    auto l = teste::Compoe("Radar", c.nome);
    l->InformaValor("dataLancamento", "31012024");
    l->InformaValor(c.antes, std::string(50, '7'));
    l->InformaValor("valorLancamento", "1234,5");
    l->InformaValor("complementoHP", "NF 123 ACME");
    const std::string linha = l->ExpandeLayout();
    ASSERT_EQ(linha.size(), static_cast<std::size_t>(l->TamanhoRegistro()) + 1) << c.nome;
    EXPECT_EQ(linha.substr(c.inicioValor - 1, 1 + 15 + 1), "7" + std::string(8, ' ') + "1234.50;")
        << c.nome;
    EXPECT_EQ(linha.substr(c.inicioComplemento, 11), "NF 123 ACME") << c.nome;

    auto lido = teste::Compoe("Radar", c.nome);
    ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha)) << c.nome;
    EXPECT_EQ(lido->pegaValor("valorLancamento"), "1234,50") << c.nome;
    EXPECT_EQ(lido->pegaValor("complementoHP"), "NF 123 ACME" + std::string(989, ' ')) << c.nome;
    EXPECT_EQ(lido->pegaValor("dataLancamento"), "31012024") << c.nome;
    EXPECT_EQ(lido->ExpandeLayout(), linha) << c.nome;
  }
}

}  // namespace
}  // namespace lumbrava
