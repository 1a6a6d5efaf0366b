#include "layouts/cl_layout_cpo.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/simd.h"
#include "common/texto.h"
#include "layouts/cl_layout_reg.h"
#include "layouts/numero.h"

namespace lumbrava {

namespace {

// Cuts or fills a text to `tamanho` characters, in one walk along it; written from `posicao`.
void AjustaTexto(std::string_view valor, std::size_t tamanho, bool aDireita, bool ascii,
                 std::string& saida, std::size_t& posicao) {
  if (aDireita) {
    valor = Apara(valor);
  }
  std::string_view cortado;
  std::size_t largura = 0;
  if (ascii) {
    cortado = valor.substr(0, std::min(tamanho, valor.size()));
    largura = cortado.size();
  } else {
    PercursoUtf8 percurso(valor);
    const std::size_t a = percurso.Deslocamento(0);
    cortado = valor.substr(a, percurso.Deslocamento(tamanho) - a);
    largura = percurso.Antes();
  }
  if (aDireita) {
    // A cut just after a blank would leave it last, out of alignment.
    const std::size_t antes = cortado.size();
    cortado = Apara(cortado);
    largura -= antes - cortado.size();
  }
  const std::size_t bytes = tamanho - largura + cortado.size();
  char* o = Espaco(saida, posicao, bytes);
  posicao += bytes;
  if (aDireita) {
    Copia(Repete(o, ' ', tamanho - largura), cortado);
  } else {
    Repete(Copia(o, cortado), ' ', tamanho - largura);
  }
}

// Looks at every byte once, sixteen (or eight) at a time: whether the text is ASCII and whether
// it may hold a byte that no record may hold (a line break, or NUL). That is a byte up to CR, one
// test for the three; a tab or another control up there is a false alarm, which the exact look
// that follows (RecusaQuebra) lets pass.
void Examina(std::string_view texto, bool& ascii, bool& quebra) {
#if LUMBRAVA_SSE2
  if (texto.size() >= 16 && UsaSse2()) {
    const __m128i cr = _mm_set1_epi8('\r');
    __m128i altos = _mm_setzero_si128();
    __m128i fins = _mm_setzero_si128();
    const auto bloco = [&](std::size_t i) {
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(texto.data() + i));
      altos = _mm_or_si128(altos, b);
      fins = _mm_or_si128(fins, _mm_cmpeq_epi8(_mm_min_epu8(b, cr), b));  // b <= CR
    };
    for (std::size_t i = 0; i + 16 < texto.size(); i += 16) {
      bloco(i);
    }
    bloco(texto.size() - 16);  // the sixteen that end the text, some of them seen already
    ascii = _mm_movemask_epi8(altos) == 0;
    quebra = _mm_movemask_epi8(fins) != 0;
    return;
  }
#endif
  constexpr std::uint64_t kUns = 0x0101010101010101ULL;
  constexpr std::uint64_t kAltos = 0x8080808080808080ULL;
  // A byte of `w` up to CR (the classic test for a byte below a bound; exact in whether there is
  // one, the only question here).
  const auto ateCr = [](std::uint64_t w) { return (w - kUns * ('\r' + 1)) & ~w & kAltos; };
  std::uint64_t alto = 0;
  std::uint64_t fimDeLinha = 0;
  std::size_t i = 0;
  for (; i + 8 <= texto.size(); i += 8) {
    std::uint64_t w = 0;
    std::memcpy(&w, texto.data() + i, 8);
    alto |= w;
    fimDeLinha |= ateCr(w);
  }
  // The last bytes: the eight (or four) that end the text, some of them seen already.
  if (i < texto.size()) {
    std::uint64_t w = 0;
    if (texto.size() >= 8) {
      std::memcpy(&w, texto.data() + texto.size() - 8, 8);
    } else if (texto.size() >= 4) {
      std::uint32_t a = 0;
      std::uint32_t b = 0;
      std::memcpy(&a, texto.data(), 4);
      std::memcpy(&b, texto.data() + texto.size() - 4, 4);
      w = (std::uint64_t{a} << 32U) | b;
    } else {
      for (; i < texto.size(); ++i) {
        w = (w << 8U) | static_cast<unsigned char>(texto[i]);
      }
      w |= 0x2020202020202020ULL << (8U * texto.size());  // blanks where the text has no byte
    }
    alto |= w;
    fimDeLinha |= ateCr(w);
  }
  ascii = (alto & kAltos) == 0;
  quebra = fimDeLinha != 0;
}

// The field refuses the value: its ErroValor. Out of the way of the values that are written.
[[noreturn]] [[gnu::cold]] [[gnu::noinline]] void Recusa(const clLayoutCpo& c,
                                                         std::string_view valor,
                                                         const std::string& motivo) {
  throw ErroValor(c.layout() != nullptr ? c.layout()->nomeRegistro : "", c.nome, std::string(valor),
                  motivo);
}

// Refuses a value that holds a line break or a NUL byte, which would make the record unreadable;
// nothing happens when it holds neither.
[[gnu::cold]] [[gnu::noinline]] void RecusaQuebra(const clLayoutCpo& c, std::string_view valor) {
  if (valor.find_first_of("\r\n") != std::string_view::npos) {
    Recusa(c, valor, "o valor tem uma quebra de linha");
  }
  if (valor.find('\0') != std::string_view::npos) {
    Recusa(c, valor, "tem o byte 0x00, que não é texto");
  }
}

[[noreturn]] [[gnu::cold]] [[gnu::noinline]] void RecusaNumero(const clLayoutCpo& c,
                                                               std::string_view valor,
                                                               ResultadoNumero r) {
  switch (r) {
    case ResultadoNumero::kAmbiguo: {
      // "1.520": say both ways of writing what may have been meant.
      std::string milhares(Apara(valor));
      std::string decimal = milhares;
      std::erase(milhares, '.');
      std::replace(decimal.begin(), decimal.end(), '.', ',');
      Recusa(c, valor,
             "é ambíguo: escreva " + milhares + " para milhares ou " + decimal + " para decimais");
    }
    case ResultadoNumero::kNaoCabe:
      Recusa(c, valor,
             "não cabe em " + std::to_string(c.tamanho) + " colunas com " +
                 std::to_string(c.decimais) + " decimais");
    default:
      Recusa(c, valor, "não é um número");
  }
}

}  // namespace

bool clLayoutCpo::EhTexto() const {
  // "S", "C", "Cd" or "Sd".
  const std::size_t n = tipo.size();
  return (n == 1 || (n == 2 && tipo[1] == 'd')) && (tipo[0] == 'S' || tipo[0] == 'C');
}

std::string clLayoutCpo::ValorFormatado() const {
  std::string saida;
  ValorFormatado(saida);
  return saida;
}

void clLayoutCpo::ValorFormatado(std::string& saida) const {
  std::size_t fim = 0;
  ValorFormatado(valor, saida, fim);
  saida.resize(fim);
}

void clLayoutCpo::ValorFormatado(std::string_view valor, std::string& saida,
                                 std::size_t& posicao) const {
  const auto largura = static_cast<std::size_t>(tamanho > 0 ? tamanho : 0);
  if (semFormatacao || EhTexto()) {
    bool ascii = false;
    bool quebra = false;
    Examina(valor, ascii, quebra);
    if (quebra) {
      RecusaQuebra(*this, valor);
    }
    const bool aDireita =
        alinhamento == "D" || (tipo.size() == 2 && tipo[1] == 'd' && !semFormatacao);
    AjustaTexto(valor, largura, aDireita, ascii, saida, posicao);
    return;
  }
  // Numbers, dates and times are digits, signs, separators and blanks: a line break or a NUL can
  // only be in a value they refuse, and is looked for then.
  if (tipo == "D" || tipo == "H") {
    // A date or a time: its digits as they are, right-aligned in zeros; blank stays blank.
    const std::string_view v = Apara(valor);
    if (v.empty()) {
      Repete(Espaco(saida, posicao, largura), ' ', largura);
      posicao += largura;
      return;
    }
    if (v.find_first_not_of("0123456789") != std::string_view::npos) {
      RecusaQuebra(*this, valor);
      Recusa(*this, valor,
             std::string(tipo == "D" ? "não é uma data" : "não é uma hora") +
                 ": só algarismos, sem sinal nem separador");
    }
    if (v.size() > largura) {
      Recusa(*this, valor, "não cabe em " + std::to_string(tamanho) + " colunas");
    }
    Copia(Repete(Espaco(saida, posicao, largura), '0', largura - v.size()), v);
    posicao += largura;
    return;
  }
  const bool particular = configuracaoParticular || layout_ == nullptr;
  FormatoNumero formato;
  formato.tamanho = tamanho;
  formato.decimais = decimais;
  formato.escreveSeparador = EscreveSeparador();
  formato.separador = particular ? separadorCasasDecimais : layout_->separadorCasasDecimais;
  formato.vazioEmBranco = particular ? espacoNosNumerosVazios : layout_->espacoNosNumerosVazios;
  formato.preencheComBrancos = particular ? espacoAdireitaNumeros : layout_->espacoAdireitaNumeros;
  if (tipo.size() == 1 && tipo[0] == 'N') {
    const ResultadoNumero r = FormataNumero(valor, formato, saida, posicao);
    if (r != ResultadoNumero::kOk) {
      RecusaQuebra(*this, valor);
      RecusaNumero(*this, valor, r);
    }
    return;
  }
  // Any other type ("N'"): the value is a number, but the field is filled as a text is, the
  // number on the left and blanks after it; a blank value stays blank.
  if (Apara(valor).empty()) {
    Repete(Espaco(saida, posicao, largura), ' ', largura);
    posicao += largura;
    return;
  }
  formato.preencheComBrancos = true;
  const std::size_t inicio = posicao;
  const ResultadoNumero r = FormataNumero(valor, formato, saida, posicao);
  if (r != ResultadoNumero::kOk) {
    RecusaQuebra(*this, valor);
    RecusaNumero(*this, valor, r);
  }
  // Right-aligned in blanks: the blanks go after the number.
  const auto de = saida.begin() + static_cast<std::ptrdiff_t>(inicio);
  const auto ate = saida.begin() + static_cast<std::ptrdiff_t>(posicao);
  std::rotate(de, std::find_if(de, ate, [](char x) { return x != ' '; }), ate);
}

}  // namespace lumbrava
