// What a user of the tool meets when a value could change without a word: byte-order marks, text
// in the wrong encoding, JSON numbers and names, empty rows, and the messages that name the fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "common/texto.h"
#include "tests/ferramenta.h"
#include "tool/json_linhas.h"

namespace lumbrava {
namespace {

using ValoresFerramentaTest = teste::Ferramenta;

// A record of Unico entries with the amount 1520,75 and the history given.
std::string Lancamento(const std::string& historico) {
  std::string r = "01012024000101000102" + std::string(28, '0') + "00000000152075000001";
  r += historico + std::string(100 - ContaCaracteres(historico), ' ');
  return r + std::string(28, ' ');
}

TEST_F(ValoresFerramentaTest, ByteOrderMarksAreSkippedAndUtf8TextIsNoticed) {
  const std::string bom = "\xEF\xBB\xBF";
  // A record file in UTF-8 with its mark.
  auto r = Roda("read Unico lancamentos --encoding utf-8",
                bom + Lancamento("JOÃO") + "\r\n" + Lancamento("MARIA") + "\r\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find(",\"1520,75\",000001,JOÃO"), std::string::npos) << r.saida;
  // The same UTF-8 file read as Windows-1252: one warning, on its first line with accents.
  r = Roda("read Unico lancamentos", Lancamento("MARIA") + "\r\n" + Lancamento("JOÃO") + "\r\n" +
                                         Lancamento("JOSÉ") + "\r\n");
  EXPECT_EQ(r.codigo, 0);
  EXPECT_EQ(r.erros,
            "aviso: linha 2: o texto parece UTF-8, mas o arquivo é lido como Windows-1252; use "
            "--encoding utf-8 se ele for UTF-8\n");
  // Windows-1252 accents give no warning.
  r = Roda("read Unico lancamentos", Lancamento("JO\xC3O") + "\r\n");
  EXPECT_EQ(r.erros, "");
  EXPECT_NE(r.saida.find("JOÃO"), std::string::npos);
  // CSV and JSON Lines with a mark.
  r = Roda("write Unico lancamentos", bom + "Valor,Historico\n\"1520,75\",JOÃO\n");
  EXPECT_EQ(r.codigo, 0) << r.erros;
  r = Roda("write Unico lancamentos --jsonl", bom + "{\"Valor\": \"1520,75\"}\n");
  EXPECT_EQ(r.codigo, 0) << r.erros;
}

TEST_F(ValoresFerramentaTest, JsonNumbersAreExactAndNamesComeOnce) {
  auto r = Roda("write Unico lancamentos --jsonl",
                "{\"Valor\": 0.00001}\n{\"Valor\": 12345678901.25}\n{\"Valor\": 1.520}\n"
                "{\"Valor\": 2.5e3}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto valor = [&](int linha) { return r.saida.substr(linha * 198 + 48, 14); };
  EXPECT_EQ(valor(0), "00000000000000");
  EXPECT_EQ(valor(1), "01234567890125");
  EXPECT_EQ(valor(2), "00000000000152");
  EXPECT_EQ(valor(3), "00000000250000");
  // A text field takes the decimal, its leading zero kept when the exponent moves the point to
  // just before the first digit.
  r = Roda("write Unico lancamentos --jsonl",
           "{\"Historico\": 5e-1}\n{\"Historico\": 25e-2}\n{\"Historico\": -5e-1}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto historico = [&](int linha) { return r.saida.substr(linha * 198 + 68, 5); };
  EXPECT_EQ(historico(0), "0,5  ");
  EXPECT_EQ(historico(1), "0,25 ");
  EXPECT_EQ(historico(2), "-0,5 ");

  r = Roda("write Unico lancamentos --jsonl", "{\"Valor\": 1, \"Valor\": 2}\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("linha 1: o nome 'Valor' aparece duas vezes no objeto"), std::string::npos)
      << r.erros;
  r = Roda("write Unico lancamentos --jsonl", "{\"Valor\": 1, \"VALOR\": 2}\n");
  EXPECT_NE(r.erros.find("o nome 'VALOR' aparece duas vezes"), std::string::npos) << r.erros;
  r = Roda("write Unico lancamentos --jsonl", "{\"\": true}\n");
  EXPECT_NE(r.erros.find("campo '': o valor deve ser texto, número ou null"), std::string::npos)
      << r.erros;
  r = Roda("write Unico lancamentos --jsonl", "{\"Valor\": true}\n");
  EXPECT_NE(r.erros.find("campo 'Valor': o valor deve ser texto, número ou null"),
            std::string::npos)
      << r.erros;
}

// Numbers past what a binary double holds are still JSON: the message names the field and says
// the number is too large. A date or a time takes digits alone, as a string or as a number.
TEST_F(ValoresFerramentaTest, JsonNumbersAtTheEdgesAreNamed) {
  // A long number is quoted by its start.
  const std::string longo = "0." + std::string(1000, '0') + "5e1400";
  for (const auto& [n, citado] : std::vector<std::pair<std::string, std::string>>{
           {"1e400", "1e400"},
           {"-1e400", "-1e400"},
           {"1e2000", "1e2000"},
           {std::string(400, '9'), std::string(200, '9') + "... (400 caracteres)"},
           {longo, longo.substr(0, 200) + "... (1008 caracteres)"}}) {
    const auto r = Roda("write Unico lancamentos --jsonl",
                        "{\"Documento\": \"D\", \"Valor\": " + n + ", \"Historico\": \"H\"}\n");
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros, "linha 1: campo 'Valor': o número '" + citado +
                           "' é grande demais\n1 linha(s) recusada(s); nada foi escrito depois da "
                           "primeira\n")
        << n;
  }
  // Zero, and numbers too small for any field, whatever their exponent, even one at the ends of
  // 64 bits (the lines around it written); zeros before the first digit cancel a large exponent as
  // those after the last cancel a small one.
  auto r = Roda("write Unico lancamentos --jsonl",
                "{\"Valor\": 1}\n{\"Valor\": 0.01e-9223372036854775808}\n{\"Valor\": 2}\n"
                "{\"Valor\": 1e-400}\n{\"Valor\": -0.001e-99999999999999999999}\n"
                "{\"Valor\": 0e99999999999999999999}\n{\"Valor\": 1" +
                    std::string(1100, '0') + "e-1098}\n{\"Valor\": -0." + std::string(1000, '0') +
                    "5e1001}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const std::string zero(14, '0');
  const std::string esperados[] = {
      "00000000000100", zero, "00000000000200", zero, zero, zero, "00000000010000",
      "-0000000000500"};
  for (std::size_t i = 0; i < 8; ++i) {
    EXPECT_EQ(r.saida.substr(198 * i + 48, 14), esperados[i]) << i;
  }
  // A text field takes such a number as 0 too.
  r = Roda("write Unico lancamentos --jsonl", "{\"Historico\": 1e-1001}\n{\"Historico\": -0.0}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.substr(68, 100) + r.saida.substr(198 + 68, 100),
            "0" + std::string(99, ' ') + "0" + std::string(99, ' '));

  // Cotepe's E01: DataInicial (D) at column 128, HoraGravacaoSB (H) at 90.
  r = Roda("write Cotepe E01 --jsonl",
           "{\"DataInicial\": 20240131, \"HoraGravacaoSB\": 235959}\n{\"DataInicial\": null}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.substr(127, 8), "20240131");
  EXPECT_EQ(r.saida.substr(89, 6), "235959");
  for (const std::string& v :
       std::vector<std::string>{"5.0", "1e3", "2.0240131E7", "-5", "\"5.0\"", "\"1e3\""}) {
    for (const char* campo : {"DataInicial", "HoraGravacaoSB"}) {
      r = Roda("write Cotepe E01 --jsonl", "{\"" + std::string(campo) + "\": " + v + "}\n");
      EXPECT_EQ(r.codigo, 1) << v;
      std::string escrito = v;
      std::erase(escrito, '"');
      EXPECT_NE(r.erros.find("campo '" + std::string(campo) + "': valor '" + escrito + "' não é"),
                std::string::npos)
          << r.erros;
    }
  }
  // A number field still takes the same numbers.
  r = Roda("write Cotepe E01 --jsonl", "{\"CRZInicial\": 1e3, \"CRZFinal\": 5.0}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.substr(115, 12), "001000000005");
}

// Where a number's first digit stands decides: written out from 10^-1000 to below 10^1001, every
// digit kept; below, zero; above, too large. No exponent, however long, overflows on the way.
TEST(NumeroJson, TheFirstDigitsPlaceDecidesAndNoExponentOverflows) {
  const std::string mil(1000, '0');
  const std::string recusado = "(recusado)";
  for (const auto& [numero, esperado] : std::vector<std::pair<std::string, std::string>>{
           {"1e-1000", "0," + std::string(999, '0') + "1"},
           {"-9.99e-1001", "0"},
           {"0." + mil + "1", "0"},
           {"1e1000", "1" + mil},
           {"9.9e1000", "99" + std::string(999, '0')},
           {"10e1000", recusado},
           {"0." + mil + "5e1001", "5"},
           {"-0.0" + mil + "5e2001", "-5" + std::string(999, '0')},
           {"12.50e1", "125"},
           {"-10.01", "-10,01"},
           {"-1.5e-3", "-0,0015"},
           {"-0.000e-5", "0"},
           {"1e9223372036854775807", recusado},
           {"1e9223372036854775808", recusado},
           {"0." + mil + "5e9223372036854775807", recusado},
           {"1e-9223372036854775808", "0"},
           {"0.01e-9223372036854775808", "0"},
           {"1" + mil + "e-9223372036854775808", "0"},
           {"1e+2147483648", recusado},
           {"1e-2147483649", "0"}}) {
    std::string decimal;
    EXPECT_EQ(NumeroJsonComoDecimal(numero, decimal) ? decimal : recusado, esperado) << numero;
  }
}

TEST_F(ValoresFerramentaTest, AQuotedEmptyRowIsARowAndABlankLineIsNot) {
  auto r = Roda("write Unico lancamentos", "Documento\n\"\"\n\nD1\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.size(), 2U * 198);
  // Reading gives the empty row back as a row.
  const auto registros = Arquivo("r.txt", r.saida);
  r = Roda("read Unico lancamentos " + registros.string());
  EXPECT_EQ(std::count(r.saida.begin(), r.saida.end(), '\n'), 3);
  EXPECT_NE(r.saida.find("\n" + std::string(8, ' ') + ","), std::string::npos) << r.saida;
}

TEST_F(ValoresFerramentaTest, ThousandsWrittenAmbiguouslyAreRefused) {
  auto r = Roda("write Unico lancamentos", "Valor\n1.520\n\"1.520,75\"\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("linha 2: layout 'lancamentos', campo 'Valor': valor '1.520' é ambíguo: "
                         "escreva 1520 para milhares ou 1,520 para decimais"),
            std::string::npos)
      << r.erros;
  EXPECT_EQ(r.erros.find("linha 3"), std::string::npos);
}

// The field-end separator of Radar's amount: show states the record's length and the longer line
// that write produces, and what write produces reads back whole.
TEST_F(ValoresFerramentaTest, RecordsWithAFieldEndSeparatorReadBack) {
  auto r = Roda("show Radar lancamentosSeparador --json");
  EXPECT_EQ(nlohmann::json::parse(r.saida)["length"], 1137);
  EXPECT_EQ(nlohmann::json::parse(r.saida)["tamanhoRegistro"], 1136);
  r = Roda("show Radar lancamentosSeparador");
  EXPECT_NE(r.saida.find("Tamanho do registro: 1136 colunas, 7 campos\n"
                         "Linha escrita: 1137 colunas, com 1 ';' no final de campo\n"),
            std::string::npos)
      << r.saida;
  r = Roda("show Radar folha");
  EXPECT_NE(r.saida.find("Tamanho do registro: 35 colunas, 3 campos\nConfigurações"),
            std::string::npos)
      << r.saida;
  r = Roda("show Radar lancamentos --json");
  EXPECT_EQ(nlohmann::json::parse(r.saida)["length"], 1174);
  const std::string cheio = "HISTORICO" + std::string(991, 'x');
  r = Roda("write Radar lancamentos", "valorLancamento,complementoHP\n\"1520,75\"," + cheio + "\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto registros = Arquivo("r.txt", r.saida);
  r = Roda("read Radar lancamentos " + registros.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find(",\"1520,75\"," + cheio), std::string::npos);
}

// "|" records: what read gives, write takes back whole, a value that fits only without its blanks
// included; a line without "|" is one message, and leaves nothing of itself in the output.
TEST_F(ValoresFerramentaTest, PipeRecordsReadWhatWritesBack) {
  const std::string layout = " Questor questorEmpresarialLctosDiarios ";
  for (const char* codificacao : {"windows-1252", "utf-8"}) {
    SCOPED_TRACE(codificacao);
    const std::string e = std::string(" --encoding ") + codificacao;
    auto r = Roda("read" + layout + "--jsonl" + e, "|  A|123|\r\n");
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(nlohmann::json::parse(r.saida)["identificador"], "A");
    r = Roda("write" + layout + "--jsonl --pipe" + e, r.saida);
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(r.saida.substr(0, 8), "|A|123||");
    r = Roda("read" + layout + e, "|  A|123|\r\n");
    ASSERT_EQ(r.codigo, 0) << r.erros;
    const auto csv = Arquivo("lido.csv", r.saida);
    r = Roda("write" + layout + csv.string() + e);
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(r.saida.substr(0, 8), "|A|123||");
    r = Roda("write" + layout + csv.string() + " --fixed-width" + e);
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(r.saida.substr(0, 4), "A123");
  }
  const auto r = Roda("read" + layout, "|C|1|\r\nsem barra\r\n|D|2|\r\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros,
            "linha 2: layout 'questorEmpresarialLctosDiarios': a linha não tem '|', mas o layout "
            "lê valores separados por '|'\n1 linha(s) recusada(s); nada foi escrito depois da "
            "primeira\n");
  EXPECT_EQ(r.saida.find("D,2"), std::string::npos) << r.saida;
}

TEST_F(ValoresFerramentaTest, MessagesNameWhatIsWrong) {
  // Lines ended by CR alone.
  auto r = Roda("read Unico lancamentos", Lancamento("A") + "\r" + Lancamento("B") + "\r");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("linha 1: a linha tem um CR (\\r) sem LF"), std::string::npos) << r.erros;
  // An input that cannot be read.
  r = Roda("read Unico lancamentos " + pasta.string());
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("Is a directory"), std::string::npos) << r.erros;
  r = Roda("write Unico lancamentos " + pasta.string());
  EXPECT_NE(r.erros.find("Is a directory"), std::string::npos) << r.erros;
  // A CSV header that is not UTF-8, and a NUL byte in a record.
  r = Roda("write Unico lancamentos", "Hist\xF3rico\nx\n");
  EXPECT_NE(r.erros.find("linha 1: o cabeçalho não é texto UTF-8"), std::string::npos) << r.erros;
  r = Roda("read Unico lancamentos", Lancamento("A") + std::string(1, '\0') + "\r\n");
  EXPECT_NE(r.erros.find("linha 1: coluna 197: o byte 0x00 não é texto"), std::string::npos)
      << r.erros;
  // JSON lines whose text is not UTF-8 (in a value, in a name, outside the strings) or holds half
  // of a UTF-16 pair (in a value, in a name after a first member): a name at fault is named as
  // a name, not as the field before it.
  r = Roda("write Unico lancamentos --jsonl",
           "{\"Historico\": \"a\xFF\"}\n{\"Hist\xE9rico\": \"a\"}\n\xFF{}\n"
           "{\"Historico\": \"\\ud800x\"}\n{\"Historico\": \"\\udc00\"}\n{\"Historico\": 1,}\n"
           "{\"Historico\":\"ok\",\"\\ud800\":1}\n{\"Valor\":1,\"V\xE9\":1}\n");
  const std::string semPar =
      "o texto tem um substituto UTF-16 sem par (\\uD800 a \\uDFFF só valem em pares)";
  EXPECT_EQ(r.erros,
            "linha 1: campo 'Historico': o texto não é UTF-8\n"
            "linha 2: o primeiro nome do objeto: o texto não é UTF-8\n"
            "linha 3: o texto não é UTF-8\n"
            "linha 4: campo 'Historico': " +
                semPar +
                "\n"
                "linha 5: campo 'Historico': " +
                semPar +
                "\n"
                "linha 6: não é um objeto JSON\n"
                "linha 7: o nome depois de 'Historico': " +
                semPar +
                "\n"
                "linha 8: o nome depois de 'Valor': o texto não é UTF-8\n"
                "8 linha(s) recusada(s); nada foi escrito depois da primeira\n");
}

// A NUL byte would make a record that cannot be read back: write refuses it in any value, naming
// the line and the field, whatever the output's form.
TEST_F(ValoresFerramentaTest, NulBytesAreRefusedByWrite) {
  const std::string fim = "1 linha(s) recusada(s); nada foi escrito depois da primeira\n";
  const std::string csv = std::string("Documento,Historico\nD1,ok\nD2,\"x\0y\"\n", 35);
  for (const char* forma : {"", " --pipe", " --delimiter ';'"}) {
    const auto r = Roda(std::string("write Unico lancamentos") + forma, csv);
    EXPECT_EQ(r.codigo, 1) << forma;
    EXPECT_EQ(r.erros,
              "linha 3: layout 'lancamentos', campo 'Historico': valor 'x\\x00y' tem o byte 0x00, "
              "que não é texto\n" +
                  fim)
        << forma;
    EXPECT_EQ(r.saida.find('\0'), std::string::npos) << forma;
    EXPECT_NE(r.saida.find("D1"), std::string::npos) << forma;  // the row before is written
  }
  // In JSON, in a number field and in a date, and with -o: no file.
  auto r = Roda("write Unico lancamentos --jsonl -o " + (pasta / "r.txt").string(),
                "{\"Historico\": \"a\\u0000\"}\n");
  EXPECT_EQ(r.erros,
            "linha 1: layout 'lancamentos', campo 'Historico': valor 'a\\x00' tem o byte "
            "0x00, que não é texto\n1 linha(s) recusada(s); o arquivo de saída não foi "
            "gravado\n");
  EXPECT_FALSE(teste::fs::exists(pasta / "r.txt"));
  r = Roda("write Unico lancamentos --jsonl", "{\"Valor\": \"12\\u0000\"}\n");
  EXPECT_NE(r.erros.find("campo 'Valor': valor '12\\x00' tem o byte 0x00"), std::string::npos)
      << r.erros;
  r = Roda("write Cotepe E01 --jsonl", "{\"DataInicial\": \"\\u0000\"}\n");
  EXPECT_NE(r.erros.find("campo 'DataInicial': valor '\\x00' tem o byte 0x00"), std::string::npos)
      << r.erros;
}

// Whatever a message quotes of the input (values, CSV header names, JSON names, names on the
// command line) reaches the terminal with its control characters escaped.
TEST_F(ValoresFerramentaTest, ControlCharactersInMessagesAreEscaped) {
  auto r = Roda("write Unico lancamentos", "Documento,Valor\nD1,\x1b[2J\n");
  EXPECT_NE(r.erros.find("linha 2: layout 'lancamentos', campo 'Valor': valor '\\x1b[2J' não é um "
                         "número\n"),
            std::string::npos)
      << r.erros;
  r = Roda("write Unico lancamentos", "Documento,Va\x07lor\n");
  EXPECT_EQ(r.erros,
            "linha 1: o layout 'lancamentos' (Unico) não tem o campo 'Va\\x07lor'; você quis dizer "
            "'Valor'? Os campos: lumbrava-layouts show Unico lancamentos\n");
  r = Roda("write Unico lancamentos",
           "Documento,\xc2\x9b"
           "31m\n");
  EXPECT_EQ(r.erros,
            "linha 1: o layout 'lancamentos' (Unico) não tem o campo '\\u009b31m'; os campos: "
            "lumbrava-layouts show Unico lancamentos\n");
  r = Roda("write Unico lancamentos --jsonl", "{\"a\\u0000b\\u001b\": 1}\n");
  EXPECT_NE(r.erros.find("linha 1: o layout não tem o campo 'a\\x00b\\x1b'; os campos: "),
            std::string::npos)
      << r.erros;
  r = Roda("write Unico lancamentos --jsonl", "{\"V\\u001b\": 1, \"v\\u001b\": 2}\n");
  EXPECT_NE(r.erros.find("linha 1: o nome 'v\\x1b' aparece duas vezes"), std::string::npos)
      << r.erros;
  // Read: a number field that holds an escape.
  r = Roda("read Unico lancamentos", "01012024000101000102" + std::string(28, '0') +
                                         "000000001520\x1b"
                                         "5000001" +
                                         std::string(128, ' ') + "\r\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("\\x1b"), std::string::npos) << r.erros;
  EXPECT_EQ(r.erros.find('\x1b'), std::string::npos) << r.erros;
  // The command line: an unknown system, a delimiter.
  r = Roda("layouts 'Un\x1b[2Jico'");
  EXPECT_EQ(r.erros,
            "clProdutos.LocalizaCriaLayoutRegistro: Produto Un\\x1b[2Jico ainda não "
            "cadastrado. Verifique.\nos sistemas: lumbrava-layouts systems\n");
  r = Roda("show Unico 'lan\x1b'");
  EXPECT_NE(r.erros.find("Layout lan\\x1b  (Unico)"), std::string::npos) << r.erros;
  // Characters that turn the text around, in a layout's name and in a file's.
  r = Roda("read Unico 'lan\u202ecamentos' '" + (pasta / "a\u202ecsv.txt").string() + "'");
  EXPECT_NE(r.erros.find("Layout lan\\u202ecamentos  (Unico)"), std::string::npos) << r.erros;
  r = Roda("read Unico lancamentos '" + (pasta / "a\u202ecsv.txt").string() + "'");
  EXPECT_NE(r.erros.find("a\\u202ecsv.txt': No such file"), std::string::npos) << r.erros;
  EXPECT_EQ(r.erros.find("\u202e"), std::string::npos) << r.erros;
  r = Roda("write Unico lancamentos --delimiter '\x1b\xe2\x98\x85'");
  EXPECT_EQ(r.codigo, 2);
  EXPECT_EQ(r.erros.find('\x1b'), std::string::npos) << r.erros;
  r = Roda("write Unico lancamentos --frob'\x1b'");
  EXPECT_EQ(r.codigo, 2);
  EXPECT_NE(r.erros.find("--frob\\x1b"), std::string::npos) << r.erros;
  EXPECT_EQ(r.erros.find('\x1b'), std::string::npos) << r.erros;
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Short of memory, the tool gets fewer threads than it asks for, or none, and goes on with those
// it has or on its own; shorter still, it stops, says why, and the error log carries the reason
// on its second line.
TEST_F(ValoresFerramentaTest, FailuresOfTheSystemAreReportedAndLogged) {
  std::string registros;
  for (int i = 0; i < 100; ++i) {
    registros += Lancamento("Depósito") + "\r\n";
  }
  const auto arquivo = Arquivo("r.txt", registros);
  const auto linhas = Arquivo("l.csv", "Historico\nUM\nDOIS\n");
  const std::string ferramenta = LUMBRAVA_TOOL;
  const auto limitado = [&](int kb, const std::string& comando) {
    const std::string linha = "ulimit -v " + std::to_string(kb) +
                              "; XDG_STATE_HOME=" + (pasta / "estado").string() + " " + ferramenta +
                              " " + comando + " --threads 8 >" + (pasta / "out").string() + " 2>" +
                              (pasta / "err").string();
    const int status = std::system(("sh -c '" + linha + "'").c_str());
    return std::make_pair(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status),
                          Le(pasta / "err"));
  };
  const std::string le = "read Unico lancamentos " + arquivo.string();
  const std::string escreve = "write Unico lancamentos " + linhas.string();
  // No room for a thread's stack: the work is done all the same.
  for (const std::string& comando : {le, escreve}) {
    EXPECT_EQ(limitado(60000, comando).first, 0) << comando;
    const std::string inteira = Le(pasta / "out");
    const auto [codigo, erros] = limitado(14000, comando);
    EXPECT_EQ(codigo, 0) << comando << ": " << erros;
    EXPECT_EQ(Le(pasta / "out"), inteira) << comando;
    EXPECT_EQ(std::count(inteira.begin(), inteira.end(), '\n'), comando == le ? 101 : 2) << comando;
  }
  // Less and less memory, until the run fails (before the program cannot even start).
  int kb = 14000;
  std::pair<int, std::string> falha;
  do {
    kb -= 250;
    falha = limitado(kb, le);
  } while (falha.first == 0 && kb > 0);
  const auto& [nenhuma, motivo] = falha;
  EXPECT_EQ(nenhuma, 1) << kb << ": " << motivo;
  EXPECT_EQ(motivo,
            "erro: a memória acabou; com menos threads (--threads) o programa precisa de menos\n");
  // The day's log in the user's state folder, not beside the tool: the entry's second line holds
  // the description.
  bool achou = false;
  const auto pastaDoRegistro = pasta / "estado" / "lumbrava-layouts";
  ASSERT_TRUE(teste::fs::is_directory(pastaDoRegistro));
  for (const auto& e : teste::fs::directory_iterator(pastaDoRegistro)) {
    if (e.path().extension() == ".EXP") {
      EXPECT_EQ(teste::fs::status(e.path()).permissions(),
                teste::fs::perms::owner_read | teste::fs::perms::owner_write);
      achou = achou || Le(e.path()).find("Error # 0 " + motivo.substr(6, motivo.size() - 7)) !=
                           std::string::npos;
    }
  }
  EXPECT_TRUE(achou) << motivo;
}
#endif

}  // namespace
}  // namespace lumbrava
