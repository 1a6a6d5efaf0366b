// The catalogue's table of target systems: each system's identifier, its composer and the list of
// its layout names. CompoeLayout and clProdutos both read it, so a system is added in one place.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumbrava {

class clLayoutReg;

struct SistemaCatalogo {
  std::string_view identificador;
  void (clLayoutReg::*compoe)(const std::string& registro);
  // Layout names separated by "," (a trailing "," may close the list).
  std::string_view layouts;
};

struct Catalogo {
  // The target systems, in the order in which CompoeLayout compares their identifiers.
  static std::span<const SistemaCatalogo> Sistemas();
};

}  // namespace lumbrava
