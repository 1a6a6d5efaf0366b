// The command-line tool, run as a separate process on small files.
#include "tests/ferramenta.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "layouts/cl_produtos.h"

namespace lumbrava {
namespace {

namespace fs = std::filesystem;
using teste::Resultado;

using FerramentaTest = teste::Ferramenta;

TEST_F(FerramentaTest, ListsSystemsAndLayouts) {
  auto r = Roda("systems");
  EXPECT_EQ(r.codigo, 0);
  std::string todos;
  for (const std::string& s : clProdutos::Produtos()) {
    todos += s + "\n";
  }
  EXPECT_EQ(r.saida, todos);
  EXPECT_EQ(r.saida.rfind("PortPress\nProtheus\nQuestor\nRadar\nRubi\nSCI\nUnico\nCotepe\n", 0),
            0U);
  r = Roda("layouts Radar");
  EXPECT_EQ(r.codigo, 0);
  EXPECT_EQ(r.saida, "lancamentos\nfolha\nfiscal\nlancamentosSeparador\n");
  // An unknown system gets the catalogue's one message, whichever command looks it up.
  for (const char* comando :
       {"layouts radar", "show radar folha", "read radar folha", "write radar folha"}) {
    r = Roda(comando);
    EXPECT_EQ(r.codigo, 1) << comando;
    EXPECT_EQ(r.erros,
              "clProdutos.LocalizaCriaLayoutRegistro: Produto radar ainda não cadastrado. "
              "Verifique.\n"
              "você quis dizer 'Radar'? Os sistemas: lumbrava-layouts systems\n")
        << comando;
  }
}

TEST_F(FerramentaTest, CommandLineMistakesExitWithTwo) {
  EXPECT_EQ(Roda("").codigo, 2);
  EXPECT_EQ(Roda("frobnicate").codigo, 2);
  EXPECT_EQ(Roda("show Unico").codigo, 2);
  EXPECT_EQ(Roda("write Unico lancamentos --pipe --delimiter ';'").codigo, 2);
  EXPECT_EQ(Roda("read Unico lancamentos --encoding latin9").codigo, 2);
  auto r = Roda("--version");
  EXPECT_EQ(r.codigo, 0);
  EXPECT_EQ(r.saida, "lumbrava-layouts 0.1.0\n");
  r = Roda("write --help");
  EXPECT_EQ(r.codigo, 0);
  EXPECT_NE(r.saida.find("--delimiter"), std::string::npos);
}

TEST_F(FerramentaTest, ShowsALayoutAsJson) {
  const auto r = Roda("show PortPress lancamentos --json");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto j = nlohmann::json::parse(r.saida);
  EXPECT_EQ(j["system"], "PortPress");
  EXPECT_EQ(j["layout"], "lancamentos");
  EXPECT_EQ(j["length"], 158);
  EXPECT_EQ(j["settings"]["separadorCasasDecimais"], ",");
  EXPECT_EQ(j["settings"].size(), 7U);
  ASSERT_EQ(j["fields"].size(), 16U);
  const auto& valor = j["fields"][14];
  EXPECT_EQ(valor["nome"], "valor");
  EXPECT_EQ(valor["inicio"], 72);
  EXPECT_EQ(valor["fim"], 83);
  EXPECT_EQ(valor["tipo"], "N");
  EXPECT_EQ(valor["configuracaoParticular"], true);
  EXPECT_EQ(valor["settings"]["separaCasasDecimais"], true);
  EXPECT_EQ(valor["settings"].size(), 5U);
  EXPECT_TRUE(j["fields"][0]["settings"].is_null());
  EXPECT_EQ(j["fields"][0].size(), 14U);

  const auto t = Roda("show Cotepe E05");
  ASSERT_EQ(t.codigo, 0);
  EXPECT_NE(t.saida.find("Codificador Digito 9"), std::string::npos);
  EXPECT_NE(t.saida.find("82 colunas, 17 campos"), std::string::npos);
  EXPECT_EQ(Roda("show Unico bens-cadastrobem").codigo, 1);
}

TEST_F(FerramentaTest, ExampleFileReadsIntoCsvAndWritesBackTheSameBytes) {
  const fs::path exemplo = fs::path(LUMBRAVA_EXAMPLES) / "unico-lancamentos.txt";
  const fs::path csv = pasta / "saida.csv";
  auto r = Roda("read Unico lancamentos " + exemplo.string() + " -o " + csv.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const std::string texto = Le(csv);
  EXPECT_EQ(texto.substr(0, texto.find('\n')),
            "Data,ContaDebito,ContaCredito,SubDebito,SubCredito,Valor,CodHP,Historico,Documento,"
            "ccDebito,ccCredito");
  EXPECT_NE(texto.find("\"1520,75\""), std::string::npos);
  EXPECT_NE(texto.find("Depósito em conta corrente"), std::string::npos);  // decoded to UTF-8
  const fs::path volta = pasta / "volta.txt";
  r = Roda("write Unico lancamentos " + csv.string() + " -o " + volta.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_EQ(Le(volta), Le(exemplo));
}

TEST_F(FerramentaTest, ReadsJsonLinesUtf8AndLfLines) {
  const std::string linha =
      "01032026"
      "1101  "
      "2101  " +
      std::string(28, '0') +
      "00000000152075"
      "12    "
      "Março" +
      std::string(95, ' ') + std::string(12, ' ') +
      "00000010"
      "00000000";
  const auto arquivo = Arquivo("utf8.txt", linha + "\n\n");
  const auto r = Roda("read Unico lancamentos --jsonl --encoding utf-8 " + arquivo.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto j = nlohmann::json::parse(r.saida.substr(0, r.saida.find('\n')));
  EXPECT_EQ(j["Valor"], "1520,75");
  EXPECT_EQ(j["ccDebito"], "10");
  EXPECT_EQ(std::string(j["Historico"]).substr(0, 6), "Março");
}

// Every byte below 0x20 that a record line may hold, '"', '\\', '/', DEL and accents, in both
// encodings: the line is the dump of its own object, its keys the layout's fields in order.
TEST_F(FerramentaTest, ReadJsonLinesEscapeTextAsJsonWritesIt) {
  std::string especiais;
  for (char c = 1; c < 0x20; ++c) {
    if (c != '\n' && c != '\r') {  // a line's end, and refused
      especiais += c;
    }
  }
  especiais += "\"\\/\x7f";
  clProdutos catalogo;
  std::vector<std::string> nomes;
  for (const auto& c : catalogo.LocalizaCriaLayoutRegistro("Unico", "lancamentos")->campos()) {
    nomes.push_back(c->nome);
  }
  struct Caso {
    std::string opcao;
    std::string texto;  // in the file's encoding
    std::size_t colunas;
    std::string utf8;
  };
  for (const Caso& c : {Caso{"", especiais + "A\xE7\x80", especiais.size() + 3, especiais + "Aç€"},
                        Caso{"--encoding utf-8", especiais + "Aç\u0085\u2028😀",
                             especiais.size() + 5, especiais + "Aç\u0085\u2028😀"}}) {
    const std::string brancos(100 - c.colunas, ' ');
    const auto arquivo =
        Arquivo("e.txt",
                "01032026"
                "1101  "
                "2101  " +
                    std::string(28, '0') +
                    "00000000152075"
                    "12    " +
                    c.texto + brancos + std::string(12, ' ') + "0000001000000000\r\n");
    const auto r = Roda("read Unico lancamentos --jsonl " + c.opcao + " " + arquivo.string());
    ASSERT_EQ(r.codigo, 0) << r.erros;
    const auto j = nlohmann::ordered_json::parse(r.saida);
    EXPECT_EQ(r.saida, j.dump() + "\n");
    EXPECT_EQ(j.at("Historico").get<std::string>(), c.utf8 + brancos);
    std::vector<std::string> chaves;
    for (const auto& [chave, valor] : j.items()) {
      chaves.push_back(chave);
    }
    EXPECT_EQ(chaves, nomes);
  }
}

TEST_F(FerramentaTest, RefusesBadRecordsNamingLineAndFieldAndWritesNothing) {
  const std::string boa = std::string(48, '0') + "00000000001250" + std::string(134, ' ');
  const std::string ruim = std::string(48, '0') + "000000000012X0" + std::string(134, ' ');
  const std::string longa = boa + "excesso";
  const auto arquivo = Arquivo(
      "ruim.txt", boa + "\r\n" + ruim + "\r\n" + longa + "\r\n" + "\x81" + boa.substr(1) + "\r\n");
  const fs::path csv = pasta / "nao.csv";
  const auto r = Roda("read Unico lancamentos " + arquivo.string() + " -o " + csv.string());
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find(
                "linha 2: layout 'lancamentos', campo 'Valor': '000000000012X0' não é um número"),
            std::string::npos)
      << r.erros;
  EXPECT_NE(r.erros.find("linha 3: 203 caracteres, mas o layout 'lancamentos' tem 196 colunas"),
            std::string::npos)
      << r.erros;
  EXPECT_NE(r.erros.find("linha 4: coluna 1: o byte 0x81 não é um caractere do Windows-1252"),
            std::string::npos)
      << r.erros;
  EXPECT_FALSE(fs::exists(csv));
  for (const auto& e : fs::directory_iterator(pasta)) {  // no temporary file left behind
    const std::string nome = e.path().filename().string();
    EXPECT_TRUE(nome == "ruim.txt" || nome == "stdin" || nome == "stdout" || nome == "stderr")
        << nome;
  }
}

TEST_F(FerramentaTest, ReadingOnSeveralThreadsKeepsOrderAndLineNumbers) {
  std::string csv = "Documento,Valor\n";
  for (int i = 1; i <= 6000; ++i) {
    csv += "D" + std::to_string(i) + ",\"" + std::to_string(i) + ",5\"\n";
  }
  const auto entrada = Arquivo("e.csv", csv);
  const fs::path registros = pasta / "r.txt";
  ASSERT_EQ(
      Roda("write Unico lancamentos " + entrada.string() + " -o " + registros.string()).codigo, 0);
  const fs::path um = pasta / "um.csv";
  const fs::path varios = pasta / "varios.csv";
  ASSERT_EQ(Roda("read Unico lancamentos " + registros.string() + " --threads 1 -o " + um.string())
                .codigo,
            0);
  ASSERT_EQ(
      Roda("read Unico lancamentos " + registros.string() + " --threads 5 -o " + varios.string())
          .codigo,
      0);
  EXPECT_EQ(Le(um), Le(varios));
  EXPECT_NE(Le(um).find("\"6000,50\""), std::string::npos);

  // A bad line deep in the file is named by its number.
  std::string texto = Le(registros);
  const std::size_t valor = (5321 - 1) * (196 + 2) + 48 + 5;  // in Valor of line 5321
  texto[valor] = 'x';
  const auto ruim = Arquivo("ruim.txt", texto);
  const auto r = Roda("read Unico lancamentos " + ruim.string() + " --threads 4");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("linha 5321: layout 'lancamentos', campo 'Valor'"), std::string::npos)
      << r.erros;
  EXPECT_NE(r.saida.find("D5320 "), std::string::npos);
  EXPECT_EQ(r.saida.find("D5322 "), std::string::npos);  // nothing after the refused line
}

TEST_F(FerramentaTest, WriteRefusesValuesThatDoNotFit) {
  const auto csv =
      Arquivo("e.csv", "Valor,Historico\n1,ok\n123456789012345,grande\n2,\"✓ marca\"\nabc,x\n");
  const fs::path saida = pasta / "saida.txt";
  auto r = Roda("write Unico lancamentos " + csv.string() + " -o " + saida.string());
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("linha 3: layout 'lancamentos', campo 'Valor': valor '123456789012345' "
                         "não cabe em 14 colunas com 2 decimais"),
            std::string::npos)
      << r.erros;
  EXPECT_NE(
      r.erros.find("linha 4: layout 'lancamentos', campo 'Historico': o caractere '✓' (U+2713) "
                   "não existe no Windows-1252"),
      std::string::npos)
      << r.erros;
  EXPECT_NE(
      r.erros.find("linha 5: layout 'lancamentos', campo 'Valor': valor 'abc' não é um número"),
      std::string::npos);
  EXPECT_FALSE(fs::exists(saida));

  r = Roda("write Unico lancamentos", "Valor,Nada\n1,2\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("não tem o campo 'Nada'"), std::string::npos);
  r = Roda("write Unico lancamentos", "Valor,Historico\n1,2,3\n");
  EXPECT_EQ(r.codigo, 1);
  EXPECT_NE(r.erros.find("linha 2: 3 valores, mas o cabeçalho tem 2 campos"), std::string::npos);
}

TEST_F(FerramentaTest, LayoutsWithoutFieldsAreRefused) {
  for (const char* c : {"read Radar fiscal", "write Radar fiscal"}) {
    const auto r = Roda(c, "x\n");
    EXPECT_EQ(r.codigo, 1) << c;
    EXPECT_NE(r.erros.find("o layout 'fiscal' (Radar) não tem campos"), std::string::npos) << c;
  }
  EXPECT_EQ(Roda("show Radar fiscal --json").codigo, 0);
}

TEST_F(FerramentaTest, CotepeRecordFileThroughTheTool) {
  const auto csv = Arquivo("e.csv",
                           "E14,NumeroFabricacao,MFadicional,Modelo\n"
                           "E14,BE0123456789,A,MP-4000 TH FI\n");
  auto r = Roda("write Cotepe E14 " + csv.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  ASSERT_GE(r.saida.size(), 193U);
  EXPECT_EQ(r.saida.substr(0, 44), "E14BE0123456789        AMP-4000 TH FI       ");
  EXPECT_EQ(r.saida.size(), 191U + 2U);  // record length 191, CRLF
  const auto registros = Arquivo("e14.txt", r.saida);
  r = Roda("read Cotepe E14 " + registros.string() + " --jsonl");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto j = nlohmann::json::parse(r.saida);
  EXPECT_EQ(j["NumeroFabricacao"], "BE0123456789        ");
  EXPECT_EQ(j["E14"], "E14");
}

TEST_F(FerramentaTest, PipeAndDelimitedRecords) {
  auto r = Roda("write Questor questorEmpresarialCadastroClientes --pipe --jsonl",
                "{\"nomeFantasia\": \"Acme\", \"razao\": \"Acme Ltda\"}\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  ASSERT_EQ(r.saida.substr(0, 1), "|");
  EXPECT_EQ(r.saida.substr(r.saida.size() - 3), "|\r\n");
  const auto arquivo = Arquivo("q.txt", r.saida);
  r = Roda("read Questor questorEmpresarialCadastroClientes --jsonl " + arquivo.string());
  ASSERT_EQ(r.codigo, 0) << r.erros;
  const auto j = nlohmann::json::parse(r.saida);
  EXPECT_EQ(j["nomeFantasia"], "Acme");
  EXPECT_EQ(j["razao"], "Acme Ltda");

  r = Roda("write SCI cadastroContratosImob --delimiter ';'", "valorContrato\n\"1500,5\"\n");
  ASSERT_EQ(r.codigo, 0) << r.erros;
  EXPECT_NE(r.saida.find("150050"), std::string::npos) << r.saida;
  EXPECT_NE(r.saida.find("\"\""), std::string::npos) << r.saida;  // an empty qualified value
}

}  // namespace
}  // namespace lumbrava
