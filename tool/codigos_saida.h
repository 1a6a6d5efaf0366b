// The tool's exit statuses.
#pragma once

namespace lumbrava {

inline constexpr int kSaidaOk = 0;
inline constexpr int kSaidaEntradaRecusada = 1;  // input refused or unreadable, output not written
inline constexpr int kSaidaUsoErrado = 2;        // a wrong command line

}  // namespace lumbrava
