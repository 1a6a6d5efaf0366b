#include "tool/comandos.h"

#include <unistd.h>

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>
#include <unordered_map>

#include "common/operador.h"
#include "common/registra_erro.h"
#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tool/codificacao.h"
#include "tool/csv.h"
#include "tool/paralelo.h"

namespace lumbrava {

namespace {

constexpr const char* kVersao = "lumbrava-layouts 0.1.0";
constexpr std::size_t kMaximoMensagens = 20;

// The model's messages go to the tool's error stream.
class OperadorDaFerramenta final : public Operador {
 public:
  explicit OperadorDaFerramenta(std::FILE* erros) : erros_(erros) {}
  void Critico(std::string_view titulo, std::string_view texto) override { Escreve(titulo, texto); }
  void Aviso(std::string_view titulo, std::string_view texto) override { Escreve(titulo, texto); }
  bool PerguntaSimNao(std::string_view titulo, std::string_view texto) override {
    Escreve(titulo, texto);
    return true;
  }

 private:
  void Escreve(std::string_view titulo, std::string_view texto) {
    std::fprintf(erros_, "%.*s: %.*s\n", static_cast<int>(titulo.size()), titulo.data(),
                 static_cast<int>(texto.size()), texto.data());
  }
  std::FILE* erros_;
};

struct Parametros {
  std::string sistema;
  std::string layout;
  std::string arquivo;
  std::string saida;
  std::string codificacao = "windows-1252";
  std::string delimitador;
  bool json = false;
  bool jsonl = false;
  bool pipe = false;
  unsigned threads = ThreadsPadrao();
};

// Reports input problems: the first ones in full, then only a count.
class Relator {
 public:
  explicit Relator(std::FILE* erros) : erros_(erros) {}
  void Erro(const std::string& mensagem) {
    if (++total_ <= kMaximoMensagens) {
      std::fprintf(erros_, "%s\n", mensagem.c_str());
    }
  }
  std::size_t total() const { return total_; }
  void Conclui(bool paraArquivo) {
    if (total_ > kMaximoMensagens) {
      std::fprintf(erros_, "... e mais %zu erros\n", total_ - kMaximoMensagens);
    }
    if (total_ > 0) {
      std::fprintf(erros_, "%zu linha(s) recusada(s); %s\n", total_,
                   paraArquivo ? "o arquivo de saída não foi gravado"
                               : "nada foi escrito depois da primeira");
    }
  }

 private:
  std::FILE* erros_;
  std::size_t total_ = 0;
};

// Output to standard output, or to a file that appears only when all went well.
class Destino {
 public:
  Destino(const std::string& caminho, std::FILE* padrao, std::FILE* erros)
      : caminho_(caminho), erros_(erros) {
    if (caminho_.empty()) {
      arquivo_ = padrao;
      return;
    }
    const std::filesystem::path p(caminho_);
    temporario_ = (p.parent_path().empty() ? std::filesystem::path(".") : p.parent_path()) /
                  ("." + p.filename().string() + ".tmp-" + std::to_string(::getpid()));
    arquivo_ = std::fopen(temporario_.c_str(), "wb");
    if (arquivo_ == nullptr) {
      std::fprintf(erros_, "não foi possível criar '%s': %s\n", caminho_.c_str(),
                   std::strerror(errno));
    }
  }
  ~Destino() {
    if (!temporario_.empty() && arquivo_ != nullptr) {
      std::fclose(arquivo_);
      std::error_code e;
      std::filesystem::remove(temporario_, e);
    }
  }
  Destino(const Destino&) = delete;
  Destino& operator=(const Destino&) = delete;

  std::FILE* arquivo() const { return arquivo_; }
  bool ParaArquivo() const { return !temporario_.empty(); }

  // Puts the file in place; false when it could not be written.
  bool Confirma() {
    if (temporario_.empty()) {
      return true;
    }
    const bool ok = std::fclose(arquivo_) == 0;
    arquivo_ = nullptr;
    std::error_code e;
    if (ok) {
      std::filesystem::rename(temporario_, caminho_, e);
    }
    if (!ok || e) {
      std::fprintf(erros_, "não foi possível gravar '%s'\n", caminho_.c_str());
      std::filesystem::remove(temporario_, e);
      return false;
    }
    return true;
  }

 private:
  std::string caminho_;
  std::FILE* erros_;
  std::FILE* arquivo_ = nullptr;
  std::filesystem::path temporario_;
};

// Input from a file or standard input.
class Origem {
 public:
  Origem(const std::string& caminho, std::FILE* padrao, std::FILE* erros) {
    if (caminho.empty() || caminho == "-") {
      arquivo_ = padrao;
      return;
    }
    arquivo_ = std::fopen(caminho.c_str(), "rb");
    proprio_ = true;
    if (arquivo_ == nullptr) {
      std::fprintf(erros, "não foi possível abrir '%s': %s\n", caminho.c_str(),
                   std::strerror(errno));
    }
  }
  ~Origem() {
    if (proprio_ && arquivo_ != nullptr) {
      std::fclose(arquivo_);
    }
  }
  Origem(const Origem&) = delete;
  Origem& operator=(const Origem&) = delete;
  std::FILE* arquivo() const { return arquivo_; }

 private:
  std::FILE* arquivo_ = nullptr;
  bool proprio_ = false;
};

Codificacao CodificacaoDe(const std::string& nome) {
  std::string n = nome;
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return std::tolower(c); });
  return (n == "utf-8" || n == "utf8") ? Codificacao::kUtf8 : Codificacao::kWindows1252;
}

std::string Linha(std::size_t n) { return "linha " + std::to_string(n) + ": "; }

// The layout through the catalogue, refused when it has no field to read or write.
clLayoutReg* LayoutParaDados(clProdutos& catalogo, const Parametros& p, std::FILE* erros) {
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(p.sistema, p.layout);
  if (l != nullptr && l->campos().empty()) {
    std::fprintf(erros, "o layout '%s' (%s) não tem campos: não há o que ler nem gravar com ele\n",
                 p.layout.c_str(), p.sistema.c_str());
    return nullptr;
  }
  return l;
}

int Sistemas(std::FILE* saida) {
  for (const std::string& s : clProdutos::Produtos()) {
    std::fprintf(saida, "%s\n", s.c_str());
  }
  return kSaidaOk;
}

int Layouts(const Parametros& p, std::FILE* saida) {
  clProdutos catalogo;
  if (catalogo.LocalizaCriaProduto(p.sistema) == nullptr) {
    OperadorAtual().Critico("clProdutos",
                            "Produto " + p.sistema + " ainda não cadastrado. Verifique.");
    return kSaidaEntradaRecusada;
  }
  for (const std::string& nome : clProdutos::LayoutsDoProduto(p.sistema)) {
    std::fprintf(saida, "%s\n", nome.c_str());
  }
  return kSaidaOk;
}

nlohmann::ordered_json LayoutEmJson(const Parametros& p, const clLayoutReg& l) {
  nlohmann::ordered_json j;
  j["system"] = p.sistema;
  j["layout"] = p.layout;
  j["length"] = l.TamanhoRegistro();
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

// Ends a read or a write: the last reports, the output flushed and, when every line went through,
// the output file put in place.
int Encerra(const LeitorLinhas& linhas, Relator& relator, Saida& saida, Destino& destino,
            std::FILE* erros) {
  if (linhas.Falhou()) {
    relator.Erro("erro de leitura da entrada");
  }
  relator.Conclui(destino.ParaArquivo());
  if (!saida.Descarrega()) {
    std::fprintf(erros, "erro ao gravar a saída\n");
    return kSaidaEntradaRecusada;
  }
  if (relator.total() > 0) {
    return kSaidaEntradaRecusada;
  }
  return destino.Confirma() ? kSaidaOk : kSaidaEntradaRecusada;
}

// Reads the record lines of a batch with a layout of its own.
class LeitorDeRegistros final : public TrabalhadorDeLotes {
 public:
  explicit LeitorDeRegistros(const Parametros& p)
      : layout_(*catalogo_.LocalizaCriaLayoutRegistro(p.sistema, p.layout)),
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
  clProdutos catalogo_;
  clLayoutReg& layout_;
  std::string nomeLayout_;
  Codificacao codificacao_;
  Decodificador decodificador_;
  bool jsonl_;
  std::string convertida_;
  std::string erro_;
};

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
      [&p]() -> std::unique_ptr<TrabalhadorDeLotes> {
        return std::make_unique<LeitorDeRegistros>(p);
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

}  // namespace

int ExecutaFerramenta(const std::vector<std::string>& argumentos, std::FILE* entrada,
                      std::FILE* saida, std::FILE* erros) {
  OperadorTemporario operador(std::make_shared<OperadorDaFerramenta>(erros));
  Parametros p;
  CLI::App app{
      "Record layouts of accounting, payroll and fiscal target systems: list them, show "
      "them, read records into CSV and write CSV back into records.",
      "lumbrava-layouts"};
  app.set_version_flag("--version", kVersao);
  app.require_subcommand(1);

  const auto encoding = [&p](CLI::App* c) {
    c->add_option("--encoding", p.codificacao,
                  "Encoding of the record file: windows-1252 (default) or utf-8")
        ->check(CLI::IsMember({"windows-1252", "cp1252", "utf-8", "utf8"}, CLI::ignore_case));
  };

  auto* sistemas = app.add_subcommand("systems", "List the target systems, one per line");
  auto* layouts = app.add_subcommand("layouts", "List a target system's layout names");
  layouts->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  auto* mostra = app.add_subcommand("show", "Show a layout's fields and settings");
  mostra->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  mostra->add_option("LAYOUT", p.layout, "Layout name")->required();
  mostra->add_flag("--json", p.json, "Print the layout as one JSON object");
  auto* le = app.add_subcommand("read", "Read record lines into CSV (or JSON lines)");
  le->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  le->add_option("LAYOUT", p.layout, "Layout name")->required();
  le->add_option("FILE", p.arquivo, "Record file (standard input when absent or -)");
  le->add_flag("--jsonl", p.jsonl, "Write one JSON object per record instead of CSV");
  le->add_option("-o,--output", p.saida, "Write to this file, only if every line is read");
  le->add_option("--threads", p.threads,
                 "Threads that read (default: the machine's cores, at most 8)")
      ->check(CLI::Range(1U, 256U));
  encoding(le);
  auto* escreve = app.add_subcommand("write", "Write CSV (or JSON lines) rows as records");
  escreve->add_option("SYSTEM", p.sistema, "Target system identifier")->required();
  escreve->add_option("LAYOUT", p.layout, "Layout name")->required();
  escreve->add_option("FILE", p.arquivo,
                      "CSV file with a header of field names (standard "
                      "input when absent or -)");
  escreve->add_flag("--jsonl", p.jsonl, "Read one JSON object per line instead of CSV");
  auto* delim = escreve->add_option("--delimiter", p.delimitador,
                                    "Write delimited records with this separator");
  auto* pipe = escreve->add_flag("--pipe", p.pipe, "Write \"|\"-delimited records (|a|b|c|)");
  delim->excludes(pipe);
  escreve->add_option("-o,--output", p.saida, "Write to this file, only if every row is written");
  encoding(escreve);

  std::vector<std::string> args{"lumbrava-layouts"};
  args.insert(args.end(), argumentos.begin(), argumentos.end());
  std::vector<char*> argv;
  for (auto& a : args) {
    argv.push_back(a.data());
  }
  try {
    app.parse(static_cast<int>(argv.size()), argv.data());
  } catch (const CLI::ParseError& e) {
    std::ostringstream out;
    std::ostringstream err;
    const int codigo = app.exit(e, out, err);
    std::fputs(out.str().c_str(), saida);
    std::fputs(err.str().c_str(), erros);
    return codigo == 0 ? kSaidaOk : kSaidaUsoErrado;
  }
  if (p.delimitador.find_first_of("\r\n") != std::string::npos) {
    std::fprintf(erros, "--delimiter: o separador não pode ter quebra de linha\n");
    return kSaidaUsoErrado;
  }

  try {
    if (sistemas->parsed()) return Sistemas(saida);
    if (layouts->parsed()) return Layouts(p, saida);
    if (mostra->parsed()) return Mostra(p, saida);
    if (le->parsed()) return Le(p, entrada, saida, erros);
    if (escreve->parsed()) return Escreve(p, entrada, saida, erros);
  } catch (const std::exception& e) {
    std::fprintf(erros, "erro: %s\n", e.what());
    RegistraErro(std::string("lumbrava-layouts::ExecutaFerramenta::") + e.what());
    return kSaidaEntradaRecusada;
  }
  return kSaidaUsoErrado;
}

}  // namespace lumbrava
