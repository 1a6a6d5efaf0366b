// Values that must never change without a word, through the layout model: reading and writing.
#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"

namespace lumbrava {
namespace {

class ValoresTest : public ::testing::Test {
 protected:
  std::shared_ptr<teste::OperadorGravador> gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda{gravador};
};

// The amount of Radar's entries is followed by ";": the record it writes is one column longer
// than its fields, reads back whole, and a record laid out by the fields' columns alone (no ";")
// reads every field at its own columns.
TEST_F(ValoresTest, FieldEndSeparatorReadWhereItStands) {
  for (const char* nome : {"lancamentos", "lancamentosSeparador"}) {
    SCOPED_TRACE(nome);
    auto l = teste::Compoe("Radar", nome);
    EXPECT_EQ(l->ComprimentoRegistro(), l->TamanhoRegistro() + 1);
    l->InformaValor("valorLancamento", "1520,75");
    const std::string cheio = "HISTORICO" + std::string(991, 'x');
    l->InformaValor("complementoHP", cheio);
    const std::string com = l->ExpandeLayout();
    ASSERT_EQ(ContaCaracteres(com), static_cast<std::size_t>(l->ComprimentoRegistro()));

    auto lido = teste::Compoe("Radar", nome);
    std::string erro;
    ASSERT_TRUE(lido->PreencheLayoutApartirLinha(com, &erro)) << erro;
    EXPECT_EQ(lido->pegaValor("complementoHP"), cheio);
    EXPECT_EQ(lido->pegaValor("valorLancamento"), "1520,75");

    // The same record without the ";".
    const clLayoutCpo* valor = l->LocalizaCampo("valorLancamento");
    const std::string sem = com.substr(0, static_cast<std::size_t>(valor->fim)) +
                            com.substr(static_cast<std::size_t>(valor->fim) + 1);
    ASSERT_TRUE(lido->PreencheLayoutApartirLinha(sem, &erro)) << erro;
    EXPECT_EQ(lido->pegaValor("complementoHP"), cheio);
    EXPECT_EQ(lido->pegaValor("valorLancamento"), "1520,75");
  }
}

// A right-aligned text cut just after a blank stays right-aligned; a field of no columns has no
// field-end separator, so a ";" after it belongs to the next field.
TEST_F(ValoresTest, CutRightAlignedTextAndEmptyFieldsWithSeparators) {
  auto l = teste::Compoe("Protheus", "lancamentosLctoPadrao");
  l->InformaValor("ctDebito", "CONTA CAIXA GERAL X MATRIZ");
  EXPECT_EQ(l->ExpandeLayout().substr(3, 20), " CONTA CAIXA GERAL X");

  clLayoutReg v;
  v.AcrescentaCampoAppend(0, "vazio", 0, "S");
  v.AcrescentaCampoAppend(3, "texto", 0, "S");
  v.separadorNoFinalDeCadaCampo = true;
  v.InformaValor("texto", ";ab");
  const std::string r = v.ExpandeLayout();
  EXPECT_EQ(r, ";ab;");
  ASSERT_TRUE(v.PreencheLayoutApartirLinha(r));
  EXPECT_EQ(v.pegaValor("texto"), ";ab");
}

// With the separator to be written but empty, the decimals are implied both ways.
TEST_F(ValoresTest, EmptyDecimalSeparatorReadsAsItWasWritten) {
  for (const bool doCampo : {false, true}) {
    clLayoutReg l;
    l.AcrescentaCampoAppend(6, "valor", 2, "N");
    if (doCampo) {
      l.AplicaConfiguracaoParticular("valor", true, false, false, "", false, false);
    } else {
      l.separaCasasDecimais = true;
      l.separadorCasasDecimais = "";
    }
    l.InformaValor("valor", "12,5");
    EXPECT_EQ(l.ExpandeLayout(), "001250");
    ASSERT_TRUE(l.PreencheLayoutApartirLinha("001250"));
    EXPECT_EQ(l.pegaValor("valor"), "12,50") << doCampo;
  }
}

// A line that ends inside a number is refused; before a field it leaves the field empty; inside a
// text it keeps what is there. A sign alone is not a number.
TEST_F(ValoresTest, ShortLinesAndLoneSigns) {
  auto l = teste::Compoe("Unico", "lancamentos");
  std::string erro;
  const std::string inteira =
      "01012024000101000102" + std::string(28, '0') + "00000000152075";  // up to Valor
  EXPECT_FALSE(l->PreencheLayoutApartirLinha(inteira.substr(0, 60), &erro));
  EXPECT_EQ(erro,
            "layout 'lancamentos', campo 'Valor' (colunas 49 a 62): a linha acaba na coluna 60, "
            "no meio do número");
  ASSERT_TRUE(l->PreencheLayoutApartirLinha(inteira + "000001Histórico cor", &erro)) << erro;
  EXPECT_EQ(l->pegaValor("Valor"), "1520,75");
  EXPECT_EQ(l->pegaValor("Historico"), "Histórico cor");  // cut text keeps what is there
  EXPECT_EQ(l->pegaValor("Documento"), "");               // after the end of the line

  for (const int decimais : {0, 2}) {
    clLayoutReg s;
    s.AcrescentaCampoAppend(6, "valor", decimais, "N");
    EXPECT_FALSE(s.PreencheLayoutApartirLinha("     -", &erro)) << decimais;
    EXPECT_FALSE(s.PreencheLayoutApartirLinha("    + ", &erro)) << decimais;
    EXPECT_FALSE(s.PreencheLayoutApartirLinha("   ,  ", &erro)) << decimais;
    EXPECT_TRUE(s.PreencheLayoutApartirLinha("      ", &erro)) << decimais;
    EXPECT_EQ(s.pegaValor("valor"), "");
  }
}

// "|" lines: every value lands in a field, or the line is refused.
TEST_F(ValoresTest, PipeLinesLoseNothing) {
  auto l = teste::Compoe("Questor", "questorEmpresarialLctosDiarios");
  const std::size_t n = l->campos().size();
  std::string linha = "|";
  for (std::size_t i = 0; i < n; ++i) {
    linha += "1|";
  }
  std::string erro;
  EXPECT_TRUE(l->PreencheLayoutApartirLinha(linha, &erro)) << erro;
  EXPECT_TRUE(l->PreencheLayoutApartirLinha(linha + "|  |", &erro)) << erro;  // empty extras
  EXPECT_FALSE(l->PreencheLayoutApartirLinha(linha + "sobra|", &erro));
  EXPECT_EQ(erro, "layout 'questorEmpresarialLctosDiarios': a linha tem " + std::to_string(n + 1) +
                      " valores, mas o layout tem " + std::to_string(n) + " campos");
  EXPECT_FALSE(l->PreencheLayoutApartirLinha("sem barra nenhuma", &erro));
  EXPECT_NE(erro.find("não tem '|'"), std::string::npos) << erro;

  const clLayoutCpo* primeiro = l->campos().front().get();
  const std::string longo(static_cast<std::size_t>(primeiro->tamanho) + 1, 'A');
  EXPECT_FALSE(l->PreencheLayoutApartirLinha("|" + longo + "|", &erro));
  EXPECT_NE(erro.find("campo '" + primeiro->nome + "': '" + longo + "' tem"), std::string::npos)
      << erro;
}

// Dates and times are digits: a blank one stays blank, anything else is refused, never rounded.
TEST_F(ValoresTest, DatesAndTimesAreDigitsOnly) {
  clLayoutReg l;
  l.nomeRegistro = "E14";
  l.AcrescentaCampoAppend(8, "data", 0, "D");
  l.AcrescentaCampoAppend(6, "hora", 0, "H");
  EXPECT_EQ(l.ExpandeLayout(), std::string(14, ' '));
  l.InformaValor("data", "1032026");
  l.InformaValor("hora", "93000");
  EXPECT_EQ(l.ExpandeLayout(), "01032026093000");
  for (const char* ruim : {"1,5", "-1032026", "01/03/2026", "123456789"}) {
    l.InformaValor("data", ruim);
    try {
      l.ExpandeLayout();
      ADD_FAILURE() << ruim;
    } catch (const ErroValor& e) {
      EXPECT_EQ(e.campo(), "data");
    }
  }
  // What reading gives back, writing takes again: the blank date too.
  ASSERT_TRUE(l.PreencheLayoutApartirLinha(std::string(8, ' ') + "120000"));
  EXPECT_EQ(l.ExpandeLayout(), std::string(8, ' ') + "120000");
}

// Numbers as Brazilians write them, and the ambiguous one refused with both readings.
TEST_F(ValoresTest, GroupedNumbersAndTheAmbiguousOne) {
  auto l = teste::Compoe("Unico", "lancamentos");
  l->InformaValor("Valor", "1.520,75");
  EXPECT_EQ(l->ExpandeLayout().substr(48, 14), "00000000152075");
  l->InformaValor("Valor", "1.520");
  try {
    l->ExpandeLayout();
    ADD_FAILURE();
  } catch (const ErroValor& e) {
    EXPECT_EQ(std::string(e.what()),
              "layout 'lancamentos', campo 'Valor': valor '1.520' é ambíguo: escreva 1520 para "
              "milhares ou 1,520 para decimais");
  }
  // A long refused value is quoted by its start; valor() keeps it whole.
  const std::string longo = "1a" + std::string(2999, '7');
  l->InformaValor("Valor", longo);
  try {
    l->ExpandeLayout();
    ADD_FAILURE();
  } catch (const ErroValor& e) {
    EXPECT_EQ(e.valor(), longo);
    EXPECT_NE(std::string(e.what()).find(longo.substr(0, 200) + "... (3001 caracteres)'"),
              std::string::npos)
        << e.what();
    EXPECT_LT(std::string(e.what()).size(), 400U);
  }
}

// A delimited value refused for holding the separator is quoted as it would have been written.
TEST_F(ValoresTest, RefusedDelimitedValueIsTheFormattedOne) {
  clLayoutReg l;
  l.nomeRegistro = "x";
  l.AcrescentaCampoAppend(8, "valor", 2, "N");
  l.separaCasasDecimais = true;
  l.InformaValor("valor", "12,5");
  try {
    l.ExpandeLayoutDiv(",", "", true);
    ADD_FAILURE();
  } catch (const ErroValor& e) {
    EXPECT_EQ(e.valor(), "00012,50");
  }
}

}  // namespace
}  // namespace lumbrava
