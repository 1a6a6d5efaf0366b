#include "common/texto.h"

#include <locale.h>

#include <bit>
#include <clocale>
#include <cstdint>
#include <cstring>
#include <cwctype>

#include "common/simd.h"

namespace lumbrava {

namespace {

bool EhContinuacao(unsigned char c) { return (c & 0xC0U) == 0x80U; }

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

namespace {

constexpr std::uint64_t kAltos = 0x8080808080808080ULL;

std::uint64_t Palavra(const char* p) {
  std::uint64_t w = 0;
  std::memcpy(&w, p, 8);
  return w;
}

// How many of the eight bytes of `w` start a character (are not 10xxxxxx).
unsigned InicioDeCaracteres(std::uint64_t w) {
  // One bit per continuation byte, moved to the bottom of its byte and summed by the multiply.
  const std::uint64_t continuacoes = (w & ~(w << 1U) & kAltos) >> 7U;
  return 8U - static_cast<unsigned>((continuacoes * 0x0101010101010101ULL) >> 56U);
}

}  // namespace

// Its bytes less those that go on a character (10xxxxxx), counted sixteen at a time.
std::size_t ContaCaracteres(std::string_view texto) {
  const std::size_t n = texto.size();
  std::size_t continuacoes = 0;
#if LUMBRAVA_SSE2
  if (n >= 16 && UsaSse2()) {
    // 0x80 to 0xBF are the signed bytes below -64: each adds one to its lane's count, and the
    // lanes are summed before any can pass 255.
    const __m128i limite = _mm_set1_epi8(-64);
    const auto bloco = [&](std::size_t i) {
      return _mm_cmplt_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(texto.data() + i)),
                            limite);
    };
    const auto soma = [](__m128i contagem) {
      const __m128i s = _mm_sad_epu8(contagem, _mm_setzero_si128());
      return static_cast<std::size_t>(_mm_cvtsi128_si32(s)) +
             static_cast<std::size_t>(_mm_cvtsi128_si32(_mm_unpackhi_epi64(s, s)));
    };
    __m128i contagem = _mm_setzero_si128();
    std::size_t i = 0;
    while (n - i >= 16) {
      const std::size_t blocos = std::min<std::size_t>((n - i) / 16, 255);
      for (const std::size_t fim = i + 16 * blocos; i < fim; i += 16) {
        contagem = _mm_sub_epi8(contagem, bloco(i));
      }
      if (blocos == 255) {
        continuacoes += soma(contagem);
        contagem = _mm_setzero_si128();
      }
    }
    if (i < n) {  // the last sixteen bytes, less those counted already
      const __m128i indices = _mm_setr_epi8(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
      const __m128i novos = _mm_cmpgt_epi8(indices, _mm_set1_epi8(static_cast<char>(15 - (n - i))));
      contagem = _mm_sub_epi8(contagem, _mm_and_si128(bloco(n - 16), novos));
    }
    return n - continuacoes - soma(contagem);
  }
#endif
  if (std::endian::native == std::endian::little && n >= 8) {
    // Eight bytes at a time; the last eight are taken less those counted already (the bytes
    // shifted in are zeros, which start characters).
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
      continuacoes += 8U - InicioDeCaracteres(Palavra(texto.data() + i));
    }
    if (i < n) {
      const unsigned contados = 8U * static_cast<unsigned>(i + 8 - n);  // bits, 8 to 56
      continuacoes += 8U - InicioDeCaracteres(Palavra(texto.data() + n - 8) >> contados);
    }
    return n - continuacoes;
  }
  for (const char c : texto) {
    continuacoes += (static_cast<unsigned char>(c) & 0xC0U) == 0x80U ? 1 : 0;
  }
  return n - continuacoes;
}

std::size_t DeslocamentoDoCaractere(std::string_view texto, std::size_t caractere) {
  PercursoUtf8 percurso(texto);
  return percurso.Deslocamento(caractere);
}

std::string_view Subtexto(std::string_view texto, std::size_t inicio, std::size_t quantidade) {
  PercursoUtf8 percurso(texto);
  const std::size_t a = percurso.Deslocamento(inicio);
  if (quantidade > texto.size()) {
    return texto.substr(a);
  }
  return texto.substr(a, percurso.Deslocamento(inicio + quantidade) - a);
}

std::size_t PercursoUtf8::Caminha(std::size_t caractere) {
  if (caractere_ == kNenhum || caractere < caractere_) {
    caractere_ = 0;
    byte_ = 0;
  }
  const char* d = texto_.data();
  const std::size_t n = texto_.size();
  std::size_t c = caractere_;  // characters that begin before p
  std::size_t p = byte_;
#if LUMBRAVA_SSE2
  if (sse2_) {
    // Sixteen bytes at a time while the character asked for begins past them (a continuation byte,
    // 10xxxxxx, is below -64 as a signed byte).
    const __m128i limite = _mm_set1_epi8(-64);
    while (p + 16 <= n) {
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + p));
      // One per continuation byte, summed in each half.
      const __m128i somas = _mm_sad_epu8(_mm_and_si128(_mm_cmplt_epi8(b, limite), _mm_set1_epi8(1)),
                                         _mm_setzero_si128());
      const auto inicios =
          static_cast<std::size_t>(16 - _mm_cvtsi128_si32(somas) - _mm_extract_epi16(somas, 4));
      if (c + inicios > caractere) {
        break;
      }
      c += inicios;
      p += 16;
    }
  }
#endif
  while (p + 8 <= n) {
    const std::uint64_t w = Palavra(d + p);
    const unsigned inicios = InicioDeCaracteres(w);
    if (c + inicios > caractere) {
      // The character asked for begins in these eight bytes: past the first ones that begin
      // here, the next byte that begins one.
      if constexpr (std::endian::native == std::endian::little) {
        std::uint64_t inicio = ~(w & ~(w << 1U)) & kAltos;
        for (std::size_t k = c; k < caractere; ++k) {
          inicio &= inicio - 1;
        }
        p += static_cast<std::size_t>(std::countr_zero(inicio)) / 8;
        c = caractere;
      }
      break;
    }
    c += inicios;
    p += 8;
  }
  for (; p < n; ++p) {
    if (!EhContinuacao(static_cast<unsigned char>(d[p]))) {
      if (c == caractere) {
        break;
      }
      ++c;
    }
  }
  caractere_ = c;
  byte_ = p;
  return p;
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
  const auto* const inicio = reinterpret_cast<const unsigned char*>(texto.data());
  const unsigned char* const fim = inicio + texto.size();
  const unsigned char* p = inicio;
#if LUMBRAVA_SSE2
  const bool sse2 = UsaSse2();
#endif
  while (p < fim) {
    const unsigned char* bloco = fim;
#if LUMBRAVA_SSE2
    if (sse2) {
      // Sixteen bytes at a time while they hold only ASCII and two-byte characters (the accented
      // letters): every byte from 0x80 is a lead byte C2-DF or a continuation 80-BF, and every
      // continuation follows a lead byte (`pendente`: the last block ended in one).
      unsigned pendente = 0;
      const __m128i inverte = _mm_set1_epi8(static_cast<char>(0x80));
      for (; fim - p >= 16; p += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const auto altos = static_cast<unsigned>(_mm_movemask_epi8(b));
        if ((altos | pendente) == 0) {
          continue;
        }
        const __m128i x = _mm_xor_si128(b, inverte);  // 80-FF become 0-127
        const auto continuacoes = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
            _mm_cmpgt_epi8(x, _mm_set1_epi8(-1)), _mm_cmplt_epi8(x, _mm_set1_epi8(0x40)))));
        const auto lideres = static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(
            _mm_cmpgt_epi8(x, _mm_set1_epi8(0x41)), _mm_cmplt_epi8(x, _mm_set1_epi8(0x60)))));
        if ((lideres | continuacoes) != altos ||
            continuacoes != (((lideres << 1U) | pendente) & 0xFFFFU)) {
          break;
        }
        pendente = lideres >> 15U;
      }
      p -= pendente;  // a lead byte that ended the last block: checked with what follows it
      // The rest of a block that holds something else, character by character.
      bloco = fim - p >= 16 ? p + 16 : fim;
    }
#endif
    while (p < bloco) {
      if (*p < 0x80U) {
        ++p;
        continue;
      }
      auto i = static_cast<std::size_t>(p - inicio);
      char32_t c = 0;
      if (!ProximoCaractere(texto, i, c)) {
        return false;
      }
      p = inicio + i;
    }
  }
  return true;
}

std::string Maiusculas(std::string_view texto) {
  std::string saida;
  saida.reserve(texto.size());
  std::size_t i = 0;
  while (i < texto.size()) {
    char32_t cp = 0;
    if (ProximoCaractere(texto, i, cp)) {
      Codifica(MaiusculaDe(cp), saida);
    } else {
      saida.push_back(texto[i++]);  // malformed: the byte as it is
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
