// Micro-benchmarks of the layout model: reading a line, formatting a record, composing layouts.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "bench/registros.h"
#include "common/texto.h"
#include "layouts/cl_produtos.h"

namespace lumbrava {
namespace {

using bench::Preenche;

void BM_PreencheLayoutApartirLinha(benchmark::State& state, const char* sistema, const char* nome,
                                   bool acentos) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
  Preenche(*l, acentos);
  const std::string linha = l->ExpandeLayout();
  for (auto _ : state) {
    benchmark::DoNotOptimize(l->PreencheLayoutApartirLinha(linha));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * linha.size()));
}
BENCHMARK_CAPTURE(BM_PreencheLayoutApartirLinha, unico_bens_cadastro_bem, "Unico",
                  "bens-cadastro_bem", false);
BENCHMARK_CAPTURE(BM_PreencheLayoutApartirLinha, unico_bens_cadastro_bem_acentos, "Unico",
                  "bens-cadastro_bem", true);
BENCHMARK_CAPTURE(BM_PreencheLayoutApartirLinha, unico_lancamentos, "Unico", "lancamentos", false);
BENCHMARK_CAPTURE(BM_PreencheLayoutApartirLinha, unico_lancamentos_acentos, "Unico", "lancamentos",
                  true);

void BM_ExpandeLayout(benchmark::State& state, const char* sistema, const char* nome,
                      bool acentos) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
  Preenche(*l, acentos);
  std::string registro;
  for (auto _ : state) {
    l->ExpandeLayout(registro);
    benchmark::DoNotOptimize(registro.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ExpandeLayout, unico_lancamentos, "Unico", "lancamentos", false);
BENCHMARK_CAPTURE(BM_ExpandeLayout, unico_lancamentos_acentos, "Unico", "lancamentos", true);
BENCHMARK_CAPTURE(BM_ExpandeLayout, unico_bens_cadastro_bem, "Unico", "bens-cadastro_bem", false);
BENCHMARK_CAPTURE(BM_ExpandeLayout, unico_bens_cadastro_bem_acentos, "Unico", "bens-cadastro_bem",
                  true);
BENCHMARK_CAPTURE(BM_ExpandeLayout, sci_movimentosDeSaida, "SCI", "movimentosDeSaida", false);

void BM_ExpandeLayoutDiv(benchmark::State& state) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro("SCI", "nfServico");
  Preenche(*l, true);
  std::string registro;
  for (auto _ : state) {
    l->ExpandeLayoutDiv(registro, ";", "", true);
    benchmark::DoNotOptimize(registro.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ExpandeLayoutDiv);

void BM_CompoeTodosOsLayouts(benchmark::State& state) {
  for (auto _ : state) {
    clProdutos catalogo;
    std::size_t campos = 0;
    for (const std::string& sistema : clProdutos::Produtos()) {
      for (const std::string& nome : clProdutos::LayoutsDoProduto(sistema)) {
        campos += catalogo.LocalizaCriaLayoutRegistro(sistema, nome)->campos().size();
      }
    }
    benchmark::DoNotOptimize(campos);
  }
}
BENCHMARK(BM_CompoeTodosOsLayouts);

}  // namespace
}  // namespace lumbrava

BENCHMARK_MAIN();
