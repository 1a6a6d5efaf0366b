// Code pages of the target systems' files. Inside the program text is UTF-8; record files are
// Windows-1252 unless the user asks for UTF-8.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace lumbrava {

enum class Codificacao { kWindows1252, kUtf8 };

// Converts text between two encodings with the C library's iconv. Never substitutes: a byte
// sequence that the source does not define, or a character that the target cannot hold, fails.
class Conversor {
 public:
  Conversor(const char* de, const char* para);
  ~Conversor();
  Conversor(const Conversor&) = delete;
  Conversor& operator=(const Conversor&) = delete;

  // Replaces `saida` with the converted text; false when the text cannot be converted.
  bool Converte(std::string_view entrada, std::string& saida);

 private:
  iconv_t cd_;
};

// Decodes one line of a record file into UTF-8 (false on bytes the encoding does not define, or on
// malformed UTF-8).
class Decodificador {
 public:
  explicit Decodificador(Codificacao c);
  // `utf8` views the line itself when it needs no conversion, else `buffer`.
  bool Decodifica(std::string_view linha, std::string& buffer, std::string_view& utf8);

 private:
  Codificacao codificacao_;
  Conversor conversor_;
};

// Encodes a UTF-8 record for the file (false on a character that Windows-1252 cannot hold).
class Codificador {
 public:
  explicit Codificador(Codificacao c);
  bool Codifica(std::string_view utf8, std::string& saida);

 private:
  Codificacao codificacao_;
  Conversor conversor_;
};

}  // namespace lumbrava
