#include "tool/mapeamento.h"

#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "tool/arquivos.h"
#include "tool/codigos_saida.h"

namespace lumbrava {

namespace {

constexpr char kMensagemEncolheu[] =
    "erro de leitura da entrada: o arquivo diminuiu enquanto era lido\n";

// The windows mapped now, for the SIGBUS handler to tell a lost page of the input from any other
// fault: a slot is free while its start is 0. Its length is set once the slot is taken, and
// cleared before it is let go.
constexpr std::size_t kJanelasMapeadas = 64;
std::atomic<std::uintptr_t> iniciosMapeados[kJanelasMapeadas];
std::atomic<std::size_t> tamanhosMapeados[kJanelasMapeadas];
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free &&
                  std::atomic<std::size_t>::is_always_lock_free,
              "read in a signal handler");

// The slot taken for the window, or -1 when all are taken (the file is then read, not mapped).
int RegistraJanela(const void* inicio, std::size_t tamanho) {
  for (std::size_t i = 0; i < kJanelasMapeadas; ++i) {
    std::uintptr_t livre = 0;
    if (iniciosMapeados[i].compare_exchange_strong(livre,
                                                   reinterpret_cast<std::uintptr_t>(inicio))) {
      tamanhosMapeados[i].store(tamanho);
      return static_cast<int>(i);
    }
  }
  return -1;
}

void DesregistraJanela(int slot) {
  tamanhosMapeados[slot].store(0);
  iniciosMapeados[slot].store(0);
}

bool EmJanelaMapeada(const void* endereco) {
  const auto e = reinterpret_cast<std::uintptr_t>(endereco);
  for (std::size_t i = 0; i < kJanelasMapeadas; ++i) {
    const std::uintptr_t inicio = iniciosMapeados[i].load();
    if (inicio != 0 && e >= inicio && e - inicio < tamanhosMapeados[i].load()) {
      return true;
    }
  }
  return false;
}

void SinalBus(int sinal, siginfo_t* info, void* /*contexto*/) {
  // Only the kernel reports a lost page (a process may not send a positive code to another one).
  if (info->si_code != BUS_ADRERR || !EmJanelaMapeada(info->si_addr)) {
    // Not a shrunk input: the program ends by the signal, as every signal that ends it does,
    // without the pending file. The signal is held back until this returns.
    RemoveArquivoPendente();
    struct sigaction padrao {};
    padrao.sa_handler = SIG_DFL;
    sigemptyset(&padrao.sa_mask);
    ::sigaction(sinal, &padrao, nullptr);
    ::raise(sinal);
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
  // As Encerra ends a run on a read error: the error, then what became of the output (written
  // as it went, or a pending file, removed).
  const std::string_view saida = RemoveArquivoPendente() ? kSaidaNaoGravada : kSaidaIncompleta;
  ssize_t escrito = ::write(STDERR_FILENO, kMensagemEncolheu, sizeof kMensagemEncolheu - 1);
  escrito = ::write(STDERR_FILENO, saida.data(), saida.size());
  escrito = ::write(STDERR_FILENO, "\n", 1);
  static_cast<void>(escrito);
  ::_exit(kSaidaEntradaRecusada);
}

// Installs the handler once; false when the program handles SIGBUS itself (the file is then read,
// not mapped). The handler put in place only to remove a pending output file is taken over: this
// one removes it too.
bool TrataSigbus() {
  static const bool tratado = [] {
    struct sigaction atual {};
    if (::sigaction(SIGBUS, nullptr, &atual) != 0) {
      return false;
    }
    if ((atual.sa_flags & SA_SIGINFO) != 0) {
      return atual.sa_sigaction == SinalBus;
    }
    if (atual.sa_handler != SIG_DFL && !EhAcaoDoPendente(atual)) {
      return false;
    }
    struct sigaction nova {};
    nova.sa_sigaction = SinalBus;
    nova.sa_flags = SA_SIGINFO;
    sigemptyset(&nova.sa_mask);
    return ::sigaction(SIGBUS, &nova, nullptr) == 0;
  }();
  return tratado;
}

}  // namespace

bool MapeiaJanela(int descritor, std::uint64_t deslocamento, std::uint64_t fim, std::size_t maximo,
                  Janela& janela) {
  struct stat estado {};
  if (::fstat(descritor, &estado) != 0) {
    return false;
  }
  // Past the size the file has, read takes over: it finds the end (and files of the system, which
  // tell no size, are read that way from the start).
  const auto tamanho = static_cast<std::uint64_t>(estado.st_size);
  janela.tamanhoDoArquivo = tamanho;
  fim = std::min(fim, tamanho);
  if (deslocamento >= fim || !TrataSigbus()) {
    return false;
  }
  const auto pagina = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  const std::uint64_t base = deslocamento / pagina * pagina;
  const auto bytes = static_cast<std::size_t>(std::min<std::uint64_t>(maximo, fim - base));
  void* p = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descritor,
                   static_cast<off_t>(base));
  if (p == MAP_FAILED) {
    return false;
  }
  const int slot = RegistraJanela(p, bytes);
  if (slot < 0) {
    ::munmap(p, bytes);
    return false;
  }
  janela.bytes = std::shared_ptr<char[]>(static_cast<char*>(p), [bytes, slot](char* q) {
    DesregistraJanela(slot);
    ::munmap(q, bytes);
  });
  janela.inicio = static_cast<std::size_t>(deslocamento - base);
  janela.fim = bytes;
  janela.proximo = base + bytes;
  return true;
}

}  // namespace lumbrava
