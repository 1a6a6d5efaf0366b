#include "tool/saida.h"

namespace lumbrava {

void Saida::Escreve(std::string_view texto) {
  constexpr std::size_t kPedacoGrande = std::size_t{64} << 10U;
  if (texto.size() < kPedacoGrande) {
    buffer_ += texto;
    TalvezDescarregue();
    return;
  }
  if (!buffer_.empty()) {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), arquivo_) != buffer_.size()) {
      falhou_ = true;
    }
    buffer_.clear();
  }
  if (std::fwrite(texto.data(), 1, texto.size(), arquivo_) != texto.size()) {
    falhou_ = true;
  }
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
