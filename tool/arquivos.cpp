#include "tool/arquivos.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>
#include <deque>
#include <iterator>
#include <random>
#include <utility>
#include <vector>

#include "common/visivel.h"

namespace lumbrava {

namespace {

// The temporary file that is removed if a signal ends the program before the file is put in
// place: its folder (a descriptor of its own) and its name. The handler may only touch what is
// ready before it can run: fixed buffers and a flag.
char pendente[NAME_MAX + 1];
int pastaPendente = -1;
volatile std::sig_atomic_t haPendente = 0;
struct sigaction anteriores[NSIG];
bool instalados[NSIG] = {};

// The signals whose default action ends the program and that a handler may catch. The file
// mapping takes SIGBUS over once it maps the input (see mapeamento.h); it removes the pending file
// too.
const sigset_t& SinaisQueTerminam() {
  static const sigset_t sinais = [] {
    sigset_t s;
    sigemptyset(&s);
    for (int sinal : {SIGHUP,  SIGINT,    SIGQUIT, SIGILL,  SIGTRAP, SIGABRT, SIGBUS,    SIGFPE,
                      SIGUSR1, SIGSEGV,   SIGUSR2, SIGPIPE, SIGALRM, SIGTERM, SIGSTKFLT, SIGXCPU,
                      SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO,   SIGPWR,  SIGSYS}) {
      sigaddset(&s, sinal);
    }
    for (int sinal = SIGRTMIN; sinal <= SIGRTMAX; ++sinal) {
      sigaddset(&s, sinal);
    }
    return s;
  }();
  return sinais;
}

void RemovePendente(int sinal) {
  RemoveArquivoPendente();
  struct sigaction padrao {};
  padrao.sa_handler = SIG_DFL;
  sigemptyset(&padrao.sa_mask);
  ::sigaction(sinal, &padrao, nullptr);
  ::raise(sinal);  // delivered with the default action once the handler returns
}

// Holds the signals above back, in the calling thread, while the pending file changes hands.
class SinaisRetidos {
 public:
  SinaisRetidos() { pthread_sigmask(SIG_BLOCK, &SinaisQueTerminam(), &antes_); }
  ~SinaisRetidos() { pthread_sigmask(SIG_SETMASK, &antes_, nullptr); }
  SinaisRetidos(const SinaisRetidos&) = delete;
  SinaisRetidos& operator=(const SinaisRetidos&) = delete;

 private:
  sigset_t antes_;
};

// Makes `nome` in the folder `pasta` the pending file; false when another one already is (only
// one is kept). Called with the signals held back.
bool RegistraPendente(int pasta, const std::string& nome) {
  if (haPendente != 0 || nome.size() >= sizeof(pendente)) {
    return false;
  }
  pastaPendente = ::fcntl(pasta, F_DUPFD_CLOEXEC, 3);
  if (pastaPendente < 0) {
    return false;
  }
  std::memcpy(pendente, nome.c_str(), nome.size() + 1);
  haPendente = 1;
  const sigset_t& sinais = SinaisQueTerminam();
  for (int s = 1; s < NSIG; ++s) {
    // A signal that the program ignores, or handles itself, is left as it is.
    if (sigismember(&sinais, s) != 1 || ::sigaction(s, nullptr, &anteriores[s]) != 0 ||
        (anteriores[s].sa_flags & SA_SIGINFO) != 0 || anteriores[s].sa_handler != SIG_DFL) {
      continue;
    }
    struct sigaction nova {};
    nova.sa_handler = RemovePendente;
    nova.sa_mask = sinais;
    instalados[s] = ::sigaction(s, &nova, nullptr) == 0;
  }
  return true;
}

// Called with the signals held back. A handler that took over from RemovePendente meanwhile stays.
void DesregistraPendente() {
  haPendente = 0;
  for (int s = 1; s < NSIG; ++s) {
    struct sigaction atual {};
    if (instalados[s] && ::sigaction(s, nullptr, &atual) == 0 && EhAcaoDoPendente(atual)) {
      ::sigaction(s, &anteriores[s], nullptr);
    }
    instalados[s] = false;
  }
  ::close(pastaPendente);
  pastaPendente = -1;
}

}  // namespace

bool EhAcaoDoPendente(const struct sigaction& acao) {
  return (acao.sa_flags & SA_SIGINFO) == 0 && acao.sa_handler == RemovePendente;
}

bool RemoveArquivoPendente() {
  if (haPendente == 0) {
    return false;
  }
  ::unlinkat(pastaPendente, pendente, 0);
  return true;
}

namespace {

// A file descriptor that closes itself.
class Descritor {
 public:
  explicit Descritor(int fd = -1) : fd_(fd) {}
  ~Descritor() { Troca(-1); }
  Descritor(const Descritor&) = delete;
  Descritor& operator=(const Descritor&) = delete;
  int fd() const { return fd_; }
  void Troca(int fd) {
    if (fd_ >= 0) {
      ::close(fd_);
    }
    fd_ = fd;
  }
  int Solta() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

mode_t MascaraDeCriacao() {
  // The kernel shows the umask without changing it; older ones do not.
  if (std::FILE* f = std::fopen("/proc/self/status", "r")) {
    char linha[256];
    unsigned mascara = 0;
    bool achou = false;
    while (!achou && std::fgets(linha, sizeof(linha), f) != nullptr) {
      achou = std::sscanf(linha, "Umask: %o", &mascara) == 1;
    }
    std::fclose(f);
    if (achou) {
      return static_cast<mode_t>(mascara);
    }
  }
  const mode_t mascara = ::umask(022);
  ::umask(mascara);
  return mascara;
}

// The text of the symbolic link `nome` in the folder `pasta`.
bool LeLigacao(int pasta, const std::string& nome, std::string& texto) {
  texto.resize(256);
  for (;;) {
    const ssize_t n = ::readlinkat(pasta, nome.c_str(), texto.data(), texto.size());
    if (n < 0) {
      return false;
    }
    if (static_cast<std::size_t>(n) < texto.size()) {
      texto.resize(static_cast<std::size_t>(n));
      return true;
    }
    texto.resize(texto.size() * 2);
  }
}

// The parts of a path, in order; a path that ends in "/" names a folder, and ends with ".".
std::vector<std::string> Partes(const std::string& caminho) {
  std::vector<std::string> partes;
  std::size_t i = 0;
  while (i < caminho.size()) {
    const std::size_t fim = std::min(caminho.find('/', i), caminho.size());
    if (fim > i) {
      partes.push_back(caminho.substr(i, fim - i));
    }
    i = fim + 1;
  }
  if (!partes.empty() && caminho.back() == '/') {
    partes.emplace_back(".");
  }
  return partes;
}

bool SoDigitos(const std::string& texto) {
  return !texto.empty() && texto.size() < 10 &&
         std::all_of(texto.begin(), texto.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The number of the program's open stream that an absolute path names ("/dev/stdout",
// "/dev/fd/N", "/proc/self/fd/N" and the like); -1 when it names none.
int NumeroDoFluxo(const std::vector<std::string>& p) {
  const std::size_t n = p.size();
  if (n == 2 && p[0] == "dev") {
    const char* nomes[] = {"stdin", "stdout", "stderr"};
    for (int i = 0; i < 3; ++i) {
      if (p[1] == nomes[i]) {
        return i;
      }
    }
  }
  if (n < 3 || p[n - 2] != "fd" || !SoDigitos(p[n - 1])) {
    return -1;
  }
  const std::string eu = std::to_string(::getpid());
  const bool proprio =
      (n == 3 && p[0] == "dev") ||
      (n == 4 && p[0] == "proc" && (p[1] == "self" || p[1] == "thread-self" || p[1] == eu)) ||
      (n == 6 && p[0] == "proc" && (p[1] == "self" || p[1] == eu) && p[2] == "task" &&
       SoDigitos(p[3]));
  return proprio ? std::stoi(p[n - 1]) : -1;
}

// A file name short enough to take the temporary file's prefix and suffix, cut between
// characters.
std::string NomeCurto(const std::string& nome) {
  constexpr std::size_t kMaximo = 200;
  if (nome.size() <= kMaximo) {
    return nome;
  }
  std::size_t fim = kMaximo;
  while (fim > 0 && (static_cast<unsigned char>(nome[fim]) & 0xC0U) == 0x80U) {
    --fim;
  }
  return nome.substr(0, fim);
}

constexpr int kMaximoLigacoes = 40;

// In a folder where everyone may create files and only owners remove them (/tmp), a link, a
// regular file or a FIFO is used only when it belongs to the user or to the folder's owner:
// otherwise anyone could point a link at the user's files or folders, or leave a file there under
// the name the user is about to write, to be handed what is written. A regular file or a FIFO is
// held to the rule in such a folder that only its group may write to as well. A kernel that
// protects links, regular files and FIFOs applies the same rules.
bool DeConfianca(const struct stat& pasta, const struct stat& item) {
  const mode_t escrevem = S_ISLNK(item.st_mode) ? S_IWOTH : S_IWOTH | S_IWGRP;
  const bool comum = (pasta.st_mode & S_ISVTX) != 0 && (pasta.st_mode & escrevem) != 0;
  return !comum || item.st_uid == ::geteuid() || item.st_uid == pasta.st_uid;
}

// Where a path leads: part by part, each link followed under the rule above, down to the folder
// that holds the last part (held open, so that no later swap of a folder for a link moves it).
struct Alvo {
  Descritor pasta;
  std::vector<std::string> partesDaPasta;  // from the root, when the working folder is known
  std::string nome;                        // the last part, links followed
  bool existe = false;
  struct stat st {};
  int fluxo = -1;  // an open stream's number, when the path names one
  int erro = 0;
};

void Resolve(const std::string& caminho, Alvo& a) {
  const bool absoluto = caminho.front() == '/';
  if (absoluto) {
    // By its name, even where the system does not show the streams as files.
    a.fluxo = NumeroDoFluxo(Partes(caminho));
    if (a.fluxo >= 0) {
      return;
    }
  }
  a.pasta.Troca(::open(absoluto ? "/" : ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
  if (a.pasta.fd() < 0) {
    a.erro = errno;
    return;
  }
  bool raiz = absoluto;  // partesDaPasta start at the root
  if (!absoluto) {
    if (char* atual = ::getcwd(nullptr, 0)) {
      a.partesDaPasta = Partes(atual);
      raiz = atual[0] == '/';
      std::free(atual);
    }
  }
  const auto volta = [&a, &raiz](bool aRaiz) {
    a.partesDaPasta.clear();
    raiz = aRaiz;
  };
  std::deque<std::string> pendentes;
  for (std::string& parte : Partes(caminho)) {
    pendentes.push_back(std::move(parte));
  }
  int saltos = 0;
  while (!pendentes.empty()) {
    const std::string parte = std::move(pendentes.front());
    pendentes.pop_front();
    const bool ultima = pendentes.empty();
    if (parte == "." || parte == "..") {
      if (ultima) {
        a.erro = EISDIR;
        return;
      }
      if (parte == "..") {
        const int acima = ::openat(a.pasta.fd(), "..", O_PATH | O_DIRECTORY | O_CLOEXEC);
        if (acima < 0) {
          a.erro = errno;
          return;
        }
        a.pasta.Troca(acima);
        if (!a.partesDaPasta.empty() && a.partesDaPasta.back() != "..") {
          a.partesDaPasta.pop_back();
        } else if (!raiz) {
          a.partesDaPasta.emplace_back("..");
        }
      }
      continue;
    }
    if (ultima && raiz) {
      std::vector<std::string> inteiro = a.partesDaPasta;
      inteiro.push_back(parte);
      a.fluxo = NumeroDoFluxo(inteiro);
      if (a.fluxo >= 0) {
        return;
      }
    }
    struct stat st {};
    if (::fstatat(a.pasta.fd(), parte.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT && ultima) {
        a.nome = parte;
        return;
      }
      a.erro = errno;
      return;
    }
    if (S_ISLNK(st.st_mode)) {
      struct stat daPasta {};
      std::string texto;
      if (::fstat(a.pasta.fd(), &daPasta) != 0) {
        a.erro = errno;
      } else if (!DeConfianca(daPasta, st)) {
        a.erro = EACCES;
      } else if (++saltos > kMaximoLigacoes) {
        a.erro = ELOOP;
      } else if (!LeLigacao(a.pasta.fd(), parte, texto)) {
        a.erro = errno;
      } else if (texto.empty()) {
        a.erro = ENOENT;
      }
      if (a.erro != 0) {
        return;
      }
      if (texto.front() == '/') {
        a.pasta.Troca(::open("/", O_PATH | O_DIRECTORY | O_CLOEXEC));
        if (a.pasta.fd() < 0) {
          a.erro = errno;
          return;
        }
        volta(true);
      }
      std::vector<std::string> novas = Partes(texto);
      pendentes.insert(pendentes.begin(), novas.begin(), novas.end());
      continue;
    }
    if (ultima) {
      a.nome = parte;
      a.existe = true;
      a.st = st;
      return;
    }
    if (!S_ISDIR(st.st_mode)) {
      a.erro = ENOTDIR;
      return;
    }
    // A folder swapped for a link since it was looked at is not followed.
    const int dentro =
        ::openat(a.pasta.fd(), parte.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dentro < 0) {
      a.erro = errno;
      return;
    }
    a.pasta.Troca(dentro);
    a.partesDaPasta.push_back(parte);
  }
  a.erro = EISDIR;  // the root, or an empty path
}

// The folder for messages: as the user would name it from the working folder.
std::string NomeDaPasta(const std::vector<std::string>& partes) {
  std::string completo;
  for (const std::string& p : partes) {
    completo += "/" + p;
  }
  if (completo.empty()) {
    return "/";
  }
  std::string atual;
  if (char* a = ::getcwd(nullptr, 0)) {
    atual = a;
    std::free(a);
  }
  if (completo == atual) {
    return ".";
  }
  if (!atual.empty() && completo.compare(0, atual.size() + 1, atual + "/") == 0) {
    return completo.substr(atual.size() + 1);
  }
  return completo;
}

// Creates the temporary file in `pasta` under an unpredictable name and makes it the pending
// file; -1 with errno on failure.
int CriaTemporario(int pasta, const std::string& nome, std::string& temporario, bool& registrado) {
  static constexpr char kLetras[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device fonte;
  for (int tentativa = 0; tentativa < 100; ++tentativa) {
    std::string t = "." + NomeCurto(nome) + ".";
    for (int i = 0; i < 10; ++i) {
      t += kLetras[fonte() % (sizeof(kLetras) - 1)];
    }
    SinaisRetidos retidos;  // no moment when the file exists and a signal would leave it
    const int fd = ::openat(pasta, t.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0600);
    if (fd >= 0) {
      temporario = t;
      registrado = RegistraPendente(pasta, temporario);
      return fd;
    }
    if (errno != EEXIST) {
      return -1;
    }
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

Origem::Origem(const std::string& caminho, std::FILE* padrao, std::FILE* erros) {
  if (caminho.empty() || caminho == "-") {
    arquivo_ = padrao;
    return;
  }
  arquivo_ = std::fopen(caminho.c_str(), "rb");
  proprio_ = true;
  if (arquivo_ == nullptr) {
    std::fprintf(erros, "não foi possível abrir '%s': %s\n", TrechoVisivel(caminho).c_str(),
                 std::strerror(errno));
  }
}

Origem::~Origem() {
  if (proprio_ && arquivo_ != nullptr) {
    std::fclose(arquivo_);
  }
}

void Destino::Falha(int erro) const {
  const std::string nome = TrechoVisivel(caminho_);
  if (erro != 0) {
    std::fprintf(erros_, "não foi possível gravar '%s': %s\n", nome.c_str(), std::strerror(erro));
  } else {
    std::fprintf(erros_, "não foi possível gravar '%s'\n", nome.c_str());
  }
}

void Destino::AbreFluxo(int numero, std::FILE* padrao) {
  if (padrao != nullptr && ::fileno(padrao) == numero) {
    arquivo_ = padrao;
    caminho_.clear();
    return;
  }
  const int modo = ::fcntl(numero, F_GETFL);
  if (modo < 0 || (modo & O_ACCMODE) == O_RDONLY) {
    Falha(modo < 0 ? errno : EBADF);
    return;
  }
  Descritor fd(::fcntl(numero, F_DUPFD_CLOEXEC, 3));
  if (fd.fd() < 0 || (arquivo_ = ::fdopen(fd.fd(), "wb")) == nullptr) {
    Falha(errno);
    return;
  }
  fd.Solta();
  direto_ = true;
}

Destino::Destino(const std::string& caminho, std::FILE* padrao, std::FILE* erros)
    : caminho_(caminho), erros_(erros) {
  if (caminho_.empty() || caminho_ == "-") {
    arquivo_ = padrao;
    caminho_.clear();
    return;
  }
  Alvo alvo;
  Resolve(caminho_, alvo);
  if (alvo.fluxo >= 0) {
    AbreFluxo(alvo.fluxo, padrao);
    return;
  }
  if (alvo.erro == 0 && alvo.existe && S_ISDIR(alvo.st.st_mode)) {
    alvo.erro = EISDIR;
  }
  if (alvo.erro != 0) {
    Falha(alvo.erro);
    return;
  }
  const int pasta = alvo.pasta.fd();
  const struct stat& st = alvo.st;
  // The folder of a name that exists, for the rules of shared folders below.
  struct stat daPasta {};
  const bool pastaVista = alvo.existe && ::fstat(pasta, &daPasta) == 0;
  if (pastaVista && (S_ISREG(st.st_mode) || S_ISFIFO(st.st_mode)) && !DeConfianca(daPasta, st)) {
    Falha(EACCES);
    return;
  }

  if (alvo.existe && !S_ISREG(st.st_mode)) {
    // A device, a FIFO: written in place, as a shell's ">" does. If it was swapped for something
    // else meanwhile, nothing is opened through a link and no file is written over.
    Descritor fd(::openat(pasta, alvo.nome.c_str(), O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC));
    struct stat aberto {};
    if (fd.fd() >= 0 && ::fstat(fd.fd(), &aberto) == 0 &&
        (S_ISREG(aberto.st_mode) || S_ISDIR(aberto.st_mode))) {
      std::fprintf(erros_, "não foi possível gravar '%s': o arquivo mudou enquanto era aberto\n",
                   TrechoVisivel(caminho_).c_str());
      return;
    }
    if (fd.fd() < 0 || (arquivo_ = ::fdopen(fd.fd(), "wb")) == nullptr) {
      Falha(errno);
      return;
    }
    fd.Solta();
    direto_ = true;
    return;
  }

  if (alvo.existe && ::faccessat(pasta, alvo.nome.c_str(), W_OK, 0) != 0) {
    Falha(errno);
    return;
  }
  if (::faccessat(pasta, ".", W_OK | X_OK, 0) != 0) {
    std::fprintf(erros_,
                 "não foi possível gravar '%s': a pasta '%s' não aceita arquivos novos (%s)\n",
                 TrechoVisivel(caminho_).c_str(),
                 TrechoVisivel(NomeDaPasta(alvo.partesDaPasta)).c_str(), std::strerror(errno));
    return;
  }

  // In a folder with the sticky bit only the owners may replace a file: refused now rather than
  // after all the work.
  if (pastaVista && ::geteuid() != 0 && st.st_uid != ::geteuid() &&
      (daPasta.st_mode & S_ISVTX) != 0 && daPasta.st_uid != ::geteuid()) {
    Falha(EPERM);
    return;
  }

  const int fd = CriaTemporario(pasta, alvo.nome, temporario_, registrado_);
  if (fd < 0) {
    Falha(errno);
    return;
  }
  pasta_ = alvo.pasta.Solta();
  nomeAlvo_ = alvo.nome;
  if (alvo.existe && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
    // Keeps the owner where the system allows it; a user who may not give files away keeps
    // the file as their own, as when they copy it.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
    }
  }
  const mode_t modo = alvo.existe ? (st.st_mode & 0777) : (0666 & ~MascaraDeCriacao());
  if (::fchmod(fd, modo) != 0 || (arquivo_ = ::fdopen(fd, "wb")) == nullptr) {
    Falha(errno);
    ::close(fd);
    Abandona();
  }
}

Destino::~Destino() {
  if (arquivo_ != nullptr && (direto_ || !temporario_.empty())) {
    std::fclose(arquivo_);
    arquivo_ = nullptr;
  }
  if (!temporario_.empty()) {
    Abandona();
  }
  if (pasta_ >= 0) {
    ::close(pasta_);
  }
}

void Destino::Abandona() {
  SinaisRetidos retidos;
  ::unlinkat(pasta_, temporario_.c_str(), 0);
  if (registrado_) {
    DesregistraPendente();
    registrado_ = false;
  }
  temporario_.clear();
}

int (*sincronizaSaida)(int) = ::fsync;

bool Destino::Confirma() {
  if (!direto_ && temporario_.empty()) {
    return true;  // standard output: the caller checks the stream
  }
  errno = 0;
  bool ok = std::fflush(arquivo_) == 0 && std::ferror(arquivo_) == 0;
  int erro = ok ? 0 : errno;
  // The contents reach the disk before the name does: a crash after the rename leaves the new
  // file whole, never an empty one. A file system that cannot sync says EINVAL.
  if (ok && !direto_ && sincronizaSaida(::fileno(arquivo_)) != 0 && errno != EINVAL) {
    ok = false;
    erro = errno;
  }
  if (std::fclose(arquivo_) != 0 && ok) {
    ok = false;
    erro = errno;
  }
  arquivo_ = nullptr;
  if (direto_) {
    direto_ = false;
    if (!ok) {
      Falha(erro);
    }
    return ok;
  }
  {
    SinaisRetidos retidos;
    if (ok && ::renameat(pasta_, temporario_.c_str(), pasta_, nomeAlvo_.c_str()) != 0) {
      ok = false;
      erro = errno;
    }
    if (!ok) {
      Abandona();
      Falha(erro);
      return false;
    }
    if (registrado_) {
      DesregistraPendente();
      registrado_ = false;
    }
    temporario_.clear();
  }
  // Then the folder, which holds the new name.
  Descritor pasta(::openat(pasta_, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (pasta.fd() >= 0 && ::fsync(pasta.fd()) != 0 && errno != EINVAL) {
    std::fprintf(erros_, "'%s' foi posto no lugar, mas a pasta não pôde ser levada ao disco: %s\n",
                 TrechoVisivel(caminho_).c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

std::filesystem::path PastaDoRegistroDaFerramenta(const char* estado, const char* casa) {
  if (estado != nullptr && estado[0] == '/') {
    return std::filesystem::path(estado) / "lumbrava-layouts";
  }
  if (casa != nullptr && casa[0] == '/') {
    return std::filesystem::path(casa) / ".local" / "state" / "lumbrava-layouts";
  }
  return {};
}

}  // namespace lumbrava
