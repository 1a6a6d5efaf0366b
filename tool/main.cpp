#include <fcntl.h>
#include <malloc.h>
#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/registra_erro.h"
#include "tool/arquivos.h"
#include "tool/comandos.h"

namespace {

// The user's home folder: HOME, else the user's entry in the system's list.
std::string Casa() {
  if (const char* casa = std::getenv("HOME"); casa != nullptr && casa[0] == '/') {
    return casa;
  }
  struct passwd entrada {};
  struct passwd* achada = nullptr;
  std::vector<char> espaco(16384);
  if (::getpwuid_r(::geteuid(), &entrada, espaco.data(), espaco.size(), &achada) == 0 &&
      achada != nullptr && achada->pw_dir != nullptr) {
    return achada->pw_dir;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  // A standard stream that was closed keeps its number taken, so that no file the tool opens
  // lands there and receives what was meant for it; using it still fails.
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
      ::open("/dev/null", fd == 0 ? O_WRONLY : O_RDONLY);
    }
  }
  // A reader that went away and a file-size limit are write errors like any other: the write
  // fails, the run reports it and ends with no output file left, instead of being killed.
  std::signal(SIGPIPE, SIG_IGN);
  // The C library gives each thread an arena of its own, up to eight per processor, and keeps
  // what a batch freed in it: with many threads that memory, not the batches, would set the
  // program's size. The workers share at most as many arenas as the default number of threads.
  ::mallopt(M_ARENA_MAX, 8);
  // Large buffers (a batch's output may reach megabytes when it outgrows its lines) have mappings
  // of their own, given back when freed, and free memory past 4 MiB at an arena's end is given
  // back too. Left to itself, the library raises those bounds after the first large buffer freed
  // and keeps every one after it, beyond what the batches in flight are allowed to hold.
  ::mallopt(M_TRIM_THRESHOLD, 4 << 20);
  std::signal(SIGXFSZ, SIG_IGN);
  // The error log goes to the user's state folder, never next to the executable (which may lie
  // in a system folder).
  const std::string casa = Casa();
  lumbrava::DefinePastaDosRegistros(lumbrava::PastaDoRegistroDaFerramenta(
      std::getenv("XDG_STATE_HOME"), casa.empty() ? nullptr : casa.c_str()));

  std::vector<std::string> argumentos(argv + 1, argv + argc);
  return lumbrava::ExecutaFerramenta(argumentos, stdin, stdout, stderr);
}
