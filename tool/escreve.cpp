// The write command: CSV or JSON lines into fixed-width or delimited records.
#include <algorithm>
#include <unordered_map>

#include "common/texto.h"
#include "tool/comandos.h"
#include "tool/execucao.h"
#include "tool/json_linhas.h"

namespace lumbrava {

namespace {

// Names the field and the character that the file's encoding cannot hold.
std::string CampoNaoCodificavel(const clLayoutReg& l, const Codificador& codificador,
                                const Parametros& p) {
  std::string lixo;
  FalhaCodificacao falha;
  for (const auto& c : l.campos()) {
    if (!codificador.Codifica(c->valor, lixo, &falha)) {
      const std::string_view caractere = Subtexto(c->valor, falha.coluna - 1, 1);
      return "layout '" + p.layout + "', campo '" + c->nome + "': o caractere '" +
             std::string(caractere) + "' (" + NomeDoCaractere(falha.valor) +
             ") não existe no Windows-1252";
    }
  }
  if (!codificador.Codifica(p.delimitador, lixo, &falha)) {
    return "o separador '" + p.delimitador + "' não existe no Windows-1252";
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
  LeitorLinhas linhas(origem.arquivo(), kMaximoRegistroDeDados);
  LeitorCsv csv(linhas, kMaximoRegistroDeDados);
  std::vector<std::string> valores;
  std::string erro;
  std::vector<clLayoutCpo*> colunas;

  if (!p.jsonl) {
    if (!csv.Proximo(valores, erro) || (erro.empty() && valores.empty())) {
      if (linhas.Falhou()) {
        std::fprintf(erros, "erro de leitura da entrada: %s\n", linhas.MotivoDaFalha().c_str());
      } else {
        std::fprintf(erros, "a entrada não tem a linha de cabeçalho com os nomes dos campos\n");
      }
      return kSaidaEntradaRecusada;
    }
    if (!erro.empty()) {
      std::fprintf(erros, "%s%s\n", Linha(csv.linha()).c_str(), erro.c_str());
      return kSaidaEntradaRecusada;
    }
    for (const std::string& nome : valores) {
      if (!EhUtf8Valido(nome)) {
        std::fprintf(erros, "%so cabeçalho não é texto UTF-8 (o CSV deve ser UTF-8)\n",
                     Linha(csv.linha()).c_str());
        return kSaidaEntradaRecusada;
      }
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
  linhas.AntesDeEsperar([&saida] { saida.Descarrega(); });  // records out before input waits
  Codificador codificador(CodificacaoDe(p.codificacao));
  Relator relator(erros);
  std::string registro;
  std::string codificado;
  std::unordered_map<std::string, clLayoutCpo*> porChave;

  std::vector<std::pair<std::string, std::string>> pares;
  const auto preencheJson = [&](std::string_view linha, std::string& problema) {
    if (!LeObjetoJson(linha, pares, problema)) {
      return false;
    }
    for (auto& [chave, valor] : pares) {
      auto achado = porChave.find(chave);
      if (achado == porChave.end()) {
        achado = porChave.emplace(chave, l->LocalizaCampo(chave)).first;
      }
      clLayoutCpo* c = achado->second;
      if (c == nullptr) {
        problema = "o layout não tem o campo '" + chave + "'";
        return false;
      }
      if (!EhUtf8Valido(valor)) {
        problema = "campo '" + c->nome + "': o texto não é UTF-8";
        return false;
      }
      c->valor.swap(valor);
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
      if (linhas.LongaDemais()) {
        relator.Erro(Linha(n) +
                     MensagemLinhaLonga(linhas.longa(), "mais que o limite de uma linha JSON, " +
                                                            TextoBytes(kMaximoRegistroDeDados)));
        continue;
      }
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
      if (valores.empty()) {
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
      relator.Erro(Linha(n) + CampoNaoCodificavel(*l, codificador, p));
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
