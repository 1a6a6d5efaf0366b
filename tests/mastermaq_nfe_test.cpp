#include <gtest/gtest.h>

#include <map>
#include <string>

#include "common/texto.h"
#include "layouts/catalogue/composicao.h"
#include "tests/figuras.h"

namespace lumbrava::catalogo {
extern const Compositor CompoeNFeRPS;
}

namespace lumbrava {
namespace {

// The record's characters from column `inicio` (from 1), `quantas` of them.
std::string Colunas(const std::string& registro, int inicio, int quantas) {
  return std::string(
      Subtexto(registro, static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(quantas)));
}

std::unique_ptr<clLayoutReg> CompoeRecibo(const std::string& registro) {
  auto l = std::make_unique<clLayoutReg>();
  l->nomeRegistro = registro;
  catalogo::Compoe(catalogo::CompoeNFeRPS, *l, registro);
  return l;
}

TEST(MastermaqNFe, FiguresOfEveryLayout) {
  teste::ConfereFiguras("Mastermaq", {{"lancamentos", 18, 220, "data", "docAux"},
                                      {"duplicatas", 36, 418, "tipoBaixa", "numDupl2"},
                                      {"Lancamentos", 0, 0, "", ""},
                                      {"lancamentos ", 0, 0, "", ""},
                                      {" duplicatas", 0, 0, "", ""},
                                      {"lancamentosNovo", 0, 0, "", ""}});
  teste::ConfereFiguras("Makrosystem", {{"lancamentos", 13, 360, "Data", "filialCred"},
                                        {"duplicatas", 0, 0, "", ""},
                                        {"LANCAMENTOS", 0, 0, "", ""}});
  teste::ConfereFiguras("Nasajon", {{"lancamentos", 7, 111, "Data", "Indicador"},
                                    {"lancamentosNovo", 11, 231, "Data", "Participante"},
                                    {"folha", 12, 75, "codFuncionario", "identificacaoDependente"},
                                    {"duplicatas", 0, 0, "", ""},
                                    {"lancamentosnovo", 0, 0, "", ""},
                                    {"folha ", 0, 0, "", ""}});
  teste::ConfereFiguras("NFe", {{"cabecalho", 6, 30, "tipoReg", "charFinal"},
                                {"detalhe", 69, 2374, "tipoReg", "charFinal"},
                                {"rodape", 7, 70, "tipoReg", "charFinal"},
                                {"detalhe-int", 0, 0, "", ""},
                                {"Detalhe", 0, 0, "", ""},
                                {"detalhe ", 0, 0, "", ""},
                                {"", 0, 0, "", ""}});
}

// The receipt file has no system identifier; its composer is run directly.
TEST(MastermaqNFe, ReceiptFile) {
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
  } casos[] = {{"cabecalho", 6, 30}, {"detalhe", 26, 1439}, {"detalhe-int", 5, 99},
               {"rodape", 0, 0},     {" detalhe", 0, 0},    {"Detalhe-int", 0, 0}};
  for (const auto& c : casos) {
    auto l = CompoeRecibo(c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    EXPECT_EQ(teste::AjustesDiferentes(*l), "") << c.nome;
  }
  // Both files open with the same header.
  auto nfe = teste::Compoe("NFe", "cabecalho");
  auto rps = CompoeRecibo("cabecalho");
  for (clLayoutReg* l : {nfe.get(), rps.get()}) {
    for (const char* campo : {"tipoReg", "versao", "inscMun", "dataInicio", "dataFim"}) {
      EXPECT_TRUE(l->InformaValor(campo, "7"));
    }
    l->InformaValor("charFinal", "\\n");
  }
  EXPECT_EQ(rps->ExpandeLayout(), "7007000000077       7       \\n");
  EXPECT_EQ(nfe->ExpandeLayout(), rps->ExpandeLayout());
  // Where the receipt differs from the invoice.
  auto recibo = CompoeRecibo("detalhe");
  EXPECT_EQ(recibo->LocalizaCampo("codServ")->tipo + recibo->LocalizaCampo("aliq")->tipo, "SS");
  EXPECT_TRUE(recibo->ExisteCampo("insEstTom") && !recibo->ExisteCampo("inscEstTom"));
  EXPECT_FALSE(recibo->ExisteCampo("charFinal"));
  auto nota = teste::Compoe("NFe", "detalhe");
  EXPECT_EQ(nota->LocalizaCampo("aliq")->tipo, "N");
  for (const auto& c : nota->campos()) EXPECT_EQ(c->decimais, 0) << c->nome;
}

// Mastermaq's amounts are written with a full stop; Nasajon's pay item gets number settings
// that its text never uses. No other field has settings of its own, and no layout-wide setting
// changes.
TEST(MastermaqNFe, OnlyTheNamedFieldsCarrySettingsOfTheirOwn) {
  const std::map<std::string, std::string> proprios = {
      {"Mastermaq lancamentos", "valor"},
      {"Mastermaq duplicatas", "conteudoVen conteudoVal valorPis valorCofins contriSocial"},
      {"Nasajon folha", "codRubrica"},
      {"Makrosystem lancamentos", ""},
      {"Nasajon lancamentos", ""},
      {"Nasajon lancamentosNovo", ""}};
  for (const auto& [chave, esperado] : proprios) {
    SCOPED_TRACE(chave);
    const auto espaco = chave.find(' ');
    auto l = teste::Compoe(chave.substr(0, espaco), chave.substr(espaco + 1));
    std::string achados;
    for (const auto& c : l->campos()) {
      if (!c->configuracaoParticular) continue;
      achados += (achados.empty() ? "" : " ") + c->nome;
      const bool ponto = chave != "Nasajon folha";
      EXPECT_EQ(c->separaCasasDecimais, ponto);
      EXPECT_EQ(c->espacoNosNumerosVazios && c->espacoAdireitaNumeros, !ponto);
      EXPECT_EQ(c->separadorCasasDecimais, ponto ? "." : "");
      EXPECT_FALSE(c->separadorNoFinalDeCadaCampo || c->semFormatacao);
    }
    EXPECT_EQ(achados, esperado);
    EXPECT_EQ(teste::AjustesDiferentes(*l), "");
  }
  // The numeric filler keeps the layout's settings: no separator.
  const std::string r = teste::Compoe("Mastermaq", "duplicatas")->ExpandeLayout();
  EXPECT_EQ(Colunas(r, 83, 15), "000000000000.00");
  EXPECT_EQ(Colunas(r, 115, 5), "00000");
}

// "E" is kept as given and pads like no alignment; "D" puts the blanks first.
TEST(MastermaqNFe, AlignmentTexts) {
  auto dup = teste::Compoe("Mastermaq", "duplicatas");
  for (const char* nome : {"chaveNumNota", "conteudoDup", "chave2NumNota"}) {
    EXPECT_EQ(dup->LocalizaCampo(nome)->alinhamento, "E") << nome;
    dup->InformaValor(nome, "12345");
  }
  for (const char* nome : {"chaveCodCliente", "chave2CodCliente"}) {
    EXPECT_EQ(dup->LocalizaCampo(nome)->alinhamento, "D") << nome;
    dup->InformaValor(nome, " C-77 ");
  }
  const std::string r = dup->ExpandeLayout();
  EXPECT_EQ(Colunas(r, 6, 40), "12345" + std::string(31, ' ') + "C-77");
  EXPECT_EQ(Colunas(r, 67, 15), "12345" + std::string(10, ' '));
  EXPECT_EQ(Colunas(r, 328, 40), "12345" + std::string(31, ' ') + "C-77");

  auto folha = teste::Compoe("Nasajon", "folha");
  EXPECT_EQ(folha->LocalizaCampo("codRubrica")->alinhamento, "E");
  folha->InformaValor("codRubrica", "0012");
  folha->InformaValor("identificacaoDependente", "3");
  const std::string linha = folha->ExpandeLayout();
  EXPECT_EQ(Colunas(linha, 26, 12), " 0012       ");
  EXPECT_EQ(Colunas(linha, 71, 5), "3    ");
}

// Writes `valores` into `l`, checks the record's text from the columns in `esperado`, reads the
// record into `lido` (composed alike), which must hold `relidos` and write the same record.
void IdaEVolta(const std::unique_ptr<clLayoutReg>& l, const std::unique_ptr<clLayoutReg>& lido,
               const std::map<std::string, std::string>& valores,
               const std::map<int, std::string>& esperado,
               const std::map<std::string, std::string>& relidos) {
  for (const auto& [campo, valor] : valores) ASSERT_TRUE(l->InformaValor(campo, valor)) << campo;
  const std::string r = l->ExpandeLayout();
  EXPECT_EQ(ContaCaracteres(r), static_cast<std::size_t>(l->TamanhoRegistro()));
  for (const auto& [coluna, texto] : esperado) {
    EXPECT_EQ(Colunas(r, coluna, static_cast<int>(ContaCaracteres(texto))), texto) << coluna;
  }
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  for (const auto& [campo, valor] : relidos)
    EXPECT_EQ(Apara(lido->pegaValor(campo)), valor) << campo;
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

TEST(MastermaqNFe, RoundTripOfOneLayoutOfEachSystem) {
  IdaEVolta(teste::Compoe("Mastermaq", "lancamentos"), teste::Compoe("Mastermaq", "lancamentos"),
            {{"data", "31012024"},
             {"valor", "-1520,7"},
             {"compl", "Depósito em conta"},
             {"docAux", "AUX-9"}},
            {{51, "-0000001520.70"}, {68, "Depósito em conta "}, {171, "AUX-9 "}},
            {{"valor", "-1520,70"}, {"compl", "Depósito em conta"}, {"data", "31012024"}});
  IdaEVolta(teste::Compoe("Makrosystem", "lancamentos"),
            teste::Compoe("Makrosystem", "lancamentos"),
            {{"numLanc", "42"},
             {"valor", "152070"},
             {"complemento", "Depósito nº 7 – ação"},
             {"filialCred", "02"}},
            {{9, "000042"}, {90, "00000000152070"}, {107, "Depósito nº 7 – ação "}, {357, "  02"}},
            {{"complemento", "Depósito nº 7 – ação"}, {"valor", "152070"}});
  IdaEVolta(teste::Compoe("Nasajon", "lancamentosNovo"),
            teste::Compoe("Nasajon", "lancamentosNovo"),
            {{"ContaCrédito", "2101"},
             {"Centrocusto", "CC-Administração"},
             {"Histórico", "Depósito bancário"},
             {"Valor", "98,76"},
             {"Participante", "João"}},
            {{21, "2101 "},
             {37, "CC-Administração    Depósito bancário "},
             {107, "00000000009876"},
             {202, "João "}},
            {{"Histórico", "Depósito bancário"}, {"ContaCrédito", "2101"}, {"Valor", "98,76"}});
  IdaEVolta(teste::Compoe("NFe", "detalhe"), teste::Compoe("NFe", "detalhe"),
            {{"numNf", "1234"},
             {"valorServ", "150000"},
             {"cargaTributPorcent", "13,5"},
             {"reserved", "R"},
             {"discriServ", "Consultoria em gestão"},
             {"charFinal", "*|"}},
            {{1, "000001234"},
             {448, "000000000150000"},
             {1127, "13,5 "},
             {1173, "R "},
             {1373, "Consultoria em gestão "},
             {2373, "*|"}},
            {{"discriServ", "Consultoria em gestão"}, {"cargaTributPorcent", "13,5"}});
  IdaEVolta(CompoeRecibo("detalhe"), CompoeRecibo("detalhe"),
            {{"numRPS", "77"}, {"valorISS", "9"}, {"discriServ", "Manutenção"}},
            {{12, "000000000077"}, {71, " 9"}, {441, "Manutenção "}},
            {{"discriServ", "Manutenção"}, {"valorISS", "9"}});
}

}  // namespace
}  // namespace lumbrava
