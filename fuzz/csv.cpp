// CSV input: the whole input is a file read with LeitorCsv (when it begins with 0xFF, the rest
// is put where it crosses from one of the reader's blocks into the next).
// - reading never crashes and record numbers never go back;
// - when every record is well formed, the records written again with EscreveCampoCsv (one per
//   line) read back to the same records.
#include "tool/csv.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/apoio.h"

using lumbrava::fuzz::Confere;
using lumbrava::fuzz::Mostra;

namespace {

using Registros = std::vector<std::vector<std::string>>;

// The size of the blocks in which LeitorLinhas reads a file.
constexpr std::size_t kBlocoDoLeitor = std::size_t{1} << 20U;

// Every record of a text; false when one is malformed.
bool LeTudo(std::string_view texto, Registros& registros, std::string& erro) {
  registros.clear();
  // fmemopen refuses an empty buffer: an empty file has no record anyway.
  if (texto.empty()) {
    return true;
  }
  std::string copia(texto);
  std::FILE* arquivo = fmemopen(copia.data(), copia.size(), "r");
  Confere(arquivo != nullptr, "fmemopen falhou");
  lumbrava::LeitorLinhas linhas(arquivo);
  lumbrava::LeitorCsv csv(linhas);
  std::vector<std::string> campos;
  std::string problema;
  bool ok = true;
  std::size_t anterior = 0;
  while (csv.Proximo(campos, problema)) {
    if (csv.linha() <= anterior) {
      lumbrava::fuzz::Falha("o número da linha não avançou: " + std::to_string(csv.linha()) +
                            " depois de " + std::to_string(anterior));
    }
    anterior = csv.linha();
    if (!problema.empty() && ok) {
      ok = false;
      erro = problema;
    }
    registros.push_back(campos);
  }
  Confere(!linhas.Falhou(), "erro de leitura num arquivo em memória");
  std::fclose(arquivo);
  return ok;
}

std::string MostraRegistros(const Registros& registros) {
  std::string saida;
  for (const auto& r : registros) {
    saida += "\n  [";
    for (std::size_t i = 0; i < r.size(); ++i) {
      saida += (i > 0 ? ", " : "") + Mostra(r[i]);
    }
    saida += "]";
  }
  return saida;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  std::string texto(reinterpret_cast<const char*>(dados), tamanho);
  if (tamanho >= 2 && dados[0] == 0xFF) {
    // After a first line that ends up to 256 bytes short of the reader's first block, so that
    // the lines of the input cross into the next block.
    texto.assign(kBlocoDoLeitor - 1 - dados[1], 'x');
    texto.push_back('\n');
    texto.append(reinterpret_cast<const char*>(dados + 2), tamanho - 2);
  }
  Registros registros;
  std::string erro;
  if (!LeTudo(texto, registros, erro)) {
    return 0;
  }
  // Written with a byte-order mark, which reading skips: a first value that begins with one
  // keeps it. No record, no line.
  std::string escrito = registros.empty() ? "" : "\xEF\xBB\xBF";
  for (const auto& r : registros) {
    if (r.size() == 1 && r[0].empty()) {
      escrito += "\"\"";  // one empty field: a blank line would be no field at all
    } else {
      for (std::size_t i = 0; i < r.size(); ++i) {
        lumbrava::EscreveCampoCsv(escrito, r[i], i > 0 ? ',' : '\0');
      }
    }
    escrito += "\n";
  }
  // Reading takes a CR before a line break for part of the line's end, inside quotes too, so
  // each CR LF of a value comes back as LF.
  for (auto& r : registros) {
    for (std::string& campo : r) {
      for (auto p = campo.find("\r\n"); p != std::string::npos; p = campo.find("\r\n", p)) {
        campo.erase(p, 1);
      }
    }
  }
  Registros relidos;
  if (!LeTudo(escrito, relidos, erro)) {
    lumbrava::fuzz::Falha("o CSV escrito " + Mostra(escrito) + " não se lê: " + erro);
  }
  if (relidos != registros) {
    lumbrava::fuzz::Falha("os registros" + MostraRegistros(registros) + "\nescritos " +
                          Mostra(escrito) + " voltam" + MostraRegistros(relidos));
  }
  return 0;
}
