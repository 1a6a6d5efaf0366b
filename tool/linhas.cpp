#include "tool/linhas.h"

#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

#include "tool/mapeamento.h"

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

std::string_view MudancaNoArquivo(const struct stat& antes, const struct stat& agora) {
  const auto mesmoInstante = [](const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
  };
  if (agora.st_size < antes.st_size) {
    return kMotivoArquivoEncolheu;
  }
  if (agora.st_size != antes.st_size || !mesmoInstante(agora.st_mtim, antes.st_mtim) ||
      !mesmoInstante(agora.st_ctim, antes.st_ctim)) {
    return kMotivoArquivoMudou;
  }
  return {};
}

std::string MensagemLinhaLonga(const LinhaLonga& longa, std::string_view limite) {
  if (longa.crSemLf) {
    return std::string(kMensagemCrSemLf);
  }
  return "a linha tem " + std::to_string(longa.bytes) + " bytes, " + std::string(limite);
}

LeitorLinhas::LeitorLinhas(std::FILE* arquivo, std::size_t maximo)
    : arquivo_(arquivo), maximo_(maximo) {
  descritor_ = ::fileno(arquivo_);
  struct stat estado {};
  if (descritor_ >= 0) {
    // A pipe, a terminal or a socket may keep the reader waiting; a disk file never does.
    podeEsperar_ = ::fstat(descritor_, &estado) != 0 || !S_ISREG(estado.st_mode);
    if (!podeEsperar_) {
      emDisco_ = true;
      tamanho_ = static_cast<std::uint64_t>(estado.st_size);
      inicial_ = estado;
      const off_t aqui = ::lseek(descritor_, 0, SEEK_CUR);
      if (aqui >= 0) {
        mapeia_ = true;
        limitado_ = tamanho_ > 0;
        deslocamento_ = static_cast<std::uint64_t>(aqui);
      }
    }
  }
}

void LeitorLinhas::Confere() {
  struct stat agora {};
  if (!emDisco_ || falhou_ || ::fstat(descritor_, &agora) != 0) {
    return;
  }
  const std::string_view motivo = MudancaNoArquivo(inicial_, agora);
  if (!motivo.empty()) {
    Interrompe(motivo);
  }
}

void LeitorLinhas::Termina() {
  acabou_ = true;
  Confere();
}

bool LeitorLinhas::Mapeia() {
  if (limitado_ && deslocamento_ >= tamanho_) {
    Termina();
    return true;
  }
  Janela janela;
  const bool mapeou =
      MapeiaJanela(descritor_, deslocamento_, limitado_ ? tamanho_ : Janela::kTamanhoDesconhecido,
                   kJanela, janela);
  if (janela.tamanhoDoArquivo < tamanho_) {  // cut ahead of the windows read so far
    Interrompe(kMotivoArquivoEncolheu);
    return true;
  }
  if (!mapeou) {
    return false;
  }
  bloco_ = std::move(janela.bytes);
  inicio_ = janela.inicio;
  fim_ = janela.fim;
  deslocamento_ = janela.proximo;
  return true;
}

void LeitorLinhas::Interrompe(std::string_view motivo) {
  acabou_ = true;
  falhou_ = true;
  motivo_ = motivo;
  // The line read into is cut short: it is not given.
  emPartida_ = false;
  passando_ = false;
  partida_.clear();
  inicio_ = fim_;
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
  if (!motivo_.empty()) {
    return std::string(motivo_);
  }
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
  std::size_t espaco = kBloco - fim_;
  if (limitado_) {
    if (deslocamento_ >= tamanho_) {
      Termina();
      return;
    }
    espaco = static_cast<std::size_t>(std::min<std::uint64_t>(espaco, tamanho_ - deslocamento_));
  }
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
      deslocamento_ += static_cast<std::uint64_t>(lidos);
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
    } else if (deslocamento_ < tamanho_) {
      Interrompe(kMotivoArquivoEncolheu);
    } else {
      Confere();
    }
    return;
  }
}

}  // namespace lumbrava
