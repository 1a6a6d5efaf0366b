#include "common/simd.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "common/visivel.h"

namespace lumbrava {

namespace detalhe {
std::atomic<int> nivelSimd{-1};
}  // namespace detalhe

namespace {

constexpr std::array<std::string_view, 3> kNomes = {"scalar", "sse2", "ssse3"};

NivelSimd Menor(NivelSimd a, NivelSimd b) {
  return static_cast<int>(a) < static_cast<int>(b) ? a : b;
}

std::string_view ValorDoAmbiente() {
  const char* valor = std::getenv("LUMBRAVA_SIMD");
  return valor == nullptr ? std::string_view() : std::string_view(valor);
}

}  // namespace

NivelSimd NivelSimdDaMaquina() {
  // Asked of the processor once.
  static const NivelSimd maquina = [] {
#if LUMBRAVA_SSSE3
    if (__builtin_cpu_supports("ssse3")) {
      return NivelSimd::kSsse3;
    }
#endif
    return LUMBRAVA_SSE2 ? NivelSimd::kSse2 : NivelSimd::kEscalar;
  }();
  return maquina;
}

int detalhe::IniciaNivelSimd() {
  NivelSimd nivel = NivelSimdDaMaquina();
  if (const std::string_view valor = ValorDoAmbiente(); !valor.empty()) {
    if (const auto pedido = NivelSimdDoNome(valor)) {
      nivel = Menor(*pedido, nivel);
    }
  }
  // A level put in force meanwhile (DefineNivelSimd) stands.
  int esperado = -1;
  nivelSimd.compare_exchange_strong(esperado, static_cast<int>(nivel), std::memory_order_relaxed);
  return nivelSimd.load(std::memory_order_relaxed);
}

NivelSimd DefineNivelSimd(NivelSimd nivel) {
  const NivelSimd emUso = Menor(nivel, NivelSimdDaMaquina());
  detalhe::nivelSimd.store(static_cast<int>(emUso), std::memory_order_relaxed);
  return emUso;
}

std::string_view NomeDoNivelSimd(NivelSimd nivel) {
  return kNomes.at(static_cast<std::size_t>(nivel));
}

std::optional<NivelSimd> NivelSimdDoNome(std::string_view nome) {
  const auto* achado = std::find(kNomes.begin(), kNomes.end(), nome);
  if (achado == kNomes.end()) {
    return std::nullopt;
  }
  return static_cast<NivelSimd>(achado - kNomes.begin());
}

std::string ProblemaDoLumbravaSimd() {
  const std::string_view valor = ValorDoAmbiente();
  if (valor.empty() || NivelSimdDoNome(valor)) {
    return {};
  }
  // Shown as messages show what they quote: its control characters escaped, and only its first
  // characters when it is long.
  return "LUMBRAVA_SIMD='" + TrechoVisivel(valor) +
         "' não é um nível de instruções vetoriais: use scalar, sse2 ou ssse3";
}

}  // namespace lumbrava
