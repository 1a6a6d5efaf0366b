#include "layouts/cl_produto.h"

namespace lumbrava {

clLayoutReg& clProduto::LocalizaCriaRegistro(const std::string& registro) {
  for (const auto& l : layouts_) {
    if (l->nomeRegistro == registro) {
      return *l;
    }
  }
  auto novo = std::make_unique<clLayoutReg>();
  novo->produto = this;
  novo->nomeRegistro = registro;
  novo->CompoeLayout(identificador_, registro);
  layouts_.push_back(std::move(novo));
  return *layouts_.back();
}

void clProduto::AplicaConfiguracoesNosLayouts(bool separaCasasDecimais, bool espacoNosNumerosVazios,
                                              bool espacoAdireitaNumeros,
                                              std::string_view separadorCasasDecimais,
                                              bool separadorNoFinalDeCadaCampo) {
  for (const auto& l : layouts_) {
    l->separaCasasDecimais = separaCasasDecimais;
    l->espacoNosNumerosVazios = espacoNosNumerosVazios;
    l->espacoAdireitaNumeros = espacoAdireitaNumeros;
    l->separadorCasasDecimais = std::string(separadorCasasDecimais);
    l->separadorNoFinalDeCadaCampo = separadorNoFinalDeCadaCampo;
  }
}

}  // namespace lumbrava
