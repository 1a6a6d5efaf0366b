// The write command: CSV or JSON lines into fixed-width or delimited records, on several threads.
#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "common/simd.h"
#include "common/texto.h"
#include "common/visivel.h"
#include "tool/codigos_saida.h"
#include "tool/execucao.h"
#include "tool/json_linhas.h"
#include "tool/registro_csv.h"
#include "tool/sugestoes.h"

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

// The most a row's record takes in the output: the record, its separators and qualifiers, CR LF.
// (In UTF-8 a character may take more bytes, but no more than the row's own text took.)
std::size_t SaidaPorRegistro(const clLayoutReg& l, const Parametros& p) {
  std::size_t bytes = static_cast<std::size_t>(l.ComprimentoRegistro()) + 2;
  if (p.pipe || !p.delimitador.empty()) {
    bytes += l.campos().size() * (std::max<std::size_t>(p.delimitador.size(), 1) + 2) + 1;
  }
  return bytes;
}

// What a worker keeps of the rows' values between batches, at most, in bytes.
constexpr std::size_t kGuardaDeValores = std::size_t{256} << 10U;
// The JSON names a worker keeps with their fields, at most.
constexpr std::size_t kMaximoDeChaves = 4096;

// What to do with a CSV that is not UTF-8: most often a spreadsheet's Windows-1252.
constexpr const char* kComoConverter =
    "o CSV deve ser UTF-8; se ele veio em Windows-1252, converta-o com: iconv -f windows-1252 -t "
    "utf-8 entrada.csv > entrada-utf8.csv";

// The text values that a field cut to its size, in the records written.
struct Corte {
  std::size_t vezes = 0;
  // The first: its line, the value as given and as written.
  std::size_t linha = 0;
  std::string dado;
  std::string escrito;
};

// A batch's cuts, one per field looked at (EscritorDeRegistros::conferidos_), from the worker that
// had the batch to the thread that hands the batches back in order.
class CortesDosLotes {
 public:
  void Deposita(std::size_t lote, std::vector<Corte>&& cortes) {
    const std::lock_guard<std::mutex> l(trava_);
    porLote_[lote] = std::move(cortes);
  }
  std::vector<Corte> Retira(std::size_t lote) {
    const std::lock_guard<std::mutex> l(trava_);
    std::vector<Corte> cortes;
    if (const auto achado = porLote_.find(lote); achado != porLote_.end()) {
      cortes = std::move(achado->second);
      porLote_.erase(achado);
    }
    return cortes;
  }

 private:
  std::mutex trava_;
  std::map<std::size_t, std::vector<Corte>> porLote_;
};

// What the workers tell the thread that hands the batches back, beyond the batches themselves.
struct Apuracao {
  CortesDosLotes cortes;
  std::atomic<bool> naoUtf8{false};  // a row was refused for text that is not UTF-8
};

// What follows "o layout ... não tem o campo 'X'": the nearest field names and the command that
// shows them all.
std::string SugestaoDeCampo(const clLayoutReg& l, const Parametros& p, std::string_view nome) {
  std::vector<std::string> nomes;
  for (const auto& c : l.campos()) {
    nomes.push_back(c->nome);
  }
  return TextoDaSugestao(NomesProximos(nome, nomes), "os campos",
                         ComandoDosCampos(p.sistema, p.layout));
}

// Writes the records of a batch's rows with a copy of its own of the layout.
class EscritorDeRegistros final : public TrabalhadorDeLotes {
 public:
  // `colunas`: the field of each CSV column, by its place in the layout's field order.
  // `separador`: between the CSV's values; `apuracao`: where the cuts and the like are told.
  EscritorDeRegistros(const Parametros& p, const clLayoutReg& modelo,
                      const std::vector<std::size_t>& colunas, char separador, Apuracao& apuracao)
      : p_(p),
        layout_(modelo),
        codificador_(CodificacaoDe(p.codificacao)),
        // The fixed-width record takes the CSV values where they stand, not copied into fields.
        porLugar_(!p.jsonl && !p.pipe && p.delimitador.empty()),
        csv_(kMaximoRegistroDeDados, separador),
        apuracao_(apuracao) {
    const auto& porColuna = layout_.camposPorColuna();
    for (const clLayoutCpo* c : porColuna) {
      valores_.emplace_back(c->valor);  // a field that the CSV lacks keeps its own value
    }
    csv_.LimitaValores(colunas.size());  // a row with more is refused, whatever they hold
    for (const std::size_t i : colunas) {
      colunas_.push_back(layout_.campos()[i].get());
      lugares_.push_back(static_cast<std::size_t>(
          std::find(porColuna.begin(), porColuna.end(), colunas_.back()) - porColuna.begin()));
    }
    // The text fields that the input fills, in field order: their values may be cut.
    for (const auto& campo : layout_.campos()) {
      const clLayoutCpo* c = campo.get();
      if (!c->semFormatacao && !c->EhTexto()) {
        continue;
      }
      Conferido f{
          c, 0, static_cast<std::size_t>(std::max(c->tamanho, 0)),
          c->alinhamento == "D" || (c->tipo.size() == 2 && c->tipo[1] == 'd' && !c->semFormatacao)};
      if (!p.jsonl) {
        const auto coluna = std::find(colunas_.begin(), colunas_.end(), c);
        if (coluna == colunas_.end()) {
          continue;
        }
        f.lugar = lugares_[static_cast<std::size_t>(coluna - colunas_.begin())];
      }
      conferidos_.push_back(f);
    }
  }

  // The fields looked at for cuts, in field order (as TomaCortes gives them).
  std::vector<const clLayoutCpo*> Conferidos() const {
    std::vector<const clLayoutCpo*> campos;
    for (const Conferido& f : conferidos_) {
      campos.push_back(f.campo);
    }
    return campos;
  }

  // The cuts of the records written since the last call (empty when there were none).
  std::vector<Corte> TomaCortes() { return std::exchange(cortes_, {}); }

  // The rows of the batch, the first beginning a record: a record still open at the batch's end
  // is left for whoever has the next batch (Lote::linhasEmAberto).
  void Processa(Lote& lote) override {
    csv_.Esquece();
    cortes_.clear();
    Continua(lote);
    if (csv_.aberto()) {
      lote.linhasEmAberto = lote.primeiraLinha + lote.Linhas() - csv_.linha();
      csv_.Esquece();
    }
    if (!cortes_.empty()) {
      apuracao_.cortes.Deposita(lote.primeiraLinha, TomaCortes());
    }
    Solta();
  }

  // Lets go of what the values of the rows read made grow, so that what a worker keeps between
  // batches stays small whatever the rows held (a row may reach 1 MiB, and there may be many
  // workers). Not while a record is open.
  void Solta() {
    if (csv_.aberto()) {
      return;
    }
    csv_.Solta(kGuardaDeValores);
    std::size_t total = 0;
    for (const auto& c : layout_.campos()) {
      total += c->valor.capacity();
    }
    if (total > kGuardaDeValores) {
      // The values that rows give are given again by every row; the others are the layout's own.
      for (const auto& c : layout_.campos()) {
        if (p_.jsonl || std::find(colunas_.begin(), colunas_.end(), c.get()) != colunas_.end()) {
          std::string().swap(c->valor);
        }
      }
    }
  }

  // The rows of the batch, the first going on with the record left open (Retoma), if any. True
  // when a record is still open at the end: it is kept for the next batch.
  bool Continua(Lote& lote) {
    for (std::size_t i = 0; i < lote.Linhas(); ++i) {
      const std::size_t n = lote.primeiraLinha + i;
      const std::string_view linha = lote.Linha(i);
      if (const LinhaLonga* longa = lote.Longa(i)) {
        if (csv_.aberto()) {
          csv_.RecusaAberto();
          RegistroLido(lote);
        }
        lote.erros.push_back(
            Linha(n) + MensagemLinhaLonga(*longa, std::string(p_.jsonl ? "mais que o limite de uma "
                                                                         "linha JSON, "
                                                                       : "mais que o limite de um "
                                                                         "registro CSV, ") +
                                                      TextoBytes(kMaximoRegistroDeDados)));
        continue;
      }
      if (p_.jsonl) {
        ObjetoJson(linha, n, lote);
      } else if (csv_.Le(linha, n)) {
        RegistroLido(lote);
      }
    }
    return csv_.aberto();
  }

  // Reads again the lines that a batch left open, to go on with their record in the next batch.
  void Retoma(const Lote& lote) {
    csv_.Esquece();
    for (std::size_t i = lote.Linhas() - lote.linhasEmAberto; i < lote.Linhas(); ++i) {
      csv_.Le(lote.Linha(i), lote.primeiraLinha + i);
    }
    csv_.Guarda();
  }

  // The open record's values are copied out of the batch, which may go.
  void Guarda() { csv_.Guarda(); }

  // The end of the input inside a record: the record's message, if one is open.
  bool Encerra(std::string& mensagem) {
    if (!csv_.aberto()) {
      return false;
    }
    csv_.Encerra();
    mensagem = Linha(csv_.linha()) + std::string(csv_.erro());
    return true;
  }

 private:
  void RegistroLido(Lote& lote) {
    const std::size_t n = csv_.linha();
    if (!csv_.erro().empty()) {
      lote.erros.push_back(Linha(n) + std::string(csv_.erro()));
      return;
    }
    if (csv_.valores() == 0) {
      return;  // a blank line
    }
    if (csv_.valores() != colunas_.size()) {
      lote.erros.push_back(Linha(n) + std::to_string(csv_.valores()) +
                           " valores, mas o cabeçalho tem " + std::to_string(colunas_.size()) +
                           " campos");
      return;
    }
    // The record's lines were checked as they were read: each value is looked at only to name
    // the one that is not UTF-8.
    for (std::size_t i = 0; !csv_.utf8() && i < colunas_.size(); ++i) {
      if (!EhUtf8Valido(csv_.valor(i))) {
        lote.erros.push_back(Linha(n) + "campo '" + colunas_[i]->nome + "': o texto não é UTF-8");
        apuracao_.naoUtf8.store(true, std::memory_order_relaxed);
        return;
      }
    }
    for (std::size_t i = 0; i < colunas_.size(); ++i) {
      if (porLugar_) {
        valores_[lugares_[i]] = csv_.valor(i);
      } else {
        colunas_[i]->valor.assign(csv_.valor(i));
      }
    }
    Grava(n, lote);
  }

  void ObjetoJson(std::string_view linha, std::size_t n, Lote& lote) {
    if (Apara(linha).empty()) {
      return;
    }
    layout_.LimpaValores();
    problema_.clear();
    if (!LeObjetoJson(linha, pares_, problema_, &numeros_, layout_.campos().size()) ||
        !PreencheJson()) {
      lote.erros.push_back(Linha(n) + problema_);
      return;
    }
    Grava(n, lote);
  }

  bool PreencheJson() {
    for (std::size_t i = 0; i < pares_.size(); ++i) {
      auto& [chave, valor] = pares_[i];
      auto achado = porChave_.find(chave);
      if (achado == porChave_.end()) {
        clLayoutCpo* const campo = layout_.LocalizaCampo(chave);
        if (porChave_.size() >= kMaximoDeChaves) {  // names of every kind: not all are kept
          porChave_.clear();
        }
        achado = porChave_.emplace(chave, campo).first;
      }
      clLayoutCpo* c = achado->second;
      if (c == nullptr) {
        problema_ = "o layout não tem o campo '" + chave + "'";
        // Batches come to a worker in file order: past the messages that are shown in full, the
        // nearest names are not looked for again on every line.
        if (sugestoes_ < kMaximoMensagens) {
          ++sugestoes_;
          problema_ += "; " + SugestaoDeCampo(layout_, p_, chave);
        }
        return false;
      }
      if (!EhUtf8Valido(valor)) {
        problema_ = "campo '" + c->nome + "': o texto não é UTF-8";
        return false;
      }
      c->valor.swap(valor);
      if (!numeros_[i].empty() && !c->semFormatacao && (c->tipo == "D" || c->tipo == "H")) {
        // A date or a time is its digits: 5.0 or 1e3 is refused as the text "5.0" would be.
        c->valor.swap(numeros_[i]);
      }
    }
    return true;
  }

  // The record of the values in the layout, in the file's encoding.
  void Grava(std::size_t n, Lote& lote) {
    std::size_t tamanho = 0;  // of the record at the start of registro_
    try {
      if (p_.pipe) {
        registro_ = layout_.ExpandeLayoutDivBarra();
        tamanho = registro_.size();
      } else if (!p_.delimitador.empty()) {
        layout_.ExpandeLayoutDiv(registro_, p_.delimitador, "", true);
        tamanho = registro_.size();
      } else if (porLugar_) {
        tamanho = layout_.ExpandeLayout(registro_, valores_);
      } else {
        layout_.ExpandeLayout(registro_);
        tamanho = registro_.size();
      }
    } catch (const ErroValor& e) {
      lote.erros.push_back(Linha(n) + e.what());
      return;
    }
    const std::size_t antes = lote.saida.size();
    if (!codificador_.Acrescenta(std::string_view(registro_.data(), tamanho), lote.saida)) {
      if (porLugar_) {  // the message looks for the field in the fields' values
        for (std::size_t i = 0; i < colunas_.size(); ++i) {
          colunas_[i]->valor.assign(valores_[lugares_[i]]);
        }
      }
      lote.erros.push_back(Linha(n) + CampoNaoCodificavel(layout_, codificador_, p_));
      return;
    }
    if (!lote.erros.empty()) {
      lote.saida.resize(antes);  // nothing more is written after a refused row
      return;
    }
    lote.saida += "\r\n";
    lote.Conta();
    // A value is cut only when it has more bytes than its field has columns.
    const Conferido* const f = conferidos_.data();
    const std::size_t m = conferidos_.size();
    if (porLugar_) {
      const std::string_view* const valores = valores_.data();
      for (std::size_t k = 0; k < m; ++k) {
        if (valores[f[k].lugar].size() > f[k].largura) {
          ConfereCorte(k, valores[f[k].lugar], n);
        }
      }
    } else {
      for (std::size_t k = 0; k < m; ++k) {
        if (f[k].campo->valor.size() > f[k].largura) {
          ConfereCorte(k, f[k].campo->valor, n);
        }
      }
    }
  }

  // Whether the field of conferidos_[k] lost characters of `valor` other than blanks at its end
  // (or its start, for right-aligned text, which the field trims): they are counted.
  void ConfereCorte(std::size_t k, std::string_view valor, std::size_t n) {
    const Conferido& f = conferidos_[k];
    if (Cortado(f.aDireita ? Apara(valor) : valor, f.largura)) {
      Corta(k, valor, n);
    }
  }

  // Whether the text loses other than blanks when cut to `largura` characters.
  static bool Cortado(std::string_view v, std::size_t largura) {
    if (v.size() <= largura) {
      return false;
    }
    const std::size_t caracteres = ContaCaracteres(v);
    if (caracteres <= largura) {
      return false;
    }
    // The characters past the size are the last ones. Blanks are one byte each: those characters
    // are all blanks when as many bytes at the end are.
    return !Apara(std::string_view(v.data() + v.size() - (caracteres - largura),
                                   caracteres - largura))
                .empty();
  }

  // Counts a value cut (the first one kept whole).
  [[gnu::cold]] [[gnu::noinline]] void Corta(std::size_t k, std::string_view valor, std::size_t n) {
    const Conferido& f = conferidos_[k];
    if (cortes_.empty()) {
      cortes_.resize(conferidos_.size());
    }
    Corte& corte = cortes_[k];
    if (corte.vezes++ == 0) {
      std::string escrito;
      std::size_t fim = 0;
      f.campo->ValorFormatado(valor, escrito, fim);
      escrito.resize(fim);
      corte.linha = n;
      corte.dado = TrechoVisivel(valor);
      corte.escrito = porLugar_ ? escrito : std::string(Apara(escrito));
    }
  }

  // A text field whose value may be cut.
  struct Conferido {
    const clLayoutCpo* campo;
    std::size_t lugar;    // of its value in valores_
    std::size_t largura;  // its size
    bool aDireita;        // right-aligned: trimmed at both ends
  };

  const Parametros& p_;
  clLayoutReg layout_;
  Codificador codificador_;
  std::vector<clLayoutCpo*> colunas_;
  const bool porLugar_;                    // valores_ in place of the fields' values
  std::vector<std::string_view> valores_;  // by the fields' places in column order
  std::vector<std::size_t> lugares_;       // each CSV column's place in valores_
  RegistroCsv csv_;
  std::string registro_;
  std::vector<std::pair<std::string, std::string>> pares_;
  std::vector<std::string> numeros_;  // each pair's number as the JSON line writes it
  std::unordered_map<std::string, clLayoutCpo*> porChave_;
  std::string problema_;
  std::size_t sugestoes_ = 0;  // messages given the nearest field names
  std::vector<Conferido> conferidos_;
  std::vector<Corte> cortes_;  // by conferidos_, or empty: no cut since the last TomaCortes
  Apuracao& apuracao_;
};

}  // namespace

int Escreve(const Parametros& pedido, std::FILE* entrada, std::FILE* saidaPadrao,
            std::FILE* erros) {
  const Abertura aberto(pedido, entrada, erros);
  if (!aberto.Abriu()) {
    return kSaidaEntradaRecusada;
  }
  clLayoutReg* const l = &aberto.layout();
  // A layout that reads "|" lines is written so, unless another form is asked for: read takes
  // back what write gives.
  Parametros p = pedido;
  p.pipe = p.pipe || (l->leituraComPipe && p.delimitador.empty() && !p.larguraFixa);
  LeitorLinhas linhas(aberto.entrada(), kMaximoRegistroDeDados);
  std::vector<std::size_t> colunas;  // each CSV column's field, by its place in the layout
  char separador = ',';

  if (!p.jsonl) {
    LeitorCsv csv(linhas, kMaximoRegistroDeDados, kSeparadorDoCabecalho);
    // More names than the layout has fields: one is unknown or repeated among the first of them.
    csv.LimitaValores(l->campos().size() + 1);
    std::vector<std::string> valores;
    std::string erro;
    bool leu = csv.Proximo(valores, erro);
    while (leu && erro.empty() && valores.empty()) {  // blank lines before the header
      leu = csv.Proximo(valores, erro);
    }
    if (!leu) {
      if (linhas.Falhou()) {
        std::fprintf(erros, "erro de leitura da entrada: %s\n", linhas.MotivoDaFalha().c_str());
      } else {
        std::fprintf(erros, "a entrada não tem a linha de cabeçalho com os nomes dos campos\n");
      }
      return kSaidaEntradaRecusada;
    }
    separador = csv.separador();
    if (!erro.empty()) {
      EscreveMensagem(erros, Linha(csv.linha()) + erro);
      return kSaidaEntradaRecusada;
    }
    for (const std::string& nome : valores) {
      if (!EhUtf8Valido(nome)) {
        std::fprintf(erros, "%so cabeçalho não é texto UTF-8 (%s)\n", Linha(csv.linha()).c_str(),
                     kComoConverter);
        return kSaidaEntradaRecusada;
      }
    }
    const auto& campos = l->campos();
    for (const std::string& nome : valores) {
      const clLayoutCpo* c = l->LocalizaCampo(nome);
      if (c == nullptr) {
        EscreveMensagem(erros, Linha(csv.linha()) + "o layout '" + p.layout + "' (" + p.sistema +
                                   ") não tem o campo '" + nome + "'; " +
                                   SugestaoDeCampo(*l, p, nome));
        return kSaidaEntradaRecusada;
      }
      const auto i = static_cast<std::size_t>(
          std::find_if(campos.begin(), campos.end(), [c](const auto& x) { return x.get() == c; }) -
          campos.begin());
      if (std::find(colunas.begin(), colunas.end(), i) != colunas.end()) {
        EscreveMensagem(
            erros, Linha(csv.linha()) + "o campo '" + nome + "' aparece duas vezes no cabeçalho");
        return kSaidaEntradaRecusada;
      }
      colunas.push_back(i);
    }
  }

  Destino destino(p.saida, saidaPadrao, erros);
  if (destino.arquivo() == nullptr || SaidaNaPropriaEntrada(aberto.entrada(), destino, erros)) {
    return kSaidaEntradaRecusada;
  }
  Saida saida(destino.arquivo());
  linhas.AntesDeEsperar([&saida] { saida.Descarrega(); });  // records out before input waits
  Relator relator(erros);
  Apuracao apuracao;
  // A record that runs past the end of a batch is carried on here, on the calling thread, with
  // the batches that follow until it ends (their work on other threads began it afresh).
  EscritorDeRegistros continuador(p, *l, colunas, separador, apuracao);
  const std::vector<const clLayoutCpo*> conferidos = continuador.Conferidos();
  std::vector<Corte> cortes(conferidos.size());  // of the records written, in file order
  const auto somaCortes = [&cortes](std::vector<Corte>&& doLote) {
    for (std::size_t k = 0; k < doLote.size(); ++k) {
      if (doLote[k].vezes > 0 && cortes[k].vezes == 0) {
        cortes[k] = std::move(doLote[k]);
      } else {
        cortes[k].vezes += doLote[k].vezes;
      }
    }
  };
  bool emAberto = false;
  ProcessaEmParalelo(
      linhas, p.threads,
      [&]() -> std::unique_ptr<TrabalhadorDeLotes> {
        return std::make_unique<EscritorDeRegistros>(p, *l, colunas, separador, apuracao);
      },
      [&](Lote& lote) {
        std::vector<Corte> doLote = apuracao.cortes.Retira(lote.primeiraLinha);
        if (emAberto) {
          lote.saida.clear();
          lote.erros.clear();
          emAberto = continuador.Continua(lote);
          if (emAberto) {
            continuador.Guarda();
          } else {
            continuador.Solta();
          }
          doLote = continuador.TomaCortes();
        } else if (lote.linhasEmAberto > 0) {
          continuador.Retoma(lote);
          emAberto = true;
        }
        if (relator.total() == 0) {
          saida.Escreve(lote.saida);
          somaCortes(std::move(doLote));
        }
        for (const std::string& e : lote.erros) {
          relator.Erro(e);
        }
        return !saida.Falhou();  // no one to read the rest (a closed pipe, a full disk)
      },
      SaidaPorRegistro(*l, p));
  // A record left open when the input failed, or when the output did and the input's end was not
  // reached, was cut short, not refused.
  if (std::string mensagem;
      emAberto && !linhas.Falhou() && !saida.Falhou() && continuador.Encerra(mensagem)) {
    relator.Erro(mensagem);
  }
  if (relator.total() == 0) {
    somaCortes(continuador.TomaCortes());
  }
  const bool tudoOuNada = destino.ParaArquivo();  // the file appears only if every row is written
  const int codigo = Encerra(linhas, relator, saida, destino, erros);
  if (apuracao.naoUtf8.load()) {
    std::fprintf(erros, "%s\n", kComoConverter);
  }
  // The text values cut to their fields' sizes, of the records that were written.
  if (codigo == kSaidaOk || !tudoOuNada) {
    for (std::size_t k = 0; k < cortes.size(); ++k) {
      const Corte& c = cortes[k];
      if (c.vezes == 0) {
        continue;
      }
      EscreveMensagem(erros, "aviso: campo '" + conferidos[k]->nome + "' (" +
                                 std::to_string(conferidos[k]->tamanho) +
                                 " colunas): " + std::to_string(c.vezes) +
                                 (c.vezes == 1 ? " valor cortado" : " valores cortados") +
                                 " ao tamanho do campo; o primeiro na linha " +
                                 std::to_string(c.linha) + ": '" + c.dado + "' gravado como '" +
                                 c.escrito + "'");
    }
  }
  return codigo;
}

}  // namespace lumbrava
