#include "tool/saida.h"

#include <cerrno>

namespace lumbrava {

void Saida::Grava(std::string_view texto) {
  if (falhou_ || texto.empty()) {
    return;
  }
  errno = 0;
  if (std::fwrite(texto.data(), 1, texto.size(), arquivo_) != texto.size()) {
    falhou_ = true;
    erro_ = errno;
  }
}

void Saida::Escreve(std::string_view texto) {
  constexpr std::size_t kPedacoGrande = std::size_t{64} << 10U;
  if (texto.size() < kPedacoGrande) {
    buffer_ += texto;
    TalvezDescarregue();
    return;
  }
  Grava(buffer_);
  buffer_.clear();
  Grava(texto);
}

bool Saida::Descarrega() {
  Grava(buffer_);
  buffer_.clear();
  if (!falhou_) {
    errno = 0;
    if (std::fflush(arquivo_) != 0) {
      falhou_ = true;
      erro_ = errno;
    }
  }
  return !falhou_;
}

}  // namespace lumbrava
