// The program-wide error log: one file a day, "ddmmYY.EXP", in the program's folder (unless the
// program chose another folder for its logs).
//
// Each entry is two quoted lines:
//   "dd/mm/yy hh:mm:ss:message,texto1,texto2,texto3,texto4'"
//   "<program> Error # <number> <description>"
// Every part (the message, each text, the program's name and the description) is cut to 600
// characters. A failure to write the log is swallowed: it is never reported through the log, and
// RegistraErro never throws. The log file is opened without following a symbolic link at its
// name (a link there is left alone and nothing is logged), appended to, and created readable and
// writable by its owner only.
//
// Threads: every function here may be called from any thread; entries are written whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace lumbrava {

// The error still pending when the log is written: its number and description.
struct ErroPendente {
  long numero = 0;
  std::string descricao;
};

void RegistraErro(std::string_view mensagem, std::string_view texto1 = {},
                  std::string_view texto2 = {}, std::string_view texto3 = {},
                  std::string_view texto4 = {}, const ErroPendente& erro = {});

// The program's folder: where the running executable lies, unless changed.
std::filesystem::path PastaPrograma();
void DefinePastaPrograma(const std::filesystem::path& pasta);

// The folder of the logs: the program's folder unless the program chose another one. A folder
// chosen here that does not exist yet is created (open to its owner only) when the first entry is
// written; an empty path turns the logs off; std::nullopt brings back the program's folder.
std::filesystem::path PastaDosRegistros();
void DefinePastaDosRegistros(std::optional<std::filesystem::path> pasta);

// Appends `texto` to the log file `nome` in the logs' folder, as RegistraErro does with its
// entries (no link followed, a new file open to its owner only); false when it could not.
bool AnexaAoRegistro(std::string_view nome, std::string_view texto);

// The program's name as written in the log: the executable's name without its extension,
// unless changed.
std::string NomePrograma();
void DefineNomePrograma(std::string_view nome);

// Name of the day's log file for a local date: "ddmmYY.EXP".
std::string NomeArquivoErros(int dia, int mes, int ano);

}  // namespace lumbrava
