#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

std::string Colunas(const std::string& registro, int inicio, int quantas) {
  return std::string(
      Subtexto(registro, static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(quantas)));
}

TEST(Folhamatic, FiguresOfEveryLayout) {
  teste::ConfereFiguras("Folhamatic",
                        {{"lancamentos", 20, 342, "vazio", "numeroArquivamento"},
                         {"folha", 7, 62, "codFunc", "valUnit"},
                         {"invent-E001", 4, 15, "nomeRegistro", "controle"},
                         {"invent-E302", 14, 107, "nomeRegistro", "dataSistema"},
                         {"invent-E303", 19, 176, "nomeRegistro", "bcRetencao"},
                         {"invent-E010", 43, 977, "nomeRegistro", "Controle"},
                         {"invent-E604", 13, 92, "nomeRegistro", "controle"},
                         {"invent-E605", 15, 93, "nomeRegistro", "controle"},
                         {"invent-E600.999", 41, 750, "nomeRegistro", "ControleSistema"},
                         {"invent-E700.999", 19, 450, "nomeRegistro", "controleSistema"},
                         {"invent-E603", 29, 334, "nomeRegistro", "controleSist"},
                         {"invent-E400", 16, 438, "nomeRegistro", "controleSist"},
                         {"fisc-E223", 9, 64, "nomeRegistro", "qt"},
                         {"fisc-E364", 25, 539, "nomeRegistro", "controle"},
                         // Names compared exactly, and a name of another system.
                         {"FOLHA", 0, 0, "", ""},
                         {"folha ", 0, 0, "", ""},
                         {"invent-e001", 0, 0, "", ""},
                         {"invent-E600", 0, 0, "", ""},
                         {"", 0, 0, "", ""},
                         {"baixaCC", 0, 0, "", ""}});
}

// Six layouts switch the decimal separator off; the others leave every setting as it was.
TEST(Folhamatic, OnlySixLayoutsSwitchTheSeparatorOff) {
  const std::set<std::string> desligam = {"folha",       "invent-E303", "invent-E010",
                                          "invent-E604", "invent-E605", "invent-E600.999"};
  for (const std::string& nome : clProdutos::LayoutsDoProduto("Folhamatic")) {
    SCOPED_TRACE(nome);
    clLayoutReg l;
    l.nomeRegistro = nome;
    l.separaCasasDecimais = true;
    l.espacoNosNumerosVazios = true;
    l.separadorCasasDecimais = ".";
    l.CompoeLayout("Folhamatic", nome);
    ASSERT_FALSE(l.campos().empty());
    EXPECT_EQ(l.separaCasasDecimais, !desligam.contains(nome));
    const std::string resto = "espacoNosNumerosVazios separadorCasasDecimais=.";
    EXPECT_EQ(teste::AjustesDiferentes(l),
              desligam.contains(nome) ? resto : "separaCasasDecimais " + resto);
    for (const auto& c : l.campos()) {
      EXPECT_FALSE(c->configuracaoParticular) << c->nome;
      EXPECT_EQ(c->alinhamento, "") << c->nome;
      EXPECT_TRUE(c->tipo == "S" || c->tipo == "N") << c->nome;
    }
  }
  EXPECT_EQ(clProdutos::LayoutsDoProduto("Folhamatic").size(), 14U);
}

TEST(Folhamatic, IrregularRows) {
  // A field named like the layout's own name member is only a field.
  auto e001 = teste::Compoe("Folhamatic", "invent-E001");
  e001->InformaValor("nomeRegistro", "E001");
  EXPECT_EQ(e001->nomeRegistro, "invent-E001");
  EXPECT_EQ(e001->ExpandeLayout(), "E0010000" + std::string(7, ' '));

  auto e010 = teste::Compoe("Folhamatic", "invent-E010");
  EXPECT_EQ(e010->campos()[40]->nome + " " + e010->campos()[41]->nome,
            "DataFimContforn DataIniContForn");
  EXPECT_TRUE(teste::Compoe("Folhamatic", "invent-E600.999")->ExisteCampo("numeroFinallNota"));
  EXPECT_TRUE(teste::Compoe("Folhamatic", "invent-E604")->ExisteCampo("tipoInsidencia"));
  auto e302 = teste::Compoe("Folhamatic", "invent-E302");
  EXPECT_EQ(e302->LocalizaCampo("numeroInicialNota")->tipo, "S");
  EXPECT_EQ(e302->LocalizaCampo("numeroFinalNota")->tipo, "N");
  // Amounts and rates written as text, without decimals.
  auto e603 = teste::Compoe("Folhamatic", "invent-E603");
  for (const auto& c : e603->campos()) {
    EXPECT_EQ(c->tipo + std::to_string(c->decimais), "S0") << c->nome;
  }
  EXPECT_EQ(teste::Compoe("Folhamatic", "lancamentos")->LocalizaCampo("valorCCDeb")->tipo, "S");
}

// Writes `valores` into `l`, checks the record's text from the columns in `esperado`, reads the
// record into `lido` (composed alike), which must hold `relidos` and write the same record.
void IdaEVolta(clLayoutReg& l, clLayoutReg& lido, const std::map<std::string, std::string>& valores,
               const std::map<int, std::string>& esperado,
               const std::map<std::string, std::string>& relidos) {
  for (const auto& [campo, valor] : valores) ASSERT_TRUE(l.InformaValor(campo, valor)) << campo;
  const std::string r = l.ExpandeLayout();
  EXPECT_EQ(ContaCaracteres(r), static_cast<std::size_t>(l.TamanhoRegistro()));
  for (const auto& [coluna, texto] : esperado) {
    EXPECT_EQ(Colunas(r, coluna, static_cast<int>(ContaCaracteres(texto))), texto) << coluna;
  }
  ASSERT_TRUE(lido.PreencheLayoutApartirLinha(r));
  for (const auto& [campo, valor] : relidos) {
    EXPECT_EQ(Apara(lido.pegaValor(campo)), valor) << campo;
  }
  EXPECT_EQ(lido.ExpandeLayout(), r);
}

TEST(Folhamatic, RoundTripOfEachFamily) {
  IdaEVolta(*teste::Compoe("Folhamatic", "lancamentos"),
            *teste::Compoe("Folhamatic", "lancamentos"),
            {{"contaDeb", "1.1.2"},
             {"valor", "152070"},
             {"data", "31/01/2024"},
             {"complHistPadr", "Depósito do mês"},
             {"valorCCDeb", "1520,70"},
             {"numeroArquivamento", "ARQ-1"}},
            {{47, "00000015207031/01/2024"},
             {75, "Depósito do mês "},
             {278, "1520,70 "},
             {333, "ARQ-1     "}},
            {{"complHistPadr", "Depósito do mês"}, {"valorCCDeb", "1520,70"}, {"valor", "152070"}});

  // The payroll event switches the separator off even where it was on: decimals are implied.
  clLayoutReg folha;
  folha.separaCasasDecimais = true;
  folha.CompoeLayout("Folhamatic", "folha");
  IdaEVolta(folha, *teste::Compoe("Folhamatic", "folha"),
            {{"codFunc", "123"},
             {"codEvento", "45"},
             {"referencia", "1,5"},
             {"valor", "1234,5"},
             {"data", "31012024"},
             {"valUnit", "12,3456"}},
            {{1,
              "000123"
              "0045"
              "00000001500000"
              "  "
              "00000000123450"
              "31012024"
              "00000000123456"}},
            {{"referencia", "1,500000"}, {"valor", "1234,50"}, {"valUnit", "12,3456"}});

  IdaEVolta(*teste::Compoe("Folhamatic", "invent-E303"),
            *teste::Compoe("Folhamatic", "invent-E303"),
            {{"nomeRegistro", "E303"},
             {"entradaSaida", "E"},
             {"cfop", "1102"},
             {"codigoProduto", "AÇÚCAR-01"},
             {"quantidade", "12,5"},
             {"valor", "987,65"},
             {"bcRetencao", "0,01"}},
            {{1, "E303E "},
             {49, "1102"},
             {57, "AÇÚCAR-01     0000000001250000000000098765"},
             {163, "00000000000001"}},
            {{"quantidade", "12,500"},
             {"valor", "987,65"},
             {"codigoProduto", "AÇÚCAR-01"},
             {"nomeRegistro", "E303"}});

  IdaEVolta(*teste::Compoe("Folhamatic", "fisc-E223"), *teste::Compoe("Folhamatic", "fisc-E223"),
            {{"nomeRegistro", "E223"},
             {"especie", "NF-e"},
             {"numNF", "4567"},
             {"codFornecedor", "Posto São João"},
             {"numOrdemItem", "2"},
             {"numTanque", "T1"},
             {"qt", "1500,25"}},
            {{1, "E223NF-e "}, {15, "0000004567Posto São João      002T1 00000001500250"}},
            {{"qt", "1500,250"}, {"codFornecedor", "Posto São João"}, {"numNF", "4567"}});
}

}  // namespace
}  // namespace lumbrava
