// Exact decimal numbers for field values. Values travel as text; a number is read from text and
// written back to text digit by digit, never through binary floating point, so fields of 18
// digits and more keep every digit.
//
// Threads: every function here may run on any number of threads at once. Rounding and grouped
// thousands work in scratch strings of each thread's own (thread_local), kept between calls so that
// writing records allocates nothing; nothing else outlives a call. FormatoNumero, LeituraNumero and
// NumeroLido are plain values; the views they hold (a separator, the pieces of a number read) point
// into texts that must outlive them.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace lumbrava {

// How a numeric field is written.
struct FormatoNumero {
  int tamanho = 0;                   // columns of the field
  int decimais = 0;                  // decimals of the field
  bool escreveSeparador = false;     // the decimal separator is written (else decimals are implied)
  std::string_view separador = ",";  // the separator written
  bool vazioEmBranco = false;  // espacoNosNumerosVazios: blanks in place of zeros, zero is blank
  bool preencheComBrancos = false;  // espacoAdireitaNumeros: blanks in place of the zero fill
};

// kAmbiguo: "1.520", a single full stop before three digits, which may be a thousand or a decimal
// point.
enum class ResultadoNumero { kOk, kNaoEhNumero, kNaoCabe, kAmbiguo };

// Writes a numeric value into exactly `formato.tamanho` columns (characters). The value is written
// "1520,75" or "1520.75", or grouped as Brazilians write it, "1.520,75"; "1.520" alone is refused
// as ambiguous (kAmbiguo), "0.520" and "1,520" are decimals.
// - the value is rounded to the field's decimals, half away from zero;
// - with the separator written, it stands between the integer digits (at least "0") and the
//   decimals; when only a zero integer part keeps the number from fitting, that "0" is left out
//   (",50"); without it the decimals are implied and the digits are written alone ("12,5" with
//   2 decimals is "1250"); a zero that cannot show its decimals in the field's columns is
//   written as zeros alone;
// - the number is right-aligned; the places to its left are "0" (with the "-" of a negative
//   number in the first column) or, with `vazioEmBranco` or `preencheComBrancos`, blanks (the
//   "-" then stands right before the digits);
// - the empty value is the number zero, and with `vazioEmBranco` zero is written as blanks;
// - a number that needs more columns than the field has is never cut: kNaoCabe, and a text
//   that is not a number gives kNaoEhNumero; `saida` is then left unchanged.
ResultadoNumero FormataNumero(std::string_view valor, const FormatoNumero& formato,
                              std::string& saida);
// The same written from byte `posicao` of `saida`, which grows when it has no room (Espaco in
// common/texto.h) and is not cut: `posicao` moves to the number's end. Nothing changes when the
// result is not kOk.
ResultadoNumero FormataNumero(std::string_view valor, const FormatoNumero& formato,
                              std::string& saida, std::size_t& posicao);

// Reads the text of a numeric field as written by FormataNumero with the same settings and gives
// back the system's text of the number ("" for a blank field): with the separator not written (or
// empty) and no separator in the text, the last `decimais` digits are the decimals. A sign or a
// separator without a digit is not a number. A text that holds a
// separator ("," , "." or `separador`) is read with it, whatever the settings. Nothing comes back
// when the text is not a number.
std::optional<std::string> LeNumeroDoCampo(std::string_view texto, int decimais,
                                           bool separadorEscrito, std::string_view separador);
// The same into `saida` (false, and `saida` unspecified, when the text is not a number).
bool LeNumeroDoCampo(std::string_view texto, int decimais, bool separadorEscrito,
                     std::string_view separador, std::string& saida);

// A number read by LeNumeroDoCampo, in pieces that point into the text read: the system's text is
// the sign, the integer digits (or "0"), then, when it has decimals, "," and the decimals padded
// with zeros on both sides. Nothing is copied until it is written out.
struct NumeroLido {
  bool vazio = false;  // a blank field: the text is ""
  bool negativo = false;
  std::string_view inteiros;    // without leading zeros; empty for 0
  std::size_t zerosAntes = 0;   // zeros between the "," and `fracao`
  std::string_view fracao;      // decimals read
  std::size_t zerosDepois = 0;  // zeros after `fracao`, up to the field's decimals

  bool TemDecimais() const { return zerosAntes + fracao.size() + zerosDepois > 0; }
  // The length of the system's text.
  std::size_t Tamanho() const {
    if (vazio) {
      return 0;
    }
    const std::size_t decimais = zerosAntes + fracao.size() + zerosDepois;
    return (negativo ? 1 : 0) + (inteiros.empty() ? 1 : inteiros.size()) +
           (decimais > 0 ? decimais + 1 : 0);
  }
  // Writes the system's text at `o` (room for Tamanho() bytes) and gives its end.
  char* Escreve(char* o) const;
};
// How a numeric field is read: its decimals and the separator it is written with.
struct LeituraNumero {
  int decimais = 0;
  bool separadorEscrito = false;
  std::string_view separador = ",";
};
// The same, in pieces (false, and `lido` unspecified, when the text is not a number).
bool LeNumeroDoCampo(std::string_view texto, const LeituraNumero& leitura, NumeroLido& lido);
// Reads the text of a numeric field as LeNumeroDoCampo does and writes the system's text at `o`,
// which has room for the text's length, the field's decimals and 32 bytes more; gives the end, or
// null (nothing meaningful written) when the text is not a number. `temDecimais` tells whether
// the text written holds the decimal ",". `legivel` holds `texto` (a record line, say) and may be
// read whole: a short text is then read 16 bytes at once.
char* EscreveNumeroDoCampo(char* o, std::string_view texto, const LeituraNumero& leitura,
                           std::string_view legivel, bool& temDecimais);
// The same with the vector level given (`sse2`: UsaSse2() in common/simd.h), for whoever writes
// many numbers in a row and asks for the level once for all of them.
char* EscreveNumeroDoCampo(char* o, std::string_view texto, const LeituraNumero& leitura,
                           std::string_view legivel, bool& temDecimais, bool sse2);

}  // namespace lumbrava
