// SCI service invoices, bill settlements and real-estate contracts, composed through the whole SCI
// chain.
#include <gtest/gtest.h>

#include <string>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

// Field count, record length, qualified, numeric and decimal fields; fields lie side by side from
// column 1, and the layout keeps the settings of a new layout.
TEST(SCIComplementos, FieldCountsAndRecordLengths) {
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    std::size_t qualificados;
    std::size_t numericos;
    std::size_t comDecimais;  // all with 2
  } casos[] = {
      {"nfServico", 235, 2910, 14, 17, 15},
      {"baixaDup", 32, 310, 19, 9, 9},
      {"cadastroContratosImob", 11, 195, 6, 2, 2},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    std::size_t qualificados = 0;
    std::size_t numericos = 0;
    std::size_t comDecimais = 0;
    int coluna = 1;
    for (const auto& campo : l->campos()) {
      EXPECT_EQ(campo->inicio, coluna) << c.nome << " " << campo->nome;
      coluna = campo->fim + 1;
      if (!campo->qualificador.empty()) {
        EXPECT_EQ(campo->qualificador, "\"") << c.nome << " " << campo->nome;
        ++qualificados;
      }
      if (campo->tipo == "N") {
        EXPECT_TRUE(campo->qualificador.empty()) << c.nome << " " << campo->nome;
        ++numericos;
      }
      if (campo->decimais != 0) {
        EXPECT_EQ(campo->decimais, 2) << c.nome << " " << campo->nome;
        ++comDecimais;
      }
    }
    EXPECT_EQ(qualificados, c.qualificados) << c.nome;
    EXPECT_EQ(numericos, c.numericos) << c.nome;
    EXPECT_EQ(comDecimais, c.comDecimais) << c.nome;
    EXPECT_FALSE(l->virgulasNosNumericos || l->separaCasasDecimais || l->espacoNosNumerosVazios ||
                 l->espacoAdireitaNumeros || l->separadorNoFinalDeCadaCampo || l->leituraComPipe)
        << c.nome;
  }
}

TEST(SCIComplementos, ChosenFields) {
  const struct {
    const char* layout;
    const char* campo;
    int inicio;
    int fim;
    int decimais;
    const char* tipo;
  } casos[] = {
      {"nfServico", "chave", 1, 6, 0, "S"},
      {"nfServico", "numDoc", 44, 52, 0, "N"},
      {"nfServico", "numDocFinal", 53, 61, 0, "N"},
      {"nfServico", "obs", 128, 217, 0, "S"},
      {"nfServico", "valorIsentasISS", 310, 326, 0, "S"},
      {"nfServico", "valorOutrasISS", 327, 343, 2, "N"},
      {"nfServico", "tipoNota", 1321, 1327, 0, "S"},
      {"nfServico", "chaveNFE", 1938, 1997, 0, "S"},
      {"nfServico", "baseRetINSS", 2897, 2910, 2, "N"},
      {"baixaDup", "numParc", 1, 2, 0, "S"},
      {"baixaDup", "valorDup", 110, 123, 2, "N"},
      {"baixaDup", "valorRetPIS", 195, 208, 2, "N"},
      {"baixaDup", "ordemBaixa", 308, 310, 0, "S"},
      {"cadastroContratosImob", "numChave", 1, 6, 0, "S"},
      // passed as text with 2 decimals, stored numeric
      {"cadastroContratosImob", "valorContrato", 76, 90, 2, "N"},
      {"cadastroContratosImob", "valorComissao", 91, 105, 2, "N"},
      {"cadastroContratosImob", "descricaoComplement", 106, 195, 0, "S"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.layout);
    const clLayoutCpo* campo = l->LocalizaCampo(c.campo);
    ASSERT_NE(campo, nullptr) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->nome, c.campo) << c.layout;
    EXPECT_EQ(campo->inicio, c.inicio) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->fim, c.fim) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->decimais, c.decimais) << c.layout << " " << c.campo;
    EXPECT_EQ(campo->tipo, c.tipo) << c.layout << " " << c.campo;
  }
}

TEST(SCIComplementos, NamesAreExact) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  for (const char* nome : {"NfServico", "nfservico", "nfServico ", "nfServicoX", " nfServico",
                           "BaixaDup", "cadastrocontratosimob", "", "lancamentos"}) {
    auto l = teste::Compoe("SCI", nome);
    EXPECT_TRUE(l->campos().empty()) << "'" << nome << "'";
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST(SCIComplementos, DelimitedOutputQuotesQualifiedFields) {
  auto l = teste::Compoe("SCI", "nfServico");
  for (const auto& c : l->campos()) {
    l->InformaValor(c->nome, c->tipo == "N" ? "7" : "x");
  }
  l->InformaValor("obs", "diz \"sim\" ");
  l->InformaValor("chave", "  12 ");
  const std::string saida = l->ExpandeLayoutDiv(";", "", true);

  const std::string qualificados =
      " cnpj uf data especie obs condPagamento tipoLancamento codAtvMunicipal codNatOp sitDoc"
      " cstPIS cstCOFINS incCPRB modDocSPED ";
  std::size_t de = 0;
  for (const auto& c : l->campos()) {
    const std::size_t p = saida.find(';', de);
    const std::string parte = saida.substr(de, p == std::string::npos ? p : p - de);
    de = p == std::string::npos ? saida.size() : p + 1;
    if (c->nome == "obs") {
      EXPECT_EQ(parte, "\"diz  sim \"");  // trimmed, then the inner quotes become blanks
    } else if (c->nome == "chave") {
      EXPECT_EQ(parte, "12");
    } else if (qualificados.find(" " + c->nome + " ") != std::string::npos) {
      EXPECT_EQ(parte, "\"x\"") << c->nome;
    } else {
      EXPECT_EQ(parte.find('"'), std::string::npos) << c->nome;
    }
  }
  EXPECT_EQ(de, saida.size());
}

TEST(SCIComplementos, FixedWidthRoundTrip) {
  auto l = teste::Compoe("SCI", "baixaDup");
  const struct {
    const char* campo;
    const char* valor;
    const char* lido;  // as read back
  } valores[] = {
      {"numParc", "01", "01"},
      {"CNPJForn", "12345678000199", "12345678000199"},
      {"numNFIni", "123", "123      "},
      {"histOperacao", "Pgto parc", "Pgto parc "},
      {"valorDup", "1234,5", "1234,50"},
      {"valorRetPIS", "0,65", "0,65"},
      {"valorRetSestSenat", "99999999999,99", "99999999999,99"},
      {"ordemBaixa", "7", "7  "},
  };
  for (const auto& v : valores) {
    ASSERT_TRUE(l->InformaValor(v.campo, v.valor)) << v.campo;
  }
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(linha.size(), 310u);
  EXPECT_EQ(linha.substr(109, 14), "00000000123450");  // valorDup, implied decimals

  auto lida = teste::Compoe("SCI", "baixaDup");
  ASSERT_TRUE(lida->PreencheLayoutApartirLinha(linha));
  for (const auto& v : valores) {
    EXPECT_EQ(lida->pegaValor(v.campo), v.lido) << v.campo;
  }
  EXPECT_EQ(lida->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
