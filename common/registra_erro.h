// The program-wide error log: one file a day, "ddmmYY.EXP", in the program's folder.
//
// Each entry is two quoted lines:
//   "dd/mm/yy hh:mm:ss:message,texto1,texto2,texto3,texto4'"
//   "<program> Error # <number> <description>"
// Every part (the message, each text, the program's name and the description) is cut to 600
// characters. A failure to write the log is swallowed: it is never reported through the log, and
// RegistraErro never throws.
#pragma once

#include <filesystem>
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

// The program's name as written in the log: the executable's name without its extension,
// unless changed.
std::string NomePrograma();
void DefineNomePrograma(std::string_view nome);

// Name of the day's log file for a local date: "ddmmYY.EXP".
std::string NomeArquivoErros(int dia, int mes, int ano);

}  // namespace lumbrava
