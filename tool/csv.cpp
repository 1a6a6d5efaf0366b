#include "tool/csv.h"

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "common/texto.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lumbrava {

namespace {
constexpr std::size_t kBloco = 1U << 20U;
constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";

std::string_view SemCr(std::string_view linha) {
  if (!linha.empty() && linha.back() == '\r') {
    linha.remove_suffix(1);
  }
  return linha;
}
}  // namespace

LeitorLinhas::LeitorLinhas(std::FILE* arquivo) : arquivo_(arquivo), bloco_(kBloco) {}

void LeitorLinhas::PulaMarca(std::string_view& linha) {
  if (primeira_) {
    primeira_ = false;
    if (linha.starts_with(kMarcaUtf8)) {
      linha.remove_prefix(kMarcaUtf8.size());
    }
  }
}

std::string LeitorLinhas::MotivoDaFalha() const {
  return erro_ != 0 ? std::strerror(erro_) : "erro de leitura";
}

bool LeitorLinhas::Proxima(std::string_view& linha) {
  longa_.clear();
  bool emLonga = false;
  for (;;) {
    if (inicio_ < fim_) {
      const char* base = bloco_.data() + inicio_;
      const auto* nl = static_cast<const char*>(std::memchr(base, '\n', fim_ - inicio_));
      if (nl != nullptr) {
        const auto n = static_cast<std::size_t>(nl - base);
        ++numero_;
        if (emLonga) {
          longa_.append(base, n);
          linha = SemCr(longa_);
        } else {
          linha = SemCr(std::string_view(base, n));
        }
        inicio_ += n + 1;
        PulaMarca(linha);
        return true;
      }
      longa_.append(base, fim_ - inicio_);
      emLonga = true;
      inicio_ = fim_;
    }
    if (acabou_) {
      if (emLonga && !longa_.empty()) {
        ++numero_;
        linha = SemCr(longa_);
        PulaMarca(linha);
        return true;
      }
      return false;
    }
    const std::size_t lidos = std::fread(bloco_.data(), 1, bloco_.size(), arquivo_);
    inicio_ = 0;
    fim_ = lidos;
    if (lidos < bloco_.size()) {
      acabou_ = true;
      falhou_ = std::ferror(arquivo_) != 0;
      erro_ = falhou_ ? errno : 0;
    }
  }
}

bool LeitorCsv::Proximo(std::vector<std::string>& campos, std::string& erro) {
  erro.clear();
  std::string_view linha;
  if (!linhas_.Proxima(linha)) {
    campos.clear();
    return false;
  }
  linha_ = linhas_.numero();
  if (linha.empty()) {
    campos.clear();
    return true;
  }
  // The strings of the previous record are reused, buffers and all.
  std::size_t n = 0;
  const auto novoCampo = [&]() -> std::string& {
    if (n == campos.size()) {
      campos.emplace_back();
    }
    std::string& c = campos[n++];
    c.clear();
    return c;
  };
  const auto conclui = [&](const char* problema) {
    campos.resize(n);
    if (problema != nullptr) {
      erro = problema;
    }
    return true;
  };

  std::size_t i = 0;
  for (;;) {
    std::string& campo = novoCampo();
    if (i < linha.size() && linha[i] == '"') {
      ++i;
      for (;;) {  // inside the quotes, possibly across lines
        const auto aspas = linha.find('"', i);
        if (aspas == std::string_view::npos) {
          campo.append(linha.substr(i));
          std::string_view seguinte;
          if (!linhas_.Proxima(seguinte)) {
            return conclui("aspas abertas e não fechadas");
          }
          campo.push_back('\n');
          linha = seguinte;
          i = 0;
          continue;
        }
        campo.append(linha.substr(i, aspas - i));
        i = aspas + 1;
        if (i < linha.size() && linha[i] == '"') {  // a doubled quote
          campo.push_back('"');
          ++i;
          continue;
        }
        break;
      }
      if (i == linha.size()) {
        return conclui(nullptr);
      }
      if (linha[i] != ',') {
        return conclui("texto depois das aspas que fecham um campo");
      }
      ++i;
      continue;
    }
    const auto virgula = linha.find(',', i);
    const std::string_view valor = linha.substr(i, virgula - i);
    if (valor.find('"') != std::string_view::npos) {
      return conclui("aspas no meio de um campo");
    }
    campo.assign(valor);
    if (virgula == std::string_view::npos) {
      return conclui(nullptr);
    }
    i = virgula + 1;
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
#ifdef __SSE2__
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

bool Saida::Descarrega() {
  if (!buffer_.empty()) {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), arquivo_) != buffer_.size()) {
      falhou_ = true;
    }
    buffer_.clear();
  }
  if (std::fflush(arquivo_) != 0) {
    falhou_ = true;
  }
  return !falhou_;
}

}  // namespace lumbrava
