// The catalogue of target systems and the way to their layouts.
//
// Threads: the static functions read only the catalogue's constant data and may be called from
// any thread at any time. A clProdutos object creates its systems and layouts as they are asked
// for and empties a layout's values when it hands it out, so each object is used by one thread at
// a time, or under the caller's lock; two objects may be used on two threads at once. A thread that
// reads or writes records takes its own copy of the layout it was handed (layouts/cl_layout_reg.h).
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layouts/cl_produto.h"

namespace lumbrava {

class clProdutos {
 public:
  clProdutos() = default;
  clProdutos(const clProdutos&) = delete;
  clProdutos& operator=(const clProdutos&) = delete;

  // The layout `registro` of the system `produto`, composed on first use and with its values
  // emptied. A system outside the catalogue shows the critical message "Produto <produto> ainda
  // não cadastrado. Verifique." and a name outside the system's list "Layout <registro> (<produto>)
  // ainda não cadastrado. Verifique."; both give null and compose nothing.
  clLayoutReg* LocalizaCriaLayoutRegistro(const std::string& produto, const std::string& registro);

  // The system's list of layout names, separated by ","; empty for a system outside the catalogue.
  static std::string ObtemRelacaoLayoutsProduto(std::string_view produto);
  // The same list split into names, in list order.
  static std::vector<std::string> LayoutsDoProduto(std::string_view produto);

  // The target systems' identifiers, separated by ";;".
  static std::string ObtemRelacaoProdutos();
  // The same, one identifier per item.
  static std::vector<std::string> Produtos();

  // The system (created on first use); null for a system outside the catalogue.
  clProduto* LocalizaCriaProduto(std::string_view produto);

  // Tells the operator that `produto` is outside the catalogue, in LocalizaCriaLayoutRegistro's
  // words and under its title, for callers that look a system up by other ways.
  static void ProdutoNaoCadastrado(std::string_view produto);

 private:
  std::vector<std::unique_ptr<clProduto>> produtos_;
};

}  // namespace lumbrava
