#include "tool/comandos.h"

#include <CLI/CLI.hpp>
#include <memory>
#include <sstream>

#include "common/operador.h"
#include "common/registra_erro.h"
#include "tool/execucao.h"

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
  void Escreve(std::string_view titulo, std::string_view texto) {
    std::fprintf(erros_, "%.*s: %.*s\n", static_cast<int>(titulo.size()), titulo.data(),
                 static_cast<int>(texto.size()), texto.data());
  }
  std::FILE* erros_;
};

}  // namespace

int ExecutaFerramenta(const std::vector<std::string>& argumentos, std::FILE* entrada,
                      std::FILE* saida, std::FILE* erros) {
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
  le->add_option("-o,--output", p.saida, "Write to this file, only if every line is read");
  le->add_option("--threads", p.threads,
                 "Threads that read (default: the machine's cores, at most 8)")
      ->check(CLI::Range(1U, 256U));
  encoding(le);
  auto* escreve = app.add_subcommand("write", "Write CSV (or JSON lines) rows as records");
  escreve->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  escreve->add_option("LAYOUT", p.layout, "Layout name")->required();
  escreve->add_option("FILE", p.arquivo,
                      "CSV file with a header of field names (standard "
                      "input when absent or -)");
  escreve->add_flag("--jsonl", p.jsonl, "Read one JSON object per line instead of CSV");
  auto* delim = escreve->add_option("--delimiter", p.delimitador,
                                    "Write delimited records with this separator");
  auto* pipe = escreve->add_flag("--pipe", p.pipe, "Write \"|\"-delimited records (|a|b|c|)");
  delim->excludes(pipe);
  escreve->add_option("-o,--output", p.saida, "Write to this file, only if every row is written");
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
    std::fputs(out.str().c_str(), saida);
    std::fputs(err.str().c_str(), erros);
    return codigo == 0 ? kSaidaOk : kSaidaUsoErrado;
  }
  if (p.delimitador.find_first_of("\r\n") != std::string::npos) {
    std::fprintf(erros, "--delimiter: o separador não pode ter quebra de linha\n");
    return kSaidaUsoErrado;
  }

  try {
    if (sistemas->parsed()) return Sistemas(saida);
    if (layouts->parsed()) return Layouts(p, saida);
    if (mostra->parsed()) return Mostra(p, saida);
    if (le->parsed()) return Le(p, entrada, saida, erros);
    if (escreve->parsed()) return Escreve(p, entrada, saida, erros);
  } catch (const std::exception& e) {
    std::fprintf(erros, "erro: %s\n", e.what());
    RegistraErro(std::string("lumbrava-layouts::ExecutaFerramenta::") + e.what());
    return kSaidaEntradaRecusada;
  }
  return kSaidaUsoErrado;
}

}  // namespace lumbrava
