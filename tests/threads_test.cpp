// Layouts and the operator used from several threads (run under ThreadSanitizer in CI).
#include <gtest/gtest.h>
#include <sched.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <set>
#include <string_view>
#include <thread>
#include <vector>

#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tool/paralelo.h"

namespace lumbrava {
namespace {

// The default follows the processors the program may run on, not every processor the machine has:
// held to a few, it uses as many threads as it was given, up to eight.
TEST(Threads, ByDefaultAsManyAsTheProcessorsAllowed) {
  cpu_set_t antes;
  ASSERT_EQ(::sched_getaffinity(0, sizeof antes, &antes), 0);
  std::vector<int> permitidos;
  for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu) {
    if (CPU_ISSET(cpu, &antes)) {
      permitidos.push_back(cpu);
    }
  }
  ASSERT_FALSE(permitidos.empty());
  std::vector<unsigned> comN;  // the default with 1, 2, ... of the allowed processors
  cpu_set_t alguns;
  CPU_ZERO(&alguns);
  for (std::size_t n = 1; n <= std::min<std::size_t>(permitidos.size(), 9); ++n) {
    CPU_SET(permitidos[n - 1], &alguns);
    ASSERT_EQ(::sched_setaffinity(0, sizeof alguns, &alguns), 0);
    comN.push_back(ThreadsPadrao());
  }
  ASSERT_EQ(::sched_setaffinity(0, sizeof antes, &antes), 0);
  for (std::size_t n = 1; n <= comN.size(); ++n) {
    EXPECT_EQ(comN[n - 1], std::min<std::size_t>(n, 8)) << n << " processors allowed";
  }
  // All of them: never more than eight, and all of them below that.
  if (permitidos.size() < 8) {
    EXPECT_EQ(ThreadsPadrao(), permitidos.size());
  } else {
    EXPECT_EQ(ThreadsPadrao(), 8U);
  }
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

// Catalogues of their own compose the same layouts on several threads at once as on one.
TEST(Threads, EachThreadMayHaveACatalogueOfItsOwn) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(gravador);
  const auto Comprimentos = [] {
    clProdutos catalogo;
    std::vector<int> comprimentos;
    for (const std::string& sistema : clProdutos::Produtos()) {
      for (const std::string& nome : clProdutos::LayoutsDoProduto(sistema)) {
        const clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
        comprimentos.push_back(l == nullptr ? -1 : l->ComprimentoRegistro());
      }
    }
    return comprimentos;
  };
  const std::vector<int> esperados = Comprimentos();
  std::vector<std::vector<int>> achados(4);
  std::vector<std::thread> grupo;
  for (auto& a : achados) {
    grupo.emplace_back([&] { a = Comprimentos(); });
  }
  for (auto& g : grupo) {
    g.join();
  }
  for (const auto& a : achados) {
    EXPECT_EQ(a, esperados);
  }
  EXPECT_TRUE(gravador->mensagens.empty());
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

// Counts what it is told in a count shared with other operators.
class OperadorContador : public Operador {
 public:
  explicit OperadorContador(std::atomic<int>& contagem) : contagem_(contagem) {}
  void Critico(std::string_view, std::string_view) override { ++contagem_; }
  void Aviso(std::string_view, std::string_view) override { ++contagem_; }
  bool PerguntaSimNao(std::string_view, std::string_view) override {
    ++contagem_;
    return true;
  }

 private:
  std::atomic<int>& contagem_;
};

// Two threads put operator after operator in place while a third tells the current one things:
// every message reaches an operator, every replacement hands back the one it replaced (each once),
// and an operator held by a caller stays whole after it was replaced.
TEST(Threads, TheOperatorCanBeReplacedWhileInUse) {
  constexpr int kTrocas = 500;
  constexpr int kMensagens = 2000;
  std::atomic<int> recebidas{0};
  auto primeiro = std::make_shared<OperadorContador>(recebidas);
  const std::shared_ptr<Operador> doTeste = DefineOperador(primeiro);

  std::shared_ptr<Operador> segurado = OperadorAtual();  // a caller in the middle of its work
  const std::weak_ptr<Operador> seguradoFraco = segurado;
  ASSERT_EQ(segurado, primeiro);
  primeiro.reset();

  std::atomic<bool> comecar{false};
  std::vector<std::shared_ptr<Operador>> postos[2];
  std::vector<std::shared_ptr<Operador>> devolvidos[2];
  std::vector<std::thread> trocas;
  for (int t = 0; t < 2; ++t) {
    trocas.emplace_back([&, t] {
      while (!comecar) {
      }
      for (int i = 0; i < kTrocas; ++i) {
        postos[t].push_back(std::make_shared<OperadorContador>(recebidas));
        devolvidos[t].push_back(DefineOperador(postos[t].back()));
      }
    });
  }
  comecar = true;
  for (int i = 0; i < kMensagens; ++i) {
    OperadorAtual()->Aviso("teste", "mensagem");
  }
  for (auto& t : trocas) {
    t.join();
  }
  const std::shared_ptr<Operador> ultimo = DefineOperador(doTeste);

  EXPECT_EQ(recebidas.load(), kMensagens);
  // Every operator put in place was handed back once, by the next replacement: the first one
  // included, the last one by the test's own.
  std::multiset<const Operador*> esperados{segurado.get()};
  std::multiset<const Operador*> achados{ultimo.get()};
  for (int t = 0; t < 2; ++t) {
    for (std::size_t i = 0; i < postos[t].size(); ++i) {
      esperados.insert(postos[t][i].get());
      achados.insert(devolvidos[t][i].get());
    }
  }
  EXPECT_EQ(achados, esperados);

  // The operator held since the start was replaced long ago and is still whole; once its holder
  // lets go, nothing keeps it.
  segurado->Aviso("teste", "ainda aqui");
  EXPECT_EQ(recebidas.load(), kMensagens + 1);
  devolvidos[0].clear();
  devolvidos[1].clear();
  EXPECT_FALSE(seguradoFraco.expired());
  segurado.reset();
  EXPECT_TRUE(seguradoFraco.expired());
}

}  // namespace
}  // namespace lumbrava
