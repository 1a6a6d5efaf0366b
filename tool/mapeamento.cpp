#include "tool/mapeamento.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

#include "tool/arquivos.h"
#include "tool/codigos_saida.h"

namespace lumbrava {

namespace {

constexpr char kMensagemEncolheu[] =
    "erro de leitura da entrada: o arquivo diminuiu enquanto era lido\n";

void ArquivoEncolheu(int /*sinal*/, siginfo_t* info, void* /*contexto*/) {
  if (info->si_code != BUS_ADRERR) {
    ::signal(SIGBUS, SIG_DFL);  // not a shrunk file: the default action, once this returns
    return;
  }
  // Threads that touch the lost pages too wait here for the first one to end the program: the
  // message is written once.
  static std::atomic<bool> encerrando{false};
  static_assert(std::atomic<bool>::is_always_lock_free, "used in a signal handler");
  if (encerrando.exchange(true)) {
    for (;;) {
      ::pause();
    }
  }
  const ssize_t escrito = ::write(STDERR_FILENO, kMensagemEncolheu, sizeof kMensagemEncolheu - 1);
  static_cast<void>(escrito);
  RemoveArquivoPendente();
  ::_exit(kSaidaEntradaRecusada);
}

// Installs the handler once; false when the program handles SIGBUS itself (the file is then read,
// not mapped).
bool TrataArquivoQueEncolhe() {
  static const bool tratado = [] {
    struct sigaction atual {};
    if (::sigaction(SIGBUS, nullptr, &atual) != 0 ||
        ((atual.sa_flags & SA_SIGINFO) == 0 && atual.sa_handler != SIG_DFL)) {
      return false;
    }
    if ((atual.sa_flags & SA_SIGINFO) != 0 && atual.sa_sigaction == ArquivoEncolheu) {
      return true;
    }
    if ((atual.sa_flags & SA_SIGINFO) != 0) {
      return false;
    }
    struct sigaction nova {};
    nova.sa_sigaction = ArquivoEncolheu;
    nova.sa_flags = SA_SIGINFO;
    sigemptyset(&nova.sa_mask);
    return ::sigaction(SIGBUS, &nova, nullptr) == 0;
  }();
  return tratado;
}

}  // namespace

bool MapeiaJanela(int descritor, std::uint64_t deslocamento, std::size_t maximo, Janela& janela) {
  struct stat estado {};
  if (::fstat(descritor, &estado) != 0) {
    return false;
  }
  // Past the size the file has, read takes over: it finds the end, or what was added meanwhile
  // (and files of the system, which tell no size, are read that way from the start).
  const auto tamanho = static_cast<std::uint64_t>(estado.st_size);
  janela.tamanhoDoArquivo = tamanho;
  if (deslocamento >= tamanho || !TrataArquivoQueEncolhe()) {
    return false;
  }
  const auto pagina = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  const std::uint64_t base = deslocamento / pagina * pagina;
  const auto bytes = static_cast<std::size_t>(std::min<std::uint64_t>(maximo, tamanho - base));
  void* p = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descritor,
                   static_cast<off_t>(base));
  if (p == MAP_FAILED) {
    return false;
  }
  janela.bytes =
      std::shared_ptr<char[]>(static_cast<char*>(p), [bytes](char* q) { ::munmap(q, bytes); });
  janela.inicio = static_cast<std::size_t>(deslocamento - base);
  janela.fim = bytes;
  janela.proximo = base + bytes;
  return true;
}

}  // namespace lumbrava
