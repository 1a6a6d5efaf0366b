// Lines of an input file, read in large blocks or as they come from a pipe.
//
// Threads: a LeitorLinhas belongs to one thread; the blocks it hands out may be read by any thread
// that holds them (see BlocoDaLinha).
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lumbrava {

// The message for a record line whose only line ends are CRs.
inline constexpr std::string_view kMensagemCrSemLf =
    "a linha tem um CR (\\r) sem LF: o arquivo termina as linhas só com CR? Os registros "
    "terminam em CR LF ou LF";

// A line longer than its reader holds: it was read past without being kept.
struct LinhaLonga {
  std::size_t bytes = 0;  // its length, without the line end
  bool crSemLf = false;   // it has a CR followed by something other than the line end
};

// "1048576 bytes (1 MiB)".
std::string TextoBytes(std::size_t n);

// "a linha tem N bytes, " and `limite`; or, when the line holds a CR without LF, the message that
// the file ends its lines with CR alone (such a file is one long line).
std::string MensagemLinhaLonga(const LinhaLonga& longa, std::string_view limite);

// The reason given when a disk file ends short of the size it had when its reader began.
inline constexpr std::string_view kMotivoArquivoEncolheu = "o arquivo diminuiu enquanto era lido";
// The reason given when a disk file's size, modification time or status-change time is not what
// it was when its reader began.
inline constexpr std::string_view kMotivoArquivoMudou = "o arquivo mudou enquanto era lido";

// What a disk file's state `agora` tells of the file read since it was `antes`:
// kMotivoArquivoEncolheu when it is smaller, kMotivoArquivoMudou when its size, its modification
// time or its status-change time differ (to the nanosecond), else nothing. The status-change time
// is the one no user can set back: a rewrite whose modification time was put back still moves it.
std::string_view MudancaNoArquivo(const struct stat& antes, const struct stat& agora);

// Lines of a file read in large blocks, or as they come from a pipe. A disk file is mapped into
// memory a window at a time rather than copied (a window is let go when no one holds it). A disk
// file is read up to the size it had when the reader began, and must stay as it was: should it end
// short of that size, or be found smaller at any window, reading stops with Falhou() set and
// kMotivoArquivoEncolheu as the reason, and the line it was in is not given (a cut inside the
// window being read ends the program, see mapeamento.h); should it have changed by its end
// (MudancaNoArquivo, see Confere), Falhou() is set with kMotivoArquivoMudou. A disk file that told
// no size when the reader began (an empty one, the system's own files) is read to where it ends,
// and the same check then made. A line comes
// without its "\n" or "\r\n"; a UTF-8 byte-order mark at the start of the file is skipped. A line
// longer than `maximo` bytes is read past in pieces and given as an empty line with LongaDemais()
// set, so memory holds one block (and those its caller still holds, see BlocoDaLinha) and at most
// `maximo` bytes of a line, whatever the file.
class LeitorLinhas {
 public:
  static constexpr std::size_t kSemLimite = static_cast<std::size_t>(-1);
  // A block of the input as read (or a window mapped). Lines given point into it; one who keeps a
  // copy of the pointer keeps the block's bytes as they are: the reader reads on into another
  // block meanwhile.
  using Bloco = char[];
  using Relogio = std::chrono::steady_clock;
  enum class Leitura { kLinha, kFim, kAindaNao };

  explicit LeitorLinhas(std::FILE* arquivo, std::size_t maximo = kSemLimite);
  // The next line, waiting for it if need be; false at the end of the file or on a read error
  // (see Falhou).
  bool Proxima(std::string_view& linha);
  // The next line, waiting for a pipe or a terminal only until `limite`: kAindaNao when no whole
  // line has come by then (what has come is kept for the next call).
  Leitura ProximaAte(std::string_view& linha, Relogio::time_point limite);
  // Whether the line last returned was longer than `maximo` (it then comes empty).
  bool LongaDemais() const { return longaDemais_; }
  const LinhaLonga& longa() const { return longa_; }
  // The block that holds the line last returned, or null when the line lies elsewhere (it ran
  // across blocks, or was too long to hold).
  const std::shared_ptr<Bloco>* BlocoDaLinha() const { return naBloco_ ? &bloco_ : nullptr; }
  // Called each time the reader is about to wait for input that has not come yet.
  void AntesDeEsperar(std::function<void()> acao) { antesDeEsperar_ = std::move(acao); }

  // Checks that a disk file is as it was when the reader began (MudancaNoArquivo), else sets
  // Falhou(). Done when the reader reaches the end; done again by whoever ends the run
  // once the lines given are used (they may be read from the file's mapping until then), so that
  // no change made before that goes unseen. Does nothing for other input, or after a failure.
  void Confere();
  bool Falhou() const { return falhou_; }
  // The system's reason for the read error ("Is a directory"), kMotivoArquivoEncolheu or
  // kMotivoArquivoMudou.
  std::string MotivoDaFalha() const;
  // Number of the line last returned, from 1.
  std::size_t numero() const { return numero_; }

 private:
  Leitura Le(std::string_view& linha, const Relogio::time_point* limite);
  // False when the input has nothing to read by `limite` (null: waits as long as it takes).
  bool Aguarda(const Relogio::time_point* limite);
  void LeBloco();
  // Maps the next window of a disk file; false when it is to be read instead.
  bool Mapeia();
  // The disk file was found shorter than when the reader began, or changed: reading ends, with
  // an error.
  void Interrompe(std::string_view motivo);
  // The end of the disk file as it was when the reader began: reading ends, and the file is
  // checked.
  void Termina();
  void PulaMarca(std::string_view& linha);
  void PassaPor(std::string_view pedaco);    // a piece of a line too long to keep
  Leitura Conclui(std::string_view& linha);  // a line has ended

  std::FILE* arquivo_;
  int descritor_ = -1;  // -1 when the FILE has no descriptor (a string in memory)
  bool podeEsperar_ = false;
  bool mapeia_ = false;
  // In a disk file: where the next block is read from (mapped or not), and the file's size and
  // state when the reader began (a size of 0 when the file tells none).
  bool emDisco_ = false;
  bool limitado_ = false;  // read up to `tamanho_`, not to where the file ends now
  std::uint64_t deslocamento_ = 0;
  std::uint64_t tamanho_ = 0;
  struct stat inicial_ {};
  std::size_t maximo_;
  std::shared_ptr<Bloco> bloco_;  // the block being read
  // Every block made: those no one else holds are read into again.
  std::vector<std::shared_ptr<Bloco>> blocos_;
  bool naBloco_ = false;
  std::size_t inicio_ = 0;
  std::size_t fim_ = 0;
  bool acabou_ = false;
  bool falhou_ = false;
  int erro_ = 0;
  std::string_view motivo_;  // kMotivoArquivoEncolheu or kMotivoArquivoMudou, else empty
  bool primeira_ = true;
  std::string partida_;      // a line that runs across blocks
  bool emPartida_ = false;   // a line has begun and not ended
  bool passando_ = false;    // the current line is too long: it is being read past
  bool crPendente_ = false;  // the last byte read past was a CR
  bool longaDemais_ = false;
  LinhaLonga longa_;
  std::size_t numero_ = 0;
  std::function<void()> antesDeEsperar_;
};

}  // namespace lumbrava
