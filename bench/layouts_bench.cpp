// Micro-benchmarks of the layout model: reading a line, formatting a record, composing layouts.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "layouts/cl_produtos.h"

namespace lumbrava {
namespace {

void Preenche(clLayoutReg& l) {
  std::size_t i = 0;
  for (const auto& c : l.campos()) {
    if (c->EhTexto()) {
      c->valor = "Texto " + std::to_string(i++);
    } else if (c->decimais > c->tamanho - 2) {
      c->valor = "0";  // a field narrower than its decimals holds little else
    } else {
      c->valor = c->decimais > 0 ? "1,25" : "7";
    }
  }
}

void BM_PreencheLayoutApartirLinha(benchmark::State& state, const char* sistema, const char* nome) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
  Preenche(*l);
  const std::string linha = l->ExpandeLayout();
  for (auto _ : state) {
    benchmark::DoNotOptimize(l->PreencheLayoutApartirLinha(linha));
  }
  state.SetItemsProcessed(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * linha.size()));
}
BENCHMARK_CAPTURE(BM_PreencheLayoutApartirLinha, unico_bens_cadastro_bem, "Unico",
                  "bens-cadastro_bem");
BENCHMARK_CAPTURE(BM_PreencheLayoutApartirLinha, unico_lancamentos, "Unico", "lancamentos");

void BM_ExpandeLayout(benchmark::State& state, const char* sistema, const char* nome) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
  Preenche(*l);
  std::string registro;
  for (auto _ : state) {
    l->ExpandeLayout(registro);
    benchmark::DoNotOptimize(registro.data());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(BM_ExpandeLayout, unico_lancamentos, "Unico", "lancamentos");
BENCHMARK_CAPTURE(BM_ExpandeLayout, unico_bens_cadastro_bem, "Unico", "bens-cadastro_bem");
BENCHMARK_CAPTURE(BM_ExpandeLayout, sci_movimentosDeSaida, "SCI", "movimentosDeSaida");

void BM_ExpandeLayoutDiv(benchmark::State& state) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro("SCI", "nfServico");
  Preenche(*l);
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
