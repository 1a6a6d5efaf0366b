// The read command: record lines into CSV or JSON lines, on several threads.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>

#include "common/texto.h"
#include "layouts/numero.h"
#include "tool/codigos_saida.h"
#include "tool/csv.h"
#include "tool/execucao.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace lumbrava {

namespace {

constexpr std::size_t kNada = std::string_view::npos;

// What one look at a raw line finds.
struct Exame {
  std::size_t crOuNul = kNada;     // the first CR or NUL byte
  bool alto = false;               // some byte from 0x80
  std::size_t indefinido = kNada;  // the first of the bytes `indefinidos`
};

// Looks at every byte of the line once, sixteen at a time: CR and NUL, bytes from 0x80, and the
// first of `indefinidos` (bytes from 0x80 to 0x9F).
Exame Examina(std::string_view linha, std::string_view indefinidos) {
  Exame e;
  std::size_t i = 0;
#ifdef __SSE2__
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i nul = _mm_setzero_si128();
  const __m128i e0 = _mm_set1_epi8(static_cast<char>(0xE0));
  const __m128i oitenta = _mm_set1_epi8(static_cast<char>(0x80));
  for (; i + 16 <= linha.size(); i += 16) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(linha.data() + i));
    const int crnul =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(b, cr), _mm_cmpeq_epi8(b, nul)));
    if (crnul != 0) {
      e.crOuNul = i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(crnul)));
      return e;
    }
    if (_mm_movemask_epi8(b) == 0) {
      continue;
    }
    e.alto = true;
    // The undefined bytes lie among 0x80 to 0x9F, rare in text: looked for only there.
    if (e.indefinido == kNada &&
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_and_si128(b, e0), oitenta)) != 0) {
      for (std::size_t k = i; k < i + 16; ++k) {
        if (indefinidos.find(linha[k]) != kNada) {
          e.indefinido = k;
          break;
        }
      }
    }
  }
#endif
  for (; i < linha.size(); ++i) {
    const char c = linha[i];
    if (c == '\r' || c == '\0') {
      e.crOuNul = i;
      return e;
    }
    if (static_cast<unsigned char>(c) >= 0x80U) {
      e.alto = true;
      if (e.indefinido == kNada && indefinidos.find(c) != kNada) {
        e.indefinido = i;
      }
    }
  }
  return e;
}

// True when the text holds ',' or '"', which CSV quotes. With `legivelAte` (the end of the line
// that holds the text) its last bytes are looked at sixteen at once too.
bool PedeAspas(std::string_view v, const char* legivelAte = nullptr) {
  const char* p = v.data();
  const char* const fim = p + v.size();
#ifdef __SSE2__
  const __m128i virgula = _mm_set1_epi8(',');
  const __m128i aspa = _mm_set1_epi8('"');
  const auto achadas = [&](const char* q) {
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    return static_cast<unsigned>(
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(b, virgula), _mm_cmpeq_epi8(b, aspa))));
  };
  for (; fim - p >= 16; p += 16) {
    if (achadas(p) != 0) {
      return true;
    }
  }
  if (p < fim && legivelAte != nullptr && legivelAte - p >= 16) {
    return (achadas(p) & ((1U << (fim - p)) - 1U)) != 0;
  }
#endif
  bool achou = false;
  for (; p < fim; ++p) {
    achou = achou || *p == ',' || *p == '"';
  }
  return achou;
}

// One CSV field at `o`, quoted when it holds ',' or '"'; with `converte` the text is Windows-1252
// and is written as UTF-8. `o` has room for three bytes a byte, twice, and 32 more. `legivelAte`:
// the end of the line that holds the text, when it may be read up to there.
char* CampoCsv(char* o, std::string_view v, bool converte, const char* legivelAte = nullptr) {
  const auto escreve = [converte, legivelAte](char* d, std::string_view parte) {
    return converte ? Windows1252ParaUtf8(d, parte, legivelAte) : Copia(d, parte);
  };
  if (!PedeAspas(v, legivelAte)) {
    return escreve(o, v);
  }
  *o++ = '"';
  std::size_t de = 0;
  for (std::size_t p = v.find('"'); p != kNada; p = v.find('"', de)) {
    o = escreve(o, v.substr(de, p + 1 - de));
    *o++ = '"';  // doubled
    de = p + 1;
  }
  o = escreve(o, v.substr(de));
  *o++ = '"';
  return o;
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

// Reads the record lines of a batch with a copy of its own of the layout. A fixed-width line is
// cut where its fields stand, found in one walk along it (in a Windows-1252 file a column is a
// byte), and only the text written out is converted to UTF-8; "|" lines go through the layout.
class LeitorDeRegistros final : public TrabalhadorDeLotes {
 public:
  LeitorDeRegistros(const Parametros& p, const clLayoutReg& modelo)
      : layout_(modelo),
        nomeLayout_(p.layout),
        codificacao_(CodificacaoDe(p.codificacao)),
        decodificador_(codificacao_),
        jsonl_(p.jsonl),
        longaDemais_("mais do que cabe no layout '" + p.layout + "' (no máximo " +
                     std::to_string(MaximoDaLinha(modelo, codificacao_)) + " bytes)"),
        comprimento_(static_cast<std::size_t>(layout_.ComprimentoRegistro())),
        saidaPorLinha_(SaidaPorLinha(modelo, p.jsonl)) {
    const auto& campos = layout_.campos();
    // The fields in the order the layout cuts a line in.
    for (const clLayoutCpo* c : layout_.camposPorColuna()) {
      Leitura k;
      k.campo = c;
      while (campos[k.indice].get() != c) {
        ++k.indice;
      }
      k.numero = c->tipo == "N" && !c->semFormatacao;
      k.escreveSeparador = c->EscreveSeparador();
      k.separador = c->SeparadorDecimalEfetivo();
      k.separadorAscii = EhAscii(k.separador);
      leituras_.push_back(k);
    }
    valores_.resize(campos.size());
    numeros_.resize(campos.size());
    FazPlano();
  }

  void Processa(Lote& lote) override {
    const bool w1252 = codificacao_ == Codificacao::kWindows1252;
    // Room for the usual output at once: growing it step by step copies it again and again.
    lote.saida.reserve(lote.bytes + lote.bytes / 4 + lote.Linhas() * saidaPorLinha_);
    for (std::size_t i = 0; i < lote.Linhas(); ++i) {
      const std::size_t n = lote.primeiraLinha + i;
      const std::string_view bruta = lote.Linha(i);
      if (bruta.empty()) {
        if (const LinhaLonga* longa = lote.Longa(i)) {
          lote.erros.push_back(Linha(n) + MensagemLinhaLonga(*longa, longaDemais_));
        }
        continue;
      }
      const Exame e = Examina(bruta, w1252 ? kIndefinidosWindows1252 : std::string_view());
      if (e.crOuNul != kNada) {
        const std::size_t p = e.crOuNul;
        lote.erros.push_back(
            Linha(n) + (bruta[p] == '\r'
                            ? std::string(kMensagemCrSemLf)
                            : "coluna " + std::to_string(w1252 ? p + 1 : ColunaDoByte(bruta, p)) +
                                  ": o byte 0x00 não é texto"));
        continue;
      }
      if (lote.primeiraNaoAscii == 0 && w1252 && e.alto) {
        lote.primeiraNaoAscii = n;
        lote.naoAsciiEhUtf8 = EhUtf8Valido(bruta);
      }
      if (w1252 ? e.indefinido != kNada : e.alto && !EhUtf8Valido(bruta)) {
        std::string_view utf8;
        FalhaCodificacao falha;
        decodificador_.Decodifica(bruta, convertida_, utf8, &falha);
        char byte[8];
        std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned>(falha.valor));
        lote.erros.push_back(
            Linha(n) + "coluna " + std::to_string(falha.coluna) + ": o byte " + byte +
            (w1252 ? " não é um caractere do Windows-1252" : " não forma texto UTF-8"));
        continue;
      }
      converte_ = w1252 && e.alto;
      if (lote.erros.empty() && !plano_.empty()) {
        const bool porBytes = w1252 || !e.alto;
        if (porBytes ? NoPlano(bruta) : NoPlanoUtf8(bruta)) {
          if (EscrevePlano(bruta, porBytes, lote.saida)) {
            continue;
          }
        }
      }
      if (!(layout_.leituraComPipe ? LePipe(bruta, n, lote) : Corta(bruta, e.alto, n, lote))) {
        continue;
      }
      if (!lote.erros.empty()) {
        continue;  // nothing more is written after a refused line
      }
      if (jsonl_) {
        EscreveJson(lote.saida);
      } else {
        EscreveCsv(lote.saida);
      }
    }
  }

 private:
  // How a field's value is read, in column order (the layout's cuts of a line).
  struct Leitura {
    const clLayoutCpo* campo = nullptr;
    std::size_t indice = 0;         // its place in the field order: the output column
    bool numero = false;            // read as a number
    bool escreveSeparador = false;  // the number's settings in force
    std::string_view separador;
    bool separadorAscii = false;
  };
  // A field's value for one line: raw bytes of the line (converted as written out) or UTF-8.
  struct Valor {
    std::string_view texto;
    bool daLinha = false;
  };

  // Where a CSV line comes straight from the record line: a fixed-width layout without field-end
  // separators or operation texts has each field's bytes at the same place in every line whose
  // columns are bytes (Windows-1252, or ASCII) and that holds all of them; in a UTF-8 line with
  // accents, one walk along the line finds where the fields' columns begin and end. Such a line is
  // written out field by field with no cutting; any other line, and any line whose value is
  // refused, goes the general way, which gives the message.
  struct Trecho {
    std::size_t de = 0;     // the field's first column (from 0)
    std::size_t bytes = 0;  // its columns; 0 for a field without columns
    std::size_t iDe = 0;    // its first and its end column, by their places in fronteiras_
    std::size_t iAte = 0;
    bool numero = false;
    bool apara = false;
    LeituraNumero leitura;
  };

  void FazPlano() {
    const auto& campos = layout_.campos();
    if (jsonl_ || layout_.leituraComPipe || campos.size() < 2) {
      return;  // JSON, "|" lines, and the one-column CSV whose empty value is written ""
    }
    std::vector<Trecho> plano;
    std::size_t maximo = 1;
    for (const auto& c : campos) {
      Trecho t;
      t.numero = c->tipo == "N" && !c->semFormatacao;
      t.apara = c->eliminaEspacos;
      t.leitura = {c->decimais, c->EscreveSeparador(), c->SeparadorDecimalEfetivo()};
      if (!c->operacao.empty() || c->SeparadorNoFinalEfetivo() ||
          (t.numero && !EhAscii(t.leitura.separador))) {
        return;
      }
      if (c->inicio >= 1 && c->tamanho > 0) {
        t.de = static_cast<std::size_t>(c->inicio - 1);
        t.bytes = static_cast<std::size_t>(c->tamanho);
        planoCobre_ = std::max(planoCobre_, t.de + t.bytes);
      }
      // A text: up to four bytes a column, doubled quotes; a number: its digits, the decimals'
      // zeros.
      maximo += t.bytes * 8 + static_cast<std::size_t>(std::max(c->decimais, 0)) + 8;
      plano.push_back(t);
      fronteiras_.push_back(t.de);
      fronteiras_.push_back(t.de + t.bytes);
    }
    std::sort(fronteiras_.begin(), fronteiras_.end());
    fronteiras_.erase(std::unique(fronteiras_.begin(), fronteiras_.end()), fronteiras_.end());
    for (Trecho& t : plano) {
      t.iDe = static_cast<std::size_t>(
          std::lower_bound(fronteiras_.begin(), fronteiras_.end(), t.de) - fronteiras_.begin());
      t.iAte = static_cast<std::size_t>(
          std::lower_bound(fronteiras_.begin(), fronteiras_.end(), t.de + t.bytes) -
          fronteiras_.begin());
    }
    deslocamentos_.resize(fronteiras_.size());
    plano_ = std::move(plano);
    planoMaximo_ = maximo + 32;
  }

  // The same for a UTF-8 line with accents, finding where the columns of the fields begin and end
  // (deslocamentos_) in one walk.
  bool NoPlanoUtf8(std::string_view bruta) {
    PercursoUtf8 percurso(bruta);
    for (std::size_t i = 0; i < fronteiras_.size(); ++i) {
      deslocamentos_[i] = percurso.Deslocamento(fronteiras_[i]);
    }
    if (percurso.Antes() < planoCobre_) {
      return false;  // a short line
    }
    const std::size_t depois = percurso.Deslocamento(comprimento_);
    return percurso.Antes() < comprimento_ || Apara(bruta.substr(depois)).empty();
  }

  // Whether the line goes the plan's way: it holds every field, and nothing but blanks after the
  // record.
  bool NoPlano(std::string_view bruta) const {
    return !plano_.empty() && bruta.size() >= planoCobre_ &&
           (bruta.size() <= comprimento_ || Apara(bruta.substr(comprimento_)).empty());
  }

  // The CSV line of a line in the plan, appended to `saida`; false, with nothing written, when a
  // value is refused.
  bool EscrevePlano(std::string_view bruta, bool porBytes, std::string& saida) {
    if (linha_.size() < planoMaximo_) {
      linha_.resize(planoMaximo_);
    }
    char* o = linha_.data();
    for (std::size_t k = 0; k < plano_.size(); ++k) {
      const Trecho& t = plano_[k];
      if (k > 0) {
        *o++ = ',';
      }
      const std::string_view v =
          porBytes
              ? std::string_view(bruta.data() + t.de, t.bytes)
              : bruta.substr(deslocamentos_[t.iDe], deslocamentos_[t.iAte] - deslocamentos_[t.iDe]);
      if (t.numero) {
        // Written after a place kept for the quote that a decimal comma asks for.
        bool decimais = false;
        char* const fim = EscreveNumeroDoCampo(o + 1, v, t.leitura, bruta, decimais);
        if (fim == nullptr) {
          return false;
        }
        if (decimais) {
          *o = '"';
          *fim = '"';
          o = fim + 1;
        } else {
          std::memmove(o, o + 1, static_cast<std::size_t>(fim - (o + 1)));
          o = fim - 1;
        }
        continue;
      }
      o = CampoCsv(o, t.apara ? Apara(v) : v, converte_, bruta.data() + bruta.size());
    }
    *o++ = '\n';
    saida.append(linha_.data(), static_cast<std::size_t>(o - linha_.data()));
    return true;
  }

  std::string Problema(const clLayoutCpo& c, const std::string& problema) const {
    return "layout '" + layout_.nomeRegistro + "', campo '" + c.nome + "'" + problema;
  }

  // A fixed-width line: the record-length check, then every field in column order, cut where the
  // layout cuts it (a column is a byte in Windows-1252 or ASCII, a character in UTF-8 with
  // accents), and its value. False (with the message) when the line is refused.
  bool Corta(std::string_view bruta, bool alto, std::size_t n, Lote& lote) {
    const bool caminha = alto && codificacao_ == Codificacao::kUtf8;  // columns are not bytes
    if (bruta.size() > comprimento_) {
      const std::size_t colunas = caminha ? ContaCaracteres(bruta) : bruta.size();
      if (colunas > comprimento_ &&
          !Apara(
               bruta.substr(caminha ? DeslocamentoDoCaractere(bruta, comprimento_) : comprimento_))
               .empty()) {
        lote.erros.push_back(Linha(n) + std::to_string(colunas) + " caracteres, mas o layout '" +
                             nomeLayout_ + "' tem " + std::to_string(comprimento_) + " colunas");
        return false;
      }
    }
    layout_.CortaLinha(bruta, !caminha, cortes_);
    for (std::size_t i = 0; i < cortes_.size(); ++i) {
      const clLayoutReg::CorteDoCampo& k = cortes_[i];
      valores_[leituras_[i].indice] = {k.texto, k.daLinha};
      if (!LeValor(leituras_[i], k, n, lote)) {
        return false;
      }
    }
    return true;
  }

  // A field's value as the layout reads it: trimmed when the field asks, a number in the
  // system's form; false (with the message) when the line is refused.
  bool LeValor(const Leitura& k, const clLayoutReg::CorteDoCampo& corte, std::size_t n,
               Lote& lote) {
    const clLayoutCpo& c = *k.campo;
    Valor& v = valores_[k.indice];
    if (c.eliminaEspacos) {
      v.texto = Apara(v.texto);
    }
    if (!k.numero) {
      return true;
    }
    // An ASCII separator reads the same in the raw bytes, where anything else is no number.
    std::string_view texto = v.texto;
    const bool bruto = v.daLinha && converte_;
    if (bruto && !k.separadorAscii && !EhAscii(texto)) {
      texto = EmUtf8(texto, convertida_);
    }
    if (corte.cortadoPeloFim) {
      lote.erros.push_back(
          Linha(n) + Problema(c, " (colunas " + std::to_string(c.inicio) + " a " +
                                     std::to_string(c.fim) + "): a linha acaba na coluna " +
                                     std::to_string(corte.colunasDaLinha) + ", no meio do número"));
      return false;
    }
    std::string& numero = numeros_[k.indice];
    if (!LeNumeroDoCampo(texto, c.decimais, k.escreveSeparador, k.separador, numero)) {
      if (bruto) {
        texto = EmUtf8(texto, convertida_);
      }
      lote.erros.push_back(Linha(n) +
                           Problema(c, ": '" + std::string(Apara(texto)) + "' não é um número"));
      return false;
    }
    v = {numero, false};
    return true;
  }

  // A "|" line, through the layout.
  bool LePipe(std::string_view bruta, std::size_t n, Lote& lote) {
    std::string_view utf8;
    decodificador_.Decodifica(bruta, convertida_, utf8);
    if (!layout_.PreencheLayoutApartirLinha(utf8, &erro_)) {
      lote.erros.push_back(Linha(n) + erro_);
      return false;
    }
    const auto& campos = layout_.campos();
    for (std::size_t k = 0; k < campos.size(); ++k) {
      valores_[k] = {campos[k]->valor, false};
    }
    return true;
  }

  char* Converte(char* o, std::string_view bruto) const { return Windows1252ParaUtf8(o, bruto); }

  std::string_view EmUtf8(std::string_view bruto, std::string& buffer) const {
    buffer.resize(bruto.size() * 3 + 32);
    buffer.resize(static_cast<std::size_t>(Converte(buffer.data(), bruto) - buffer.data()));
    return buffer;
  }

  void EscreveCsv(std::string& saida) {
    if (valores_.size() == 1 && valores_[0].texto.empty()) {
      saida += "\"\"\n";  // an empty row, not a blank line
      return;
    }
    std::size_t maximo = 1;
    for (const Valor& v : valores_) {
      maximo += v.texto.size() * (v.daLinha && converte_ ? 3 : 1) * 2 + 3;
    }
    if (linha_.size() < maximo + 32) {
      linha_.resize(maximo + 32);
    }
    char* o = linha_.data();
    for (std::size_t k = 0; k < valores_.size(); ++k) {
      if (k > 0) {
        *o++ = ',';
      }
      o = CampoCsv(o, valores_[k].texto, valores_[k].daLinha && converte_);
    }
    *o++ = '\n';
    saida.append(linha_.data(), static_cast<std::size_t>(o - linha_.data()));
  }

  void EscreveJson(std::string& saida) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    const auto& campos = layout_.campos();
    for (std::size_t k = 0; k < campos.size(); ++k) {
      const Valor& v = valores_[k];
      j[campos[k]->nome] =
          v.daLinha && converte_ ? std::string(EmUtf8(v.texto, convertida_)) : std::string(v.texto);
    }
    saida += j.dump();
    saida += '\n';
  }

  clLayoutReg layout_;
  std::string nomeLayout_;
  Codificacao codificacao_;
  Decodificador decodificador_;
  bool jsonl_;
  std::string longaDemais_;
  std::size_t comprimento_;
  std::size_t saidaPorLinha_;
  std::vector<Leitura> leituras_;
  std::vector<Trecho> plano_;               // in field order; empty when lines are always cut
  std::size_t planoCobre_ = 0;              // the bytes a line needs to hold every field
  std::size_t planoMaximo_ = 0;             // the CSV bytes of such a line, at most
  std::vector<std::size_t> fronteiras_;     // the columns where the fields begin and end, in order
  std::vector<std::size_t> deslocamentos_;  // where they stand in a UTF-8 line, per line
  std::vector<clLayoutReg::CorteDoCampo> cortes_;
  // Per line:
  bool converte_ = false;  // the line's own text is Windows-1252 with bytes from 0x80
  std::vector<Valor> valores_;
  std::vector<std::string> numeros_;
  std::string convertida_;
  std::string erro_;
  std::string linha_;
};

}  // namespace

int Le(const Parametros& p, std::FILE* entrada, std::FILE* saidaPadrao, std::FILE* erros) {
  const Abertura aberto(p, entrada, erros);
  if (!aberto.Abriu()) {
    return kSaidaEntradaRecusada;
  }
  clLayoutReg* const l = &aberto.layout();
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
  LeitorLinhas linhas(aberto.entrada(), MaximoDaLinha(*l, CodificacaoDe(p.codificacao)));
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
          saida.Escreve(lote.saida);
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
