#include "layouts/numero.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/simd.h"
#include "common/texto.h"

namespace lumbrava {

namespace {

// Adds one unit to a string of digits ("999" -> "1000").
void SomaUm(std::string& d) {
  for (auto i = d.size(); i > 0; --i) {
    if (d[i - 1] != '9') {
      ++d[i - 1];
      return;
    }
    d[i - 1] = '0';
  }
  d.insert(d.begin(), '1');
}

}  // namespace

namespace {

constexpr std::uint64_t kNibbleAlto = 0xF0F0F0F0F0F0F0F0ULL;
constexpr std::uint64_t kTres = 0x3030303030303030ULL;

std::uint64_t Palavra(const char* p) {
  std::uint64_t w = 0;
  std::memcpy(&w, p, 8);
  return w;
}

// The place of the first byte of `w` that `marcas` marks (a non-zero byte), in memory order.
std::size_t PrimeiroMarcado(std::uint64_t marcas) {
  if constexpr (std::endian::native == std::endian::little) {
    return static_cast<std::size_t>(std::countr_zero(marcas)) / 8;
  } else {
    return static_cast<std::size_t>(std::countl_zero(marcas)) / 8;
  }
}

// The first byte from `p` that is not a digit, eight bytes at a time while it can (a byte is a
// digit when its high nibble is 3 and stays 3 after adding 6; a carry out of a byte that is not a
// digit only reaches the bytes after it).
std::uint64_t NaoDigitos(std::uint64_t w) {
  return ((w & kNibbleAlto) ^ kTres) | (((w + 0x0606060606060606ULL) & kNibbleAlto) ^ kTres);
}

const char* PulaDigitos(const char* p, const char* fim) {
  const char* const inicio = p;
  for (; fim - p >= 8; p += 8) {
    const std::uint64_t naoDigitos = NaoDigitos(Palavra(p));
    if (naoDigitos != 0) {
      if constexpr (std::endian::native == std::endian::little) {
        return p + PrimeiroMarcado(naoDigitos);
      }
      break;  // the carry runs the other way: byte by byte
    }
  }
  // Fewer than eight left: when they are all digits, as they mostly are, one look at them (a
  // byte that is not a digit marks the word whatever the carries).
  if (p < fim) {
    std::uint64_t w = 0;
    if (fim - inicio >= 8) {
      w = Palavra(fim - 8);  // some of them seen already
    } else if (fim - p >= 4) {
      std::uint32_t a = 0;
      std::uint32_t b = 0;
      std::memcpy(&a, p, 4);
      std::memcpy(&b, fim - 4, 4);
      w = (std::uint64_t{b} << 32U) | a;
    } else {  // one to three: the first, the middle and the last, among zeros
      const auto n = static_cast<std::size_t>(fim - p);
      w = (kTres & ~0xFFFFFFULL) | static_cast<unsigned char>(p[0]) |
          (std::uint64_t{static_cast<unsigned char>(p[n / 2])} << 8U) |
          (std::uint64_t{static_cast<unsigned char>(p[n - 1])} << 16U);
    }
    if (NaoDigitos(w) == 0) {
      return fim;
    }
  }
  while (p < fim && static_cast<unsigned char>(*p - '0') <= 9) {
    ++p;
  }
  return p;
}

// Drops the leading zeros, eight at a time while it can.
void PulaZeros(std::string_view& digitos) {
  while (digitos.size() >= 8) {
    const std::uint64_t outros = Palavra(digitos.data()) ^ kTres;
    if (outros != 0) {
      digitos.remove_prefix(PrimeiroMarcado(outros));
      return;
    }
    digitos.remove_prefix(8);
  }
  while (!digitos.empty() && digitos.front() == '0') {
    digitos.remove_prefix(1);
  }
}

// Splits a trimmed number into its sign, integer digits and decimals. It is written as
// Brazilians write it: "-12,50", "12.50", "+7", ",5", "3." or with full stops between groups of
// three digits ("1.520,75", "1.520.000"). The integer digits of a grouped number are gathered in
// `agrupados`. A single full stop followed by three digits ("1.520") could be either a thousand
// or a decimal point: kAmbiguo.
ResultadoNumero DivideNumero(std::string_view texto, bool& negativo, std::string_view& inteiros,
                             std::string_view& fracao, std::string& agrupados) {
  const char* p = texto.data();
  const char* const fim = p + texto.size();
  negativo = false;
  if (p < fim && (*p == '+' || *p == '-')) {
    negativo = *p == '-';
    ++p;
  }
  const char* q = PulaDigitos(p, fim);
  inteiros = std::string_view(p, static_cast<std::size_t>(q - p));
  fracao = {};
  if (q < fim && *q == '.' && q > p && q - p <= 3) {
    // Groups of three digits after full stops, as long as they go on.
    const char* r = q;
    std::size_t grupos = 0;
    while (r < fim && *r == '.' && fim - r >= 4 && PulaDigitos(r + 1, r + 4) == r + 4 &&
           (r + 4 == fim || static_cast<unsigned char>(r[4] - '0') > 9)) {
      r += 4;
      ++grupos;
    }
    const bool decimaisDepois = r < fim && *r == ',';
    if (decimaisDepois || (r == fim && grupos >= 2)) {
      agrupados.assign(p, q);
      for (const char* g = q; g < r; g += 4) {
        agrupados.append(g + 1, 3);
      }
      inteiros = agrupados;
      q = r;
    } else if (grupos == 1 && r == fim && !(q - p == 1 && *p == '0')) {
      return ResultadoNumero::kAmbiguo;
    } else if (grupos > 0 && r != fim) {
      return ResultadoNumero::kNaoEhNumero;
    }
  }
  if (q < fim) {
    if (*q != ',' && *q != '.') {
      return ResultadoNumero::kNaoEhNumero;
    }
    const char* r = PulaDigitos(q + 1, fim);
    if (r != fim) {
      return ResultadoNumero::kNaoEhNumero;
    }
    fracao = std::string_view(q + 1, static_cast<std::size_t>(fim - q - 1));
  }
  return !inteiros.empty() || !fracao.empty() ? ResultadoNumero::kOk
                                              : ResultadoNumero::kNaoEhNumero;
}

}  // namespace

ResultadoNumero FormataNumero(std::string_view valor, const FormatoNumero& formato,
                              std::string& saida, std::size_t& posicao) {
  const auto tamanho = static_cast<std::size_t>(std::max(formato.tamanho, 0));
  const auto casas = static_cast<std::size_t>(std::max(formato.decimais, 0));
  // The rounded number: the integer digits without leading zeros, then the decimals, `zeros`
  // of them implied after `fracao`, exactly `casas` in all.
  std::string_view inteiros;
  std::string_view fracao;
  std::size_t zeros = casas;
  bool negativo = false;
  // Blanks and tabs are below "!": one comparison at each end tells the usual value apart.
  if (!valor.empty() && (static_cast<unsigned char>(valor.front()) < '!' ||
                         static_cast<unsigned char>(valor.back()) < '!')) {
    valor = Apara(valor);
  }
  if (!valor.empty()) {
    // The usual value, digits with or without decimals after a comma, is split here; one with a
    // sign or full stops by DivideNumero.
    const char* const inicio = valor.data();
    const char* const fim = inicio + valor.size();
    const char* const q = PulaDigitos(inicio, fim);
    if (q == fim) {
      inteiros = valor;
    } else if (*q == ',' && PulaDigitos(q + 1, fim) == fim && fim - inicio > 1) {
      inteiros = std::string_view(inicio, static_cast<std::size_t>(q - inicio));
      fracao = std::string_view(q + 1, static_cast<std::size_t>(fim - q - 1));
    } else {
      thread_local std::string agrupados;
      const ResultadoNumero r = DivideNumero(valor, negativo, inteiros, fracao, agrupados);
      if (r != ResultadoNumero::kOk) {
        return r;
      }
    }
    PulaZeros(inteiros);
    if (fracao.size() <= casas) {
      zeros = casas - fracao.size();
    } else if (fracao[casas] < '5') {
      fracao = fracao.substr(0, casas);
      zeros = 0;
    } else {
      // Half away from zero: one unit more in the last decimal kept. Kept between calls so that
      // writing records allocates nothing.
      thread_local std::string d;
      d.assign(inteiros);
      d.append(fracao.substr(0, casas));
      SomaUm(d);
      const std::size_t nInteiros = d.size() - casas;
      inteiros = std::string_view(d).substr(0, nInteiros);
      fracao = std::string_view(d).substr(nInteiros);
      zeros = 0;
    }
  }
  const bool zero = inteiros.empty() && fracao.find_first_not_of('0') == std::string_view::npos;
  negativo = negativo && !zero;
  if (zero && formato.vazioEmBranco) {
    Repete(Espaco(saida, posicao, tamanho), ' ', tamanho);
    posicao += tamanho;
    return ResultadoNumero::kOk;
  }

  // The number's text: with the separator, the integer digits (at least "0"), the separator and
  // the decimals; without it, the digits alone, without leading zeros (at least "0").
  std::string_view primeira;  // the text is primeira, separador, segunda and `zeros` zeros
  std::string_view separador;
  std::string_view segunda;
  const bool comSeparador = formato.escreveSeparador && casas > 0 && !formato.separador.empty();
  const std::size_t sinal = negativo ? 1 : 0;
  std::size_t largura = 0;  // in characters: the separator may be more than one byte
  if (comSeparador) {
    primeira = inteiros.empty() ? "0" : inteiros;
    separador = formato.separador;
    segunda = fracao;
    const bool umByte = separador.size() == 1 && static_cast<unsigned char>(separador[0]) < 0x80U;
    largura = primeira.size() + (umByte ? 1 : ContaCaracteres(separador)) + casas;
    if (largura + sinal > tamanho && inteiros.empty()) {
      primeira = {};  // ",50": the zero integer part gives way
      --largura;
    }
  } else if (!inteiros.empty()) {
    primeira = inteiros;
    segunda = fracao;
    largura = inteiros.size() + casas;
  } else if (const auto p = fracao.find_first_not_of('0'); p != std::string_view::npos) {
    primeira = fracao.substr(p);
    largura = primeira.size() + zeros;
  } else {
    primeira = "0";
    zeros = 0;
    largura = 1;
  }
  if (zero && largura > tamanho) {
    // A zero that cannot show its decimals is still zero: the field in zeros.
    primeira = "0";
    separador = {};
    segunda = {};
    zeros = 0;
    largura = 1;
  }
  if (largura + sinal > tamanho) {
    return ResultadoNumero::kNaoCabe;
  }

  const std::size_t folga = tamanho - largura - sinal;
  const bool brancos = formato.vazioEmBranco || formato.preencheComBrancos;
  const std::size_t bytes =
      folga + sinal + primeira.size() + separador.size() + segunda.size() + zeros;
  char* o = Espaco(saida, posicao, bytes);
  posicao += bytes;
  o = Repete(o, brancos ? ' ' : '0', folga + sinal);
  if (negativo) {
    *(brancos ? o - 1 : o - folga - 1) = '-';
  }
  o = Copia(o, primeira);
  if (!separador.empty()) {
    o = Copia(o, separador);
  }
  if (!segunda.empty()) {
    o = Copia(o, segunda);
  }
  if (zeros > 0) {
    Repete(o, '0', zeros);
  }
  return ResultadoNumero::kOk;
}

ResultadoNumero FormataNumero(std::string_view valor, const FormatoNumero& formato,
                              std::string& saida) {
  std::size_t fim = 0;
  const ResultadoNumero r = FormataNumero(valor, formato, saida, fim);
  if (r == ResultadoNumero::kOk) {
    saida.resize(fim);
  }
  return r;
}

#if LUMBRAVA_SSE2
namespace {

// Up to 16 bytes of `b16` from byte `de` on, to `o` (room for 16 bytes).
inline char* CopiaDe16(char* o, const char* b16, std::size_t de, std::size_t n) {
  std::memcpy(o, b16 + de, 16);
  return o + n;
}

// Up to 16 zeros at `o` (room for 16 bytes).
inline char* Zeros16(char* o, std::size_t n) {
  std::memset(o, '0', 16);
  return o + n;
}

}  // namespace
#endif

char* EscreveNumeroDoCampo(char* o, std::string_view texto, const LeituraNumero& leitura,
                           std::string_view legivel, bool& temDecimais) {
  return EscreveNumeroDoCampo(o, texto, leitura, legivel, temDecimais, UsaSse2());
}

char* EscreveNumeroDoCampo(char* o, std::string_view texto, const LeituraNumero& leitura,
                           [[maybe_unused]] std::string_view legivel, bool& temDecimais,
                           [[maybe_unused]] bool sse2) {
#if LUMBRAVA_SSE2
  // The usual field, up to 16 bytes, read and written at once: all digits, or digits around one
  // "," or "." (a separator at either end, a sign, blanks are left to the general reading).
  const std::size_t n = texto.size();
  const auto casas = static_cast<std::size_t>(std::max(leitura.decimais, 0));
  const char* const fimLegivel = legivel.data() + legivel.size();
  if (sse2 && n > 0 && n <= 16 && casas <= 16 && legivel.size() >= 16 &&
      (fimLegivel - texto.data() >= 16 || texto.data() + n - legivel.data() >= 16)) {
    const bool adiante = fimLegivel - texto.data() >= 16;
    const unsigned desvio = adiante ? 0U : static_cast<unsigned>(16 - n);
    const __m128i b = _mm_loadu_si128(
        reinterpret_cast<const __m128i*>(adiante ? texto.data() : texto.data() + n - 16));
    alignas(16) char bytes[32] = {};
    _mm_store_si128(reinterpret_cast<__m128i*>(bytes), b);
    const char* const t = bytes + desvio;  // the text's bytes, 16 readable from each
    const unsigned validos = n == 16 ? 0xFFFFU : (1U << n) - 1U;
    const auto marcas = [desvio, validos](__m128i m) {
      return (static_cast<unsigned>(_mm_movemask_epi8(m)) >> desvio) & validos;
    };
    const __m128i d = _mm_sub_epi8(b, _mm_set1_epi8('0'));
    const unsigned digitos = marcas(_mm_cmpeq_epi8(_mm_min_epu8(d, _mm_set1_epi8(9)), d));
    const auto zerosIniciais =
        static_cast<std::size_t>(std::countr_one(marcas(_mm_cmpeq_epi8(b, _mm_set1_epi8('0')))));
    const bool separadorEscrito = leitura.separadorEscrito && !leitura.separador.empty();
    if (digitos == validos) {
      if (!separadorEscrito && casas > 0) {  // implied decimals
        temDecimais = true;
        if (n > casas) {
          const std::size_t inteiros = n - casas;
          const std::size_t iniciais = std::min(zerosIniciais, inteiros);
          if (iniciais == inteiros) {
            *o++ = '0';
          } else {
            o = CopiaDe16(o, t, iniciais, inteiros - iniciais);
          }
          *o++ = ',';
          return CopiaDe16(o, t, inteiros, casas);
        }
        *o++ = '0';
        *o++ = ',';
        o = Zeros16(o, casas - n);
        return CopiaDe16(o, t, 0, n);
      }
      const std::size_t iniciais = std::min(zerosIniciais, n);
      if (iniciais == n) {
        *o++ = '0';
      } else {
        o = CopiaDe16(o, t, iniciais, n - iniciais);
      }
      temDecimais = casas > 0;
      if (casas > 0) {
        *o++ = ',';
        o = Zeros16(o, casas);
      }
      return o;
    }
    const unsigned separadores = marcas(
        _mm_or_si128(_mm_cmpeq_epi8(b, _mm_set1_epi8(',')), _mm_cmpeq_epi8(b, _mm_set1_epi8('.'))));
    if ((digitos | separadores) == validos && separadores != 0 &&
        (separadores & (separadores - 1)) == 0) {
      const auto onde = static_cast<std::size_t>(std::countr_zero(separadores));
      if (onde > 0 && onde < n - 1) {
        const std::size_t iniciais = std::min(zerosIniciais, onde);
        if (iniciais == onde) {
          *o++ = '0';
        } else {
          o = CopiaDe16(o, t, iniciais, onde - iniciais);
        }
        *o++ = ',';
        const std::size_t fracao = n - onde - 1;
        o = CopiaDe16(o, t, onde + 1, fracao);
        temDecimais = true;
        return fracao < casas ? Zeros16(o, casas - fracao) : o;
      }
    }
  }
#endif
  NumeroLido lido;
  if (!LeNumeroDoCampo(texto, leitura, lido)) {
    return nullptr;
  }
  temDecimais = lido.TemDecimais();
  return lido.Escreve(o);
}

char* NumeroLido::Escreve(char* o) const {
  if (vazio) {
    return o;
  }
  if (negativo) {
    *o++ = '-';
  }
  if (inteiros.empty()) {
    *o++ = '0';
  } else {
    o = Copia(o, inteiros);
  }
  if (TemDecimais()) {
    *o++ = ',';
    o = Repete(o, '0', zerosAntes);
    o = Copia(o, fracao);
    o = Repete(o, '0', zerosDepois);
  }
  return o;
}

bool LeNumeroDoCampo(std::string_view texto, const LeituraNumero& leitura, NumeroLido& lido) {
  const int decimais = leitura.decimais;
  bool separadorEscrito = leitura.separadorEscrito;
  const std::string_view separador = leitura.separador;
  const char* p = texto.data();
  const char* fim = p + texto.size();
  while (p < fim && (*p == ' ' || *p == '\t')) {
    ++p;
  }
  while (fim > p && (fim[-1] == ' ' || fim[-1] == '\t')) {
    --fim;
  }
  lido = NumeroLido();
  if (p == fim) {
    lido.vazio = true;
    return true;
  }
  // A decimal separator that is empty is not written: the decimals are implied.
  separadorEscrito = separadorEscrito && !separador.empty();
  bool negativo = false;
  if (*p == '+' || *p == '-') {
    negativo = *p == '-';
    ++p;
  }
  // Integer digits, then at most one separator ("," , "." or the field's own) and decimals.
  const char* const inicioInteiros = p;
  const char* q = PulaDigitos(p, fim);
  const char* fimInteiros = q;
  const char* inicioFracao = fim;
  bool temSeparador = false;
  if (q < fim) {
    std::size_t largura = 0;
    if (*q == ',' || *q == '.') {
      largura = 1;
    } else if (separador.size() > 0 && static_cast<std::size_t>(fim - q) >= separador.size() &&
               std::memcmp(q, separador.data(), separador.size()) == 0) {
      largura = separador.size();
    }
    if (largura == 0) {
      return false;
    }
    temSeparador = true;
    inicioFracao = q + largura;
    if (PulaDigitos(inicioFracao, fim) != fim) {
      return false;
    }
  }
  std::string_view inteiros(inicioInteiros, static_cast<std::size_t>(fimInteiros - inicioInteiros));
  std::string_view fracao(inicioFracao, static_cast<std::size_t>(fim - inicioFracao));
  if (inteiros.empty() && fracao.empty()) {
    return false;  // a sign or a separator alone
  }
  const auto casas = static_cast<std::size_t>(std::max(decimais, 0));
  std::size_t zerosAntes = 0;  // zeros before the decimals read (implied decimals, short text)
  if (!temSeparador && !separadorEscrito && casas > 0) {
    if (inteiros.size() > casas) {
      fracao = inteiros.substr(inteiros.size() - casas);
      inteiros.remove_suffix(casas);
    } else {
      fracao = inteiros;
      zerosAntes = casas - inteiros.size();
      inteiros = {};
    }
  }
  if (inteiros.empty() && fracao.empty() && zerosAntes == 0) {
    return false;  // no digit at all
  }
  PulaZeros(inteiros);
  const std::size_t lidas = zerosAntes + fracao.size();
  bool zero = inteiros.empty();
  for (std::size_t i = 0; zero && i < fracao.size(); ++i) {
    zero = fracao[i] == '0';
  }
  lido.negativo = negativo && !zero;
  lido.inteiros = inteiros;
  lido.zerosAntes = zerosAntes;
  lido.fracao = fracao;
  lido.zerosDepois = lidas < casas ? casas - lidas : 0;
  return true;
}

bool LeNumeroDoCampo(std::string_view texto, int decimais, bool separadorEscrito,
                     std::string_view separador, std::string& saida) {
  NumeroLido lido;
  if (!LeNumeroDoCampo(texto, LeituraNumero{decimais, separadorEscrito, separador}, lido)) {
    return false;
  }
  // Sized from what it held (the same field's last value, often of the same length): nothing to
  // fill in between.
  saida.resize(lido.Tamanho());
  lido.Escreve(saida.data());
  return true;
}

std::optional<std::string> LeNumeroDoCampo(std::string_view texto, int decimais,
                                           bool separadorEscrito, std::string_view separador) {
  std::string saida;
  if (!LeNumeroDoCampo(texto, decimais, separadorEscrito, separador, saida)) {
    return std::nullopt;
  }
  return saida;
}

}  // namespace lumbrava
