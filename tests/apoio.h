// Helpers shared by the tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/operador.h"
#include "common/registra_erro.h"
#include "common/texto.h"
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

// Accented words, as descriptions are written, enough to fill `largura` characters and more.
inline std::string Descricao(std::size_t largura, std::size_t semente) {
  static const char* const kPalavras[] = {"Depósito", "ação",   "máquina", "Manutenção",
                                          "prédio",   "câmbio", "Goiânia", "útil",
                                          "órgão",    "Índice", "açúcar",  "pé"};
  std::string v;
  while (ContaCaracteres(v) <= largura) {
    v += kPalavras[semente++ % std::size(kPalavras)];
    v += ' ';
  }
  return v;
}

// A value of the field's kind that it takes without refusal: for text, accented words that fill
// it and run past its end (writing cuts them there); for a date or a time, digits; else the
// first of a few numbers that fits. `semente` varies the words from field to field.
inline std::string ValorQueCabe(const clLayoutCpo& c, std::size_t semente) {
  if (c.EhTexto() || c.semFormatacao) {
    return Descricao(static_cast<std::size_t>(std::max(c.tamanho, 0)), semente);
  }
  const bool data = c.tipo == "D" || c.tipo == "H";
  for (const char* v : data ? std::vector<const char*>{"31122025", "311225", "1230", "7", ""}
                            : std::vector<const char*>{"-1234,56", "12,5", "7", "0,01", "0", ""}) {
    clLayoutCpo copia = c;
    copia.valor = v;
    try {
      copia.ValorFormatado();
      return v;
    } catch (const ErroValor&) {
    }
  }
  return "";
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
