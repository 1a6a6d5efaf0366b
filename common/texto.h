// Text helpers shared by the library. Every text inside the program is UTF-8; the helpers here
// count and cut by characters (code points), never by bytes.
//
// Threads: the functions hold no state and may be called from any thread; a PercursoUtf8 belongs
// to one thread at a time.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "common/simd.h"

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
// ContaCaracteres. The vector level is the one in force when the walk is made.
class PercursoUtf8 {
 public:
  explicit PercursoUtf8(std::string_view texto = {}) : texto_(texto), sse2_(UsaSse2()) {}
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
  [[maybe_unused]] bool sse2_;       // the vector level, asked once for the whole walk
};

// Reads the character that begins at byte `i` (before the text's end) of a UTF-8 text: true with
// its code point in `c` and `i` past it. Only well-formed UTF-8 is read: a byte that cannot begin
// a character, a sequence broken or cut short, an overlong form, a surrogate (U+D800 to U+DFFF) or
// a value past U+10FFFF gives false, `i` and `c` unchanged.
inline bool ProximoCaractere(std::string_view texto, std::size_t& i, char32_t& c) {
  const auto* p = reinterpret_cast<const unsigned char*>(texto.data()) + i;
  const unsigned char b = p[0];
  if (b < 0x80U) {
    c = b;
    ++i;
    return true;
  }
  // The length, the lead byte's bits and the second byte's range, which rules out the overlong
  // forms, the surrogates and what lies past U+10FFFF.
  std::size_t n = 0;
  char32_t v = 0;
  unsigned char menor = 0x80U;
  unsigned char maior = 0xBFU;
  if (b >= 0xC2U && b <= 0xDFU) {
    n = 2;
    v = b & 0x1FU;
  } else if (b >= 0xE0U && b <= 0xEFU) {
    n = 3;
    v = b & 0x0FU;
    menor = b == 0xE0U ? 0xA0U : 0x80U;
    maior = b == 0xEDU ? 0x9FU : 0xBFU;
  } else if (b >= 0xF0U && b <= 0xF4U) {
    n = 4;
    v = b & 0x07U;
    menor = b == 0xF0U ? 0x90U : 0x80U;
    maior = b == 0xF4U ? 0x8FU : 0xBFU;
  } else {
    return false;
  }
  if (texto.size() - i < n || p[1] < menor || p[1] > maior) {
    return false;
  }
  v = (v << 6U) | (p[1] & 0x3FU);
  for (std::size_t k = 2; k < n; ++k) {
    if ((p[k] & 0xC0U) != 0x80U) {
      return false;
    }
    v = (v << 6U) | (p[k] & 0x3FU);
  }
  c = v;
  i += n;
  return true;
}

// True when the text is well-formed UTF-8 (every character as ProximoCaractere reads it).
bool EhUtf8Valido(std::string_view texto);

// Upper-case form of a UTF-8 text, letter by letter, accented letters included ("ç" -> "Ç"). Bytes
// that are not well-formed UTF-8 stay as they are.
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
