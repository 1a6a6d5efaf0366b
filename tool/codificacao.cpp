#include "tool/codificacao.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "common/simd.h"
#include "common/texto.h"

#if LUMBRAVA_SSSE3
#include <tmmintrin.h>
#endif

namespace lumbrava {

namespace {

// The characters of Windows-1252's bytes 0x80 to 0x9F; 0 where the byte is undefined. From 0xA0
// on a byte is the character of the same number.
constexpr std::array<char16_t, 32> kAlto = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Each byte from 0x80 as UTF-8: its length (0 when undefined) and its bytes.
struct Utf8DoByte {
  unsigned char tamanho = 0;
  std::array<char, 4> bytes{};  // four, so that a copy of all of them needs no length
};

constexpr std::array<Utf8DoByte, 128> TabelaParaUtf8() {
  std::array<Utf8DoByte, 128> t{};
  for (unsigned b = 0x80; b <= 0xFF; ++b) {
    const char32_t c = b < 0xA0 ? kAlto[b - 0x80] : b;
    Utf8DoByte& u = t[b - 0x80];
    if (c == 0) {
      continue;
    }
    if (c < 0x800) {
      u.tamanho = 2;
      u.bytes = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0, 0};
    } else {
      u.tamanho = 3;
      u.bytes = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                 static_cast<char>(0x80 | (c & 0x3F)), 0};
    }
  }
  return t;
}

constexpr std::array<Utf8DoByte, 128> kParaUtf8 = TabelaParaUtf8();

// The Windows-1252 byte of a character; 0 when it has none (the NUL character is ASCII and never
// asked here).
unsigned char ByteDe(char32_t c) {
  if (c >= 0xA0 && c <= 0xFF) {
    return static_cast<unsigned char>(c);
  }
  for (std::size_t i = 0; i < kAlto.size(); ++i) {
    if (kAlto[i] != 0 && kAlto[i] == c) {
      return static_cast<unsigned char>(0x80 + i);
    }
  }
  return 0;
}

}  // namespace

std::string NomeDoCaractere(char32_t c) {
  char nome[16];
  std::snprintf(nome, sizeof nome, "U+%04X", static_cast<unsigned>(c));
  return nome;
}

bool Decodificador::Decodifica(std::string_view linha, std::string& buffer, std::string_view& utf8,
                               FalhaCodificacao* falha) const {
  if (EhAscii(linha)) {
    utf8 = linha;
    return true;
  }
  if (codificacao_ == Codificacao::kUtf8) {
    utf8 = linha;
    if (EhUtf8Valido(linha)) {
      return true;
    }
    // Malformed: where.
    for (std::size_t i = 0; i < linha.size();) {
      char32_t c = 0;
      if (!ProximoCaractere(linha, i, c)) {
        if (falha != nullptr) {
          *falha = {ColunaDoByte(linha, i), static_cast<unsigned char>(linha[i])};
        }
        return false;
      }
    }
    return true;
  }
  if (const auto p = linha.find_first_of(kIndefinidosWindows1252); p != std::string_view::npos) {
    if (falha != nullptr) {
      *falha = {p + 1, static_cast<unsigned char>(linha[p])};
    }
    return false;
  }
  buffer.resize(linha.size() * 3 + 32);
  buffer.resize(
      static_cast<std::size_t>(Windows1252ParaUtf8(buffer.data(), linha) - buffer.data()));
  utf8 = buffer;
  return true;
}

#if LUMBRAVA_SSSE3
namespace {

// A shuffle for each pattern of eight bits (bit i: byte i): the positions to take, in order (0x80,
// a zero byte, past them), and how many there are.
struct Embaralhamentos {
  std::array<std::array<std::uint8_t, 16>, 256> posicoes{};
  std::array<std::uint8_t, 256> tamanhos{};
};

// With `expande`, the bytes are eight pairs (lead byte, continuation byte) and a marked byte keeps
// both, an unmarked one its lead alone; else a marked byte is left out.
constexpr Embaralhamentos FazEmbaralhamentos(bool expande) {
  Embaralhamentos t;
  for (unsigned m = 0; m < 256; ++m) {
    std::uint8_t n = 0;
    for (unsigned i = 0; i < 8; ++i) {
      const bool marcado = ((m >> i) & 1U) != 0;
      if (expande) {
        t.posicoes[m][n++] = static_cast<std::uint8_t>(2 * i);
        if (marcado) {
          t.posicoes[m][n++] = static_cast<std::uint8_t>(2 * i + 1);
        }
      } else if (!marcado) {
        t.posicoes[m][n++] = static_cast<std::uint8_t>(i);
      }
    }
    t.tamanhos[m] = n;
    for (unsigned k = n; k < 16; ++k) {
      t.posicoes[m][k] = 0x80;
    }
  }
  return t;
}

// Windows-1252 to UTF-8: the bytes from 0xA0 are marked.
constexpr Embaralhamentos kCompacta = FazEmbaralhamentos(true);
// UTF-8 to Windows-1252: the lead bytes are marked.
constexpr Embaralhamentos kSemLideres = FazEmbaralhamentos(false);

// Sixteen bytes in UTF-8 at `o`, none of them from 0x80 to 0x9F; `altos` marks those from 0xA0
// (bit i: byte i), and only the first `validos` bytes count. A byte from 0xA0 is the character of
// the same number, two bytes in UTF-8 (0xC2 or 0xC3, then 0x80 and the byte's low six bits), so
// the pairs of all sixteen are made at once and those of the ASCII bytes shortened to one by a
// shuffle, eight bytes a shuffle. Gives the end of the valid bytes' text; up to 32 bytes from `o`
// are written.
__attribute__((target("ssse3"))) char* Converte16(char* o, __m128i b, unsigned altos,
                                                  unsigned validos) {
  const __m128i c0 = _mm_set1_epi8(static_cast<char>(0xC0));
  const __m128i alto = _mm_cmplt_epi8(b, _mm_setzero_si128());
  // The lead byte: 0xC2, or 0xC3 for bytes from 0xC0; an ASCII byte is itself.
  const __m128i lider =
      _mm_add_epi8(_mm_set1_epi8(static_cast<char>(0xC2)),
                   _mm_and_si128(_mm_cmpeq_epi8(_mm_and_si128(b, c0), c0), _mm_set1_epi8(1)));
  const __m128i primeiro = _mm_or_si128(_mm_and_si128(alto, lider), _mm_andnot_si128(alto, b));
  const __m128i segundo =
      _mm_or_si128(_mm_and_si128(b, _mm_set1_epi8(0x3F)), _mm_set1_epi8(static_cast<char>(0x80)));
  const unsigned m1 = altos & 0xFFU;
  _mm_storeu_si128(
      reinterpret_cast<__m128i*>(o),
      _mm_shuffle_epi8(
          _mm_unpacklo_epi8(primeiro, segundo),
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(kCompacta.posicoes[m1].data()))));
  if (validos <= 8) {
    return o + validos + (kCompacta.tamanhos[m1] - 8U);
  }
  o += kCompacta.tamanhos[m1];
  const unsigned m2 = (altos >> 8U) & 0xFFU;
  _mm_storeu_si128(
      reinterpret_cast<__m128i*>(o),
      _mm_shuffle_epi8(
          _mm_unpackhi_epi8(primeiro, segundo),
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(kCompacta.posicoes[m2].data()))));
  return o + (validos - 8) + (kCompacta.tamanhos[m2] - 8U);
}

// Sixteen bytes at a time (Converte16); sixteen bytes that hold one from 0x80 to 0x9F go byte by
// byte. The last bytes, fewer than sixteen, go at once too when the sixteen from them may be read
// (before `legivelAte`) and hold none from 0x80 to 0x9F; else they are left to the caller (`p`
// tells how far it went).
__attribute__((target("ssse3"))) char* ParaUtf8Ssse3(char* o, const char*& p, const char* fim,
                                                     const char* legivelAte) {
  const __m128i e0 = _mm_set1_epi8(static_cast<char>(0xE0));
  const __m128i oitenta = _mm_set1_epi8(static_cast<char>(0x80));
  while (p < fim) {
    const auto resto = static_cast<std::size_t>(fim - p);
    if (resto < 16 && (legivelAte == nullptr || legivelAte - p < 16)) {
      break;
    }
    const unsigned validos = resto < 16 ? static_cast<unsigned>(resto) : 16U;
    const unsigned mascara = validos == 16 ? 0xFFFFU : (1U << validos) - 1U;
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto altos = static_cast<unsigned>(_mm_movemask_epi8(b)) & mascara;
    if (altos == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), b);
      o += validos;
      p += validos;
      continue;
    }
    if ((static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(b, e0), oitenta))) &
         mascara) != 0) {
      if (validos < 16) {
        break;
      }
      // 0x80 to 0x9F: byte by byte, through the table.
      for (const char* const ate = p + 16; p < ate; ++p) {
        if (static_cast<unsigned char>(*p) < 0x80U) {
          *o++ = *p;
        } else {
          const Utf8DoByte& u = kParaUtf8[static_cast<unsigned char>(*p) - 0x80U];
          std::memcpy(o, u.bytes.data(), 4);
          o += u.tamanho;
        }
      }
      continue;
    }
    o = Converte16(o, b, altos, validos);
    p += validos;
  }
  return o;
}

// UTF-8 into Windows-1252 sixteen bytes at a time while the text holds only ASCII and the
// characters U+00A0 to U+00FF (two bytes, C2 or C3 and a continuation byte, which become the one
// byte of the same number). Stops, `p` at the sixteen bytes it cannot take so, at anything else
// (other characters, malformed text) or when fewer than sixteen bytes are left: the caller goes on
// character by character.
__attribute__((target("ssse3"))) char* ParaWindows1252Ssse3(char* o, const unsigned char*& p,
                                                            const unsigned char* fim) {
  const __m128i c2 = _mm_set1_epi8(static_cast<char>(0xC2));
  const __m128i c3 = _mm_set1_epi8(static_cast<char>(0xC3));
  const __m128i c0 = _mm_set1_epi8(static_cast<char>(0xC0));
  const __m128i oitenta = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i e0 = _mm_set1_epi8(static_cast<char>(0xE0));
  while (fim - p >= 16) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const auto altos = static_cast<unsigned>(_mm_movemask_epi8(b));
    if (altos == 0) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), b);
      o += 16;
      p += 16;
      continue;
    }
    const __m128i eC3 = _mm_cmpeq_epi8(b, c3);
    const auto c2s = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(b, c2)));
    const unsigned lideres = c2s | static_cast<unsigned>(_mm_movemask_epi8(eC3));
    const auto continuacoes =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(b, c0), oitenta)));
    // 0x80 to 0x9F after C2: U+0080 to U+009F, which Windows-1252 does not have.
    const auto baixas =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(b, e0), oitenta)));
    // Every byte from 0x80 is such a lead or continuation, each lead followed by a continuation
    // and each continuation led; a lead in the last byte waits for the next sixteen.
    if ((lideres | continuacoes) != altos || continuacoes != ((lideres << 1U) & 0xFFFFU) ||
        (baixas & (c2s << 1U)) != 0) {
      return o;
    }
    // A continuation after C3 stands for its byte plus 0x40; after C2, for itself.
    const __m128i valores =
        _mm_add_epi8(b, _mm_and_si128(_mm_slli_si128(eC3, 1), _mm_set1_epi8(0x40)));
    const unsigned m1 = lideres & 0xFFU;
    const unsigned m2 = lideres >> 8U;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o),
                     _mm_shuffle_epi8(valores, _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                                   kSemLideres.posicoes[m1].data()))));
    o += kSemLideres.tamanhos[m1];
    _mm_storeu_si128(
        reinterpret_cast<__m128i*>(o),
        _mm_shuffle_epi8(
            _mm_srli_si128(valores, 8),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(kSemLideres.posicoes[m2].data()))));
    o += kSemLideres.tamanhos[m2];
    p += (lideres & 0x8000U) != 0 ? 15 : 16;  // a last lead, left out above, is read again
  }
  return o;
}

}  // namespace
#endif

char* Windows1252ParaUtf8(char* o, std::string_view bytes, const char* legivelAte) {
  const char* p = bytes.data();
  const char* const fim = p + bytes.size();
#if LUMBRAVA_SSE2
  const NivelSimd nivel = NivelSimdEmUso();
#endif
#if LUMBRAVA_SSSE3
  if (nivel >= NivelSimd::kSsse3) {
    o = ParaUtf8Ssse3(o, p, fim, legivelAte);
  }
#else
  static_cast<void>(legivelAte);
#endif
  const auto alto = [&o](const char* q) {
    const Utf8DoByte& u = kParaUtf8[static_cast<unsigned char>(*q) - 0x80U];
    std::memcpy(o, u.bytes.data(), 4);
    o += u.tamanho;
  };
#if LUMBRAVA_SSE2
  while (nivel >= NivelSimd::kSse2 && fim - p >= 16) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(o), b);
    const auto altos = static_cast<unsigned>(_mm_movemask_epi8(b));
    if (altos == 0) {
      o += 16;
      p += 16;
      continue;
    }
    const auto ascii = static_cast<std::size_t>(__builtin_ctz(altos));  // copied already
    o += ascii;
    p += ascii;
    alto(p++);
  }
#endif
  for (; p < fim; ++p) {
    if (static_cast<unsigned char>(*p) < 0x80U) {
      *o++ = *p;
    } else {
      alto(p);
    }
  }
  return o;
}

bool Codificador::Codifica(std::string_view utf8, std::string& saida,
                           FalhaCodificacao* falha) const {
  saida.clear();
  return Acrescenta(utf8, saida, falha);
}

bool Codificador::Acrescenta(std::string_view utf8, std::string& saida,
                             FalhaCodificacao* falha) const {
  if (codificacao_ == Codificacao::kUtf8) {
    saida.append(utf8);
    return true;
  }
  const std::size_t antes = saida.size();
  saida.resize(antes + utf8.size() + 16);
  char* o = saida.data() + antes;
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const unsigned char* const fim = p + utf8.size();
#if LUMBRAVA_SSE2
  const NivelSimd nivel = NivelSimdEmUso();
#endif
  while (p < fim) {
#if LUMBRAVA_SSSE3
    if (nivel >= NivelSimd::kSsse3 && fim - p >= 16) {
      o = ParaWindows1252Ssse3(o, p, fim);
      if (p >= fim) {
        break;
      }
    }
#endif
#if LUMBRAVA_SSE2
    if (nivel >= NivelSimd::kSse2 && fim - p >= 16) {  // the ASCII up to the next byte from 0x80
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(o), b);
      const auto altos = static_cast<unsigned>(_mm_movemask_epi8(b));
      const unsigned ascii = altos == 0 ? 16U : static_cast<unsigned>(__builtin_ctz(altos));
      p += ascii;
      o += ascii;
      if (altos == 0) {
        continue;
      }
    }
#endif
    if (*p < 0x80U) {
      *o++ = static_cast<char>(*p++);
      continue;
    }
    // The accented letters, U+00C0 to U+00FF: two bytes, C3 and 80 to BF, for the byte 0x40 above
    // the second.
    if (p[0] == 0xC3U && fim - p >= 2 && (p[1] & 0xC0U) == 0x80U) {
      *o++ = static_cast<char>(p[1] + 0x40U);
      p += 2;
      continue;
    }
    const auto* const inicio = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto onde = static_cast<std::size_t>(p - inicio);
    std::size_t i = onde;
    char32_t c = 0;
    const bool valido = ProximoCaractere(utf8, i, c);
    const unsigned char b = valido ? ByteDe(c) : 0;
    if (b == 0) {
      if (falha != nullptr) {
        *falha = {ColunaDoByte(utf8, onde), valido ? c : U'\uFFFD'};
      }
      saida.resize(antes);
      return false;
    }
    *o++ = static_cast<char>(b);
    p = inicio + i;
  }
  saida.resize(static_cast<std::size_t>(o - saida.data()));
  return true;
}

}  // namespace lumbrava
