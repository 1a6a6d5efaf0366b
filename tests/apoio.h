// Helpers shared by the tests.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/operador.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava::teste {

// Records what the library told the operator; questions get `resposta`.
class OperadorGravador : public Operador {
 public:
  struct Mensagem {
    std::string tipo;  // "critico", "aviso", "pergunta"
    std::string titulo;
    std::string texto;
  };
  std::vector<Mensagem> mensagens;
  bool resposta = true;

  void Critico(std::string_view titulo, std::string_view texto) override {
    mensagens.push_back({"critico", std::string(titulo), std::string(texto)});
  }
  void Aviso(std::string_view titulo, std::string_view texto) override {
    mensagens.push_back({"aviso", std::string(titulo), std::string(texto)});
  }
  bool PerguntaSimNao(std::string_view titulo, std::string_view texto) override {
    mensagens.push_back({"pergunta", std::string(titulo), std::string(texto)});
    return resposta;
  }
};

// A new layout named `registro`, composed by the composer of `sistema`.
inline std::unique_ptr<clLayoutReg> Compoe(const std::string& sistema,
                                           const std::string& registro) {
  auto layout = std::make_unique<clLayoutReg>();
  layout->nomeRegistro = registro;
  layout->CompoeLayout(sistema, registro);
  return layout;
}

}  // namespace lumbrava::teste
