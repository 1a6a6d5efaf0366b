// Questor: entries, bills, the Z reduction, payroll, withheld taxes, and the two layouts read
// from "|"-separated lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Questor, Figures) {
  constexpr std::string_view pipe = "leituraComPipe";
  teste::ConfereFiguras(
      "Questor",
      {
          {"lancamentos", 20, 445, "flag", "codEstabOrig"},
          {"lancamentosCC", 9, 70, "flag", "origem"},
          {"lancamentosSimples", 9, 394, "fixoC", "compl"},
          {"registroXX", 4, 31, "ident", "valor"},
          {"dupliPagA", 7, 158, "ident", "titulo"},
          {"dupliRecA", 8, 161, "ident", "serie"},
          {"duplicataB", 5, 46, "ident", "situacao"},
          {"duplicataC", 12, 132, "ident", "tabelaCont"},
          {"reducaoZ", 33, 520, "flag", "origem"},
          {"folha", 8, 47, "filler", "refEvento"},
          {"lctoFisEntRetido", 57, 598, "codigoEmpresa", "chaveOrigem"},
          {"questorEmpresarialCadastroClientes", 15, 560, "identificador", "email", pipe},
          {"questorEmpresarialLctosDiarios", 12, 1617, "identificador", "complementoHp", pipe},
          {"Lancamentos", 0, 0, "", ""},
          {"lancamentos ", 0, 0, "", ""},
          {"QuestorEmpresarialLctosDiarios", 0, 0, "", ""},
          {"", 0, 0, "", ""},
      });
}

// A "|" line fills the fields in order; values it lacks leave their fields empty.
TEST(Questor, ShortBarLineEmptiesTheRest) {
  auto l = teste::Compoe("Questor", "questorEmpresarialCadastroClientes");
  for (const auto& c : l->campos()) {
    c->valor = "antigo";
  }
  ASSERT_TRUE(l->PreencheLayoutApartirLinha("|C|ACME LTDA||12345678000199"));
  EXPECT_EQ(l->pegaValor("razao"), "ACME LTDA");
  EXPECT_EQ(l->pegaValor("nomeFantasia"), "");
  EXPECT_EQ(l->pegaValor("cnpjcpf"), "12345678000199");
  EXPECT_EQ(l->pegaValor("cep"), "");
  EXPECT_EQ(l->pegaValor("email"), "");
}

TEST(Questor, DailyEntriesRoundTripThroughBars) {
  auto l = teste::Compoe("Questor", "questorEmpresarialLctosDiarios");
  const std::vector<std::string> valores = {"L",          "12345678000199",
                                            "3",          "101",
                                            "05/02/2024", "05/02/2024",
                                            "150,00",     "",
                                            "1101",       "",
                                            "NF 12",      "Depósito em conta corrente"};
  ASSERT_EQ(l->campos().size(), valores.size());
  for (std::size_t k = 0; k < valores.size(); ++k) {
    l->campos()[k]->valor = valores[k];
  }
  const std::string linha = l->ExpandeLayoutDivBarra();
  EXPECT_EQ(linha,
            "|L|12345678000199|3|101|05/02/2024|05/02/2024|150,00||1101||NF 12|"
            "Depósito em conta corrente|");
  // Reading by bars leaves the fixed-width record as its columns make it.
  const std::string fixo = l->ExpandeLayout();
  EXPECT_EQ(ContaCaracteres(fixo), 1617U);
  EXPECT_EQ(Subtexto(fixo, 51, 18), "150,00            ");  // a text amount, as written

  auto lido = teste::Compoe("Questor", "questorEmpresarialLctosDiarios");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  for (std::size_t k = 0; k < valores.size(); ++k) {
    EXPECT_EQ(lido->campos()[k]->valor, valores[k]) << lido->campos()[k]->nome;
  }
}

}  // namespace
}  // namespace lumbrava
