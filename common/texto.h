// Text helpers shared by the library. Every text inside the program is UTF-8; the helpers here
// count and cut by characters (code points), never by bytes.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace lumbrava {

// Number of characters in a UTF-8 text. Bytes that do not start a character are not counted.
std::size_t ContaCaracteres(std::string_view texto);

// The column (from 1) of byte `i` of a UTF-8 text: the characters before it, plus one.
inline std::size_t ColunaDoByte(std::string_view texto, std::size_t i) {
  return ContaCaracteres(texto.substr(0, i)) + 1;
}

// Byte offset of the character with index `caractere` (0-based); the text's size when the text
// is shorter than that.
std::size_t DeslocamentoDoCaractere(std::string_view texto, std::size_t caractere);

// The characters [inicio, inicio + quantidade) of a UTF-8 text (0-based), shorter or empty when
// the text ends first.
std::string_view Subtexto(std::string_view texto, std::size_t inicio, std::size_t quantidade);

// True when every byte is below 0x80, so that characters and bytes coincide.
bool EhAscii(std::string_view texto);

// Finds where the characters of a UTF-8 text begin, walking it forward: asking for characters in
// increasing order costs one pass over the text in all (an earlier character starts the walk
// again from the beginning). Bytes that do not start a character are not counted, as in
// ContaCaracteres.
class PercursoUtf8 {
 public:
  explicit PercursoUtf8(std::string_view texto = {}) : texto_(texto) {}
  void Reinicia(std::string_view texto) {
    texto_ = texto;
    caractere_ = kNenhum;
    byte_ = 0;
  }
  // Byte offset of the character with index `caractere` (0-based); the text's size when the text
  // is shorter than that.
  std::size_t Deslocamento(std::size_t caractere) {
    if (caractere == caractere_ && caractere != kNenhum) {
      return byte_;
    }
    if (caractere == 0 && (texto_.empty() || (static_cast<unsigned char>(texto_[0]) & 0xC0U) !=
                                                 0x80U)) {  // the first byte begins the first one
      caractere_ = 0;
      byte_ = 0;
      return 0;
    }
    return Caminha(caractere);
  }
  // The characters before the offset last given: the index asked for, or all the text's characters
  // when it is shorter.
  std::size_t Antes() const { return caractere_; }

 private:
  static constexpr std::size_t kNenhum = static_cast<std::size_t>(-1);
  std::size_t Caminha(std::size_t caractere);

  std::string_view texto_;
  std::size_t caractere_ = kNenhum;  // characters before byte_ (kNenhum: none found yet)
  std::size_t byte_ = 0;             // where character caractere_ begins, or the text's size
};

// True when the text is well-formed UTF-8.
bool EhUtf8Valido(std::string_view texto);

// Upper-case form of a UTF-8 text, letter by letter, accented letters included ("ç" -> "Ç").
std::string Maiusculas(std::string_view texto);

// Copies a text to `destino` and gives the end of the copy (the empty text copies nothing). Short
// texts, the usual field, are copied without a call: two overlapping moves of the same width.
inline char* Copia(char* destino, std::string_view origem) {
  const std::size_t n = origem.size();
  const char* o = origem.data();
  if (n > 16) {
    std::memcpy(destino, o, n);
  } else if (n >= 8) {
    std::uint64_t a = 0;
    std::uint64_t b = 0;
    std::memcpy(&a, o, 8);
    std::memcpy(&b, o + n - 8, 8);
    std::memcpy(destino, &a, 8);
    std::memcpy(destino + n - 8, &b, 8);
  } else if (n >= 4) {
    std::uint32_t a = 0;
    std::uint32_t b = 0;
    std::memcpy(&a, o, 4);
    std::memcpy(&b, o + n - 4, 4);
    std::memcpy(destino, &a, 4);
    std::memcpy(destino + n - 4, &b, 4);
  } else if (n > 0) {
    destino[0] = o[0];
    destino[n / 2] = o[n / 2];
    destino[n - 1] = o[n - 1];
  }
  return destino + n;
}

// Writes `n` copies of `c` to `destino` and gives the end, short runs without a call.
inline char* Repete(char* destino, char c, std::size_t n) {
  if (n > 16) {
    std::memset(destino, c, n);
  } else if (n >= 8) {
    const std::uint64_t w = 0x0101010101010101ULL * static_cast<unsigned char>(c);
    std::memcpy(destino, &w, 8);
    std::memcpy(destino + n - 8, &w, 8);
  } else if (n >= 4) {
    const std::uint32_t w = 0x01010101U * static_cast<unsigned char>(c);
    std::memcpy(destino, &w, 4);
    std::memcpy(destino + n - 4, &w, 4);
  } else if (n > 0) {
    destino[0] = c;
    destino[n / 2] = c;
    destino[n - 1] = c;
  }
  return destino + n;
}

// Room for `n` bytes from byte `posicao` of `texto`, which grows (to twice its size at least)
// when it is too short; gives where they begin. A text written this way keeps its size, and what
// it held after what was written, until it is cut to the length written: built again and again
// in the same string, it is filled in only when it grows.
inline char* Espaco(std::string& texto, std::size_t posicao, std::size_t n) {
  if (texto.size() - posicao < n || texto.size() < posicao) {
    texto.resize(std::max(posicao + n, 2 * texto.size()));
  }
  return texto.data() + posicao;
}

// Removes blanks (spaces and tabs) from both ends.
std::string_view Apara(std::string_view texto);

}  // namespace lumbrava
