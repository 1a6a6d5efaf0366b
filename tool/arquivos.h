// The tool's input and output files.
#pragma once

#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace lumbrava {

// Input from a file, or standard input when the name is empty or "-".
class Origem {
 public:
  // On failure arquivo() is null and the reason was written to `erros`.
  Origem(const std::string& caminho, std::FILE* padrao, std::FILE* erros);
  ~Origem();
  Origem(const Origem&) = delete;
  Origem& operator=(const Origem&) = delete;
  std::FILE* arquivo() const { return arquivo_; }

 private:
  std::FILE* arquivo_ = nullptr;
  bool proprio_ = false;
};

// Removes the temporary output file while one is pending (a program ending on a fault); safe in
// a signal handler. True when there was one.
bool RemoveArquivoPendente();

// What a run that failed says last of its output: with -o, that no file was written; otherwise,
// that what it wrote is incomplete.
inline constexpr std::string_view kSaidaNaoGravada = "o arquivo de saída não foi gravado";
inline constexpr std::string_view kSaidaIncompleta = "a saída já escrita está incompleta";

// Takes the temporary output file's contents to the disk before Confirma gives it the target's
// name: fsync. Tests put a call that fails in its place.
extern int (*sincronizaSaida)(int descritor);

// Whether `acao` is the handler a pending file puts in place of a signal's default action, which
// removes the file and ends the program by the signal. A handler that takes its place must remove
// the file itself; it is then left in place when the file is no longer pending.
bool EhAcaoDoPendente(const struct sigaction& acao);

// Where the output goes:
// - standard output when the name is empty or "-";
// - a stream the program already holds open, named as the system names it ("/dev/stdout",
//   "/dev/stderr", "/dev/fd/N", "/proc/self/fd/N", or a link to one of them), is written in place
//   as "-" is: whatever the stream leads to, nothing is replaced;
// - a regular file (or a name not taken yet) is written all-or-nothing: the text goes to a
//   temporary file with an unpredictable name, created exclusively in the target's folder, and
//   Confirma writes it to the disk and renames it over the target. The target is replaced, not
//   rewritten: other hard links to it keep the old contents. A symbolic link is followed, so the
//   file it names is replaced and the link stays. A link that sits in a folder where everyone may
//   create files and only owners remove them (/tmp), and belongs to neither the user nor the
//   folder's owner, is refused, whatever part of the path it is. An existing file keeps its
//   permissions; a new one gets 0666 less the umask, as a shell's ">" would give it. A file the
//   user may not write, or a folder where no file can be created, is refused. A signal whose
//   default action ends the program removes the pending file first, unless the program ignores
//   or handles that signal itself;
// - anything else that exists (a terminal, /dev/null, a FIFO) is opened and written directly, as
//   a shell would: there is no all-or-nothing then, and what was written before a failure stays.
//
// Threads: a Destino belongs to one thread; only one temporary file is pending at a time.
class Destino {
 public:
  // On failure arquivo() is null and the reason was written to `erros`.
  Destino(const std::string& caminho, std::FILE* padrao, std::FILE* erros);
  ~Destino();  // without Confirma, the temporary file is removed
  Destino(const Destino&) = delete;
  Destino& operator=(const Destino&) = delete;

  std::FILE* arquivo() const { return arquivo_; }
  // True when the output appears only if Confirma is reached (a temporary file is pending).
  bool ParaArquivo() const { return !temporario_.empty(); }
  // The name the user gave, or empty for standard output.
  const std::string& nome() const { return caminho_; }

  // Puts the file in place (or closes a file written directly); false when it could not be
  // written, with the reason written to `erros`.
  bool Confirma();

 private:
  void Falha(int erro) const;
  void AbreFluxo(int numero, std::FILE* padrao);
  void Abandona();

  std::string caminho_;     // as the user named it, for messages
  std::string nomeAlvo_;    // the target's name in its folder, links followed
  std::string temporario_;  // the temporary file's name there; empty unless all-or-nothing
  int pasta_ = -1;          // the target's folder
  std::FILE* erros_;
  std::FILE* arquivo_ = nullptr;
  bool direto_ = false;      // a file opened directly: closed, never removed
  bool registrado_ = false;  // the temporary file is the one removed on a signal
};

// The folder of the tool's error log, from the values of XDG_STATE_HOME and HOME (either may be
// null): "$XDG_STATE_HOME/lumbrava-layouts", else "$HOME/.local/state/lumbrava-layouts". A value
// that is not an absolute path is passed over; empty when neither gives a folder.
std::filesystem::path PastaDoRegistroDaFerramenta(const char* estado, const char* casa);

}  // namespace lumbrava
