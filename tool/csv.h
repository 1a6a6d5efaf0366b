// CSV (RFC 4180: "," between fields, fields with "," , '"' or line breaks between double quotes,
// '"' doubled inside them): records read over the lines of a file, and fields written. Read
// records may have ";" between fields instead, as the spreadsheets that write the decimal comma
// save them.
//
// Threads: a LeitorCsv belongs to one thread, as its LeitorLinhas; EscreveCampoCsv may run on any.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tool/linhas.h"

namespace lumbrava {

// The longest CSV record or JSON line that `write` takes, in bytes.
inline constexpr std::size_t kMaximoRegistroDeDados = std::size_t{1} << 20U;

class RegistroCsv;

// Tells LeitorCsv to take the separator from the first line (SeparadorDoCabecalho).
inline constexpr char kSeparadorDoCabecalho = '\0';

// The separator of a CSV whose header (first line) is `cabecalho`: ";" when it holds ";" and no
// "," (the field names of the layouts hold neither), else ",".
char SeparadorDoCabecalho(std::string_view cabecalho);

// CSV records over LeitorLinhas (RegistroCsv, line by line); a quoted field may span lines.
class LeitorCsv {
 public:
  // A record longer than `maximo` bytes, line breaks included, is refused; `linhas` should hold
  // no longer lines. `separador` stands between fields; kSeparadorDoCabecalho takes it from the
  // first line read that is not blank.
  explicit LeitorCsv(LeitorLinhas& linhas, std::size_t maximo = kMaximoRegistroDeDados,
                     char separador = ',');
  ~LeitorCsv();
  LeitorCsv(const LeitorCsv&) = delete;
  LeitorCsv& operator=(const LeitorCsv&) = delete;
  // The next record's fields; false at the end. A blank line gives no field at all, and `""` one
  // empty field. A malformed record (a quote that never closes, text after a closing quote, a
  // record too long) gives true with `erro` set. A quote still open when the record passes
  // `maximo` is refused there, and reading goes on with the next line.
  bool Proximo(std::vector<std::string>& campos, std::string& erro);
  // Number of the line on which the last record began.
  std::size_t linha() const { return linha_; }
  // Gives at most `maximo` values of a record, however many it has: those past it cost nothing.
  void LimitaValores(std::size_t maximo);
  // The separator between fields: once a line was read, the one taken from it when it was to be.
  char separador() const { return separador_; }

 private:
  LeitorLinhas& linhas_;
  std::size_t maximo_;
  char separador_;
  std::unique_ptr<RegistroCsv> registro_;
  std::size_t linha_ = 0;
  std::size_t limite_ = static_cast<std::size_t>(-1);
};

// Appends one CSV field, quoted when it must be, after `antes` when that is not '\0'.
void EscreveCampoCsv(std::string& saida, std::string_view valor, char antes = '\0');

}  // namespace lumbrava
