#include "tool/csv.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "tool/paralelo.h"
#include "tool/registro_csv.h"

namespace lumbrava {
namespace {

// A FILE* over a string.
struct Memoria {
  std::string texto;
  std::FILE* f;
  explicit Memoria(std::string t) : texto(std::move(t)) {
    f = texto.empty() ? std::tmpfile() : fmemopen(texto.data(), texto.size(), "rb");
  }
  ~Memoria() { std::fclose(f); }
};

TEST(LeitorLinhas, SplitsLinesEndingInLfOrCrlf) {
  Memoria m("um\r\ndois\n\ntres");
  LeitorLinhas l(m.f);
  std::vector<std::string> linhas;
  for (std::string_view v; l.Proxima(v);) {
    linhas.emplace_back(v);
  }
  EXPECT_EQ(linhas, (std::vector<std::string>{"um", "dois", "", "tres"}));
  EXPECT_EQ(l.numero(), 4U);
  EXPECT_FALSE(l.Falhou());
}

TEST(LeitorLinhas, KeepsLinesLongerThanItsBlock) {
  const std::string longa(3'000'000, 'x');
  Memoria m(longa + "\nfim\n");
  LeitorLinhas l(m.f);
  std::string_view v;
  ASSERT_TRUE(l.Proxima(v));
  EXPECT_EQ(v.size(), longa.size());
  ASSERT_TRUE(l.Proxima(v));
  EXPECT_EQ(v, "fim");
  EXPECT_FALSE(l.Proxima(v));
}

// A disk file, with the lines it should give: many megabytes, so that lines run across the
// windows it is read in.
struct ArquivoEmDisco {
  std::string caminho = ::testing::TempDir() + "linhasXXXXXX";
  std::vector<std::string> linhas;
  std::vector<std::size_t> fins;  // where each line ends, its line end included
  std::FILE* f = nullptr;
  ArquivoEmDisco() {
    const int d = ::mkstemp(caminho.data());
    std::string conteudo;
    for (int i = 1; conteudo.size() < 9'500'000; ++i) {
      linhas.push_back(std::to_string(i) + ";" +
                       std::string(static_cast<std::size_t>(i * 7919 % 4099), 'a' + i % 26));
      conteudo += linhas.back() + (i % 3 == 0 ? "\r\n" : "\n");
      fins.push_back(conteudo.size());
    }
    EXPECT_EQ(::write(d, conteudo.data(), conteudo.size()), static_cast<ssize_t>(conteudo.size()));
    ::close(d);
    f = std::fopen(caminho.c_str(), "rb");
  }
  ~ArquivoEmDisco() {
    std::fclose(f);
    std::remove(caminho.c_str());
  }
};

TEST(LeitorLinhas, ReadsADiskFileFromWhereItsDescriptorStands) {
  ArquivoEmDisco a;
  // Someone read the first bytes already (a shell's `read` does that to its input).
  char lidos[5];
  ASSERT_EQ(::read(::fileno(a.f), lidos, sizeof lidos), 5);
  a.linhas.front().erase(0, 5);
  LeitorLinhas l(a.f);
  std::vector<std::string> linhas;
  for (std::string_view v; l.Proxima(v);) {
    linhas.emplace_back(v);
  }
  EXPECT_FALSE(l.Falhou());
  EXPECT_EQ(linhas.size(), a.linhas.size());
  EXPECT_TRUE(linhas == a.linhas);
}

TEST(LeitorLinhas, AFileThatShrinksWhileReadEndsTheProgramWithAReadError) {
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
  GTEST_SKIP() << "the sanitizer handles SIGBUS itself: the file is read, not mapped";
#endif
  ArquivoEmDisco a;
  EXPECT_EXIT(
      {
        LeitorLinhas l(a.f);
        std::string_view v;
        l.Proxima(v);
        if (::truncate(a.caminho.c_str(), 0) == 0) {
          while (l.Proxima(v)) {
          }
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(1), "o arquivo diminuiu enquanto era lido");
}

// Cut ahead of what the reader has taken in (past its first window, or its first block when the
// file is read rather than mapped), inside a line or where one ends: the lines before the cut come
// whole, the one it falls in does not come at all, and reading ends with the read error. A file
// that grows meanwhile is read up to the size it had, and then fails as changed.
TEST(LeitorLinhas, AFileCutAheadOfTheReaderEndsWithAReadErrorAndOnlyWholeLines) {
  ArquivoEmDisco modelo;
  const auto depois = std::upper_bound(modelo.fins.begin(), modelo.fins.end(), 6'000'000);
  for (const std::size_t corte : {std::size_t{6'000'000}, *depois}) {
    ArquivoEmDisco a;
    LeitorLinhas l(a.f);
    std::string_view v;
    ASSERT_TRUE(l.Proxima(v));
    std::vector<std::string> lidas{std::string(v)};
    ASSERT_EQ(::truncate(a.caminho.c_str(), static_cast<off_t>(corte)), 0);
    while (l.Proxima(v)) {
      lidas.emplace_back(v);
    }
    EXPECT_TRUE(l.Falhou()) << corte;
    EXPECT_EQ(l.MotivoDaFalha(), kMotivoArquivoEncolheu);
    ASSERT_LE(lidas.size(), a.linhas.size());
    EXPECT_TRUE(std::equal(lidas.begin(), lidas.end(), a.linhas.begin())) << corte;
    EXPECT_LE(a.fins[lidas.size() - 1], corte);
    EXPECT_FALSE(l.Proxima(v));
  }

  ArquivoEmDisco a;
  LeitorLinhas l(a.f);
  std::string_view v;
  ASSERT_TRUE(l.Proxima(v));
  std::FILE* mais = std::fopen(a.caminho.c_str(), "ab");
  std::fputs("mais uma\n", mais);
  std::fclose(mais);
  std::size_t n = 1;
  std::string ultima;
  while (l.Proxima(v)) {
    ++n;
    ultima = v;
  }
  EXPECT_TRUE(l.Falhou());
  EXPECT_EQ(l.MotivoDaFalha(), kMotivoArquivoMudou);
  EXPECT_EQ(n, a.linhas.size());
  EXPECT_EQ(ultima, a.linhas.back());
}

TEST(LeitorCsv, ReadsQuotedFieldsAcrossLinesAndReportsMalformedOnes) {
  Memoria m(
      "a,\"b,c\",\"d \"\"e\"\"\",\n"
      "\"linha\r\nquebrada\",x\n"
      "\"aberta\n");
  LeitorLinhas linhas(m.f);
  LeitorCsv csv(linhas);
  std::vector<std::string> campos;
  std::string erro;
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(erro, "");
  EXPECT_EQ(campos, (std::vector<std::string>{"a", "b,c", "d \"e\"", ""}));
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(csv.linha(), 2U);
  EXPECT_EQ(campos, (std::vector<std::string>{"linha\nquebrada", "x"}));
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(erro, "aspas abertas e não fechadas");
  EXPECT_FALSE(csv.Proximo(campos, erro));

  for (const char* ruim : {"ab\"c\n", "\"ab\"c\n"}) {
    Memoria r(ruim);
    LeitorLinhas lr(r.f);
    LeitorCsv c(lr);
    ASSERT_TRUE(c.Proximo(campos, erro));
    EXPECT_FALSE(erro.empty()) << ruim;
  }
}

// A record whose quotes stay open over many lines keeps every value, those before the quote, in
// it and after it, as each line read keeps only what the line added.
TEST(LeitorCsv, AQuoteOpenOverManyLinesKeepsEveryValue) {
  const std::string quebras(5000, '\n');
  Memoria m("a,b,\"x" + quebras + "y\",c,\"d\n\ne\",f,\"g\"\"\n\"\nprox,\"ima\"\n");
  LeitorLinhas linhas(m.f);
  LeitorCsv csv(linhas);
  std::vector<std::string> campos;
  std::string erro;
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(erro, "");
  EXPECT_EQ(campos,
            (std::vector<std::string>{"a", "b", "x" + quebras + "y", "c", "d\n\ne", "f", "g\"\n"}));
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(csv.linha(), 5005U);
  EXPECT_EQ(campos, (std::vector<std::string>{"prox", "ima"}));
}

// Past its limit a record's values are counted, not kept: what the limit keeps stays right, also
// when the quote left open lies past it, and for the records after.
TEST(RegistroCsv, ValuesPastTheLimitAreCountedNotKept) {
  RegistroCsv r;
  r.LimitaValores(2);
  std::string l1 = "a,\"b\"\"\",c,d,\"e";
  std::string l2 = "f\",g";
  EXPECT_FALSE(r.Le(l1, 1));
  r.Guarda();
  l1.assign(l1.size(), '#');  // the line read goes
  EXPECT_TRUE(r.Le(l2, 2));
  EXPECT_EQ(r.erro(), "");
  EXPECT_EQ(r.valores(), 6U);
  EXPECT_EQ(r.valor(0), "a");
  EXPECT_EQ(r.valor(1), "b\"");
  r.Solta(0);
  EXPECT_TRUE(r.Le("h,\"i\"\"\"", 3));
  EXPECT_EQ(r.valores(), 2U);
  EXPECT_EQ(r.valor(0), "h");
  EXPECT_EQ(r.valor(1), "i\"");

  // LeitorCsv gives the values kept.
  Memoria m("a,b,\"c\nd\",e\nf\n");
  LeitorLinhas linhas(m.f);
  LeitorCsv csv(linhas);
  csv.LimitaValores(2);
  std::vector<std::string> campos;
  std::string erro;
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(campos, (std::vector<std::string>{"a", "b"}));
  ASSERT_TRUE(csv.Proximo(campos, erro));
  EXPECT_EQ(campos, (std::vector<std::string>{"f"}));
}

TEST(EscreveCampoCsv, QuotesOnlyWhenItMust) {
  std::string s;
  EscreveCampoCsv(s, "simples");
  EscreveCampoCsv(s, "12,50", ',');
  EscreveCampoCsv(s, "diz \"oi\"", ',');
  EscreveCampoCsv(s, "um texto bem mais longo que dezesseis letras, com vírgula", ',');
  EscreveCampoCsv(s, "dois\nlinhas", ',');
  EXPECT_EQ(s,
            "simples,\"12,50\",\"diz \"\"oi\"\"\",\"um texto bem mais longo que dezesseis "
            "letras, com vírgula\",\"dois\nlinhas\"");
}

// Batches come back in file order, with the right line numbers, whatever the threads.
class Eco final : public TrabalhadorDeLotes {
 public:
  void Processa(Lote& lote) override {
    for (std::size_t i = 0; i < lote.Linhas(); ++i) {
      const std::string_view l = lote.Linha(i);
      if (l == "ruim") {
        lote.erros.push_back("linha " + std::to_string(lote.primeiraLinha + i));
      } else {
        lote.saida.append(l).push_back('\n');
      }
    }
  }
};

TEST(ProcessaEmParalelo, HandsBatchesBackInOrder) {
  std::string entrada;
  std::string esperado;
  for (int i = 1; i <= 20000; ++i) {
    const std::string l = (i == 7777 || i == 15000) ? "ruim" : std::to_string(i);
    entrada += l + "\n";
    if (l != "ruim") {
      esperado += l + "\n";
    }
  }
  for (const unsigned threads : {1U, 3U, 8U}) {
    Memoria m(entrada);
    LeitorLinhas linhas(m.f);
    std::string saida;
    std::vector<std::string> erros;
    ProcessaEmParalelo(
        linhas, threads, [] { return std::make_unique<Eco>(); },
        [&](Lote& lote) {
          saida += lote.saida;
          erros.insert(erros.end(), lote.erros.begin(), lote.erros.end());
          return true;
        });
    EXPECT_EQ(saida, esperado) << threads;
    EXPECT_EQ(erros, (std::vector<std::string>{"linha 7777", "linha 15000"})) << threads;
  }
}

// Lines point into the blocks read; while batches hold a block, the reader goes on in others. A
// line that runs across blocks, or across the pieces a pipe gives, comes whole.
TEST(ProcessaEmParalelo, KeepsTheLinesOfBlocksThatBatchesHold) {
  std::string entrada;
  for (int i = 1; entrada.size() < 5'000'000; ++i) {
    entrada += std::to_string(i) + ":" +
               std::string(static_cast<std::size_t>(i * 7919 % 3001), 'a' + i % 26) + "\n";
    if (i == 900) {
      entrada += std::string(1'500'000, 'z') + "\n";
    }
  }
  for (const bool pipe : {false, true}) {
    for (const unsigned threads : {1U, 4U}) {
      Memoria m(pipe ? std::string() : entrada);
      std::FILE* f = m.f;
      std::thread escritor;
      int fds[2] = {-1, -1};
      if (pipe) {
        ASSERT_EQ(::pipe(fds), 0);
        f = ::fdopen(fds[0], "rb");
        escritor = std::thread([&entrada, fd = fds[1]] {
          for (std::size_t de = 0; de < entrada.size(); de += 70'001) {
            const std::size_t n = std::min<std::size_t>(70'001, entrada.size() - de);
            for (std::size_t feito = 0; feito < n;) {
              const ssize_t w = ::write(fd, entrada.data() + de + feito, n - feito);
              if (w <= 0) {
                break;
              }
              feito += static_cast<std::size_t>(w);
            }
          }
          ::close(fd);
        });
      }
      LeitorLinhas linhas(f);
      std::string saida;
      ProcessaEmParalelo(
          linhas, threads, [] { return std::make_unique<Eco>(); },
          [&](Lote& lote) {
            saida += lote.saida;
            return true;
          });
      if (pipe) {
        escritor.join();
        std::fclose(f);
      }
      EXPECT_TRUE(saida == entrada) << pipe << " " << threads << " " << saida.size();
    }
  }
}

class Falha final : public TrabalhadorDeLotes {
 public:
  void Processa(Lote& lote) override {
    if (lote.primeiraLinha > 1) {
      throw std::runtime_error("falhou");
    }
  }
};

// A worker out of memory fails the run as any other error of its work does.
class SemMemoria final : public TrabalhadorDeLotes {
 public:
  void Processa(Lote& lote) override {
    lote.saida.assign(lote.bytes, 'x');
    if (lote.primeiraLinha > 1) {
      throw std::bad_alloc();
    }
  }
};

TEST(ProcessaEmParalelo, PassesAWorkersErrorOn) {
  std::string entrada;
  for (int i = 0; i < 10000; ++i) {
    entrada += "x\n";
  }
  for (const unsigned threads : {1U, 4U}) {
    Memoria m(entrada);
    LeitorLinhas linhas(m.f);
    EXPECT_THROW(
        ProcessaEmParalelo(
            linhas, threads, [] { return std::make_unique<Falha>(); }, [](Lote&) { return true; }),
        std::runtime_error);
    Memoria n(entrada);
    LeitorLinhas outras(n.f);
    std::size_t entregues = 0;
    EXPECT_THROW(ProcessaEmParalelo(
                     outras, threads, [] { return std::make_unique<SemMemoria>(); },
                     [&](Lote&) { return ++entregues > 0; }),
                 std::bad_alloc);
    EXPECT_LE(entregues, 1U);
  }
}

// Batches whose output outgrew what was counted of it leave large buffers, kept for the batches
// after them. Kept idle, those must not take the room of the batches in flight: the later batches
// are still worked on side by side (the first of them waits for a second to come).
TEST(ProcessaEmParalelo, BuffersKeptIdleDoNotHoldTheWorkBack) {
  // On 8 threads: 18 batches in flight at most, of 2048 lines here, and a buffer of up to 2 MiB
  // kept from each while the kept ones and those in flight hold 24 MiB at most.
  constexpr std::size_t kPrimeiras = 18 * 2048;
  struct Ensaio {
    std::mutex trava;
    std::condition_variable mudou;
    int prontas = 0;  // of the first batches, the first aside
    int depois = 0;   // later batches come
    bool acompanhado = false;
  } e;
  class Folgado final : public TrabalhadorDeLotes {
   public:
    explicit Folgado(Ensaio& e) : e_(e) {}
    void Processa(Lote& lote) override {
      std::unique_lock<std::mutex> l(e_.trava);
      if (lote.primeiraLinha > kPrimeiras) {
        if (++e_.depois == 1) {
          e_.acompanhado =
              e_.mudou.wait_for(l, std::chrono::seconds(10), [&] { return e_.depois > 1; });
        }
        e_.mudou.notify_all();
        return;
      }
      // A buffer grown past what was counted (counted when the batch is kept). The first batch
      // waits for the others, so that all are handed back, and kept, at once.
      lote.saida.reserve(std::size_t{1950} << 10U);
      if (lote.primeiraLinha == 1) {
        e_.mudou.wait_for(l, std::chrono::seconds(10), [&] { return e_.prontas == 17; });
      } else {
        ++e_.prontas;
        e_.mudou.notify_all();
      }
    }

   private:
    Ensaio& e_;
  };
  std::string entrada;
  for (std::size_t i = 0; i < 2 * kPrimeiras; ++i) {
    entrada += std::string(99, 'x') + "\n";
  }
  Memoria m(entrada);
  LeitorLinhas linhas(m.f);
  ProcessaEmParalelo(
      linhas, 8, [&] { return std::make_unique<Folgado>(e); }, [](Lote&) { return true; });
  EXPECT_EQ(e.prontas, 17);
  EXPECT_TRUE(e.acompanhado);
}

}  // namespace
}  // namespace lumbrava
