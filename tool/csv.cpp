#include "tool/csv.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "common/simd.h"
#include "common/texto.h"
#include "tool/registro_csv.h"

namespace lumbrava {

char SeparadorDoCabecalho(std::string_view cabecalho) {
  return cabecalho.find(';') != std::string_view::npos &&
                 cabecalho.find(',') == std::string_view::npos
             ? ';'
             : ',';
}

LeitorCsv::LeitorCsv(LeitorLinhas& linhas, std::size_t maximo, char separador)
    : linhas_(linhas),
      maximo_(maximo),
      separador_(separador),
      registro_(std::make_unique<RegistroCsv>(maximo, separador)) {}

LeitorCsv::~LeitorCsv() = default;

void LeitorCsv::LimitaValores(std::size_t maximo) {
  limite_ = maximo;
  registro_->LimitaValores(maximo);
}

bool LeitorCsv::Proximo(std::vector<std::string>& campos, std::string& erro) {
  const auto conclui = [&] {
    const RegistroCsv& r = *registro_;
    linha_ = r.linha();
    campos.resize(std::min(r.valores(), limite_));
    for (std::size_t i = 0; i < campos.size(); ++i) {
      campos[i].assign(r.valor(i));
    }
    erro.assign(r.erro());
    return true;
  };
  for (;;) {
    std::string_view linha;
    if (!linhas_.Proxima(linha)) {
      if (registro_->aberto()) {
        registro_->Encerra();
        return conclui();
      }
      campos.clear();
      erro.clear();
      return false;
    }
    const std::size_t n = linhas_.numero();
    if (linhas_.LongaDemais()) {
      if (registro_->aberto()) {
        registro_->RecusaAberto();  // the line that ends it is passed over with it
        return conclui();
      }
      linha_ = n;
      campos.clear();
      erro = MensagemLinhaLonga(linhas_.longa(),
                                "mais que o limite de um registro CSV, " + TextoBytes(maximo_));
      return true;
    }
    if (separador_ == kSeparadorDoCabecalho && !linha.empty()) {  // the first line not blank
      separador_ = SeparadorDoCabecalho(linha);
      registro_ = std::make_unique<RegistroCsv>(maximo_, separador_);
      registro_->LimitaValores(limite_);
    }
    if (registro_->Le(linha, n)) {
      return conclui();
    }
    registro_->Guarda();  // the open record's values outlive the line
  }
}

namespace {

// True when a byte of the word equals `byte` (the classic test for a zero byte).
constexpr std::uint64_t kUns = 0x0101010101010101ULL;
constexpr std::uint64_t kAltos = 0x8080808080808080ULL;
inline std::uint64_t TemByte(std::uint64_t palavra, unsigned char byte) {
  const std::uint64_t x = palavra ^ (kUns * byte);
  return (x - kUns) & ~x & kAltos;
}

// True when the value holds ",", '"', CR or LF, which CSV must quote.
bool PrecisaAspas(std::string_view valor) {
  std::size_t i = 0;
#if LUMBRAVA_SSE2
  if (UsaSse2()) {
    const __m128i virgula = _mm_set1_epi8(',');
    const __m128i aspas = _mm_set1_epi8('"');
    const __m128i cr = _mm_set1_epi8('\r');
    const __m128i lf = _mm_set1_epi8('\n');
    for (; i + 16 <= valor.size(); i += 16) {
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(valor.data() + i));
      const __m128i achados =
          _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(b, virgula), _mm_cmpeq_epi8(b, aspas)),
                       _mm_or_si128(_mm_cmpeq_epi8(b, cr), _mm_cmpeq_epi8(b, lf)));
      if (_mm_movemask_epi8(achados) != 0) {
        return true;
      }
    }
  }
#endif
  for (; i + 8 <= valor.size(); i += 8) {
    std::uint64_t w = 0;
    std::memcpy(&w, valor.data() + i, 8);
    if ((TemByte(w, ',') | TemByte(w, '"') | TemByte(w, '\r') | TemByte(w, '\n')) != 0) {
      return true;
    }
  }
  for (; i < valor.size(); ++i) {
    const char c = valor[i];
    if (c == ',' || c == '"' || c == '\r' || c == '\n') {
      return true;
    }
  }
  return false;
}

}  // namespace

void EscreveCampoCsv(std::string& saida, std::string_view valor, char antes) {
  if (!PrecisaAspas(valor)) {
    const std::size_t n = saida.size();
    const std::size_t extra = antes != '\0' ? 1 : 0;
    saida.resize(n + extra + valor.size());
    if (extra != 0) {
      saida[n] = antes;
    }
    Copia(saida.data() + n + extra, valor);
    return;
  }
  if (antes != '\0') {
    saida.push_back(antes);
  }
  saida.push_back('"');
  for (const char c : valor) {
    if (c == '"') {
      saida.push_back('"');
    }
    saida.push_back(c);
  }
  saida.push_back('"');
}

}  // namespace lumbrava
