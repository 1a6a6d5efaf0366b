// The read command: record lines into CSV or JSON lines, on several threads.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unordered_map>

#include "common/simd.h"
#include "common/texto.h"
#include "layouts/leitor_linha.h"
#include "tool/codigos_saida.h"
#include "tool/csv.h"
#include "tool/execucao.h"

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
#if LUMBRAVA_SSE2
  if (UsaSse2()) {
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
bool PedeAspas(std::string_view v, [[maybe_unused]] const char* legivelAte = nullptr) {
  const char* p = v.data();
  const char* const fim = p + v.size();
#if LUMBRAVA_SSE2
  if (UsaSse2()) {
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
// Kept out of the loop along a line's fields, which it would make too large to be inlined where
// the line is read.
[[gnu::noinline]] char* CampoCsv(char* o, std::string_view v, bool converte,
                                 const char* legivelAte = nullptr) {
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

// What JSON writes for each character below 0x20, '"' and '\\', after a '\\': the character of
// its short form ('"', '\\', 'b', 'f', 'n', 'r', 't'), or 'u' for "\u00XX"; 0 for the other
// bytes, written as they are (DEL and the bytes of UTF-8 from 0x80 among them).
constexpr std::array<char, 256> kEscapesJson = [] {
  std::array<char, 256> t{};
  for (std::size_t c = 0; c < 0x20; ++c) {
    t[c] = 'u';
  }
  t['\b'] = 'b';
  t['\f'] = 'f';
  t['\n'] = 'n';
  t['\r'] = 'r';
  t['\t'] = 't';
  t['"'] = '"';
  t['\\'] = '\\';
  return t;
}();

// The first byte from `p` that JSON escapes, or `fim`. With `legivelAte` (the end of the line that
// holds the text) its last bytes are looked at sixteen at once too.
const char* ProximoEscape(const char* p, const char* const fim,
                          [[maybe_unused]] const char* legivelAte) {
#if LUMBRAVA_SSE2
  if (UsaSse2()) {
    const __m128i controle = _mm_set1_epi8(0x1F);
    const __m128i aspa = _mm_set1_epi8('"');
    const __m128i barra = _mm_set1_epi8('\\');
    const auto achados = [&](const char* q) {
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
      // Bytes up to 0x1F are those that saturate to 0 when 0x1F is taken from them.
      const __m128i ate1f = _mm_cmpeq_epi8(_mm_subs_epu8(b, controle), _mm_setzero_si128());
      return static_cast<unsigned>(_mm_movemask_epi8(
          _mm_or_si128(ate1f, _mm_or_si128(_mm_cmpeq_epi8(b, aspa), _mm_cmpeq_epi8(b, barra)))));
    };
    for (; fim - p >= 16; p += 16) {
      if (const unsigned m = achados(p); m != 0) {
        return p + __builtin_ctz(m);
      }
    }
    if (p < fim && legivelAte != nullptr && legivelAte - p >= 16) {
      const unsigned m = achados(p) & ((1U << (fim - p)) - 1U);
      return m != 0 ? p + __builtin_ctz(m) : fim;
    }
  }
#endif
  while (p < fim && kEscapesJson[static_cast<unsigned char>(*p)] == 0) {
    ++p;
  }
  return p;
}

// A text as a JSON string's contents at `o`, escaped as JSON writes it: '"' and '\\' after a
// '\\', the characters below 0x20 by their short forms or as "\u00XX" (lower-case hex), every
// other byte as it is. With `converte` the text is Windows-1252 and is written as UTF-8. `o` has
// room for six bytes a byte, and 32 more; `legivelAte` as in CampoCsv.
[[gnu::noinline]] char* CampoJson(char* o, std::string_view v, bool converte,
                                  const char* legivelAte = nullptr) {
  const char* p = v.data();
  const char* const fim = p + v.size();
  for (;;) {
    const char* const e = ProximoEscape(p, fim, legivelAte);
    const std::string_view parte(p, static_cast<std::size_t>(e - p));
    o = converte ? Windows1252ParaUtf8(o, parte, legivelAte) : Copia(o, parte);
    if (e == fim) {
      return o;
    }
    const auto c = static_cast<unsigned char>(*e);
    *o++ = '\\';
    *o++ = kEscapesJson[c];
    if (kEscapesJson[c] == 'u') {
      constexpr char kHexa[] = "0123456789abcdef";
      o = Copia(o, "00");
      *o++ = kHexa[c >> 4U];
      *o++ = kHexa[c & 0xFU];
    }
    p = e + 1;
  }
}

// A text as a JSON string, quotes included.
std::string TextoJson(std::string_view texto) {
  std::string s(6 * texto.size() + 32, '\0');
  char* o = s.data();
  *o++ = '"';
  o = CampoJson(o, texto, false);
  *o++ = '"';
  s.resize(static_cast<std::size_t>(o - s.data()));
  return s;
}

// What a record's output holds besides its values: `"name":"",` for each field and the braces in
// JSON, `,""` for each field in CSV, and the line end.
std::size_t SaidaPorLinha(const clLayoutReg& l, bool jsonl) {
  std::size_t bytes = jsonl ? 3 : 1;
  for (const auto& c : l.campos()) {
    bytes += jsonl ? TextoJson(c->nome).size() + 4 : 3;
  }
  return bytes;
}

// The Windows-1252 text of a record line as UTF-8, for the line reader.
std::string_view Windows1252EmUtf8(std::string_view bytes, std::string& buffer) {
  buffer.resize(bytes.size() * 3 + 32);
  buffer.resize(
      static_cast<std::size_t>(Windows1252ParaUtf8(buffer.data(), bytes) - buffer.data()));
  return buffer;
}

// Reads the record lines of a batch with a line reader of its own (layouts/leitor_linha.h), which
// reads a Windows-1252 line in its own bytes; only the text written out is converted to UTF-8.
class LeitorDeRegistros final : public TrabalhadorDeLotes {
 public:
  LeitorDeRegistros(const Parametros& p, const clLayoutReg& modelo)
      : layout_(modelo),
        codificacao_(CodificacaoDe(p.codificacao)),
        leitor_(codificacao_ == Codificacao::kWindows1252 ? LeitorDeLinha(modelo, Windows1252EmUtf8)
                                                          : LeitorDeLinha(modelo)),
        decodificador_(codificacao_),
        jsonl_(p.jsonl),
        longaDemais_("mais do que cabe no layout '" + p.layout + "' (no máximo " +
                     std::to_string(MaximoDaLinha(modelo, codificacao_)) + " bytes)"),
        saidaPorLinha_(SaidaPorLinha(modelo, p.jsonl)) {
    leitor_.Planeja();
    for (const auto& c : modelo.campos()) {
      comDecimais_.push_back(c->decimais > 0 ? 1 : 0);
    }
    if (jsonl_) {
      PreparaJson();
      linha_.resize(6 * leitor_.BytesDosValores() + chaves_.size() + 64);
    } else {
      linha_.resize(MaximoDaLinhaCsv(leitor_, comDecimais_.size()));
    }
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
      const bool leu = jsonl_ ? LeJson(bruta, !e.alto) : LeCsv(bruta, !e.alto);
      if (!leu) {
        lote.erros.push_back(Linha(n) + MensagemDaRecusa(layout_.nomeRegistro, leitor_.recusa()));
        continue;
      }
      if (!lote.erros.empty()) {
        continue;  // nothing more is written after a refused line
      }
      if (jsonl_) {
        lote.saida.append(linha_.data(), json_);
      } else {
        lote.saida.append(linha_.data() + 1, csv_);
      }
      lote.Conta();
    }
  }

 private:
  // Writes the values of a line as they are read, into the CSV line in linha_: every value after
  // a ",", the first one's in linha_[0], left out of the line. linha_ has room for any line's
  // values (MaximoDaLinhaCsv), so that nothing is measured as they are written.
  struct LinhaCsv {
    LeitorDeRegistros& r;
    const char* fimDaLinha;
    char* o = nullptr;  // where the next byte goes

    void Comeca() { o = r.linha_.data(); }
    // A number goes after its "," and, when its field has decimals, after a place for the quote
    // that its decimal comma asks for.
    [[gnu::always_inline]] char* Numero(std::size_t k, std::size_t /*bytes*/) const {
      return o + 1 + r.comDecimais_[k];
    }
    [[gnu::always_inline]] void Valor(std::size_t k, const LeitorDeLinha::Valor& v) {
      *o++ = ',';
      if (v.numero) {
        // Where Numero put it: digits, a sign and a decimal comma, which asks for quotes.
        const std::size_t n = v.texto.size();
        if (v.decimais) {
          if (r.comDecimais_[k] == 0) {
            std::memmove(o + 1, o, n);
          }
          o[0] = '"';
          o[n + 1] = '"';
          o += n + 2;
        } else {
          if (r.comDecimais_[k] != 0 && n > 0) {
            std::memmove(o, o + 1, n);
          }
          o += n;
        }
        return;
      }
      o = CampoCsv(o, v.texto, v.daLinha && r.converte_, v.daLinha ? fimDaLinha : nullptr);
    }
  };

  // Room for the CSV line of any line of the layout: each value's bytes converted to UTF-8 (three
  // a byte at most) or quoted (two), its "," and quotes, and what CampoCsv and
  // EscreveNumeroDoCampo may write past the end.
  static std::size_t MaximoDaLinhaCsv(const LeitorDeLinha& leitor, std::size_t campos) {
    return 6 * leitor.BytesDosValores() + 3 * campos + 64;
  }

  // Reads the line into its CSV line, in linha_ (csv_ bytes from linha_[1]); false when it is
  // refused.
  bool LeCsv(std::string_view bruta, bool ascii) {
    LinhaCsv csv{*this, bruta.data() + bruta.size()};
    if (!leitor_.Le(bruta, ascii, csv)) {
      return false;
    }
    char* o = csv.o;
    if (comDecimais_.size() == 1 && o == linha_.data() + 1) {
      o = Copia(o, "\"\"");  // an empty row, not a blank line
    }
    *o++ = '\n';
    csv_ = static_cast<std::size_t>(o - (linha_.data() + 1));
    return true;
  }

  // The parts of a JSON line besides its values, made once: `{"name":"` before the first key's
  // value, `","name":"` before each other's, `"}` and the line end after the last. A name given to
  // several fields is one key, where the first of them stands, with the last one's value (as a
  // JSON object takes a name set again).
  void PreparaJson() {
    const auto& campos = layout_.campos();
    std::unordered_map<std::string_view, std::size_t> chaves;
    std::vector<std::size_t> valorDaChave;
    for (std::size_t k = 0; k < campos.size(); ++k) {
      const std::string& nome = campos[k]->nome;
      if (const auto [c, nova] = chaves.try_emplace(nome, valorDaChave.size()); !nova) {
        valorDaChave[c->second] = k;
        continue;
      }
      inicioDaChave_.push_back(chaves_.size());
      chaves_ += valorDaChave.empty() ? "{" : "\",";
      chaves_ += TextoJson(nome);
      chaves_ += ":\"";
      valorDaChave.push_back(k);
    }
    inicioDaChave_.push_back(chaves_.size());
    fimJson_ = campos.empty() ? "{}\n" : "\"}\n";
    if (valorDaChave.size() < campos.size()) {
      valorDaChave_ = std::move(valorDaChave);
    }
  }

  // What comes before the value of the k-th key of a JSON line.
  std::string_view Chave(std::size_t k) const {
    return std::string_view(chaves_).substr(inicioDaChave_[k],
                                            inicioDaChave_[k + 1] - inicioDaChave_[k]);
  }

  // Writes the values of a line as they are read, into the JSON line in linha_, which has room
  // for any line's (six bytes a byte of the values, escaped, and the keys): a number goes after
  // its key, where Numero says; a text is escaped after it.
  struct LinhaJson {
    LeitorDeRegistros& r;
    const char* fimDaLinha;
    char* o = nullptr;  // where the next key goes

    void Comeca() { o = r.linha_.data(); }
    [[gnu::always_inline]] char* Numero(std::size_t k, std::size_t /*bytes*/) const {
      return Copia(o, r.Chave(k));
    }
    [[gnu::always_inline]] void Valor(std::size_t k, const LeitorDeLinha::Valor& v) {
      if (v.numero) {  // digits, a sign and a decimal comma: nothing to escape
        o += r.Chave(k).size() + v.texto.size();
        return;
      }
      o = CampoJson(Copia(o, r.Chave(k)), v.texto, v.daLinha && r.converte_,
                    v.daLinha ? fimDaLinha : nullptr);
    }
  };

  // Reads the line into its JSON line, in linha_ (json_ bytes); false when it is refused. Kept out
  // of Processa, whose CSV loop runs some 5% slower with the JSON one inlined beside it.
  [[gnu::noinline]] bool LeJson(std::string_view bruta, bool ascii) {
    LinhaJson json{*this, bruta.data() + bruta.size()};
    if (valorDaChave_.empty()) {
      if (!leitor_.Le(bruta, ascii, json)) {
        return false;
      }
    } else {  // names given to several fields: the keys are not the fields, one by one
      if (!leitor_.Le(bruta, ascii)) {
        return false;
      }
      json.Comeca();
      for (std::size_t k = 0; k < valorDaChave_.size(); ++k) {
        const LeitorDeLinha::Valor& v = leitor_.valores()[valorDaChave_[k]];
        json.o = CampoJson(Copia(json.o, Chave(k)), v.texto, v.daLinha && converte_,
                           v.daLinha ? json.fimDaLinha : nullptr);
      }
    }
    char* const o = Copia(json.o, fimJson_);
    json_ = static_cast<std::size_t>(o - linha_.data());
    return true;
  }

  const clLayoutReg& layout_;
  Codificacao codificacao_;
  LeitorDeLinha leitor_;
  Decodificador decodificador_;
  bool jsonl_;
  std::string longaDemais_;
  std::size_t saidaPorLinha_;
  // Per line:
  bool converte_ = false;  // the line's own text is Windows-1252 with bytes from 0x80
  std::string convertida_;
  std::vector<unsigned char> comDecimais_;  // per field: 1 when its numbers have decimals
  std::string linha_;                       // a CSV or JSON line, written in place
  std::size_t csv_ = 0;
  std::size_t json_ = 0;
  // The parts of a JSON line (PreparaJson): before each key's value, from inicioDaChave_[k] to
  // inicioDaChave_[k + 1] in chaves_, and after the last.
  std::string chaves_;
  std::vector<std::size_t> inicioDaChave_;
  std::string fimJson_;
  // The field whose value each key takes, in key order, when some name is given to several
  // fields; empty when the keys are the fields, in field order.
  std::vector<std::size_t> valorDaChave_;
};

}  // namespace

int Le(const Parametros& p, std::FILE* entrada, std::FILE* saidaPadrao, std::FILE* erros) {
  const Abertura aberto(p, entrada, erros);
  if (!aberto.Abriu()) {
    return kSaidaEntradaRecusada;
  }
  clLayoutReg* const l = &aberto.layout();
  Destino destino(p.saida, saidaPadrao, erros);
  if (destino.arquivo() == nullptr || SaidaNaPropriaEntrada(aberto.entrada(), destino, erros)) {
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
        return !saida.Falhou();  // no one to read the rest (a closed pipe, a full disk)
      },
      SaidaPorLinha(*l, p.jsonl));
  return Encerra(linhas, relator, saida, destino, erros);
}

}  // namespace lumbrava
