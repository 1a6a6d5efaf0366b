// The record layout: an ordered set of fixed-width or delimited fields that reads its values from a
// text line and writes them back, with layout-wide and per-field output settings.
//
// Threads: the const operations (ExpandeLayout, ExpandeLayoutDiv, the look-ups, pegaValor,
// TamanhoRegistro) change nothing in the layout, and neither does a LeitorDeLinha, so several
// threads may run them on one layout at once; every other operation changes the layout or its
// fields' values and needs the layout to itself. A thread that reads or writes records gets its own
// copy (the copy constructor).
#pragma once

#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/cl_layout_cpo.h"

namespace lumbrava {

class clProduto;

// A value that cannot be written into its field. The message names the layout, the field and the
// value, its control characters shown as escapes and a long value by its first 200 characters
// (TrechoVisivel, common/visivel.h); valor() is the value as given.
class ErroValor : public std::runtime_error {
 public:
  ErroValor(std::string layout, std::string campo, std::string valor, const std::string& motivo);
  const std::string& layout() const { return layout_; }
  const std::string& campo() const { return campo_; }
  const std::string& valor() const { return valor_; }

 private:
  std::string layout_;
  std::string campo_;
  std::string valor_;
};

class clLayoutReg {
 public:
  clLayoutReg();
  ~clLayoutReg();
  // A copy has its own fields (names, columns, settings and values), and the same product.
  clLayoutReg(const clLayoutReg& outro);
  clLayoutReg& operator=(const clLayoutReg&) = delete;

  // --- identity -----------------------------------------------------------------------------
  std::string nomeRegistro;
  clProduto* produto = nullptr;
  // The running column: where the next appended field begins (0 on a new layout, read as 1).
  int proximaColuna = 0;

  // --- layout-wide output settings (a new layout: every flag false, the separator ",") ---------
  bool virgulasNosNumericos = false;    // the decimal separator is written
  bool separaCasasDecimais = false;     // the decimal separator is written
  bool espacoNosNumerosVazios = false;  // blanks in place of zeros; zero is written as blanks
  bool espacoAdireitaNumeros = false;   // numbers are filled with blanks in place of zeros
  std::string separadorCasasDecimais = ",";
  bool separadorNoFinalDeCadaCampo = false;  // the fixed-width record ends each field with ";"
  bool leituraComPipe = false;               // lines are read as "|"-separated values

  // --- composition ---------------------------------------------------------------------------
  // Chooses the composer of the target system `sistema` (exact, case-sensitive) among the
  // catalogue's systems (layouts/catalogo.h) and has it append the fields of the layout
  // `registro`. An unknown system adds nothing.
  void CompoeLayout(const std::string& sistema, const std::string& registro);

  // Appends one field at the running column (0 counts as 1) and returns it. A field of exactly the
  // same name is updated in place (it keeps its place in the field order and takes the new
  // columns). Then the changed field is checked against every other: a name equal ignoring case
  // at other columns shows the critical message "Campo ambíguo: <name>" and the check goes on;
  // overlapping columns show "Campos conflitantes: <a> (Posição de i a f) com <b> (Posição de i a
  // f)" and the check ends there, returning null. Both are titled "clLayoutReg.AcrescentaCampo";
  // the field stays in the layout in both cases. Throws std::overflow_error when the running
  // column would leave the 32-bit range, or std::invalid_argument for a negative size.
  clLayoutCpo* AcrescentaCampoAppend(int tamanho, std::string_view nome, int decimais,
                                     std::string_view tipo, std::string_view operacao = {},
                                     std::string_view alinhamento = {}, bool semFormatacao = false,
                                     std::string_view qualificador = {},
                                     bool eliminaEspacos = false);

  // Gives the field `campo` (names compared upper-cased, untrimmed) output settings of its own.
  // A missing field is reported as "nao localizou campo: '<campo>' em '<nomeRegistro>'" through
  // RegistraErroLayout and gives false.
  bool AplicaConfiguracaoParticular(std::string_view campo, bool separaCasasDecimais,
                                    bool espacoNosNumerosVazios, bool espacoAdireitaNumeros,
                                    std::string_view separadorCasasDecimais,
                                    bool separadorNoFinalDeCadaCampo, bool semFormatacao);

  // --- fields ----------------------------------------------------------------------------------
  const std::vector<std::unique_ptr<clLayoutCpo>>& campos() const { return campos_; }

  // The record length: the last column that any field reaches, 0 without fields.
  int TamanhoRegistro() const;
  // The length of the fixed-width record that ExpandeLayout writes: TamanhoRegistro plus the
  // field-end separators in force.
  int ComprimentoRegistro() const;

  // Field look-ups compare both names upper-cased and untrimmed.
  clLayoutCpo* LocalizaCampo(std::string_view nome);
  const clLayoutCpo* LocalizaCampo(std::string_view nome) const;
  bool ExisteCampo(std::string_view nome) const;

  // Sets a field's value; false when there is no such field.
  bool InformaValor(std::string_view campo, std::string_view valor);
  // Sets a field's value from a binary number, written in its shortest exact form with the
  // decimal comma ("12,5"); false when there is no such field or the number is not finite.
  bool InformaValorDouble(std::string_view campo, double valor);
  // The field's value; empty when there is no such field.
  std::string pegaValor(std::string_view campo) const;
  // Empties every field's value.
  void LimpaValores();

  // --- reading ---------------------------------------------------------------------------------
  // Fills every field's value from one line (UTF-8, without its line end), as LeitorDeLinha
  // (layouts/leitor_linha.h) reads it: by columns, or "|"-separated values with leituraComPipe;
  // eliminaEspacos trims the value, and a field read as a number holds the system's text of it
  // ("12,50"), or "" when blank. Every value is emptied first. Returns false when the line is
  // refused (a number that is not one or that the end of the line cuts, a fixed-width line that
  // goes on past the record with more than blanks, a "|" line without "|", a "|" value longer than
  // its field, values beyond the last field): the fields then hold the text as read and, when
  // `erro` is given, it receives the message (MensagemDaRecusa) of the first problem.
  bool PreencheLayoutApartirLinha(std::string_view linha, std::string* erro = nullptr);

  // The fields in column order, field order among equal start columns: the order lines are cut in.
  const std::vector<const clLayoutCpo*>& camposPorColuna() const { return porColuna_; }

  // --- writing ---------------------------------------------------------------------------------
  // The fixed-width record: every field at its own columns (ValorFormatado), columns that no field
  // covers in blanks, and kSeparadorNoFinalDoCampo after each field whose
  // separadorNoFinalDeCadaCampo is in force (reading skips it the same way). Throws ErroValor.
  std::string ExpandeLayout() const;
  void ExpandeLayout(std::string& saida) const;
  // The same with the values given apart in place of the fields' own: `valores[k]` is the value
  // of the field camposPorColuna()[k], as many as there are fields. A writer fills them straight
  // from its input, without copying them into the fields. The record is written from the start of
  // `saida`, which is not cut (Espaco in common/texto.h): its length comes back.
  std::size_t ExpandeLayout(std::string& saida, std::span<const std::string_view> valores) const;

  // The delimited record, fields in field order: each value formatted as in the fixed-width record
  // and, with `apara`, trimmed; a field with a qualifier has its value between two copies of it
  // (a qualifier inside the value becomes a blank); values are joined by `separador`, and
  // `delimitadorExterno` stands before the first and after the last. Throws ErroValor, also for
  // an unqualified value that holds the separator.
  std::string ExpandeLayoutDiv(std::string_view separador, std::string_view delimitadorExterno,
                               bool apara) const;
  void ExpandeLayoutDiv(std::string& saida, std::string_view separador,
                        std::string_view delimitadorExterno, bool apara) const;
  // The same with "|" between, before and after the values, trimmed: "|a|b|c|".
  std::string ExpandeLayoutDivBarra() const;

 private:
  friend class clLayoutCpo;
  friend class LeitorDeLinha;

  // Creates or updates the field; see AcrescentaCampoAppend.
  clLayoutCpo* AcrescentaCampo(std::string_view nome, int inicio, int fim, int tamanho,
                               int decimais, std::string_view tipo, std::string_view operacao,
                               std::string_view alinhamento, bool semFormatacao,
                               std::string_view qualificador, bool eliminaEspacos);
  // Reports a layout error to the operator (who may ask not to be alerted again) and to the
  // layout error file.
  void RegistraErroLayout(std::string_view mensagem);

  // ExpandeLayout with the values given apart (porColuna_'s order) or, when `valores` is null,
  // the fields' own.
  std::size_t Expande(std::string& saida, const std::string_view* valores) const;
  // Expande for overlapping fields (a layout that was warned of conflicting fields).
  void ExpandeSobreposto(std::string& saida, const std::string_view* valores) const;

  // Keeps porColuna_ in column order after the field `campo` was appended or moved.
  void ReordenaPorColuna(const clLayoutCpo* campo);

  std::vector<std::unique_ptr<clLayoutCpo>> campos_;
  bool alertaErros_ = true;
  // The fields in column order (field order among equal start columns), kept on every append, and
  // the place of each in field order.
  std::vector<const clLayoutCpo*> porColuna_;
  std::vector<std::size_t> indicePorColuna_;
};

// What a field whose separadorNoFinalDeCadaCampo is in force has written after its columns.
inline constexpr std::string_view kSeparadorNoFinalDoCampo = ";";

// The layout error file, in the program's folder.
inline constexpr std::string_view kArquivoErrosLayout = "ErrosLayout.txt";

// The field's settings in force, read on every value: defined here, where the layout is known.
inline const std::string& clLayoutCpo::SeparadorDecimalEfetivo() const {
  return configuracaoParticular || layout_ == nullptr ? separadorCasasDecimais
                                                      : layout_->separadorCasasDecimais;
}

inline bool clLayoutCpo::SeparadorNoFinalEfetivo() const {
  return configuracaoParticular || layout_ == nullptr ? separadorNoFinalDeCadaCampo
                                                      : layout_->separadorNoFinalDeCadaCampo;
}

inline bool clLayoutCpo::EscreveSeparador() const {
  const bool propria = configuracaoParticular || layout_ == nullptr ? separaCasasDecimais
                                                                    : layout_->separaCasasDecimais;
  return propria || (layout_ != nullptr && layout_->virgulasNosNumericos);
}

}  // namespace lumbrava
