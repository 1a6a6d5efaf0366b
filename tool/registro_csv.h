// One CSV record read line by line (RFC 4180: "," between values, values with ",", '"' or line
// breaks between double quotes, '"' doubled inside them; the separator may be another character,
// as the ";" of a spreadsheet that writes the decimal comma). Shared by LeitorCsv and by the
// workers that turn a batch of lines into records.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/simd.h"
#include "common/texto.h"
#include "tool/csv.h"

namespace lumbrava {

inline constexpr std::size_t kNadaCsv = std::string_view::npos;

// One CSV record read line by line, as LeitorCsv reads it: a quoted value may run across lines,
// and a record refused as malformed keeps the values read until then. Values stand in the line
// where they can; a value with doubled quotes or line breaks is kept apart.
class RegistroCsv {
 public:
  // A record that grows past `maximo` bytes, line breaks included, while a quote is open is
  // refused. `separador` stands between values (an ASCII character other than '"').
  explicit RegistroCsv(std::size_t maximo = kMaximoRegistroDeDados, char separador = ',')
      : maximo_(maximo), separador_(separador) {}

  // Reads line `numero`: it begins a record, or goes on with the open one. True when the record
  // is complete (or refused: erro() is set); false while a quoted value is still open.
  bool Le(std::string_view linha, std::size_t numero) {
    std::size_t i = 0;
    const bool utf8 = EhUtf8Valido(linha);
    utf8_ = utf8 && (utf8_ || !aberto_);
    if (aberto_) {
      tamanho_ += 1 + linha.size();
      if (tamanho_ > maximo_) {
        return RecusaAberto();
      }
      std::string& valor = proprios_[Vaga(n_ - 1)];
      valor.push_back('\n');
      if (!FechaAspas(linha, i, valor)) {
        return false;
      }
      aberto_ = false;
      if (DepoisDasAspas(linha, i)) {
        return Conclui();
      }
    } else {
      linha_ = numero;
      n_ = 0;
      guardados_ = 0;
      algumProprio_ = false;
      erro_ = {};
      tamanho_ = linha.size();
      if (linha.empty()) {
        return true;  // a blank line: no value at all
      }
    }
    Marca(linha);
    for (;;) {  // at the start of a value
      Campo& c = Novo();
      if (i < linha.size() && linha[i] == '"') {
        ++i;
        const std::size_t aspas = Proxima(linha, i, true);
        if (aspas != kNadaCsv && (aspas + 1 == linha.size() || linha[aspas + 1] != '"')) {
          c.texto = linha.substr(i, aspas - i);  // the usual quoted value: nothing to undo
          i = aspas + 1;
        } else {
          c.proprio = true;
          algumProprio_ = true;
          std::string& valor = proprios_[Vaga(n_ - 1)];
          valor.clear();
          if (!FechaAspas(linha, i, valor)) {
            aberto_ = true;
            return false;
          }
        }
        if (DepoisDasAspas(linha, i)) {
          return Conclui();
        }
        continue;
      }
      const std::size_t virgula = Proxima(linha, i, false);
      if (virgula != kNadaCsv && linha[virgula] == '"') {  // before the next ","
        erro_ = "aspas no meio de um campo";
        return Conclui();
      }
      c.texto = linha.substr(i, virgula - i);
      if (virgula == kNadaCsv) {
        return Conclui();
      }
      i = virgula + 1;
    }
  }

  bool aberto() const { return aberto_; }
  // The open record's values are copied out of their lines, which may go. Those copied before
  // are not looked at again: a quote open over many lines costs no more than one line of values.
  void Guarda() {
    const std::size_t ate = std::min(n_ > 0 ? n_ - 1 : 0, limite_);
    for (std::size_t k = guardados_; k < ate; ++k) {
      if (!campos_[k].proprio) {
        proprios_[k].assign(campos_[k].texto);
        campos_[k].proprio = true;
        algumProprio_ = true;
      }
    }
    guardados_ = std::max(guardados_, ate);
  }
  // The end of the input with the record still open.
  void Encerra() {
    aberto_ = false;
    erro_ = "aspas abertas e não fechadas";
    Conclui();
  }
  // Forgets the open record.
  void Esquece() { aberto_ = false; }
  // Lets go of the memory of the values kept apart when it has grown past `maximo` bytes
  // together; between records, once the last one is done with.
  void Solta(std::size_t maximo) {
    std::size_t total = 0;
    for (const std::string& p : proprios_) {
      total += p.capacity();
    }
    if (total > maximo) {
      for (std::string& p : proprios_) {
        std::string().swap(p);
      }
    }
  }
  // The open record meets a line too long to hold, or grows past the bound of a record: refused.
  bool RecusaAberto() {
    aberto_ = false;
    erroProprio_ = "as aspas abertas nesta linha não se fecham em " + TextoBytes(maximo_) +
                   ", o limite de um registro CSV";
    erro_ = erroProprio_;
    return Conclui();
  }

  std::size_t linha() const { return linha_; }  // where the record began
  // True when every line of the record is well-formed UTF-8, and so is every value (they are cut
  // at ASCII bytes); when false, some value may still be.
  bool utf8() const { return utf8_; }
  std::string_view erro() const { return erro_; }
  std::size_t valores() const { return n_; }
  // Value `i`, for `i` below the limit of LimitaValores.
  std::string_view valor(std::size_t i) const { return campos_[i].texto; }
  // Keeps at most `maximo` values of a record: those past it are counted in valores() but not
  // kept, so that a record of many values costs no more memory than the values its reader uses.
  void LimitaValores(std::size_t maximo) { limite_ = maximo; }

 private:
  struct Campo {
    std::string_view texto;
    bool proprio = false;  // in proprios_
  };

  // Where the line's separators and '"' stand, sixteen bytes at a time: one bit per byte.
  void Marca(std::string_view linha) {
    mascaras_.assign(linha.size() / 64 + 1, 0);
    std::size_t i = 0;
#if LUMBRAVA_SSE2
    if (UsaSse2()) {
      const __m128i virgula = _mm_set1_epi8(separador_);
      const __m128i aspas = _mm_set1_epi8('"');
      for (; i + 16 <= linha.size(); i += 16) {
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(linha.data() + i));
        const auto m = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(b, virgula), _mm_cmpeq_epi8(b, aspas))));
        mascaras_[i / 64] |= std::uint64_t{m} << (i % 64);
      }
    }
#endif
    for (; i < linha.size(); ++i) {
      if (linha[i] == separador_ || linha[i] == '"') {
        mascaras_[i / 64] |= std::uint64_t{1} << (i % 64);
      }
    }
  }

  // The first separator or '"' (only '"' with `soAspas`) from `i`, or kNadaCsv.
  std::size_t Proxima(std::string_view linha, std::size_t i, bool soAspas) const {
    std::size_t w = i / 64;
    if (w >= mascaras_.size()) {
      return kNadaCsv;
    }
    std::uint64_t m = mascaras_[w] & (~std::uint64_t{0} << (i % 64));
    for (;;) {
      while (m == 0) {
        if (++w == mascaras_.size()) {
          return kNadaCsv;
        }
        m = mascaras_[w];
      }
      const std::size_t p = w * 64 + static_cast<std::size_t>(std::countr_zero(m));
      if (!soAspas || linha[p] == '"') {
        return p;
      }
      m &= m - 1;
    }
  }

  Campo& Novo() {
    const std::size_t k = Vaga(n_++);
    if (k == campos_.size()) {
      campos_.emplace_back();
      proprios_.emplace_back();
    }
    Campo& c = campos_[k];
    c = {};
    return c;
  }

  // Inside quotes from `i`: appends the value's text (doubled quotes undone) to `valor`. True with
  // `i` after the closing quote; false when the line ends first.
  static bool FechaAspas(std::string_view linha, std::size_t& i, std::string& valor) {
    for (;;) {
      const std::size_t aspas = linha.find('"', i);
      if (aspas == kNadaCsv) {
        valor.append(linha.substr(i));
        return false;
      }
      valor.append(linha.substr(i, aspas - i));
      i = aspas + 1;
      if (i < linha.size() && linha[i] == '"') {
        valor.push_back('"');
        ++i;
        continue;
      }
      return true;
    }
  }

  // After a closing quote: true when the record ends there (or is refused), false when a separator
  // leads to the next value.
  bool DepoisDasAspas(std::string_view linha, std::size_t& i) {
    if (i == linha.size()) {
      return true;
    }
    if (linha[i] != separador_) {
      erro_ = "texto depois das aspas que fecham um campo";
      return true;
    }
    ++i;
    return false;
  }

  bool Conclui() {
    for (std::size_t k = 0; algumProprio_ && k < std::min(n_, campos_.size()); ++k) {
      if (campos_[k].proprio) {
        campos_[k].texto = proprios_[k];
      }
    }
    return true;
  }

  // Where value `i` is kept: the values past the limit share one place, and are not read.
  std::size_t Vaga(std::size_t i) const { return std::min(i, limite_); }

  std::vector<Campo> campos_;
  std::vector<std::string> proprios_;    // one per value, used by the values kept apart
  std::vector<std::uint64_t> mascaras_;  // where the line's separators and '"' stand, a bit a byte
  std::size_t n_ = 0;
  std::size_t guardados_ = 0;  // values before this one are in proprios_ (Guarda)
  std::size_t limite_ = static_cast<std::size_t>(-1);  // of the values kept
  bool algumProprio_ = false;                          // a value of the record is in proprios_
  bool aberto_ = false;
  bool utf8_ = true;
  std::size_t linha_ = 0;
  std::size_t maximo_;
  char separador_;
  std::size_t tamanho_ = 0;  // of the record so far, line breaks included
  std::string_view erro_;
  std::string erroProprio_;
};

}  // namespace lumbrava
