// Vector instructions: which of them the program uses, decided once for the whole program.
//
// The level is what the processor has (SSSE3, SSE2, or none), unless the environment variable
// LUMBRAVA_SIMD asks for a lower one ("scalar", "sse2" or "ssse3"; a level above the processor's
// is lowered to it). Every level gives the same results, byte for byte: only the speed differs.
// A build configured with LUMBRAVA_NO_SIMD leaves the vector code out, and its level is always
// "scalar".
//
// Code with a vector path is written
//
//   #if LUMBRAVA_SSE2
//     if (UsaSse2()) { ... sixteen bytes at a time ... }
//   #endif
//     ... the same, byte by byte ...
//
// Threads: the level may be read and changed from any thread at any time; a change applies to the
// conversions that begin after it.
#pragma once

#include <atomic>
#include <optional>
#include <string>
#include <string_view>

#if defined(__SSE2__) && !defined(LUMBRAVA_NO_SIMD)
#define LUMBRAVA_SSE2 1
#include <emmintrin.h>
#else
#define LUMBRAVA_SSE2 0
#endif
// SSSE3 is not assumed at build time: its functions are built for it on their own
// (__attribute__((target("ssse3")))) and called only when the processor has it.
#if LUMBRAVA_SSE2 && defined(__x86_64__) && defined(__GNUC__)
#define LUMBRAVA_SSSE3 1
#else
#define LUMBRAVA_SSSE3 0
#endif

namespace lumbrava {

enum class NivelSimd { kEscalar = 0, kSse2 = 1, kSsse3 = 2 };

namespace detalhe {
// The level in force; -1 until it is first asked for.
extern std::atomic<int> nivelSimd;
int IniciaNivelSimd();
}  // namespace detalhe

// The level in force.
inline NivelSimd NivelSimdEmUso() {
  int n = detalhe::nivelSimd.load(std::memory_order_relaxed);
  if (n < 0) [[unlikely]] {
    n = detalhe::IniciaNivelSimd();
  }
  return static_cast<NivelSimd>(n);
}
inline bool UsaSse2() { return NivelSimdEmUso() >= NivelSimd::kSse2; }
inline bool UsaSsse3() { return NivelSimdEmUso() >= NivelSimd::kSsse3; }

// The highest level this build can use on this processor.
NivelSimd NivelSimdDaMaquina();

// Puts `nivel` in force, lowered to the machine's; gives the level now in force.
NivelSimd DefineNivelSimd(NivelSimd nivel);

// "scalar", "sse2", "ssse3", and back; nothing for any other name.
std::string_view NomeDoNivelSimd(NivelSimd nivel);
std::optional<NivelSimd> NivelSimdDoNome(std::string_view nome);

// What is wrong with LUMBRAVA_SIMD; empty when it is not set (or empty) or names a level. A wrong
// value leaves the machine's level in force.
std::string ProblemaDoLumbravaSimd();

}  // namespace lumbrava
