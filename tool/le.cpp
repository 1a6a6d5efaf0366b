// The read command: record lines into CSV or JSON lines, on several threads.
#include <nlohmann/json.hpp>

#include "common/texto.h"
#include "tool/comandos.h"
#include "tool/execucao.h"

namespace lumbrava {

namespace {

// Reads the record lines of a batch with a copy of its own of the layout.
class LeitorDeRegistros final : public TrabalhadorDeLotes {
 public:
  LeitorDeRegistros(const Parametros& p, const clLayoutReg& modelo)
      : layout_(modelo),
        nomeLayout_(p.layout),
        codificacao_(CodificacaoDe(p.codificacao)),
        decodificador_(codificacao_),
        jsonl_(p.jsonl) {}

  void Processa(Lote& lote) override {
    const auto comprimento = static_cast<std::size_t>(layout_.TamanhoRegistro());
    const auto& campos = layout_.campos();
    std::string& buf = lote.saida;
    for (std::size_t i = 0; i < lote.Linhas(); ++i) {
      const std::size_t n = lote.primeiraLinha + i;
      const std::string_view bruta = lote.Linha(i);
      if (bruta.empty()) {
        continue;
      }
      std::string_view utf8;
      if (!decodificador_.Decodifica(bruta, convertida_, utf8)) {
        lote.erros.push_back(Linha(n) + "bytes que não são texto " +
                             (codificacao_ == Codificacao::kUtf8 ? "UTF-8" : "Windows-1252"));
        continue;
      }
      if (!layout_.leituraComPipe && utf8.size() > comprimento) {
        const std::string_view alem = utf8.substr(DeslocamentoDoCaractere(utf8, comprimento));
        if (!Apara(alem).empty()) {
          lote.erros.push_back(Linha(n) + std::to_string(ContaCaracteres(utf8)) +
                               " caracteres, mas o layout '" + nomeLayout_ + "' tem " +
                               std::to_string(comprimento) + " colunas");
          continue;
        }
      }
      if (!layout_.PreencheLayoutApartirLinha(utf8, &erro_)) {
        lote.erros.push_back(Linha(n) + erro_);
        continue;
      }
      if (!lote.erros.empty()) {
        continue;  // nothing more is written after a refused line
      }
      if (jsonl_) {
        nlohmann::ordered_json j = nlohmann::ordered_json::object();
        for (const auto& c : campos) {
          j[c->nome] = c->valor;
        }
        buf += j.dump();
        buf += '\n';
      } else {
        for (std::size_t k = 0; k < campos.size(); ++k) {
          EscreveCampoCsv(buf, campos[k]->valor, k > 0 ? ',' : '\0');
        }
        buf += '\n';
      }
    }
  }

 private:
  clLayoutReg layout_;
  std::string nomeLayout_;
  Codificacao codificacao_;
  Decodificador decodificador_;
  bool jsonl_;
  std::string convertida_;
  std::string erro_;
};

}  // namespace

int Le(const Parametros& p, std::FILE* entrada, std::FILE* saidaPadrao, std::FILE* erros) {
  clProdutos catalogo;
  clLayoutReg* l = LayoutParaDados(catalogo, p, erros);
  if (l == nullptr) {
    return kSaidaEntradaRecusada;
  }
  Origem origem(p.arquivo, entrada, erros);
  if (origem.arquivo() == nullptr) {
    return kSaidaEntradaRecusada;
  }
  Destino destino(p.saida, saidaPadrao, erros);
  if (destino.arquivo() == nullptr) {
    return kSaidaEntradaRecusada;
  }
  Saida saida(destino.arquivo());
  if (!p.jsonl) {
    const auto& campos = l->campos();
    for (std::size_t i = 0; i < campos.size(); ++i) {
      EscreveCampoCsv(saida.buffer(), campos[i]->nome, i > 0 ? ',' : '\0');
    }
    saida.buffer() += '\n';
  }
  LeitorLinhas linhas(origem.arquivo());
  Relator relator(erros);
  ProcessaEmParalelo(
      linhas, p.threads,
      [&p, l]() -> std::unique_ptr<TrabalhadorDeLotes> {
        return std::make_unique<LeitorDeRegistros>(p, *l);
      },
      [&](Lote& lote) {
        if (relator.total() == 0) {
          saida.buffer() += lote.saida;
          saida.TalvezDescarregue();
        }
        for (const std::string& e : lote.erros) {
          relator.Erro(e);
        }
      });
  return Encerra(linhas, relator, saida, destino, erros);
}

}  // namespace lumbrava
