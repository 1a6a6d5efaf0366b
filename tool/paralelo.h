// Lines of a file processed in batches on several threads, with the results handed back in the
// order of the file. Memory holds a bounded number of batches, whatever the file's size.
#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tool/linhas.h"

namespace lumbrava {

class Orcamento;

struct Lote {
  std::size_t primeiraLinha = 0;         // number of the batch's first line, from 1
  std::vector<std::string_view> linhas;  // the lines, in the blocks below or in `partidas`
  std::size_t bytes = 0;                 // the lines' length together
  // The read blocks the lines lie in, held until the batch is done with.
  std::vector<std::shared_ptr<const LeitorLinhas::Bloco>> blocos;
  std::deque<std::string> partidas;  // the lines that ran across blocks
  // The lines longer than the reader holds (they stand empty in `linhas`), by index, in order.
  std::vector<std::pair<std::size_t, LinhaLonga>> longas;
  // Filled by the worker:
  std::string saida;                 // output of the lines before the batch's first error
  std::vector<std::string> erros;    // messages, in line order
  std::size_t primeiraNaoAscii = 0;  // the first line with a byte from 0x80, or 0
  bool naoAsciiEhUtf8 = false;       // whether that line is valid UTF-8
  // Where a record may run across lines (CSV): the lines at the batch's end that begin a record
  // the batch does not finish, left for the one who has the next batch.
  std::size_t linhasEmAberto = 0;

  std::size_t Linhas() const { return linhas.size(); }
  std::string_view Linha(std::size_t i) const { return linhas[i]; }
  // Line `i` when it was too long to hold, else null.
  const LinhaLonga* Longa(std::size_t i) const;

  // A worker calls this after writing to `saida`: when it grew past what was counted of it, the
  // growth is counted with what the other batches in flight hold, and while they hold more than
  // their bound together, a batch that is not the oldest in flight waits here for older ones to
  // be handed back (the oldest never waits, so the work always goes on).
  void Conta() {
    if (saida.capacity() > contado && orcamento != nullptr) [[unlikely]] {
      Cresceu();
    }
  }
  // Set by ProcessaEmParalelo while the batch is in flight: its budget, its place in the file's
  // order and the bytes of `saida` counted in the budget.
  Orcamento* orcamento = nullptr;
  std::size_t sequencia = 0;
  std::size_t contado = 0;

 private:
  void Cresceu();
};

class TrabalhadorDeLotes {
 public:
  virtual ~TrabalhadorDeLotes() = default;
  virtual void Processa(Lote& lote) = 0;
};

// Reads `linhas` to the end in batches; each of `threads` workers (made by `cria`, one per thread)
// processes batches; `entrega` receives every processed batch on the calling thread, in file
// order, and returns false when it wants no more (its output can no longer be written): the work
// then stops, the batches in flight are dropped and no more lines are read. An exception in a
// worker (std::bad_alloc too) or in `entrega` stops the work and is thrown again here. When the
// system gives fewer threads than asked, the work goes on with those it gave; with none, on the
// calling thread.
// Input that comes slowly (a pipe) is not waited for while lines are at hand: a batch goes on
// when the input has nothing more for a moment, and batches done are handed back before the
// reader waits for more. The batches in flight together hold a bounded number of bytes, however
// many the threads: their lines and their output. A batch's output is first estimated from its
// lines (their length, and `saidaPorLinha` for each: what a worker writes for a line beyond the
// line's own length, such as field names or a record's width, at most), then from what the
// batches handed back really wrote for as much input, and counted as it grows (Lote::Conta). The
// output buffers kept for the next batches count too, and are given back when a new batch needs
// the room.
void ProcessaEmParalelo(LeitorLinhas& linhas, unsigned threads,
                        const std::function<std::unique_ptr<TrabalhadorDeLotes>()>& cria,
                        const std::function<bool(Lote&)>& entrega, std::size_t saidaPorLinha = 0);

// The threads to use by default: the processors the program may run on, at most 8.
unsigned ThreadsPadrao();

}  // namespace lumbrava
