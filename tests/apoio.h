// Helpers shared by the tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/operador.h"
#include "common/registra_erro.h"
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

// "first-last decimals type" of the field of exactly this name (lookups by the layout ignore case).
inline std::string Forma(const clLayoutReg& l, std::string_view nome) {
  for (const auto& c : l.campos()) {
    if (c->nome == nome) {
      return std::to_string(c->inicio) + "-" + std::to_string(c->fim) + " " +
             std::to_string(c->decimais) + " " + c->tipo;
    }
  }
  return "missing";
}

// Points the program's folder (where the error logs go) and name at a folder of the test's own.
class PastaDoProgramaPropria : public ::testing::Test {
 protected:
  std::filesystem::path pasta =
      std::filesystem::temp_directory_path() /
      ("lumbrava-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
       "-" + std::to_string(::getpid()));
  std::filesystem::path pastaAnterior = PastaPrograma();
  std::string nomeAnterior = NomePrograma();

  void SetUp() override {
    std::filesystem::remove_all(pasta);
    std::filesystem::create_directories(pasta);
    DefinePastaPrograma(pasta);
    DefineNomePrograma("Pelidor");
  }
  void TearDown() override {
    DefinePastaPrograma(pastaAnterior);
    DefineNomePrograma(nomeAnterior);
    std::filesystem::remove_all(pasta);
  }
};

}  // namespace lumbrava::teste
