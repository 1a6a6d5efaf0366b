// Output gathered in a buffer and written in large blocks.
//
// Threads: a Saida belongs to one thread.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace lumbrava {

class Saida {
 public:
  explicit Saida(std::FILE* arquivo) : arquivo_(arquivo) { buffer_.reserve(1U << 20U); }
  // Writes nothing: the file may be closed by then (an output file is closed when it is put in
  // place). What is to be written is written by Descarrega.
  ~Saida() = default;
  Saida(const Saida&) = delete;
  Saida& operator=(const Saida&) = delete;
  std::string& buffer() { return buffer_; }
  // Writes `texto` after what the buffer holds; a large piece goes to the file as it is, without
  // passing through the buffer.
  void Escreve(std::string_view texto);
  void TalvezDescarregue() {
    if (buffer_.size() >= (1U << 20U)) {
      Descarrega();
    }
  }
  // False when the file could not be written. After the first failure nothing more is written
  // (what follows would land after a gap); the text is dropped.
  bool Descarrega();
  bool Falhou() const { return falhou_; }
  // The system's reason for the first failure (an errno value); 0 when it gave none.
  int Erro() const { return erro_; }

 private:
  void Grava(std::string_view texto);

  std::FILE* arquivo_;
  std::string buffer_;
  bool falhou_ = false;
  int erro_ = 0;
};

}  // namespace lumbrava
