#include <gtest/gtest.h>

#include <limits>
#include <regex>
#include <stdexcept>
#include <string>

#include "common/texto.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(DIMOB, FiguresOfEveryRecord) {
  teste::ConfereFiguras("DIMOB", {{"dados", 15, 270, "tipo", "filler2"},
                                  {"locacao", 53, 797, "tipo", "filler2"},
                                  {"incorporacao", 17, 247, "tipo", "filler2"},
                                  {"intermediacao", 19, 321, "tipo", "filler2"},
                                  {"Locacao", 0, 0, "", ""},
                                  {"locacao ", 0, 0, "", ""},
                                  {"DADOS", 0, 0, "", ""}});
  // The declarant's CNPJ is the one right-aligned field of the declaration.
  for (const char* nome : {"dados", "locacao", "incorporacao", "intermediacao"}) {
    auto l = teste::Compoe("DIMOB", nome);
    for (const auto& c : l->campos()) {
      EXPECT_EQ(c->alinhamento,
                std::string(nome) == "dados" && c->nome == "cnpjDeclarante" ? "D" : "")
          << nome << "." << c->nome;
    }
  }
}

// Numbers go without a separator whatever the layout held; a name the declaration does not know
// touches nothing.
TEST(DIMOB, SeparatorSettingOnlyOnAKnownRecord) {
  for (const char* nome : {"dados", "locacao", "incorporacao", "intermediacao", "Dados"}) {
    clLayoutReg l;
    l.separaCasasDecimais = true;
    l.CompoeLayout("DIMOB", nome);
    EXPECT_EQ(l.separaCasasDecimais, l.campos().empty()) << nome;
  }
}

// The setting comes before the first field: a composition that fails on its first append has
// already written it.
TEST(DIMOB, SeparatorSettingComesBeforeTheFirstField) {
  for (const char* nome : {"dados", "locacao", "incorporacao", "intermediacao"}) {
    clLayoutReg l;
    l.separaCasasDecimais = true;
    l.proximaColuna = std::numeric_limits<int>::max() - 1;  // "tipo" (3 columns) does not fit
    EXPECT_THROW(l.CompoeLayout("DIMOB", nome), std::overflow_error) << nome;
    EXPECT_TRUE(l.campos().empty()) << nome;
    EXPECT_FALSE(l.separaCasasDecimais) << nome;
  }
}

TEST(DIMOB, MonthlyFieldsOfTheLeaseAreNamedWhileComposing) {
  auto l = teste::Compoe("DIMOB", "locacao");
  const std::regex mensal("valor(Aluguel|Comissao|Imposto)([1-9]|1[0-2])");
  int mensais = 0;
  for (std::size_t i = 0; i < l->campos().size(); ++i) {
    const clLayoutCpo& c = *l->campos()[i];
    const bool eh = std::regex_match(c.nome, mensal);
    EXPECT_EQ(eh, i >= 10 && i < 46) << c.nome;
    if (eh) {
      ++mensais;
      EXPECT_EQ(c.tamanho, 14);
      EXPECT_EQ(c.decimais, 0);
      EXPECT_EQ(c.tipo, "N");
    }
  }
  EXPECT_EQ(mensais, 36);
  EXPECT_EQ(l->campos()[10]->nome, "valorAluguel1");
  EXPECT_EQ(l->campos()[45]->nome, "valorImposto12");
  EXPECT_EQ(l->campos()[46]->nome, "tipoImovel");
  const struct {
    const char* nome;
    int inicio;
    int fim;
  } colunas[] = {
      {"dataContrato", 181, 188},   {"valorAluguel1", 189, 202},  {"valorImposto1", 217, 230},
      {"valorComissao9", 539, 552}, {"valorAluguel10", 567, 580}, {"valorAluguel12", 651, 664},
      {"valorImposto12", 679, 692}, {"tipoImovel", 693, 693},     {"filler2", 788, 797}};
  for (const auto& c : colunas) {
    const clLayoutCpo* campo = l->LocalizaCampo(c.nome);
    ASSERT_NE(campo, nullptr) << c.nome;
    EXPECT_EQ(campo->inicio, c.inicio) << c.nome;
    EXPECT_EQ(campo->fim, c.fim) << c.nome;
  }
  for (const char* ausente :
       {"valorAluguel01", "valorAluguel13", "valorComissao", "valorImposto0"}) {
    EXPECT_FALSE(l->ExisteCampo(ausente)) << ausente;
  }
  auto intermediacao = teste::Compoe("DIMOB", "intermediacao");
  const clLayoutCpo* comissao = intermediacao->LocalizaCampo("valorComissao");
  ASSERT_NE(comissao, nullptr);
  EXPECT_EQ(comissao->inicio, 203);
  EXPECT_EQ(comissao->fim, 216);
}

// The same fields differ in type between the records: the postal code of a lease is a number and
// loses its leading zero when read, the one of a sale is text and keeps it.
TEST(DIMOB, LeaseRoundTripAndThePostalCodesType) {
  auto l = teste::Compoe("DIMOB", "locacao");
  l->InformaValor("tipo", "R02");
  l->InformaValor("cnpjDeclarante", "12345678000195");
  l->InformaValor("nomeLocador", "Imobiliária São João");
  l->InformaValor("valorAluguel3", "150075");
  l->InformaValor("valorImposto12", "1,6");  // no decimals: rounded
  l->InformaValor("cepImovel", "01310100");
  l->InformaValor("ufImovel", "SP");
  const std::string r = l->ExpandeLayout();
  EXPECT_EQ(ContaCaracteres(r), 797U);
  EXPECT_EQ(Subtexto(r, 40, 20), "Imobiliária São João");
  EXPECT_EQ(Subtexto(r, 272, 14), "00000000150075");
  EXPECT_EQ(Subtexto(r, 678, 14), "00000000000002");
  EXPECT_EQ(Subtexto(r, 753, 8), "01310100");
  EXPECT_EQ(Subtexto(r, 785, 2), "SP");

  auto lido = teste::Compoe("DIMOB", "locacao");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(Apara(lido->pegaValor("nomeLocador")), "Imobiliária São João");
  EXPECT_EQ(lido->pegaValor("valorAluguel3"), "150075");
  EXPECT_EQ(lido->pegaValor("cnpjDeclarante"), "12345678000195");
  EXPECT_EQ(lido->pegaValor("cepImovel"), "1310100");
  EXPECT_EQ(lido->ExpandeLayout(), r);

  auto venda = teste::Compoe("DIMOB", "incorporacao");
  venda->InformaValor("cepImovel", "01310100");
  venda->InformaValor("valorOperacao", "35000000");
  const std::string rv = venda->ExpandeLayout();
  EXPECT_EQ(rv.substr(114, 14), "00000035000000");
  auto vendaLida = teste::Compoe("DIMOB", "incorporacao");
  ASSERT_TRUE(vendaLida->PreencheLayoutApartirLinha(rv));
  EXPECT_EQ(vendaLida->pegaValor("cepImovel"), "01310100");
}

}  // namespace
}  // namespace lumbrava
