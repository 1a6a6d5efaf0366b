#include "tool/arquivos.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace lumbrava {

Origem::Origem(const std::string& caminho, std::FILE* padrao, std::FILE* erros) {
  if (caminho.empty() || caminho == "-") {
    arquivo_ = padrao;
    return;
  }
  arquivo_ = std::fopen(caminho.c_str(), "rb");
  proprio_ = true;
  if (arquivo_ == nullptr) {
    std::fprintf(erros, "não foi possível abrir '%s': %s\n", caminho.c_str(), std::strerror(errno));
  }
}

Origem::~Origem() {
  if (proprio_ && arquivo_ != nullptr) {
    std::fclose(arquivo_);
  }
}

Destino::Destino(const std::string& caminho, std::FILE* padrao, std::FILE* erros)
    : caminho_(caminho), erros_(erros) {
  if (caminho_.empty()) {
    arquivo_ = padrao;
    return;
  }
  const std::filesystem::path p(caminho_);
  temporario_ = (p.parent_path().empty() ? std::filesystem::path(".") : p.parent_path()) /
                ("." + p.filename().string() + ".tmp-" + std::to_string(::getpid()));
  arquivo_ = std::fopen(temporario_.c_str(), "wb");
  if (arquivo_ == nullptr) {
    std::fprintf(erros_, "não foi possível criar '%s': %s\n", caminho_.c_str(),
                 std::strerror(errno));
  }
}

Destino::~Destino() {
  if (!temporario_.empty() && arquivo_ != nullptr) {
    std::fclose(arquivo_);
    std::error_code e;
    std::filesystem::remove(temporario_, e);
  }
}

bool Destino::Confirma() {
  if (temporario_.empty()) {
    return true;
  }
  const bool ok = std::fclose(arquivo_) == 0;
  arquivo_ = nullptr;
  std::error_code e;
  if (ok) {
    std::filesystem::rename(temporario_, caminho_, e);
  }
  if (!ok || e) {
    std::fprintf(erros_, "não foi possível gravar '%s'\n", caminho_.c_str());
    std::filesystem::remove(temporario_, e);
    return false;
  }
  return true;
}

}  // namespace lumbrava
