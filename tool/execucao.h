// What the tool's commands share: their parameters, how they report refused lines and how a read
// or a write ends. One unit per command: mostra.cpp (systems, layouts, show), le.cpp (read),
// escreve.cpp (write); the command line is in comandos.cpp.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "layouts/cl_produtos.h"
#include "tool/arquivos.h"
#include "tool/codificacao.h"
#include "tool/linhas.h"
#include "tool/paralelo.h"
#include "tool/saida.h"

namespace lumbrava {

struct Parametros {
  std::string sistema;
  std::string layout;
  std::string arquivo;
  std::string saida;
  std::string codificacao = "windows-1252";
  std::string delimitador;
  bool json = false;
  bool jsonl = false;
  bool pipe = false;
  bool larguraFixa = false;  // fixed-width records, even for a layout that reads "|" lines
  unsigned threads = ThreadsPadrao();
};

// Writes one line of a message to `erros`, its control characters shown as escapes (Visivel), so
// that what it quotes of the input can neither act on a terminal nor cut the message short.
void EscreveMensagem(std::FILE* erros, std::string_view mensagem);

// At most this many refused lines are reported in full.
inline constexpr std::size_t kMaximoMensagens = 20;

// Reports input problems: the first ones in full, then only a count.
class Relator {
 public:
  explicit Relator(std::FILE* erros) : erros_(erros) {}
  // The message's control characters are shown as escapes (a value or a name read may hold them).
  void Erro(const std::string& mensagem) {
    if (++total_ <= kMaximoMensagens) {
      EscreveMensagem(erros_, mensagem);
    }
  }
  std::size_t total() const { return total_; }
  // The last reports: how many more lines were refused, the reason the input could not be read to
  // its end (`falhaDeLeitura`, when it could not) and what became of the output: no file written
  // (`paraArquivo`), or nothing written after the first refused line, or the output written
  // incomplete when the input failed with no line refused.
  void Conclui(bool paraArquivo, std::string_view falhaDeLeitura = {});

 private:
  std::FILE* erros_;
  std::size_t total_ = 0;
};

Codificacao CodificacaoDe(const std::string& nome);

// "linha N: ", the start of every message about an input line.
std::string Linha(std::size_t n);

// What read and write open first: the layout through the catalogue (refused when it has no field
// to read or write) and the input. When either fails, the reason has been written to `erros` and
// Abriu() is false.
class Abertura {
 public:
  Abertura(const Parametros& p, std::FILE* entrada, std::FILE* erros);
  bool Abriu() const { return layout_ != nullptr && origem_ && origem_->arquivo() != nullptr; }
  clLayoutReg& layout() const { return *layout_; }
  std::FILE* entrada() const { return origem_->arquivo(); }

 private:
  clProdutos catalogo_;
  clLayoutReg* layout_ = nullptr;
  std::unique_ptr<Origem> origem_;
};

// True, with the reason written to `erros`, when the output is written in place into the input
// file itself (`>>` onto it, or `-o /dev/stdout` then): the run would read what it writes until
// the disk is full. A file put in place at the end (-o FILE) may be the input.
bool SaidaNaPropriaEntrada(std::FILE* entrada, const Destino& destino, std::FILE* erros);

// Ends a read or a write: the input checked as it was when reading began, the last reports, the
// output flushed and, when the input was read whole and every line went through, the output file
// put in place.
int Encerra(LeitorLinhas& linhas, Relator& relator, Saida& saida, Destino& destino,
            std::FILE* erros);

// The commands.
int Sistemas(std::FILE* saida);
int Layouts(const Parametros& p, std::FILE* saida);
int Mostra(const Parametros& p, std::FILE* saida);
int Le(const Parametros& p, std::FILE* entrada, std::FILE* saidaPadrao, std::FILE* erros);
int Escreve(const Parametros& p, std::FILE* entrada, std::FILE* saidaPadrao, std::FILE* erros);

}  // namespace lumbrava
