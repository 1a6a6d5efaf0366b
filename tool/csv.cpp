#include "tool/csv.h"

#include <cstring>

namespace lumbrava {

namespace {
constexpr std::size_t kBloco = 1U << 20U;

std::string_view SemCr(std::string_view linha) {
  if (!linha.empty() && linha.back() == '\r') {
    linha.remove_suffix(1);
  }
  return linha;
}
}  // namespace

LeitorLinhas::LeitorLinhas(std::FILE* arquivo) : arquivo_(arquivo), bloco_(kBloco) {}

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
    }
  }
}

bool LeitorCsv::Proximo(std::vector<std::string>& campos, std::string& erro) {
  campos.clear();
  erro.clear();
  std::string_view linha;
  if (!linhas_.Proxima(linha)) {
    return false;
  }
  linha_ = linhas_.numero();
  std::string campo;
  std::size_t i = 0;
  bool aspas = false;   // inside a quoted field
  bool citado = false;  // the current field was quoted
  for (;;) {
    if (i >= linha.size()) {
      if (aspas) {
        // The quoted field goes on in the next line.
        std::string_view seguinte;
        if (!linhas_.Proxima(seguinte)) {
          erro = "aspas abertas e não fechadas";
          campos.push_back(std::move(campo));
          return true;
        }
        campo.push_back('\n');
        linha = seguinte;
        i = 0;
        continue;
      }
      campos.push_back(std::move(campo));
      return true;
    }
    const char c = linha[i];
    if (aspas) {
      if (c == '"') {
        if (i + 1 < linha.size() && linha[i + 1] == '"') {
          campo.push_back('"');
          i += 2;
          continue;
        }
        aspas = false;
        ++i;
        continue;
      }
      campo.push_back(c);
      ++i;
      continue;
    }
    if (c == ',') {
      campos.push_back(std::move(campo));
      campo.clear();
      citado = false;
      ++i;
      continue;
    }
    if (c == '"') {
      if (!campo.empty() || citado) {
        erro = "aspas no meio de um campo";
        campos.push_back(std::move(campo));
        return true;
      }
      aspas = true;
      citado = true;
      ++i;
      continue;
    }
    if (citado) {
      erro = "texto depois das aspas que fecham um campo";
      campos.push_back(std::move(campo));
      return true;
    }
    campo.push_back(c);
    ++i;
  }
}

void EscreveCampoCsv(std::string& saida, std::string_view valor) {
  // Without branches, so that the compiler can scan many bytes at a time.
  unsigned citar = 0;
  for (const char c : valor) {
    citar |= static_cast<unsigned>(c == ',') | static_cast<unsigned>(c == '"') |
             static_cast<unsigned>(c == '\r') | static_cast<unsigned>(c == '\n');
  }
  if (citar == 0) {
    saida.append(valor);
    return;
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
