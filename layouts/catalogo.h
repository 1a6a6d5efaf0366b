// What the layout model asks of the catalogue: the target systems, each with its identifier, its
// list of layout names and the way to compose them. The catalogue (layouts/catalogue/) supplies
// the list; the model knows nothing of its contents. Constant data, safe to share between threads.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace lumbrava {

class clLayoutReg;

struct SistemaCatalogo {
  std::string_view identificador;
  // Layout names separated by "," (a trailing "," may close the list).
  std::string_view layouts;
  // Appends the fields of the layout `registro` to a new layout.
  void (*compoe)(clLayoutReg& layout, const std::string& registro);
};

// The target systems, in the order in which CompoeLayout compares their identifiers.
std::span<const SistemaCatalogo> SistemasDoCatalogo();

}  // namespace lumbrava
