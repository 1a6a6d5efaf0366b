// SCI, last composer of the chain: service invoices, bill settlements and real-estate contracts.
#include <gtest/gtest.h>

#include <string>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

// Amounts kept as text beside amounts with decimals, and one name defined apart in two layouts.
TEST(SCIComplementos, IrregularRows) {
  auto nf = teste::Compoe("SCI", "nfServico");
  EXPECT_EQ(teste::Forma(*nf, "numDoc"), "44-52 0 N");
  EXPECT_EQ(teste::Forma(*nf, "valorIsentasISS"), "310-326 0 S");
  EXPECT_EQ(teste::Forma(*nf, "valorOutrasISS"), "327-343 2 N");
  EXPECT_EQ(teste::Forma(*nf, "valorRetPIS"), "1281-1291 0 S");
  EXPECT_EQ(teste::Forma(*teste::Compoe("SCI", "baixaDup"), "valorRetPIS"), "195-208 2 N");
  EXPECT_EQ(teste::Forma(*teste::Compoe("SCI", "cadastroContratosImob"), "valorContrato"),
            "76-90 2 N");
}

// Every value is quoted where its field is qualified, and nowhere else: fourteen of them.
TEST(SCIComplementos, DelimitedInvoiceQuotesItsQualifiedFields) {
  auto l = teste::Compoe("SCI", "nfServico");
  for (const auto& c : l->campos()) {
    l->InformaValor(c->nome, c->tipo == "N" ? "7" : "x");
  }
  l->InformaValor("obs", "diz \"sim\" ");
  const std::string saida = l->ExpandeLayoutDiv(";", "", true) + ";";
  std::size_t de = 0;
  std::size_t entreAspas = 0;
  for (const auto& c : l->campos()) {
    const std::size_t ate = saida.find(';', de);
    ASSERT_NE(ate, std::string::npos) << c->nome;
    const std::string parte = saida.substr(de, ate - de);
    de = ate + 1;
    EXPECT_EQ(parte.front() == '"', !c->qualificador.empty()) << c->nome;
    entreAspas += parte.front() == '"' ? 1 : 0;
    if (c->nome == "obs") {
      EXPECT_EQ(parte, "\"diz  sim \"");  // trimmed, then the inner quotes become blanks
    }
  }
  EXPECT_EQ(de, saida.size());
  EXPECT_EQ(entreAspas, 14U);
}

}  // namespace
}  // namespace lumbrava
