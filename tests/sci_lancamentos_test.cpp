// SCI entries, movements and registers: the first composer of the SCI chain.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/operador.h"
#include "tests/apoio.h"

namespace lumbrava {
namespace {

std::vector<std::string> Divide(const std::string& texto, char separador) {
  std::vector<std::string> partes(1);
  for (char c : texto) {
    if (c == separador) {
      partes.emplace_back();
    } else {
      partes.back() += c;
    }
  }
  return partes;
}

TEST(SCILancamentos, FieldCountsAndRecordLengths) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    const char* ultimo;
  } casos[] = {
      {"lancamentoComJuros", 10, 302, "participante"},
      {"lancamentoSemRateio", 8, 665, "lote"},
      {"lancamentoSemRateio2", 10, 300, "participante"},
      {"lancamentoComCC", 13, 336, "valor2"},
      {"lancamentoComRateio", 119, 1182, "CPNJCPFpartCredito"},
      {"movimentosDeServicos", 221, 2524, "valorDesc"},
      {"movimentosDeEntradas", 252, 2886, "codRetINSS"},
      {"movimentosProdutos", 65, 620, "percProdepe"},
      {"cadastroProdutos", 48, 658, "aliqDiferimento"},
      {"cadastroClientes", 23, 421, "enquadFed"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.nome);
    ASSERT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    EXPECT_EQ(l->campos().back()->nome, c.ultimo) << c.nome;
    // Side by side from column 1, no gap.
    int coluna = 1;
    for (const auto& campo : l->campos()) {
      EXPECT_EQ(campo->inicio, coluna) << c.nome << " " << campo->nome;
      coluna = campo->fim + 1;
    }
    // A new layout keeps its default settings.
    EXPECT_FALSE(l->leituraComPipe) << c.nome;
    EXPECT_FALSE(l->separaCasasDecimais) << c.nome;
  }
  // No "Campo ambíguo" nor "Campos conflitantes" while composing.
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST(SCILancamentos, FieldsAtTheirColumns) {
  const struct {
    const char* layout;
    const char* campo;
    int inicio, fim, decimais;
    const char* tipo;
  } casos[] = {
      {"lancamentoComJuros", "sequencia", 1, 6, 0, "C"},
      {"lancamentoSemRateio", "valor", 49, 65, 2, "N"},  // passed as "S"
      {"lancamentoSemRateio", "historicoPadrao", 66, 265, 0, "S"},
      {"lancamentoSemRateio2", "data", 7, 14, 0, "S"},
      {"lancamentoComCC", "tipoCC", 311, 311, 0, "S"},
      {"lancamentoComRateio", "valorLancamentoContabil", 31, 45, 2, "N"},
      {"movimentosDeServicos", "observacao", 118, 207, 0, "S"},
      {"movimentosDeServicos", "reducaoBaseCalcISS", 284, 290, 3, "N"},
      {"movimentosDeServicos", "codSituTrib", 1169, 1170, 2, "N"},
      {"movimentosDeServicos", "chaveNF", 1761, 1820, 0, "S"},
      {"movimentosDeServicos", "codContaGIF-IF", 2347, 2356, 0, "S"},
      {"movimentosDeServicos", "valorDesc", 2510, 2524, 2, "N"},
      {"movimentosDeEntradas", "numChave", 1, 6, 0, "N"},
      {"movimentosDeEntradas", "obs", 260, 349, 0, "S"},
      {"movimentosDeEntradas", "valorSubs", 186, 199, 2, "N"},
      {"movimentosDeEntradas", "sereiNFdif", 1191, 1193, 2, "N"},
      {"movimentosDeEntradas", "chaveNF", 2027, 2070, 0, "S"},
      {"movimentosDeEntradas", "chaveCTe", 2183, 2226, 0, "S"},
      {"movimentosDeEntradas", "chaveCTeRef", 2227, 2270, 0, "S"},
      {"movimentosDeEntradas", "codRetINSS", 2883, 2886, 0, "N"},
      {"movimentosProdutos", "numNF", 1, 4, 0, "N"},
      {"movimentosProdutos", "codProd", 5, 18, 0, "S"},
      {"movimentosProdutos", "codContaAnalitica", 335, 354, 0, "S"},
      {"movimentosProdutos", "tipoReceita", 401, 401, 2, "N"},
      {"movimentosProdutos", "ICMS-Strepassar", 435, 448, 2, "N"},
      {"movimentosProdutos", "percProdepe", 607, 620, 3, "N"},
      {"cadastroProdutos", "codProd", 1, 35, 0, "S"},
      {"cadastroProdutos", "percRedBaseCalcICMS", 371, 373, 4, "N"},
      {"cadastroProdutos", "aliqDiferimento", 652, 658, 4, "N"},
      {"cadastroClientes", "codCliente", 1, 6, 0, "N"},
      {"cadastroClientes", "pais", 371, 410, 0, "N"},
      {"cadastroClientes", "enquadFed", 421, 421, 0, "S"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.layout);
    const clLayoutCpo* campo = l->LocalizaCampo(c.campo);
    ASSERT_NE(campo, nullptr) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->nome, c.campo);
    EXPECT_EQ(campo->inicio, c.inicio) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->fim, c.fim) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->decimais, c.decimais) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->tipo, c.tipo) << c.layout << " " << c.campo;
  }
}

TEST(SCILancamentos, ApportionmentGroupsAreBuiltByNumber) {
  auto l = teste::Compoe("SCI", "lancamentoComRateio");
  const auto& campos = l->campos();
  ASSERT_EQ(campos.size(), 119U);
  const struct {
    std::size_t ordem;  // from 1
    const char* nome;
    int inicio, fim, decimais;
    const char* tipo;
  } casos[] = {
      {9, "loteLancamento", 269, 278, 0, "S"},
      {10, "rateioCentroCusto01naConta", 279, 279, 0, "S"},
      {11, "centroDeCusto01", 280, 287, 0, "S"},
      {12, "valorCentroDeCusto01", 288, 302, 2, "N"},
      {34, "rateioCentroCusto09naConta", 471, 471, 0, "S"},
      {37, "rateioCentroCusto10naConta", 495, 495, 0, "S"},
      {61, "rateioCentroCusto18naConta", 687, 687, 0, "S"},
      {62, "centroDeCusto18", 688, 695, 0, "S"},
      {63, "valorCentroDeCusto18", 696, 710, 2, "N"},
      {115, "rateioCentroCusto36naConta", 1119, 1119, 0, "S"},
      {116, "centroDeCusto36", 1120, 1127, 0, "S"},
      {117, "valorCentroDeCusto36", 1128, 1142, 2, "N"},
      {118, "CPNJCPFpartDebito", 1143, 1162, 0, "S"},
  };
  for (const auto& c : casos) {
    const clLayoutCpo& campo = *campos[c.ordem - 1];
    EXPECT_EQ(campo.nome, c.nome) << "field " << c.ordem;
    EXPECT_EQ(campo.inicio, c.inicio) << c.nome;
    EXPECT_EQ(campo.fim, c.fim) << c.nome;
    EXPECT_EQ(campo.decimais, c.decimais) << c.nome;
    EXPECT_EQ(campo.tipo, c.tipo) << c.nome;
  }
  for (const char* ausente : {"rateioCentroCusto37naConta", "centroDeCusto37",
                              "valorCentroDeCusto37", "centroDeCusto00", "centroDeCusto1"}) {
    EXPECT_FALSE(l->ExisteCampo(ausente)) << ausente;
  }
}

TEST(SCILancamentos, UnknownNameLeavesTheLayoutEmpty) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  for (const char* nome : {"", "LancamentoComJuros", "lancamentocomjuros", "lancamentoComJuros ",
                           "lancamentoSemRateio3", "lancamento", "MovimentosDeEntradas",
                           "CADASTROCLIENTES", "lancamentos", "E01", "folha"}) {
    auto l = teste::Compoe("SCI", nome);
    EXPECT_TRUE(l->campos().empty()) << '"' << nome << '"';
    EXPECT_EQ(l->TamanhoRegistro(), 0) << '"' << nome << '"';
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST(SCILancamentos, QualifiedFieldsCarryTheDoubleQuote) {
  const std::set<std::string> qualificados = {
      "codProd",        "apelidoProd",         "descProd",      "unMedida",
      "situCST",        "codGenItemSPED",      "codServSPED",   "codCombustivelANP",
      "marcaComercial", "tabelaIncienciaProd", "codGrupo",      "CNPJFornProd",
      "codBarrasProd",  "codServDIEF",         "codProdutoDIEF"};
  for (const char* layout :
       {"lancamentoComJuros", "lancamentoSemRateio", "lancamentoSemRateio2", "lancamentoComCC",
        "lancamentoComRateio", "movimentosDeServicos", "movimentosDeEntradas", "movimentosProdutos",
        "cadastroProdutos", "cadastroClientes"}) {
    const bool produtos = std::string(layout) == "cadastroProdutos";
    std::size_t contados = 0;
    auto l = teste::Compoe("SCI", layout);
    for (const auto& campo : l->campos()) {
      const bool qualificado = produtos && qualificados.count(campo->nome) > 0;
      EXPECT_EQ(campo->qualificador, qualificado ? "\"" : "") << layout << " " << campo->nome;
      contados += qualificado ? 1 : 0;
      EXPECT_TRUE(campo->operacao.empty() && campo->alinhamento.empty() && !campo->semFormatacao &&
                  !campo->eliminaEspacos && !campo->configuracaoParticular)
          << layout << " " << campo->nome;
    }
    EXPECT_EQ(contados, produtos ? qualificados.size() : 0U) << layout;
  }
}

TEST(SCILancamentos, DelimitedRecordQuotesQualifiedValues) {
  auto l = teste::Compoe("SCI", "cadastroProdutos");
  l->InformaValor("codProd", "AB\"C 1");
  l->InformaValor("apelidoProd", "  parafuso ");
  l->InformaValor("codNBM-NCM", "73181500");
  l->InformaValor("unMedida", "UN");
  l->InformaValor("aliqICMSProd", "18");
  const std::vector<std::string> partes = Divide(l->ExpandeLayoutDiv(";", "", true), ';');
  ASSERT_EQ(partes.size(), 48U);
  EXPECT_EQ(partes[0], "\"AB C 1\"");    // the quote inside becomes a blank
  EXPECT_EQ(partes[1], "\"parafuso\"");  // trimmed, then quoted
  EXPECT_EQ(partes[2], "\"\"");          // empty but qualified
  EXPECT_EQ(partes[3], "73181500");      // no qualifier
  EXPECT_EQ(partes[4], "\"UN\"");
  EXPECT_EQ(partes[5], "000000001800");  // numeric, implied decimals
  EXPECT_EQ(partes[8], "");              // unqualified empty text
}

TEST(SCILancamentos, FixedWidthRoundTrip) {
  auto l = teste::Compoe("SCI", "lancamentoComRateio");
  l->InformaValor("sequencia", "000042");
  l->InformaValor("dataLancamentoAAAAMMDD", "20240131");
  l->InformaValor("contaLancadaDebito", "1234");
  l->InformaValor("valorLancamentoContabil", "1500,75");
  l->InformaValor("complementoHistorico", "PAGTO FORNECEDOR");
  l->InformaValor("rateioCentroCusto01naConta", "S");
  l->InformaValor("centroDeCusto01", "CC01");
  l->InformaValor("valorCentroDeCusto01", "-1000,5");
  l->InformaValor("valorCentroDeCusto36", "500,25");
  l->InformaValor("CPNJCPFpartCredito", "12345678000190");
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(linha.size(), 1182U);
  EXPECT_EQ(linha.substr(0, 6), "000042");
  EXPECT_EQ(linha.substr(14, 8), "1234    ");  // text account, left-aligned
  EXPECT_EQ(linha.substr(30, 15), "000000000150075");
  EXPECT_EQ(linha.substr(278, 1), "S");
  EXPECT_EQ(linha.substr(287, 15), "-00000000100050");
  EXPECT_EQ(linha.substr(1127, 15), "000000000050025");
  EXPECT_EQ(linha.substr(1162, 20), "12345678000190      ");

  auto lido = teste::Compoe("SCI", "lancamentoComRateio");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("valorLancamentoContabil"), "1500,75");
  EXPECT_EQ(lido->pegaValor("valorCentroDeCusto01"), "-1000,50");
  EXPECT_EQ(lido->pegaValor("valorCentroDeCusto36"), "500,25");
  EXPECT_EQ(lido->pegaValor("centroDeCusto01"), "CC01    ");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
