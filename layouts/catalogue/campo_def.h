// One row of a composer's field table: the arguments of one AcrescentaCampoAppend call, with the
// start column the row must land on. Tables read like the target systems' own layout sheets:
//
//   {inicio, "nome", tamanho, decimais, "tipo"},
//   {inicio, "nome", tamanho, decimais, "tipo", {.alinhamento = "D"}},
#pragma once

#include <string_view>

namespace lumbrava {

// The further arguments of a field, empty or false unless a row names them.
struct Opcoes {
  std::string_view operacao{};
  std::string_view alinhamento{};
  bool semFormatacao = false;
  std::string_view qualificador{};
  bool eliminaEspacos = false;
};

struct CampoDef {
  int inicio;
  std::string_view nome;
  int tamanho;
  int decimais;
  std::string_view tipo;
  Opcoes outros;

  constexpr CampoDef(int inicio_, std::string_view nome_, int tamanho_, int decimais_,
                     std::string_view tipo_, Opcoes outros_ = {})
      : inicio(inicio_),
        nome(nome_),
        tamanho(tamanho_),
        decimais(decimais_),
        tipo(tipo_),
        outros(outros_) {}
};

// Common options.
inline constexpr Opcoes kAlinhaDireita{.alinhamento = "D"};
inline constexpr Opcoes kQualificado{.qualificador = "\""};

}  // namespace lumbrava
