// Micro-benchmarks of the steps of `write`: a CSV line into values, the UTF-8 check, a number
// formatted, the record encoded in Windows-1252.
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>
#include <vector>

#include "common/texto.h"
#include "layouts/numero.h"
#include "tool/codificacao.h"
#include "tool/registro_csv.h"

namespace lumbrava {
namespace {

// A row as users send it: accented text, numbers with decimals, some of them quoted.
std::string LinhaCsv() {
  std::string linha;
  for (int i = 0; i < 7; ++i) {
    linha +=
        "Ág,Ônus Depósito almoxarifado público ação Ribeirão manutenção equipamento elétrica,4,"
        "137001,\"55605955,29\",\"4057925952,94\",1457,Ação informática refrigeração Goiânia,"
        "81885,\"0,0000\",";
  }
  linha += "fim";
  return linha;
}

void BM_RegistroCsvLe(benchmark::State& state) {
  const std::string linha = LinhaCsv();
  RegistroCsv csv;
  for (auto _ : state) {
    benchmark::DoNotOptimize(csv.Le(linha, 1));
    benchmark::DoNotOptimize(csv.valor(csv.valores() - 1).data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * linha.size()));
}
BENCHMARK(BM_RegistroCsvLe);

// N values and then a quote left open over N lines, read as LeitorCsv reads them (the open
// record kept at every line), against the same N values and quoted line breaks in one row: the
// time per line should not grow with N.
void BM_RegistroCsvAspasAbertas(benchmark::State& state) {
  const auto n = static_cast<std::size_t>(state.range(0));
  const std::string primeira = std::string(n, ',') + "\"";
  for (auto _ : state) {
    RegistroCsv csv;
    std::size_t numero = 1;
    bool fim = csv.Le(primeira, numero);
    for (std::size_t i = 0; !fim && i < n; ++i) {
      csv.Guarda();
      fim = csv.Le("", ++numero);
    }
    benchmark::DoNotOptimize(fim || csv.Le("\"", ++numero));
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_RegistroCsvAspasAbertas)->RangeMultiplier(4)->Range(1 << 10, 1 << 18)->Complexity();

void BM_EhUtf8Valido(benchmark::State& state) {
  const std::string linha = LinhaCsv();
  for (auto _ : state) {
    benchmark::DoNotOptimize(EhUtf8Valido(linha));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * linha.size()));
}
BENCHMARK(BM_EhUtf8Valido);

void BM_FormataNumero(benchmark::State& state) {
  struct Caso {
    std::string_view valor;
    FormatoNumero formato;
  };
  const std::vector<Caso> casos = {
      {"1457", {4, 0, true, ",", false, false}},
      {"55605955,29", {14, 2, true, ",", false, false}},
      {"137001", {6, 0, true, ",", false, false}},
      {"0,0000", {3, 4, true, ",", false, false}},
      {"-1.520,755", {14, 2, false, ",", false, false}},
      {"", {6, 0, true, ",", true, false}},
  };
  std::string saida;
  for (auto _ : state) {
    std::size_t n = 0;
    for (const Caso& c : casos) {
      benchmark::DoNotOptimize(FormataNumero(c.valor, c.formato, saida, n));
    }
    benchmark::DoNotOptimize(saida.data());
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * casos.size()));
}
BENCHMARK(BM_FormataNumero);

void BM_CodificaWindows1252(benchmark::State& state) {
  std::string registro;
  for (int i = 0; i < 7; ++i) {
    registro +=
        "ÁgÔnus Depósito almoxarifado público ação Ribeirão manutenção equipamento elétrica    "
        "4137001000055605955,294057925952,941457Ação informática refrigeração Goiânia       ";
  }
  const Codificador codificador(Codificacao::kWindows1252);
  std::string saida;
  for (auto _ : state) {
    saida.clear();
    benchmark::DoNotOptimize(codificador.Acrescenta(registro, saida));
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * registro.size()));
}
BENCHMARK(BM_CodificaWindows1252);

}  // namespace
}  // namespace lumbrava
