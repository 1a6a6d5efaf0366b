#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Sage, FiguresOfEveryLayout) {
  teste::ConfereFiguras("Sage", {{"lancHeader", 9, 100, "tipoRegistro", "sequencial"},
                                 {"lancamento", 16, 200, "tipoRegistro", "delimitador2"},
                                 {"historicoEspecial", 4, 100, "tipoRegistro", "sequencial"},
                                 {"inventario", 9, 100, "codigo", "sequencial"},
                                 {"headerNF", 8, 500, "tipoRegistro", "sequencial"},
                                 {"notafiscal", 56, 600, "tipoRegistro", "sequencial"},
                                 {"pessoaNF", 27, 500, "tipoRegistro", "sequencial"},
                                 {"produtoNF", 50, 500, "tipoRegistro", "sequencial"},
                                 {"unidade", 5, 500, "unidade", "sequencial"},
                                 {"produto", 19, 500, "codigo", "sequencial"},
                                 {"cliforn", 7, 300, "cnpj", "sequencial"},
                                 {"detalheNFLancadas", 40, 500, "tipo", "sequencia"},
                                 {"headerFolha", 3, 17, "tipo", "reservado"},
                                 {"detalheFolha", 10, 44, "tipo", "codEventoMaior"},
                                 {"folhaPipe", 6, 49, "codFunc", "codEventoMaior"},
                                 {"ativoImobAO3", 55, 770, "tipoReg", "codBemFiscal"},
                                 // Listed by the catalogue but not built; other systems' names;
                                 // names in another case or cut short.
                                 {"headerNFLancadas", 0, 0, "", ""},
                                 {"lancamentos", 0, 0, "", ""},
                                 {"Inventario", 0, 0, "", ""},
                                 {"produtonf", 0, 0, "", ""},
                                 {"ProdutoNF", 0, 0, "", ""},
                                 {"ativoImob", 0, 0, "", ""},
                                 {"lancHeader ", 0, 0, "", ""},
                                 {"", 0, 0, "", ""}});
}

TEST(Sage, ListedNameWithoutFieldsComesOutEmpty) {
  auto operador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(operador);
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro("Sage", "headerNFLancadas");
  ASSERT_NE(l, nullptr);
  EXPECT_TRUE(l->campos().empty());
  EXPECT_EQ(catalogo.LocalizaCriaLayoutRegistro("Sage", "detalheNFLancadas")->campos().size(), 40U);
  EXPECT_TRUE(operador->mensagens.empty());
}

// Only the posted invoice items and the payroll detail write separaCasasDecimais, over whatever
// the layout held; folhaPipe is read by columns like the others.
TEST(Sage, ImpliedDecimalsWrittenOverTheLayoutsSetting) {
  for (const char* nome : {"detalheNFLancadas", "detalheFolha", "unidade", "headerFolha",
                           "folhaPipe", "ativoImobAO3", "nada"}) {
    const std::string n = nome;
    clLayoutReg l;
    l.separaCasasDecimais = true;
    l.CompoeLayout("Sage", n);
    EXPECT_EQ(l.separaCasasDecimais, n != "detalheNFLancadas" && n != "detalheFolha") << n;
    EXPECT_FALSE(l.leituraComPipe) << n;
  }
}

TEST(Sage, IrregularRows) {
  // Passed as text with 2 decimals: stored as numbers.
  EXPECT_EQ(teste::Compoe("Sage", "lancHeader")->LocalizaCampo("totalLote")->tipo, "N");
  auto notas = teste::Compoe("Sage", "notafiscal");
  EXPECT_EQ(notas->LocalizaCampo("filler2")->inicio, 412);
  EXPECT_EQ(notas->LocalizaCampo("filler3")->inicio, 520);
  EXPECT_EQ(notas->LocalizaCampo("filler")->inicio, 585);
  EXPECT_EQ(notas->LocalizaCampo("operacao")->inicio, 516);  // a field like any other
  EXPECT_EQ(notas->LocalizaCampo("operacao")->operacao, "");
  auto ativo = teste::Compoe("Sage", "ativoImobAO3");
  EXPECT_EQ(ativo->LocalizaCampo("sequencia")->inicio, 395);
  EXPECT_EQ(ativo->LocalizaCampo("depreciacao")->decimais, 0);
  auto detalhe = teste::Compoe("Sage", "detalheFolha");
  EXPECT_EQ(detalhe->LocalizaCampo("valor")->decimais, 0);
  EXPECT_EQ(detalhe->LocalizaCampo("codEventoMaior")->inicio, 40);
}

TEST(Sage, EntryRoundTrip) {
  auto l = teste::Compoe("Sage", "lancamento");
  EXPECT_EQ(l->LocalizaCampo("valor")->tipo, "N");
  l->InformaValor("tipoRegistro", "L");
  l->InformaValor("dataLanc", "31012024");
  l->InformaValor("contaDebito", "101");
  l->InformaValor("contaCredito", "2015");
  l->InformaValor("complemento", "Depósito NF 12");
  l->InformaValor("valor", "1234,5");
  l->InformaValor("observacoes", "Aluguel de março");
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(linha), 200U);
  EXPECT_EQ(linha.substr(0, 21), "L31012024000101002015");
  EXPECT_EQ(Subtexto(linha, 24, 25), "Depósito NF 12           ");
  EXPECT_EQ(Subtexto(linha, 49, 15), "000000000123450");
  auto lido = teste::Compoe("Sage", "lancamento");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("valor"), "1234,50");
  EXPECT_EQ(lido->pegaValor("contaCredito"), "2015");
  EXPECT_EQ(Apara(lido->pegaValor("complemento")), "Depósito NF 12");
  EXPECT_EQ(Apara(lido->pegaValor("observacoes")), "Aluguel de março");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

// The payroll event of "folhaPipe" is a fixed-width record with implied decimals.
TEST(Sage, PayrollPipeLayoutHasColumns) {
  auto l = teste::Compoe("Sage", "folhaPipe");
  l->InformaValor("codFunc", "123");
  l->InformaValor("codEvento", "5");
  l->InformaValor("horas", "8,5");
  l->InformaValor("valor", "1520,75");
  l->InformaValor("codEventoMaior", "10005");
  const std::string linha = l->ExpandeLayout();
  EXPECT_EQ(linha,
            "00123"
            "005"
            "00850"
            "00000152075" +
                std::string(20, '0') + "10005");
  auto lido = teste::Compoe("Sage", "folhaPipe");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("horas"), "8,50");
  EXPECT_EQ(lido->pegaValor("valor"), "1520,75");
  EXPECT_EQ(lido->pegaValor("codEventoMaior"), "10005");
}

}  // namespace
}  // namespace lumbrava
