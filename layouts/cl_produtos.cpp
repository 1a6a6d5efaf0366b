#include "layouts/cl_produtos.h"

#include "common/operador.h"
#include "layouts/catalogo.h"

namespace lumbrava {

namespace {

constexpr std::string_view kTitulo = "clProdutos.LocalizaCriaLayoutRegistro";

const SistemaCatalogo* Sistema(std::string_view produto) {
  for (const SistemaCatalogo& s : SistemasDoCatalogo()) {
    if (s.identificador == produto) {
      return &s;
    }
  }
  return nullptr;
}

}  // namespace

clProduto* clProdutos::LocalizaCriaProduto(std::string_view produto) {
  if (Sistema(produto) == nullptr) {
    return nullptr;
  }
  for (const auto& p : produtos_) {
    if (p->identificador() == produto) {
      return p.get();
    }
  }
  produtos_.push_back(std::make_unique<clProduto>(std::string(produto)));
  return produtos_.back().get();
}

clLayoutReg* clProdutos::LocalizaCriaLayoutRegistro(const std::string& produto,
                                                    const std::string& registro) {
  clProduto* p = LocalizaCriaProduto(produto);
  if (p == nullptr) {
    ProdutoNaoCadastrado(produto);
    return nullptr;
  }
  bool listado = false;
  for (const std::string& nome : LayoutsDoProduto(produto)) {
    listado = listado || nome == registro;
  }
  if (!listado) {
    OperadorAtual()->Critico(
        kTitulo, "Layout " + registro + "  (" + produto + ") ainda não cadastrado. Verifique.");
    return nullptr;
  }
  clLayoutReg& layout = p->LocalizaCriaRegistro(registro);
  layout.LimpaValores();
  return &layout;
}

void clProdutos::ProdutoNaoCadastrado(std::string_view produto) {
  OperadorAtual()->Critico(kTitulo,
                           "Produto " + std::string(produto) + " ainda não cadastrado. Verifique.");
}

std::string clProdutos::ObtemRelacaoLayoutsProduto(std::string_view produto) {
  const SistemaCatalogo* s = Sistema(produto);
  return s != nullptr ? std::string(s->layouts) : std::string();
}

std::vector<std::string> clProdutos::LayoutsDoProduto(std::string_view produto) {
  std::vector<std::string> nomes;
  const SistemaCatalogo* s = Sistema(produto);
  if (s == nullptr) {
    return nomes;
  }
  std::string_view lista = s->layouts;
  while (!lista.empty()) {
    const auto p = lista.find(',');
    const std::string_view item = lista.substr(0, p);
    if (!item.empty()) {
      nomes.emplace_back(item);
    }
    lista = p == std::string_view::npos ? std::string_view() : lista.substr(p + 1);
  }
  return nomes;
}

std::string clProdutos::ObtemRelacaoProdutos() {
  std::string lista;
  for (const SistemaCatalogo& s : SistemasDoCatalogo()) {
    if (!lista.empty()) {
      lista += ";;";
    }
    lista += s.identificador;
  }
  return lista;
}

std::vector<std::string> clProdutos::Produtos() {
  std::vector<std::string> nomes;
  for (const SistemaCatalogo& s : SistemasDoCatalogo()) {
    nomes.emplace_back(s.identificador);
  }
  return nomes;
}

}  // namespace lumbrava
