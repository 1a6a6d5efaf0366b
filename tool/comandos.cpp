#include "tool/comandos.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <sstream>

#include "common/operador.h"
#include "common/registra_erro.h"
#include "common/simd.h"
#include "common/texto.h"
#include "tool/codificacao.h"
#include "tool/execucao.h"
#include "tool/sugestoes.h"

namespace lumbrava {

namespace {

constexpr const char* kVersao = "lumbrava-layouts 0.1.0";

// The model's messages go to the tool's error stream.
class OperadorDaFerramenta final : public Operador {
 public:
  explicit OperadorDaFerramenta(std::FILE* erros) : erros_(erros) {}
  void Critico(std::string_view titulo, std::string_view texto) override { Escreve(titulo, texto); }
  void Aviso(std::string_view titulo, std::string_view texto) override { Escreve(titulo, texto); }
  bool PerguntaSimNao(std::string_view titulo, std::string_view texto) override {
    Escreve(titulo, texto);
    return true;
  }

 private:
  // A name given on the command line may hold control characters: shown as escapes.
  void Escreve(std::string_view titulo, std::string_view texto) {
    EscreveMensagem(erros_, std::string(titulo) + ": " + std::string(texto));
  }
  std::FILE* erros_;
};

// What is wrong with a separator for delimited records; empty when nothing is.
std::string ProblemaDoSeparador(const std::string& separador, Codificacao codificacao) {
  if (separador.empty()) {
    return "o separador não pode ser vazio";
  }
  if (separador.find_first_of("\r\n") != std::string::npos) {
    return "o separador não pode ter quebra de linha";
  }
  if (!EhUtf8Valido(separador)) {
    return "o separador não é texto UTF-8";
  }
  std::string bytes;
  if (!Codificador(codificacao).Codifica(separador, bytes)) {
    return "o separador '" + separador + "' tem caracteres que o Windows-1252 não tem";
  }
  return {};
}

// Standard output, once the command is done: what could not be written makes the run fail.
int ConfereSaida(int codigo, std::FILE* saida, std::FILE* erros) {
  errno = 0;
  const bool descarregada = std::fflush(saida) == 0;
  const int erro = errno;
  if ((!descarregada || std::ferror(saida) != 0) && codigo == kSaidaOk) {
    if (erro != 0) {
      std::fprintf(erros, "erro ao gravar a saída: %s\n", std::strerror(erro));
    } else {
      std::fprintf(erros, "erro ao gravar a saída\n");
    }
    return kSaidaEntradaRecusada;
  }
  return codigo;
}

}  // namespace

int ExecutaFerramenta(const std::vector<std::string>& argumentos, std::FILE* entrada,
                      std::FILE* saida, std::FILE* erros) {
  // The vector instructions asked for: a wrong name is a mistake like one on the command line.
  if (const std::string problema = ProblemaDoLumbravaSimd(); !problema.empty()) {
    std::fprintf(erros, "%s\n", problema.c_str());
    return kSaidaUsoErrado;
  }
  OperadorTemporario operador(std::make_shared<OperadorDaFerramenta>(erros));
  Parametros p;
  CLI::App app{
      "Record layouts of accounting, payroll and fiscal target systems: list them, show "
      "them, read records into CSV and write CSV back into records.",
      "lumbrava-layouts"};
  app.set_version_flag("--version", kVersao);
  app.require_subcommand(1);

  const auto encoding = [&p](CLI::App* c) {
    c->add_option("--encoding", p.codificacao,
                  "Encoding of the record file: windows-1252 (default) or utf-8")
        ->check(CLI::IsMember({"windows-1252", "cp1252", "utf-8", "utf8"}, CLI::ignore_case));
  };

  auto* sistemas = app.add_subcommand("systems", "List the target systems, one per line");
  auto* layouts = app.add_subcommand("layouts", "List a target system's layout names");
  layouts->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  auto* mostra = app.add_subcommand("show", "Show a layout's fields and settings");
  mostra->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  mostra->add_option("LAYOUT", p.layout, "Layout name")->required();
  mostra->add_flag("--json", p.json, "Print the layout as one JSON object");
  auto* le = app.add_subcommand("read", "Read record lines into CSV (or JSON lines)");
  le->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  le->add_option("LAYOUT", p.layout, "Layout name")->required();
  le->add_option("FILE", p.arquivo, "Record file (standard input when absent or -)");
  le->add_flag("--jsonl", p.jsonl, "Write one JSON object per record instead of CSV");
  auto* saidaLe =
      le->add_option("-o,--output", p.saida,
                     "Write to this file (- for standard output), only if every line is read");
  le->add_option("--threads", p.threads,
                 "Threads that read (default: the processors it may run on, at most 8)")
      ->check(CLI::Range(1U, 256U));
  encoding(le);
  auto* escreve = app.add_subcommand("write", "Write CSV (or JSON lines) rows as records");
  escreve->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  escreve->add_option("LAYOUT", p.layout, "Layout name")->required();
  escreve->add_option("FILE", p.arquivo,
                      "CSV file with a header of field names, \",\" or \";\" between values "
                      "(standard input when absent or -)");
  escreve->add_flag("--jsonl", p.jsonl, "Read one JSON object per line instead of CSV");
  auto* delim = escreve->add_option("--delimiter", p.delimitador,
                                    "Write delimited records with this separator");
  auto* pipe = escreve->add_flag("--pipe", p.pipe,
                                 "Write \"|\"-delimited records (|a|b|c|): the default for a "
                                 "layout that reads \"|\" lines");
  auto* fixa = escreve->add_flag("--fixed-width", p.larguraFixa,
                                 "Write fixed-width records, also for a layout that reads \"|\" "
                                 "lines");
  delim->excludes(pipe);
  fixa->excludes(pipe);
  fixa->excludes(delim);
  auto* saidaEscreve = escreve->add_option("-o,--output", p.saida,
                                           "Write to this file (- for standard output), only if "
                                           "every row is written");
  escreve
      ->add_option("--threads", p.threads,
                   "Threads that write (default: the processors it may run on, at most 8)")
      ->check(CLI::Range(1U, 256U));
  encoding(escreve);

  std::vector<std::string> args{"lumbrava-layouts"};
  args.insert(args.end(), argumentos.begin(), argumentos.end());
  std::vector<char*> argv;
  for (auto& a : args) {
    argv.push_back(a.data());
  }
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    std::ostringstream out;
    std::ostringstream err;
    const int codigo = app.exit(e, out, err);
    if (codigo != 0) {
      // A word that no command knows is the mistake to name, even when a requirement failed
      // first. CLI11's message lists the words from the last, hence the reversed list.
      std::vector<std::string> extras = app.remaining(true);
      if (!extras.empty()) {
        std::reverse(extras.begin(), extras.end());
        err.str("");
        app.exit(CLI::ExtrasError(extras), out, err);
      }
    }
    std::fputs(out.str().c_str(), saida);
    // The message quotes the words given: line by line, their control characters escaped.
    std::string_view mensagem = err.view();
    while (!mensagem.empty()) {
      const std::size_t fim = std::min(mensagem.find('\n'), mensagem.size());
      EscreveMensagem(erros, mensagem.substr(0, fim));
      mensagem.remove_prefix(std::min(fim + 1, mensagem.size()));
    }
    return codigo == 0 ? ConfereSaida(kSaidaOk, saida, erros) : kSaidaUsoErrado;
  }
  if ((saidaLe->count() > 0 || saidaEscreve->count() > 0) && p.saida.empty()) {
    std::fprintf(erros, "-o: o nome do arquivo de saída está vazio (- é a saída padrão)\n");
    return kSaidaUsoErrado;
  }
  if (delim->count() > 0) {
    const std::string problema = ProblemaDoSeparador(p.delimitador, CodificacaoDe(p.codificacao));
    if (!problema.empty()) {
      EscreveMensagem(erros, "--delimiter: " + problema);
      return kSaidaUsoErrado;
    }
  }

  int codigo = kSaidaUsoErrado;
  try {
    if (sistemas->parsed()) {
      codigo = Sistemas(saida);
    } else if (layouts->parsed()) {
      codigo = Layouts(p, saida);
    } else if (mostra->parsed()) {
      codigo = Mostra(p, saida);
    } else if (le->parsed()) {
      codigo = Le(p, entrada, saida, erros);
    } else if (escreve->parsed()) {
      codigo = Escreve(p, entrada, saida, erros);
    }
    // An unknown system or layout was reported: the names nearest to it, and where to see them.
    if (codigo != kSaidaOk && !sistemas->parsed()) {
      const std::string sugestao =
          SugestaoDoCatalogo(p.sistema, layouts->parsed() ? nullptr : &p.layout);
      if (!sugestao.empty()) {
        EscreveMensagem(erros, sugestao);
      }
    }
  } catch (const std::bad_alloc&) {
    // Told without asking for memory. Each thread holds batches and buffers of its own.
    constexpr const char* kSemMemoria =
        "a memória acabou; com menos threads (--threads) o programa precisa de menos";
    std::fprintf(erros, "erro: %s\n", kSemMemoria);
    RegistraErro("comandos::ExecutaFerramenta::falha inesperada", {}, {}, {}, {},
                 ErroPendente{0, kSemMemoria});
    codigo = kSaidaEntradaRecusada;
  } catch (const std::exception& e) {
    EscreveMensagem(erros, std::string("erro: ") + e.what());
    // The log's second line carries the description, as for every error it records.
    RegistraErro("comandos::ExecutaFerramenta::falha inesperada", {}, {}, {}, {},
                 ErroPendente{0, e.what()});
    codigo = kSaidaEntradaRecusada;
  }
  return ConfereSaida(codigo, saida, erros);
}

}  // namespace lumbrava
