#include "layouts/cl_layout_cpo.h"

#include <algorithm>
#include <cstring>

#include "common/texto.h"
#include "layouts/cl_layout_reg.h"
#include "layouts/numero.h"

namespace lumbrava {

namespace {

// Cuts or fills a text to `tamanho` characters.
void AjustaTexto(std::string_view valor, std::size_t tamanho, bool aDireita, bool ascii,
                 std::string& saida) {
  if (aDireita) {
    valor = Apara(valor);
  }
  std::string_view cortado =
      ascii ? valor.substr(0, std::min(tamanho, valor.size())) : Subtexto(valor, 0, tamanho);
  if (aDireita) {
    cortado = Apara(cortado);  // a cut after a blank would leave it last, out of alignment
  }
  const std::size_t largura = ascii ? cortado.size() : ContaCaracteres(cortado);
  saida.resize(tamanho - largura + cortado.size());
  char* o = saida.data();
  if (aDireita) {
    std::memset(o, ' ', tamanho - largura);
    Copia(o + tamanho - largura, cortado);
  } else {
    Copia(o, cortado);
    std::memset(o + cortado.size(), ' ', tamanho - largura);
  }
}

// Looks at every byte once: whether the text is ASCII and whether it holds a line break.
void Examina(std::string_view texto, bool& ascii, bool& quebra) {
  unsigned alto = 0;
  unsigned fimDeLinha = 0;
  for (const char c : texto) {
    alto |= static_cast<unsigned char>(c) & 0x80U;
    fimDeLinha |= static_cast<unsigned>(c == '\r') | static_cast<unsigned>(c == '\n');
  }
  ascii = alto == 0;
  quebra = fimDeLinha != 0;
}

}  // namespace

bool clLayoutCpo::EhTexto() const {
  return tipo == "S" || tipo == "C" || tipo == "Cd" || tipo == "Sd";
}

std::string clLayoutCpo::ValorFormatado() const {
  std::string saida;
  ValorFormatado(saida);
  return saida;
}

void clLayoutCpo::ValorFormatado(std::string& saida) const {
  const auto nomeLayout = [this] { return layout_ != nullptr ? layout_->nomeRegistro : ""; };
  bool ascii = false;
  bool quebra = false;
  Examina(valor, ascii, quebra);
  if (quebra) {
    throw ErroValor(nomeLayout(), nome, valor, "o valor tem uma quebra de linha");
  }
  const auto largura = static_cast<std::size_t>(tamanho > 0 ? tamanho : 0);
  if (semFormatacao || EhTexto()) {
    const bool aDireita =
        alinhamento == "D" || (tipo.size() == 2 && tipo[1] == 'd' && !semFormatacao);
    AjustaTexto(valor, largura, aDireita, ascii, saida);
    return;
  }
  if (tipo == "D" || tipo == "H") {
    // A date or a time: its digits as they are, right-aligned in zeros; blank stays blank.
    const std::string_view v = Apara(valor);
    if (v.empty()) {
      saida.assign(largura, ' ');
      return;
    }
    if (v.find_first_not_of("0123456789") != std::string_view::npos) {
      throw ErroValor(nomeLayout(), nome, valor,
                      std::string(tipo == "D" ? "não é uma data" : "não é uma hora") +
                          ": só algarismos, sem sinal nem separador");
    }
    if (v.size() > largura) {
      throw ErroValor(nomeLayout(), nome, valor,
                      "não cabe em " + std::to_string(tamanho) + " colunas");
    }
    saida.assign(largura - v.size(), '0');
    saida.append(v);
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
    case ResultadoNumero::kAmbiguo: {
      // "1.520": say both ways of writing what may have been meant.
      std::string milhares(Apara(valor));
      std::string decimal = milhares;
      std::erase(milhares, '.');
      std::replace(decimal.begin(), decimal.end(), '.', ',');
      throw ErroValor(
          nomeLayout(), nome, valor,
          "é ambíguo: escreva " + milhares + " para milhares ou " + decimal + " para decimais");
    }
    case ResultadoNumero::kNaoCabe:
      throw ErroValor(nomeLayout(), nome, valor,
                      "não cabe em " + std::to_string(tamanho) + " colunas com " +
                          std::to_string(decimais) + " decimais");
  }
}

}  // namespace lumbrava
