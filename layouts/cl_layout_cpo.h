// One field of a record layout.
#pragma once

#include <string>
#include <string_view>

namespace lumbrava {

class clLayoutReg;

class clLayoutCpo {
 public:
  explicit clLayoutCpo(clLayoutReg* layout) : layout_(layout) {}

  std::string nome;
  int inicio = 0;   // first column, from 1
  int fim = 0;      // last column
  int posicao = 0;  // read position: the first column
  int tamanho = 0;
  int decimais = 0;
  std::string tipo;  // "N" numeric; "S", "C", "Cd", "Sd" text; "D", "H" and others are numbers
  std::string operacao;
  std::string alinhamento;  // "D" right-aligned text
  bool semFormatacao = false;
  std::string qualificador;
  bool eliminaEspacos = false;

  // Settings of its own, in force when configuracaoParticular is true.
  bool configuracaoParticular = false;
  bool separaCasasDecimais = false;
  bool espacoNosNumerosVazios = false;
  bool espacoAdireitaNumeros = false;
  std::string separadorCasasDecimais;
  bool separadorNoFinalDeCadaCampo = false;

  // The field's value, as text ("12,50" for a number).
  std::string valor;

  clLayoutReg* layout() const { return layout_; }

  // True for the type texts whose values stay text: "S", "C", "Cd" and "Sd".
  bool EhTexto() const;
  // True when a line is read into the value as a number: type "N" alone, without semFormatacao;
  // every other type is read as it stands, as text.
  bool LidoComoNumero() const { return tipo == "N" && !semFormatacao; }
  // The output settings in force: the field's own (configuracaoParticular), or its layout's.
  const std::string& SeparadorDecimalEfetivo() const;
  bool SeparadorNoFinalEfetivo() const;
  // True when the decimal separator is written (the field's or layout's separaCasasDecimais, or
  // the layout's virgulasNosNumericos).
  bool EscreveSeparador() const;

  // The value fitted to the field's width, `tamanho` characters:
  // - semFormatacao: the value as it is, cut to the width and filled like a text;
  // - a text type: cut to the width; right-aligned and trimmed with alinhamento "D" or a
  //   two-letter type ending in "d" ("Sd", "Cd"), else left-aligned; blanks fill the rest;
  // - a date or time ("D", "H"): digits only, right-aligned in zeros; blank stays blank;
  // - "N": the number rules of FormataNumero (numero.h) with the settings in force;
  // - any other type ("N'"): a number by the same rules, written on the left of the field and
  //   followed by blanks, as a text is filled; a blank value stays blank.
  // Throws ErroValor when a number does not fit, a numeric value is not a number, or the value
  // holds a line break.
  std::string ValorFormatado() const;
  void ValorFormatado(std::string& saida) const;
  // The same for the value `valor` in place of the field's own, written from byte `posicao` of
  // `saida`, which grows when it has no room and is not cut (Espaco in common/texto.h); `posicao`
  // moves to the end of what was written. A record is built so in one string, field after field.
  void ValorFormatado(std::string_view valor, std::string& saida, std::size_t& posicao) const;

 private:
  friend class clLayoutReg;
  clLayoutReg* layout_;
  std::string nomeMaiusculo_;
};

}  // namespace lumbrava
