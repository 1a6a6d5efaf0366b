#include <cstdio>
#include <string>
#include <vector>

#include "tool/comandos.h"

int main(int argc, char** argv) {
  std::vector<std::string> argumentos(argv + 1, argv + argc);
  return lumbrava::ExecutaFerramenta(argumentos, stdin, stdout, stderr);
}
