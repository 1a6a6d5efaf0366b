#include "tool/execucao.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>

#include "common/visivel.h"
#include "tool/codigos_saida.h"

namespace lumbrava {

void Relator::Conclui(bool paraArquivo, std::string_view falhaDeLeitura) {
  if (total_ > kMaximoMensagens) {
    std::fprintf(erros_, "... e mais %zu erros\n", total_ - kMaximoMensagens);
  }
  if (!falhaDeLeitura.empty()) {
    EscreveMensagem(erros_, falhaDeLeitura);
  }
  const std::string_view saida = paraArquivo  ? kSaidaNaoGravada
                                 : total_ > 0 ? "nada foi escrito depois da primeira"
                                              : kSaidaIncompleta;
  if (total_ > 0) {
    std::fprintf(erros_, "%zu linha(s) recusada(s); %.*s\n", total_, static_cast<int>(saida.size()),
                 saida.data());
  } else if (!falhaDeLeitura.empty()) {
    std::fprintf(erros_, "%.*s\n", static_cast<int>(saida.size()), saida.data());
  }
}

Codificacao CodificacaoDe(const std::string& nome) {
  std::string n = nome;
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::tolower(c); });
  return (n == "utf-8" || n == "utf8") ? Codificacao::kUtf8 : Codificacao::kWindows1252;
}

std::string Linha(std::size_t n) { return "linha " + std::to_string(n) + ": "; }

void EscreveMensagem(std::FILE* erros, std::string_view mensagem) {
  std::string linha = Visivel(mensagem);
  linha += '\n';
  std::fwrite(linha.data(), 1, linha.size(), erros);
}

Abertura::Abertura(const Parametros& p, std::FILE* entrada, std::FILE* erros) {
  layout_ = catalogo_.LocalizaCriaLayoutRegistro(p.sistema, p.layout);
  if (layout_ == nullptr) {
    return;
  }
  if (layout_->campos().empty()) {
    EscreveMensagem(erros, "o layout '" + p.layout + "' (" + p.sistema +
                               ") não tem campos: não há o que ler nem gravar com ele");
    layout_ = nullptr;
    return;
  }
  origem_ = std::make_unique<Origem>(p.arquivo, entrada, erros);
}

bool SaidaNaPropriaEntrada(std::FILE* entrada, const Destino& destino, std::FILE* erros) {
  struct stat de {};
  struct stat para {};
  if (destino.ParaArquivo() || ::fstat(::fileno(entrada), &de) != 0 ||
      ::fstat(::fileno(destino.arquivo()), &para) != 0 || !S_ISREG(de.st_mode) ||
      de.st_dev != para.st_dev || de.st_ino != para.st_ino) {
    return false;
  }
  std::fprintf(erros, "a entrada é o próprio arquivo de saída\n");
  return true;
}

int Encerra(LeitorLinhas& linhas, Relator& relator, Saida& saida, Destino& destino,
            std::FILE* erros) {
  linhas.Confere();
  // A read error is no refused line: it is told apart, after them.
  relator.Conclui(
      destino.ParaArquivo(),
      linhas.Falhou() ? "erro de leitura da entrada: " + linhas.MotivoDaFalha() : std::string());
  if (!saida.Descarrega()) {
    const std::string motivo =
        saida.Erro() != 0 ? std::string(": ") + std::strerror(saida.Erro()) : std::string();
    if (destino.nome().empty()) {
      std::fprintf(erros, "erro ao gravar a saída%s\n", motivo.c_str());
    } else {
      std::fprintf(erros, "não foi possível gravar '%s'%s\n", TrechoVisivel(destino.nome()).c_str(),
                   motivo.c_str());
    }
    return kSaidaEntradaRecusada;
  }
  if (relator.total() > 0 || linhas.Falhou()) {
    return kSaidaEntradaRecusada;
  }
  return destino.Confirma() ? kSaidaOk : kSaidaEntradaRecusada;
}

}  // namespace lumbrava
