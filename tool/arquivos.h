// The tool's input and output files.
#pragma once

#include <cstdio>
#include <string>

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
// a signal handler.
void RemoveArquivoPendente();

// Where the output goes:
// - standard output when the name is empty or "-";
// - a regular file (or a name not taken yet) is written all-or-nothing: the text goes to a
//   temporary file with an unpredictable name, created exclusively in the target's folder, and
//   Confirma renames it over the target. A symbolic link is followed, so the file it names is
//   replaced and the link stays. An existing file keeps its permissions; a new one gets
//   0666 less the umask, as a shell's ">" would give it. A file the user may not write, or a
//   folder where no file can be created, is refused. If the program is interrupted (SIGINT,
//   SIGTERM, SIGHUP) while the temporary file is pending, it is removed;
// - anything else that exists (a terminal, /dev/null, a FIFO) is opened and written directly, as
//   a shell would: there is no all-or-nothing then, and what was written before a failure stays.
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

  // Puts the file in place (or closes a file written directly); false when it could not be
  // written, with the reason written to `erros`.
  bool Confirma();

 private:
  void Abandona();

  std::string caminho_;     // as the user named it, for messages
  std::string alvo_;        // the file that symbolic links lead to
  std::string temporario_;  // empty unless written all-or-nothing
  std::FILE* erros_;
  std::FILE* arquivo_ = nullptr;
  bool direto_ = false;      // a file opened directly: closed, never removed
  bool registrado_ = false;  // the temporary file is the one removed on a signal
};

}  // namespace lumbrava
