// Text quoted in messages: controls escaped, everything that prints kept byte for byte.
#include "common/visivel.h"

#include <gtest/gtest.h>

#include <string>

#include "common/operador.h"

namespace lumbrava {
namespace {

TEST(Visivel, ControlsAreEscapedAndPrintableTextIsKept) {
  EXPECT_EQ(Visivel("Depósito ação 1.520,75 €"), "Depósito ação 1.520,75 €");
  EXPECT_EQ(Visivel("\x1b[2J"), "\\x1b[2J");
  EXPECT_EQ(Visivel(std::string("a\0b", 3)), "a\\x00b");
  EXPECT_EQ(Visivel("\t\n\r\x7f\x01"), "\\t\\n\\r\\x7f\\x01");
  // C1 controls written in UTF-8 (U+009B is a terminal's one-byte CSI); U+00A0 prints.
  EXPECT_EQ(Visivel("\xc2\x9b"
                    "31m\xc2\x80\xc2\xa0"),
            "\\u009b31m\\u0080\xc2\xa0");
  // Bytes that are not UTF-8, alone, cut short, overlong or a surrogate: each byte escaped.
  EXPECT_EQ(Visivel("\x9b"), "\\x9b");
  EXPECT_EQ(Visivel("a\xc3"), "a\\xc3");
  EXPECT_EQ(Visivel("\xc0\xaf"), "\\xc0\\xaf");
  EXPECT_EQ(Visivel("\xed\xa0\x80"), "\\xed\\xa0\\x80");
  EXPECT_EQ(Visivel("\xf0\x9f\x98\x80!"), "\xf0\x9f\x98\x80!");  // a four-byte character prints
  // Characters that print nothing or turn the text around, at both ends of each range; their
  // neighbours print.
  EXPECT_EQ(Visivel("a\u200b\u200fb\u202a\u202ec\u2060\u2069d\u2028\u2029\ufeff"),
            "a\\u200b\\u200fb\\u202a\\u202ec\\u2060\\u2069d\\u2028\\u2029\\ufeff");
  EXPECT_EQ(Visivel("\u200a\u2010\u2027\u202f\u205f\u206a\ufefe\ufe0f"),
            "\u200a\u2010\u2027\u202f\u205f\u206a\ufefe\ufe0f");
  // What was made visible once comes back the same, so a message may pass through twice.
  for (const std::string& t :
       {std::string("x\0\x1b\xc2\x9b\xff", 6), std::string("ok\u202e"), std::string("ok")}) {
    EXPECT_EQ(Visivel(Visivel(t)), Visivel(t));
  }
  std::string saida = "valor '";
  AcrescentaVisivel(saida, "\x1b");
  EXPECT_EQ(saida, "valor '\\x1b");
}

// The library's default operator writes to standard error: what it says may quote a caller's
// names, so it escapes them too, and a NUL does not cut the line short.
TEST(Visivel, TheDefaultOperatorWritesNothingATerminalActsOn) {
  OperadorErroPadrao operador;
  testing::internal::CaptureStderr();
  operador.Critico("t\x1b", std::string("Produto a\0b\x1b[2J ainda não cadastrado.", 38));
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "t\\x1b: Produto a\\x00b\\x1b[2J ainda não cadastrado.\n");
}

}  // namespace
}  // namespace lumbrava
