// Runs the command-line tool as a separate process on small files in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>

#include "tool/execucao.h"

namespace lumbrava::teste {

namespace fs = std::filesystem;

struct Resultado {
  int codigo;
  std::string saida;
  std::string erros;
};

// Runs the read or write command in this process on `entrada`, as standard input.
inline Resultado NoProcesso(int (*comando)(const Parametros&, std::FILE*, std::FILE*, std::FILE*),
                            const Parametros& p, const std::string& entrada) {
  std::FILE* in = std::tmpfile();
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  std::fwrite(entrada.data(), 1, entrada.size(), in);
  std::rewind(in);
  Resultado r{comando(p, in, out, err), {}, {}};
  std::fclose(in);
  for (auto [f, texto] : {std::pair{out, &r.saida}, std::pair{err, &r.erros}}) {
    std::rewind(f);
    char bloco[65536];
    for (std::size_t n; (n = std::fread(bloco, 1, sizeof bloco, f)) > 0;) {
      texto->append(bloco, n);
    }
    std::fclose(f);
  }
  return r;
}

class Ferramenta : public ::testing::Test {
 protected:
  fs::path pasta;

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    pasta = fs::temp_directory_path() /
            (std::string("lumbrava-ferramenta-") + info->name() + "-" + std::to_string(::getpid()));
    fs::remove_all(pasta);
    fs::create_directories(pasta);
  }
  void TearDown() override { fs::remove_all(pasta); }

  fs::path Arquivo(const std::string& nome, const std::string& conteudo) {
    const fs::path p = pasta / nome;
    std::ofstream(p, std::ios::binary) << conteudo;
    return p;
  }
  static std::string Le(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
  }
  Resultado Roda(const std::string& argumentos, const std::string& entrada = "") {
    const fs::path in = Arquivo("stdin", entrada);
    const fs::path out = pasta / "stdout";
    const fs::path err = pasta / "stderr";
    const std::string comando = std::string(LUMBRAVA_TOOL) + " " + argumentos + " <" + in.string() +
                                " >" + out.string() + " 2>" + err.string();
    const int status = std::system(comando.c_str());
    return {WEXITSTATUS(status), Le(out), Le(err)};
  }
};

}  // namespace lumbrava::teste
