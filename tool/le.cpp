// The read command: record lines into CSV or JSON lines, on several threads.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <nlohmann/json.hpp>

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

// What a record's output holds besides its values: `"name":"",` for each field in JSON, `,""` in
// CSV, and the line end.
std::size_t SaidaPorLinha(const clLayoutReg& l, bool jsonl) {
  std::size_t bytes = 1;
  for (const auto& c : l.campos()) {
    bytes += jsonl ? c->nome.size() + 6 : 3;
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
    linha_.resize(MaximoDaLinhaCsv(leitor_, comDecimais_.size()));
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
      const bool leu = jsonl_ ? leitor_.Le(bruta, !e.alto) : LeCsv(bruta, !e.alto);
      if (!leu) {
        lote.erros.push_back(Linha(n) + MensagemDaRecusa(layout_.nomeRegistro, leitor_.recusa()));
        continue;
      }
      if (!lote.erros.empty()) {
        continue;  // nothing more is written after a refused line
      }
      if (jsonl_) {
        EscreveJson(lote.saida);
      } else {
        lote.saida.append(linha_.data() + 1, csv_);
      }
      lote.Conta();
    }
  }

 private:
  std::string_view EmUtf8(std::string_view bruto, std::string& buffer) const {
    return Windows1252EmUtf8(bruto, buffer);
  }

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

  void EscreveJson(std::string& saida) {
    nlohmann::ordered_json j = nlohmann::ordered_json::object();
    const auto& campos = layout_.campos();
    const auto& valores = leitor_.valores();
    for (std::size_t k = 0; k < campos.size(); ++k) {
      const LeitorDeLinha::Valor& v = valores[k];
      j[campos[k]->nome] =
          v.daLinha && converte_ ? std::string(EmUtf8(v.texto, convertida_)) : std::string(v.texto);
    }
    saida += j.dump();
    saida += '\n';
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
  std::string linha_;                       // a CSV line, written in place
  std::size_t csv_ = 0;
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
