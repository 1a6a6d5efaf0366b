// SCI: the whole chain's figures, and the entries, movements and registers of its first composer.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

// Every name is asked of the first composer: those of the second and third are reached along the
// chain, and a name that none knows composes nothing.
TEST(SCI, Figures) {
  constexpr std::string_view s = "separaCasasDecimais";
  teste::ConfereFiguras(
      "SCI", {
                 {"lancamentoComJuros", 10, 302, "sequencia", "participante"},
                 {"lancamentoSemRateio", 8, 665, "sequencia", "lote"},
                 {"lancamentoSemRateio2", 10, 300, "sequencia", "participante"},
                 {"lancamentoComCC", 13, 336, "sequencia", "valor2"},
                 {"lancamentoComRateio", 119, 1182, "sequencia", "CPNJCPFpartCredito"},
                 {"movimentosDeServicos", 221, 2524, "sequencia", "valorDesc"},
                 {"movimentosDeEntradas", 252, 2886, "numChave", "codRetINSS"},
                 {"movimentosProdutos", 65, 620, "numNF", "percProdepe"},
                 {"cadastroProdutos", 48, 658, "codProd", "aliqDiferimento"},
                 {"cadastroClientes", 23, 421, "codCliente", "enquadFed"},
                 {"ativoImobilizado", 46, 934, "codBem", "metodoAprop"},
                 {"movimentosDeSaida", 260, 3087, "numChaveImport", "baseCalcInciIPIeISSext"},
                 {"inventario", 17, 1201, "codProduto", "valorTotalImpRenda"},
                 {"ativo00", 4, 218, "Fixo", "versao"},
                 {"ativo10", 49, 729, "Fixo", "aliquotaCofins", s},
                 {"ativo20", 10, 85, "Fixo", "vlAqSoc", s},
                 {"ativo30", 6, 236, "Fixo", "tipoContab", s},
                 {"F100", 53, 851, "tipoDoc", "valorComissao"},
                 {"OperacaoImobsPagamento", 30, 610, "descEmpreendPai", "valorAcrescimo"},
                 {"CadastroUnidadeImob", 20, 628, "descEmpreendPai", "telefone"},
                 {"OperacoesImobs", 17, 546, "descEmpreendPai", "valorComissao"},
                 {"nfServico", 235, 2910, "chave", "baseRetINSS"},
                 {"baixaDup", 32, 310, "numParc", "ordemBaixa"},
                 {"cadastroContratosImob", 11, 195, "numChave", "descricaoComplement"},
                 {"LancamentoComJuros", 0, 0, "", ""},
                 {"lancamentoComJuros ", 0, 0, "", ""},
                 {"lancamentoSemRateio3", 0, 0, "", ""},
                 {"movimentosDeSaidas", 0, 0, "", ""},
                 {"f100", 0, 0, "", ""},
                 {"nfServico ", 0, 0, "", ""},
                 {"lancamentos", 0, 0, "", ""},
                 {"", 0, 0, "", ""},
             });
}

// The double quote stands on exactly so many fields of each layout, and on no other.
TEST(SCI, QualifiedFieldsPerLayout) {
  const std::map<std::string, std::size_t> qualificados = {
      {"cadastroProdutos", 15},   {"inventario", 5},           {"OperacaoImobsPagamento", 12},
      {"CadastroUnidadeImob", 8}, {"OperacoesImobs", 10},      {"nfServico", 14},
      {"baixaDup", 19},           {"cadastroContratosImob", 6}};
  for (const std::string& nome : clProdutos::LayoutsDoProduto("SCI")) {
    auto l = teste::Compoe("SCI", nome);
    std::size_t n = 0;
    for (const auto& c : l->campos()) {
      EXPECT_TRUE(c->qualificador.empty() || c->qualificador == "\"") << nome << " " << c->nome;
      n += c->qualificador.empty() ? 0 : 1;
    }
    const auto it = qualificados.find(nome);
    EXPECT_EQ(n, it == qualificados.end() ? 0U : it->second) << nome;
  }
}

// 36 groups of three fields whose names carry the group's number in two digits.
TEST(SCI, ApportionmentGroupsBuiltByNumber) {
  auto l = teste::Compoe("SCI", "lancamentoComRateio");
  std::size_t construidos = 0;
  for (const auto& c : l->campos()) {
    for (const char* prefixo : {"rateioCentroCusto", "centroDeCusto", "valorCentroDeCusto"}) {
      construidos += c->nome.starts_with(prefixo) ? 1 : 0;
    }
  }
  EXPECT_EQ(construidos, 108U);
  const auto& campos = l->campos();
  const struct {
    std::size_t ordem;  // from 1
    const char* nome;
    int inicio;
  } casos[] = {{10, "rateioCentroCusto01naConta", 279}, {12, "valorCentroDeCusto01", 288},
               {34, "rateioCentroCusto09naConta", 471}, {37, "rateioCentroCusto10naConta", 495},
               {116, "centroDeCusto36", 1120},          {117, "valorCentroDeCusto36", 1128}};
  for (const auto& c : casos) {
    EXPECT_EQ(campos[c.ordem - 1]->nome, c.nome);
    EXPECT_EQ(campos[c.ordem - 1]->inicio, c.inicio) << c.nome;
  }
  EXPECT_EQ(campos[116]->fim, 1142);
  EXPECT_EQ(campos[116]->decimais, 2);
  EXPECT_EQ(campos[116]->tipo, "N");  // passed "S" with decimals
  EXPECT_FALSE(l->ExisteCampo("centroDeCusto37") || l->ExisteCampo("centroDeCusto1"));
}

// A qualified value is trimmed, a quote inside it becomes a blank, and an empty one still gets
// its quotes; an unqualified field between qualified ones gets none.
TEST(SCI, DelimitedRecordQuotesQualifiedValues) {
  auto l = teste::Compoe("SCI", "cadastroProdutos");
  l->InformaValor("codProd", "AB\"C 1");
  l->InformaValor("apelidoProd", "  parafuso ");
  l->InformaValor("codNBM-NCM", "73181500");
  l->InformaValor("unMedida", "UN");
  l->InformaValor("aliqICMSProd", "18");
  const std::string esperado = "\"AB C 1\";\"parafuso\";\"\";73181500;\"UN\";000000001800;\"\";";
  EXPECT_EQ(l->ExpandeLayoutDiv(";", "", true).substr(0, esperado.size()), esperado);
}

TEST(SCI, ApportionedEntryRoundTrip) {
  auto l = teste::Compoe("SCI", "lancamentoComRateio");
  l->InformaValor("dataLancamentoAAAAMMDD", "20240131");
  l->InformaValor("contaLancadaDebito", "1234");
  l->InformaValor("valorLancamentoContabil", "1500,75");
  l->InformaValor("complementoHistorico", "Depósito do mês");
  l->InformaValor("centroDeCusto01", "CC01");
  l->InformaValor("valorCentroDeCusto01", "-1000,5");
  l->InformaValor("valorCentroDeCusto36", "500,25");
  l->InformaValor("CPNJCPFpartCredito", "12345678000190");
  const std::string r = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(r), 1182U);
  EXPECT_EQ(Subtexto(r, 14, 8), "1234    ");  // a text account, left-aligned
  EXPECT_EQ(Subtexto(r, 30, 15), "000000000150075");
  EXPECT_EQ(Subtexto(r, 53, 16), "Depósito do mês ");
  EXPECT_EQ(Subtexto(r, 287, 15), "-00000000100050");
  EXPECT_EQ(Subtexto(r, 1127, 35), "000000000050025" + std::string(20, ' '));

  auto lido = teste::Compoe("SCI", "lancamentoComRateio");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("valorLancamentoContabil"), "1500,75");
  EXPECT_EQ(lido->pegaValor("valorCentroDeCusto01"), "-1000,50");
  EXPECT_EQ(Apara(lido->pegaValor("complementoHistorico")), "Depósito do mês");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

}  // namespace
}  // namespace lumbrava
