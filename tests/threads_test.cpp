// Layouts and the operator used from several threads (run under ThreadSanitizer in CI).
#include <gtest/gtest.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "tests/apoio.h"
#include "tool/paralelo.h"

namespace lumbrava {
namespace {

// The default follows the processors the program may run on, not every processor the machine has.
TEST(Threads, ByDefaultAsManyAsTheProcessorsAllowed) {
  cpu_set_t antes;
  ASSERT_EQ(::sched_getaffinity(0, sizeof antes, &antes), 0);
  int primeiro = 0;
  while (!CPU_ISSET(primeiro, &antes)) {
    ++primeiro;
  }
  cpu_set_t um;
  CPU_ZERO(&um);
  CPU_SET(primeiro, &um);
  ASSERT_EQ(::sched_setaffinity(0, sizeof um, &um), 0);
  const unsigned comUm = ThreadsPadrao();
  ASSERT_EQ(::sched_setaffinity(0, sizeof antes, &antes), 0);
  EXPECT_EQ(comUm, 1U);
  EXPECT_EQ(ThreadsPadrao(), std::min(static_cast<unsigned>(CPU_COUNT(&antes)), 8U));
}

TEST(Threads, ConstOperationsOnOneLayoutAndCopiesPerThread) {
  auto modelo = teste::Compoe("Unico", "lancamentos");
  modelo->InformaValor("Valor", "1520,75");
  modelo->InformaValor("Historico", "Depósito em conta");
  const std::string esperado = modelo->ExpandeLayout();

  std::vector<std::thread> grupo;
  std::atomic<int> falhas{0};
  for (int t = 0; t < 4; ++t) {
    grupo.emplace_back([&, t] {
      // Writing from one layout on many threads at once...
      for (int i = 0; i < 200; ++i) {
        if (modelo->ExpandeLayout() != esperado || modelo->TamanhoRegistro() != 196) {
          ++falhas;
        }
      }
      // ...and reading into a copy of its own.
      clLayoutReg copia(*modelo);
      const std::string linha = esperado;
      for (int i = 0; i < 200; ++i) {
        copia.InformaValor("Documento", std::to_string(t * 1000 + i));
        if (!copia.PreencheLayoutApartirLinha(linha) || copia.pegaValor("Valor") != "1520,75") {
          ++falhas;
        }
      }
    });
  }
  for (auto& g : grupo) {
    g.join();
  }
  EXPECT_EQ(falhas.load(), 0);
  EXPECT_EQ(modelo->pegaValor("Valor"), "1520,75");
}

TEST(Threads, ACopyHasFieldsOfItsOwn) {
  auto modelo = teste::Compoe("Radar", "lancamentos");
  clLayoutReg copia(*modelo);
  ASSERT_EQ(copia.campos().size(), modelo->campos().size());
  EXPECT_EQ(copia.TamanhoRegistro(), modelo->TamanhoRegistro());
  for (std::size_t i = 0; i < copia.campos().size(); ++i) {
    EXPECT_EQ(copia.campos()[i]->layout(), &copia);
    EXPECT_EQ(copia.campos()[i]->nome, modelo->campos()[i]->nome);
  }
  // The amount's own settings went with it, and a value set on the copy stays there.
  EXPECT_TRUE(copia.LocalizaCampo("valorLancamento")->configuracaoParticular);
  copia.InformaValor("valorLancamento", "12,5");
  EXPECT_EQ(modelo->pegaValor("valorLancamento"), "");
  EXPECT_EQ(copia.ExpandeLayout().substr(158, 16), "          12.50;");
  // New fields appended to the copy keep their column order.
  copia.AcrescentaCampoAppend(2, "extra", 0, "S");
  EXPECT_EQ(copia.ExpandeLayout().size(), modelo->ExpandeLayout().size() + 2);
}

TEST(Threads, TheOperatorCanBeReplacedWhileInUse) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  std::atomic<bool> parar{false};
  std::thread troca([&] {
    while (!parar) {
      DefineOperador(std::make_shared<teste::OperadorGravador>());
    }
  });
  for (int i = 0; i < 2000; ++i) {
    OperadorAtual()->Aviso("teste", "mensagem");
  }
  parar = true;
  troca.join();
  DefineOperador(nullptr);
}

}  // namespace
}  // namespace lumbrava
