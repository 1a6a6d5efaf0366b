// Dominio's invoice, register and complementary records, composed through the invoice composer and,
// for the names it does not know, the complements at the end of the chain.
#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "common/operador.h"
#include "layouts/catalogue/composicao.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava::catalogo {
extern const Compositor CompoeDominioNotasFiscais;
}

namespace lumbrava {
namespace {

std::unique_ptr<clLayoutReg> Compoe(const std::string& registro) {
  auto layout = std::make_unique<clLayoutReg>();
  layout->nomeRegistro = registro;
  catalogo::Compoe(catalogo::CompoeDominioNotasFiscais, *layout, registro);
  return layout;
}

// The settings most of these layouts close with (the separator written is the usual ",").
constexpr std::string_view kQuatro =
    "separaCasasDecimais espacoNosNumerosVazios separadorNoFinalDeCadaCampo";

const teste::Figuras kFiguras[] = {
    // The invoice composer's own.
    {"nfEntrada1000", 93, 4851, "idReg", "classServPrestIndicativo"},
    {"nfEntradaImpo1020", 14, 700, "idReg", "valorParcRed"},
    {"nfEntradaPIS/COFINS1090", 20, 1000, "idReg", "codRecCOFINS"},
    {"nfEntradasParcelas1500", 14, 700, "idReg", "numTit",
     "separaCasasDecimais espacoNosNumerosVazios"},
    {"nfSaida", 73, 1304, "identif", "consumidorFinal", kQuatro},
    {"nfSaidaInfoCompl", 3, 314, "identificacao", "descricao", kQuatro},
    {"nfSaidaImpostos", 13, 162, "identificacao", "codRecolhimento", kQuatro},
    {"nfSaidaEstoque", 106, 1566, "identificacao", "codCEST", kQuatro},
    {"nfSaidaICMS", 4, 43, "identificacao", "valorFCP", kQuatro},
    {"nfSaidaDoc", 10, 80, "identificacao", "chaveNFe", kQuatro},
    {"nfSaidaParcelas", 22, 1100, "idReg", "numTit", "separaCasasDecimais espacoNosNumerosVazios"},
    {"cadCli", 30, 555, "identificacao", "inscritoProgAq", kQuatro},
    {"cadForn", 31, 600, "identificacao", "contribuinteCPRB", kQuatro},
    {"produtos", 90, 1612, "identificacao", "registroExportacao", kQuatro},
    {"nfEntradaDocRef", 10, 132, "identificacao", "chaveNF"},
    {"nfEntradaEstoque1030", 91, 1484, "identificacao", "codCEST", kQuatro},
    // The complements, reached through the invoice composer.
    {"nfInformacoesMunicipais1040", 4, 200, "identificacao", "descricao",
     "separadorNoFinalDeCadaCampo"},
    {"nfEntradaDocReferenciados1081", 10, 451, "identificacao", "chaveNFe",
     "separadorNoFinalDeCadaCampo"},
    {"lmcCabecalho", 3, 62, "identificacao", "data"},
    {"lmcTanque", 6, 64, "identificacao", "volGanhos"},
    {"lmcBico", 7, 77, "identificacao", "vlVendas"},
    {"lmcFiscal", 4, 75, "identificacao", "volReceb"},
    {"competencia", 2, 12, "identificacao", "dataCompetencia", kQuatro},
    {"posse", 8, 71, "identificacao", "contaContab", kQuatro},
    {"nfICMS1200", 4, 43, "identificacao", "valorICMSSimples", kQuatro},
    {"lanc1300", 9, 287, "identificacao", "codFilial", kQuatro},
    {"lanc1310", 4, 43, "identificacao", "vl", kQuatro},
    {"recebContratoImob", 15, 209, "id5700", "baseCOFINS", kQuatro},
    {"recebContratoImobLancs", 9, 597, "id5710", "codFilial", kQuatro},
    {"inventarioSaldoEstoque", 6, 140, "produto", "conta", kQuatro},
    {"lancamentosMultiSCP", 11, 395, "data", "SCP", "separaCasasDecimais"},
    {"contratosMercantis", 15, 330, "codigo", "IOF", kQuatro},
};

// Every layout against the figures its source states; fields lie side by side from column 1, and
// nothing is reported while composing (no ambiguous or conflicting field).
TEST(DominioNotas, FiguresOfEveryLayout) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  for (const teste::Figuras& f : kFiguras) {
    SCOPED_TRACE(std::string(f.layout));
    auto l = Compoe(std::string(f.layout));
    ASSERT_EQ(l->campos().size(), f.campos);
    EXPECT_EQ(l->TamanhoRegistro(), f.colunas);
    EXPECT_EQ(l->campos().front()->nome, f.primeiro);
    EXPECT_EQ(l->campos().back()->nome, f.ultimo);
    EXPECT_EQ(teste::AjustesDiferentes(*l), f.ajustes);
    int coluna = 1;
    for (const auto& c : l->campos()) {
      EXPECT_EQ(c->inicio, coluna) << c->nome;
      coluna = c->fim + 1;
      // Every field with decimals is numeric, whatever type text its row gives.
      EXPECT_TRUE(c->decimais == 0 || c->tipo == "N") << c->nome;
      EXPECT_TRUE(c->tipo == "N" || c->tipo == "S") << c->nome;
      EXPECT_TRUE(c->alinhamento.empty() && c->operacao.empty() && c->qualificador.empty() &&
                  !c->eliminaEspacos && !c->configuracaoParticular)
          << c->nome;
    }
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

// Names are compared whole and exactly; a name neither composer knows composes nothing and leaves
// every setting as it was.
TEST(DominioNotas, UnknownNamesComposeNothing) {
  for (const char* nome :
       {"NFSAIDA", "nfsaida", "nfSaida ", " nfSaida", "nfSaidaX", "nfEntradaParcelas1500",
        "nfEntradaPISCOFINS1090", "nfEntradaPIS/cofins1090", "nfEntradaDocReferenciados",
        "LmcTanque", "CONTRATOSMERCANTIS", "lancamentosMultiSCP ", "Competencia", "",
        "lancamentos"}) {
    SCOPED_TRACE(std::string("'") + nome + "'");
    auto l = Compoe(nome);
    EXPECT_TRUE(l->campos().empty());
    EXPECT_EQ(teste::AjustesDiferentes(*l), "");
  }
  clLayoutReg l;
  l.espacoAdireitaNumeros = true;
  l.separadorCasasDecimais = ".";
  catalogo::Compoe(catalogo::CompoeDominioNotasFiscais, l, "posse ");
  EXPECT_TRUE(l.campos().empty());
  EXPECT_EQ(teste::AjustesDiferentes(l), "espacoAdireitaNumeros separadorCasasDecimais=.");
}

// A name that begins with one of the invoice composer's names still goes on to the complements.
TEST(DominioNotas, ChainTakesTheWholeName) {
  auto ref = Compoe("nfEntradaDocRef");
  auto referenciados = Compoe("nfEntradaDocReferenciados1081");
  ASSERT_NE(ref->LocalizaCampo("op"), nullptr);
  EXPECT_EQ(ref->LocalizaCampo("op")->fim, 5);
  EXPECT_EQ(referenciados->LocalizaCampo("op"), nullptr);
  const clLayoutCpo* operacao = referenciados->LocalizaCampo("operacao");
  ASSERT_NE(operacao, nullptr);
  EXPECT_EQ(operacao->inicio, 51);
  EXPECT_EQ(operacao->fim, 100);
  // Its one-column issuer is numeric without decimals.
  const clLayoutCpo* emitente = referenciados->LocalizaCampo("emitente");
  EXPECT_EQ(emitente->inicio, 401);
  EXPECT_EQ(emitente->tamanho, 1);
  EXPECT_EQ(emitente->tipo, "N");
}

// The rows that break their layouts' patterns.
TEST(DominioNotas, IrregularRows) {
  // Numeric fields without decimals, and fields written as they are: these alone in all 32.
  std::set<std::string> numericosSemDecimais;
  std::set<std::string> semFormatacao;
  for (const teste::Figuras& f : kFiguras) {
    auto l = Compoe(std::string(f.layout));
    for (const auto& c : l->campos()) {
      if (c->tipo == "N" && c->decimais == 0) {
        numericosSemDecimais.insert(std::string(f.layout) + "." + c->nome);
      }
      if (c->semFormatacao) {
        semFormatacao.insert(std::string(f.layout) + "." + c->nome);
      }
    }
  }
  EXPECT_EQ(numericosSemDecimais,
            (std::set<std::string>{"nfSaida.codAcumulador", "nfSaida.cfop",
                                   "nfEntradaDocReferenciados1081.emitente"}));
  EXPECT_EQ(semFormatacao,
            (std::set<std::string>{"nfEntradaImpo1020.valorSubsTrib", "nfEntradaEstoque1030.CSTPIS",
                                   "nfEntradaEstoque1030.CSTCOFINS"}));

  // nfSaida: a one-column text between two 13-column amounts.
  auto saida = Compoe("nfSaida");
  EXPECT_EQ(saida->LocalizaCampo("valProdutos")->fim, 334);
  EXPECT_EQ(saida->LocalizaCampo("valorBaseICMS")->inicio, 335);
  EXPECT_EQ(saida->LocalizaCampo("valorBaseICMS")->fim, 335);
  EXPECT_EQ(saida->LocalizaCampo("outrasSaidas")->inicio, 336);
  EXPECT_EQ(saida->LocalizaCampo("outrasSaidas")->tipo, "S");

  // nfSaidaEstoque: decimals 4 on five fields, 3 on two, 2 on the other amounts.
  std::size_t por[5] = {};
  auto estoque = Compoe("nfSaidaEstoque");
  for (const auto& c : estoque->campos()) {
    ASSERT_LE(c->decimais, 4) << c->nome;
    ++por[c->decimais];
  }
  EXPECT_EQ(por[4], 5u);
  EXPECT_EQ(por[3], 2u);
  EXPECT_EQ(por[1], 0u);
  EXPECT_EQ(estoque->LocalizaCampo("qtCOFINSPorUnid")->decimais, 3);

  // The supplier's wider country code moves every later field by 4 columns.
  EXPECT_EQ(Compoe("cadCli")->LocalizaCampo("cep")->inicio, 401);
  EXPECT_EQ(Compoe("cadForn")->LocalizaCampo("cep")->inicio, 405);
  EXPECT_EQ(Compoe("cadForn")->LocalizaCampo("inscricaoCliente")->inicio, 5);

  // Products: names beginning with digits, two different product kinds.
  auto produtos = Compoe("produtos");
  ASSERT_NE(produtos->LocalizaCampo("88STInforma"), nullptr);
  EXPECT_EQ(produtos->LocalizaCampo("88STInforma")->inicio, 1092);
  EXPECT_EQ(produtos->LocalizaCampo("88STCodProdSefaz")->tamanho, 10);
  EXPECT_EQ(produtos->LocalizaCampo("tipoProduto")->inicio, 792);
  EXPECT_EQ(produtos->LocalizaCampo("tipoProd")->inicio, 1258);
  EXPECT_EQ(produtos->LocalizaCampo("DNFFatorConversao")->decimais, 3);

  // Stock balance and commercial contracts: amounts passed as text with decimals are numeric.
  auto saldo = Compoe("inventarioSaldoEstoque");
  EXPECT_EQ(saldo->LocalizaCampo("valorUnit")->tipo, "N");
  EXPECT_EQ(saldo->LocalizaCampo("valorUnit")->decimais, 6);
  EXPECT_EQ(saldo->LocalizaCampo("valorFinal")->tipo, "N");
  EXPECT_EQ(saldo->LocalizaCampo("quantidade")->tipo, "S");
  std::size_t numericos = 0;
  auto contratos = Compoe("contratosMercantis");
  for (const auto& c : contratos->campos()) {
    numericos += c->tipo == "N" ? 1 : 0;
  }
  EXPECT_EQ(numericos, 6u);

  // Values that other layouts hold as numbers are text here.
  EXPECT_EQ(Compoe("lmcFiscal")->LocalizaCampo("volReceb")->tipo, "S");
  EXPECT_EQ(Compoe("lmcTanque")->LocalizaCampo("volReceb"), nullptr);
  EXPECT_EQ(Compoe("lancamentosMultiSCP")->LocalizaCampo("valor")->tipo, "S");
  EXPECT_EQ(Compoe("nfEntradaEstoque1030")->LocalizaCampo("aliqICMS")->tipo, "S");
  EXPECT_EQ(Compoe("nfEntradaEstoque1030")->LocalizaCampo("vlUnit")->decimais, 4);
}

// Outgoing invoice: each field ends with the field separator, amounts with their comma and blanks
// on the left, an empty amount in blanks.
TEST(DominioNotas, OutgoingInvoiceRoundTrip) {
  auto l = Compoe("nfSaida");
  const struct {
    const char* campo;
    const char* valor;
    const char* lido;
  } valores[] = {
      {"identif", "0020", "0020"},
      {"inscricaoCliente", "12345678000199", "12345678000199"},
      {"codAcumulador", "12", "12"},
      {"dataSaida", "05/03/2024", "05/03/2024"},
      {"valContab", "1234,5", "1234,50"},
      {"obs", "Devolução de mercadoria", "Devolução de mercadoria"},
      {"aliqPIS", "0,65", "0,65"},
      {"pedagio", "", ""},
      {"consumidorFinal", "1", "1"},
  };
  for (const auto& v : valores) {
    ASSERT_TRUE(l->InformaValor(v.campo, v.valor)) << v.campo;
  }
  const std::string linha = l->ExpandeLayout();
  // Each field's columns are followed by ";": a field's offset is its first column - 1 plus the
  // separators of the fields before it.
  EXPECT_EQ(linha.substr(0, 5), "0020;");
  EXPECT_EQ(linha.substr(25 + 3, 11), "        12;");       // codAcumulador, 26-35
  EXPECT_EQ(linha.substr(91 + 11, 11), "05/03/2024;");      // dataSaida, 92-101
  EXPECT_EQ(linha.substr(111 + 13, 14), "      1234,50;");  // valContab, 112-124
  EXPECT_EQ(linha.substr(137 + 15, 11), "Devolução");       // obs, 138-217 (UTF-8)
  // From pedagio (1236) on: three empty amounts in blanks, two empty texts, consumidorFinal.
  const std::string a = std::string(13, ' ') + ";";
  const std::string t = std::string(10, ' ') + ";";
  const std::string fim = ";" + a + a + a + t + t + "1         ;";
  EXPECT_EQ(linha.substr(linha.size() - fim.size()), fim);

  auto lida = Compoe("nfSaida");
  ASSERT_TRUE(lida->PreencheLayoutApartirLinha(linha));
  for (const auto& v : valores) {
    std::string lido = lida->pegaValor(v.campo);
    lido.erase(lido.find_last_not_of(' ') + 1);
    EXPECT_EQ(lido, v.lido) << v.campo;
  }
  EXPECT_EQ(lida->ExpandeLayout(), linha);
}

// Stock balance from the complements: the unit value and the final value, passed as text with
// decimals, are written as numbers; the quantity stays text.
TEST(DominioNotas, StockBalanceRoundTrip) {
  auto l = Compoe("inventarioSaldoEstoque");
  ASSERT_TRUE(l->InformaValor("produto", "P001"));
  ASSERT_TRUE(l->InformaValor("descricao", "Óleo diesel S10"));
  ASSERT_TRUE(l->InformaValor("quantidade", "10,5"));
  ASSERT_TRUE(l->InformaValor("valorUnit", "6,123456"));
  ASSERT_TRUE(l->InformaValor("valorFinal", "64,3"));
  const std::string linha = l->ExpandeLayout();
  EXPECT_EQ(linha, "P001      ;Óleo diesel S10" + std::string(35, ' ') + ";10,5" +
                       std::string(16, ' ') + ";" + std::string(12, ' ') + "6,123456;" +
                       std::string(14, ' ') + "64,300;" + std::string(20, ' ') + ";");

  auto lida = Compoe("inventarioSaldoEstoque");
  ASSERT_TRUE(lida->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lida->pegaValor("descricao"), "Óleo diesel S10" + std::string(35, ' '));
  EXPECT_EQ(lida->pegaValor("valorUnit"), "6,123456");
  EXPECT_EQ(lida->pegaValor("valorFinal"), "64,300");
  EXPECT_EQ(lida->pegaValor("quantidade"), "10,5" + std::string(16, ' '));
  EXPECT_EQ(lida->pegaValor("conta"), std::string(20, ' '));
  EXPECT_EQ(lida->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
