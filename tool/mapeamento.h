// A window of a disk file mapped into memory for reading.
//
// A file that shrinks while it is mapped takes pages from under the reader: touching them raises
// SIGBUS. The program then ends as on a read error ("erro de leitura da entrada: o arquivo
// diminuiu enquanto era lido", exit status 1) and leaves no output file. A cut ahead of the
// windows mapped is the reader's to find (LeitorLinhas): each window tells the file's size. Any
// other SIGBUS (another fault, or one sent by a process) ends the program as the signal's default
// action would, after the pending output file is removed (RemoveArquivoPendente).
//
// Threads: any thread may map windows and read them; the SIGBUS handler is installed once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumbrava {

struct Janela {
  static constexpr std::uint64_t kTamanhoDesconhecido = static_cast<std::uint64_t>(-1);
  std::shared_ptr<char[]> bytes;  // unmapped when the last holder lets go
  std::size_t inicio = 0;         // where the asked-for offset falls in `bytes`
  std::size_t fim = 0;            // the window's length
  std::uint64_t proximo = 0;      // the file offset just past the window
  // The file's size when the window was asked for; kTamanhoDesconhecido when it could not be had.
  std::uint64_t tamanhoDoArquivo = kTamanhoDesconhecido;
};

// Maps up to `maximo` bytes of the file `descritor` from `deslocamento` (the window begins at
// the page that holds it), no further than `fim` nor than the size the file has now, and tells the
// file's size in `janela.tamanhoDoArquivo` whether it maps or not. False when there is nothing to
// map there, when mapping fails, or when the program handles SIGBUS itself: the caller then reads
// the file instead.
bool MapeiaJanela(int descritor, std::uint64_t deslocamento, std::uint64_t fim, std::size_t maximo,
                  Janela& janela);

}  // namespace lumbrava
