// The write command: CSV or JSON lines into fixed-width or delimited records.
#include <algorithm>
#include <nlohmann/json.hpp>
#include <unordered_map>

#include "common/texto.h"
#include "tool/comandos.h"
#include "tool/execucao.h"

namespace lumbrava {

namespace {

// Finds which field holds a character that the file's encoding cannot hold.
std::string CampoNaoCodificavel(const clLayoutReg& l, Codificador& codificador) {
  std::string lixo;
  for (const auto& c : l.campos()) {
    if (!codificador.Codifica(c->valor, lixo)) {
      return "campo '" + c->nome + "': o valor '" + c->valor +
             "' tem caracteres que o Windows-1252 não tem";
    }
  }
  return "o registro tem caracteres que o Windows-1252 não tem";
}

}  // namespace

int Escreve(const Parametros& p, std::FILE* entrada, std::FILE* saidaPadrao, std::FILE* erros) {
  clProdutos catalogo;
  clLayoutReg* l = LayoutParaDados(catalogo, p, erros);
  if (l == nullptr) {
    return kSaidaEntradaRecusada;
  }
  Origem origem(p.arquivo, entrada, erros);
  if (origem.arquivo() == nullptr) {
    return kSaidaEntradaRecusada;
  }
  LeitorLinhas linhas(origem.arquivo());
  LeitorCsv csv(linhas);
  std::vector<std::string> valores;
  std::string erro;
  std::vector<clLayoutCpo*> colunas;

  if (!p.jsonl) {
    if (!csv.Proximo(valores, erro)) {
      std::fprintf(erros, "a entrada não tem a linha de cabeçalho com os nomes dos campos\n");
      return kSaidaEntradaRecusada;
    }
    if (!erro.empty()) {
      std::fprintf(erros, "%s%s\n", Linha(csv.linha()).c_str(), erro.c_str());
      return kSaidaEntradaRecusada;
    }
    for (const std::string& nome : valores) {
      clLayoutCpo* c = l->LocalizaCampo(nome);
      if (c == nullptr) {
        std::fprintf(erros, "%so layout '%s' (%s) não tem o campo '%s'\n",
                     Linha(csv.linha()).c_str(), p.layout.c_str(), p.sistema.c_str(), nome.c_str());
        return kSaidaEntradaRecusada;
      }
      if (std::find(colunas.begin(), colunas.end(), c) != colunas.end()) {
        std::fprintf(erros, "%so campo '%s' aparece duas vezes no cabeçalho\n",
                     Linha(csv.linha()).c_str(), nome.c_str());
        return kSaidaEntradaRecusada;
      }
      colunas.push_back(c);
    }
  }

  Destino destino(p.saida, saidaPadrao, erros);
  if (destino.arquivo() == nullptr) {
    return kSaidaEntradaRecusada;
  }
  Saida saida(destino.arquivo());
  Codificador codificador(CodificacaoDe(p.codificacao));
  Relator relator(erros);
  std::string registro;
  std::string codificado;
  std::unordered_map<std::string, clLayoutCpo*> porChave;

  const auto preencheJson = [&](std::string_view linha, std::string& problema) {
    nlohmann::json j = nlohmann::json::parse(linha, nullptr, false);
    if (j.is_discarded() || !j.is_object()) {
      problema = "não é um objeto JSON";
      return false;
    }
    for (auto it = j.begin(); it != j.end(); ++it) {
      auto achado = porChave.find(it.key());
      if (achado == porChave.end()) {
        achado = porChave.emplace(it.key(), l->LocalizaCampo(it.key())).first;
      }
      clLayoutCpo* c = achado->second;
      if (c == nullptr) {
        problema = "o layout não tem o campo '" + it.key() + "'";
        return false;
      }
      const auto& v = it.value();
      if (v.is_string()) {
        c->valor = v.get<std::string>();
      } else if (v.is_number()) {
        c->valor = v.dump();
      } else if (v.is_null()) {
        c->valor.clear();
      } else {
        problema = "campo '" + c->nome + "': o valor deve ser texto, número ou null";
        return false;
      }
    }
    return true;
  };

  for (;;) {
    std::size_t n = 0;
    std::string problema;
    l->LimpaValores();
    if (p.jsonl) {
      std::string_view linha;
      if (!linhas.Proxima(linha)) {
        break;
      }
      n = linhas.numero();
      if (Apara(linha).empty()) {
        continue;
      }
      if (!preencheJson(linha, problema)) {
        relator.Erro(Linha(n) + problema);
        continue;
      }
    } else {
      if (!csv.Proximo(valores, erro)) {
        break;
      }
      n = csv.linha();
      if (!erro.empty()) {
        relator.Erro(Linha(n) + erro);
        continue;
      }
      if (valores.size() == 1 && valores[0].empty()) {
        continue;  // a blank line
      }
      if (valores.size() != colunas.size()) {
        relator.Erro(Linha(n) + std::to_string(valores.size()) + " valores, mas o cabeçalho tem " +
                     std::to_string(colunas.size()) + " campos");
        continue;
      }
      bool valido = true;
      for (std::size_t i = 0; i < colunas.size(); ++i) {
        if (!EhUtf8Valido(valores[i])) {
          relator.Erro(Linha(n) + "campo '" + colunas[i]->nome + "': o texto não é UTF-8");
          valido = false;
          break;
        }
        colunas[i]->valor.swap(valores[i]);  // both keep their buffers for the next row
      }
      if (!valido) {
        continue;
      }
    }
    try {
      if (p.pipe) {
        registro = l->ExpandeLayoutDivBarra();
      } else if (!p.delimitador.empty()) {
        l->ExpandeLayoutDiv(registro, p.delimitador, "", true);
      } else {
        l->ExpandeLayout(registro);
      }
    } catch (const ErroValor& e) {
      relator.Erro(Linha(n) + e.what());
      continue;
    }
    if (!codificador.Codifica(registro, codificado)) {
      relator.Erro(Linha(n) + CampoNaoCodificavel(*l, codificador));
      continue;
    }
    if (relator.total() > 0) {
      continue;
    }
    saida.buffer() += codificado;
    saida.buffer() += "\r\n";
    saida.TalvezDescarregue();
  }
  return Encerra(linhas, relator, saida, destino, erros);
}

}  // namespace lumbrava
