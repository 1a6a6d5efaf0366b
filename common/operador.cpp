#include "common/operador.h"

#include <iostream>
#include <mutex>
#include <string>

#include "common/visivel.h"

namespace lumbrava {

namespace {

std::mutex& Trava() {
  static std::mutex m;
  return m;
}

std::shared_ptr<Operador>& Atual() {
  static std::shared_ptr<Operador> atual = std::make_shared<OperadorErroPadrao>();
  return atual;
}

// The texts may quote a caller's names or values: their control characters are escaped.
void Escreve(std::string_view titulo, std::string_view texto) {
  std::string linha;
  linha.reserve(titulo.size() + texto.size() + 3);
  AcrescentaVisivel(linha, titulo);
  linha.append(": ");
  AcrescentaVisivel(linha, texto);
  linha.push_back('\n');
  std::cerr << linha << std::flush;
}

}  // namespace

void OperadorErroPadrao::Critico(std::string_view titulo, std::string_view texto) {
  Escreve(titulo, texto);
}

void OperadorErroPadrao::Aviso(std::string_view titulo, std::string_view texto) {
  Escreve(titulo, texto);
}

bool OperadorErroPadrao::PerguntaSimNao(std::string_view titulo, std::string_view texto) {
  Escreve(titulo, texto);
  return true;
}

std::shared_ptr<Operador> OperadorAtual() {
  const std::lock_guard<std::mutex> trava(Trava());
  return Atual();
}

std::shared_ptr<Operador> DefineOperador(std::shared_ptr<Operador> operador) {
  const std::lock_guard<std::mutex> trava(Trava());
  if (!operador) {
    operador = std::make_shared<OperadorErroPadrao>();
  }
  std::swap(Atual(), operador);
  return operador;
}

}  // namespace lumbrava
