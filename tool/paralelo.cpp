#include "tool/paralelo.h"

#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>

namespace lumbrava {

// What the batches in flight hold together, in bytes (their lines and their output), and those
// kept to be filled again (their output's buffer).
class Orcamento {
 public:
  explicit Orcamento(std::size_t limite) : limite_(limite) {}

  // Whether `bytes` more stay within the limit.
  bool Cabe(std::size_t bytes) const {
    const std::lock_guard<std::mutex> l(trava_);
    return emUso_ + bytes <= limite_;
  }
  void Conta(std::size_t bytes) {
    const std::lock_guard<std::mutex> l(trava_);
    emUso_ += bytes;
  }
  // Counts what the output of batch number `ordem` grew by; past the limit, a batch that is not
  // the oldest in flight waits until the older ones have let go of enough.
  void Cresce(std::size_t ordem, std::size_t bytes) {
    std::unique_lock<std::mutex> l(trava_);
    emUso_ += bytes;
    espera_.wait(l, [&] { return encerrado_ || ordem <= maisAntigo_ || emUso_ <= limite_; });
  }
  // `bytes` let go; `maisAntigo` is the number of the oldest batch in flight from now on.
  void Libera(std::size_t bytes, std::size_t maisAntigo) {
    {
      const std::lock_guard<std::mutex> l(trava_);
      emUso_ -= bytes;
      maisAntigo_ = maisAntigo;
    }
    espera_.notify_all();
  }
  // `bytes` let go by a buffer that was kept idle.
  void Devolve(std::size_t bytes) {
    {
      const std::lock_guard<std::mutex> l(trava_);
      emUso_ -= bytes;
    }
    espera_.notify_all();
  }
  // The work stops: no batch waits any more.
  void Encerra() {
    {
      const std::lock_guard<std::mutex> l(trava_);
      encerrado_ = true;
    }
    espera_.notify_all();
  }

 private:
  mutable std::mutex trava_;
  std::condition_variable espera_;
  const std::size_t limite_;
  std::size_t emUso_ = 0;
  std::size_t maisAntigo_ = 0;
  bool encerrado_ = false;
};

namespace {
constexpr std::size_t kLinhasPorLote = 2048;
// What the batches in flight hold together (their lines and their output), and the bounds of one
// batch.
constexpr std::size_t kBytesEmVoo = std::size_t{24} << 20U;
constexpr std::size_t kMaiorLote = std::size_t{1} << 20U;
constexpr std::size_t kMenorLote = std::size_t{64} << 10U;
// How long a batch that has lines waits for more from a slow input.
constexpr auto kEsperaDoLote = std::chrono::milliseconds(10);

// A batch handed back, emptied for the next lines: its buffers keep their memory, so the pages
// are not asked of the system again for every batch.
void Esvazia(Lote& lote) {
  lote.primeiraLinha = 0;
  lote.linhas.clear();
  lote.bytes = 0;
  lote.blocos.clear();
  lote.partidas.clear();
  lote.longas.clear();
  lote.saida.clear();
  lote.erros.clear();
  lote.primeiraNaoAscii = 0;
  lote.naoAsciiEhUtf8 = false;
  lote.linhasEmAberto = 0;
  lote.orcamento = nullptr;
}
}  // namespace

void Lote::Cresceu() {
  const std::size_t agora = saida.capacity();
  const std::size_t mais = agora - contado;
  contado = agora;
  orcamento->Cresce(sequencia, mais);
}

const LinhaLonga* Lote::Longa(std::size_t i) const {
  if (longas.empty()) {
    return nullptr;
  }
  const auto achada = std::lower_bound(longas.begin(), longas.end(), i,
                                       [](const auto& l, std::size_t k) { return l.first < k; });
  return achada != longas.end() && achada->first == i ? &achada->second : nullptr;
}

unsigned ThreadsPadrao() {
  // The processors this program may run on (taskset, a container's share), not all the machine's.
  unsigned nucleos = std::thread::hardware_concurrency();
  cpu_set_t permitidos;
  CPU_ZERO(&permitidos);
  if (::sched_getaffinity(0, sizeof permitidos, &permitidos) == 0) {
    nucleos = static_cast<unsigned>(CPU_COUNT(&permitidos));
  }
  return std::clamp(nucleos, 1U, 8U);
}

void ProcessaEmParalelo(LeitorLinhas& linhas, unsigned threads,
                        const std::function<std::unique_ptr<TrabalhadorDeLotes>()>& cria,
                        const std::function<bool(Lote&)>& entrega, std::size_t saidaPorLinha) {
  threads = std::max(threads, 1U);
  const std::size_t maximoEmVoo = 2 * static_cast<std::size_t>(threads) + 2;
  const std::size_t bytesPorLote = std::clamp(kBytesEmVoo / maximoEmVoo, kMenorLote, kMaiorLote);
  // A batch whose output grew past this is let go rather than kept for the next lines.
  const std::size_t maiorGuardado = 2 * bytesPorLote;
  Orcamento orcamento(kBytesEmVoo);
  // The most output that the batches handed back wrote for each byte of the first estimate.
  double fator = 1;
  constexpr double kMaiorFator = 16;
  const auto base = [saidaPorLinha](const Lote& lote) {
    return lote.bytes + lote.Linhas() * saidaPorLinha;
  };
  const auto estimativa = [&](const Lote& lote) {
    return static_cast<std::size_t>(static_cast<double>(base(lote)) * fator);
  };
  const auto peso = [&](const Lote& lote) { return lote.bytes + estimativa(lote); };

  // A batch in flight. The calling thread makes and hands back batches; a worker only sets
  // `pronto`, under the lock, once it is done with the batch: nothing a worker does outside its
  // `try` allocates, so that any failure of the work reaches the calling thread.
  struct EmVoo {
    std::unique_ptr<Lote> lote;
    bool pronto = false;
  };
  // In file order. A deque keeps its elements in place, so workers may point to them; it is
  // made before the threads and so outlives them.
  std::deque<EmVoo> ordem;
  std::mutex trava;
  std::condition_variable haTrabalho;
  std::condition_variable haPronto;
  std::deque<EmVoo*> fila;
  bool parar = false;
  std::exception_ptr falha;

  std::vector<std::unique_ptr<TrabalhadorDeLotes>> trabalhadores;
  for (unsigned i = 0; i < threads; ++i) {
    trabalhadores.push_back(cria());
  }
  std::vector<std::thread> grupo;
  try {
    for (unsigned i = 0; i < threads; ++i) {
      grupo.emplace_back([&, t = trabalhadores[i].get()] {
        for (;;) {
          EmVoo* v = nullptr;
          {
            std::unique_lock<std::mutex> l(trava);
            haTrabalho.wait(l, [&] { return parar || !fila.empty(); });
            if (parar) {  // the batches left are not wanted any more
              return;
            }
            v = fila.front();
            fila.pop_front();
          }
          try {
            t->Processa(*v->lote);
          } catch (...) {
            const std::lock_guard<std::mutex> l(trava);
            if (!falha) {
              falha = std::current_exception();
            }
          }
          {
            const std::lock_guard<std::mutex> l(trava);
            v->pronto = true;
          }
          haPronto.notify_one();
        }
      });
    }
  } catch (const std::system_error&) {
    // The system gave fewer threads than asked (a limit on processes): go on with those it gave,
    // or with none, the batches then processed here.
  }
  TrabalhadorDeLotes* const aqui = grupo.empty() ? trabalhadores.front().get() : nullptr;
  const auto encerra = [&] {
    {
      const std::lock_guard<std::mutex> l(trava);
      parar = true;
    }
    haTrabalho.notify_all();
    orcamento.Encerra();
    for (auto& t : grupo) {
      t.join();
    }
  };

  try {
    std::size_t proximaOrdem = 0;
    std::vector<std::unique_ptr<Lote>> livres;  // batches handed back, to be filled again
    bool desistiu = false;                      // `entrega` wants no more batches
    // Hands back, in order, the batches that are done; with `espera`, first waits for the oldest.
    const auto entregaProntos = [&](bool espera) {
      while (!desistiu) {
        {
          std::unique_lock<std::mutex> l(trava);
          if (espera && !ordem.empty()) {
            haPronto.wait(l, [&] { return falha || ordem.front().pronto; });
            espera = false;
          }
          if (falha) {
            std::rethrow_exception(falha);
          }
          if (ordem.empty() || !ordem.front().pronto) {
            return;
          }
        }
        std::unique_ptr<Lote> lote = std::move(ordem.front().lote);
        ordem.pop_front();
        if (const std::size_t b = base(*lote); b > 0) {
          fator = std::clamp(static_cast<double>(lote->saida.size()) / static_cast<double>(b),
                             fator, kMaiorFator);
        }
        orcamento.Libera(lote->bytes + lote->contado,
                         ordem.empty() ? proximaOrdem : ordem.front().lote->sequencia);
        lote->orcamento = nullptr;
        if (!entrega(*lote)) {
          desistiu = true;
          return;
        }
        // Kept, its buffer counted, while that stays within the bound.
        const std::size_t guardado = lote->saida.capacity();
        if (guardado <= maiorGuardado && orcamento.Cabe(guardado)) {
          Esvazia(*lote);
          orcamento.Conta(guardado);
          lote->contado = guardado;
          livres.push_back(std::move(lote));
        }
      }
    };
    // The buffers kept idle are given back while the bound leaves no room for a new batch:
    // counted with the batches in flight, they would otherwise leave room for one batch at a time,
    // and hold back the workers whose output grows.
    const auto devolveOciosos = [&] {
      while (!livres.empty() && !orcamento.Cabe(bytesPorLote)) {
        orcamento.Devolve(livres.front()->contado);
        livres.erase(livres.begin());
      }
    };
    bool acabou = false;
    std::string_view linha;
    while (!acabou && !desistiu) {
      // Room for one more batch, in number and in bytes.
      devolveOciosos();
      while (!desistiu && !ordem.empty() &&
             (ordem.size() >= maximoEmVoo || !orcamento.Cabe(bytesPorLote))) {
        entregaProntos(true);
        devolveOciosos();
      }
      entregaProntos(false);
      if (desistiu) {
        break;
      }
      std::unique_ptr<Lote> lote;
      if (livres.empty()) {
        lote = std::make_unique<Lote>();
      } else {
        lote = std::move(livres.back());
        livres.pop_back();
      }
      LeitorLinhas::Relogio::time_point prazo{};
      while (lote->Linhas() < kLinhasPorLote && peso(*lote) < bytesPorLote) {
        LeitorLinhas::Leitura r = LeitorLinhas::Leitura::kLinha;
        if (lote->Linhas() == 0 && ordem.empty()) {
          r = linhas.Proxima(linha) ? r : LeitorLinhas::Leitura::kFim;  // nothing else to do
        } else {
          // With batches in flight, the reader does not wait for the first line of the next.
          r = linhas.ProximaAte(
              linha, lote->Linhas() == 0 ? LeitorLinhas::Relogio::time_point::min() : prazo);
        }
        if (r == LeitorLinhas::Leitura::kFim) {
          acabou = true;
          break;
        }
        if (r == LeitorLinhas::Leitura::kAindaNao) {
          break;
        }
        if (lote->Linhas() == 0) {
          lote->primeiraLinha = linhas.numero();
          prazo = LeitorLinhas::Relogio::now() + kEsperaDoLote;
        }
        if (linhas.LongaDemais()) {
          lote->longas.emplace_back(lote->Linhas(), linhas.longa());
        }
        if (const auto* bloco = linhas.BlocoDaLinha()) {
          if (lote->blocos.empty() || lote->blocos.back() != *bloco) {
            lote->blocos.push_back(*bloco);
          }
        } else if (!linha.empty()) {
          linha = lote->partidas.emplace_back(linha);
        }
        lote->linhas.push_back(linha);
        lote->bytes += linha.size();
      }
      if (lote->Linhas() == 0) {
        livres.push_back(std::move(lote));
        if (!acabou) {
          devolveOciosos();
          entregaProntos(true);  // the input has nothing yet: the work in flight is handed back
        }
        continue;
      }
      // Counted: its lines and its output as estimated, or the buffer it kept when that is more.
      const std::size_t saida = std::max(estimativa(*lote), lote->saida.capacity());
      if (fator > 1) {
        // Output that outgrows its lines: room for it at once, rather than twice as much as it
        // needs after growing step by step.
        lote->saida.reserve(saida);
      }
      orcamento.Conta(lote->bytes + saida - lote->contado);
      lote->contado = saida;
      lote->sequencia = proximaOrdem++;
      lote->orcamento = &orcamento;
      ordem.push_back({std::move(lote), false});
      if (aqui != nullptr) {
        aqui->Processa(*ordem.back().lote);
        ordem.back().pronto = true;
        continue;
      }
      {
        const std::lock_guard<std::mutex> l(trava);
        fila.push_back(&ordem.back());
      }
      haTrabalho.notify_one();
    }
    while (!desistiu && !ordem.empty()) {
      entregaProntos(true);
    }
  } catch (...) {
    encerra();
    throw;
  }
  encerra();
}

}  // namespace lumbrava
