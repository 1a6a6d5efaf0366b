#include "common/texto.h"

#include <locale.h>

#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwctype>

namespace lumbrava {

namespace {

bool EhContinuacao(unsigned char c) { return (c & 0xC0U) == 0x80U; }

// Decodes one character at `i`; returns its code point and advances `i`. Malformed bytes come back
// one at a time as themselves, so nothing is lost.
char32_t DecodificaUm(std::string_view t, std::size_t& i) {
  const auto c0 = static_cast<unsigned char>(t[i]);
  std::size_t n = 0;
  char32_t cp = 0;
  if (c0 < 0x80U) {
    ++i;
    return c0;
  }
  if ((c0 & 0xE0U) == 0xC0U) {
    n = 1;
    cp = c0 & 0x1FU;
  } else if ((c0 & 0xF0U) == 0xE0U) {
    n = 2;
    cp = c0 & 0x0FU;
  } else if ((c0 & 0xF8U) == 0xF0U) {
    n = 3;
    cp = c0 & 0x07U;
  } else {
    ++i;
    return 0xFFFFFFFFU;  // stray byte
  }
  if (i + n >= t.size()) {
    ++i;
    return 0xFFFFFFFFU;
  }
  for (std::size_t k = 1; k <= n; ++k) {
    const auto c = static_cast<unsigned char>(t[i + k]);
    if (!EhContinuacao(c)) {
      ++i;
      return 0xFFFFFFFFU;
    }
    cp = (cp << 6U) | (c & 0x3FU);
  }
  i += n + 1;
  return cp;
}

void Codifica(char32_t cp, std::string& saida) {
  if (cp < 0x80U) {
    saida.push_back(static_cast<char>(cp));
  } else if (cp < 0x800U) {
    saida.push_back(static_cast<char>(0xC0U | (cp >> 6U)));
    saida.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
  } else if (cp < 0x10000U) {
    saida.push_back(static_cast<char>(0xE0U | (cp >> 12U)));
    saida.push_back(static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU)));
    saida.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
  } else {
    saida.push_back(static_cast<char>(0xF0U | (cp >> 18U)));
    saida.push_back(static_cast<char>(0x80U | ((cp >> 12U) & 0x3FU)));
    saida.push_back(static_cast<char>(0x80U | ((cp >> 6U) & 0x3FU)));
    saida.push_back(static_cast<char>(0x80U | (cp & 0x3FU)));
  }
}

// The C.UTF-8 locale gives the Unicode case mapping without touching the process's locale.
locale_t LocaleUtf8() {
  static const locale_t loc = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  return loc;
}

char32_t MaiusculaDe(char32_t cp) {
  if (cp < 0x80U) {
    return (cp >= 'a' && cp <= 'z') ? cp - 32U : cp;
  }
  if (const locale_t loc = LocaleUtf8(); loc != static_cast<locale_t>(nullptr)) {
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(cp), loc));
  }
  // Without the locale: the Latin-1 letters, which cover Portuguese.
  if ((cp >= 0xE0U && cp <= 0xFEU && cp != 0xF7U)) {
    return cp - 32U;
  }
  return cp;
}

}  // namespace

std::size_t ContaCaracteres(std::string_view texto) {
  std::size_t n = 0;
  for (const char c : texto) {
    n += EhContinuacao(static_cast<unsigned char>(c)) ? 0 : 1;
  }
  return n;
}

std::size_t DeslocamentoDoCaractere(std::string_view texto, std::size_t caractere) {
  std::size_t i = 0;
  std::size_t vistos = 0;
  while (i < texto.size()) {
    if (!EhContinuacao(static_cast<unsigned char>(texto[i]))) {
      if (vistos == caractere) {
        return i;
      }
      ++vistos;
    }
    ++i;
  }
  return texto.size();
}

std::string_view Subtexto(std::string_view texto, std::size_t inicio, std::size_t quantidade) {
  const std::size_t a = DeslocamentoDoCaractere(texto, inicio);
  const std::string_view resto = texto.substr(a);
  const std::size_t b = DeslocamentoDoCaractere(resto, quantidade);
  return resto.substr(0, b);
}

bool EhAscii(std::string_view texto) {
  // Eight bytes at a time: any byte with its top bit set.
  std::size_t i = 0;
  std::uint64_t acumulado = 0;
  for (; i + 8 <= texto.size(); i += 8) {
    std::uint64_t bloco = 0;
    std::memcpy(&bloco, texto.data() + i, 8);
    acumulado |= bloco;
  }
  for (; i < texto.size(); ++i) {
    acumulado |= static_cast<unsigned char>(texto[i]);
  }
  return (acumulado & 0x8080808080808080ULL) == 0;
}

bool EhUtf8Valido(std::string_view texto) {
  if (EhAscii(texto)) {
    return true;
  }
  std::size_t i = 0;
  while (i < texto.size()) {
    const std::size_t antes = i;
    const char32_t cp = DecodificaUm(texto, i);
    if (cp == 0xFFFFFFFFU || cp > 0x10FFFFU || (cp >= 0xD800U && cp <= 0xDFFFU)) {
      return false;
    }
    // Overlong forms.
    const std::size_t n = i - antes;
    if ((n == 2 && cp < 0x80U) || (n == 3 && cp < 0x800U) || (n == 4 && cp < 0x10000U)) {
      return false;
    }
  }
  return true;
}

std::string Maiusculas(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  std::size_t i = 0;
  while (i < texto.size()) {
    const std::size_t antes = i;
    const char32_t cp = DecodificaUm(texto, i);
    if (cp == 0xFFFFFFFFU) {
      saida.append(texto.substr(antes, i - antes));
    } else {
      Codifica(MaiusculaDe(cp), saida);
    }
  }
  return saida;
}

std::string_view Apara(std::string_view texto) {
  const auto branco = [](char c) { return c == ' ' || c == '\t'; };
  while (!texto.empty() && branco(texto.front())) {
    texto.remove_prefix(1);
  }
  while (!texto.empty() && branco(texto.back())) {
    texto.remove_suffix(1);
  }
  return texto;
}

}  // namespace lumbrava
