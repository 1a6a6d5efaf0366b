// The vector instruction levels: the switch itself, and the conversions giving the same bytes at
// every level on texts of every mix (ASCII runs, accented letters, the bytes 0x80 to 0x9F, longer
// characters, malformed text), so that a fault in any one path shows.
#include "common/simd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/texto.h"
#include "layouts/cl_layout_cpo.h"
#include "layouts/cl_layout_reg.h"
#include "layouts/numero.h"
#include "tests/ferramenta.h"
#include "tests/niveis_simd.h"
#include "tool/codificacao.h"
#include "tool/csv.h"
#include "tool/execucao.h"
#include "tool/registro_csv.h"

namespace lumbrava {
namespace {

using teste::IgualEmCadaNivel;
using teste::NivelSimdTemporario;

// Bytes as text for a message: printable ASCII as it is, the rest as \xNN.
std::string Mostra(std::string_view bytes) {
  std::string s;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '\\') {
      s += c;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      s += hex;
    }
  }
  return s;
}

class Sorteio {
 public:
  explicit Sorteio(std::uint32_t semente) : estado_(semente) {}
  std::size_t Ate(std::size_t n) {  // 0 to n - 1
    estado_ = estado_ * 1664525U + 1013904223U;
    return static_cast<std::size_t>(estado_ >> 8U) % n;
  }

 private:
  std::uint32_t estado_;
};

// A UTF-8 text of up to about 100 bytes: long ASCII runs, accented letters, characters of three
// and four bytes, and (with `malformado`) now and then something malformed (a stray or missing
// continuation byte, overlong forms, a surrogate, a value past U+10FFFF).
std::string TextoUtf8(Sorteio& s, bool malformado = true) {
  static const std::vector<std::string_view> kBons = {
      "a", "Z", " ", ",", "\"", "0", "ç", "ã",        "É",
      "ÿ", "ª", " ", "€", "“",  "→", "Ω", "\xC2\x85", "\xF0\x9F\x98\x80"};
  static const std::vector<std::string_view> kMalformados = {"\x80",
                                                             "\xBF",
                                                             "\xC3",
                                                             "\xC0\xAF",
                                                             "\xE0\x80\x80",
                                                             "\xED\xA0\x80",
                                                             "\xF4\x90\x80\x80",
                                                             "\xFF",
                                                             "\xE2\x82",
                                                             "\xF0\x9F\x98"};
  const std::size_t ascii = 2 + s.Ate(40);  // the longer, the longer the ASCII runs
  const std::size_t malformados = malformado && s.Ate(2) == 0 ? 12 : 0;
  std::string t;
  for (const std::size_t n = s.Ate(100); t.size() < n;) {
    const std::size_t tipo = s.Ate(ascii + 4);
    if (tipo < ascii) {
      t += static_cast<char>('a' + s.Ate(26));
    } else if (malformados > 0 && s.Ate(malformados) == 0) {
      t += kMalformados[s.Ate(kMalformados.size())];
    } else {
      t += kBons[s.Ate(tipo == ascii ? 11 : kBons.size())];  // mostly two-byte letters
    }
  }
  return t;
}

// Windows-1252 bytes of up to about 100: ASCII runs, bytes from 0xA0, the bytes 0x80 to 0x9F,
// and with `indefinidos` now and then one Windows-1252 leaves undefined.
std::string TextoWindows1252(Sorteio& s, bool indefinidos) {
  const std::size_t ascii = 1 + s.Ate(40);
  std::string t;
  for (const std::size_t n = s.Ate(100); t.size() < n;) {
    const std::size_t tipo = s.Ate(ascii + 6);
    char b = 0;
    if (tipo < ascii) {
      b = static_cast<char>(' ' + s.Ate(95));
    } else if (tipo < ascii + 5) {
      b = static_cast<char>(0xA0 + s.Ate(96));
    } else {
      b = static_cast<char>(0x80 + s.Ate(32));
      if (!indefinidos && kIndefinidosWindows1252.find(b) != std::string_view::npos) {
        b = static_cast<char>(0x80);
      }
    }
    t += b;
  }
  if (indefinidos && !t.empty() && s.Ate(3) == 0) {
    t[s.Ate(t.size())] = kIndefinidosWindows1252[s.Ate(kIndefinidosWindows1252.size())];
  }
  return t;
}

TEST(Simd, LevelsByNameAndNeverAboveTheMachine) {
  for (const NivelSimd n : {NivelSimd::kEscalar, NivelSimd::kSse2, NivelSimd::kSsse3}) {
    EXPECT_EQ(NivelSimdDoNome(NomeDoNivelSimd(n)), n);
  }
  for (const char* errado : {"", "SSE2", "avx2", "scalar ", "sse", "none"}) {
    EXPECT_FALSE(NivelSimdDoNome(errado).has_value()) << errado;
  }
  if (!LUMBRAVA_SSE2) {
    EXPECT_EQ(NivelSimdDaMaquina(), NivelSimd::kEscalar);  // the vector code is left out
  }
  const NivelSimdTemporario guarda(NivelSimd::kEscalar);
  EXPECT_EQ(NivelSimdEmUso(), NivelSimd::kEscalar);
  EXPECT_EQ(DefineNivelSimd(NivelSimd::kSsse3), NivelSimdDaMaquina());
  EXPECT_EQ(NivelSimdEmUso(), NivelSimdDaMaquina());
}

// CI runs the tests once for each level; the level asked for must be the one that runs.
TEST(Simd, TheLevelAskedForInTheEnvironmentIsInForce) {
  EXPECT_EQ(ProblemaDoLumbravaSimd(), "");
  const char* valor = std::getenv("LUMBRAVA_SIMD");
  if (valor == nullptr || *valor == '\0') {
    EXPECT_EQ(NivelSimdEmUso(), NivelSimdDaMaquina());
  } else {
    const NivelSimd pedido = NivelSimdDoNome(valor).value_or(NivelSimd::kSsse3);
    EXPECT_EQ(static_cast<int>(NivelSimdEmUso()),
              std::min(static_cast<int>(pedido), static_cast<int>(NivelSimdDaMaquina())));
  }
}

class SimdNaFerramenta : public teste::Ferramenta {
 protected:
  void TearDown() override {
    if (anterior_.has_value()) {
      setenv("LUMBRAVA_SIMD", anterior_->c_str(), 1);
    } else {
      unsetenv("LUMBRAVA_SIMD");
    }
    teste::Ferramenta::TearDown();
  }
  teste::Resultado RodaCom(const char* nivel, const std::string& argumentos,
                           const std::string& entrada = "") {
    setenv("LUMBRAVA_SIMD", nivel, 1);
    return Roda(argumentos, entrada);
  }

 private:
  std::optional<std::string> anterior_ = [] {
    const char* v = std::getenv("LUMBRAVA_SIMD");
    return v == nullptr ? std::nullopt : std::optional<std::string>(v);
  }();
};

// The tool takes its level from the environment: an unknown one is refused as a wrong command
// line is, naming the value; any known one, even above the processor's, gives the same records.
TEST_F(SimdNaFerramenta, TheEnvironmentChoosesTheLevelAndAWrongOneIsRefused) {
  const teste::Resultado errado = RodaCom("avx512", "systems");
  EXPECT_EQ(errado.codigo, 2);
  EXPECT_EQ(errado.saida, "");
  EXPECT_EQ(errado.erros,
            "LUMBRAVA_SIMD='avx512' não é um nível de instruções vetoriais: use scalar, sse2 ou "
            "ssse3\n");
  // Control characters escaped; a long value cut.
  EXPECT_EQ(RodaCom("\x1b[2Jsse\t", "systems").erros.substr(0, 28),
            "LUMBRAVA_SIMD='\\x1b[2Jsse\\t'");
  EXPECT_EQ(
      RodaCom(std::string(5000, 'x').c_str(), "systems").erros,
      "LUMBRAVA_SIMD='" + std::string(200, 'x') +
          "... (5000 caracteres)' não é um nível de instruções vetoriais: use scalar, sse2 ou "
          "ssse3\n");

  std::string csv = "Historico,Documento,Valor\n";
  for (int i = 0; i < 40; ++i) {
    csv += "Pagamento de aluguel — março/2026 nº " + std::to_string(i) + " ação útil " +
           std::string(static_cast<std::size_t>(i), 'x') + ",NF-" + std::to_string(i) + ",\"" +
           std::to_string(i * 37) + "," + std::to_string(i % 100) + "\"\n";
  }
  const std::string arquivo = Arquivo("lancamentos.csv", csv).string();
  for (const char* codificacao : {"windows-1252", "utf-8"}) {
    std::string primeiro;  // the records and what reading them gave, at the first level
    for (const char* nivel : {"scalar", "sse2", "ssse3"}) {
      SCOPED_TRACE(std::string(nivel) + " " + codificacao);
      const std::string onde = (pasta / (std::string(nivel) + codificacao + ".txt")).string();
      const teste::Resultado escrito =
          RodaCom(nivel, "write Unico lancamentos " + arquivo + " --encoding " + codificacao +
                             " -o " + onde);
      ASSERT_EQ(escrito.codigo, 0) << escrito.erros;
      const teste::Resultado lido =
          RodaCom(nivel, "read Unico lancamentos " + onde + " --encoding " + codificacao);
      ASSERT_EQ(lido.codigo, 0) << lido.erros;
      const std::string este = Le(onde) + lido.saida;
      if (primeiro.empty()) {
        primeiro = este;
        EXPECT_NE(lido.saida.find("Pagamento de aluguel — março/2026 nº 39 ação útil"),
                  std::string::npos);
      }
      EXPECT_TRUE(este == primeiro);
    }
  }
}

// UTF-8 text is checked, walked character by character and encoded in Windows-1252 alike at
// every level, failures found at the same column.
TEST(Simd, Utf8TextAlikeAtEveryLevel) {
  Sorteio s(1);
  const Decodificador deUtf8(Codificacao::kUtf8);
  const Codificador para1252(Codificacao::kWindows1252);
  std::size_t validos = 0;
  for (int caso = 0; caso < 6000; ++caso) {
    const std::string texto = TextoUtf8(s);
    validos += EhUtf8Valido(texto) ? 1 : 0;
    const bool igual = IgualEmCadaNivel(
        [&] {
          std::string r = EhUtf8Valido(texto) ? "valido" : "malformado";
          std::string buffer;
          std::string_view utf8;
          FalhaCodificacao falha;
          r += deUtf8.Decodifica(texto, buffer, utf8, &falha)
                   ? " decodificado " + Mostra(utf8)
                   : " recusado na coluna " + std::to_string(falha.coluna);
          // Where every character begins, asked one by one and in one walk, and pieces of it.
          PercursoUtf8 percurso(texto);
          r += "\ninicios:";
          for (std::size_t c = 0; c <= texto.size(); ++c) {
            r += " " + std::to_string(DeslocamentoDoCaractere(texto, c)) + "/" +
                 std::to_string(percurso.Deslocamento(c));
          }
          r += "\npedacos: " + Mostra(Subtexto(texto, caso % 7, caso % 23)) + " " +
               Mostra(Subtexto(texto, caso % 31, 70));
          std::string bytes = "x";
          falha = {};
          r += para1252.Acrescenta(texto, bytes, &falha)
                   ? "\nWindows-1252 " + Mostra(bytes)
                   : "\nsem Windows-1252 na coluna " + std::to_string(falha.coluna) + " " +
                         NomeDoCaractere(falha.valor) + " " + Mostra(bytes);
          return r;
        },
        Mostra(texto));
    if (!igual) {
      return;
    }
  }
  EXPECT_GT(validos, 1000U);  // both kinds of text, plenty of each
  EXPECT_LT(validos, 5000U);
}

// Windows-1252 bytes become the same UTF-8 at every level, alone or inside a line that may be
// read past them, and undefined bytes are found at the same column.
TEST(Simd, Windows1252TextAlikeAtEveryLevel) {
  Sorteio s(2);
  const Decodificador de1252(Codificacao::kWindows1252);
  std::vector<char> saida(1024);
  for (int caso = 0; caso < 6000; ++caso) {
    const std::string texto = TextoWindows1252(s, false);
    const std::string comIndefinidos = TextoWindows1252(s, true);
    const std::string antes = TextoWindows1252(s, false);
    const std::string linha = antes + texto + TextoWindows1252(s, false);
    const std::string_view dentro = std::string_view(linha).substr(antes.size(), texto.size());
    const bool igual = IgualEmCadaNivel(
        [&] {
          char* fim = Windows1252ParaUtf8(saida.data(), texto);
          std::string r = "sozinho " + Mostra(std::string(saida.data(), fim));
          fim = Windows1252ParaUtf8(saida.data(), dentro, linha.data() + linha.size());
          r += "\nna linha " + Mostra(std::string(saida.data(), fim));
          std::string buffer;
          std::string_view utf8;
          FalhaCodificacao falha;
          r += de1252.Decodifica(comIndefinidos, buffer, utf8, &falha)
                   ? "\ndecodificado " + Mostra(utf8)
                   : "\nrecusado na coluna " + std::to_string(falha.coluna);
          return r;
        },
        Mostra(texto) + " / " + Mostra(comIndefinidos));
    if (!igual) {
      break;
    }
  }
}

// The text of a numeric field inside a record line is read alike at every level: digits alone,
// around a separator, signed, blank, too long for sixteen bytes, not a number; near either end
// of the line.
TEST(Simd, NumbersReadAlikeAtEveryLevel) {
  Sorteio s(3);
  static const std::string_view kPecas = "0000123456789,.- +x";
  std::vector<char> saida(128);
  for (int caso = 0; caso < 20000; ++caso) {
    std::string texto;
    const std::size_t n = 1 + s.Ate(s.Ate(4) == 0 ? 20 : 16);
    const bool soDigitos = s.Ate(3) != 0;
    for (std::size_t i = 0; i < n; ++i) {
      texto += soDigitos && s.Ate(12) != 0 ? static_cast<char>('0' + s.Ate(10))
                                           : kPecas[s.Ate(kPecas.size())];
    }
    const std::size_t antes = s.Ate(24);
    const std::string linha = std::string(antes, '7') + texto + std::string(s.Ate(24), '8');
    const std::string_view legivel = linha;
    const std::string_view dentro = legivel.substr(antes, texto.size());
    LeituraNumero leitura;
    leitura.decimais = static_cast<int>(s.Ate(19));
    leitura.separadorEscrito = s.Ate(2) == 0;
    static const std::string_view kSeparadores[] = {",", ".", ""};
    leitura.separador = kSeparadores[s.Ate(3)];
    const bool igual = IgualEmCadaNivel(
        [&] {
          bool temDecimais = false;
          char* fim = EscreveNumeroDoCampo(saida.data(), dentro, leitura, legivel, temDecimais);
          if (fim == nullptr) {
            return std::string("nao e numero");
          }
          return std::string(saida.data(), fim) + (temDecimais ? " com decimais" : "");
        },
        "'" + texto + "' em '" + linha + "', " + std::to_string(leitura.decimais) +
            " decimais, separador '" + std::string(leitura.separador) + "'" +
            (leitura.separadorEscrito ? " escrito" : ""));
    if (!igual) {
      break;
    }
  }
}

// CSV lines are split into values, and values quoted, alike at every level: separators ("," or
// ";") and quotes on both sides of every sixteen bytes, doubled quotes, quoted line breaks, a
// quote left open.
TEST(Simd, CsvAlikeAtEveryLevel) {
  Sorteio s(4);
  static const std::vector<std::string_view> kPecas = {"a", "b",  "ç", ",", ";",
                                                       ",", "\"", " ", "\r"};
  for (int caso = 0; caso < 3000; ++caso) {
    const char separador = caso % 3 == 0 ? ';' : ',';
    std::vector<std::string> linhas;
    for (std::size_t n = 1 + s.Ate(3); linhas.size() < n;) {
      std::string linha;
      const std::size_t letras = 1 + s.Ate(30);
      for (const std::size_t t = s.Ate(140); linha.size() < t;) {
        const std::size_t tipo = s.Ate(letras + kPecas.size());
        linha += tipo < letras ? std::string_view("x") : kPecas[tipo - letras];
      }
      linhas.push_back(linha);
    }
    std::string caso_texto;
    for (const auto& l : linhas) {
      caso_texto += Mostra(l) + "\n";
    }
    caso_texto += std::string("separador ") + separador;
    const bool igual = IgualEmCadaNivel(
        [&] {
          std::string r;
          RegistroCsv registro(kMaximoRegistroDeDados, separador);
          for (std::size_t i = 0; i < linhas.size(); ++i) {
            if (!registro.Le(linhas[i], i + 1)) {
              continue;
            }
            r += "registro da linha " + std::to_string(registro.linha()) +
                 (registro.utf8() ? " utf8" : "") + " erro '" + std::string(registro.erro()) + "':";
            for (std::size_t v = 0; v < registro.valores(); ++v) {
              std::string csv;
              EscreveCampoCsv(csv, registro.valor(v), ',');
              r += " " + Mostra(csv);
            }
            r += "\n";
          }
          if (registro.aberto()) {
            registro.Encerra();
            r += "aberto: " + std::string(registro.erro());
          }
          return r;
        },
        caso_texto);
    if (!igual) {
      break;
    }
  }
}

// A text field's value is fitted to the field alike at every level: ASCII or not, with or without
// a line break, shorter or longer than sixteen bytes.
TEST(Simd, TextFieldsAlikeAtEveryLevel) {
  Sorteio s(5);
  clLayoutCpo campo(nullptr);
  campo.nome = "Historico";
  for (int caso = 0; caso < 6000; ++caso) {
    std::string valor = TextoUtf8(s);
    if (!valor.empty() && s.Ate(8) == 0) {
      valor[s.Ate(valor.size())] = s.Ate(2) == 0 ? '\n' : '\r';
    }
    campo.tamanho = static_cast<int>(1 + s.Ate(40));
    campo.tipo = s.Ate(2) == 0 ? "S" : "Sd";
    campo.semFormatacao = s.Ate(4) == 0;
    const bool igual = IgualEmCadaNivel(
        [&] {
          std::string saida = "#";
          std::size_t posicao = 1;
          try {
            campo.ValorFormatado(valor, saida, posicao);
          } catch (const ErroValor& e) {
            return std::string("recusado: ") + e.what();
          }
          return Mostra(std::string_view(saida).substr(0, posicao));
        },
        Mostra(valor) + " em " + std::to_string(campo.tamanho) + " colunas, tipo " + campo.tipo +
            (campo.semFormatacao ? " sem formatacao" : ""));
    if (!igual) {
      break;
    }
  }
}

// Runs the read or write command in this process on `entrada` and gives its exit status, output
// and messages as one text.
std::string NaFerramenta(int (*comando)(const Parametros&, std::FILE*, std::FILE*, std::FILE*),
                         const Parametros& p, const std::string& entrada) {
  const teste::Resultado r = teste::NoProcesso(comando, p, entrada);
  return "saida " + std::to_string(r.codigo) + "\n" + r.saida + r.erros;
}

// Record lines are read alike at every level, in either encoding, into CSV and JSON: accented
// text, the bytes 0x80 to 0x9F, lines short and long, fields with quotes, commas, backslashes and
// control characters; now and then a line with a byte Windows-1252 leaves undefined, malformed
// UTF-8, a CR or a NUL.
TEST(Simd, RecordLinesReadAlikeAtEveryLevel) {
  Sorteio s(6);
  for (const char* codificacao : {"windows-1252", "utf-8"}) {
    const bool utf8 = codificacao[0] == 'u';
    for (int caso = 0; caso < 30; ++caso) {
      std::string entrada;
      for (int l = 0; l < 30; ++l) {
        // Unico "lancamentos": 68 columns of numbers and codes (the amount at times with its
        // decimal comma), Historico and Documento (112 columns of text), two numbers (16); cut
        // anywhere in the text or after a number.
        const auto digitos = [&s](std::size_t n) {
          std::string d(n, '0');
          for (char& c : d) {
            c = static_cast<char>('0' + s.Ate(10));
          }
          return d;
        };
        std::string linha = digitos(68);
        if (s.Ate(3) == 0) {
          linha[49 + s.Ate(12)] = ',';
        }
        const auto corta = [utf8](std::string_view t, std::size_t colunas) {
          return std::string(utf8 ? Subtexto(t, 0, colunas) : t.substr(0, colunas));
        };
        std::string texto;
        while ((utf8 ? ContaCaracteres(texto) : texto.size()) < 112) {
          texto += utf8 ? TextoUtf8(s, false) : TextoWindows1252(s, false);
        }
        texto = corta(texto, 112);
        for (char& c : texto) {  // commas, quotes and what JSON escapes anywhere
          if (static_cast<unsigned char>(c) < 0x80U && s.Ate(12) == 0) {
            static constexpr std::string_view kEspeciais = ",\"\\\x7f\x01\x08\t\x1f";
            c = kEspeciais[s.Ate(kEspeciais.size())];
          }
        }
        const std::size_t colunas[] = {68 + s.Ate(113), 188, 196};
        linha = corta(linha + texto + digitos(16), colunas[s.Ate(3)]);
        if (caso % 3 == 0 && s.Ate(2) == 0) {  // a refused line stops the output: a third only
          static const std::string_view kRuins[] = {
              "\r", std::string_view("\0", 1), "\x81", "\x9D", "\xC3", "\xE2\x82"};
          linha.insert(s.Ate(linha.size()), kRuins[s.Ate(std::size(kRuins))]);
        }
        entrada += linha + (s.Ate(2) == 0 ? "\r\n" : "\n");
      }
      Parametros p;
      p.sistema = "Unico";
      p.layout = "lancamentos";
      p.codificacao = codificacao;
      p.threads = 1;
      Parametros json = p;
      json.jsonl = true;
      const bool igual = IgualEmCadaNivel(
          [&] { return NaFerramenta(Le, p, entrada) + NaFerramenta(Le, json, entrada); },
          codificacao + Mostra(entrada));
      if (!igual) {
        break;
      }
    }
  }
}

// CSV rows are written alike at every level, in either encoding: accented text around the field's
// width (cut or not, with blanks or not past it), characters Windows-1252 lacks, malformed UTF-8,
// numbers with and without decimals.
TEST(Simd, RecordsWrittenAlikeAtEveryLevel) {
  Sorteio s(7);
  for (const char* codificacao : {"windows-1252", "utf-8"}) {
    for (int caso = 0; caso < 30; ++caso) {
      std::string entrada = "Historico,Documento,Valor\n";
      for (int l = 0; l < 30; ++l) {
        const bool ruim = s.Ate(15) == 0;
        std::string historico;
        while (historico.size() < 80 + s.Ate(60)) {
          historico += TextoUtf8(s, ruim);
        }
        if (s.Ate(3) == 0) {
          historico = std::string(Subtexto(historico, 0, 100)) + std::string(s.Ate(20), ' ');
        }
        std::string valor = std::to_string(s.Ate(100000));
        if (s.Ate(2) == 0) {
          valor += "," + std::to_string(s.Ate(1000));
        }
        entrada += "\"";
        for (const char c : historico) {
          entrada += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        entrada += "\",NF " + std::to_string(l) + " ç,\"" + valor + "\"\n";
      }
      Parametros p;
      p.sistema = "Unico";
      p.layout = "lancamentos";
      p.codificacao = codificacao;
      p.threads = 1;
      const bool igual = IgualEmCadaNivel([&] { return NaFerramenta(Escreve, p, entrada); },
                                          codificacao + Mostra(entrada));
      if (!igual) {
        break;
      }
    }
  }
}

}  // namespace
}  // namespace lumbrava
