#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(Protheus, LayoutsComposeTheirFieldsQuietly) {
  auto operador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(operador);
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    bool valorProprio;            // valor has settings of its own
    bool espacoNosNumerosVazios;  // ... and this one among them
  } casos[] = {
      {"lancamentos", 14, 199, false, false},    {"lancamentosNovo", 20, 255, false, false},
      {"cargaDeLotes", 17, 492, false, false},   {"lancamentosLP003", 12, 197, false, false},
      {"lancamentosBREE", 6, 148, false, false}, {"lancamentosLctoPadrao", 7, 228, true, true},
      {"lancamentosFolha", 7, 112, true, false},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Protheus", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    for (const auto& f : l->campos()) {
      EXPECT_EQ(f->configuracaoParticular, c.valorProprio && f->nome == "valor")
          << c.nome << "." << f->nome;
    }
    if (!c.valorProprio) continue;
    const clLayoutCpo* v = l->LocalizaCampo("valor");
    EXPECT_EQ(v->espacoNosNumerosVazios, c.espacoNosNumerosVazios) << c.nome;
    EXPECT_FALSE(v->separaCasasDecimais || v->espacoAdireitaNumeros ||
                 v->separadorNoFinalDeCadaCampo || v->semFormatacao)
        << c.nome;
    EXPECT_EQ(v->separadorCasasDecimais, "") << c.nome;
  }
  EXPECT_TRUE(operador->mensagens.empty());
}

TEST(Protheus, NamesDifferingByCaseOrBlanksComposeNothing) {
  for (const char* nome :
       {"Lancamentos", "LANCAMENTOS", "lancamentos ", " lancamentos", "lancamentosfolha", ""}) {
    EXPECT_TRUE(teste::Compoe("Protheus", nome)->campos().empty()) << '"' << nome << '"';
  }
}

TEST(Protheus, LctoPadraoRoundTrip) {
  auto l = teste::Compoe("Protheus", "lancamentosLctoPadrao");
  l->InformaValor("tipo", "001");
  l->InformaValor("ctDebito", "11010");
  l->InformaValor("ctCredito", "21055");
  l->InformaValor("valor", "1234,56");
  l->InformaValor("hist", "PAGTO FORNECEDOR");
  // The layout's separator setting does not reach valor, which has its own.
  l->separaCasasDecimais = true;
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(linha.size(), 228u);
  const std::string b15(15, ' ');
  EXPECT_EQ(linha.substr(0, 43), "001" + b15 + "11010" + b15 + "21055");
  // Blanks in place of the leading zeros, decimals implied.
  EXPECT_EQ(linha.substr(103, 17), std::string(11, ' ') + "123456");
  EXPECT_EQ(linha.substr(188), "PAGTO FORNECEDOR" + std::string(24, ' '));

  auto lido = teste::Compoe("Protheus", "lancamentosLctoPadrao");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("tipo"), "001");
  EXPECT_EQ(lido->pegaValor("valor"), "1234,56");
  lido->separaCasasDecimais = true;
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
