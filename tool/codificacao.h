// Code pages of the target systems' files. Inside the program text is UTF-8; record files are
// Windows-1252 unless the user asks for UTF-8. Windows-1252 goes through a table of its 256
// bytes, both ways; nothing is ever substituted: a byte that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D), malformed UTF-8 or a character that Windows-1252 cannot hold
// fails, and the failure says where.
//
// Threads: a Decodificador or Codificador holds no state between calls; each thread may have its
// own, or share one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumbrava {

enum class Codificacao { kWindows1252, kUtf8 };

// Where a text could not be converted: the character's column (from 1) in the text, and the byte
// (decoding) or the character (encoding) that failed.
struct FalhaCodificacao {
  std::size_t coluna = 0;
  char32_t valor = 0;
};

// Decodes one line of a record file into UTF-8.
class Decodificador {
 public:
  explicit Decodificador(Codificacao c) : codificacao_(c) {}
  // `utf8` views the line itself when it needs no conversion, else `buffer`. False on a byte that
  // the encoding does not define or on malformed UTF-8; `falha`, when given, says where.
  bool Decodifica(std::string_view linha, std::string& buffer, std::string_view& utf8,
                  FalhaCodificacao* falha = nullptr) const;

 private:
  Codificacao codificacao_;
};

// Encodes a UTF-8 record for the file.
class Codificador {
 public:
  explicit Codificador(Codificacao c) : codificacao_(c) {}
  // False on a character that Windows-1252 cannot hold (or malformed UTF-8); `falha`, when given,
  // names it (valor is the character, U+FFFD for malformed UTF-8).
  bool Codifica(std::string_view utf8, std::string& saida, FalhaCodificacao* falha = nullptr) const;
  // The same, appended to `saida`; on failure `saida` is as it was.
  bool Acrescenta(std::string_view utf8, std::string& saida,
                  FalhaCodificacao* falha = nullptr) const;

 private:
  Codificacao codificacao_;
};

// "U+2192".
std::string NomeDoCaractere(char32_t c);

// The five bytes that Windows-1252 leaves undefined.
inline constexpr std::string_view kIndefinidosWindows1252 = "\x81\x8D\x8F\x90\x9D";

// Windows-1252 bytes, none of them undefined, written as UTF-8 at `o`, which has room for three
// bytes a byte and 32 more; gives the end. Sixteen bytes are converted at a time; with
// `legivelAte` (the end of a line that holds `bytes`, which may be read up to there) a short text
// goes at once too.
char* Windows1252ParaUtf8(char* o, std::string_view bytes, const char* legivelAte = nullptr);

}  // namespace lumbrava
