// The commands that show the catalogue: systems, layouts and show.
#include <nlohmann/json.hpp>

#include "common/texto.h"
#include "tool/codigos_saida.h"
#include "tool/execucao.h"

namespace lumbrava {

int Sistemas(std::FILE* saida) {
  for (const std::string& s : clProdutos::Produtos()) {
    std::fprintf(saida, "%s\n", s.c_str());
  }
  return kSaidaOk;
}

int Layouts(const Parametros& p, std::FILE* saida) {
  clProdutos catalogo;
  if (catalogo.LocalizaCriaProduto(p.sistema) == nullptr) {
    clProdutos::ProdutoNaoCadastrado(p.sistema);
    return kSaidaEntradaRecusada;
  }
  for (const std::string& nome : clProdutos::LayoutsDoProduto(p.sistema)) {
    std::fprintf(saida, "%s\n", nome.c_str());
  }
  return kSaidaOk;
}

namespace {

nlohmann::ordered_json LayoutEmJson(const Parametros& p, const clLayoutReg& l) {
  nlohmann::ordered_json j;
  j["system"] = p.sistema;
  j["layout"] = p.layout;
  j["length"] = l.ComprimentoRegistro();  // the fixed-width line written, field-end ";" included
  j["tamanhoRegistro"] = l.TamanhoRegistro();
  j["settings"] = {{"virgulasNosNumericos", l.virgulasNosNumericos},
                   {"separaCasasDecimais", l.separaCasasDecimais},
                   {"espacoNosNumerosVazios", l.espacoNosNumerosVazios},
                   {"espacoAdireitaNumeros", l.espacoAdireitaNumeros},
                   {"separadorCasasDecimais", l.separadorCasasDecimais},
                   {"separadorNoFinalDeCadaCampo", l.separadorNoFinalDeCadaCampo},
                   {"leituraComPipe", l.leituraComPipe}};
  auto campos = nlohmann::ordered_json::array();
  for (const auto& c : l.campos()) {
    nlohmann::ordered_json f;
    f["nome"] = c->nome;
    f["inicio"] = c->inicio;
    f["fim"] = c->fim;
    f["posicao"] = c->posicao;
    f["tamanho"] = c->tamanho;
    f["decimais"] = c->decimais;
    f["tipo"] = c->tipo;
    f["operacao"] = c->operacao;
    f["alinhamento"] = c->alinhamento;
    f["semFormatacao"] = c->semFormatacao;
    f["qualificador"] = c->qualificador;
    f["eliminaEspacos"] = c->eliminaEspacos;
    f["configuracaoParticular"] = c->configuracaoParticular;
    if (c->configuracaoParticular) {
      f["settings"] = {{"separaCasasDecimais", c->separaCasasDecimais},
                       {"espacoNosNumerosVazios", c->espacoNosNumerosVazios},
                       {"espacoAdireitaNumeros", c->espacoAdireitaNumeros},
                       {"separadorCasasDecimais", c->separadorCasasDecimais},
                       {"separadorNoFinalDeCadaCampo", c->separadorNoFinalDeCadaCampo}};
    } else {
      f["settings"] = nullptr;
    }
    campos.push_back(std::move(f));
  }
  j["fields"] = std::move(campos);
  return j;
}

// Pads a text to `largura` characters.
std::string Coluna(std::string_view texto, std::size_t largura) {
  std::string s(texto);
  const std::size_t n = ContaCaracteres(texto);
  if (n < largura) {
    s.append(largura - n, ' ');
  }
  return s;
}

std::string SimNao(bool b) { return b ? "sim" : "não"; }

std::string TabelaDoLayout(const Parametros& p, const clLayoutReg& l) {
  std::string t;
  t += "Sistema: " + p.sistema + "\nLayout: " + p.layout +
       "\nTamanho do registro: " + std::to_string(l.TamanhoRegistro()) + " colunas, " +
       std::to_string(l.campos().size()) + " campos\n";
  // The ";" that some fields are followed by make the written line longer than the record.
  if (const int finais = l.ComprimentoRegistro() - l.TamanhoRegistro(); finais > 0) {
    t += "Linha escrita: " + std::to_string(l.ComprimentoRegistro()) + " colunas, com " +
         std::to_string(finais) +
         (finais == 1 ? " ';' no final de campo\n" : " ';' no final de campos\n");
  }
  t += "Configurações: virgulasNosNumericos=" + SimNao(l.virgulasNosNumericos) +
       " separaCasasDecimais=" + SimNao(l.separaCasasDecimais) +
       " espacoNosNumerosVazios=" + SimNao(l.espacoNosNumerosVazios) +
       " espacoAdireitaNumeros=" + SimNao(l.espacoAdireitaNumeros) + " separadorCasasDecimais=\"" +
       l.separadorCasasDecimais +
       "\" separadorNoFinalDeCadaCampo=" + SimNao(l.separadorNoFinalDeCadaCampo) +
       " leituraComPipe=" + SimNao(l.leituraComPipe) + "\n\n";
  std::size_t largura = 5;
  for (const auto& c : l.campos()) {
    largura = std::max(largura, ContaCaracteres(c->nome));
  }
  t += Coluna("#", 5) + Coluna("Campo", largura + 2) + Coluna("Início", 8) + Coluna("Fim", 8) +
       Coluna("Tam.", 6) + Coluna("Dec.", 6) + Coluna("Tipo", 6) + Coluna("Alin.", 6) + "Opções\n";
  std::size_t n = 0;
  for (const auto& c : l.campos()) {
    std::string opcoes;
    const auto junta = [&opcoes](const std::string& o) {
      opcoes += (opcoes.empty() ? "" : "; ") + o;
    };
    if (!c->operacao.empty()) junta("operacao \"" + c->operacao + "\"");
    if (c->semFormatacao) junta("semFormatacao");
    if (!c->qualificador.empty()) junta("qualificador " + c->qualificador);
    if (c->eliminaEspacos) junta("eliminaEspacos");
    if (c->configuracaoParticular) {
      junta("próprias: separaCasasDecimais=" + SimNao(c->separaCasasDecimais) +
            " espacoNosNumerosVazios=" + SimNao(c->espacoNosNumerosVazios) +
            " espacoAdireitaNumeros=" + SimNao(c->espacoAdireitaNumeros) +
            " separadorCasasDecimais=\"" + c->separadorCasasDecimais +
            "\" separadorNoFinalDeCadaCampo=" + SimNao(c->separadorNoFinalDeCadaCampo));
    }
    t += Coluna(std::to_string(++n), 5) + Coluna(c->nome, largura + 2) +
         Coluna(std::to_string(c->inicio), 8) + Coluna(std::to_string(c->fim), 8) +
         Coluna(std::to_string(c->tamanho), 6) + Coluna(std::to_string(c->decimais), 6) +
         Coluna(c->tipo, 6) + Coluna(c->alinhamento, 6) + opcoes;
    while (!t.empty() && t.back() == ' ') {
      t.pop_back();
    }
    t += "\n";
  }
  return t;
}

}  // namespace

int Mostra(const Parametros& p, std::FILE* saida) {
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(p.sistema, p.layout);
  if (l == nullptr) {
    return kSaidaEntradaRecusada;
  }
  const std::string texto = p.json ? LayoutEmJson(p, *l).dump(2) + "\n" : TabelaDoLayout(p, *l);
  std::fputs(texto.c_str(), saida);
  return kSaidaOk;
}

}  // namespace lumbrava
