// Micro-benchmarks of `read`: record lines into CSV on one thread, as the command reads them (each
// line looked at, cut into its fields, its numbers read and its text converted and quoted), on the
// widest layout with every field filled, in Windows-1252 and UTF-8 with accents and in ASCII; and
// the same lines into JSON lines.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/registros.h"
#include "layouts/cl_produtos.h"
#include "tool/codificacao.h"
#include "tool/execucao.h"

namespace lumbrava {
namespace {

// Lines a run reads: enough that the layout's composition, once a run, does not count.
constexpr int kLinhas = 2000;

void LeUmaThread(benchmark::State& state, const char* codificacao, bool acentos, bool jsonl) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro("Unico", "bens-cadastro_bem");
  bench::Preenche(*l, acentos);
  std::string linha = l->ExpandeLayout();
  if (std::string(codificacao) == "windows-1252") {
    std::string bytes;
    if (!Codificador(Codificacao::kWindows1252).Codifica(linha, bytes)) {
      state.SkipWithError("texto sem Windows-1252");
      return;
    }
    linha = bytes;
  }
  linha += "\r\n";
  std::FILE* entrada = std::tmpfile();
  std::FILE* nulo = std::fopen("/dev/null", "w");
  for (int i = 0; i < kLinhas; ++i) {
    std::fwrite(linha.data(), 1, linha.size(), entrada);
  }
  Parametros p;
  p.sistema = "Unico";
  p.layout = "bens-cadastro_bem";
  p.codificacao = codificacao;
  p.threads = 1;
  p.jsonl = jsonl;
  for (auto _ : state) {
    std::rewind(entrada);
    if (Le(p, entrada, nulo, nulo) != 0) {
      state.SkipWithError("linhas recusadas");
      break;
    }
  }
  std::fclose(entrada);
  std::fclose(nulo);
  state.SetItemsProcessed(state.iterations() * kLinhas);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kLinhas * linha.size()));
}
void BM_LeCsvUmaThread(benchmark::State& state, const char* codificacao, bool acentos) {
  LeUmaThread(state, codificacao, acentos, false);
}
void BM_LeJsonlUmaThread(benchmark::State& state, const char* codificacao, bool acentos) {
  LeUmaThread(state, codificacao, acentos, true);
}
// The lines are read on a thread of the command's own: the time is the process's.
BENCHMARK_CAPTURE(BM_LeCsvUmaThread, unico_bens_cadastro_bem_windows1252, "windows-1252", true)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_LeCsvUmaThread, unico_bens_cadastro_bem_utf8, "utf-8", true)
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(BM_LeCsvUmaThread, unico_bens_cadastro_bem_ascii, "windows-1252", false)
    ->MeasureProcessCPUTime();

BENCHMARK_CAPTURE(BM_LeJsonlUmaThread, unico_bens_cadastro_bem_windows1252, "windows-1252", true)
    ->MeasureProcessCPUTime();

}  // namespace
}  // namespace lumbrava
