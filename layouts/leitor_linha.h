// Reading one record line into the values of its layout's fields: where each field stands in a
// fixed-width or a "|"-separated line, when a line is refused and how the refusal is worded.
// clLayoutReg::PreencheLayoutApartirLinha reads through it, and so does a reader of many lines of
// one layout that writes their values out without setting them in the fields.
//
// Threads: a LeitorDeLinha only reads its layout (fields and settings) and writes only itself;
// several readers, each on its own thread, may read lines of one layout at once while nothing
// changes the layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/texto.h"
#include "layouts/numero.h"

namespace lumbrava {

class clLayoutReg;
class clLayoutCpo;

// Why a line is refused.
enum class MotivoRecusa : std::uint8_t {
  kNenhum,
  kLinhaLonga,     // a fixed-width line goes on past the record with more than blanks
  kNumeroCortado,  // the line ends inside a number's columns: it would read as another number
  kNaoEhNumero,    // a field read as a number holds something else
  kSemBarra,       // a line without "|" for a layout that reads "|"-separated values
  kValorLongo,     // a "|" value longer than its field, even without its blanks
  kValoresDemais,  // values after the last field's (empty ones aside)
};

// A refused line: why, the field concerned (none when it is the line as a whole) and the figures
// that the message gives.
struct RecusaDeLinha {
  MotivoRecusa motivo = MotivoRecusa::kNenhum;
  const clLayoutCpo* campo = nullptr;
  std::string valor;           // kNaoEhNumero, kValorLongo: the value without its blanks, UTF-8
  std::size_t quantidade = 0;  // the line's characters (kLinhaLonga), the column where it ends
                               // (kNumeroCortado), the value's characters (kValorLongo), the
                               // line's values (kValoresDemais)
  std::size_t limite = 0;      // the record's columns (kLinhaLonga), the fields (kValoresDemais)
};

// The message that names the refusal of a line of the layout `layout`, as every layout message
// reads: "layout 'lancamentos', campo 'Valor': '12X0' não é um número". Empty for kNenhum.
std::string MensagemDaRecusa(std::string_view layout, const RecusaDeLinha& recusa);

class LeitorDeLinha {
 public:
  // Writes a text of a code page of one byte a character as UTF-8 in `buffer`; gives its view.
  using ParaUtf8 = std::string_view (*)(std::string_view bytes, std::string& buffer);

  // A field's value as one line gives it.
  struct Valor {
    // A text: its characters in the line (trimmed when the field asks), or its operation text. A
    // number: the system's text of it ("-1520,75", "" when blank), always ASCII.
    std::string_view texto;
    bool daLinha = false;   // `texto` lies in the line, in the line's own bytes
    bool numero = false;    // `texto` is a number's text
    bool decimais = false;  // a number's text with decimals: it holds the decimal ","
  };

  // Reads lines of `layout` in UTF-8: columns are characters.
  explicit LeitorDeLinha(const clLayoutReg& layout);
  // Reads lines of `layout` in a code page of one byte a character (Windows-1252, say): columns
  // are bytes, and `paraUtf8` gives a text in UTF-8 where the reader needs one (the value that a
  // refusal names; a number whose decimal separator is not ASCII).
  LeitorDeLinha(const clLayoutReg& layout, ParaUtf8 paraUtf8);

  // Finds, once, where every field of a plain fixed-width layout (no operation texts, no
  // field-end separators) stands in a line that holds them all, so that such a line is cut with
  // no walk along the fields. The layout must not change after this while the reader reads it.
  void Planeja();

  // Reads one line (without its line end). True when it is read; false when it is refused, and
  // recusa() says why (the first problem met). Either way valores() holds every field's value as
  // read: the text of a refused field as it stands (without its blanks when it is no number), and
  // nothing for the fields of a line that a "|" layout cannot read.
  // - a fixed-width line: a field with an operation text takes that text, every other field its
  //   own columns, shifted past the kSeparadorNoFinalDoCampo found so far (each field whose
  //   separadorNoFinalDeCadaCampo is in force may be followed by it). A line that ends before a
  //   field leaves it empty and a text cut by the end keeps what is there; a number cut by it, and
  //   a line that goes on past the record with more than blanks, are refused;
  // - a "|" line begins with "|"; the k-th field takes the k-th value, and a closing "|" is
  //   optional. A line without "|" (the empty line aside), a value longer than its field even
  //   without its blanks (a value that fits only so is taken without them) and values after the
  //   last field's (empty ones aside) are refused;
  // - eliminaEspacos trims the value; a field read as a number (clLayoutCpo::LidoComoNumero) is
  //   read with the settings in force (implied decimals included) into the system's text.
  // `ascii` says that every byte of the line is below 0x80, when the caller knows it.
  bool Le(std::string_view linha);
  bool Le(std::string_view linha, bool ascii);
  // The same, handing each field's value over to `destino` without keeping it in valores(): a
  // line that holds every field of a plain layout (Planeja) is read so in one pass, each value
  // handed over as soon as it is read, each number written straight where `destino` wants it.
  // `destino` has three members:
  // - void Comeca(): the values of the line follow, from its first field's;
  // - char* Numero(std::size_t k, std::size_t bytes): where to write the text of the number of
  //   the k-th field (in field order), with room for `bytes`;
  // - void Valor(std::size_t k, const Valor& valor): the k-th field's value (a number's text
  //   where Numero said).
  // Values handed over before the line turns out refused are to be dropped, and Comeca may come
  // again, before the first field's value once more. When the line is read, every field's value
  // was handed over, in field order, after the last Comeca. All the values of a line of
  // well-formed text take at most BytesDosValores() bytes together.
  template <class Destino>
  bool Le(std::string_view linha, bool ascii, Destino& destino);

  // The most bytes that the values of one line of well-formed text take together, as handed over
  // (numbers as their system's text): a field's text takes at most four bytes a column, or its
  // operation text's bytes; a number's text at most that, its decimals and three more ("-0,").
  std::size_t BytesDosValores() const { return bytesDosValores_; }

  // The values of the line last read by Le without `destino`, in field order. They point into the
  // line, the layout and the reader: good until the next line is read.
  const std::vector<Valor>& valores() const { return valores_; }
  const RecusaDeLinha& recusa() const { return recusa_; }

 private:
  friend class clLayoutReg;

  // How one field is read, in field order.
  struct Campo {
    const clLayoutCpo* campo = nullptr;
    bool numero = false;
    bool apara = false;
    bool separadorAscii = true;
    LeituraNumero leitura;
  };
  // Where a field stands in a line that holds every field, in field order (see Planeja).
  struct Trecho {
    Campo campo;            // kept here, where it is read on every line
    std::size_t de = 0;     // its first column (from 0)
    std::size_t bytes = 0;  // its columns; 0 for a field without columns
    std::size_t iDe = 0;    // its first and its end column, by their places in fronteiras_
    std::size_t iAte = 0;
  };

  LeitorDeLinha() = default;
  // Reads `layout` from now on, as it stands (no plan).
  void Aponta(const clLayoutReg& layout);

  // Begins a line: true when it goes the plan's way (it holds every field, and nothing but
  // blanks after the record), with deslocamentos_ found for a UTF-8 line.
  bool Comeca(std::string_view linha, bool ascii);
  // Reads the line field by field, into valores_: in column order, or value by value.
  void LeCampos(std::string_view linha);
  void LeFixa(std::string_view linha);
  void LeBarras(std::string_view linha);
  // One field's text cut from the line: trimmed, read as a number when it is one.
  void Atribui(std::size_t indice, std::string_view texto, bool daLinha, std::string_view linha);
  // The line's fields in field order, to `destino`, from the plan; false when a number is no
  // number (the line is then read again field by field, for the first problem).
  template <class Destino>
  bool LePlano(std::string_view linha, Destino& destino);
  // Reads the value `v` of the k-th field, a number field, into the system's text, written where
  // destino.Numero(k, ...) says; false when it is no number.
  template <class Destino>
  bool LeNumero(const Campo& c, std::size_t k, Valor& v, std::string_view linha, Destino& destino);
  // Keeps numbers in numeros_ and values in valores_: the destination of Le without one.
  struct Guarda {
    LeitorDeLinha& leitor;
    void Comeca() {}
    char* Numero(std::size_t k, std::size_t bytes);
    void Valor(std::size_t k, const LeitorDeLinha::Valor& v);
  };
  void NaoEhNumero(const Campo& k, Valor& v);
  // A number's text of the line in UTF-8, for a separator that is not ASCII.
  std::string_view NumeroEmUtf8(std::string_view numero);
  // Room for `bytes` more in numeros_; the numbers already written stay where they are.
  void CresceNumeros(std::size_t bytes);
  void Recusa(MotivoRecusa motivo, const clLayoutCpo* campo, std::size_t quantidade = 0,
              std::size_t limite = 0);
  // The text as UTF-8, for a message.
  std::string Utf8(std::string_view texto, bool daLinha);

  const clLayoutReg* layout_ = nullptr;
  ParaUtf8 paraUtf8_ = nullptr;
  std::vector<Campo> campos_;
  std::size_t comprimento_ = 0;             // the record's columns, field-end separators included
  std::size_t bytesDosValores_ = 0;         // BytesDosValores()
  std::vector<Trecho> plano_;               // empty: every line is cut field by field
  std::size_t planoCobre_ = 0;              // the columns a line needs to hold every field
  std::vector<std::size_t> fronteiras_;     // the columns where the fields begin and end, in order
  std::vector<std::size_t> deslocamentos_;  // where they stand in a UTF-8 line, per line
  // Per line:
  bool porBytes_ = false;  // its columns are bytes: one byte a character, or ASCII
  bool sse2_ = false;      // the vector level, asked once for all of the line's numbers
  std::vector<Valor> valores_;
  std::string numeros_;  // the numbers' texts, one after another
  std::size_t numerosUsados_ = 0;
  std::vector<std::string> cheios_;  // earlier rooms of numeros_ that the line's numbers fill
  std::string conversao_;
  RecusaDeLinha recusa_;
};

template <class Destino>
[[gnu::always_inline]] inline bool LeitorDeLinha::LeNumero(const Campo& c, std::size_t k, Valor& v,
                                                           std::string_view linha,
                                                           Destino& destino) {
  std::string_view numero = v.texto;
  std::string_view legivel = v.daLinha ? linha : numero;
  // An ASCII separator reads the same in the line's own bytes, where any other byte is no digit.
  if (!c.separadorAscii && v.daLinha && paraUtf8_ != nullptr) [[unlikely]] {
    numero = NumeroEmUtf8(numero);
    legivel = numero;
  }
  // Room for what EscreveNumeroDoCampo writes: the text, the decimals' zeros and 32 bytes more.
  const std::size_t espaco =
      numero.size() + static_cast<std::size_t>(c.leitura.decimais > 0 ? c.leitura.decimais : 0) +
      40;
  char* const o = destino.Numero(k, espaco);
  bool decimais = false;
  const char* const fim = EscreveNumeroDoCampo(o, numero, c.leitura, legivel, decimais, sse2_);
  if (fim == nullptr) [[unlikely]] {
    return false;
  }
  v.texto = std::string_view(o, static_cast<std::size_t>(fim - o));
  v.daLinha = false;
  v.numero = true;
  v.decimais = decimais;
  return true;
}

// Inlined, with the destination's members, where the line is read: what the destination keeps
// of its place (where it writes) stays in a register along the fields.
template <class Destino>
[[gnu::always_inline]] inline bool LeitorDeLinha::LePlano(std::string_view linha,
                                                          Destino& destino) {
  std::size_t k = 0;
  Valor v;
  destino.Comeca();
  for (const Trecho& t : plano_) {
    const std::size_t de = porBytes_ ? t.de : deslocamentos_[t.iDe];
    const std::size_t ate = porBytes_ ? t.de + t.bytes : deslocamentos_[t.iAte];
    v.texto = std::string_view(linha.data() + de, ate - de);
    const Campo& c = t.campo;
    if (c.apara) {
      v.texto = Apara(v.texto);
    }
    v.daLinha = true;
    v.numero = false;
    if (c.numero && !LeNumero(c, k, v, linha, destino)) {
      return false;
    }
    destino.Valor(k++, static_cast<const Valor&>(v));
  }
  return true;
}

template <class Destino>
[[gnu::always_inline]] inline bool LeitorDeLinha::Le(std::string_view linha, bool ascii,
                                                     Destino& destino) {
  if (Comeca(linha, ascii) && LePlano(linha, destino)) {
    return true;
  }
  LeCampos(linha);
  if (recusa_.motivo != MotivoRecusa::kNenhum) {
    return false;
  }
  destino.Comeca();
  for (std::size_t k = 0; k < valores_.size(); ++k) {
    Valor v = valores_[k];
    if (v.numero) {
      char* const o = destino.Numero(k, v.texto.size());
      v.texto = std::string_view(o, static_cast<std::size_t>(Copia(o, v.texto) - o));
    }
    destino.Valor(k, static_cast<const Valor&>(v));
  }
  return true;
}

}  // namespace lumbrava
