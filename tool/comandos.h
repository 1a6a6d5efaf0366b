// The command-line tool: lumbrava-layouts systems | layouts | show | read | write.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace lumbrava {

// Exit statuses.
inline constexpr int kSaidaOk = 0;
inline constexpr int kSaidaEntradaRecusada = 1;
inline constexpr int kSaidaUsoErrado = 2;

// Runs the tool with `argumentos` (without the program's name). Standard input, output and error
// are the given files.
int ExecutaFerramenta(const std::vector<std::string>& argumentos, std::FILE* entrada,
                      std::FILE* saida, std::FILE* erros);

}  // namespace lumbrava
