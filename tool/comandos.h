// The command-line tool: lumbrava-layouts systems | layouts | show | read | write.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "tool/codigos_saida.h"

namespace lumbrava {

// Runs the tool with `argumentos` (without the program's name). Standard input, output and error
// are the given files.
int ExecutaFerramenta(const std::vector<std::string>& argumentos, std::FILE* entrada,
                      std::FILE* saida, std::FILE* erros);

}  // namespace lumbrava
