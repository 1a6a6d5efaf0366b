// Reading and writing as users' files are: accented text in every text field, every layout of the
// catalogue, any number of threads, records that run across the tool's batches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tests/ferramenta.h"
#include "tool/codificacao.h"
#include "tool/csv.h"
#include "tool/execucao.h"

namespace lumbrava {
namespace {

using Execucao = teste::Resultado;

Parametros Para(const std::string& sistema, const std::string& layout, const char* codificacao,
                unsigned threads = 2) {
  Parametros p;
  p.sistema = sistema;
  p.layout = layout;
  p.codificacao = codificacao;
  p.threads = threads;
  return p;
}

std::string Windows1252(const std::string& utf8) {
  std::string saida;
  EXPECT_TRUE(Codificador(Codificacao::kWindows1252).Codifica(utf8, saida)) << utf8;
  return saida;
}

// The CSV header of the layout's field names.
std::string Cabecalho(const clLayoutReg& l) {
  std::string csv;
  const auto& campos = l.campos();
  for (std::size_t i = 0; i < campos.size(); ++i) {
    EscreveCampoCsv(csv, campos[i]->nome, i > 0 ? ',' : '\0');
  }
  return csv + '\n';
}

// The CSV that reading gives for the layout's values, header first.
std::string CsvDosValores(const clLayoutReg& l) {
  std::string csv = Cabecalho(l);
  const auto& campos = l.campos();
  if (campos.size() == 1 && campos[0]->valor.empty()) {
    return csv + "\"\"\n";
  }
  for (std::size_t i = 0; i < campos.size(); ++i) {
    EscreveCampoCsv(csv, campos[i]->valor, i > 0 ? ',' : '\0');
  }
  return csv + '\n';
}

// Every layout of the catalogue, with accented text in every text field (cut where the field
// ends): writing gives the layout's own record, in Windows-1252 byte for character, and reading
// the record back, from either encoding, gives what the layout reads from it.
TEST(Velocidade, EveryLayoutWritesAndReadsAccentedTextInBothEncodings) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(gravador);
  clProdutos catalogo;
  std::size_t layouts = 0;
  for (const std::string& sistema : clProdutos::Produtos()) {
    for (const std::string& nome : clProdutos::LayoutsDoProduto(sistema)) {
      clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
      ASSERT_NE(l, nullptr);
      if (l->campos().empty()) {
        continue;
      }
      SCOPED_TRACE(sistema + " " + nome);
      ++layouts;
      std::size_t semente = layouts;
      for (const auto& c : l->campos()) {
        c->valor = teste::ValorQueCabe(*c, semente++);
      }
      const std::string csv = CsvDosValores(*l);
      const std::string registro =
          l->leituraComPipe ? l->ExpandeLayoutDivBarra() : l->ExpandeLayout();
      clLayoutReg lido(*l);
      ASSERT_TRUE(lido.PreencheLayoutApartirLinha(registro));
      const std::string esperado = CsvDosValores(lido);

      for (const char* codificacao : {"windows-1252", "utf-8"}) {
        const bool utf8 = codificacao[0] == 'u';
        Parametros p = Para(sistema, nome, codificacao);
        p.pipe = l->leituraComPipe;
        const Execucao escrito = teste::NoProcesso(Escreve, p, csv);
        ASSERT_EQ(escrito.codigo, 0) << codificacao << ": " << escrito.erros;
        ASSERT_EQ(escrito.saida, (utf8 ? registro : Windows1252(registro)) + "\r\n") << codificacao;
        if (!utf8 && !l->leituraComPipe) {
          EXPECT_EQ(escrito.saida.size(), static_cast<std::size_t>(l->ComprimentoRegistro()) + 2);
        }
        const Execucao lidoPelaFerramenta =
            teste::NoProcesso(Le, Para(sistema, nome, codificacao), escrito.saida);
        ASSERT_EQ(lidoPelaFerramenta.codigo, 0) << codificacao << ": " << lidoPelaFerramenta.erros;
        EXPECT_EQ(lidoPelaFerramenta.saida, esperado) << codificacao;
      }
    }
  }
  EXPECT_GT(layouts, 250U);
  EXPECT_TRUE(gravador->mensagens.empty());
}

// A text longer than its field is cut after the field's last character, whatever bytes the
// characters take; read back, the line gives that text, and a line that ends inside the text
// gives what is there.
TEST(Velocidade, TextCutInTheMiddleOfAccentedWords) {
  const std::string historico = std::string(97, 'x') + "açãoé útil";  // 100 ends after "ã"
  const std::string csv = "Historico,Documento\n" + historico + ",Nº 7\n";
  for (const char* codificacao : {"windows-1252", "utf-8"}) {
    SCOPED_TRACE(codificacao);
    const Execucao escrito =
        teste::NoProcesso(Escreve, Para("Unico", "lancamentos", codificacao), csv);
    ASSERT_EQ(escrito.codigo, 0) << escrito.erros;
    const std::string registro = escrito.saida.substr(0, escrito.saida.size() - 2);
    const std::string utf8 = codificacao[0] == 'u' ? registro : [&] {
      std::string u;
      std::string_view v;
      EXPECT_TRUE(Decodificador(Codificacao::kWindows1252).Decodifica(registro, u, v));
      return std::string(v);
    }();
    EXPECT_EQ(ContaCaracteres(utf8), 196U);
    EXPECT_EQ(Subtexto(utf8, 68, 100), std::string(97, 'x') + "açã");
    EXPECT_EQ(Subtexto(utf8, 168, 12), "Nº 7        ");

    const Execucao lido =
        teste::NoProcesso(Le, Para("Unico", "lancamentos", codificacao), escrito.saida);
    ASSERT_EQ(lido.codigo, 0) << lido.erros;
    EXPECT_NE(lido.saida.find("," + std::string(97, 'x') + "açã,Nº 7        ,"), std::string::npos)
        << lido.saida;

    // The line ends two characters into the history: the history keeps them, the rest is empty.
    const std::string curta =
        codificacao[0] == 'u' ? std::string(Subtexto(utf8, 0, 70)) : registro.substr(0, 70);
    const Execucao cortado =
        teste::NoProcesso(Le, Para("Unico", "lancamentos", codificacao), curta + "\n");
    ASSERT_EQ(cortado.codigo, 0) << cortado.erros;
    EXPECT_NE(cortado.saida.find(",xx,,,\n"), std::string::npos) << cortado.saida;
  }
}

// Long texts are converted sixteen bytes at a time; they come out as their bytes do one by one,
// whatever the mix of ASCII, accented letters and the bytes from 0x80 to 0x9F ("€", "“").
TEST(Velocidade, Windows1252TextConvertsAsItsBytesDo) {
  std::string definidos;
  for (unsigned b = 1; b < 256; ++b) {
    if (kIndefinidosWindows1252.find(static_cast<char>(b)) == std::string_view::npos) {
      definidos += static_cast<char>(b);
    }
  }
  std::uint32_t semente = 7;
  const auto sorteia = [&semente](std::size_t n) {
    semente = semente * 1664525U + 1013904223U;
    return static_cast<std::size_t>(semente >> 8U) % n;
  };
  std::vector<char> saida(1024);
  for (int caso = 0; caso < 3000; ++caso) {
    // Mostly ASCII with accented letters, now and then any byte.
    std::string texto;
    for (std::size_t n = sorteia(90); texto.size() < n;) {
      const std::size_t tipo = sorteia(10);
      texto += tipo < 6   ? static_cast<char>(' ' + sorteia(95))
               : tipo < 9 ? static_cast<char>(0xA0 + sorteia(96))
                          : definidos[sorteia(definidos.size())];
    }
    std::string esperado;
    for (const char b : texto) {
      char um[32];
      esperado.append(um, Windows1252ParaUtf8(um, std::string_view(&b, 1)));
    }
    char* fim = Windows1252ParaUtf8(saida.data(), texto);
    ASSERT_EQ(std::string(saida.data(), fim), esperado) << caso;
    // Inside a line that may be read past the text: its last bytes go at once.
    const std::string linha = texto + "\xE9\x80zzzzzzzzzzzzzz";
    fim = Windows1252ParaUtf8(saida.data(), std::string_view(linha).substr(0, texto.size()),
                              linha.data() + linha.size());
    ASSERT_EQ(std::string(saida.data(), fim), esperado) << caso;
  }
}

// Records are encoded sixteen bytes at a time; they come out as their characters do one by one,
// and a character Windows-1252 lacks, or malformed UTF-8, is found at the same column.
TEST(Velocidade, RecordsEncodeAsTheirCharactersDo) {
  // Characters, then (the last five) what does not encode: characters Windows-1252 lacks (a
  // control character among them), a lead byte without its continuation, a continuation without
  // its lead.
  const std::vector<std::string> pedacos = {"a", "Z", " ", "0", "ç",        "ã",     "É",
                                            "Ü", "ª", "º", " ", "€",        "“",     "ÿ",
                                            "À", "”", "→", "Ω", "\xC2\x85", "\xC3 ", "\x80"};
  std::uint32_t semente = 11;
  const auto sorteia = [&semente](std::size_t n) {
    semente = semente * 1664525U + 1013904223U;
    return static_cast<std::size_t>(semente >> 8U) % n;
  };
  const Codificador codificador(Codificacao::kWindows1252);
  for (int caso = 0; caso < 3000; ++caso) {
    // Mostly text that encodes; one case in four with something that does not.
    const std::size_t ruins = caso % 4 == 0 ? pedacos.size() : pedacos.size() - 5;
    std::vector<std::string> caracteres;
    std::string texto;
    for (std::size_t n = sorteia(70); caracteres.size() < n;) {
      caracteres.push_back(pedacos[sorteia(ruins) < 10 ? sorteia(4) : sorteia(ruins)]);
      texto += caracteres.back();
    }
    std::string esperado = "antes";
    FalhaCodificacao esperada;
    bool codifica = true;
    for (std::size_t i = 0; i < caracteres.size() && codifica; ++i) {
      std::string um;
      FalhaCodificacao falha;
      codifica = codificador.Codifica(caracteres[i], um, &falha);
      esperado += um;
      esperada = {i + 1, falha.valor};
    }
    std::string saida = "antes";
    FalhaCodificacao falha;
    ASSERT_EQ(codificador.Acrescenta(texto, saida, &falha), codifica) << caso;
    if (codifica) {
      EXPECT_EQ(saida, esperado) << caso;
    } else {
      EXPECT_EQ(saida, "antes") << caso;
      EXPECT_EQ(falha.coluna, esperada.coluna) << caso;
      EXPECT_EQ(falha.valor, esperada.valor) << caso;
    }
  }
}

// A file of Unico assets, every field filled, accents in the text, a bad row deep in it.
std::string CsvDeBens(std::size_t linhas, std::size_t ruim) {
  std::string csv = "fixo10,descBem,codOrig,valorDepre,funcionalidade,CSTPis\n";
  for (std::size_t i = 1; i <= linhas; ++i) {
    csv += "10," + teste::Descricao(40, i) + "nº " + std::to_string(i) + "," +
           std::to_string(i % 999999) + ",\"" + (i + 1 == ruim ? "x" : std::to_string(i)) +
           ",5\",Máquina de café," + std::to_string(i % 100) + "\n";
  }
  return csv;
}

// Several threads give what one gives, byte for byte, and name the same lines.
TEST(Velocidade, ThreadsChangeNothing) {
  const std::string csv = CsvDeBens(9000, 7321);
  Execucao um =
      teste::NoProcesso(Escreve, Para("Unico", "bens-cadastro_bem", "windows-1252", 1), csv);
  EXPECT_EQ(um.codigo, 1);
  EXPECT_NE(um.erros.find("linha 7321: layout 'bens-cadastro_bem', campo 'valorDepre': valor 'x,5' "
                          "não é um número"),
            std::string::npos)
      << um.erros;
  EXPECT_EQ(std::count(um.saida.begin(), um.saida.end(), '\n'), 7319);  // up to the bad row
  for (const unsigned threads : {3U, 8U}) {
    const Execucao varios = teste::NoProcesso(
        Escreve, Para("Unico", "bens-cadastro_bem", "windows-1252", threads), csv);
    EXPECT_EQ(varios.codigo, um.codigo);
    EXPECT_EQ(varios.saida, um.saida) << threads;
    EXPECT_EQ(varios.erros, um.erros) << threads;
  }

  // Reading those records back, with a bad record deep in the file and many lines after it.
  std::string registros =
      teste::NoProcesso(Escreve, Para("Unico", "bens-cadastro_bem", "windows-1252"),
                        CsvDeBens(9000, 0))
          .saida;
  registros[(6543 - 1) * 697 + 300] = 'z';  // in quantidade of line 6543
  um = teste::NoProcesso(Le, Para("Unico", "bens-cadastro_bem", "windows-1252", 1), registros);
  EXPECT_EQ(um.codigo, 1);
  EXPECT_NE(um.erros.find("linha 6543: layout 'bens-cadastro_bem', campo 'quantidade'"),
            std::string::npos)
      << um.erros;
  EXPECT_EQ(std::count(um.saida.begin(), um.saida.end(), '\n'), 6543);  // header and 6542 rows
  for (const unsigned threads : {3U, 8U}) {
    const Execucao varios = teste::NoProcesso(
        Le, Para("Unico", "bens-cadastro_bem", "windows-1252", threads), registros);
    EXPECT_EQ(varios.codigo, um.codigo);
    EXPECT_EQ(varios.saida, um.saida) << threads;
    EXPECT_EQ(varios.erros, um.erros) << threads;
  }
}

// A quoted CSV value may run across lines, and so across the batches that the threads share: the
// rows are the same and the messages name the line where each row begins, whatever the threads.
TEST(Velocidade, CsvRowsAcrossBatches) {
  std::string csv = "Documento,Historico\n";
  std::size_t linha = 1;
  const auto acrescenta = [&](const std::string& linhas, std::size_t quantas) {
    csv += linhas;
    linha += quantas;
  };
  for (std::size_t alvo : {2047U, 2048U, 4100U}) {
    while (linha + 1 < alvo) {
      acrescenta("D" + std::to_string(linha + 1) + ",Pagamento de ação\n", 1);
    }
    acrescenta("D,\"uma\n\n\"\"duas\"\", três\"\n", 3);  // a row of three lines: refused
  }
  acrescenta("D,\"x\"y\nD,a\"b\n\"\"\n\nD,1,2\n", 5);
  acrescenta("D,\"aberta\n", 1);
  for (int i = 0; i < 5000; ++i) {
    acrescenta("D" + std::to_string(i) + ",sem aspas\n", 1);
  }
  const Execucao um =
      teste::NoProcesso(Escreve, Para("Unico", "lancamentos", "windows-1252", 1), csv);
  EXPECT_EQ(um.codigo, 1);
  const std::string quebra =
      ": layout 'lancamentos', campo 'Historico': valor 'uma\\n\\n\"duas\", três' o valor tem uma "
      "quebra de linha\n";
  EXPECT_EQ(um.erros, "linha 2047" + quebra + "linha 2050" + quebra + "linha 4100" + quebra +
                          "linha 4103: texto depois das aspas que fecham um campo\n"
                          "linha 4104: aspas no meio de um campo\n"
                          "linha 4105: 1 valores, mas o cabeçalho tem 2 campos\n"
                          "linha 4107: 3 valores, mas o cabeçalho tem 2 campos\n"
                          "linha 4108: aspas abertas e não fechadas\n"
                          "8 linha(s) recusada(s); nada foi escrito depois da primeira\n");
  EXPECT_EQ(um.saida.size(), 2045U * 198);
  for (const unsigned threads : {2U, 5U}) {
    const Execucao varios =
        teste::NoProcesso(Escreve, Para("Unico", "lancamentos", "windows-1252", threads), csv);
    EXPECT_EQ(varios.saida, um.saida) << threads;
    EXPECT_EQ(varios.erros, um.erros) << threads;
  }
}

// The widest CSV rows a record gives: every text column a character that takes three UTF-8 bytes
// from Windows-1252, four in UTF-8, or a quote, which is doubled inside quotes; the numbers as
// long as they get, with their decimal comma. Each row is written whole, on one line and on a
// batch of them.
TEST(Velocidade, TheWidestCsvRowsAreWrittenWhole) {
  const auto l = teste::Compoe("Unico", "lancamentos");
  for (const auto& [codificacao, caractere] :
       {std::pair{"windows-1252", "€"}, {"utf-8", "𝄞"}, {"windows-1252", "\""}, {"utf-8", "\""}}) {
    SCOPED_TRACE(std::string(codificacao) + " " + caractere);
    const auto texto = [c = std::string(caractere)](std::size_t n) {
      std::string t;
      for (std::size_t i = 0; i < n; ++i) {
        t += c;
      }
      return t;
    };
    const auto csv = [&texto, aspa = caractere[0] == '"'](std::size_t n) {
      return aspa ? '"' + texto(2 * n) + '"' : texto(n);
    };
    const std::string linha = texto(8) + texto(6) + texto(6) + std::string(42, '9') + texto(6) +
                              texto(100) + texto(12) + std::string(16, '9');
    const std::string linhaCsv = csv(8) + "," + csv(6) + "," + csv(6) + ",99999999999999," +
                                 "99999999999999,\"999999999999,99\"," + csv(6) + "," + csv(100) +
                                 "," + csv(12) + ",99999999,99999999\n";
    const std::string registro = codificacao[0] == 'w' ? Windows1252(linha) : linha;
    for (const int linhas : {1, 300}) {
      std::string entrada;
      std::string esperado = Cabecalho(*l);
      for (int i = 0; i < linhas; ++i) {
        entrada += registro + "\n";
        esperado += linhaCsv;
      }
      const Execucao r =
          teste::NoProcesso(Le, Para("Unico", "lancamentos", codificacao, 1), entrada);
      EXPECT_EQ(r.codigo, 0) << r.erros;
      EXPECT_EQ(r.saida, esperado);
    }
  }
}

// The messages about a line's bytes name the column as a character count, after accents too.
TEST(Velocidade, ByteMessagesCountCharacters) {
  const std::string utf8 =
      "01012024" + std::string(Subtexto(teste::Descricao(188, 3), 0, 187)) + "x";
  const std::string w1252 = Windows1252(utf8);
  auto r = teste::NoProcesso(Le, Para("Unico", "lancamentos", "utf-8"), utf8 + "além\r\n");
  EXPECT_EQ(r.erros.substr(0, r.erros.find('\n')),
            "linha 1: 200 caracteres, mas o layout 'lancamentos' tem 196 colunas");
  r = teste::NoProcesso(Le, Para("Unico", "lancamentos", "utf-8"),
                        utf8.substr(0, utf8.size() - 1) + '\0' + "\n");
  EXPECT_EQ(r.erros.substr(0, r.erros.find('\n')), "linha 1: coluna 196: o byte 0x00 não é texto");
  r = teste::NoProcesso(Le, Para("Unico", "lancamentos", "utf-8"),
                        utf8.substr(0, utf8.size() - 1) + "\xC3\n");
  EXPECT_EQ(r.erros.substr(0, r.erros.find('\n')),
            "linha 1: coluna 196: o byte 0xC3 não forma texto UTF-8");
  r = teste::NoProcesso(Le, Para("Unico", "lancamentos", "windows-1252"),
                        w1252.substr(0, 150) + "\x8D" + "\n");
  EXPECT_EQ(r.erros.substr(0, r.erros.find('\n')),
            "linha 1: coluna 151: o byte 0x8D não é um caractere do Windows-1252");
}

// A line break anywhere in a value is refused, in short values as in long ones.
TEST(Velocidade, LineBreaksAnywhereInAValue) {
  clLayoutReg l;
  l.nomeRegistro = "x";
  clLayoutCpo* c = l.AcrescentaCampoAppend(30, "texto", 0, "S");
  for (std::size_t tamanho = 1; tamanho <= 20; ++tamanho) {
    for (std::size_t i = 0; i < tamanho; ++i) {
      for (const char quebra : {'\n', '\r'}) {
        c->valor = std::string(tamanho, 'a');
        c->valor[i] = quebra;
        EXPECT_THROW(l.ExpandeLayout(), ErroValor) << tamanho << " " << i;
      }
      c->valor = std::string(tamanho, 'a');
      c->valor[i] = '\x0b';
      EXPECT_NO_THROW(l.ExpandeLayout()) << tamanho << " " << i;
    }
  }
}

// Text walked by characters: malformed bytes count as themselves, sequences may straddle any
// sixteen-byte block, and the walk may turn back.
TEST(Velocidade, Utf8TextsOfEveryShape) {
  const std::string bloco = "0123456789abcde";  // 15 bytes: what follows straddles the block
  for (const auto& [texto, valido] : std::vector<std::pair<std::string, bool>>{
           {bloco + "ç" + bloco + "ã", true},
           {bloco + "€" + bloco, true},
           {bloco + "𝄞" + bloco, true},
           {bloco + "\xC3", false},
           {bloco + "\xC3" + "a" + bloco, false},
           {bloco + "\xC0\x80" + bloco, false},
           {bloco + "\xED\xA0\x80", false},
           {bloco + "\xF4\x90\x80\x80", false},
           {bloco + "\xA9" + bloco, false},
           {std::string(40, 'a') + "éé\x80", false},
       }) {
    EXPECT_EQ(EhUtf8Valido(texto), valido) << texto;
  }
  const std::string texto =
      "\x80"
      "ação" +
      bloco + "é";
  PercursoUtf8 p(texto);
  EXPECT_EQ(p.Deslocamento(0), 1U);  // the stray byte is no character
  EXPECT_EQ(p.Deslocamento(2), 4U);
  EXPECT_EQ(p.Deslocamento(19), 22U);
  EXPECT_EQ(p.Deslocamento(1), 2U);  // back
  EXPECT_EQ(p.Deslocamento(30), texto.size());
  EXPECT_EQ(p.Antes(), 20U);
  EXPECT_EQ(ContaCaracteres(texto), 20U);
  EXPECT_EQ(Subtexto(texto, 3, 100), "o" + bloco + "é");
}

}  // namespace
}  // namespace lumbrava
