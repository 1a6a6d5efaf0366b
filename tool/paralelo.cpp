#include "tool/paralelo.h"

#include <sched.h>

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

namespace lumbrava {

namespace {
constexpr std::size_t kLinhasPorLote = 2048;
// The input of all the batches in flight together, and the bounds of one batch.
constexpr std::size_t kBytesEmVoo = std::size_t{24} << 20U;
constexpr std::size_t kMaiorLote = std::size_t{1} << 20U;
constexpr std::size_t kMenorLote = std::size_t{64} << 10U;
// How long a batch that has lines waits for more from a slow input.
constexpr auto kEsperaDoLote = std::chrono::milliseconds(10);
// A batch whose buffers grew past this is let go rather than kept for the next.
constexpr std::size_t kMaiorGuardado = std::size_t{8} << 20U;

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
}
}  // namespace

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
                        const std::function<void(Lote&)>& entrega, std::size_t saidaPorLinha) {
  threads = std::max(threads, 1U);
  const std::size_t maximoEmVoo = 2 * static_cast<std::size_t>(threads) + 2;
  const std::size_t bytesPorLote = std::clamp(kBytesEmVoo / maximoEmVoo, kMenorLote, kMaiorLote);

  std::mutex trava;
  std::condition_variable haTrabalho;
  std::condition_variable haPronto;
  std::deque<std::unique_ptr<Lote>> fila;
  std::map<std::size_t, std::unique_ptr<Lote>> prontos;
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
          std::unique_ptr<Lote> lote;
          {
            std::unique_lock<std::mutex> l(trava);
            haTrabalho.wait(l, [&] { return parar || !fila.empty(); });
            if (fila.empty()) {
              return;
            }
            lote = std::move(fila.front());
            fila.pop_front();
          }
          try {
            t->Processa(*lote);
          } catch (...) {
            const std::lock_guard<std::mutex> l(trava);
            if (!falha) {
              falha = std::current_exception();
            }
          }
          const std::size_t numero = lote->primeiraLinha;
          {
            const std::lock_guard<std::mutex> l(trava);
            prontos.emplace(numero, std::move(lote));
          }
          haPronto.notify_one();
        }
      });
    }
  } catch (const std::system_error&) {
    // The system gave fewer threads than asked: go on with those it gave, if any.
    if (grupo.empty()) {
      throw;
    }
  }
  const auto encerra = [&] {
    {
      const std::lock_guard<std::mutex> l(trava);
      parar = true;
    }
    haTrabalho.notify_all();
    for (auto& t : grupo) {
      t.join();
    }
  };

  try {
    std::deque<std::size_t> ordem;  // first lines of the batches in flight, in file order
    std::vector<std::unique_ptr<Lote>> livres;  // batches handed back, to be filled again
    // Hands back, in order, the batches that are done; with `espera`, first waits for the oldest.
    const auto entregaProntos = [&](bool espera) {
      for (;;) {
        std::unique_ptr<Lote> lote;
        {
          std::unique_lock<std::mutex> l(trava);
          if (espera && !ordem.empty()) {
            haPronto.wait(l, [&] { return falha || prontos.count(ordem.front()) > 0; });
            espera = false;
          }
          if (falha) {
            std::rethrow_exception(falha);
          }
          if (ordem.empty()) {
            return;
          }
          const auto achado = prontos.find(ordem.front());
          if (achado == prontos.end()) {
            return;
          }
          lote = std::move(achado->second);
          prontos.erase(achado);
        }
        ordem.pop_front();
        entrega(*lote);
        if (lote->saida.capacity() <= kMaiorGuardado) {
          Esvazia(*lote);
          livres.push_back(std::move(lote));
        }
      }
    };
    bool acabou = false;
    std::string_view linha;
    while (!acabou) {
      entregaProntos(ordem.size() >= maximoEmVoo);
      std::unique_ptr<Lote> lote;
      if (livres.empty()) {
        lote = std::make_unique<Lote>();
      } else {
        lote = std::move(livres.back());
        livres.pop_back();
      }
      LeitorLinhas::Relogio::time_point prazo{};
      while (lote->Linhas() < kLinhasPorLote &&
             lote->bytes + lote->Linhas() * saidaPorLinha < bytesPorLote) {
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
          entregaProntos(true);  // the input has nothing yet: the work in flight is handed back
        }
        continue;
      }
      ordem.push_back(lote->primeiraLinha);
      {
        const std::lock_guard<std::mutex> l(trava);
        fila.push_back(std::move(lote));
      }
      haTrabalho.notify_one();
    }
    while (!ordem.empty()) {
      entregaProntos(true);
    }
  } catch (...) {
    encerra();
    throw;
  }
  encerra();
}

}  // namespace lumbrava
