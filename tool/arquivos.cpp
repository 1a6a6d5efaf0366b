#include "tool/arquivos.h"

#include <fcntl.h>
#include <limits.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <iterator>

namespace lumbrava {

namespace {

// The temporary file that is removed if the program is interrupted before it is put in place.
// The handler may only touch what is ready before it can run: a fixed buffer and a flag.
constexpr int kSinais[] = {SIGINT, SIGTERM, SIGHUP};
char pendente[PATH_MAX];
volatile std::sig_atomic_t haPendente = 0;
struct sigaction anteriores[std::size(kSinais)];
bool instalados[std::size(kSinais)] = {};

void RemovePendente(int sinal) {
  RemoveArquivoPendente();
  struct sigaction padrao {};
  padrao.sa_handler = SIG_DFL;
  sigemptyset(&padrao.sa_mask);
  ::sigaction(sinal, &padrao, nullptr);
  ::raise(sinal);  // delivered with the default action once the handler returns
}

// Holds the signals above back while the pending file changes hands.
class SinaisRetidos {
 public:
  SinaisRetidos() {
    sigset_t retidos;
    sigemptyset(&retidos);
    for (int s : kSinais) {
      sigaddset(&retidos, s);
    }
    pthread_sigmask(SIG_BLOCK, &retidos, &antes_);
  }
  ~SinaisRetidos() { pthread_sigmask(SIG_SETMASK, &antes_, nullptr); }
  SinaisRetidos(const SinaisRetidos&) = delete;
  SinaisRetidos& operator=(const SinaisRetidos&) = delete;

 private:
  sigset_t antes_;
};

// Makes `caminho` the pending file; false when another one already is (only one is kept).
bool RegistraPendente(const std::string& caminho) {
  SinaisRetidos retidos;
  if (haPendente != 0 || caminho.size() >= sizeof(pendente)) {
    return false;
  }
  std::memcpy(pendente, caminho.c_str(), caminho.size() + 1);
  haPendente = 1;
  for (std::size_t i = 0; i < std::size(kSinais); ++i) {
    // A signal that the program ignores, or handles itself, is left as it is.
    if (::sigaction(kSinais[i], nullptr, &anteriores[i]) != 0 ||
        (anteriores[i].sa_flags & SA_SIGINFO) != 0 || anteriores[i].sa_handler != SIG_DFL) {
      continue;
    }
    struct sigaction nova {};
    nova.sa_handler = RemovePendente;
    sigemptyset(&nova.sa_mask);
    for (int s : kSinais) {
      sigaddset(&nova.sa_mask, s);
    }
    instalados[i] = ::sigaction(kSinais[i], &nova, nullptr) == 0;
  }
  return true;
}

}  // namespace

void RemoveArquivoPendente() {
  if (haPendente != 0) {
    ::unlink(pendente);
  }
}

namespace {

// Called with the signals held back.
void DesregistraPendente() {
  haPendente = 0;
  for (std::size_t i = 0; i < std::size(kSinais); ++i) {
    if (instalados[i]) {
      ::sigaction(kSinais[i], &anteriores[i], nullptr);
      instalados[i] = false;
    }
  }
}

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

// The text of a symbolic link.
bool LeLigacao(const std::string& caminho, std::string& texto) {
  texto.resize(256);
  for (;;) {
    const ssize_t n = ::readlink(caminho.c_str(), texto.data(), texto.size());
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

// A link in a folder where everyone may create files and only owners remove them (/tmp) is
// followed only when it belongs to the user or to the folder's owner: otherwise anyone could
// point it at the user's files. The kernel applies the same rule when it opens a file.
bool PodeSeguir(const std::string& pasta, const struct stat& ligacao) {
  struct stat st {};
  if (::stat(pasta.c_str(), &st) != 0) {
    return false;
  }
  const bool publica = (st.st_mode & S_ISVTX) != 0 && (st.st_mode & S_IWOTH) != 0;
  return !publica || ligacao.st_uid == ::geteuid() || ligacao.st_uid == st.st_uid;
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
    std::fprintf(erros, "não foi possível abrir '%s': %s\n", caminho.c_str(), std::strerror(errno));
  }
}

Origem::~Origem() {
  if (proprio_ && arquivo_ != nullptr) {
    std::fclose(arquivo_);
  }
}

Destino::Destino(const std::string& caminho, std::FILE* padrao, std::FILE* erros)
    : caminho_(caminho), erros_(erros) {
  if (caminho_.empty() || caminho_ == "-") {
    arquivo_ = padrao;
    return;
  }
  const auto falha = [this](int erro) {
    std::fprintf(erros_, "não foi possível gravar '%s': %s\n", caminho_.c_str(),
                 std::strerror(erro));
  };

  // Follows symbolic links to the file they name, which may not exist yet.
  struct stat st {};
  bool existe = false;
  alvo_ = caminho_;
  for (int saltos = 0;; ++saltos) {
    if (::lstat(alvo_.c_str(), &st) != 0) {
      if (errno != ENOENT) {
        falha(errno);
        return;
      }
      break;
    }
    if (!S_ISLNK(st.st_mode)) {
      existe = true;
      break;
    }
    const std::filesystem::path pasta = std::filesystem::path(alvo_).parent_path();
    if (!PodeSeguir(pasta.empty() ? "." : pasta.string(), st)) {
      falha(EACCES);
      return;
    }
    std::string ligacao;
    if (saltos == kMaximoLigacoes || !LeLigacao(alvo_, ligacao)) {
      falha(saltos == kMaximoLigacoes ? ELOOP : errno);
      return;
    }
    alvo_ = ligacao.front() == '/' || pasta.empty() ? ligacao : (pasta / ligacao).string();
  }
  const std::filesystem::path alvo(alvo_);
  if ((existe && S_ISDIR(st.st_mode)) || alvo.filename().empty()) {
    falha(EISDIR);
    return;
  }

  if (existe && !S_ISREG(st.st_mode)) {
    // A device, a FIFO: written in place, as a shell's ">" does. If it was swapped for something
    // else meanwhile, nothing is opened through a link and no file is written over.
    const int fd = ::open(alvo_.c_str(), O_WRONLY | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    struct stat aberto {};
    if (fd >= 0 && ::fstat(fd, &aberto) == 0 &&
        (S_ISREG(aberto.st_mode) || S_ISDIR(aberto.st_mode))) {
      ::close(fd);
      std::fprintf(erros_, "não foi possível gravar '%s': o arquivo mudou enquanto era aberto\n",
                   caminho_.c_str());
      return;
    }
    if (fd < 0 || (arquivo_ = ::fdopen(fd, "wb")) == nullptr) {
      falha(errno);
      if (fd >= 0) {
        ::close(fd);
      }
      return;
    }
    direto_ = true;
    return;
  }

  if (existe && ::access(alvo_.c_str(), W_OK) != 0) {
    falha(errno);
    return;
  }
  const std::string pasta = alvo.parent_path().empty() ? "." : alvo.parent_path().string();
  if (::access(pasta.c_str(), W_OK | X_OK) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) {
      falha(errno);
      return;
    }
    std::fprintf(erros_,
                 "não foi possível gravar '%s': a pasta '%s' não aceita arquivos novos (%s)\n",
                 caminho_.c_str(), pasta.c_str(), std::strerror(errno));
    return;
  }

  // In a folder with the sticky bit only the owners may replace a file: refused now rather than
  // after all the work.
  struct stat daPasta {};
  if (existe && ::geteuid() != 0 && st.st_uid != ::geteuid() &&
      ::stat(pasta.c_str(), &daPasta) == 0 && (daPasta.st_mode & S_ISVTX) != 0 &&
      daPasta.st_uid != ::geteuid()) {
    falha(EPERM);
    return;
  }

  std::string modelo = pasta + "/." + NomeCurto(alvo.filename().string()) + ".XXXXXX";
  int fd = -1;
  {
    SinaisRetidos retidos;  // no moment when the file exists and a signal would leave it
    fd = ::mkostemp(modelo.data(), O_CLOEXEC);
    if (fd < 0) {
      falha(errno);
      return;
    }
    temporario_ = modelo;
    registrado_ = RegistraPendente(temporario_);
  }
  if (existe && (st.st_uid != ::geteuid() || st.st_gid != ::getegid())) {
    // Keeps the owner where the system allows it; a user who may not give files away keeps
    // the file as their own, as when they copy it.
    if (::fchown(fd, st.st_uid, st.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), st.st_gid) != 0) {
    }
  }
  const mode_t modo = existe ? (st.st_mode & 0777) : (0666 & ~MascaraDeCriacao());
  if (::fchmod(fd, modo) != 0 || (arquivo_ = ::fdopen(fd, "wb")) == nullptr) {
    falha(errno);
    ::close(fd);
    Abandona();
  }
}

Destino::~Destino() {
  if (direto_) {
    if (arquivo_ != nullptr) {
      std::fclose(arquivo_);
    }
    return;
  }
  if (!temporario_.empty()) {
    if (arquivo_ != nullptr) {
      std::fclose(arquivo_);
      arquivo_ = nullptr;
    }
    Abandona();
  }
}

void Destino::Abandona() {
  SinaisRetidos retidos;
  ::unlink(temporario_.c_str());
  if (registrado_) {
    DesregistraPendente();
    registrado_ = false;
  }
  temporario_.clear();
}

bool Destino::Confirma() {
  if (!direto_ && temporario_.empty()) {
    return true;  // standard output: the caller checks the stream
  }
  const bool escrito = std::ferror(arquivo_) == 0;
  const bool fechado = std::fclose(arquivo_) == 0;
  int erro = errno;
  arquivo_ = nullptr;
  bool ok = escrito && fechado;
  if (direto_) {
    direto_ = false;
  } else {
    SinaisRetidos retidos;
    if (ok && ::rename(temporario_.c_str(), alvo_.c_str()) != 0) {
      erro = errno;
      ok = false;
    }
    if (ok) {
      if (registrado_) {
        DesregistraPendente();
        registrado_ = false;
      }
      temporario_.clear();
    } else {
      Abandona();
    }
  }
  if (!ok) {
    if (escrito) {
      std::fprintf(erros_, "não foi possível gravar '%s': %s\n", caminho_.c_str(),
                   std::strerror(erro));
    } else {
      std::fprintf(erros_, "não foi possível gravar '%s'\n", caminho_.c_str());
    }
  }
  return ok;
}

}  // namespace lumbrava
