#include "layouts/cl_layout_cpo.h"

#include "common/texto.h"
#include "layouts/cl_layout_reg.h"
#include "layouts/numero.h"

namespace lumbrava {

namespace {

// Cuts or fills a text to `tamanho` characters.
void AjustaTexto(std::string_view valor, std::size_t tamanho, bool aDireita, std::string& saida) {
  if (aDireita) {
    valor = Apara(valor);
  }
  const std::string_view cortado = Subtexto(valor, 0, tamanho);
  const std::size_t largura = ContaCaracteres(cortado);
  saida.clear();
  if (aDireita) {
    saida.append(tamanho - largura, ' ');
    saida.append(cortado);
  } else {
    saida.append(cortado);
    saida.append(tamanho - largura, ' ');
  }
}

}  // namespace

bool clLayoutCpo::EhTexto() const {
  return tipo == "S" || tipo == "C" || tipo == "Cd" || tipo == "Sd";
}

ConfiguracaoSaida clLayoutCpo::ConfiguracaoEfetiva() const {
  if (configuracaoParticular || layout_ == nullptr) {
    return {separaCasasDecimais, espacoNosNumerosVazios, espacoAdireitaNumeros,
            separadorCasasDecimais, separadorNoFinalDeCadaCampo};
  }
  return {layout_->separaCasasDecimais, layout_->espacoNosNumerosVazios,
          layout_->espacoAdireitaNumeros, layout_->separadorCasasDecimais,
          layout_->separadorNoFinalDeCadaCampo};
}

const std::string& clLayoutCpo::SeparadorDecimalEfetivo() const {
  return configuracaoParticular || layout_ == nullptr ? separadorCasasDecimais
                                                      : layout_->separadorCasasDecimais;
}

bool clLayoutCpo::SeparadorNoFinalEfetivo() const {
  return configuracaoParticular || layout_ == nullptr ? separadorNoFinalDeCadaCampo
                                                      : layout_->separadorNoFinalDeCadaCampo;
}

bool clLayoutCpo::EscreveSeparador() const {
  const bool propria = configuracaoParticular || layout_ == nullptr ? separaCasasDecimais
                                                                    : layout_->separaCasasDecimais;
  return propria || (layout_ != nullptr && layout_->virgulasNosNumericos);
}

std::string clLayoutCpo::ValorFormatado() const {
  std::string saida;
  ValorFormatado(saida);
  return saida;
}

void clLayoutCpo::ValorFormatado(std::string& saida) const {
  const auto nomeLayout = [this] { return layout_ != nullptr ? layout_->nomeRegistro : ""; };
  if (valor.find_first_of("\r\n") != std::string::npos) {
    throw ErroValor(nomeLayout(), nome, valor, "o valor tem uma quebra de linha");
  }
  const auto largura = static_cast<std::size_t>(tamanho > 0 ? tamanho : 0);
  if (semFormatacao || EhTexto()) {
    const bool aDireita =
        alinhamento == "D" || (tipo.size() == 2 && tipo[1] == 'd' && !semFormatacao);
    AjustaTexto(valor, largura, aDireita, saida);
    return;
  }
  const bool particular = configuracaoParticular || layout_ == nullptr;
  FormatoNumero formato;
  formato.tamanho = tamanho;
  formato.decimais = decimais;
  formato.escreveSeparador = EscreveSeparador();
  formato.separador = particular ? separadorCasasDecimais : layout_->separadorCasasDecimais;
  formato.vazioEmBranco = particular ? espacoNosNumerosVazios : layout_->espacoNosNumerosVazios;
  formato.preencheComBrancos = particular ? espacoAdireitaNumeros : layout_->espacoAdireitaNumeros;
  switch (FormataNumero(valor, formato, saida)) {
    case ResultadoNumero::kOk:
      return;
    case ResultadoNumero::kNaoEhNumero:
      throw ErroValor(nomeLayout(), nome, valor, "não é um número");
    case ResultadoNumero::kNaoCabe:
      throw ErroValor(nomeLayout(), nome, valor,
                      "não cabe em " + std::to_string(tamanho) + " colunas com " +
                          std::to_string(decimais) + " decimais");
  }
}

}  // namespace lumbrava
