// The operator: whoever is told about failures and asked the few questions the library has.
// The library never blocks and never prints by itself; it speaks only through the current
// operator. The default one writes to standard error and answers every question with "yes".
//
// Threads: OperadorAtual and DefineOperador may be called from any thread. An operator may be
// called from several threads at once; the default one writes each message in one piece.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace lumbrava {

class Operador {
 public:
  virtual ~Operador() = default;
  // A failure (a critical message box on the desktop).
  virtual void Critico(std::string_view titulo, std::string_view texto) = 0;
  // A warning (an exclamation message box on the desktop).
  virtual void Aviso(std::string_view titulo, std::string_view texto) = 0;
  // A critical message with a yes/no question; true for yes.
  virtual bool PerguntaSimNao(std::string_view titulo, std::string_view texto) = 0;
};

// Writes "titulo: texto" lines to standard error, control characters escaped (common/visivel.h);
// questions are answered yes.
class OperadorErroPadrao final : public Operador {
 public:
  void Critico(std::string_view titulo, std::string_view texto) override;
  void Aviso(std::string_view titulo, std::string_view texto) override;
  bool PerguntaSimNao(std::string_view titulo, std::string_view texto) override;
};

// The operator in use; never null. The caller shares its ownership, so a DefineOperador on another
// thread cannot free it while it is being told something.
std::shared_ptr<Operador> OperadorAtual();

// Replaces the operator for the whole process and returns the previous one. Passing null
// restores the default.
std::shared_ptr<Operador> DefineOperador(std::shared_ptr<Operador> operador);

// Puts an operator in place for the life of the object (tests, embedding programs).
class OperadorTemporario {
 public:
  explicit OperadorTemporario(std::shared_ptr<Operador> operador)
      : anterior_(DefineOperador(std::move(operador))) {}
  ~OperadorTemporario() { DefineOperador(anterior_); }
  OperadorTemporario(const OperadorTemporario&) = delete;
  OperadorTemporario& operator=(const OperadorTemporario&) = delete;

 private:
  std::shared_ptr<Operador> anterior_;
};

}  // namespace lumbrava
