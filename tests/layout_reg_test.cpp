#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <utility>

#include "common/registra_erro.h"
#include "tests/apoio.h"

namespace lumbrava {
namespace {

class LayoutTest : public ::testing::Test {
 protected:
  std::shared_ptr<teste::OperadorGravador> gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda{gravador};
  clLayoutReg l;
};

TEST_F(LayoutTest, AppendsFieldsSideBySideFromColumnOne) {
  EXPECT_EQ(l.TamanhoRegistro(), 0);
  const clLayoutCpo* a = l.AcrescentaCampoAppend(3, "a", 0, "S");
  const clLayoutCpo* b = l.AcrescentaCampoAppend(5, "b", 2, "S", "", "D", true, "\"", true);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->inicio, 1);
  EXPECT_EQ(a->fim, 3);
  EXPECT_EQ(b->inicio, 4);
  EXPECT_EQ(b->posicao, 4);
  EXPECT_EQ(b->fim, 8);
  EXPECT_EQ(b->tipo, "N");  // decimals make any type numeric
  EXPECT_EQ(b->alinhamento, "D");
  EXPECT_TRUE(b->semFormatacao && b->eliminaEspacos);
  EXPECT_EQ(b->qualificador, "\"");
  EXPECT_EQ(l.proximaColuna, 9);
  EXPECT_EQ(l.TamanhoRegistro(), 8);
  EXPECT_TRUE(gravador->mensagens.empty());
}

// One decimal or more makes a field numeric whatever its type text; none keeps the text given.
TEST_F(LayoutTest, DecimalsMakeTheTypeNumeric) {
  EXPECT_EQ(l.AcrescentaCampoAppend(4, "um", 1, "S")->tipo, "N");
  EXPECT_EQ(l.AcrescentaCampoAppend(4, "data", 1, "D")->tipo, "N");
  EXPECT_EQ(l.AcrescentaCampoAppend(4, "nenhum", 0, "Sd")->tipo, "Sd");
  EXPECT_EQ(l.AcrescentaCampoAppend(4, "negativo", -1, "C")->tipo, "C");
  // A name appended again takes the type of its last writing.
  EXPECT_EQ(l.AcrescentaCampoAppend(4, "um", 0, "S")->tipo, "S");
  l.InformaValor("data", "2,5");
  EXPECT_EQ(l.ExpandeLayout().substr(4, 4), "0025");
}

TEST_F(LayoutTest, RepeatedNameMovesTheFieldAndKeepsItsPlace) {
  l.AcrescentaCampoAppend(2, "x", 0, "S", "", "D");
  l.AcrescentaCampoAppend(3, "y", 0, "N");
  const clLayoutCpo* x = l.AcrescentaCampoAppend(4, "x", 0, "S");
  ASSERT_EQ(l.campos().size(), 2U);
  EXPECT_EQ(l.campos()[0].get(), x);
  EXPECT_EQ(x->inicio, 6);
  EXPECT_EQ(x->fim, 9);
  EXPECT_EQ(x->alinhamento, "D");     // an empty alignment keeps the former one
  EXPECT_EQ(l.TamanhoRegistro(), 9);  // the last column reached, not the last field's
  EXPECT_TRUE(gravador->mensagens.empty());
  // Columns 1-2 belong to no field: blanks.
  l.InformaValor("x", "ab");
  l.InformaValor("y", "7");
  EXPECT_EQ(l.ExpandeLayout(), "  007  ab");
}

TEST_F(LayoutTest, WarnsOfAmbiguousAndConflictingFields) {
  l.AcrescentaCampoAppend(5, "Preço", 0, "S");
  l.AcrescentaCampoAppend(5, "PREÇO", 0, "S");  // same name ignoring case, other columns
  ASSERT_EQ(gravador->mensagens.size(), 1U);
  EXPECT_EQ(gravador->mensagens[0].tipo, "critico");
  EXPECT_EQ(gravador->mensagens[0].titulo, "clLayoutReg.AcrescentaCampo");
  EXPECT_EQ(gravador->mensagens[0].texto, "Campo ambíguo: PREÇO");
  EXPECT_EQ(l.campos().size(), 2U);

  l.proximaColuna = 8;  // back into "PREÇO" (6-10)
  const clLayoutCpo* c = l.AcrescentaCampoAppend(4, "z", 0, "S");
  EXPECT_EQ(c, nullptr);
  ASSERT_EQ(gravador->mensagens.size(), 2U);
  EXPECT_EQ(gravador->mensagens[1].texto,
            "Campos conflitantes: PREÇO (Posição de 6 a 10) com z (Posição de 8 a 11)");
  EXPECT_EQ(l.campos().size(), 3U);  // the field stays
  // The record still places every field; the later one takes the shared columns.
  l.campos()[0]->valor = "aaaaa";
  l.campos()[1]->valor = "bbbbb";
  l.campos()[2]->valor = "cccc";
  EXPECT_EQ(l.ExpandeLayout(), "aaaaabbcccc");

  // One column shared at an edge is a conflict too: a one-column field on the first or the last
  // column of another, two one-column fields on one column.
  clLayoutReg m;
  m.AcrescentaCampoAppend(4, "a", 0, "S");
  m.AcrescentaCampoAppend(1, "b", 0, "S");
  for (const int coluna : {1, 4, 5}) {
    m.proximaColuna = coluna;
    EXPECT_EQ(m.AcrescentaCampoAppend(1, "c" + std::to_string(coluna), 0, "S"), nullptr) << coluna;
  }
  ASSERT_EQ(gravador->mensagens.size(), 5U);
  EXPECT_EQ(gravador->mensagens[4].texto,
            "Campos conflitantes: b (Posição de 5 a 5) com c5 (Posição de 5 a 5)");
}

TEST_F(LayoutTest, RefusesAnOverflowingRunningColumn) {
  l.proximaColuna = std::numeric_limits<int>::max() - 1;
  EXPECT_THROW(l.AcrescentaCampoAppend(5, "a", 0, "S"), std::overflow_error);
  EXPECT_THROW(l.AcrescentaCampoAppend(-1, "a", 0, "S"), std::invalid_argument);
  EXPECT_TRUE(l.campos().empty());
}

TEST_F(LayoutTest, LooksFieldsUpIgnoringCaseButNotBlanks) {
  l.AcrescentaCampoAppend(3, "descrição", 0, "S");
  l.AcrescentaCampoAppend(3, "nome ", 0, "S");
  EXPECT_TRUE(l.ExisteCampo("DESCRIÇÃO"));
  EXPECT_TRUE(l.InformaValor("Descrição", "x"));
  EXPECT_EQ(l.pegaValor("descriçãO"), "x");
  EXPECT_FALSE(l.ExisteCampo("nome"));  // the blank at the end counts
  EXPECT_TRUE(l.ExisteCampo("NOME "));
  EXPECT_FALSE(l.InformaValor("outro", "x"));
  EXPECT_EQ(l.pegaValor("outro"), "");
  l.LimpaValores();
  EXPECT_EQ(l.pegaValor("descrição"), "");
}

TEST_F(LayoutTest, InformaValorDoubleWritesTheShortestExactText) {
  l.AcrescentaCampoAppend(12, "v", 2, "N");
  ASSERT_TRUE(l.InformaValorDouble("v", 1520.75));
  EXPECT_EQ(l.pegaValor("v"), "1520,75");
  ASSERT_TRUE(l.InformaValorDouble("v", 0.1));
  EXPECT_EQ(l.pegaValor("v"), "0,1");
  ASSERT_TRUE(l.InformaValorDouble("v", -3.0));
  EXPECT_EQ(l.ExpandeLayout(), "-00000000300");
  EXPECT_FALSE(l.InformaValorDouble("v", std::numeric_limits<double>::infinity()));
  EXPECT_FALSE(l.InformaValorDouble("w", 1.0));
}

class ConfiguracaoParticularTest : public LayoutTest {
 protected:
  std::filesystem::path pasta =
      std::filesystem::temp_directory_path() /
      ("lumbrava-erros-layout-" +
       std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
       std::to_string(::getpid()));
  std::filesystem::path anterior = PastaPrograma();
  void SetUp() override {
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    DefinePastaPrograma(pasta);
  }
  void TearDown() override {
    DefinePastaPrograma(anterior);
    std::filesystem::remove_all(pasta);
  }
};

TEST_F(ConfiguracaoParticularTest, OwnSettingsReplaceTheLayoutsOnOneField) {
  l.AcrescentaCampoAppend(8, "a", 2, "N");
  l.AcrescentaCampoAppend(8, "b", 2, "N");
  ASSERT_TRUE(l.AplicaConfiguracaoParticular("A", true, false, true, ".", false, false));
  l.InformaValor("a", "1,5");
  l.InformaValor("b", "1,5");
  EXPECT_EQ(l.ExpandeLayout(), "    1.5000000150");
  EXPECT_TRUE(l.campos()[0]->configuracaoParticular);
  EXPECT_FALSE(l.campos()[1]->configuracaoParticular);
  // The layout's virgulasNosNumericos still writes the separator on the other field.
  l.virgulasNosNumericos = true;
  EXPECT_EQ(l.ExpandeLayout(), "    1.5000001,50");
}

TEST_F(ConfiguracaoParticularTest, MissingFieldIsReportedToTheOperatorAndTheFile) {
  l.nomeRegistro = "lancamentos";
  l.AcrescentaCampoAppend(8, "a", 2, "N");
  gravador->resposta = false;  // "stop alerting me"
  EXPECT_FALSE(l.AplicaConfiguracaoParticular("valor", true, false, false, ",", false, false));
  EXPECT_FALSE(l.AplicaConfiguracaoParticular("outro", true, false, false, ",", false, false));
  ASSERT_EQ(gravador->mensagens.size(), 1U);  // the second one goes only to the file
  EXPECT_EQ(gravador->mensagens[0].tipo, "pergunta");
  EXPECT_NE(gravador->mensagens[0].texto.find("nao localizou campo: 'valor' em 'lancamentos'"),
            std::string::npos);
  std::ifstream arquivo(pasta / std::string(kArquivoErrosLayout));
  std::string linha1;
  std::string linha2;
  std::getline(arquivo, linha1);
  std::getline(arquivo, linha2);
  EXPECT_NE(linha1.find("nao localizou campo: 'valor' em 'lancamentos'"), std::string::npos);
  EXPECT_NE(linha2.find("nao localizou campo: 'outro' em 'lancamentos'"), std::string::npos);
  EXPECT_FALSE(l.campos()[0]->configuracaoParticular);
}

TEST_F(LayoutTest, FormatsTextByAlignmentAndType) {
  l.AcrescentaCampoAppend(5, "esq", 0, "S");
  l.AcrescentaCampoAppend(5, "dir", 0, "S", "", "D");
  l.AcrescentaCampoAppend(5, "sd", 0, "Sd");
  l.AcrescentaCampoAppend(4, "cortado", 0, "C");
  l.AcrescentaCampoAppend(4, "cru", 0, "N", "", "", true);
  l.InformaValor("esq", "ação");
  l.InformaValor("dir", " ab ");
  l.InformaValor("sd", "x");
  l.InformaValor("cortado", "çãoéz");
  l.InformaValor("cru", "1,5");
  EXPECT_EQ(l.ExpandeLayout(), "ação    ab    xçãoé1,5 ");
  l.InformaValor("esq", "linha\nquebrada");
  EXPECT_THROW(l.ExpandeLayout(), ErroValor);
}

TEST_F(LayoutTest, NumbersThatDoNotFitOrAreNotNumbersAreRefusedByName) {
  l.nomeRegistro = "teste";
  l.AcrescentaCampoAppend(4, "qtd", 0, "N");
  l.AcrescentaCampoAppend(8, "data", 0, "D");
  l.AcrescentaCampoAppend(6, "hora", 0, "H");
  l.InformaValor("qtd", "12345");
  try {
    l.ExpandeLayout();
    FAIL() << "no error";
  } catch (const ErroValor& e) {
    EXPECT_EQ(e.layout(), "teste");
    EXPECT_EQ(e.campo(), "qtd");
    EXPECT_EQ(e.valor(), "12345");
    EXPECT_NE(std::string(e.what()).find("não cabe"), std::string::npos);
  }
  l.InformaValor("qtd", "12");
  // Dates and times hold digits alone, whether the value with its separators fits or not.
  for (const auto& [campo, valor] : {std::pair{"data", "31/01/2026"}, std::pair{"data", "31/01/26"},
                                     std::pair{"hora", "12:30"}}) {
    l.InformaValor(campo, valor);
    EXPECT_THROW(l.ExpandeLayout(), ErroValor) << valor;
    l.InformaValor(campo, "");
  }
  l.InformaValor("data", "20260131");
  l.InformaValor("hora", "1230");
  EXPECT_EQ(l.ExpandeLayout(), "001220260131001230");
}

// A line break or a NUL byte would make a record that cannot be read back: refused in every kind
// of field. Numbers and dates look for them only in a value they refuse, and the message still
// names them, not the number.
TEST_F(LayoutTest, LineBreaksAndNulBytesAreNamedInEveryKindOfField) {
  l.AcrescentaCampoAppend(6, "valor", 2, "N");
  l.AcrescentaCampoAppend(8, "data", 0, "D");
  l.AcrescentaCampoAppend(40, "texto", 0, "S");
  l.AcrescentaCampoAppend(6, "primo", 0, "N'");
  const auto motivo = [this] {
    try {
      l.ExpandeLayout();
    } catch (const ErroValor& e) {
      return e.campo() + ": " + e.what();
    }
    return std::string("aceito");
  };
  for (const char* v : {"12\n", "1\r", "\n", "1.520\n", " 7\r\n"}) {
    l.InformaValor("valor", v);
    EXPECT_NE(motivo().find("valor: layout '', campo 'valor'"), std::string::npos) << v;
    EXPECT_NE(motivo().find("quebra de linha"), std::string::npos) << v;
  }
  const std::string nul(1, '\0');
  for (const std::string& v : {"12" + nul, nul, " 7" + nul + " ", "1.520" + nul}) {
    for (const char* campo : {"valor", "data", "primo"}) {
      l.InformaValor(campo, v);
      EXPECT_NE(motivo().find(std::string(campo) + ": layout '', campo '" + campo + "'"),
                std::string::npos);
      EXPECT_NE(motivo().find("tem o byte 0x00, que não é texto"), std::string::npos) << campo;
      EXPECT_EQ(motivo().find('\0'), std::string::npos);  // shown as \x00, the message whole
      l.InformaValor(campo, "");
    }
  }
  l.InformaValor("data", "2026\n");
  EXPECT_NE(motivo().find("quebra de linha"), std::string::npos);
  l.InformaValor("data", "");
  // Texts are looked at in blocks of sixteen or eight bytes: a line break or a NUL at any place of
  // texts of every length up to the field's.
  const std::string texto = "Depósito ação máquina avaliação patrimônio";
  for (std::size_t n = 1; n <= texto.size(); ++n) {
    for (std::size_t k = 0; k < n; ++k) {
      std::string v = texto.substr(0, n);
      v[k] = "\n\r"[k % 3];  // the third is the string's own NUL
      l.InformaValor("texto", v);
      EXPECT_NE(motivo().find("texto: "), std::string::npos) << n << " " << k;
    }
  }
  // Other controls are no line break: a tab, a vertical tab, a form feed go through.
  for (const std::string& v :
       {std::string("a\tb"), std::string("\x0b\x0c"), texto + "\t", "\x01" + texto}) {
    l.InformaValor("texto", v);
    EXPECT_EQ(motivo(), "aceito") << v;
  }
  l.InformaValor("texto", texto);
  EXPECT_EQ(motivo(), "aceito");
}

// The values given apart, by the fields' places in column order, write the record that the
// fields' own values write; the string is written from its start and not cut.
TEST_F(LayoutTest, ValuesGivenApartWriteTheSameRecord) {
  l.proximaColuna = 8;
  l.AcrescentaCampoAppend(3, "b", 0, "N");
  l.proximaColuna = 2;
  l.AcrescentaCampoAppend(5, "a", 0, "S");
  l.proximaColuna = 12;
  l.AcrescentaCampoAppend(4, "c", 2, "N");
  l.separadorNoFinalDeCadaCampo = true;
  l.InformaValor("a", "ação");
  l.InformaValor("b", "7");
  l.InformaValor("c", "1,5");
  const std::string esperado = l.ExpandeLayout();
  std::vector<std::string_view> valores;
  for (const clLayoutCpo* c : l.camposPorColuna()) {
    valores.push_back(c->valor);
  }
  std::string registro(200, '#');
  const std::size_t n = l.ExpandeLayout(registro, valores);
  EXPECT_EQ(registro.substr(0, n), esperado);
  EXPECT_EQ(registro.size(), 200U);
  valores[1] = "99";  // "b", second in column order
  l.InformaValor("b", "99");
  EXPECT_EQ(registro.substr(0, l.ExpandeLayout(registro, valores)), l.ExpandeLayout());
  valores[1] = "9999";
  EXPECT_THROW(l.ExpandeLayout(registro, valores), ErroValor);
  valores.pop_back();
  EXPECT_THROW(l.ExpandeLayout(registro, valores), std::invalid_argument);
  // Overlapping fields: the field later in column order takes the shared columns.
  l.proximaColuna = 5;
  ASSERT_EQ(l.AcrescentaCampoAppend(5, "d", 0, "S"), nullptr);  // conflicting, yet kept
  l.InformaValor("d", "xyz");
  valores.clear();
  for (const clLayoutCpo* c : l.camposPorColuna()) {
    valores.push_back(c->valor);
  }
  EXPECT_EQ(registro.substr(0, l.ExpandeLayout(registro, valores)), l.ExpandeLayout());
}

TEST_F(LayoutTest, ReadsColumnsByCharacters) {
  l.AcrescentaCampoAppend(5, "nome", 0, "S");
  l.AcrescentaCampoAppend(6, "valor", 2, "N");
  l.AcrescentaCampoAppend(3, "cod", 0, "S", "", "", false, "", true);
  l.AcrescentaCampoAppend(4, "fixo", 0, "S", "XYZ");
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("Ação 001250 7 "));
  EXPECT_EQ(l.pegaValor("nome"), "Ação ");
  EXPECT_EQ(l.pegaValor("valor"), "12,50");
  EXPECT_EQ(l.pegaValor("cod"), "7");
  EXPECT_EQ(l.pegaValor("fixo"), "XYZ");  // a field with an operation text takes that text
  // A short line leaves the missing fields empty.
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("Ab"));
  EXPECT_EQ(l.pegaValor("nome"), "Ab");
  EXPECT_EQ(l.pegaValor("valor"), "");
  std::string erro;
  EXPECT_FALSE(l.PreencheLayoutApartirLinha("Ação 0012X0 7 ", &erro));
  EXPECT_EQ(erro, "layout '', campo 'valor': '0012X0' não é um número");
  EXPECT_EQ(l.pegaValor("valor"), "0012X0");
}

TEST_F(LayoutTest, ReadsPipeLinesValueByValueInFieldOrder) {
  l.leituraComPipe = true;
  l.AcrescentaCampoAppend(1, "tipo", 0, "S");
  l.AcrescentaCampoAppend(100, "nome", 0, "S");
  l.AcrescentaCampoAppend(50, "cidade", 0, "S");
  l.AcrescentaCampoAppend(10, "valor", 2, "N");
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("|C|ACME Ltda|Recife|12,5|"));
  EXPECT_EQ(l.pegaValor("tipo"), "C");
  EXPECT_EQ(l.pegaValor("nome"), "ACME Ltda");
  EXPECT_EQ(l.pegaValor("cidade"), "Recife");
  EXPECT_EQ(l.pegaValor("valor"), "12,50");
  // Without the closing "|" the last value is kept; missing values leave fields empty.
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("|C|ACME Ltda|Recife|7,5"));
  EXPECT_EQ(l.pegaValor("valor"), "7,50");
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("|D|Beta"));
  EXPECT_EQ(l.pegaValor("nome"), "Beta");
  EXPECT_EQ(l.pegaValor("cidade"), "");
  EXPECT_EQ(l.pegaValor("valor"), "");
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("|E||Natal|"));
  EXPECT_EQ(l.pegaValor("nome"), "");
  EXPECT_EQ(l.pegaValor("cidade"), "Natal");
  // Written back with "|" around every value, trimmed.
  EXPECT_EQ(l.ExpandeLayoutDivBarra(), "|E||Natal|0000000000|");
}

TEST_F(LayoutTest, FieldEndSeparatorIsWrittenAndSkippedWhenRead) {
  l.AcrescentaCampoAppend(3, "a", 0, "N");
  l.AcrescentaCampoAppend(6, "b", 2, "N");
  l.AcrescentaCampoAppend(2, "c", 0, "S");
  l.AplicaConfiguracaoParticular("b", true, false, false, ".", true, false);
  l.InformaValor("a", "5");
  l.InformaValor("b", "1,5");
  l.InformaValor("c", "ok");
  const std::string r = l.ExpandeLayout();
  EXPECT_EQ(r, "005001.50;ok");
  l.separadorNoFinalDeCadaCampo = true;
  EXPECT_EQ(l.ExpandeLayout(), "005;001.50;ok;");
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("005;001.50;ok;"));
  EXPECT_EQ(l.pegaValor("b"), "1,50");
  EXPECT_EQ(l.pegaValor("c"), "ok");
}

TEST_F(LayoutTest, DelimitedRecordsQualifyAndGuardTheirValues) {
  l.AcrescentaCampoAppend(10, "nome", 0, "S", "", "", false, "\"");
  l.AcrescentaCampoAppend(6, "valor", 2, "N");
  l.AcrescentaCampoAppend(4, "uf", 0, "S");
  l.InformaValor("nome", "Diz \"sim\"");
  l.InformaValor("valor", "3,5");
  l.InformaValor("uf", "PE");
  EXPECT_EQ(l.ExpandeLayoutDiv(";", "", true), "\"Diz  sim \";000350;PE");
  EXPECT_EQ(l.ExpandeLayoutDiv(";", "", false), "\"Diz  sim  \";000350;PE  ");
  EXPECT_EQ(l.ExpandeLayoutDiv(";", "#", true), "#\"Diz  sim \";000350;PE#");
  l.InformaValor("nome", "a;b");  // qualified: the separator may stand inside
  EXPECT_EQ(l.ExpandeLayoutDiv(";", "", true), "\"a;b\";000350;PE");
  l.InformaValor("uf", "P;");  // not qualified: it would split the record
  EXPECT_THROW(l.ExpandeLayoutDiv(";", "", true), ErroValor);
}

}  // namespace
}  // namespace lumbrava
