// What the speed of `write` rests on: a CSV record read line by line, and a record
// encoded in Windows-1252.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/niveis_simd.h"
#include "tool/codificacao.h"
#include "tool/registro_csv.h"

namespace lumbrava {
namespace {

std::vector<std::string> Valores(const RegistroCsv& r) {
  std::vector<std::string> v;
  for (std::size_t i = 0; i < r.valores(); ++i) {
    v.emplace_back(r.valor(i));
  }
  return v;
}

// Commas and quotes are marked a bit a byte, sixty-four bytes a word: values of every length put
// them on both sides of the words' edges, quoted values with commas inside among them.
TEST(RegistroCsv, FindsCommasAndQuotesPastEveryWordOfTheLine) {
  for (std::size_t largura = 1; largura <= 70; ++largura) {
    std::vector<std::string> esperados;
    std::string linha;
    for (std::size_t i = 0; linha.size() < 300; ++i) {
      std::string v(largura + i % 3, static_cast<char>('a' + i % 26));
      if (i % 4 == 1) {
        v[v.size() / 2] = ',';
        linha += (i > 0 ? ",\"" : "\"") + v + "\"";
      } else {
        linha += (i > 0 ? "," : "") + v;
      }
      esperados.push_back(v);
    }
    RegistroCsv r;
    ASSERT_TRUE(r.Le(linha, 1)) << largura;
    EXPECT_EQ(r.erro(), "") << largura;
    EXPECT_EQ(Valores(r), esperados) << largura;
  }
}

// Whether the record's lines are UTF-8 is known without looking at the values; a record with a
// value kept apart (doubled quotes) does not leave it to the next record.
TEST(RegistroCsv, KnowsWhetherTheRecordIsUtf8AndForgetsValuesKeptApart) {
  RegistroCsv r;
  ASSERT_TRUE(r.Le("ação,\"diz \"\"oi\"\"\",b", 1));
  EXPECT_TRUE(r.utf8());
  EXPECT_EQ(Valores(r), (std::vector<std::string>{"ação", "diz \"oi\"", "b"}));
  ASSERT_TRUE(r.Le("x,y,z", 2));
  EXPECT_EQ(Valores(r), (std::vector<std::string>{"x", "y", "z"}));

  // A quoted line break: the lines are looked at one by one, the record is UTF-8 only if all are.
  EXPECT_FALSE(r.Le("a,\"linha", 3));
  EXPECT_FALSE(r.Le("a\xE7\xE3o", 4));
  ASSERT_TRUE(r.Le("fim\",c", 5));
  EXPECT_FALSE(r.utf8());
  EXPECT_EQ(Valores(r), (std::vector<std::string>{"a", "linha\na\xE7\xE3o\nfim", "c"}));
  ASSERT_TRUE(r.Le("\"ok\",\"ainda\"", 6));
  EXPECT_TRUE(r.utf8());
  EXPECT_FALSE(r.Le("b,\"x", 7));
  EXPECT_FALSE(r.Le("\xC3", 8));
  r.Encerra();  // never closed
  EXPECT_EQ(r.erro(), "aspas abertas e não fechadas");
  EXPECT_FALSE(r.utf8());
}

// Accented letters take a short way to their byte; the rest of the characters Windows-1252 has
// the long one, and what it lacks fails where it stands, whatever the place in the blocks of
// sixteen bytes.
TEST(Codificador, EncodesEveryLetterWhereverItStands) {
  const Codificador w(Codificacao::kWindows1252);
  for (std::size_t antes = 0; antes < 20; ++antes) {
    const std::string ascii(antes, 'x');
    std::string utf8 = ascii;
    std::string esperado = ascii;
    for (unsigned c = 0xA0; c <= 0xFF; ++c) {
      utf8 += static_cast<char>(0xC0 | (c >> 6U));
      utf8 += static_cast<char>(0x80 | (c & 0x3FU));
      esperado += static_cast<char>(c);
      utf8 += c % 3 == 0 ? "ab" : "";
      esperado += c % 3 == 0 ? "ab" : "";
    }
    utf8 += "€Ÿ";
    esperado += "\x80\x9F";
    std::string saida = "<";
    ASSERT_TRUE(w.Acrescenta(utf8, saida)) << antes;
    EXPECT_EQ(saida, "<" + esperado) << antes;

    for (const char* ruim : {"\xC3", "\xC3(", "\xC3\xC3\xA1", "\xC2\x80", "→"}) {
      FalhaCodificacao falha;
      saida = "<";
      EXPECT_FALSE(w.Acrescenta(ascii + "á" + ruim + "é", saida, &falha)) << ruim;
      EXPECT_EQ(saida, "<");
      EXPECT_EQ(falha.coluna, antes + 2) << ruim;
    }
  }
}

// Each character from U+00A0 at every vector level, near the end of a text of four to nineteen
// bytes: a text shorter than sixteen bytes, and the last bytes of any, go character by character.
TEST(Codificador, EncodesEveryLetterNearTheEndAtEveryLevel) {
  const Codificador w(Codificacao::kWindows1252);
  for (const NivelSimd nivel : teste::NiveisDaMaquina()) {
    const teste::NivelSimdTemporario em(nivel);
    for (unsigned c = 0xA0; c <= 0xFF; ++c) {
      const std::string letra{static_cast<char>(0xC0 | (c >> 6U)),
                              static_cast<char>(0x80 | (c & 0x3FU))};
      for (std::size_t depois = 0; depois < 16; ++depois) {
        const std::string fim(depois, 'z');
        std::string saida = "<";
        ASSERT_TRUE(w.Acrescenta("ab" + letra + fim, saida))
            << NomeDoNivelSimd(nivel) << " " << NomeDoCaractere(c) << " " << depois;
        EXPECT_EQ(saida, "<ab" + std::string(1, static_cast<char>(c)) + fim);
      }
    }
  }
}

}  // namespace
}  // namespace lumbrava
