#include "common/visivel.h"

#include <cstddef>

#include "common/texto.h"

namespace lumbrava {

namespace {

constexpr char kHexa[] = "0123456789abcdef";

void Escapa(std::string& saida, const char* prefixo, unsigned valor, int digitos) {
  saida += prefixo;
  for (int d = digitos - 1; d >= 0; --d) {
    saida += kHexa[(valor >> (4U * static_cast<unsigned>(d))) & 0xFU];
  }
}

// The length of the valid UTF-8 character at `i` (2 to 4 bytes), 0 when the bytes there are not
// one; `cp` gets the character.
std::size_t CaractereUtf8(std::string_view t, std::size_t i, char32_t& cp) {
  const auto b = [&t](std::size_t k) { return static_cast<unsigned char>(t[k]); };
  const unsigned char c = b(i);
  const std::size_t n = (c >> 5U) == 0x6U ? 2 : (c >> 4U) == 0xEU ? 3 : (c >> 3U) == 0x1EU ? 4 : 0;
  if (n == 0 || i + n > t.size()) {
    return 0;
  }
  char32_t v = c & (0x7FU >> n);
  for (std::size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0U) != 0x80U) {
      return 0;
    }
    v = (v << 6U) | (b(i + k) & 0x3FU);
  }
  constexpr char32_t kMenor[] = {0, 0, 0x80, 0x800, 0x10000};
  if (v < kMenor[n] || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) {
    return 0;
  }
  cp = v;
  return n;
}

// Characters that print nothing or turn the direction of the text around them: a name holding
// U+202E would show the rest of a message reversed.
bool EhInvisivel(char32_t cp) {
  return (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E) ||
         (cp >= 0x2060 && cp <= 0x2069) || cp == 0xFEFF || cp == 0x2028 || cp == 0x2029;
}

}  // namespace

void AcrescentaVisivel(std::string& saida, std::string_view texto) {
  std::size_t limpo = 0;  // start of the bytes not copied yet
  std::size_t i = 0;
  while (i < texto.size()) {
    const auto c = static_cast<unsigned char>(texto[i]);
    if (c >= 0x20U && c < 0x7FU) {
      ++i;
      continue;
    }
    char32_t cp = 0;
    std::size_t n = c >= 0x80U ? CaractereUtf8(texto, i, cp) : 0;
    if (n > 0 && cp > 0x9F && !EhInvisivel(cp)) {
      i += n;  // a character that prints
      continue;
    }
    saida.append(texto.substr(limpo, i - limpo));
    if (n > 0) {
      Escapa(saida, "\\u", static_cast<unsigned>(cp), 4);  // a C1 control or an invisible one
    } else if (c == '\t') {
      saida += "\\t";
    } else if (c == '\n') {
      saida += "\\n";
    } else if (c == '\r') {
      saida += "\\r";
    } else {
      Escapa(saida, "\\x", c, 2);
    }
    i += n > 0 ? n : 1;
    limpo = i;
  }
  saida.append(texto.substr(limpo));
}

std::string Visivel(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  AcrescentaVisivel(saida, texto);
  return saida;
}

std::string TrechoVisivel(std::string_view texto) {
  constexpr std::size_t kMostrados = 200;
  if (texto.size() > kMostrados) {
    if (const std::size_t n = ContaCaracteres(texto); n > kMostrados) {
      return Visivel(Subtexto(texto, 0, kMostrados)) + "... (" + std::to_string(n) + " caracteres)";
    }
  }
  return Visivel(texto);
}

}  // namespace lumbrava
