// Glandata and Prefeituras: fixed-width records, the number format that Glandata gives the layouts
// handed out before, and names written twice in one layout.
#include <gtest/gtest.h>

#include <initializer_list>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/operador.h"
#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

// The payables and receivables records: decimals with "." and ";" after every field.
constexpr std::string_view kPonto = "separadorCasasDecimais=. separadorNoFinalDeCadaCampo";
// The purchase notes: decimals written with ".", blanks for empty numbers.
constexpr std::string_view kCompras =
    "separaCasasDecimais espacoNosNumerosVazios separadorCasasDecimais=.";
// What the closing step leaves on the layouts composed before.
constexpr std::string_view kFechamento = "separaCasasDecimais separadorCasasDecimais=.";

class GlandataTest : public ::testing::Test {
 protected:
  std::shared_ptr<teste::OperadorGravador> gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda{gravador};
  // No "Campo ambíguo", "Campos conflitantes" nor "nao localizou campo" while composing.
  void TearDown() override { EXPECT_TRUE(gravador->mensagens.empty()); }
};

TEST_F(GlandataTest, FiguresOfEveryLayout) {
  teste::ConfereFiguras(
      "Glandata",
      {
          {"apontamentoFolha-reg00", 7, 791, "fixo", "numeroRegistro"},
          {"apontamentoFolha-reg10", 5, 793, "fixo", "numeroRegistro"},
          {"apontamentoFolha-reg20", 7, 792, "fixo", "numeroRegistro"},
          {"funcionario-reg20", 12, 986, "fixo", "numeroRegistro"},
          {"funcionario-reg21", 8, 990, "fixo", "numeroRegistro"},
          {"funcionario-reg22", 7, 991, "fixo", "numeroRegistro"},
          {"lancamentos-tipo1", 21, 483, "conta", "tipoReg"},
          {"lancamentos-aprop", 26, 500, "conta", "tipoReg"},
          {"lancamentos-tipo2", 5, 500, "centrocusto", "tipoReg"},
          {"nota-saida", 81, 1417, "especie", "brancos"},  // 85 appends
          {"retencao-saida", 17, 881, "notaFiscal", "brancos"},
          {"itens-nota", 51, 803, "notaFiscal", "valorBasePis"},  // 57 appends
          {"contasPagar-tipo0", 5, 35, "sequencial", "tiposRegistro",
           "separadorNoFinalDeCadaCampo"},
          {"contasPagar-tipo1", 60, 933, "sequencial", "tipoRegistro", kPonto},  // 61 appends
          {"contasPagar-tipo2", 16, 983, "sequencial", "tipoRegistro", kPonto},
          {"contasPagar-tipo3", 11, 988, "sequencial", "tipoRegistro", kPonto},
          {"contasPagar-tipo4", 8, 991, "sequencial", "tipoRegistro", kPonto},  // 9 appends
          {"contasPagar-tipo9", 16, 983, "sequencial", "tipoRegistro", kPonto},
          {"contasReceber-Tipo0", 7, 1491, "sequencial", "tiposRegistro", kPonto},
          {"contasReceber-tipo1", 81, 1306, "sequencial", "tipoRegistro", kPonto},  // 82 appends
          {"contasReceber-tipo9", 10, 1488, "sequencial", "tipoRegistro", kPonto},
          {"notaCompras-Compras", 46, 1138, "numeroNota", "NotaFiscalEncerrada", kCompras},
          {"notaCompras-Itens", 26, 485, "numeroNota", "ObservacaoParaAliquotasDiferenciadas",
           kCompras},
          {"notaCompras-Fornecedores", 22, 435, "CnpjCpf", "inscrisaoMunicipal"},
          {"lancamentos-tipo1-nf", 18, 587, "conta", "tipoReg"},
          {"lancamentos-tipo2-nf", 5, 600, "centrocusto", "tipoReg"},
          // Compared whole and case-sensitively.
          {"contasReceber-tipo0", 0, 0, "", ""},
          {"contasPagar-Tipo1", 0, 0, "", ""},
          {"nota-saida ", 0, 0, "", ""},
          {"", 0, 0, "", ""},
          {"fiscal-Matao-header", 0, 0, "", ""},
      });
}

TEST_F(GlandataTest, FieldsTheLayoutsSingleOut) {
  const struct {
    const char* sistema;
    const char* layout;
    const char* campo;
    int inicio, fim, decimais;
    const char* tipo;
  } casos[] = {
      {"Glandata", "apontamentoFolha-reg20", "quantidadeEvento", 19, 32, 2, "N"},
      {"Glandata", "funcionario-reg22", "valorSalario", 17, 30, 2, "N"},  // passed as "S"
      {"Glandata", "lancamentos-tipo1", "valor", 46, 60, 2, "N"},
      {"Glandata", "lancamentos-tipo1", "descricaoHistoricoCredito", 167, 264, 0, "S"},
      {"Glandata", "lancamentos-aprop", "historicoDebito", 64, 67, 0, "N"},
      {"Glandata", "lancamentos-aprop", "descricaoHistoricoCredito", 173, 272, 0, "S"},
      {"Glandata", "itens-nota", "fatorConversao", 746, 757, 6, "N"},
      {"Glandata", "contasPagar-tipo1", "ddd", 581, 584, 0, "S"},
      {"Glandata", "contasPagar-tipo0", "tiposRegistro", 35, 35, 0, "N"},
      {"Glandata", "contasPagar-tipo1", "tipoRegistro", 933, 933, 0, "N"},
      {"Glandata", "contasPagar-tipo4", "tipoRegistro", 991, 991, 0, "S"},
      {"Glandata", "contasPagar-tipo9", "tipoRegistro", 983, 983, 0, "S"},
      {"Glandata", "contasReceber-Tipo0", "tiposRegistro", 1491, 1491, 0, "N"},
      {"Glandata", "contasReceber-tipo1", "tipoRegistro", 1306, 1306, 0, "S"},
      {"Glandata", "contasReceber-tipo9", "tipoRegistro", 1488, 1488, 0, "N"},
      {"Glandata", "notaCompras-Compras", "CnpjCpf", 10, 23, 0, "N"},
      {"Glandata", "notaCompras-Itens", "CnpjCpf", 14, 27, 0, "S"},
      {"Glandata", "notaCompras-Itens", "quantidade", 301, 318, 4, "N"},
      {"Glandata", "notaCompras-Fornecedores", "ddd", 278, 281, 0, "N"},
      {"Glandata", "lancamentos-tipo1-nf", "valor", 46, 60, 2, "N"},
      {"Glandata", "lancamentos-tipo2-nf", "rateio", 25, 30, 2, "N"},
      {"Prefeituras", "fiscal-Matao-header", "mês", 18, 19, 0, "N"},
      {"Prefeituras", "fiscal-Matao-header", "filler", 33, 100, 0, "S"},
      {"Prefeituras", "fiscal-Matao-detalhe", "nome", 17, 116, 0, "S"},
      {"Prefeituras", "fiscal-Matao-detalhe", "valorServico", 195, 208, 2, "N"},
      {"Prefeituras", "fiscal-Matao-detalhe", "aliquota", 223, 224, 0, "N"},
      {"Prefeituras", "fiscal-Matao-detalhe", "filler", 252, 300, 0, "S"},
      {"Prefeituras", "fiscal-Matao-trailler", "filler", 48, 100, 0, "S"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe(c.sistema, c.layout);
    const clLayoutCpo* f = l->LocalizaCampo(c.campo);
    ASSERT_NE(f, nullptr) << c.layout << " " << c.campo;
    EXPECT_EQ(f->nome, c.campo);
    EXPECT_EQ(f->inicio, c.inicio) << c.layout << " " << c.campo;
    EXPECT_EQ(f->fim, c.fim) << c.layout << " " << c.campo;
    EXPECT_EQ(f->decimais, c.decimais) << c.layout << " " << c.campo;
    EXPECT_EQ(f->tipo, c.tipo) << c.layout << " " << c.campo;
  }
}

// Settings of their own go to the named fields only, in every layout.
TEST_F(GlandataTest, OwnSettingsLandOnTheNamedFieldsOnly) {
  struct Proprio {
    const char* campo;
    bool separa, vazios, direita;
    const char* separador;
    bool noFinal;
  };
  const Proprio quantidade{"quantidadeEvento", true, false, false, ".", false};
  const Proprio conta{"conta", false, true, true, "", false};
  const Proprio contraPartida{"contraPartida", false, true, true, "", false};
  const Proprio valor{"valor", true, true, true, ".", true};
  const Proprio descricao{"descricaoHistoricoCredito", false, false, false, "", false};
  const Proprio cpfCnpj{"cpfCnpjCliForn", false, false, false, "", false};
  const Proprio ddd{"ddd", false, false, false, "", false};
  const std::vector<std::pair<std::string, std::vector<Proprio>>> casos = {
      {"apontamentoFolha-reg20", {quantidade}},
      {"lancamentos-tipo1", {conta, contraPartida, valor, descricao}},
      {"lancamentos-aprop", {conta, contraPartida, valor, descricao}},
      {"notaCompras-Fornecedores", {ddd}},
      {"lancamentos-tipo1-nf", {conta, contraPartida, valor, descricao, cpfCnpj}},
  };
  for (const std::string& nome : clProdutos::LayoutsDoProduto("Glandata")) {
    auto l = teste::Compoe("Glandata", nome);
    std::vector<Proprio> esperados;
    for (const auto& [layout, proprios] : casos) {
      if (layout == nome) esperados = proprios;
    }
    std::size_t comProprios = 0;
    for (const auto& f : l->campos()) {
      comProprios += f->configuracaoParticular ? 1 : 0;
    }
    EXPECT_EQ(comProprios, esperados.size()) << nome;
    for (const Proprio& p : esperados) {
      SCOPED_TRACE(nome + " " + p.campo);
      const clLayoutCpo* f = l->LocalizaCampo(p.campo);
      ASSERT_NE(f, nullptr);
      EXPECT_TRUE(f->configuracaoParticular);
      EXPECT_EQ(f->separaCasasDecimais, p.separa);
      EXPECT_EQ(f->espacoNosNumerosVazios, p.vazios);
      EXPECT_EQ(f->espacoAdireitaNumeros, p.direita);
      EXPECT_EQ(f->separadorCasasDecimais, p.separador);
      EXPECT_EQ(f->separadorNoFinalDeCadaCampo, p.noFinal);
      EXPECT_FALSE(f->semFormatacao);
    }
  }
}

// A name written twice stays one field in its first place with the later columns; the columns of
// the earlier writing belong to no field and the fixed-width record leaves them blank.
TEST_F(GlandataTest, NameWrittenTwiceKeepsItsPlaceAndTakesTheLaterColumns) {
  struct Repetido {
    const char* campo;
    std::size_t lugar;  // from 1
    int inicio, fim;
  };
  const struct {
    const char* layout;
    std::vector<Repetido> repetidos;
    std::vector<std::pair<int, int>> orfas;  // columns of no field
  } casos[] = {
      {"nota-saida",
       {{"notaInicial", 3, 921, 929},
        {"notaFinal", 4, 930, 938},
        {"siglaEstado", 5, 555, 556},
        {"outrosIPI", 25, 319, 332}},
       {{7, 20}, {276, 289}}},
      {"itens-nota",
       {{"unidadeMedida", 17, 614, 616}, {"brancos", 21, 206, 539}},
       {{143, 145}, {161, 164}, {176, 177}, {186, 205}}},
      {"contasPagar-tipo1", {{"filler", 38, 828, 932}}, {{361, 365}}},
      {"contasPagar-tipo4", {{"filler", 5, 462, 990}}, {{32, 397}}},
      {"contasReceber-tipo1", {{"estado", 62, 921, 922}}, {{708, 709}}},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.layout);
    auto l = teste::Compoe("Glandata", c.layout);
    for (const Repetido& r : c.repetidos) {
      ASSERT_GT(l->campos().size(), r.lugar);
      const clLayoutCpo& f = *l->campos()[r.lugar - 1];
      EXPECT_EQ(f.nome, r.campo);
      EXPECT_EQ(f.inicio, r.inicio) << r.campo;
      EXPECT_EQ(f.fim, r.fim) << r.campo;
      EXPECT_EQ(f.tamanho, r.fim - r.inicio + 1) << r.campo;
    }
    // Every field filled to its last column: only the orphaned columns stay blank.
    l->separadorNoFinalDeCadaCampo = false;
    for (const auto& f : l->campos()) {
      f->valor = f->EhTexto() ? std::string(static_cast<std::size_t>(f->tamanho), 'x') : "1";
    }
    const std::string linha = l->ExpandeLayout();
    ASSERT_EQ(linha.size(), static_cast<std::size_t>(l->TamanhoRegistro()));
    for (int coluna = 1; coluna <= l->TamanhoRegistro(); ++coluna) {
      bool orfa = false;
      for (const auto& [de, ate] : c.orfas) {
        orfa = orfa || (coluna >= de && coluna <= ate);
      }
      EXPECT_EQ(linha[static_cast<std::size_t>(coluna - 1)] == ' ', orfa) << "coluna " << coluna;
    }
  }
}

// The closing step reaches the product's layouts composed before, never the one being composed:
// which of two layouts ends with the closing step's format depends on the order they are asked.
TEST_F(GlandataTest, ClosingStepReachesOnlyTheLayoutsComposedBefore) {
  {
    clProdutos catalogo;
    clLayoutReg* pagar = catalogo.LocalizaCriaLayoutRegistro("Glandata", "contasPagar-tipo1");
    ASSERT_NE(pagar, nullptr);
    EXPECT_EQ(teste::AjustesDiferentes(*pagar), kPonto);  // nothing before it
    clLayoutReg* lancamentos = catalogo.LocalizaCriaLayoutRegistro("Glandata", "lancamentos-tipo1");
    ASSERT_NE(lancamentos, nullptr);
    EXPECT_EQ(teste::AjustesDiferentes(*pagar), kFechamento);  // lost its ";" after the fields
    EXPECT_EQ(teste::AjustesDiferentes(*lancamentos), "");
  }
  {
    clProdutos catalogo;
    clLayoutReg* lancamentos = catalogo.LocalizaCriaLayoutRegistro("Glandata", "lancamentos-tipo1");
    clLayoutReg* pagar = catalogo.LocalizaCriaLayoutRegistro("Glandata", "contasPagar-tipo1");
    ASSERT_NE(lancamentos, nullptr);
    ASSERT_NE(pagar, nullptr);
    EXPECT_EQ(teste::AjustesDiferentes(*lancamentos), kFechamento);
    EXPECT_EQ(teste::AjustesDiferentes(*pagar), kPonto);
    // Asked again, a layout is not composed again and runs no closing step.
    catalogo.LocalizaCriaLayoutRegistro("Glandata", "contasPagar-tipo1");
    EXPECT_EQ(teste::AjustesDiferentes(*pagar), kPonto);
  }
}

// A composition that fails (the running column overflows) ends there: the closing step does not
// reach the layouts composed before. One that succeeds on the same product does.
TEST_F(GlandataTest, ClosingStepIsSkippedWhenComposingFails) {
  clProdutos catalogo;
  clLayoutReg* pagar = catalogo.LocalizaCriaLayoutRegistro("Glandata", "contasPagar-tipo1");
  ASSERT_NE(pagar, nullptr);
  clLayoutReg falha;
  falha.produto = catalogo.LocalizaCriaProduto("Glandata");
  falha.nomeRegistro = "lancamentos-tipo1";
  falha.proximaColuna = std::numeric_limits<int>::max() - 30;  // conta (21) fits, the next not
  EXPECT_THROW(falha.CompoeLayout("Glandata", "lancamentos-tipo1"), std::overflow_error);
  EXPECT_EQ(falha.campos().size(), 1U);
  EXPECT_FALSE(falha.campos()[0]->configuracaoParticular);  // its own closing steps skipped too
  EXPECT_EQ(teste::AjustesDiferentes(*pagar), kPonto);
  clLayoutReg bem;
  bem.produto = falha.produto;
  bem.nomeRegistro = "lancamentos-tipo1";
  bem.CompoeLayout("Glandata", "lancamentos-tipo1");
  EXPECT_EQ(teste::AjustesDiferentes(*pagar), kFechamento);
}

TEST_F(GlandataTest, PurchaseNotesLeaveTheOtherLayoutsAlone) {
  clProdutos catalogo;
  clLayoutReg* cabecalho =
      catalogo.LocalizaCriaLayoutRegistro("Prefeituras", "fiscal-Matao-header");
  clLayoutReg* lote = catalogo.LocalizaCriaLayoutRegistro("Glandata", "contasPagar-tipo0");
  ASSERT_NE(lote, nullptr);
  lote->virgulasNosNumericos = true;
  lote->InformaValor("sequencial", "1");
  EXPECT_EQ(lote->ExpandeLayout().size(), 35U + 5U);  // ";" after each of the five fields

  for (const char* compras :
       {"notaCompras-Compras", "notaCompras-Itens", "notaCompras-Fornecedores"}) {
    ASSERT_NE(catalogo.LocalizaCriaLayoutRegistro("Glandata", compras), nullptr);
    EXPECT_EQ(teste::AjustesDiferentes(*lote), "virgulasNosNumericos separadorNoFinalDeCadaCampo")
        << compras;
  }
  // An unknown name composes nothing but still runs the closing step, on every layout held.
  clProduto* glandata = catalogo.LocalizaCriaProduto("Glandata");
  clLayoutReg& desconhecido = glandata->LocalizaCriaRegistro("NotaCompras-Itens");
  EXPECT_TRUE(desconhecido.campos().empty());
  EXPECT_EQ(teste::AjustesDiferentes(desconhecido), "");
  EXPECT_EQ(teste::AjustesDiferentes(*lote), "virgulasNosNumericos " + std::string(kFechamento));
  EXPECT_EQ(lote->ExpandeLayout().size(), 35U);
  for (const char* compras :
       {"notaCompras-Compras", "notaCompras-Itens", "notaCompras-Fornecedores"}) {
    EXPECT_EQ(teste::AjustesDiferentes(glandata->LocalizaCriaRegistro(compras)), kFechamento);
  }
  // A field's own settings stay, and so does another system's layout.
  EXPECT_TRUE(glandata->LocalizaCriaRegistro("notaCompras-Fornecedores")
                  .LocalizaCampo("ddd")
                  ->configuracaoParticular);
  ASSERT_NE(cabecalho, nullptr);
  EXPECT_EQ(teste::AjustesDiferentes(*cabecalho), "");
}

// A value written, where it lands in the record (a column counted in characters, after the ";"
// written before it) and what reading the record gives back.
struct Valor {
  const char* campo;
  const char* valor;
  std::size_t coluna;
  const char* escrito;
  const char* lido;
};

void IdaEVolta(const std::string& sistema, const std::string& layout, std::size_t caracteres,
               std::initializer_list<Valor> valores) {
  SCOPED_TRACE(sistema + " " + layout);
  auto l = teste::Compoe(sistema, layout);
  for (const Valor& v : valores) {
    ASSERT_TRUE(l->InformaValor(v.campo, v.valor)) << v.campo;
  }
  const std::string linha = l->ExpandeLayout();
  EXPECT_EQ(ContaCaracteres(linha), caracteres);
  for (const Valor& v : valores) {
    EXPECT_EQ(Subtexto(linha, v.coluna - 1, ContaCaracteres(v.escrito)), v.escrito) << v.campo;
  }
  auto lido = teste::Compoe(sistema, layout);
  std::string erro;
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha, &erro)) << erro;
  for (const Valor& v : valores) {
    EXPECT_EQ(Apara(lido->pegaValor(v.campo)), v.lido) << v.campo;
  }
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

TEST_F(GlandataTest, RecordsRoundTrip) {
  // Payroll event: the quantity written with "." by its own settings.
  IdaEVolta("Glandata", "apontamentoFolha-reg20", 792,
            {{"fixo", "20", 1, "20", "20"},
             {"identificaoFuncionario", "123", 4, "00000000123", "123"},
             {"quantidadeEvento", "1234,5", 19, "00000001234.50", "1234,50"},
             {"numeroRegistro", "000002", 787, "000002", "000002"}});
  // Accounting entry: the amount in blanks and "." and followed by ";", which shifts the rest.
  IdaEVolta("Glandata", "lancamentos-tipo1", 484,
            {{"conta", "1.1.01", 1, "1.1.01 ", "1.1.01"},
             {"valor", "-1500,75", 46, "       -1500.75;", "-1500,75"},
             {"historicoDebito", "12", 62, "012", "12"},
             {"descricaoHistoricoDebito", "Depósito em conta", 65, "Depósito em conta ",
              "Depósito em conta"},
             {"tipoReg", "1", 484, "1", "1"}});
  // Outgoing note: implied decimals; the note numbers at their later columns.
  IdaEVolta("Glandata", "nota-saida", 1417,
            {{"notaInicial", "123", 921, "000000123", "123"},
             {"valorContabil", "1500,75", 48, "00000000150075", "1500,75"},
             {"outrosIPI", "10,5", 319, "00000000001050", "10,50"},
             {"razaoSocial", "Depósito Central", 505, "Depósito Central ", "Depósito Central"},
             {"siglaEstado", "SP", 555, "SP", "SP"}});
  // Payables share: ";" after each field; the orphaned columns come after the amount's ";".
  IdaEVolta("Glandata", "contasPagar-tipo4", 991 + 8,
            {{"sequencial", "1", 1, "00000001;", "1"},
             {"percentual", "12,5", 16, "001250;", "12,50"},
             {"valor", "1500,75", 23, "000000150075;   ", "1500,75"},
             {"CPFcnpj", "12345678000190", 402, "12345678000190;", "12345678000190"},
             {"razaoSocial", "Depósito Ltda", 417, "Depósito Ltda ", "Depósito Ltda"},
             {"tipoRegistro", "9", 998, "9;", "9"}});
  // Purchase item: blanks in place of zeros, "." before the four decimals.
  IdaEVolta("Glandata", "notaCompras-Itens", 485,
            {{"numeroNota", "000123", 1, "000123   ", "000123"},
             {"descricaoProduto", "Café torrado em grão", 96, "Café torrado em grão ",
              "Café torrado em grão"},
             {"quantidade", "12,3456", 301, "           12.3456", "12,3456"},
             {"valorUnitario", "7,5", 319, "              7.50", "7,50"}});
}

TEST_F(GlandataTest, PrefeiturasFiguresAndRoundTrip) {
  teste::ConfereFiguras("Prefeituras",
                        {
                            {"fiscal-Matao-header", 9, 100, "tipoRegistro", "filler"},
                            {"fiscal-Matao-detalhe", 18, 300, "tipoRegistro", "filler"},
                            {"fiscal-Matao-trailler", 6, 100, "tipoRegistro", "filler"},
                            {"fiscal-Matao-trailer", 0, 0, "", ""},
                            {"fiscal-matao-header", 0, 0, "", ""},
                            {"Fiscal-Matao-detalhe", 0, 0, "", ""},
                            {"fiscal-Matao-trailler ", 0, 0, "", ""},
                            {"nota-saida", 0, 0, "", ""},
                        });
  // The amounts are the only fields with decimals.
  for (const auto& [layout, comDecimais] :
       {std::pair{"fiscal-Matao-header", 0U}, std::pair{"fiscal-Matao-detalhe", 3U},
        std::pair{"fiscal-Matao-trailler", 3U}}) {
    auto l = teste::Compoe("Prefeituras", layout);
    std::size_t n = 0;
    for (const auto& f : l->campos()) {
      n += f->decimais > 0 ? 1 : 0;
    }
    EXPECT_EQ(n, comDecimais) << layout;
  }
  IdaEVolta("Prefeituras", "fiscal-Matao-detalhe", 300,
            {{"tipoRegistro", "2", 1, "2", "2"},
             {"nome", "Prefeitura de Matão", 17, "Prefeitura de Matão ", "Prefeitura de Matão"},
             {"dataEmissao", "31012024", 187, "31012024", "31012024"},
             {"valorServico", "1500,75", 195, "00000000150075", "1500,75"},
             {"aliquota", "5", 223, "05", "5"},
             {"retido", "S", 239, "S", "S"}});
}

}  // namespace
}  // namespace lumbrava
