#include <iostream>
#include <string>

#include "layouts/cl_produtos.h"

int main() {
  using namespace lumbrava;
  clProdutos catalogo;  // composes each layout the first time it is asked for

  // Write: the layout's fields by name, then the fixed-width record (UTF-8).
  clLayoutReg* lancamento = catalogo.LocalizaCriaLayoutRegistro("Unico", "lancamentos");
  if (lancamento == nullptr) {
    return 1;  // not in the catalogue: the operator was told
  }
  lancamento->InformaValor("Data", "31122025");
  lancamento->InformaValor("ContaDebito", "1101");
  lancamento->InformaValor("ContaCredito", "2101");
  lancamento->InformaValor("Valor", "1520,75");
  lancamento->InformaValor("Historico", "Depósito em conta");
  std::string registro;
  try {
    registro = lancamento->ExpandeLayout();
  } catch (const ErroValor& e) {  // a value that does not fit its field
    std::cerr << e.what() << '\n';
    return 1;
  }
  std::cout << registro << '\n';

  // Read: a line into the fields of a copy of the layout (one copy per thread).
  clLayoutReg leitor(*lancamento);
  std::string erro;
  if (!leitor.PreencheLayoutApartirLinha(registro, &erro)) {
    std::cerr << erro << '\n';
    return 1;
  }
  std::cout << leitor.pegaValor("Data") << " " << leitor.pegaValor("Valor") << '\n';
  return leitor.pegaValor("Valor") == "1520,75" ? 0 : 1;
}
