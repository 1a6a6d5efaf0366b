// The read command: record lines into CSV or JSON lines, on several threads.
#include <algorithm>
#include <nlohmann/json.hpp>

#include "common/texto.h"
#include "tool/comandos.h"
#include "tool/execucao.h"

namespace lumbrava {

namespace {

// The column (from 1) of byte `i` of a raw UTF-8 line.
std::size_t ColunaDoByte(std::string_view linha, std::size_t i) {
  std::size_t coluna = 1;
  for (std::size_t k = 0; k < i; ++k) {
    coluna += (static_cast<unsigned char>(linha[k]) & 0xC0U) != 0x80U ? 1 : 0;
  }
  return coluna;
}

// The longest line the layout can hold, in bytes: a character takes up to 4 bytes in UTF-8 and one
// in Windows-1252; a "|" line has a "|" before each value; some slack for trailing blanks.
std::size_t MaximoDaLinha(const clLayoutReg& l, Codificacao codificacao) {
  std::size_t caracteres = 0;
  if (l.leituraComPipe) {
    for (const auto& c : l.campos()) {
      caracteres += static_cast<std::size_t>(std::max(c->tamanho, 0)) + 1;
    }
  } else {
    caracteres = static_cast<std::size_t>(std::max(l.ComprimentoRegistro(), 0));
  }
  constexpr std::size_t kFolga = 4096;
  return caracteres * (codificacao == Codificacao::kUtf8 ? 4 : 1) + kFolga;
}

// What a record's output holds besides its values: `"name":"",` for each field in JSON, `,""` in
// CSV, and the line end.
std::size_t SaidaPorLinha(const clLayoutReg& l, bool jsonl) {
  std::size_t bytes = 1;
  for (const auto& c : l.campos()) {
    bytes += jsonl ? c->nome.size() + 6 : 3;
  }
  return bytes;
}

// Reads the record lines of a batch with a copy of its own of the layout.
class LeitorDeRegistros final : public TrabalhadorDeLotes {
 public:
  LeitorDeRegistros(const Parametros& p, const clLayoutReg& modelo)
      : layout_(modelo),
        nomeLayout_(p.layout),
        codificacao_(CodificacaoDe(p.codificacao)),
        decodificador_(codificacao_),
        jsonl_(p.jsonl),
        longaDemais_("mais do que cabe no layout '" + p.layout + "' (no máximo " +
                     std::to_string(MaximoDaLinha(modelo, codificacao_)) + " bytes)") {}

  void Processa(Lote& lote) override {
    const auto comprimento = static_cast<std::size_t>(layout_.ComprimentoRegistro());
    const auto& campos = layout_.campos();
    std::string& buf = lote.saida;
    for (std::size_t i = 0; i < lote.Linhas(); ++i) {
      const std::size_t n = lote.primeiraLinha + i;
      const std::string_view bruta = lote.Linha(i);
      if (bruta.empty()) {
        if (const LinhaLonga* longa = lote.Longa(i)) {
          lote.erros.push_back(Linha(n) + MensagemLinhaLonga(*longa, longaDemais_));
        }
        continue;
      }
      if (const auto p = bruta.find_first_of(std::string_view("\r\0", 2));
          p != std::string_view::npos) {
        lote.erros.push_back(Linha(n) + (bruta[p] == '\r'
                                             ? std::string(kMensagemCrSemLf)
                                             : "coluna " +
                                                   std::to_string(codificacao_ == Codificacao::kUtf8
                                                                      ? ColunaDoByte(bruta, p)
                                                                      : p + 1) +
                                                   ": o byte 0x00 não é texto"));
        continue;
      }
      if (lote.primeiraNaoAscii == 0 && codificacao_ == Codificacao::kWindows1252 &&
          !EhAscii(bruta)) {
        lote.primeiraNaoAscii = n;
        lote.naoAsciiEhUtf8 = EhUtf8Valido(bruta);
      }
      std::string_view utf8;
      FalhaCodificacao falha;
      if (!decodificador_.Decodifica(bruta, convertida_, utf8, &falha)) {
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(falha.valor));
        lote.erros.push_back(
            Linha(n) + "coluna " + std::to_string(falha.coluna) + ": o byte " + byte +
            (codificacao_ == Codificacao::kUtf8 ? " não forma texto UTF-8"
                                                : " não é um caractere do Windows-1252"));
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
      } else if (campos.size() == 1 && campos[0]->valor.empty()) {
        buf += "\"\"\n";  // an empty row, not a blank line
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
  std::string longaDemais_;
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
  LeitorLinhas linhas(origem.arquivo(), MaximoDaLinha(*l, CodificacaoDe(p.codificacao)));
  Relator relator(erros);
  bool avisado = false;
  ProcessaEmParalelo(
      linhas, p.threads,
      [&p, l]() -> std::unique_ptr<TrabalhadorDeLotes> {
        return std::make_unique<LeitorDeRegistros>(p, *l);
      },
      [&](Lote& lote) {
        if (!avisado && lote.primeiraNaoAscii != 0) {
          avisado = true;
          if (lote.naoAsciiEhUtf8) {
            std::fprintf(erros,
                         "aviso: linha %zu: o texto parece UTF-8, mas o arquivo é lido como "
                         "Windows-1252; use --encoding utf-8 se ele for UTF-8\n",
                         lote.primeiraNaoAscii);
          }
        }
        if (relator.total() == 0) {
          saida.buffer() += lote.saida;
          saida.Descarrega();  // a slow input's records come out as they are read
        }
        for (const std::string& e : lote.erros) {
          relator.Erro(e);
        }
      },
      SaidaPorLinha(*l, p.jsonl));
  return Encerra(linhas, relator, saida, destino, erros);
}

}  // namespace lumbrava
