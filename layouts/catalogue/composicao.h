// The form in which the catalogue states its layouts, and the one composition that walks it.
//
// A layout is a table of steps run in order on a new layout object. Most steps are field rows,
// written like the target systems' own layout sheets, with the column the row must land on:
//
//   {inicio, "nome", tamanho, decimais, "tipo"},
//   {inicio, "nome", tamanho, decimais, "tipo", {.alinhamento = "D"}},
//
// Around and between the rows stand the composer's other steps, in the order it takes them:
//
//   Define(&clLayoutReg::separaCasasDecimais, true)          a layout-wide setting, assigned
//   Define(&clLayoutReg::separadorCasasDecimais, ".")
//   Particular("valor", true, false, false, ",", false, false)   AplicaConfiguracaoParticular
//   Alinha("observ", "D")     writes alinhamento on the field the row just before returned
//   Rotina(inicio, colunas, Funcao)   fields whose names are built while composing; the function
//                                     appends `colunas` columns from `inicio`
//
// A table reaches a composer only as a `Tabela`, and a `Tabela` is built only while compiling,
// which checks it: a row that does not start where the running column stands (a repeated name
// included: the running column moves on with every append) stops the build. Nothing has to be
// added for that; `{"nome", kTabela}` in a composer's list of layouts is where it happens.
//
// A composer (`Compositor`) is the layouts it knows, in its order of comparison, with what it does
// on every call (steps before the comparison, a closing routine after it), the composer that gets
// the names it does not know, and whether it traps errors. A target system (`Sistema`) is its
// identifier, its list of layout names as the catalogue states it, and its first composer; it is
// named once in sistemas.inc.
//
// Everything here is constant data: it is safe to share between threads. Compoe works on the one
// layout object it is given and on that layout's product (a closing routine may reach the
// product's other layouts); two compositions on one product need the caller's lock.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "layouts/cl_layout_reg.h"

namespace lumbrava::catalogo {

// The further arguments of a field, empty or false unless a row names them.
struct Opcoes {
  std::string_view operacao{};
  std::string_view alinhamento{};
  bool semFormatacao = false;
  std::string_view qualificador{};
  bool eliminaEspacos = false;
};

// Common options.
inline constexpr Opcoes kAlinhaDireita{.alinhamento = "D"};
inline constexpr Opcoes kQualificado{.qualificador = "\""};

enum class Acao : unsigned char {
  kCampo,        // AcrescentaCampoAppend
  kDefineBool,   // a Boolean layout-wide setting
  kDefineTexto,  // a text layout-wide setting
  kParticular,   // AplicaConfiguracaoParticular
  kAlinha,       // alinhamento written on the field just appended
  kRotina,       // a function that appends fields
};

struct Passo {
  Acao acao = Acao::kCampo;
  int inicio = 0;           // kCampo, kRotina: the column the step starts on
  std::string_view nome{};  // kCampo, kParticular, kAlinha: the field
  int tamanho = 0;          // kCampo: its size; kRotina: the columns the function appends
  int decimais = 0;
  std::string_view tipo{};  // kCampo: the type text; kAlinha: the alignment; kDefineTexto: value
  Opcoes outros{};
  bool clLayoutReg::*membroBool = nullptr;          // kDefineBool
  std::string clLayoutReg::*membroTexto = nullptr;  // kDefineTexto
  bool valor = false;                               // kDefineBool
  // kParticular: the six values of AplicaConfiguracaoParticular after the field's name.
  bool separaCasasDecimais = false;
  bool espacoNosNumerosVazios = false;
  bool espacoAdireitaNumeros = false;
  std::string_view separadorCasasDecimais{};
  bool separadorNoFinalDeCadaCampo = false;
  bool semFormatacao = false;
  void (*rotina)(clLayoutReg&) = nullptr;  // kRotina

  constexpr Passo() = default;
  // A field row.
  constexpr Passo(int inicio_, std::string_view nome_, int tamanho_, int decimais_,
                  std::string_view tipo_, Opcoes outros_ = {})
      : inicio(inicio_),
        nome(nome_),
        tamanho(tamanho_),
        decimais(decimais_),
        tipo(tipo_),
        outros(outros_) {}
};

constexpr Passo Define(bool clLayoutReg::*membro, bool valor) {
  Passo p;
  p.acao = Acao::kDefineBool;
  p.membroBool = membro;
  p.valor = valor;
  return p;
}

constexpr Passo Define(std::string clLayoutReg::*membro, std::string_view valor) {
  Passo p;
  p.acao = Acao::kDefineTexto;
  p.membroTexto = membro;
  p.tipo = valor;
  return p;
}

constexpr Passo Particular(std::string_view campo, bool separaCasasDecimais,
                           bool espacoNosNumerosVazios, bool espacoAdireitaNumeros,
                           std::string_view separadorCasasDecimais,
                           bool separadorNoFinalDeCadaCampo, bool semFormatacao) {
  Passo p;
  p.acao = Acao::kParticular;
  p.nome = campo;
  p.separaCasasDecimais = separaCasasDecimais;
  p.espacoNosNumerosVazios = espacoNosNumerosVazios;
  p.espacoAdireitaNumeros = espacoAdireitaNumeros;
  p.separadorCasasDecimais = separadorCasasDecimais;
  p.separadorNoFinalDeCadaCampo = separadorNoFinalDeCadaCampo;
  p.semFormatacao = semFormatacao;
  return p;
}

constexpr Passo Alinha(std::string_view campo, std::string_view alinhamento) {
  Passo p;
  p.acao = Acao::kAlinha;
  p.nome = campo;
  p.tipo = alinhamento;
  return p;
}

constexpr Passo Rotina(int inicio, int colunas, void (*funcao)(clLayoutReg&)) {
  Passo p;
  p.acao = Acao::kRotina;
  p.inicio = inicio;
  p.tamanho = colunas;
  p.rotina = funcao;
  return p;
}

// The faults a table can have. They are not constexpr: a check that reaches one stops the build
// with its name. The notes above it name the table (clang's show the row's field and columns too).
inline void LinhaForaDaColunaCorrente() {}
inline void TamanhoNegativo() {}
inline void AlinhaSemOCampoDaLinhaAnterior() {}

// A field row or routine: starts on the running column and takes zero columns or more.
constexpr void ConfereLinha(std::string_view campo, int inicio, int tamanho, int colunaCorrente) {
  if (inicio != colunaCorrente) {
    LinhaForaDaColunaCorrente();
  }
  if (tamanho < 0) {
    TamanhoNegativo();
  }
  static_cast<void>(campo);  // shown in the notes of a failing check
}

// An Alinha: names the field of the row just before it.
constexpr void ConfereAlinha(std::string_view campo, std::string_view campoAnterior) {
  if (campo != campoAnterior || campoAnterior.empty()) {
    AlinhaSemOCampoDaLinhaAnterior();
  }
}

// A layout's steps, checked when built (ConfereLinha, ConfereAlinha). The constructors run only
// while compiling, so no table reaches a composer unchecked.
class Tabela {
 public:
  consteval Tabela() = default;
  // Not explicit: a table is written where a Tabela is expected.
  template <std::size_t N>
  consteval Tabela(const Passo (&passos)[N]) : passos_(passos) {
    int coluna = 1;
    std::string_view anterior;
    for (const Passo& p : passos_) {
      if (p.acao == Acao::kCampo || p.acao == Acao::kRotina) {
        ConfereLinha(p.nome, p.inicio, p.tamanho, coluna);
        coluna += p.tamanho;
        anterior = p.acao == Acao::kCampo ? p.nome : std::string_view();
      } else if (p.acao == Acao::kAlinha) {
        ConfereAlinha(p.nome, anterior);
      }
    }
  }

  constexpr std::span<const Passo> passos() const { return passos_; }

 private:
  std::span<const Passo> passos_;
};

struct Layout {
  std::string_view nome;
  Tabela passos;
};

struct Compositor {
  std::string_view nome;                 // the composer's name, as the sources call it
  std::span<const Layout> layouts;       // in its order of comparison (exact, case-sensitive)
  Tabela antes{};                        // run on every call, before the name is compared
  const Compositor* seguinte = nullptr;  // gets every name this one does not know
  // Run after the layout (or the hand-over, or an unknown name), with the name asked for.
  void (*fechamento)(clLayoutReg&, const std::string& registro) = nullptr;
  // Not empty: an error while composing is logged through RegistraErro with this message
  // followed by the error's number, "::" and its description, and the composition returns
  // normally with the fields appended so far.
  std::string_view mensagemErro{};
};

struct Sistema {
  std::string_view identificador;
  // The layout names, separated by "," (a trailing "," may close the list), exactly as the
  // catalogue states them.
  std::string_view layouts;
  const Compositor* compositor;
};

// Runs the composer `compositor` on `layout` for the layout name `registro`.
void Compoe(const Compositor& compositor, clLayoutReg& layout, const std::string& registro);

// Runs one layout's steps on `layout`.
void Executa(const Tabela& tabela, clLayoutReg& layout);

}  // namespace lumbrava::catalogo
