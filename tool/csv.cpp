#include "tool/csv.h"

#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "common/texto.h"
#include "tool/arquivos.h"
#include "tool/comandos.h"
#include "tool/registro_csv.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lumbrava {

namespace {
constexpr std::size_t kBloco = 1U << 20U;
constexpr std::size_t kJanela = 4U << 20U;
constexpr std::string_view kMarcaUtf8 = "\xEF\xBB\xBF";

std::string_view SemCr(std::string_view linha) {
  if (!linha.empty() && linha.back() == '\r') {
    linha.remove_suffix(1);
  }
  return linha;
}
}  // namespace

std::string TextoBytes(std::size_t n) {
  std::string s = std::to_string(n) + " bytes";
  if (n >= kBloco && n % kBloco == 0) {
    s += " (" + std::to_string(n / kBloco) + " MiB)";
  }
  return s;
}

std::string MensagemLinhaLonga(const LinhaLonga& longa, std::string_view limite) {
  if (longa.crSemLf) {
    return std::string(kMensagemCrSemLf);
  }
  return "a linha tem " + std::to_string(longa.bytes) + " bytes, " + std::string(limite);
}

namespace {

// A file that shrinks while it is mapped takes pages from under the reader: touching them raises
// SIGBUS. The program then ends as on a read error, with the reason, and leaves no output file.
constexpr char kMensagemEncolheu[] =
    "erro de leitura da entrada: o arquivo diminuiu enquanto era lido\n";

void ArquivoEncolheu(int /*sinal*/, siginfo_t* info, void* /*contexto*/) {
  if (info->si_code != BUS_ADRERR) {
    ::signal(SIGBUS, SIG_DFL);  // not a shrunk file: the default action, once this returns
    return;
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

LeitorLinhas::LeitorLinhas(std::FILE* arquivo, std::size_t maximo)
    : arquivo_(arquivo), maximo_(maximo) {
  descritor_ = ::fileno(arquivo_);
  struct stat estado {};
  if (descritor_ >= 0) {
    // A pipe, a terminal or a socket may keep the reader waiting; a disk file never does.
    podeEsperar_ = ::fstat(descritor_, &estado) != 0 || !S_ISREG(estado.st_mode);
    if (!podeEsperar_) {
      const off_t aqui = ::lseek(descritor_, 0, SEEK_CUR);
      if (aqui >= 0) {
        mapeia_ = true;
        deslocamento_ = static_cast<std::uint64_t>(aqui);
      }
    }
  }
}

bool LeitorLinhas::Mapeia() {
  struct stat estado {};
  if (::fstat(descritor_, &estado) != 0) {
    return false;
  }
  // Past the size the file had, read takes over: it finds the end, or what was added meanwhile
  // (and files of the system, which tell no size, are read that way from the start).
  const auto tamanho = static_cast<std::uint64_t>(estado.st_size);
  if (deslocamento_ >= tamanho || !TrataArquivoQueEncolhe()) {
    return false;
  }
  const auto pagina = static_cast<std::uint64_t>(::sysconf(_SC_PAGESIZE));
  const std::uint64_t base = deslocamento_ / pagina * pagina;
  const auto bytes = static_cast<std::size_t>(std::min<std::uint64_t>(kJanela, tamanho - base));
  void* p = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE | MAP_POPULATE, descritor_,
                   static_cast<off_t>(base));
  if (p == MAP_FAILED) {
    return false;
  }
  bloco_ = std::shared_ptr<Bloco>(static_cast<char*>(p), [bytes](char* q) { ::munmap(q, bytes); });
  inicio_ = static_cast<std::size_t>(deslocamento_ - base);
  fim_ = bytes;
  deslocamento_ = base + bytes;
  return true;
}

void LeitorLinhas::PulaMarca(std::string_view& linha) {
  if (primeira_) {
    primeira_ = false;
    if (linha.starts_with(kMarcaUtf8)) {
      linha.remove_prefix(kMarcaUtf8.size());
    }
  }
}

std::string LeitorLinhas::MotivoDaFalha() const {
  return erro_ != 0 ? std::strerror(erro_) : "erro de leitura";
}

bool LeitorLinhas::Proxima(std::string_view& linha) {
  return Le(linha, nullptr) == Leitura::kLinha;
}

LeitorLinhas::Leitura LeitorLinhas::ProximaAte(std::string_view& linha,
                                               Relogio::time_point limite) {
  return Le(linha, &limite);
}

void LeitorLinhas::PassaPor(std::string_view pedaco) {
  if (pedaco.empty()) {
    return;
  }
  if (!longa_.crSemLf &&
      (crPendente_ || std::memchr(pedaco.data(), '\r', pedaco.size() - 1) != nullptr)) {
    longa_.crSemLf = true;  // a CR with more of the line after it
  }
  crPendente_ = pedaco.back() == '\r';
  longa_.bytes += pedaco.size();
}

LeitorLinhas::Leitura LeitorLinhas::Conclui(std::string_view& linha) {
  ++numero_;
  emPartida_ = false;
  if (!passando_) {
    linha = SemCr(linha);
    PulaMarca(linha);
    if (linha.size() <= maximo_) {
      return Leitura::kLinha;
    }
    // One byte more than the bound was kept, in case it was the CR of the line end.
    longa_ = {linha.size(), linha.find('\r') != std::string_view::npos};
  } else {
    passando_ = false;
    primeira_ = false;
    longa_.bytes -= crPendente_ ? 1 : 0;
  }
  longaDemais_ = true;
  linha = {};
  return Leitura::kLinha;
}

LeitorLinhas::Leitura LeitorLinhas::Le(std::string_view& linha, const Relogio::time_point* limite) {
  longaDemais_ = false;
  naBloco_ = false;
  if (!emPartida_) {
    partida_.clear();
  }
  // Held: at most the bound and the CR of a CR LF.
  const std::size_t maximoBruto = maximo_ == kSemLimite ? kSemLimite : maximo_ + 1;
  for (;;) {
    if (inicio_ < fim_) {
      const char* base = bloco_.get() + inicio_;
      const std::size_t disponivel = fim_ - inicio_;
      const auto* nl = static_cast<const char*>(std::memchr(base, '\n', disponivel));
      const std::size_t n = nl != nullptr ? static_cast<std::size_t>(nl - base) : disponivel;
      const std::string_view pedaco(base, n);
      inicio_ += nl != nullptr ? n + 1 : n;
      if (nl != nullptr && !emPartida_ && n <= maximoBruto) {
        linha = pedaco;  // the whole line is in the block
        naBloco_ = true;
        return Conclui(linha);
      }
      if (!passando_ && n > maximoBruto - partida_.size()) {
        passando_ = true;
        longa_ = {};
        crPendente_ = false;
        PassaPor(partida_);
        partida_.clear();
      }
      if (passando_) {
        PassaPor(pedaco);
      } else {
        partida_.append(pedaco);
      }
      emPartida_ = true;
      if (nl != nullptr) {
        linha = partida_;
        return Conclui(linha);
      }
      continue;
    }
    if (acabou_) {
      if (emPartida_) {  // the last line, without a line end
        linha = partida_;
        return Conclui(linha);
      }
      return Leitura::kFim;
    }
    if (!Aguarda(limite)) {
      return Leitura::kAindaNao;
    }
    LeBloco();
  }
}

bool LeitorLinhas::Aguarda(const Relogio::time_point* limite) {
  if (!podeEsperar_ || (limite == nullptr && !antesDeEsperar_)) {
    return true;
  }
  pollfd entrada{descritor_, POLLIN, 0};
  if (::poll(&entrada, 1, 0) != 0) {
    return true;  // something to read, the end, or an error that read will tell
  }
  if (limite != nullptr && *limite <= Relogio::now()) {
    return false;
  }
  if (antesDeEsperar_) {
    antesDeEsperar_();
  }
  if (limite == nullptr) {
    return true;  // read waits
  }
  for (;;) {
    const auto agora = Relogio::now();
    if (*limite <= agora) {
      return false;
    }
    const auto espera = std::chrono::ceil<std::chrono::milliseconds>(*limite - agora).count();
    const int r = ::poll(&entrada, 1, static_cast<int>(std::min<long long>(espera, INT_MAX)));
    if (r > 0 || (r < 0 && errno != EINTR)) {
      return true;
    }
  }
}

void LeitorLinhas::LeBloco() {
  // Reads on after the bytes at hand while the block has room; then into a block that no one
  // holds any more, or a new one.
  if (mapeia_) {
    if (Mapeia()) {
      return;
    }
    mapeia_ = false;  // read from here on
    bloco_.reset();
    inicio_ = 0;
    fim_ = 0;
    if (::lseek(descritor_, static_cast<off_t>(deslocamento_), SEEK_SET) < 0) {
      acabou_ = true;
      falhou_ = true;
      erro_ = errno;
      return;
    }
  }
  if (bloco_ == nullptr || fim_ == kBloco) {
    bloco_.reset();
    for (const auto& b : blocos_) {
      if (b.use_count() == 1) {
        bloco_ = b;
        break;
      }
    }
    if (bloco_ == nullptr) {
      blocos_.push_back(std::make_shared_for_overwrite<Bloco>(kBloco));
      bloco_ = blocos_.back();
    }
    inicio_ = 0;
    fim_ = 0;
  }
  // The block is only written past `fim_`, where no line given points.
  char* const destino = bloco_.get() + fim_;
  const std::size_t espaco = kBloco - fim_;
  if (descritor_ < 0) {  // a FILE over memory
    const std::size_t lidos = std::fread(destino, 1, espaco, arquivo_);
    fim_ += lidos;
    if (lidos < espaco) {
      acabou_ = true;
      falhou_ = std::ferror(arquivo_) != 0;
      erro_ = falhou_ ? errno : 0;
    }
    return;
  }
  // read takes what a pipe holds, where fread would wait for the whole block.
  for (;;) {
    const ssize_t lidos = ::read(descritor_, destino, espaco);
    if (lidos > 0) {
      fim_ += static_cast<std::size_t>(lidos);
      return;
    }
    if (lidos < 0 && errno == EINTR) {
      continue;
    }
    if (lidos < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      pollfd entrada{descritor_, POLLIN, 0};
      ::poll(&entrada, 1, -1);
      continue;
    }
    acabou_ = true;
    if (lidos < 0) {
      falhou_ = true;
      erro_ = errno;
    }
    return;
  }
}

LeitorCsv::LeitorCsv(LeitorLinhas& linhas, std::size_t maximo)
    : linhas_(linhas), maximo_(maximo), registro_(std::make_unique<RegistroCsv>(maximo)) {}

LeitorCsv::~LeitorCsv() = default;

bool LeitorCsv::Proximo(std::vector<std::string>& campos, std::string& erro) {
  RegistroCsv& r = *registro_;
  const auto conclui = [&] {
    linha_ = r.linha();
    campos.resize(r.valores());
    for (std::size_t i = 0; i < r.valores(); ++i) {
      campos[i].assign(r.valor(i));
    }
    erro.assign(r.erro());
    return true;
  };
  for (;;) {
    std::string_view linha;
    if (!linhas_.Proxima(linha)) {
      if (r.aberto()) {
        r.Encerra();
        return conclui();
      }
      campos.clear();
      erro.clear();
      return false;
    }
    const std::size_t n = linhas_.numero();
    if (linhas_.LongaDemais()) {
      if (r.aberto()) {
        r.RecusaAberto();  // the line that ends it is passed over with it
        return conclui();
      }
      linha_ = n;
      campos.clear();
      erro = MensagemLinhaLonga(linhas_.longa(),
                                "mais que o limite de um registro CSV, " + TextoBytes(maximo_));
      return true;
    }
    if (r.Le(linha, n)) {
      return conclui();
    }
    r.Guarda();  // the open record's values outlive the line
  }
}

namespace {

// True when a byte of the word equals `byte` (the classic test for a zero byte).
constexpr std::uint64_t kUns = 0x0101010101010101ULL;
constexpr std::uint64_t kAltos = 0x8080808080808080ULL;
inline std::uint64_t TemByte(std::uint64_t palavra, unsigned char byte) {
  const std::uint64_t x = palavra ^ (kUns * byte);
  return (x - kUns) & ~x & kAltos;
}

// True when the value holds ",", '"', CR or LF, which CSV must quote.
bool PrecisaAspas(std::string_view valor) {
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i virgula = _mm_set1_epi8(',');
  const __m128i aspas = _mm_set1_epi8('"');
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; i + 16 <= valor.size(); i += 16) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(valor.data() + i));
    const __m128i achados =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(b, virgula), _mm_cmpeq_epi8(b, aspas)),
                     _mm_or_si128(_mm_cmpeq_epi8(b, cr), _mm_cmpeq_epi8(b, lf)));
    if (_mm_movemask_epi8(achados) != 0) {
      return true;
    }
  }
#endif
  for (; i + 8 <= valor.size(); i += 8) {
    std::uint64_t w = 0;
    std::memcpy(&w, valor.data() + i, 8);
    if ((TemByte(w, ',') | TemByte(w, '"') | TemByte(w, '\r') | TemByte(w, '\n')) != 0) {
      return true;
    }
  }
  for (; i < valor.size(); ++i) {
    const char c = valor[i];
    if (c == ',' || c == '"' || c == '\r' || c == '\n') {
      return true;
    }
  }
  return false;
}

}  // namespace

void EscreveCampoCsv(std::string& saida, std::string_view valor, char antes) {
  if (!PrecisaAspas(valor)) {
    const std::size_t n = saida.size();
    const std::size_t extra = antes != '\0' ? 1 : 0;
    saida.resize(n + extra + valor.size());
    if (extra != 0) {
      saida[n] = antes;
    }
    Copia(saida.data() + n + extra, valor);
    return;
  }
  if (antes != '\0') {
    saida.push_back(antes);
  }
  saida.push_back('"');
  for (const char c : valor) {
    if (c == '"') {
      saida.push_back('"');
    }
    saida.push_back(c);
  }
  saida.push_back('"');
}

void Saida::Escreve(std::string_view texto) {
  constexpr std::size_t kPedacoGrande = std::size_t{64} << 10U;
  if (texto.size() < kPedacoGrande) {
    buffer_ += texto;
    TalvezDescarregue();
    return;
  }
  if (!buffer_.empty()) {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), arquivo_) != buffer_.size()) {
      falhou_ = true;
    }
    buffer_.clear();
  }
  if (std::fwrite(texto.data(), 1, texto.size(), arquivo_) != texto.size()) {
    falhou_ = true;
  }
}

bool Saida::Descarrega() {
  if (!buffer_.empty()) {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), arquivo_) != buffer_.size()) {
      falhou_ = true;
    }
    buffer_.clear();
  }
  if (std::fflush(arquivo_) != 0) {
    falhou_ = true;
  }
  return !falhou_;
}

}  // namespace lumbrava
