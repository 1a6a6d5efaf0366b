#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(GrupoModulosEngenhoLiderW, Figures) {
  teste::ConfereFiguras("Grupo Módulos", {{"lancamentos", 8, 144, "dia", "complemento"},
                                          {"folha", 7, 46, "empresa", "valor"},
                                          {"Folha", 0, 0, "", ""},
                                          {"linha1", 0, 0, "", ""}});
  teste::ConfereFiguras("Engenho", {{"linha1", 6, 300, "fixo", "historico", "leituraComPipe"},
                                    {"linha2", 7, 350, "fixo", "historico", "leituraComPipe"},
                                    {"Linha1", 0, 0, "", ""},
                                    {"linha 2", 0, 0, "", ""}});
  teste::ConfereFiguras("Líder W", {{"idEmpresa", 4, 66, "codEmpresa", "sistemaGerador"},
                                    {"lancamentos", 11, 433, "data", "tipo"},
                                    {"idempresa", 0, 0, "", ""}});
  // The identifiers keep their accent and blank.
  for (const char* sistema : {"Grupo Modulos", "GrupoModulos", "Lider W", "LiderW", "Líder  W"}) {
    teste::ConfereFiguras(sistema, {{"lancamentos", 0, 0, "", ""}});
  }
  // An unknown name leaves the reading mode as it was.
  clLayoutReg l;
  l.leituraComPipe = true;
  l.CompoeLayout("Engenho", "linha3");
  EXPECT_TRUE(l.campos().empty());
  EXPECT_TRUE(l.leituraComPipe);
}

// A real pair of lines of the entry file: each "|" value lands on the field of its place.
TEST(GrupoModulosEngenhoLiderW, EngenhoReadsPipeSeparatedLines) {
  auto l1 = teste::Compoe("Engenho", "linha1");
  ASSERT_TRUE(l1->PreencheLayoutApartirLinha("|1|000123|31/01/2024|I|CX01|Depósito em dinheiro|"));
  EXPECT_EQ(l1->pegaValor("fixo"), "1");
  EXPECT_EQ(l1->pegaValor("seq"), "000123");
  EXPECT_EQ(l1->pegaValor("data"), "31/01/2024");
  EXPECT_EQ(l1->pegaValor("fixoI"), "I");
  EXPECT_EQ(l1->pegaValor("codigo"), "CX01");
  EXPECT_EQ(l1->pegaValor("historico"), "Depósito em dinheiro");

  // The closing "|" is optional and missing values leave their fields empty.
  auto l2 = teste::Compoe("Engenho", "linha2");
  ASSERT_TRUE(l2->PreencheLayoutApartirLinha("|2|000123|1.1.01.001|D|1.234,56"));
  EXPECT_EQ(l2->pegaValor("conta"), "1.1.01.001");
  EXPECT_EQ(l2->pegaValor("tipo"), "D");
  EXPECT_EQ(l2->pegaValor("valor"), "1.234,56");  // text: kept as written
  EXPECT_EQ(l2->pegaValor("cc"), "");
  EXPECT_EQ(l2->pegaValor("historico"), "");

  // Written back the same way, trimmed.
  l2->InformaValor("historico", "Pagamento à vista");
  const std::string linha = l2->ExpandeLayoutDivBarra();
  EXPECT_EQ(linha, "|2|000123|1.1.01.001|D|1.234,56||Pagamento à vista|");
  auto lido = teste::Compoe("Engenho", "linha2");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("historico"), "Pagamento à vista");
  EXPECT_EQ(lido->ExpandeLayoutDivBarra(), linha);

  // A value holding the separator would shift every later value: it is refused, not written.
  l2->InformaValor("historico", "NF 12|13");
  EXPECT_THROW(l2->ExpandeLayoutDivBarra(), ErroValor);
}

// The same name is another layout under each system: "local" is a number in the entry and text in
// the payroll value.
TEST(GrupoModulosEngenhoLiderW, LocalIsNumericOnlyInTheEntry) {
  auto lanc = teste::Compoe("Grupo Módulos", "lancamentos");
  auto folha = teste::Compoe("Grupo Módulos", "folha");
  EXPECT_EQ(lanc->LocalizaCampo("local")->tipo, "N");
  EXPECT_EQ(folha->LocalizaCampo("local")->tipo, "S");
  lanc->InformaValor("local", "7");
  folha->InformaValor("local", "7");
  EXPECT_EQ(lanc->ExpandeLayout().substr(2, 4), "0007");
  EXPECT_EQ(folha->ExpandeLayout().substr(10, 4), "7   ");
  // Both control fields of the entry keep their two spellings.
  auto lider = teste::Compoe("Líder W", "lancamentos");
  EXPECT_EQ(lider->LocalizaCampo("controleADeb")->inicio, 115);
  EXPECT_EQ(lider->LocalizaCampo("controlACred")->inicio, 145);
  EXPECT_FALSE(lider->ExisteCampo("controleACred"));
}

}  // namespace
}  // namespace lumbrava
