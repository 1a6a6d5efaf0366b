#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(Questor, LayoutsComposeTheirFieldsQuietly) {
  auto operador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(operador);
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    bool pipe;
  } casos[] = {
      {"lancamentos", 20, 445, false},
      {"lancamentosCC", 9, 70, false},
      {"lancamentosSimples", 9, 394, false},
      {"registroXX", 4, 31, false},
      {"dupliPagA", 7, 158, false},
      {"dupliRecA", 8, 161, false},
      {"duplicataB", 5, 46, false},
      {"duplicataC", 12, 132, false},
      {"reducaoZ", 33, 520, false},
      {"folha", 8, 47, false},
      {"lctoFisEntRetido", 57, 598, false},
      {"questorEmpresarialCadastroClientes", 15, 560, true},
      {"questorEmpresarialLctosDiarios", 12, 1617, true},
      // Names that differ by case or blanks.
      {"Lancamentos", 0, 0, false},
      {"lancamentos ", 0, 0, false},
      {"reducaoz", 0, 0, false},
      {"QuestorEmpresarialLctosDiarios", 0, 0, false},
      {"", 0, 0, false},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Questor", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    EXPECT_EQ(l->leituraComPipe, c.pipe) << c.nome;
    // No output setting is written, for the layout or for a field.
    EXPECT_FALSE(l->separaCasasDecimais || l->virgulasNosNumericos || l->espacoNosNumerosVazios ||
                 l->espacoAdireitaNumeros || l->separadorNoFinalDeCadaCampo)
        << c.nome;
    EXPECT_EQ(l->separadorCasasDecimais, ",") << c.nome;
    for (const auto& f : l->campos()) {
      EXPECT_FALSE(f->configuracaoParticular) << c.nome << "." << f->nome;
    }
  }
  EXPECT_TRUE(operador->mensagens.empty());
}

TEST(Questor, LancamentosRoundTrip) {
  auto l = teste::Compoe("Questor", "lancamentos");
  const std::vector<std::string> valores = {
      "I",    "15", "987",           "1",       "2", "42", "31/01/2024", "X", "NF123", "CT", "1101",
      "2101", "12", "VENDA A VISTA", "1500,75", "N", "S",  "",           "",  "7"};
  ASSERT_EQ(l->campos().size(), valores.size());
  for (std::size_t k = 0; k < valores.size(); ++k) l->campos()[k]->valor = valores[k];
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(linha.size(), 445u);
  // flag, codEmpresa, chaveLcto, codLcto, codEstabelecimento, codLote, dataLote.
  EXPECT_EQ(linha.substr(0, 44), std::string("I") + "00015" + "00000000987" + "00001" + "00002" +
                                     "0000042" + "31/01/2024");
  // ctDeb, ctCred, hp.
  EXPECT_EQ(linha.substr(58, 28), std::string("00000001101") + "00000002101" + "000012");
  // The end of compl, valor with its decimals implied, conciDeb, conciCred.
  EXPECT_EQ(linha.substr(385, 19), " 0000000000150075NS");
  EXPECT_EQ(linha.substr(440), "7    ");

  auto lido = teste::Compoe("Questor", "lancamentos");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("codEmpresa"), "15");
  EXPECT_EQ(lido->pegaValor("valor"), "1500,75");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

// Fifteen values of a client, in field order.
const std::vector<std::string> kCliente = {"C",         "ACME LTDA", "Acme",      "12345678000199",
                                           "89000-000", "1234",      "RUA A",     "100",
                                           "SALA 2",    "CENTRO",    "254123456", "98765",
                                           "47",        "33334444",  "a@acme.com"};

std::string Junta(const std::vector<std::string>& valores, std::size_t n) {
  std::string linha;
  for (std::size_t k = 0; k < n; ++k) linha += "|" + valores[k];
  return linha;
}

TEST(Questor, PipeLinesFillTheFieldsInOrder) {
  std::vector<std::string> semRazao = kCliente;
  semRazao[1] = "";
  const struct {
    const char* caso;
    std::string linha;
    std::vector<std::string> esperado;  // missing values are empty
  } casos[] = {
      {"closing bar", Junta(kCliente, 15) + "|", kCliente},
      {"no closing bar", Junta(kCliente, 15), kCliente},
      {"empty value", Junta(semRazao, 15) + "|", semRazao},
      {"three values", Junta(kCliente, 3) + "|", {"C", "ACME LTDA", "Acme"}},
      {"three values, no closing bar", Junta(kCliente, 3), {"C", "ACME LTDA", "Acme"}},
      {"empty line", "", {}},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Questor", "questorEmpresarialCadastroClientes");
    for (const auto& f : l->campos()) f->valor = "stale";
    EXPECT_TRUE(l->PreencheLayoutApartirLinha(c.linha)) << c.caso;
    ASSERT_EQ(l->campos().size(), kCliente.size());
    for (std::size_t k = 0; k < l->campos().size(); ++k) {
      const std::string esperado = k < c.esperado.size() ? c.esperado[k] : "";
      EXPECT_EQ(l->campos()[k]->valor, esperado) << c.caso << ", " << l->campos()[k]->nome;
    }
  }
}

TEST(Questor, DailyEntriesRoundTripThroughBars) {
  auto l = teste::Compoe("Questor", "questorEmpresarialLctosDiarios");
  const std::vector<std::string> valores = {
      "L", "12345678000199", "3",    "101", "05/02/2024",         "05/02/2024", "150,00",
      "",  "1101",           "2101", "",    "TARIFA BANCARIA FEV"};
  ASSERT_EQ(l->campos().size(), valores.size());
  for (std::size_t k = 0; k < valores.size(); ++k) l->campos()[k]->valor = valores[k];

  const std::string linha = l->ExpandeLayoutDivBarra();
  EXPECT_EQ(linha,
            "|L|12345678000199|3|101|05/02/2024|05/02/2024|150,00||1101|2101||"
            "TARIFA BANCARIA FEV|");
  // Reading by bars does not change how the fixed-width record is built.
  EXPECT_EQ(l->ExpandeLayout().size(), 1617u);

  auto lido = teste::Compoe("Questor", "questorEmpresarialLctosDiarios");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  for (std::size_t k = 0; k < valores.size(); ++k) {
    EXPECT_EQ(lido->campos()[k]->valor, valores[k]) << lido->campos()[k]->nome;
  }
}

}  // namespace
}  // namespace lumbrava
