#include "layouts/numero.h"

#include <gtest/gtest.h>

namespace lumbrava {
namespace {

struct CasoFormato {
  const char* valor;
  int tamanho;
  int decimais;
  bool separador;
  const char* sep;
  bool vazioEmBranco;
  bool brancos;
  const char* esperado;  // nullptr: does not fit
};

TEST(FormataNumero, WritesEveryCaseOfTheSettings) {
  const CasoFormato casos[] = {
      // implied decimals, zero fill
      {"12,5", 8, 2, false, ",", false, false, "00001250"},
      {"12.5", 8, 2, false, ",", false, false, "00001250"},
      {"-12,5", 8, 2, false, ",", false, false, "-0001250"},
      {"0", 6, 2, false, ",", false, false, "000000"},
      {"", 6, 2, false, ",", false, false, "000000"},
      {"  7  ", 3, 0, false, ",", false, false, "007"},
      {"+7", 3, 0, false, ",", false, false, "007"},
      // explicit separator
      {"12,5", 8, 2, true, ",", false, false, "00012,50"},
      {"12,5", 8, 2, true, ".", false, false, "00012.50"},
      {"-3", 8, 2, true, ",", false, false, "-0003,00"},
      {"", 6, 2, true, ",", false, false, "000,00"},
      {"0,5", 3, 2, true, ",", false, false, ",50"},  // the zero integer part gives way
      {"1,5", 3, 2, true, ",", false, false, nullptr},
      {"", 3, 4, true, ",", false, false, "000"},          // zero with more decimals than columns
      {"12,5", 8, 2, true, "", false, false, "00001250"},  // an empty separator writes none
      // rounding half away from zero
      {"1,005", 6, 2, false, ",", false, false, "000101"},
      {"-1,005", 6, 2, false, ",", false, false, "-00101"},
      {"1,004", 6, 2, false, ",", false, false, "000100"},
      {"9,995", 6, 2, true, ",", false, false, "010,00"},
      {"-0,004", 6, 2, true, ",", false, false, "000,00"},  // no negative zero
      {"2,5", 2, 0, false, ",", false, false, "03"},
      // blanks: empty numbers, blank fill
      {"", 6, 2, false, ",", true, false, "      "},
      {"0,00", 6, 2, true, ",", true, false, "      "},
      {"12,5", 8, 2, true, ",", true, false, "   12,50"},
      {"-12,5", 8, 2, false, ",", true, false, "   -1250"},
      {"12,5", 8, 2, true, ",", false, true, "   12,50"},
      {"0", 5, 0, false, ",", false, true, "    0"},
      // overflow is refused, never cut
      {"123456", 5, 0, false, ",", false, false, nullptr},
      {"-12345", 5, 0, false, ",", false, false, nullptr},
      {"1", 3, 4, false, ",", false, false, nullptr},         // 1,0000 needs 5 digits
      {"0,0165", 3, 4, false, ",", false, false, "165"},      // fits although decimals > columns
      {"99999,999", 8, 2, true, ",", false, false, nullptr},  // rounds up to 100000,00
      // long numbers keep every digit
      {"123456789012345678,99", 20, 2, false, ",", false, false, "12345678901234567899"},
      {"98765432109876543210", 20, 0, false, ",", false, false, "98765432109876543210"},
  };
  for (const auto& c : casos) {
    FormatoNumero f;
    f.tamanho = c.tamanho;
    f.decimais = c.decimais;
    f.escreveSeparador = c.separador;
    f.separador = c.sep;
    f.vazioEmBranco = c.vazioEmBranco;
    f.preencheComBrancos = c.brancos;
    std::string saida = "inalterada";
    const auto r = FormataNumero(c.valor, f, saida);
    if (c.esperado == nullptr) {
      EXPECT_EQ(r, ResultadoNumero::kNaoCabe) << c.valor << " em " << c.tamanho;
      EXPECT_EQ(saida, "inalterada");
    } else {
      EXPECT_EQ(r, ResultadoNumero::kOk) << c.valor;
      EXPECT_EQ(saida, c.esperado) << c.valor << " em " << c.tamanho;
    }
  }
}

TEST(FormataNumero, RefusesTextThatIsNotANumber) {
  FormatoNumero f;
  f.tamanho = 10;
  f.decimais = 2;
  for (const char* v : {"abc", "12a", "1,2,3", "1,234.56", "12.345.67", "1.23,4", "--1", "-", ",",
                        "1 2", "0x10", "1e5"}) {
    std::string saida;
    EXPECT_EQ(FormataNumero(v, f, saida), ResultadoNumero::kNaoEhNumero) << v;
  }
}

// As Brazilians write numbers: a full stop between thousands, a comma before the decimals; a
// single full stop before three digits could be either, and is refused.
TEST(FormataNumero, GroupedThousandsAndTheAmbiguousFullStop) {
  FormatoNumero f;
  f.tamanho = 12;
  f.decimais = 2;
  const struct {
    const char* valor;
    const char* escrito;
  } casos[] = {{"1.520,75", "000000152075"},    {"1520,75", "000000152075"},
               {"1520.75", "000000152075"},     {"-1.520.000", "-00152000000"},
               {"1.520.000,5", "000152000050"}, {"1,520", "000000000152"},
               {"0.520", "000000000052"},       {"1.5", "000000000150"},
               {"1234.567", "000000123457"}};
  for (const auto& c : casos) {
    std::string saida;
    ASSERT_EQ(FormataNumero(c.valor, f, saida), ResultadoNumero::kOk) << c.valor;
    EXPECT_EQ(saida, c.escrito) << c.valor;
  }
  for (const char* v : {"1.520", "-12.345", "999.000"}) {
    std::string saida;
    EXPECT_EQ(FormataNumero(v, f, saida), ResultadoNumero::kAmbiguo) << v;
  }
}

// Digits are checked several bytes at a time: a byte that is not one is found at every place of
// values of every length, in the integer digits and the decimals alike, whatever its neighbours.
TEST(FormataNumero, FindsTheByteThatIsNotADigitAnywhere) {
  FormatoNumero f;
  f.tamanho = 50;
  f.decimais = 20;
  for (std::size_t n = 1; n <= 20; ++n) {
    const std::string digitos(n, '9');
    std::string saida;
    ASSERT_EQ(FormataNumero(digitos, f, saida), ResultadoNumero::kOk) << n;
    ASSERT_EQ(FormataNumero("1," + digitos, f, saida), ResultadoNumero::kOk) << n;
    for (std::size_t k = 0; k < n; ++k) {
      // The bytes on either side of the digits, and ones whose low half is a digit's.
      for (const char intruso : {'/', ':', 'x', '\x00', '\x7F', '\xB5', '\xF9'}) {
        std::string v = digitos;
        v[k] = intruso;
        EXPECT_EQ(FormataNumero(v, f, saida), ResultadoNumero::kNaoEhNumero) << n << " " << k;
        EXPECT_EQ(FormataNumero("1," + v, f, saida), ResultadoNumero::kNaoEhNumero)
            << n << " " << k;
      }
    }
  }
  // Below "!" only blanks and tabs are trimmed.
  std::string saida;
  EXPECT_EQ(FormataNumero("\x01"
                          "5",
                          f, saida),
            ResultadoNumero::kNaoEhNumero);
  EXPECT_EQ(FormataNumero("5\n", f, saida), ResultadoNumero::kNaoEhNumero);
  f.tamanho = 3;
  f.decimais = 0;
  ASSERT_EQ(FormataNumero("\t5 ", f, saida), ResultadoNumero::kOk);
  EXPECT_EQ(saida, "005");
}

// A record is built in one string: the number goes from a place in it, which moves past it; what
// stands before stays, and the string grows when it must but is never cut.
TEST(FormataNumero, WritesFromAPlaceOfALongerText) {
  FormatoNumero f;
  f.tamanho = 8;
  f.decimais = 2;
  std::string registro = "AB__________XYZ";
  std::size_t posicao = 2;
  ASSERT_EQ(FormataNumero("-12,5", f, registro, posicao), ResultadoNumero::kOk);
  EXPECT_EQ(posicao, 10U);
  EXPECT_EQ(registro, "AB-0001250__XYZ");
  ASSERT_EQ(FormataNumero("7", f, registro, posicao), ResultadoNumero::kOk);
  EXPECT_EQ(posicao, 18U);
  EXPECT_EQ(registro.substr(0, posicao), "AB-000125000000700");
  for (const char* recusado : {"123456789", "abc", "1.520"}) {
    const std::string antes = registro;
    EXPECT_NE(FormataNumero(recusado, f, registro, posicao), ResultadoNumero::kOk) << recusado;
    EXPECT_EQ(posicao, 18U);
    EXPECT_EQ(registro, antes);
  }
}

TEST(LeNumeroDoCampo, ReadsWhatWasWritten) {
  struct {
    const char* texto;
    int decimais;
    bool separador;
    const char* sep;
    const char* esperado;
  } casos[] = {
      {"00001250", 2, false, ",", "12,50"},
      {"-0001250", 2, false, ",", "-12,50"},
      {"00012,50", 2, true, ",", "12,50"},
      {"00012.50", 2, true, ".", "12,50"},
      {"   12,50", 2, true, ",", "12,50"},
      {"      ", 2, false, ",", ""},
      {"000000", 2, false, ",", "0,00"},
      {",50", 2, true, ",", "0,50"},
      {"0012", 0, false, ",", "12"},
      {"1250", 2, true, ",", "1250,00"},
      {"12,345", 2, true, ",", "12,345"},
      {"00012v50", 2, true, "v", "12,50"},
      {"12345678901234567899", 2, false, ",", "123456789012345678,99"},
  };
  for (const auto& c : casos) {
    const auto r = LeNumeroDoCampo(c.texto, c.decimais, c.separador, c.sep);
    ASSERT_TRUE(r.has_value()) << c.texto;
    EXPECT_EQ(*r, c.esperado) << c.texto;
  }
  EXPECT_FALSE(LeNumeroDoCampo("12AB", 2, false, ",").has_value());
}

// Fields inside a record line are read and written 16 bytes at once; every text reads as it does
// step by step.
TEST(LeNumeroDoCampo, ReadsTheSameInsideALine) {
  constexpr std::string_view kBytes = "0000123456789,. -+a\t";
  std::uint32_t semente = 12345;
  const auto sorteia = [&semente](std::size_t n) {
    semente = semente * 1664525U + 1013904223U;
    return static_cast<std::size_t>(semente >> 8U) % n;
  };
  for (int caso = 0; caso < 20000; ++caso) {
    std::string valor;
    for (std::size_t n = 1 + sorteia(17); valor.size() < n;) {
      valor += kBytes[sorteia(kBytes.size())];
    }
    const int casas = static_cast<int>(sorteia(4) == 0 ? sorteia(19) : sorteia(5));
    const bool escrito = sorteia(2) == 1;
    const std::string_view separador = sorteia(3) == 0 ? "" : ",";
    std::string sozinho;
    const bool lido = LeNumeroDoCampo(valor, casas, escrito, separador, sozinho);
    // At the start of the line, in the middle and at the end; alone, too short to read at once.
    const std::string linha = valor + std::string(20, '9') + valor + std::string(20, '9') + valor;
    for (const std::size_t onde :
         {std::size_t{0}, valor.size() + 20, linha.size() - valor.size(), std::string::npos}) {
      const std::string_view emLinha = onde == std::string::npos
                                           ? std::string_view(linha).substr(0, valor.size())
                                           : std::string_view(linha).substr(onde, valor.size());
      std::string texto(valor.size() + 64 + static_cast<std::size_t>(casas), '?');
      bool temDecimais = false;
      const char* fim =
          EscreveNumeroDoCampo(texto.data(), emLinha, {casas, escrito, separador},
                               onde == std::string::npos ? emLinha : linha, temDecimais);
      ASSERT_EQ(fim != nullptr, lido) << "'" << valor << "' em " << onde;
      if (lido) {
        texto.resize(static_cast<std::size_t>(fim - texto.data()));
        EXPECT_EQ(texto, sozinho) << "'" << valor << "' em " << onde << ", " << casas
                                  << " decimais";
        EXPECT_EQ(temDecimais, sozinho.find(',') != std::string::npos) << "'" << valor << "'";
      }
    }
  }
}

}  // namespace
}  // namespace lumbrava
