#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "tool/comandos.h"

int main(int argc, char** argv) {
  // A standard stream that was closed keeps its number taken, so that no file the tool opens
  // lands there and receives what was meant for it; using it still fails.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    }
  }
  std::vector<std::string> argumentos(argv + 1, argv + argc);
  return lumbrava::ExecutaFerramenta(argumentos, stdin, stdout, stderr);
}
