// Streaming input lines and CSV (RFC 4180: "," between fields, fields with "," , '"' or line
// breaks between double quotes, '"' doubled inside them).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lumbrava {

// Lines of a file read in large blocks. A line comes without its "\n" or "\r\n"; a UTF-8
// byte-order mark at the start of the file is skipped. Memory holds one block and the current
// line, whatever the file's size.
class LeitorLinhas {
 public:
  explicit LeitorLinhas(std::FILE* arquivo);
  // The next line; false at the end of the file or on a read error (see Falhou).
  bool Proxima(std::string_view& linha);
  bool Falhou() const { return falhou_; }
  // The system's reason for the read error ("Is a directory").
  std::string MotivoDaFalha() const;
  // Number of the line last returned, from 1.
  std::size_t numero() const { return numero_; }

 private:
  void PulaMarca(std::string_view& linha);

  std::FILE* arquivo_;
  std::vector<char> bloco_;
  std::size_t inicio_ = 0;
  std::size_t fim_ = 0;
  bool acabou_ = false;
  bool falhou_ = false;
  int erro_ = 0;
  bool primeira_ = true;
  std::string longa_;  // a line that runs across blocks
  std::size_t numero_ = 0;
};

// CSV records over LeitorLinhas; a quoted field may span lines.
class LeitorCsv {
 public:
  explicit LeitorCsv(LeitorLinhas& linhas) : linhas_(linhas) {}
  // The next record's fields; false at the end. A blank line gives no field at all, and `""` one
  // empty field. A malformed record (a quote that never closes, text after a closing quote) gives
  // true with `erro` set.
  bool Proximo(std::vector<std::string>& campos, std::string& erro);
  // Number of the line on which the last record began.
  std::size_t linha() const { return linha_; }

 private:
  LeitorLinhas& linhas_;
  std::size_t linha_ = 0;
};

// Appends one CSV field, quoted when it must be, after `antes` when that is not '\0'.
void EscreveCampoCsv(std::string& saida, std::string_view valor, char antes = '\0');

// Output gathered in a buffer and written in large blocks.
class Saida {
 public:
  explicit Saida(std::FILE* arquivo) : arquivo_(arquivo) { buffer_.reserve(1U << 20U); }
  ~Saida() { Descarrega(); }
  Saida(const Saida&) = delete;
  Saida& operator=(const Saida&) = delete;
  std::string& buffer() { return buffer_; }
  void TalvezDescarregue() {
    if (buffer_.size() >= (1U << 20U)) {
      Descarrega();
    }
  }
  // False when the file could not be written.
  bool Descarrega();
  bool Falhou() const { return falhou_; }
  // The system's reason for the read error ("Is a directory").
  std::string MotivoDaFalha() const;

 private:
  std::FILE* arquivo_;
  std::string buffer_;
  bool falhou_ = false;
};

}  // namespace lumbrava
