// Input that must not be held whole (lines past their bound, CSV quotes left open, files whose
// lines end in CR alone) and input that comes slowly through a pipe.
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/ferramenta.h"
#include "tool/csv.h"

extern char** environ;

namespace lumbrava {
namespace {

// Sanitizers reserve far more address space than a memory limit allows.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kSanitizado = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
constexpr bool kSanitizado = true;
#else
constexpr bool kSanitizado = false;
#endif
#else
constexpr bool kSanitizado = false;
#endif

// A FILE on a temporary file, read through its descriptor as the tool reads a disk file.
struct Temporario {
  std::FILE* f = std::tmpfile();
  explicit Temporario(const std::string& texto) {
    std::fwrite(texto.data(), 1, texto.size(), f);
    std::rewind(f);
  }
  ~Temporario() { std::fclose(f); }
};

std::vector<std::string> Descreve(LeitorLinhas& l) {
  std::vector<std::string> vistas;
  for (std::string_view v; l.Proxima(v);) {
    vistas.push_back(!l.LongaDemais() ? std::string(v)
                                      : "longa " + std::to_string(l.longa().bytes) +
                                            (l.longa().crSemLf ? " cr" : ""));
  }
  return vistas;
}

TEST(LeitorLinhas, ReadsPastLinesLongerThanItsBound) {
  // Up to the bound, the CR of a CR LF aside; a CR inside a line is told apart.
  Temporario t("curta\n" + std::string(11, 'x') + "\n" + std::string(10, 'y') + "\r\n" +
               std::string(10, 'z') + "\r\n" + "a\rb" + std::string(20, 'c') + "\r\n" + "fim");
  LeitorLinhas l(t.f, 10);
  EXPECT_EQ(Descreve(l), (std::vector<std::string>{"curta", "longa 11", std::string(10, 'y'),
                                                   std::string(10, 'z'), "longa 23 cr", "fim"}));
  EXPECT_EQ(l.numero(), 6U);

  // Across blocks: a CR LF split between two blocks, a CR alone at the end of a block, and a long
  // line held whole under a bound larger than a block.
  const std::size_t bloco = std::size_t{1} << 20U;
  Temporario u(std::string(bloco - 1, 'x') + "\r\n" + std::string(bloco - 2, 'x') + "\rx\n" +
               std::string(2'500'000, 'w') + "\n");
  LeitorLinhas curto(u.f, 100);
  EXPECT_EQ(Descreve(curto),
            (std::vector<std::string>{"longa " + std::to_string(bloco - 1),
                                      "longa " + std::to_string(bloco) + " cr", "longa 2500000"}));
  std::rewind(u.f);
  LeitorLinhas largo(u.f, 3'000'000);
  EXPECT_EQ(Descreve(largo).back(), std::string(2'500'000, 'w'));
}

TEST(LeitorCsv, RefusesRecordsPastItsBoundAndGoesOn) {
  Temporario t(
      "a,b\n"
      "\"aberta,\n"
      "ainda\n"
      "e mais um pedaco\n"
      "x,y\n" +
      std::string(30, 'z') + "\n" + "\"fecha\nlogo\",w\n");
  LeitorLinhas linhas(t.f, 20);
  LeitorCsv csv(linhas, 20);
  std::vector<std::string> campos;
  std::string erro;
  std::vector<std::string> vistos;
  while (csv.Proximo(campos, erro)) {
    std::string s = std::to_string(csv.linha()) + ":";
    for (const auto& c : campos) {
      s += "[" + c + "]";
    }
    vistos.push_back(s + erro);
  }
  EXPECT_EQ(
      vistos,
      (std::vector<std::string>{
          "1:[a][b]",
          "2:[aberta,\nainda]as aspas abertas nesta linha não se fecham em 20 bytes, o limite de "
          "um registro CSV",
          "5:[x][y]", "6:a linha tem 30 bytes, mais que o limite de um registro CSV, 20 bytes",
          "7:[fecha\nlogo][w]"}));
}

// Runs the tool on what a shell command writes, without a file on disk, under a memory limit
// (when not sanitized); gives back the peak memory of the tool and its producer.
class Memoria : public teste::Ferramenta {
 protected:
  struct Medida {
    int codigo;
    std::string saida;
    std::string erros;
    long picoMb;
  };

  // With `descarta`, standard output goes to /dev/null, and the tool runs without the limit on
  // its address space (its threads' stacks take more than the limit allows).
  Medida Produz(const std::string& produtor, const std::string& argumentos, bool descarta = false) {
    const teste::fs::path out = descarta ? teste::fs::path("/dev/null") : pasta / "stdout";
    const teste::fs::path err = pasta / "stderr";
    const std::string comando =
        "{ " + produtor + "; } | (" + (kSanitizado || descarta ? "" : "ulimit -v 400000; ") +
        "exec " + LUMBRAVA_TOOL + " " + argumentos + ") >" + out.string() + " 2>" + err.string();
    const char* argv[] = {"sh", "-c", comando.c_str(), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) != 0) {
      ADD_FAILURE() << "sh did not start";
      return {-1, "", "", 0};
    }
    int status = 0;
    rusage uso{};
    ::wait4(pid, &status, 0, &uso);
    return {WEXITSTATUS(status), descarta ? "" : Le(out), Le(err), uso.ru_maxrss / 1024};
  }

  static void ConfereMemoria(const Medida& m, long limiteMb = 100) {
    std::printf("peak memory: %ld MB\n", m.picoMb);
    if (!kSanitizado) {
      EXPECT_LT(m.picoMb, limiteMb);
    }
  }
};

// A valid Unico record ("lancamentos", 196 columns) with its text.
std::string Lancamento(const std::string& historico, std::size_t caracteres) {
  return "01012024000101000102" + std::string(28, '0') + "00000000152075000001" + historico +
         std::string(100 - caracteres, ' ') + std::string(28, ' ');
}

TEST_F(Memoria, RecordLinesPastTheLayoutAreRefusedAndTheRestStillRead) {
  // 200 MB of accented bytes on line 2; line 3 is refused for its own reason.
  auto m =
      Produz("printf '%s\\r\\n' '" + Lancamento("PRIMEIRO", 8) +
                 "'; head -c 200000000 /dev/zero | tr '\\0' '\\351'; printf '\\r\\n%0197d\\r\\n' 0",
             "read Unico lancamentos");
  EXPECT_EQ(m.codigo, 1);
  EXPECT_EQ(m.erros,
            "linha 2: a linha tem 200000000 bytes, mais do que cabe no layout 'lancamentos' (no "
            "máximo 4292 bytes)\n"
            "linha 3: 197 caracteres, mas o layout 'lancamentos' tem 196 colunas\n"
            "2 linha(s) recusada(s); nada foi escrito depois da primeira\n");
  EXPECT_NE(m.saida.find(",PRIMEIRO"), std::string::npos) << m.saida;
  ConfereMemoria(m);

  // A "|" value of 1500 accented characters (its field's size) followed by 200 MB of blanks.
  m = Produz(
      "printf '|1|2|3|4|01/01/2024|01/01/2024|10|0|1|2|3|'; head -c 1500 /dev/zero | tr '\\0' "
      "'\\351'; head -c 200000000 /dev/zero | tr '\\0' ' '; printf '\\r\\n'",
      "read Questor questorEmpresarialLctosDiarios");
  EXPECT_EQ(m.codigo, 1);
  EXPECT_NE(m.erros.find("linha 1: a linha tem 200001542 bytes, mais do que cabe no layout "
                         "'questorEmpresarialLctosDiarios'"),
            std::string::npos)
      << m.erros;
  ConfereMemoria(m);

  // 300 MB of records ended by CR alone: one line, refused as such.
  m = Produz("yes '" + Lancamento("CR", 2) + "' | tr '\\n' '\\r' | head -c 300000000",
             "read Unico lancamentos --jsonl");
  EXPECT_EQ(m.codigo, 1);
  EXPECT_EQ(m.erros, "linha 1: " + std::string(kMensagemCrSemLf) +
                         "\n1 linha(s) recusada(s); nada foi escrito depois da primeira\n");
  ConfereMemoria(m);
}

TEST_F(Memoria, TheBoundIsTheLayoutsLengthInTheEncodingPlusSlackForBlanks) {
  // 196 columns: up to 4 bytes a character in UTF-8, one in Windows-1252; 4096 bytes of slack.
  std::string texto;
  for (int i = 0; i < 100; ++i) {
    texto += "\xF0\x9D\x84\x9E";  // U+1D11E, four bytes in UTF-8
  }
  const struct {
    std::string registro, opcoes;
    std::size_t maximo;
  } casos[] = {{Lancamento(texto, 100), "--encoding utf-8", 196 * 4 + 4096},
               {Lancamento("\xC9", 1), "", 196 + 4096}};
  for (const auto& c : casos) {
    const std::string cheia = c.registro + std::string(c.maximo - c.registro.size(), ' ');
    auto r = Roda("read Unico lancamentos " + c.opcoes, cheia + "\r\n");
    EXPECT_EQ(r.codigo, 0) << r.erros;
    r = Roda("read Unico lancamentos " + c.opcoes, cheia + " \r\n");
    EXPECT_NE(r.erros.find("linha 1: a linha tem " + std::to_string(c.maximo + 1) +
                           " bytes, mais do que cabe no layout 'lancamentos' (no máximo " +
                           std::to_string(c.maximo) + " bytes)"),
              std::string::npos)
        << r.erros;
  }
}

TEST_F(Memoria, CsvRecordsAndJsonLinesPastTheirBoundAreRefusedAndTheRestStillRead) {
  // A quote that never closes, 300 MB of rows after it, then a row with a value too many.
  auto m = Produz("printf 'Data,Historico\\n01012024,UM\\n01012024,\"aberta\\n'; yes '01012024," +
                      std::string(90, 'x') + "' | head -n 3000000; printf '1,2,3\\n'",
                  "write Unico lancamentos");
  EXPECT_EQ(m.codigo, 1);
  EXPECT_EQ(m.erros,
            "linha 3: as aspas abertas nesta linha não se fecham em 1048576 bytes (1 MiB), o "
            "limite de um registro CSV\n"
            "linha 3000004: 3 valores, mas o cabeçalho tem 2 campos\n"
            "2 linha(s) recusada(s); nada foi escrito depois da primeira\n");
  EXPECT_NE(m.saida.find("UM"), std::string::npos);
  ConfereMemoria(m);

  // One JSON line of 200 MB.
  m = Produz(
      "printf '{\"Historico\":\"UM\"}\\n{\"Historico\":\"'; head -c 200000000 /dev/zero | tr "
      "'\\0' x; printf '\"}\\n{\"x\":1}\\n'",
      "write Unico lancamentos --jsonl");
  EXPECT_EQ(m.codigo, 1);
  EXPECT_EQ(m.erros,
            "linha 2: a linha tem 200000016 bytes, mais que o limite de uma linha JSON, 1048576 "
            "bytes (1 MiB)\n"
            "linha 3: o layout não tem o campo 'x'; os campos: lumbrava-layouts show Unico "
            "lancamentos\n"
            "2 linha(s) recusada(s); nada foi escrito depois da primeira\n");
  ConfereMemoria(m);
}

// Many threads, long records, rows of many values: what the batches in flight hold is bounded by
// their bytes, in and out, and what each worker keeps between batches stays small.
TEST_F(Memoria, WriteHoldsLittleWhateverTheThreadsAndTheRows) {
  const std::string virgulas = "head -c 1000000 /dev/zero | tr '\\0' ,";
  const struct {
    std::string produtor, argumentos;
    int codigo;
  } casos[] = {
      // One short column into records of 7,264 columns.
      {"echo DataMovimento; yes 20240131 | head -n 60000", "write Prosoft ecfMestre", 0},
      // Rows of a million values, and JSON objects of 80,000 names: refused.
      {"echo Historico; for i in $(seq 40); do " + virgulas + "; echo; done",
       "write Unico lancamentos", 1},
      {"for i in $(seq 40); do printf '{'; seq -f '\"k%.0f\":1,' 80000 | tr -d '\\n'; "
       "echo '\"fim\":1}'; done",
       "write Unico lancamentos --jsonl", 1},
  };
  for (const auto& c : casos) {
    for (const char* threads : {"8", "128"}) {
      const auto m = Produz(c.produtor, c.argumentos + " --threads " + threads, true);
      EXPECT_EQ(m.codigo, c.codigo) << c.argumentos << " " << threads << ": " << m.erros;
      std::printf("%s, %s threads: ", c.argumentos.c_str(), threads);
      ConfereMemoria(m);
    }
  }
  // Rows of one value of 400,000 doubled quotes, from a disk file, which keeps every thread
  // busy: what each thread's buffers grew to must not add up with the threads.
  const teste::fs::path aspas = pasta / "aspas.csv";
  ASSERT_EQ(std::system(("{ echo Historico; for i in $(seq 200); do printf '\"'; head -c 800000 "
                         "/dev/zero | tr '\\0' '\"'; echo '\"'; done; } >" +
                         aspas.string())
                            .c_str()),
            0);
  const auto m =
      Produz("true", "write Unico lancamentos " + aspas.string() + " --threads 128", true);
  EXPECT_EQ(m.codigo, 0) << m.erros;
  std::printf("rows of doubled quotes, 128 threads: ");
  ConfereMemoria(m);
}

// Output far larger than its input: JSON of records whose every byte is a control character (six
// bytes each, "\u0001"), and the work on JSON lines of 1 MiB, from disk files.
TEST_F(Memoria, OutputThatOutgrowsItsLinesIsCountedAsItGrows) {
  const teste::fs::path controles = pasta / "controles.txt";
  const teste::fs::path longas = pasta / "longas.jsonl";
  ASSERT_EQ(
      std::system(("yes \"$(head -c 4851 /dev/zero | tr '\\0' '\\1')\" | head -n 16000 >" +
                   controles.string() + "; for i in $(seq 150); do printf '{\"Historico\":\"'; " +
                   "head -c 1048559 /dev/zero | tr '\\0' x; echo '\"}'; done >" + longas.string())
                      .c_str()),
      0);
  for (const char* threads : {"8", "64"}) {
    for (const std::string& argumentos :
         {"read Dominio nfEntrada1000 " + controles.string() + " --jsonl",
          "write Unico lancamentos " + longas.string() + " --jsonl"}) {
      const auto m = Produz("true", argumentos + " --threads " + threads, true);
      EXPECT_EQ(m.codigo, 0) << argumentos << ": " << m.erros;
      std::printf("%s, %s threads: ", argumentos.c_str(), threads);
      ConfereMemoria(m, 80);
    }
  }
}

TEST_F(Memoria, ASlowProducersRecordsComeOutAsItsLinesArrive) {
  // The producer writes its second line only once the first record is out (or, after a minute,
  // leaves a mark).
  const std::string espera = "; i=0; until grep -q PRIMEIRO " + (pasta / "stdout").string() +
                             " || [ $i -ge 600 ]; do sleep 0.1; i=$((i+1)); done; [ $i -lt 600 ]"
                             " || touch " +
                             (pasta / "tarde").string() + "; ";
  const std::string um = "printf '%s\\r\\n' '" + Lancamento("PRIMEIRO", 8) + "'";
  const std::string dois = "printf '%s\\r\\n' '" + Lancamento("SEGUNDO", 7) + "'";
  const std::pair<std::string, std::string> casos[] = {
      {um + espera + dois, "read Unico lancamentos"},
      {um + espera + dois, "read Unico lancamentos --threads 1"},
      {"printf 'Historico\\nPRIMEIRO\\n'" + espera + "printf 'SEGUNDO\\n'",
       "write Unico lancamentos"},
      {"printf '{\"Historico\":\"PRIMEIRO\"}\\n'" + espera +
           "printf '{\"Historico\":\"SEGUNDO\"}\\n'",
       "write Unico lancamentos --jsonl"},
  };
  for (const auto& [produtor, argumentos] : casos) {
    const auto m = Produz(produtor, argumentos);
    EXPECT_EQ(m.codigo, 0) << argumentos << ": " << m.erros;
    EXPECT_FALSE(teste::fs::exists(pasta / "tarde")) << argumentos;
    EXPECT_LT(m.saida.find("PRIMEIRO"), m.saida.find("SEGUNDO")) << m.saida;
    teste::fs::remove(pasta / "tarde");
  }
}

}  // namespace
}  // namespace lumbrava
