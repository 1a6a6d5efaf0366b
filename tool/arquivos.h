// The tool's input and output files.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace lumbrava {

// Input from a file, or standard input when the name is empty or "-".
class Origem {
 public:
  // On failure arquivo() is null and the reason was written to `erros`.
  Origem(const std::string& caminho, std::FILE* padrao, std::FILE* erros);
  ~Origem();
  Origem(const Origem&) = delete;
  Origem& operator=(const Origem&) = delete;
  std::FILE* arquivo() const { return arquivo_; }

 private:
  std::FILE* arquivo_ = nullptr;
  bool proprio_ = false;
};

// Output to standard output, or to a file that appears only when all went well: it is written
// under a temporary name beside the target and put in place by Confirma.
class Destino {
 public:
  // On failure arquivo() is null and the reason was written to `erros`.
  Destino(const std::string& caminho, std::FILE* padrao, std::FILE* erros);
  ~Destino();  // without Confirma, the temporary file is removed
  Destino(const Destino&) = delete;
  Destino& operator=(const Destino&) = delete;

  std::FILE* arquivo() const { return arquivo_; }
  bool ParaArquivo() const { return !temporario_.empty(); }

  // Puts the file in place; false when it could not be written.
  bool Confirma();

 private:
  std::string caminho_;
  std::FILE* erros_;
  std::FILE* arquivo_ = nullptr;
  std::filesystem::path temporario_;
};

}  // namespace lumbrava
