#include "tool/paralelo.h"

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
constexpr std::size_t kBytesPorLote = 1U << 20U;
}  // namespace

unsigned ThreadsPadrao() { return std::clamp(std::thread::hardware_concurrency(), 1U, 8U); }

void ProcessaEmParalelo(LeitorLinhas& linhas, unsigned threads,
                        const std::function<std::unique_ptr<TrabalhadorDeLotes>()>& cria,
                        const std::function<void(Lote&)>& entrega) {
  threads = std::max(threads, 1U);
  const std::size_t maximoEmVoo = 2 * static_cast<std::size_t>(threads) + 2;

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
    bool acabou = false;
    std::string_view linha;
    for (;;) {
      // Hand back, in order, what is ready.
      for (;;) {
        std::unique_ptr<Lote> lote;
        {
          const std::lock_guard<std::mutex> l(trava);
          if (falha) {
            std::rethrow_exception(falha);
          }
          if (ordem.empty()) {
            break;
          }
          const auto achado = prontos.find(ordem.front());
          if (achado == prontos.end()) {
            break;
          }
          lote = std::move(achado->second);
          prontos.erase(achado);
        }
        ordem.pop_front();
        entrega(*lote);
      }
      if (!acabou && ordem.size() < maximoEmVoo) {
        auto lote = std::make_unique<Lote>();
        while (lote->Linhas() < kLinhasPorLote && lote->texto.size() < kBytesPorLote &&
               linhas.Proxima(linha)) {
          if (lote->Linhas() == 0) {
            lote->primeiraLinha = linhas.numero();
          }
          lote->texto.append(linha);
          lote->fins.push_back(lote->texto.size());
        }
        if (lote->Linhas() == 0) {
          acabou = true;
          continue;
        }
        ordem.push_back(lote->primeiraLinha);
        {
          const std::lock_guard<std::mutex> l(trava);
          fila.push_back(std::move(lote));
        }
        haTrabalho.notify_one();
        continue;
      }
      if (ordem.empty()) {
        break;  // everything read and handed back
      }
      std::unique_lock<std::mutex> l(trava);
      haPronto.wait(l, [&] { return falha || prontos.count(ordem.front()) > 0; });
    }
  } catch (...) {
    encerra();
    throw;
  }
  encerra();
}

}  // namespace lumbrava
