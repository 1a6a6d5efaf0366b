// The line reader: the one place where a line becomes values or is refused, both for the layout
// (PreencheLayoutApartirLinha) and for whoever takes the values as they are read.
#include "layouts/leitor_linha.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

class LeitorLinhaTest : public ::testing::Test {
 protected:
  std::shared_ptr<teste::OperadorGravador> gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda{gravador};
};

// ISO 8859-1 to UTF-8: enough of a one-byte code page for these tests.
std::string_view Latin1ParaUtf8(std::string_view bytes, std::string& buffer) {
  buffer.clear();
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      buffer.push_back(c);
    } else {
      buffer.push_back(static_cast<char>(0xC0 | (b >> 6U)));
      buffer.push_back(static_cast<char>(0x80 | (b & 0x3FU)));
    }
  }
  return buffer;
}

// Takes the values as they are read, as a writer of another format would.
struct Coleta {
  std::vector<std::string> valores;
  std::string numero;
  void Comeca() { valores.clear(); }
  char* Numero(std::size_t /*k*/, std::size_t bytes) {
    numero.assign(bytes, '\0');
    return numero.data();
  }
  void Valor(std::size_t k, const LeitorDeLinha::Valor& v) {
    ASSERT_EQ(k, valores.size());
    valores.emplace_back(v.texto);
  }
};

// Fields whose order is not their columns' order: the first problem told is the first in the
// line, whichever way the line is read, and the values come in field order either way.
TEST_F(LeitorLinhaTest, ValuesInFieldOrderProblemsInColumnOrder) {
  clLayoutReg l;
  l.nomeRegistro = "misto";
  l.proximaColuna = 5;
  l.AcrescentaCampoAppend(4, "b", 0, "N");
  l.proximaColuna = 1;
  l.AcrescentaCampoAppend(4, "a", 2, "N");
  l.proximaColuna = 9;
  l.AcrescentaCampoAppend(3, "c", 0, "S", "", "", false, "", true);
  for (const bool planejado : {false, true}) {
    SCOPED_TRACE(planejado);
    LeitorDeLinha leitor(l);
    if (planejado) {
      leitor.Planeja();
    }
    Coleta coleta;
    ASSERT_TRUE(leitor.Le("00150007 x ", true, coleta));
    EXPECT_EQ(coleta.valores, (std::vector<std::string>{"7", "0,15", "x"}));
    ASSERT_TRUE(leitor.Le("00150007 x "));
    EXPECT_EQ(leitor.valores()[1].texto, "0,15");
    EXPECT_TRUE(leitor.valores()[1].decimais);
    EXPECT_FALSE(leitor.valores()[0].decimais);

    EXPECT_FALSE(leitor.Le("0X5000Y7abc", true, coleta));
    EXPECT_EQ(MensagemDaRecusa(l.nomeRegistro, leitor.recusa()),
              "layout 'misto', campo 'a': '0X50' não é um número");
    // The layout reads through the same reader: the refused field keeps its text.
    std::string erro;
    EXPECT_FALSE(l.PreencheLayoutApartirLinha("0150000Yabc", &erro));
    EXPECT_EQ(erro, "layout 'misto', campo 'b': '000Y' não é um número");
    EXPECT_EQ(l.pegaValor("a"), "1,50");
    EXPECT_EQ(l.pegaValor("b"), "000Y");
  }
}

// A fixed-width line that goes on past the record with more than blanks is refused by the layout
// too (the characters count, not the bytes); blanks after it are let through.
TEST_F(LeitorLinhaTest, ALineLongerThanTheRecordIsRefused) {
  auto l = teste::Compoe("Unico", "lancamentos");
  const std::string registro = "01012024000101000102" + std::string(28, '0') +
                               "00000000152075000001" + "Histórico" + std::string(91, ' ') +
                               std::string(28, ' ');
  std::string erro;
  ASSERT_TRUE(l->PreencheLayoutApartirLinha(registro + "    ", &erro)) << erro;
  EXPECT_EQ(l->pegaValor("Historico"), "Histórico" + std::string(91, ' '));
  EXPECT_FALSE(l->PreencheLayoutApartirLinha(registro + "  é", &erro));
  EXPECT_EQ(erro, "199 caracteres, mas o layout 'lancamentos' tem 196 colunas");
  EXPECT_EQ(l->pegaValor("Valor"), "1520,75");  // what the line held is still read
}

// "|" lines: a line that cannot be read leaves no value of the line before; a value that fits
// only without its blanks is kept without them, so that what was read writes back whole.
TEST_F(LeitorLinhaTest, PipeLinesKeepWhatWasChecked) {
  auto l = teste::Compoe("Questor", "questorEmpresarialLctosDiarios");
  std::string erro;
  ASSERT_TRUE(l->PreencheLayoutApartirLinha("|C|123|", &erro)) << erro;
  EXPECT_FALSE(l->PreencheLayoutApartirLinha("sem barra nenhuma", &erro));
  EXPECT_EQ(erro,
            "layout 'questorEmpresarialLctosDiarios': a linha não tem '|', mas o layout lê "
            "valores separados por '|'");
  for (const auto& c : l->campos()) {
    EXPECT_EQ(c->valor, "") << c->nome;
  }

  ASSERT_TRUE(l->PreencheLayoutApartirLinha("|  A|123|", &erro)) << erro;
  EXPECT_EQ(l->pegaValor("identificador"), "A");
  EXPECT_EQ(l->ExpandeLayoutDivBarra().substr(0, 7), "|A|123|");
  EXPECT_EQ(l->ExpandeLayout().substr(0, 4), "A123");
  // A value that fits as it stands keeps its blanks, as a fixed-width field does.
  ASSERT_TRUE(l->PreencheLayoutApartirLinha("|A| 12 |", &erro)) << erro;
  EXPECT_EQ(l->pegaValor("cpfcnpjEntidade"), " 12 ");
  EXPECT_FALSE(l->PreencheLayoutApartirLinha("| AB |", &erro));
  EXPECT_EQ(erro,
            "layout 'questorEmpresarialLctosDiarios', campo 'identificador': 'AB' tem 2 "
            "caracteres, mas o campo tem 1");
}

// A line in a code page of one byte a character: columns are bytes; the value a refusal names
// is told in UTF-8, and a decimal separator that is not ASCII is read in UTF-8.
TEST_F(LeitorLinhaTest, OneByteCodePages) {
  clLayoutReg l;
  l.nomeRegistro = "latin";
  l.AcrescentaCampoAppend(4, "texto", 0, "S");
  l.AcrescentaCampoAppend(5, "valor", 2, "N");
  l.separaCasasDecimais = true;
  l.separadorCasasDecimais = "§";
  LeitorDeLinha leitor(l, Latin1ParaUtf8);
  leitor.Planeja();
  ASSERT_TRUE(
      leitor.Le("A\xE7\xE3o12\xA7"
                "5 ",
                false));
  EXPECT_EQ(leitor.valores()[0].texto, "A\xE7\xE3o");  // the line's own bytes
  EXPECT_TRUE(leitor.valores()[0].daLinha);
  EXPECT_EQ(leitor.valores()[1].texto, "12,50");
  EXPECT_FALSE(leitor.valores()[1].daLinha);
  EXPECT_FALSE(leitor.Le("A\xE7\xE3o1\xE9 5 ", false));
  EXPECT_EQ(MensagemDaRecusa(l.nomeRegistro, leitor.recusa()),
            "layout 'latin', campo 'valor': '1é 5' não é um número");
  EXPECT_FALSE(leitor.Le("abcd1234567", false));
  EXPECT_EQ(MensagemDaRecusa(l.nomeRegistro, leitor.recusa()),
            "11 caracteres, mas o layout 'latin' tem 9 colunas");
}

// Reading as a number is for type "N" alone, and not with semFormatacao: dates, times and the
// other types are read as they stand.
TEST_F(LeitorLinhaTest, OnlyNumericFieldsAreReadAsNumbers) {
  clLayoutReg l;
  l.AcrescentaCampoAppend(4, "n", 0, "N");
  l.AcrescentaCampoAppend(4, "d", 0, "D");
  l.AcrescentaCampoAppend(4, "h", 0, "H");
  l.AcrescentaCampoAppend(4, "linha", 0, "N'");
  l.AcrescentaCampoAppend(4, "cru", 0, "N", "", "", true);
  ASSERT_TRUE(l.PreencheLayoutApartirLinha("00120012001200120012"));
  EXPECT_EQ(l.pegaValor("n"), "12");
  for (const char* campo : {"d", "h", "linha", "cru"}) {
    EXPECT_EQ(l.pegaValor(campo), "0012") << campo;
  }
}

// A number's text held apart stays where it is when the room for numbers grows in mid-line (a
// "character" of malformed UTF-8 may hold any number of bytes).
TEST_F(LeitorLinhaTest, NumbersReadBeforeTheRoomGrowsStay) {
  clLayoutReg l;
  l.AcrescentaCampoAppend(2, "a", 0, "N");
  l.AcrescentaCampoAppend(2, "b", 0, "N");
  l.AcrescentaCampoAppend(2, "c", 0, "N");
  const std::string enorme = "1\xC3" + std::string(5000, '\x80');
  std::string erro;
  EXPECT_FALSE(l.PreencheLayoutApartirLinha("12" + enorme + "34", &erro));
  EXPECT_EQ(l.pegaValor("a"), "12");
  EXPECT_EQ(l.pegaValor("c"), "34");
  EXPECT_NE(erro.find("campo 'b'"), std::string::npos) << erro;
}

}  // namespace
}  // namespace lumbrava
