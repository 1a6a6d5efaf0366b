// The tool meeting the files and habits of people who move data between spreadsheets and the
// systems' record files: text cut to its field, ";"-separated CSV, "|" layouts, names that nearly
// match.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tests/ferramenta.h"
#include "tool/registro_csv.h"
#include "tool/sugestoes.h"

namespace lumbrava {
namespace {

namespace fs = std::filesystem;
using PlanilhaFerramentaTest = teste::Ferramenta;

// The lines of a text that start with `inicio`.
std::vector<std::string> LinhasCom(const std::string& texto, const std::string& inicio) {
  std::vector<std::string> linhas;
  std::size_t i = 0;
  while (i < texto.size()) {
    std::size_t fim = texto.find('\n', i);
    fim = fim == std::string::npos ? texto.size() : fim;
    if (texto.compare(i, inicio.size(), inicio) == 0) {
      linhas.push_back(texto.substr(i, fim - i));
    }
    i = fim + 1;
  }
  return linhas;
}

TEST_F(PlanilhaFerramentaTest, TextCutToItsFieldIsWrittenAsCutAndReportedOnceAField) {
  // Unico "lancamentos": Data has 8 columns, Historico 100.
  auto r = Roda("write Unico lancamentos",
                "Data,Historico\n"
                "05/03/2026,Pagamento\n"
                "06032026,Recebimento\n"
                "07/03/2026,Tarifa\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.substr(0, 8), "05/03/20");  // the layout's cut stays
  EXPECT_EQ(r.saida.substr(198, 8), "06032026");
  EXPECT_EQ(r.erros,
            "aviso: campo 'Data' (8 colunas): 2 valores cortados ao tamanho do campo; o primeiro "
            "na linha 2: '05/03/2026' gravado como '05/03/20'\n");

  // Characters, not bytes: eight accented letters fill Data; a ninth is cut. Blanks past the size
  // are no loss, blanks before the text are.
  r = Roda("write Unico lancamentos",
           "Data,Historico\n"
           "ÁÉÍÓÚÇÃÕ,a\n"
           "05032026   ,b\n"
           "\"05032026\t \",c\n"
           "ÁÉÍÓÚÇÃÕX,d\n"
           "  05032026,e\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.erros,
            "aviso: campo 'Data' (8 colunas): 2 valores cortados ao tamanho do campo; o primeiro "
            "na linha 5: 'ÁÉÍÓÚÇÃÕX' gravado como 'ÁÉÍÓÚÇÃÕ'\n");

  // Ten characters in fourteen bytes fit Questor's data, eleven do not; 1500 in 4500 bytes fit its
  // complementoHp, 1501 do not.
  std::string euros;
  for (int i = 0; i < 1500; ++i) {
    euros += "€";
  }
  r = Roda("write Questor questorEmpresarialLctosDiarios",
           "complementoHp,data\n" + euros + ",ÁÉÍÓ000000\n" + euros + "€,ÁÉÍÓ0000001\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(LinhasCom(r.erros, "aviso: ").size(), 2U) << r.erros;
  EXPECT_NE(r.erros.find("'data' (10 colunas): 1 valor cortado ao tamanho do campo; o primeiro na "
                         "linha 3: 'ÁÉÍÓ0000001' gravado como 'ÁÉÍÓ000000'"),
            std::string::npos)
      << r.erros;
  EXPECT_NE(r.erros.find("'complementoHp' (1500 colunas): 1 valor cortado ao tamanho do campo; o "
                         "primeiro na linha 3: '"),
            std::string::npos)
      << r.erros;
  EXPECT_NE(r.erros.find("... (1501 caracteres)' gravado como '" + euros + "'\n"),
            std::string::npos);

  // Several fields: one line each, in the layout's field order; the value as written is what the
  // record holds (Dominio "folha-1" Competencia, 6 columns).
  r = Roda("write Dominio folha-1", "Competencia,Fixo\n03/2026,ABC\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.substr(0, 18), "AB000000000003/202");
  EXPECT_EQ(LinhasCom(r.erros, "aviso: "),
            (std::vector<std::string>{
                "aviso: campo 'Fixo' (2 colunas): 1 valor cortado ao tamanho do campo; o primeiro "
                "na linha 2: 'ABC' gravado como 'AB'",
                "aviso: campo 'Competencia' (6 colunas): 1 valor cortado ao tamanho do campo; o "
                "primeiro na linha 2: '03/2026' gravado como '03/202'"}));

  // A right-aligned field trims its value first: blanks around it are no loss.
  r = Roda("write Protheus lancamentosLctoPadrao",
           "ctDebito\n\"        1.1.01.001.0001   \"\n      1.1.01.001.0001.000001\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.substr(3, 20), "     1.1.01.001.0001");
  EXPECT_EQ(r.erros,
            "aviso: campo 'ctDebito' (20 colunas): 1 valor cortado ao tamanho do campo; o "
            "primeiro na linha 3: '      1.1.01.001.0001.000001' gravado como "
            "'1.1.01.001.0001.0000'\n");

  // Delimited records, "|" records and JSON lines meet the same cut; a delimited value is written
  // trimmed.
  const std::string aviso =
      "aviso: campo 'CNPJ' (14 colunas): 1 valor cortado ao tamanho do campo; o primeiro na "
      "linha 2: '12.345.678/0001-90' gravado como '12.345.678/000'\n";
  r = Roda("write Cotepe E05", "CNPJ\n12.345.678/0001-90\n");
  EXPECT_EQ(r.erros, aviso);
  r = Roda("write Cotepe E05 --delimiter ';'", "CNPJ,Modelo\n12.345.678/0001-90,MP\n");
  EXPECT_EQ(r.erros, aviso);
  EXPECT_NE(r.saida.find(";12.345.678/000;"), std::string::npos) << r.saida;
  r = Roda("write Cotepe E05 --jsonl", "{}\n{\"CNPJ\": \"12.345.678/0001-90\"}\n");
  EXPECT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.erros, aviso);

  // Control characters are quoted as escapes.
  r = Roda("write Unico lancamentos", "Data\n0503\t2026\x1b\n");
  EXPECT_EQ(r.erros,
            "aviso: campo 'Data' (8 colunas): 1 valor cortado ao tamanho do campo; o primeiro na "
            "linha 2: '0503\\t2026\\x1b' gravado como '0503\\t202'\n");

  // A very long value is quoted by its beginning.
  r = Roda("write Unico lancamentos", "Data\n" + std::string(500, '9') + "\n");
  EXPECT_NE(r.erros.find("'" + std::string(200, '9') + "... (500 caracteres)' gravado como '" +
                         std::string(8, '9') + "'"),
            std::string::npos)
      << r.erros;
}

TEST_F(PlanilhaFerramentaTest, CutReportCountsTheRecordsWrittenInFileOrderOnAnyThreads) {
  // Batches go to the threads in a few thousand lines: cuts are spread over many of them, and the
  // Historico field loses text only far down the file.
  std::string csv = "Data,Historico\n";
  for (int i = 1; i <= 30000; ++i) {
    csv += (i % 7 == 0 ? "05/03/" + std::to_string(2000 + i % 100) : std::string("05032026")) +
           "," + (i > 25000 && i % 1000 == 3 ? std::string(101, 'h') + std::to_string(i) : "ok") +
           "\n";
  }
  const auto arquivo = Arquivo("e.csv", csv);
  const std::string esperado =
      "aviso: campo 'Data' (8 colunas): 4285 valores cortados ao tamanho do campo; o primeiro "
      "na linha 8: '05/03/2007' gravado como '05/03/20'\n"
      "aviso: campo 'Historico' (100 colunas): 5 valores cortados ao tamanho do campo; o "
      "primeiro na linha 25004: '" +
      std::string(101, 'h') + "25003' gravado como '" + std::string(100, 'h') + "'\n";
  for (const char* threads : {"1", "3", "8"}) {
    const auto r = Roda("write Unico lancamentos " + arquivo.string() + " --threads " + threads);
    ASSERT_EQ(r.codigo, 0) << r.erros;
    EXPECT_EQ(r.erros, esperado) << threads << " threads";
    EXPECT_EQ(r.saida.size(), 30000U * 198);
  }

  // A refused row: only what was written before it counts; with -o nothing was written, and no
  // cut is reported.
  std::size_t linha100 = 0;
  for (int i = 1; i < 100; ++i) {
    linha100 = csv.find('\n', linha100) + 1;
  }
  csv.insert(linha100, "sem,valores,demais\n");
  const auto comErro = Arquivo("erro.csv", csv);
  for (const char* threads : {"1", "4"}) {
    auto r = Roda("write Unico lancamentos " + comErro.string() + " --threads " + threads);
    EXPECT_EQ(r.codigo, 1);
    EXPECT_NE(r.erros.find("linha 100: 3 valores, mas o cabeçalho tem 2 campos"), std::string::npos)
        << r.erros;
    EXPECT_EQ(LinhasCom(r.erros, "aviso: "),
              std::vector<std::string>{"aviso: campo 'Data' (8 colunas): 14 valores cortados ao "
                                       "tamanho do campo; o primeiro na linha 8: '05/03/2007' "
                                       "gravado como '05/03/20'"})
        << threads << " threads";
    r = Roda("write Unico lancamentos " + comErro.string() + " --threads " + threads + " -o " +
             (pasta / "saida.txt").string());
    EXPECT_EQ(r.codigo, 1);
    EXPECT_EQ(r.erros.find("aviso: "), std::string::npos) << r.erros;
    EXPECT_FALSE(fs::exists(pasta / "saida.txt"));
  }
}

TEST_F(PlanilhaFerramentaTest, SemicolonCsvFromAPortugueseSpreadsheetIsRead) {
  // The same rows as a comma CSV and as a Portuguese spreadsheet saves them.
  const std::string virgulas =
      "Data,ContaDebito,Valor,Historico\n"
      "01032026,1.1.01,\"1520,75\",\"Pagamento; parcela 1\"\n"
      "02032026,1.1.02,\"1.520,75\",\"Diz \"\"pago\"\", 2\"\n";
  const std::string pontoEVirgula =
      "Data;ContaDebito;Valor;Historico\r\n"
      "01032026;1.1.01;1520,75;\"Pagamento; parcela 1\"\r\n"
      "02032026;1.1.02;1.520,75;\"Diz \"\"pago\"\", 2\"\r\n";
  const auto a = Roda("write Unico lancamentos", virgulas);
  ASSERT_EQ(a.codigo, 0) << a.erros;
  auto b = Roda("write Unico lancamentos", "\xEF\xBB\xBF" + pontoEVirgula);
  ASSERT_EQ(b.codigo, 0) << b.erros;
  EXPECT_EQ(b.saida, a.saida);
  // Blank lines before the header are skipped, as after it: the separator is the header's.
  b = Roda("write Unico lancamentos", "\xEF\xBB\xBF\r\n\n" + pontoEVirgula);
  ASSERT_EQ(b.codigo, 0) << b.erros;
  EXPECT_EQ(b.saida, a.saida);
  b = Roda("write Unico lancamentos", "\n\r\n");
  EXPECT_EQ(b.erros, "a entrada não tem a linha de cabeçalho com os nomes dos campos\n");
  EXPECT_NE(a.saida.find("00000000152075"), std::string::npos);
  EXPECT_NE(a.saida.find("Diz \"pago\", 2 "), std::string::npos);

  // On several threads, many rows.
  std::string muitas = "Data;Valor\n";
  std::string comVirgula = "Data,Valor\n";
  for (int i = 0; i < 20000; ++i) {
    muitas += "01032026;" + std::to_string(i) + ",5\n";
    comVirgula += "01032026,\"" + std::to_string(i) + ",5\"\n";
  }
  b = Roda("write Unico lancamentos " + Arquivo("p.csv", muitas).string() + " --threads 4");
  ASSERT_EQ(b.codigo, 0) << b.erros;
  EXPECT_EQ(b.saida, Roda("write Unico lancamentos --threads 1", comVirgula).saida);

  // A header with a "," is read with ",", whatever else it holds; values keep their ";".
  b = Roda("write Unico lancamentos", "Data,Historico\n01032026,a;b\n");
  ASSERT_EQ(b.codigo, 0) << b.erros;
  EXPECT_EQ(b.saida.substr(68, 4), "a;b ");
  b = Roda("write Unico lancamentos", "Data;Valor,Historico\n1;2,3\n");
  EXPECT_EQ(b.codigo, 1);
  EXPECT_NE(b.erros.find("não tem o campo 'Data;Valor'"), std::string::npos) << b.erros;
  // A row that does not follow the header's separator is refused, not guessed.
  b = Roda("write Unico lancamentos", "Data;Valor\n01032026,\"5,5\"\n");
  EXPECT_EQ(b.codigo, 1);
  EXPECT_NE(b.erros.find("linha 2: aspas no meio de um campo"), std::string::npos) << b.erros;
}

TEST_F(PlanilhaFerramentaTest, WindowsCsvIsRefusedWithHowToConvertIt) {
  const std::string iconv =
      "o CSV deve ser UTF-8; se ele veio em Windows-1252, converta-o com: iconv -f windows-1252 "
      "-t utf-8 entrada.csv > entrada-utf8.csv";
  auto r = Roda("write Unico lancamentos", "Data;Historico\n01032026;Jo\xE3o\n02032026;Jos\xE9\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros,
            "linha 2: campo 'Historico': o texto não é UTF-8\n"
            "linha 3: campo 'Historico': o texto não é UTF-8\n"
            "2 linha(s) recusada(s); nada foi escrito depois da primeira\n" +
                iconv + "\n");
  r = Roda("write Unico lancamentos", "Data;Hist\xF3rico\n01032026;x\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros, "linha 1: o cabeçalho não é texto UTF-8 (" + iconv + ")\n");
}

TEST_F(PlanilhaFerramentaTest, PipeLayoutsAreWrittenAsTheyAreRead) {
  // Questor "questorEmpresarialLctosDiarios" reads "|" lines.
  const auto csv = Arquivo("q.csv",
                           "identificador,data,valorEntrada,complementoHp\n"
                           "L,05/03/2026,\"1520,75\",Pagamento\n");
  auto r = Roda("write Questor questorEmpresarialLctosDiarios " + csv.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida, "|L||||05/03/2026||1520,75|||||Pagamento|\r\n");
  EXPECT_EQ(Roda("write Questor questorEmpresarialLctosDiarios --pipe " + csv.string()).saida,
            r.saida);
  const auto registros = Arquivo("q.txt", r.saida);
  r = Roda("read Questor questorEmpresarialLctosDiarios --jsonl " + registros.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto j = nlohmann::json::parse(r.saida);
  EXPECT_EQ(j["data"], "05/03/2026");
  EXPECT_EQ(j["valorEntrada"], "1520,75");
  EXPECT_EQ(j["complementoHp"], "Pagamento");

  // Another form is asked for: a separator of one's own, or fixed-width records.
  r = Roda("write Questor questorEmpresarialLctosDiarios --delimiter ';' " + csv.string());
  EXPECT_EQ(r.saida, "L;;;;05/03/2026;;1520,75;;;;;Pagamento\r\n");
  r = Roda("write Questor questorEmpresarialLctosDiarios --fixed-width " + csv.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(r.saida.size(), 1617U + 2);
  EXPECT_EQ(r.saida.substr(0, 2), "L ");
  EXPECT_EQ(Roda("write Questor questorEmpresarialLctosDiarios --fixed-width --pipe").codigo, 2);
  EXPECT_EQ(Roda("write Unico lancamentos --fixed-width --delimiter ';'").codigo, 2);
  // A layout that reads by columns stays fixed-width.
  r = Roda("write Unico lancamentos --fixed-width", "Data\n01032026\n");
  EXPECT_EQ(r.saida, Roda("write Unico lancamentos", "Data\n01032026\n").saida);
}

TEST_F(PlanilhaFerramentaTest, UnknownNamesComeWithTheNearestAndTheCommandThatListsThem) {
  auto r = Roda("layouts dominio");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros,
            "clProdutos.LocalizaCriaLayoutRegistro: Produto dominio ainda não cadastrado. "
            "Verifique.\n"
            "você quis dizer 'Dominio'? Os sistemas: lumbrava-layouts systems\n");
  r = Roda("show Unico Lancamentos");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros,
            "clProdutos.LocalizaCriaLayoutRegistro: Layout Lancamentos  (Unico) ainda não "
            "cadastrado. Verifique.\n"
            "você quis dizer 'lancamentos'? Os layouts de Unico: lumbrava-layouts layouts Unico\n");
  // Accents and blanks in a name: the command quotes it for the shell.
  r = Roda("read 'Grupo Modulos' x");
  EXPECT_NE(r.erros.find("você quis dizer 'Grupo Módulos'? Os sistemas"), std::string::npos)
      << r.erros;
  r = Roda("write 'Grupo Módulos' lancamento", "x\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("Os layouts de Grupo Módulos: lumbrava-layouts layouts 'Grupo Módulos'\n"),
            std::string::npos)
      << r.erros;
  // Nothing near: only the command.
  r = Roda("show Unico xyzzy");
  EXPECT_NE(r.erros.find("\nos layouts de Unico: lumbrava-layouts layouts Unico\n"),
            std::string::npos)
      << r.erros;
  EXPECT_EQ(r.erros.find("você quis dizer"), std::string::npos);

  // Field names of a CSV header and of JSON lines.
  r = Roda("write Unico lancamentos", "Data,Histórico\n1,2\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_EQ(r.erros,
            "linha 1: o layout 'lancamentos' (Unico) não tem o campo 'Histórico'; você quis dizer "
            "'Historico'? Os campos: lumbrava-layouts show Unico lancamentos\n");
  r = Roda("write Unico lancamentos", "Valr\n1\n");
  EXPECT_NE(r.erros.find("não tem o campo 'Valr'; você quis dizer 'Valor'?"), std::string::npos)
      << r.erros;
  r = Roda("write Dominio nfEntradaPIS/COFINS1090 --jsonl", "{\"Qualquer coisa\": 1}\n");
  EXPECT_NE(r.erros.find("linha 1: o layout não tem o campo 'Qualquer coisa'; os campos: "
                         "lumbrava-layouts show Dominio nfEntradaPIS/COFINS1090\n"),
            std::string::npos)
      << r.erros;
  // Known names bring no suggestion, whatever else fails.
  r = Roda("write Unico lancamentos", "Valor\nabc\n");
  EXPECT_EQ(r.erros.find("você quis dizer"), std::string::npos);
  EXPECT_EQ(r.erros.find("lumbrava-layouts"), std::string::npos);
}

TEST(NomesProximos, CaseAndAccentsFirstThenFewestChanges) {
  const std::vector<std::string> campos{"Data",  "Valor", "Historico", "HISTÓRICO2",
                                        "Vator", "Vapor", "Documento", "E14"};
  EXPECT_EQ(NomesProximos("histórico", campos), std::vector<std::string>{"Historico"});
  EXPECT_EQ(NomesProximos("Valr", campos), std::vector<std::string>{"Valor"});
  // Ties come in the candidates' order, three at most.
  EXPECT_EQ(NomesProximos("Vabor", campos), (std::vector<std::string>{"Valor", "Vator", "Vapor"}));
  EXPECT_EQ(NomesProximos("Vabor", campos, 2), (std::vector<std::string>{"Valor", "Vator"}));
  // More than a third of the name changed is no longer near; one change always is.
  EXPECT_TRUE(NomesProximos("Dxxa", campos).empty());
  EXPECT_EQ(NomesProximos("E1", campos), std::vector<std::string>{"E14"});
  EXPECT_TRUE(NomesProximos("", campos).empty());
  EXPECT_TRUE(NomesProximos(std::string(101, 'a'), {std::string(101, 'a')}).empty());
  EXPECT_EQ(NomesProximos("LIDER W", {"Líder W", "Linx"}), std::vector<std::string>{"Líder W"});
  // Letters past Latin-1 are compared as they are.
  EXPECT_EQ(NomesProximos("Őrgão", {"Orgao", "Őrgao"}), std::vector<std::string>{"Őrgao"});
  // Malformed text is compared byte by byte and breaks nothing.
  EXPECT_TRUE(NomesProximos("\xC3", {"\xC3\xA9", "x"}).size() <= 2);

  EXPECT_EQ(ArgumentoDoShell("nfEntradaPIS/COFINS1090"), "nfEntradaPIS/COFINS1090");
  EXPECT_EQ(ArgumentoDoShell("it's"), "'it'\\''s'");
  EXPECT_EQ(ArgumentoDoShell(""), "''");
}

TEST(RegistroCsvSeparador, SemicolonBetweenValuesAndCommaInside) {
  RegistroCsv r(kMaximoRegistroDeDados, ';');
  ASSERT_TRUE(r.Le("1,5;\"a;b\";\"x\"\"y\";", 2));
  ASSERT_EQ(r.valores(), 4U);
  EXPECT_EQ(r.valor(0), "1,5");
  EXPECT_EQ(r.valor(1), "a;b");
  EXPECT_EQ(r.valor(2), "x\"y");
  EXPECT_EQ(r.valor(3), "");
  // A quoted value across lines, and text after its closing quote.
  EXPECT_FALSE(r.Le("\"um", 3));
  ASSERT_TRUE(r.Le("dois\";3", 4));
  EXPECT_EQ(r.valor(0), "um\ndois");
  EXPECT_EQ(r.valor(1), "3");
  ASSERT_TRUE(r.Le("\"a\",b", 5));
  EXPECT_EQ(r.erro(), "texto depois das aspas que fecham um campo");
  // Lines longer than sixteen bytes are looked at sixteen at a time.
  const std::string longa = std::string(40, 'x') + ";" + std::string(30, 'y') + ",z";
  ASSERT_TRUE(r.Le(longa, 6));
  ASSERT_EQ(r.valores(), 2U);
  EXPECT_EQ(r.valor(1), std::string(30, 'y') + ",z");

  EXPECT_EQ(SeparadorDoCabecalho("Data;Valor"), ';');
  EXPECT_EQ(SeparadorDoCabecalho("Data;Valor,Historico"), ',');
  EXPECT_EQ(SeparadorDoCabecalho("Data"), ',');
}

}  // namespace
}  // namespace lumbrava
