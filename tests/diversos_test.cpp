#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

constexpr const char* kSepaPonto = "separaCasasDecimais separadorCasasDecimais=.";

TEST(Diversos, FiguresOfEveryLayout) {
  teste::ConfereFiguras(
      "Datavale", {{"lancamentos", 15, 230, "nEmpresa", "ccCred"}, {"Lancamentos", 0, 0, "", ""}});
  teste::ConfereFiguras(
      "Copan",
      {{"lancamentos-cabecalho", 10, 60, "identificacao", "datFin", "espacoNosNumerosVazios"},
       {"lancamentos-lct01", 9, 42, "identificacao", "codPlano", "espacoNosNumerosVazios"},
       {"lancamentos-lct02", 9, 60, "identificacao", "indValor", "espacoNosNumerosVazios"},
       {"Lancamentos-lct01", 0, 0, "", ""},
       {"lancamentos", 0, 0, "", ""}});
  teste::ConfereFiguras("Asplan", {{"lancamentos", 20, 328, "empresa", "idFimpm"},
                                   {"folha", 7, 37, "codigoEmpresa", "valor"},
                                   {"folhaDePagamento", 0, 0, "", ""}});
  teste::ConfereFiguras(
      "Alterdata", {{"lancamentos", 8, 360, "codAuto", "sequencia"},
                    {"CClancamentos", 4, 116, "codigoConta", "origem"},
                    {"folhaDePagamento", 13, 86, "sequencial", "PIS"},
                    {"folhaDePagamentoPlanSaude", 8, 38, "cnpjOperadora", "formaApuracaoOutras"},
                    {"inventarioHeader", 4, 18, "tipo", "dtFinal"},
                    {"inventario", 23, 538, "tipo", "unidProd"},
                    {"cclancamentos", 0, 0, "", ""},
                    {"folhaDe", 0, 0, "", ""}});
  teste::ConfereFiguras(
      "Exactus", {{"lancamentos", 21, 180, "contaDeb", "loteCred"}, {"moedas", 0, 0, "", ""}});
  teste::ConfereFiguras("InfoBanc", {{"lancamentos", 6, 162, "data", "hp"},
                                     {"lancamentosExpandido", 6, 172, "data", "hp"},
                                     {"moedas", 11, 102, "data", "formaEntrega"},
                                     {"lancamentosexpandido", 0, 0, "", ""},
                                     {"Moedas", 0, 0, "", ""}});
  teste::ConfereFiguras("JB", {{"lancamentos", 20, 388, "identificacao", "insEstadualEmpresa"},
                               {"cc", 9, 88, "identificacao", "insEstadualEmpresa"},
                               {"duplicatas", 12, 212, "identificacao", "insEstadualEmpresa"},
                               {"baixa", 11, 85, "identificacao", "insEstadualEmpresa"},
                               {"CC", 0, 0, "", ""},
                               {"", 0, 0, "", ""}});
  teste::ConfereFiguras("SIBRAX", {{"lancamentos", 8, 87, "documento", "historico"}});
  teste::ConfereFiguras("SIECON", {{"LANCAMENTO", 5, 1064, "codLancamento", "fimReg"},
                                   {"PARTIDAS", 7, 1181, "codLancamento", "fimDoReg", kSepaPonto},
                                   {"lancamento", 0, 0, "", ""},
                                   {"LANCAMENTOS", 0, 0, "", ""},
                                   {"Partidas", 0, 0, "", ""}});
  teste::ConfereFiguras("Calima", {{"cabecalho-calima", 7, 252, "registro", "descricao"},
                                   {"lancamentos-calima", 12, 597, "registro", "lote"},
                                   {"lancamentos", 0, 0, "", ""},
                                   {"cabecalho", 0, 0, "", ""}});
  teste::ConfereFiguras("Sankhya", {{"lancamentos-sankhya", 15, 270, "numLote", "codProj"},
                                    {"lancamentos", 0, 0, "", ""}});
  teste::ConfereFiguras("MMBuilders", {{"lancamentos-mmbuilders", 10, 176, "data", "complemento"},
                                       {"lancamentos-MMBuilders", 0, 0, "", ""}});
  teste::ConfereFiguras("Athenas3000", {{"lancamentos-athenas3000", 6, 168, "data", "complemento"},
                                        {"lancamentos-sankhya", 0, 0, "", ""}});
  teste::ConfereFiguras("Sofolha", {{"mestre", 7, 55, "fixo0001", "codOrigem"},
                                    {"lancamentos2100", 9, 554, "fixo2100", "lctoGerencial"},
                                    {"lancamentos2102", 5, 310, "fixo2102", "complemento"},
                                    {"lancamentos", 0, 0, "", ""},
                                    {"Mestre", 0, 0, "", ""}});
  teste::ConfereFiguras("Linx", {{"lote", 4, 40, "id", "empresa"},
                                 {"lancamentos", 11, 467, "id", "doc"},
                                 {"Lote", 0, 0, "", ""}});
  teste::ConfereFiguras("Senior", {{"lancamentos", 11, 328, "codigoEmpresa", "historico"},
                                   {"Lancamentos", 0, 0, "", ""}});
  teste::ConfereFiguras("PHSoftwares", {{"lancamentos", 30, 398, "data", "reservado"},
                                        {" lancamentos", 0, 0, "", ""},
                                        {"lancamentos ", 0, 0, "", ""}});
  teste::ConfereFiguras("SIAC", {{"lancamentos", 15, 158, "conta", "sistema"}});
  teste::ConfereFiguras("Aliare", {{"cabec", 4, 32, "cabec", "dataLctoContab"},
                                   {"lctoContaContab", 7, 294, "tipoLanc", "complHP"},
                                   {"lctoCC", 3, 31, "temDesdobCC", "valorDesdob"},
                                   {"lctoCorrentista", 3, 33, "correntista", "valor"},
                                   {"lctocc", 0, 0, "", ""}});
  teste::ConfereFiguras("Agrotis",
                        {{"lcto", 18, 401, "ctDebito", "branco"}, {"Lcto", 0, 0, "", ""}});
  teste::ConfereFiguras("Agrosys", {{"lcto", 7, 82, "unidade", "compl"}, {"lcto ", 0, 0, "", ""}});
  teste::ConfereFiguras(
      "Contabit", {{"lancamentos", 8, 189, "transacao", "complemento", "espacoNosNumerosVazios"}});
  teste::ConfereFiguras("Solution", {{"lancamentos", 12, 196, "vazio1", "filial", kSepaPonto},
                                     {"Lancamentos", 0, 0, "", ""}});
}

// Every layout a composer knows is listed, so the catalogue hands it out.
TEST(Diversos, ListsHoldEveryLayoutTheComposersKnow) {
  const std::pair<const char*, std::size_t> listas[] = {
      {"Datavale", 1}, {"Copan", 3},    {"Asplan", 2},      {"Alterdata", 6},     {"DIMOB", 4},
      {"Exactus", 1},  {"InfoBanc", 3}, {"JB", 4},          {"SIBRAX", 1},        {"SIECON", 2},
      {"Calima", 2},   {"Sankhya", 1},  {"MMBuilders", 1},  {"Athenas3000", 1},   {"Sofolha", 3},
      {"Linx", 2},     {"Senior", 1},   {"PHSoftwares", 1}, {"Grupo Módulos", 2}, {"Engenho", 2},
      {"Líder W", 2},  {"SIAC", 1},     {"Aliare", 4},      {"Agrotis", 1},       {"Agrosys", 1},
      {"Contabit", 1}, {"Solution", 1}};
  for (const auto& [sistema, quantos] : listas) {
    EXPECT_EQ(clProdutos::LayoutsDoProduto(sistema).size(), quantos) << sistema;
  }
  EXPECT_EQ(clProdutos::LayoutsDoProduto("Aliare"),
            (std::vector<std::string>{"cabec", "lctoContaContab", "lctoCC", "lctoCorrentista"}));
  EXPECT_TRUE(clProdutos::LayoutsDoProduto("Grupo Modulos").empty());
}

// Settings that a layout writes replace what it held; a name the composer does not know changes
// nothing.
TEST(Diversos, LayoutSettingsAreWrittenOnlyByAKnownLayout) {
  const auto composto = [](const char* sistema, const char* nome) {
    auto l = std::make_unique<clLayoutReg>();
    l->virgulasNosNumericos = l->separaCasasDecimais = l->espacoNosNumerosVazios = true;
    l->CompoeLayout(sistema, nome);
    return l;
  };
  auto asplan = composto("Asplan", "lancamentos");
  EXPECT_FALSE(asplan->separaCasasDecimais);
  EXPECT_TRUE(asplan->virgulasNosNumericos && asplan->espacoNosNumerosVazios);
  auto folha = composto("Asplan", "folha");
  EXPECT_FALSE(folha->virgulasNosNumericos || folha->espacoNosNumerosVazios);
  EXPECT_TRUE(folha->separaCasasDecimais);
  auto alterdata = composto("Alterdata", "folhaDePagamento");
  EXPECT_FALSE(alterdata->virgulasNosNumericos);
  EXPECT_TRUE(composto("Alterdata", "folhaDePagamentoPlanSaude")->virgulasNosNumericos);
  for (const auto& [sistema, nome] : std::vector<std::pair<const char*, const char*>>{
           {"Asplan", "Folha"}, {"Alterdata", "FolhaDePagamento"}, {"Solution", "lancamento"}}) {
    auto l = composto(sistema, nome);
    EXPECT_TRUE(l->campos().empty() && l->virgulasNosNumericos && l->separaCasasDecimais &&
                l->espacoNosNumerosVazios)
        << sistema << " " << nome;
    EXPECT_EQ(l->separadorCasasDecimais, ",");
  }
}

// Own settings land on the named fields alone.
TEST(Diversos, FieldSettingsLandOnTheNamedFieldsOnly) {
  const struct {
    const char* sistema;
    const char* layout;
    std::vector<std::string> campos;
    bool separa;
    bool vazios;
    const char* separador;
    bool noFinal;
  } casos[] = {
      {"Asplan", "lancamentos", {"nDoc"}, false, true, "", false},
      {"Calima", "lancamentos-calima", {"valor"}, true, false, ".", false},
      {"Athenas3000",
       "lancamentos-athenas3000",
       {"valor", "contaDeb", "contaCred", "hp"},
       false,
       true,
       "",
       false},
      {"Sofolha", "lancamentos2100", {"valor"}, true, false, ".", false},
      {"Sofolha", "lancamentos2102", {"valor"}, false, false, ".", false},
      {"Senior", "lancamentos", {"valor"}, true, false, ",", true},
      {"PHSoftwares", "lancamentos", {"valor"}, true, false, ".", true},
      {"Agrotis", "lcto", {"valor"}, true, false, ",", false},
      {"Contabit", "lancamentos", {"valor"}, true, true, ",", false},
      {"MMBuilders", "lancamentos-mmbuilders", {}, false, false, "", false},
      {"Agrosys", "lcto", {}, false, false, "", false},
      {"Solution", "lancamentos", {}, false, false, "", false},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe(c.sistema, c.layout);
    for (const auto& f : l->campos()) {
      SCOPED_TRACE(std::string(c.sistema) + " " + c.layout + " " + f->nome);
      const bool proprio = std::find(c.campos.begin(), c.campos.end(), f->nome) != c.campos.end();
      EXPECT_EQ(f->configuracaoParticular, proprio);
      if (!proprio) continue;
      EXPECT_EQ(f->separaCasasDecimais, c.separa);
      EXPECT_EQ(f->espacoNosNumerosVazios, c.vazios);
      EXPECT_FALSE(f->espacoAdireitaNumeros || f->semFormatacao);
      EXPECT_EQ(f->separadorCasasDecimais, c.separador);
      EXPECT_EQ(f->separadorNoFinalDeCadaCampo, c.noFinal);
    }
  }
}

// Type texts that the layouts store otherwise than they pass them, and the right-aligned texts.
TEST(Diversos, IrregularTypesAndAlignments) {
  const struct {
    const char* sistema;
    const char* layout;
    const char* campo;
  } comDecimais[] = {{"Alterdata", "lancamentos", "valorLancamento"},
                     {"Alterdata", "CClancamentos", "valorCC"},
                     {"Calima", "lancamentos-calima", "valor"},
                     {"Senior", "lancamentos", "valor"},
                     {"Aliare", "cabec", "valorContab"},
                     {"Aliare", "lctoContaContab", "valorLcto"},
                     {"Aliare", "lctoCC", "valorDesdob"},
                     {"Aliare", "lctoCorrentista", "valor"}};
  for (const auto& c : comDecimais) {  // passed as text with 2 decimals
    auto l = teste::Compoe(c.sistema, c.layout);
    const clLayoutCpo* f = l->LocalizaCampo(c.campo);
    ASSERT_NE(f, nullptr) << c.campo;
    EXPECT_EQ(f->tipo, "N") << c.sistema << " " << c.campo;
    EXPECT_EQ(f->decimais, 2) << c.sistema << " " << c.campo;
  }
  auto lancamentos = teste::Compoe("Exactus", "lancamentos");
  const clLayoutCpo* exactus = lancamentos->LocalizaCampo("valor");
  EXPECT_EQ(exactus->tipo, "N");
  EXPECT_EQ(exactus->decimais, 0);
  EXPECT_EQ(teste::Compoe("SIAC", "lancamentos")->LocalizaCampo("valor")->tipo, "S");
  auto moedas = teste::Compoe("InfoBanc", "moedas");
  const clLayoutCpo* taxa = moedas->LocalizaCampo("taxaFechamento");
  EXPECT_EQ(taxa->decimais, 6);
  EXPECT_EQ(taxa->tamanho, 8);

  const auto alinhados = [](const char* sistema, const char* layout) {
    std::vector<std::string> nomes;
    auto l = teste::Compoe(sistema, layout);
    for (const auto& f : l->campos()) {
      if (f->alinhamento == "D") nomes.push_back(f->nome);
    }
    return nomes;
  };
  using Nomes = std::vector<std::string>;
  EXPECT_EQ(alinhados("Alterdata", "inventario"),
            (Nomes{"classif", "unid", "codGrupo", "descGrupo", "codFornCli", "codProdRelDIPI",
                   "ctInventario", "obs", "tipo2", "unidProd"}));
  EXPECT_EQ(alinhados("Alterdata", "folhaDePagamento"), (Nomes{"CNPJEmpresa", "PIS"}));
  EXPECT_EQ(alinhados("Alterdata", "lancamentos"), Nomes{});
  EXPECT_EQ(alinhados("Aliare", "lctoContaContab"), (Nomes{"codContaCtbSiagri", "codHPSiagri"}));
  EXPECT_EQ(alinhados("Aliare", "lctoCC"), Nomes{"codCC"});
  EXPECT_EQ(alinhados("SIBRAX", "lancamentos"), Nomes{"valor"});
}

// Sankhya's numbers are typed "N'": each value is taken as a number, but the field is filled as
// text is, the number first and blanks after it; reading gives the columns back as text.
TEST(Diversos, SankhyaPrimedNumbersAreFilledAsText) {
  auto l = teste::Compoe("Sankhya", "lancamentos-sankhya");
  int primos = 0;
  for (const auto& f : l->campos()) {
    primos += f->tipo == "N'" ? 1 : 0;
    EXPECT_TRUE(f->tipo == "N'" || f->tipo == "S") << f->nome;
  }
  EXPECT_EQ(primos, 8);
  l->InformaValor("numLote", "42");
  l->InformaValor("numLanc", " -7 ");
  l->InformaValor("valorLanc", "1234,5");  // no decimals: rounded
  l->InformaValor("codHist", "1.520,00");
  l->InformaValor("numDoc", "123456789");  // exactly its 9 columns
  l->InformaValor("complemento", "Depósito");
  const std::string r = l->ExpandeLayout();
  EXPECT_EQ(r.substr(0, 11), "42         ");
  EXPECT_EQ(r.substr(11, 11), "-7         ");
  EXPECT_EQ(r.substr(73, 20), "1235                ");
  EXPECT_EQ(r.substr(93, 6), "1520  ");
  EXPECT_EQ(r.substr(50, 6), "      ");         // an empty one stays blank
  EXPECT_EQ(Subtexto(r, 251, 9), "123456789");  // after the accent: characters
  auto lido = teste::Compoe("Sankhya", "lancamentos-sankhya");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("numLote"), "42         ");
  EXPECT_EQ(lido->pegaValor("referencia"), "      ");
  EXPECT_EQ(lido->ExpandeLayout(), r);

  // Still numbers: what is not one, or does not fit, is refused and never cut.
  for (const char* v : {"123456789012", "abc", "1.520", "4 2"}) {
    l->InformaValor("numLote", v);
    EXPECT_THROW(l->ExpandeLayout(), ErroValor) << v;
  }
  l->InformaValor("numLote", "12345678901");
  EXPECT_EQ(l->ExpandeLayout().substr(0, 11), "12345678901");
  l->InformaValor("numLote", "-1234567890");
  EXPECT_EQ(l->ExpandeLayout().substr(0, 11), "-1234567890");
  l->InformaValor("numLote", "-12345678901");
  EXPECT_THROW(l->ExpandeLayout(), ErroValor);
}

// One layout of each system: a text with accents and a number are written at their columns and
// read back.
TEST(Diversos, OneLayoutOfEachSystemRoundTrips) {
  const struct {
    const char* sistema;
    const char* layout;
    const char* texto;
    int colunaTexto;  // where the text stands in the record (after any ";" written before it)
    const char* numero;
    const char* valor;
    int colunaNumero;
    const char* escrito;
    const char* lido;
  } casos[] = {
      {"Datavale", "lancamentos", "complhp", 21, "valor", "1234,56", 121, "000000000123456",
       "1234,56"},
      {"Copan", "lancamentos-lct01", "data", 8, "valor", "1234,56", 17, "        123456",
       "1234,56"},
      {"Asplan", "lancamentos", "descrHP", 109, "valor", "1234,56", 91, "00000000123456",
       "1234,56"},
      {"Alterdata", "lancamentos", "complementoHP", 141, "valorLancamento", "-1234,56", 121,
       "-00000000123456", "-1234,56"},
      {"Exactus", "lancamentos", "historico", 56, "valor", "1235", 85, "000000001235", "1235"},
      {"InfoBanc", "moedas", "descricao", 64, "taxaFechamento", "5,123456", 56, "05123456",
       "5,123456"},
      {"JB", "lancamentos", "deschp", 84, "empresa", "12", 3, "00012", "12"},
      {"SIBRAX", "lancamentos", "historico", 53, "centavos", "56", 37, "56", "56"},
      {"SIECON", "PARTIDAS", "hist", 181, "valor", "1234,56", 161, "00000000000001234.56",
       "1234,56"},
      {"Calima", "lancamentos-calima", "complHP", 60, "valor", "1234,56", 560, "000000001234.56",
       "1234,56"},
      {"MMBuilders", "lancamentos-mmbuilders", "complemento", 57, "valor", "1234,56", 39,
       "0000000123456", "1234,56"},
      {"Athenas3000", "lancamentos-athenas3000", "complemento", 49, "valor", "1234,56", 31,
       "       123456", "1234,56"},
      {"Sofolha", "lancamentos2100", "complemento", 54, "valor", "1234,56", 42, "000001234.56",
       "1234,56"},
      {"Linx", "lancamentos", "complhp", 21, "valor", "1234,56", 371, "000000123456", "1234,56"},
      {"Senior", "lancamentos", "historico", 80, "valor", "1234,56", 67, "000001234,56;",
       "1234,56"},
      {"PHSoftwares", "lancamentos", "complemento", 51, "valor", "1234,56", 25,
       "00000000001234.56;", "1234,56"},
      {"Grupo Módulos", "lancamentos", "complemento", 46, "valor", "1234,56", 31, "000000000123456",
       "1234,56"},
      {"Líder W", "lancamentos", "historico", 175, "valor", "1234,56", 97, "000000000000123456",
       "1234,56"},
      {"SIAC", "lancamentos", "complHP", 78, "valor", "1234,56", 122, "1234,56          ",
       "1234,56"},
      {"Aliare", "lctoContaContab", "complHP", 45, "valorLcto", "1234,56", 19, "0000000000123456",
       "1234,56"},
      {"Agrotis", "lcto", "historico", 63, "valor", "1234,56", 23, "00000001234,56", "1234,56"},
      {"Agrosys", "lcto", "compl", 43, "valor", "1234,56", 29, "00000000123456", "1234,56"},
      {"Contabit", "lancamentos", "complemento", 140, "valor", "1234,56", 106, "       1234,56",
       "1234,56"},
      {"Solution", "lancamentos", "complhp", 115, "valor", "1234,56", 55, "0000000001234.56",
       "1234,56"},
  };
  const std::string texto = "Depósito";
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.sistema) + " " + c.layout);
    auto l = teste::Compoe(c.sistema, c.layout);
    ASSERT_TRUE(l->InformaValor(c.texto, texto));
    ASSERT_TRUE(l->InformaValor(c.numero, c.valor));
    const std::string r = l->ExpandeLayout();
    const std::string escrito = c.escrito;
    EXPECT_EQ(Subtexto(r, static_cast<std::size_t>(c.colunaNumero - 1), ContaCaracteres(escrito)),
              escrito);
    EXPECT_EQ(Subtexto(r, static_cast<std::size_t>(c.colunaTexto - 1), 8), texto);

    auto lido = teste::Compoe(c.sistema, c.layout);
    ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
    EXPECT_EQ(Apara(lido->pegaValor(c.texto)), texto);
    EXPECT_EQ(Apara(lido->pegaValor(c.numero)), c.lido);
    EXPECT_EQ(lido->ExpandeLayout(), r);
  }
  // Blanks for the empty numbers where the layout asks for them; zeros elsewhere.
  auto copan = teste::Compoe("Copan", "lancamentos-cabecalho");
  EXPECT_EQ(copan->ExpandeLayout().substr(7, 10), std::string(10, ' '));
  auto asplan = teste::Compoe("Asplan", "folha");
  EXPECT_EQ(asplan->ExpandeLayout().substr(0, 4), "0000");
  // The value of SIBRAX is right-aligned text beside its cents.
  auto sibrax = teste::Compoe("SIBRAX", "lancamentos");
  sibrax->InformaValor("valor", "1234");
  EXPECT_EQ(sibrax->ExpandeLayout().substr(16, 20), std::string(16, ' ') + "1234");
}

}  // namespace
}  // namespace lumbrava
