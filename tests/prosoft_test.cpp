// Prosoft: the main composer, the products layout it builds on request and the financial-record
// composer that gets every other name and logs its errors.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/operador.h"
#include "common/registra_erro.h"
#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

// The characters of a record from column `inicio` (1-based), `tamanho` of them.
std::string Colunas(const std::string& registro, int inicio, int tamanho) {
  return std::string(
      Subtexto(registro, static_cast<std::size_t>(inicio - 1), static_cast<std::size_t>(tamanho)));
}

constexpr std::string_view kPonto = "separaCasasDecimais separadorCasasDecimais=.";

TEST(Prosoft, FiguresOfEveryLayout) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(gravador);
  teste::ConfereFiguras("Prosoft",
                        {
                            {"lancamentoLivroCaixa", 13, 209, "tipo", "hist"},
                            {"lancamento", 22, 448, "tipo", "branco2"},
                            {"LC2", 11, 342, "tipo", "branco"},
                            {"recibo-0", 10, 903, "tipoRegistro", "fillerT5"},
                            {"recibo-1", 13, 94, "tipoRegistro", "codigoTarefa"},
                            {"clientesFornecedores", 36, 624, "tipoRegistro", "endPrincipal"},
                            {"pontoEletronico", 6, 36, "empresa", "local"},
                            {"inventario", 22, 387, "dataInventario", "motivoInventario"},
                            {"produtos", 69, 674, "codigoDoProduto", "contaCTBcompras"},
                            {"fiscal", 67, 535, "tipoLivro", "codigoCTB"},
                            {"fiscal-SP", 113, 1286, "tipoLivro", "codIndiSupRetAdic"},
                            {"ecfMestre", 126, 7264, "DataMovimento", "Filler17"},
                            {"ecf", 15, 530, "DataCupom", "Brancos"},
                            {"f100", 20, 677, "tipoOperacao", "origemProcesso", kPonto},
                            {"ativos", 26, 322, "tipoRegistro", "valorResidual", kPonto},
                            {"saidas", 25, 2083, "especieDoc", "filler8", kPonto},
                            {"itensSaida", 19, 1605, "filler", "filler5", kPonto},
                            {"faturas", 37, 391, "origemFatura", "SPEDmodeloNF", kPonto},
                            {"servTomados", 86, 804, "numLivro", "aliqRetencao", kPonto},
                            {"dadosCartao", 7, 47, "data", "valor", kPonto},
                            {"inventarioNovo", 24, 403, "data", "vlUnit2"},
                            {"ficha", 324, 6966, "codEmpresa", "irPLRDataCred", kPonto},
                            {"fichaAtivos", 56, 654, "tipoRegistro", "valorDepreAcumDez", kPonto},
                            {"rpa", 45, 734, "codEmpresa", "sestSenai", kPonto},
                            // Known to neither composer: case, blanks, the empty name.
                            {"Lancamento", 0, 0, "", ""},
                            {"LANCAMENTO", 0, 0, "", ""},
                            {"lancamento ", 0, 0, "", ""},
                            {"Produtos", 0, 0, "", ""},
                            {"fiscal-sp", 0, 0, "", ""},
                            {"ServTomados", 0, 0, "", ""},
                            {" servTomados", 0, 0, "", ""},
                            {"Ficha", 0, 0, "", ""},
                            {"", 0, 0, "", ""},
                        });
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST(Prosoft, ListHoldsTheNamesOfBothComposersInTheirOrder) {
  const auto nomes = clProdutos::LayoutsDoProduto("Prosoft");
  ASSERT_EQ(nomes.size(), 24U);
  EXPECT_EQ(nomes[8], "produtos");
  EXPECT_EQ(nomes[17], "faturas");  // the main composer's last
  EXPECT_EQ(nomes[18], "servTomados");
  EXPECT_EQ(nomes[23], "rpa");
  const std::string lista = clProdutos::ObtemRelacaoLayoutsProduto("Prosoft");
  EXPECT_NE(lista.back(), ',');
}

// Columns, decimals and types of the rows that are not what their neighbours suggest.
TEST(Prosoft, IrregularRows) {
  const struct {
    const char* layout;
    const char* campo;
    int inicio, fim, decimais;
    const char* tipo;
  } casos[] = {
      {"lancamento", "valor", 117, 132, 2, "N"},
      {"lancamentoLivroCaixa", "valor", 74, 89, 2, "N"},  // passed as "S"
      {"lancamentoLivroCaixa", "hist", 90, 209, 0, "S"},
      {"recibo-0", "fillerT3", 38, 709, 0, "S"},
      {"inventario", "codigoProdutoEmpresa", 17, 36, 0, "S"},
      {"fiscal", "codigoServico", 23, 26, 0, "Sd"},
      {"fiscal", "codigoservicos", 410, 421, 0, "Sd"},
      {"fiscal-SP", "codigoservicos", 730, 741, 0, "S"},
      {"fiscal", "especie", 283, 285, 0, "S"},
      {"fiscal-SP", "especie", 311, 315, 0, "S"},
      {"fiscal-SP", "aliqPIS", 0, 0, 4, "N"},
      {"fiscal", "aliquotaPISpct", 0, 0, 2, "N"},
      {"fiscal-SP", "CEIObra", 0, 0, 2, "N"},
      {"fiscal-SP", "aliquotaISSQN", 0, 0, 0, "S"},
      {"ecfMestre", "TotGeralInicial", 173, 189, 2, "N"},
      {"ecfMestre", "SitEspecial1", 739, 741, 0, "N"},
      {"ecfMestre", "ReducaoBaseCalc1", 1539, 2338, 0, "N"},
      {"ecfMestre", "ReducaoBaseCalc7", 6339, 7138, 0, "N"},
      {"ecfMestre", "ObsMapaResumo", 7164, 7263, 0, "S"},
      {"ecf", "ValorCupom", 23, 36, 2, "N"},
      {"ecf", "CNPJCPF", 60, 73, 0, "S"},
      {"f100", "baseCalculoPis", 60, 73, 4, "N"},
      {"f100", "descricaoDocumentoOperacao", 257, 656, 0, ""},
      {"ativos", "valorAquisicao", 154, 169, 2, "N"},
      {"ativos", "valorResidual", 307, 322, 0, "S"},
      {"saidas", "filler6", 275, 733, 0, "S"},
      {"saidas", "filler8", 1037, 2083, 0, "S"},
      {"itensSaida", "precoUn", 79, 92, 6, "N"},
      {"itensSaida", "filler5", 595, 1605, 0, "S"},
      {"faturas", "porcentJurosMes", 294, 299, 2, "N"},
      {"produtos", "aliquotaICMSopInternas", 118, 122, 2, "N"},
      {"produtos", "medicamentoReferenciaBaseCálculo", 0, 0, 0, "S"},
      {"servTomados", "serie", 30, 32, 0, "S"},
      {"dadosCartao", "valor", 34, 47, 2, "N"},
      {"inventarioNovo", "qt", 79, 94, 6, "N"},
      {"fichaAtivos", "taxaAplicSaldo", 31, 38, 4, "N"},
      {"fichaAtivos", "taxaAplicJan", 39, 46, 0, "S"},
      {"fichaAtivos", "valorDepreAcumDez", 639, 654, 0, "S"},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(std::string(c.layout) + " " + c.campo);
    auto l = teste::Compoe("Prosoft", c.layout);
    const clLayoutCpo* campo = l->LocalizaCampo(c.campo);
    ASSERT_NE(campo, nullptr);
    EXPECT_EQ(campo->nome, c.campo);
    if (c.inicio > 0) {
      EXPECT_EQ(campo->inicio, c.inicio);
      EXPECT_EQ(campo->fim, c.fim);
    }
    EXPECT_EQ(campo->decimais, c.decimais);
    if (*c.tipo != '\0') {
      EXPECT_EQ(campo->tipo, c.tipo);
    }
  }
  // The one aligned field of the financial records.
  for (const char* layout :
       {"servTomados", "dadosCartao", "inventarioNovo", "ficha", "fichaAtivos", "rpa"}) {
    auto l = teste::Compoe("Prosoft", layout);
    for (const auto& c : l->campos()) {
      const bool serie = std::string(layout) == "servTomados" && c->nome == "serie";
      EXPECT_EQ(c->alinhamento, serie ? "D" : "") << layout << " " << c->nome;
    }
  }
  auto servicos = teste::Compoe("Prosoft", "servTomados");
  servicos->InformaValor("serie", "1");
  EXPECT_EQ(Colunas(servicos->ExpandeLayout(), 30, 3), "  1");
}

struct Proprias {
  const char* campo;
  bool separa, espacoVazios, espacoDireita;
  const char* separador;
  bool separadorFinal, semFormatacao;
};

// The named fields take their own settings, and no other field does.
void ConfereProprias(const std::string& layout, std::initializer_list<Proprias> proprias) {
  SCOPED_TRACE(layout);
  auto l = teste::Compoe("Prosoft", layout);
  std::size_t marcados = 0;
  for (const auto& c : l->campos()) {
    marcados += c->configuracaoParticular ? 1 : 0;
  }
  EXPECT_EQ(marcados, proprias.size());
  for (const Proprias& p : proprias) {
    const clLayoutCpo* c = l->LocalizaCampo(p.campo);
    ASSERT_NE(c, nullptr) << p.campo;
    EXPECT_TRUE(c->configuracaoParticular) << p.campo;
    EXPECT_EQ(c->separaCasasDecimais, p.separa) << p.campo;
    EXPECT_EQ(c->espacoNosNumerosVazios, p.espacoVazios) << p.campo;
    EXPECT_EQ(c->espacoAdireitaNumeros, p.espacoDireita) << p.campo;
    EXPECT_EQ(c->separadorCasasDecimais, p.separador) << p.campo;
    EXPECT_EQ(c->separadorNoFinalDeCadaCampo, p.separadorFinal) << p.campo;
    EXPECT_EQ(c->semFormatacao, p.semFormatacao) << p.campo;
  }
}

TEST(Prosoft, OwnSettingsLandOnTheNamedFieldsOnly) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(gravador);
  ConfereProprias("lancamento", {{"ctDebitoTerceiro1", false, false, false, "", false, true},
                                 {"ctCreditoTerceiro1", false, false, false, "", false, true},
                                 {"historico", false, true, false, "", false, false},
                                 {"valor", true, false, false, ".", false, false}});
  ConfereProprias("LC2", {{"historico", false, true, false, "", false, false},
                          {"valor", true, false, false, ".", false, false},
                          {"contaTerc", false, false, false, "", false, true}});
  ConfereProprias("recibo-0", {{"fillerT1", false, true, true, "", false, false},
                               {"fillerT2", false, true, true, "", false, false},
                               {"fillerT3", false, true, true, "", false, false},
                               {"fillerT4", false, true, true, "", false, false},
                               {"fillerT5", false, true, true, "", false, false}});
  ConfereProprias("recibo-1", {{"valor", true, false, false, ".", false, false}});
  ConfereProprias("pontoEletronico", {{"valor", false, false, false, "", false, false},
                                      {"atividade", false, true, false, "", false, false},
                                      {"local", false, true, false, "", false, false}});
  // Named in small letters; the look-up ignores case.
  ConfereProprias("inventario", {{"codigoProdutoEmpresa", false, true, true, "", false, false}});
  ConfereProprias("faturas", {{"terceiroInscriEstad", false, false, false, "", false, true}});
  ConfereProprias("produtos", {{"codigoDoProduto", false, true, false, "", false, false},
                               {"codigoClassificacaoFiscal", false, true, false, "", false, false},
                               {"grupoProdutoDOS", false, true, false, "", false, false}});
  for (const char* sem :
       {"lancamentoLivroCaixa", "clientesFornecedores", "fiscal", "fiscal-SP", "ecfMestre", "ecf",
        "f100", "ativos", "saidas", "itensSaida", "servTomados", "dadosCartao", "inventarioNovo",
        "ficha", "fichaAtivos", "rpa"}) {
    ConfereProprias(sem, {});
  }
  EXPECT_TRUE(gravador->mensagens.empty());  // every named field was found
}

TEST(Prosoft, ClosingSettingsOverwriteOnlyWhereWritten) {
  for (const char* layout : {"faturas", "servTomados", "rpa"}) {
    clLayoutReg l;
    l.separadorCasasDecimais = ";";
    l.CompoeLayout("Prosoft", layout);
    EXPECT_TRUE(l.separaCasasDecimais) << layout;
    EXPECT_EQ(l.separadorCasasDecimais, ".") << layout;
  }
  for (const char* layout : {"inventarioNovo", "produtos", "lancamento", "ecf", "desconhecido"}) {
    clLayoutReg l;
    l.separadorCasasDecimais = ";";
    l.espacoNosNumerosVazios = true;
    l.CompoeLayout("Prosoft", layout);
    EXPECT_FALSE(l.separaCasasDecimais) << layout;
    EXPECT_EQ(l.separadorCasasDecimais, ";") << layout;
    EXPECT_TRUE(l.espacoNosNumerosVazios) << layout;
  }
}

TEST(Prosoft, AnnualRecordBuildsTwelveNamesPerMonthlyAmount) {
  auto l = teste::Compoe("Prosoft", "ficha");
  const auto& campos = l->campos();
  ASSERT_EQ(campos.size(), 324U);
  const struct {
    std::size_t ordem;  // from 1
    const char* nome;
    int inicio, fim;
  } casos[] = {
      {8, "motivoRescicao", 125, 126},          {9, "salarioBase1", 127, 138},
      {18, "salarioBase10", 235, 246},          {20, "salarioBase12", 259, 270},
      {21, "remuneracaoMensalRais1", 271, 282}, {81, "horasExtras1", 991, 996},
      {104, "faltasEmHoras12", 1129, 1134},     {105, "faltasEmDias", 1135, 1158},
      {106, "adicionalNoturno1", 1159, 1170},   {318, "irFeriasAbono12", 0, 0},
      {324, "irPLRDataCred", 6871, 6966},
  };
  for (const auto& c : casos) {
    const clLayoutCpo& campo = *campos[c.ordem - 1];
    EXPECT_EQ(campo.nome, c.nome) << "field " << c.ordem;
    if (c.inicio > 0) {
      EXPECT_EQ(campo.inicio, c.inicio) << c.nome;
      EXPECT_EQ(campo.fim, c.fim) << c.nome;
    }
  }
  for (const char* ausente : {"salarioBase0", "salarioBase01", "salarioBase13", "inss13",
                              "irFeriasAbono13", "salarioBase"}) {
    EXPECT_FALSE(l->ExisteCampo(ausente)) << ausente;
  }
  // The two period groups are text of 6 columns; every other monthly field is an amount with 2
  // decimals; the fixed fields are text.
  std::size_t periodos = 0, valores = 0, textos = 0;
  for (const auto& c : campos) {
    const bool periodo =
        c->nome.starts_with("irMensalPeriodo") || c->nome.starts_with("irFeriasPeriodo");
    if (periodo) {
      ++periodos;
      EXPECT_EQ(c->tamanho, 6) << c->nome;
      EXPECT_EQ(c->tipo, "S") << c->nome;
    } else if (c->tipo == "N") {
      ++valores;
      EXPECT_EQ(c->decimais, 2) << c->nome;
    } else {
      ++textos;
      EXPECT_EQ(c->tipo, "S") << c->nome;
    }
  }
  EXPECT_EQ(periodos, 24U);
  EXPECT_EQ(valores, 22U * 12U);
  EXPECT_EQ(textos, 36U);
}

// "rpa" writes five names twice: one field each, in its first place, with the later columns.
TEST(Prosoft, RepeatedNamesOfTheReceiptKeepTheirPlaceAndTakeTheLaterColumns) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(gravador);
  auto l = teste::Compoe("Prosoft", "rpa");
  const auto& campos = l->campos();
  ASSERT_EQ(campos.size(), 45U);
  const struct {
    std::size_t ordem;
    const char* nome;
    int inicio;
  } repetidos[] = {{12, "vlINSS", 435},
                   {18, "provExtra", 449},
                   {21, "descontoExtra", 619},
                   {22, "descontoExtra2", 633},
                   {23, "descontoExtra3", 647}};
  for (const auto& r : repetidos) {
    const clLayoutCpo& c = *campos[r.ordem - 1];
    EXPECT_EQ(c.nome, r.nome);
    EXPECT_EQ(c.inicio, r.inicio) << r.nome;
    EXPECT_EQ(c.fim, r.inicio + 13) << r.nome;
    EXPECT_EQ(c.decimais, 2) << r.nome;
  }
  EXPECT_EQ(campos[12]->nome, "rendim");  // right after vlINSS, as first written
  // The columns of the first writings belong to no field and stay blank.
  const int livres[][2] = {{72, 85}, {156, 169}, {198, 239}};
  for (const auto& c : campos) {
    c->valor = c->EhTexto() ? "x" : "1";
    for (const auto& faixa : livres) {
      EXPECT_TRUE(c->fim < faixa[0] || c->inicio > faixa[1]) << c->nome;
    }
  }
  const std::string registro = l->ExpandeLayout();
  EXPECT_EQ(Colunas(registro, 72, 14), std::string(14, ' '));
  EXPECT_EQ(Colunas(registro, 156, 14), std::string(14, ' '));
  EXPECT_EQ(Colunas(registro, 198, 42), std::string(42, ' '));
  EXPECT_EQ(Colunas(registro, 435, 14), "00000000001.00");
  EXPECT_TRUE(gravador->mensagens.empty());  // no ambiguity, no conflict
}

// Fills the layout, writes it, reads it back on a new one and compares the values.
void IdaEVolta(const std::string& layout,
               const std::vector<std::pair<std::string, std::string>>& valores,
               const std::vector<std::pair<int, std::string>>& colunas) {
  SCOPED_TRACE(layout);
  auto l = teste::Compoe("Prosoft", layout);
  for (const auto& [campo, valor] : valores) {
    ASSERT_TRUE(l->InformaValor(campo, valor)) << campo;
  }
  const std::string registro = l->ExpandeLayout();
  EXPECT_EQ(ContaCaracteres(registro), static_cast<std::size_t>(l->TamanhoRegistro()));
  for (const auto& [inicio, texto] : colunas) {
    EXPECT_EQ(Colunas(registro, inicio, static_cast<int>(ContaCaracteres(texto))), texto)
        << "column " << inicio;
  }
  auto lido = teste::Compoe("Prosoft", layout);
  std::string erro;
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(registro, &erro)) << erro;
  for (const auto& [campo, valor] : valores) {
    EXPECT_EQ(std::string(Apara(lido->pegaValor(campo))), valor) << campo;
  }
  EXPECT_EQ(lido->ExpandeLayout(), registro);
}

TEST(Prosoft, RecordsWriteAndReadBack) {
  // Main composer: the amount with its own "." separator, the others with the layout's settings.
  IdaEVolta(
      "lancamento",
      {{"data", "01032024"},
       {"ctDebitoCodAcesso", "1234"},
       {"valor", "1520,75"},
       {"historico", "Depósito em conta"}},
      {{13, "01032024"}, {69, "01234"}, {117, "0000000001520.75"}, {133, "Depósito em conta "}});
  // Products: rates with implied decimals, the layout's comma unwritten.
  IdaEVolta("produtos",
            {{"codigoDoProduto", "P-001"},
             {"descricaoProduto", "Parafuso de aço"},
             {"aliquotaICMSopInternas", "18,50"}},
            {{1, "P-001 "}, {21, "Parafuso de aço "}, {118, "01850"}});
  // Financial records: a receipt whose repeated amounts sit at their later columns.
  IdaEVolta("rpa",
            {{"codEmpresa", "0012"},
             {"vlINSS", "110,50"},
             {"descontoExtra3", "7,25"},
             {"descricaoServ", "Serviço de manutenção"},
             {"sestSenai", "SEST"}},
            {{1, "0012"},
             {72, std::string(14, ' ')},
             {435, "00000000110.50"},
             {647, "00000000007.25"},
             {320, "Serviço de manutenção "},
             {721, "SEST          "}});
}

// Whoever asks for a layout gets the main composer's errors; the financial records log theirs.
class ProsoftErros : public teste::PastaDoProgramaPropria {
 protected:
  // Every critical message becomes an error, as a failing append would.
  class OperadorQueFalha : public teste::OperadorGravador {
   public:
    void Critico(std::string_view titulo, std::string_view texto) override {
      OperadorGravador::Critico(titulo, texto);
      throw std::runtime_error(std::string(texto));
    }
  };

  std::shared_ptr<OperadorQueFalha> operador = std::make_shared<OperadorQueFalha>();
  OperadorTemporario guarda{operador};

  std::vector<std::string> LinhasDoLog() {
    const std::time_t agora =
        std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&agora, &local);
    std::ifstream f(pasta /
                    NomeArquivoErros(local.tm_mday, local.tm_mon + 1, local.tm_year + 1900));
    std::vector<std::string> linhas;
    for (std::string l; std::getline(f, l);) {
      linhas.push_back(l);
    }
    return linhas;
  }

  // A layout that already holds `campo` in capitals at columns 1 to 3: the same name appended
  // again at other columns is ambiguous.
  static std::unique_ptr<clLayoutReg> ComCampo(const std::string& campo) {
    auto l = std::make_unique<clLayoutReg>();
    l->AcrescentaCampoAppend(3, campo, 0, "S");
    return l;
  }
};

TEST_F(ProsoftErros, FinancialRecordsLogTheErrorAndKeepWhatWasAppended) {
  auto l = ComCampo("CPFCNPJ");
  ASSERT_NO_THROW(l->CompoeLayout("Prosoft", "servTomados"));
  // The field before, and servTomados' first three, the third being the ambiguous one.
  ASSERT_EQ(l->campos().size(), 4U);
  EXPECT_EQ(l->campos()[3]->nome, "cpfCNPJ");
  EXPECT_FALSE(l->separaCasasDecimais);  // the closing settings were not reached
  EXPECT_EQ(l->separadorCasasDecimais, ",");
  ASSERT_EQ(operador->mensagens.size(), 1U);
  const auto linhas = LinhasDoLog();
  ASSERT_EQ(linhas.size(), 2U);
  EXPECT_NE(linhas[0].find(":clLayoutReg::CompoeFichaFinanceira::0::Campo ambíguo: cpfCNPJ,,,,'"),
            std::string::npos)
      << linhas[0];
  EXPECT_EQ(linhas[1], "\"Pelidor Error # 0 Campo ambíguo: cpfCNPJ\"\r");
}

// An overflow of the running column is logged with the run time's number for it, 6.
TEST_F(ProsoftErros, FinancialRecordsLogAnOverflowWithItsNumber) {
  clLayoutReg l;
  l.proximaColuna = std::numeric_limits<int>::max() - 3;  // numLivro fits, tipoDoc does not
  ASSERT_NO_THROW(l.CompoeLayout("Prosoft", "servTomados"));
  ASSERT_EQ(l.campos().size(), 1U);
  EXPECT_EQ(l.campos()[0]->nome, "numLivro");
  EXPECT_EQ(teste::AjustesDiferentes(l), "");  // the closing settings were not reached
  EXPECT_TRUE(operador->mensagens.empty());
  const auto linhas = LinhasDoLog();
  ASSERT_EQ(linhas.size(), 2U);
  EXPECT_NE(linhas[0].find(":clLayoutReg::CompoeFichaFinanceira::6::campo 'tipoDoc': estouro da "
                           "coluna,,,,'"),
            std::string::npos)
      << linhas[0];
  EXPECT_EQ(linhas[1], "\"Pelidor Error # 6 campo 'tipoDoc': estouro da coluna\"\r");
}

// The receipt gives each filler its own settings right after appending it: a composition that
// stops at the third field has already given them to the second.
TEST_F(ProsoftErros, ReceiptFillersTakeTheirSettingsAsTheyAreAppended) {
  clLayoutReg l;
  // tipoRegistro (1) and fillerT1 (18) fit; codigoEmpresa (4) does not.
  l.proximaColuna = std::numeric_limits<int>::max() - 20;
  EXPECT_THROW(l.CompoeLayout("Prosoft", "recibo-0"), std::overflow_error);
  ASSERT_EQ(l.campos().size(), 2U);
  const clLayoutCpo& filler = *l.campos()[1];
  EXPECT_EQ(filler.nome, "fillerT1");
  EXPECT_TRUE(filler.configuracaoParticular);
  EXPECT_TRUE(filler.espacoNosNumerosVazios && filler.espacoAdireitaNumeros);
  EXPECT_FALSE(filler.separaCasasDecimais || filler.separadorNoFinalDeCadaCampo ||
               filler.semFormatacao);
  EXPECT_EQ(filler.separadorCasasDecimais, "");
  EXPECT_FALSE(l.campos()[0]->configuracaoParticular);
  EXPECT_TRUE(LinhasDoLog().empty());  // the main composer logs nothing
}

TEST_F(ProsoftErros, MainComposerAndProductsLetTheErrorThrough) {
  auto lancamento = ComCampo("ORDEM");
  EXPECT_THROW(lancamento->CompoeLayout("Prosoft", "lancamento"), std::runtime_error);
  EXPECT_EQ(lancamento->campos().size(), 3U);  // ORDEM, tipo, ordem
  auto produtos = ComCampo("DESCRICAOPRODUTO");
  EXPECT_THROW(produtos->CompoeLayout("Prosoft", "produtos"), std::runtime_error);
  EXPECT_EQ(produtos->campos().size(), 3U);
  EXPECT_TRUE(LinhasDoLog().empty());
}

}  // namespace
}  // namespace lumbrava
