#include <gtest/gtest.h>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(Unico, FieldCountsRecordLengthsAndSettings) {
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
    bool separa;  // separaCasasDecimais after composing (separator stays ",")
  } casos[] = {{"lancamentos", 11, 196, false},
               {"bens-idEmpresa", 4, 218, false},
               {"bens-cadastro_bem", 49, 695, true},
               {"bens-dados_depre_bem", 10, 76, true},
               {"bens-dados_baixa_bem", 6, 233, true},
               {"lancamentoComJuros", 11, 322, false},
               // The catalogue's old spellings, and names that differ by case or a blank.
               {"bens-cadastrobem", 0, 0, false},
               {"Lancamentos", 0, 0, false},
               {"lancamentos ", 0, 0, false}};
  for (const auto& c : casos) {
    auto l = teste::Compoe("Unico", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    EXPECT_EQ(l->separaCasasDecimais, c.separa) << c.nome;
    EXPECT_EQ(l->separadorCasasDecimais, ",") << c.nome;
    EXPECT_FALSE(l->virgulasNosNumericos || l->espacoAdireitaNumeros ||
                 l->separadorNoFinalDeCadaCampo || l->leituraComPipe)
        << c.nome;
  }
  // "lancamentos" writes espacoNosNumerosVazios = False over whatever the layout held.
  clLayoutReg l;
  l.espacoNosNumerosVazios = true;
  l.CompoeLayout("Unico", "lancamentos");
  EXPECT_FALSE(l.espacoNosNumerosVazios);
}

TEST(Unico, IrregularRows) {
  auto depre = teste::Compoe("Unico", "bens-dados_depre_bem");
  const clLayoutCpo* societaria = depre->LocalizaCampo("valorAquiSocietaria");
  ASSERT_NE(societaria, nullptr);
  EXPECT_EQ(societaria->tipo, "N");  // passed as "D" with 2 decimals
  EXPECT_EQ(depre->LocalizaCampo("tipoContabilizacao")->inicio, 62);
  auto baixa = teste::Compoe("Unico", "bens-dados_baixa_bem");
  EXPECT_EQ(baixa->LocalizaCampo("tipoContabilizacao")->inicio, 233);
  EXPECT_EQ(baixa->LocalizaCampo("tipoContabilizacao")->fim, 233);
  auto cadastro = teste::Compoe("Unico", "bens-cadastro_bem");
  clLayoutCpo* aliq = cadastro->LocalizaCampo("aliqPIS");
  EXPECT_EQ(aliq->tamanho, 3);
  EXPECT_EQ(aliq->decimais, 4);
  // With the separator written, such a field holds nothing but zero; a rate is refused whole.
  aliq->valor = "0,65";
  EXPECT_THROW(cadastro->ExpandeLayout(), ErroValor);
  aliq->valor = "";
  EXPECT_EQ(cadastro->ExpandeLayout().substr(687, 3), "000");
  auto lanc = teste::Compoe("Unico", "lancamentos");
  EXPECT_EQ(lanc->campos()[0]->nome, "Data");
  EXPECT_EQ(lanc->campos()[9]->nome, "ccDebito");
  EXPECT_EQ(teste::Compoe("Unico", "lancamentoComJuros")->campos()[0]->tipo, "C");
}

TEST(PortPress, EntriesWithTheAmountsOwnSettings) {
  auto l = teste::Compoe("PortPress", "lancamentos");
  ASSERT_EQ(l->campos().size(), 16U);
  EXPECT_EQ(l->TamanhoRegistro(), 158);
  const clLayoutCpo* hist = l->LocalizaCampo("hist");
  EXPECT_EQ(hist->inicio, 84);
  EXPECT_EQ(hist->fim, 158);
  EXPECT_EQ(l->LocalizaCampo("empresa")->inicio, 4);
  EXPECT_EQ(l->LocalizaCampo("empresa")->fim, 4);
  for (const auto& c : l->campos()) {
    EXPECT_EQ(c->configuracaoParticular, c->nome == "valor") << c->nome;
  }
  const clLayoutCpo* valor = l->LocalizaCampo("valor");
  EXPECT_EQ(valor->tipo, "N");  // passed as "S" with 2 decimals
  EXPECT_TRUE(valor->separaCasasDecimais);
  EXPECT_EQ(valor->separadorCasasDecimais, ",");
  EXPECT_FALSE(valor->espacoNosNumerosVazios || valor->espacoAdireitaNumeros ||
               valor->separadorNoFinalDeCadaCampo || valor->semFormatacao);
  // The layout's own settings stay those of a new layout, and do not reach valor.
  EXPECT_FALSE(l->separaCasasDecimais);
  l->espacoNosNumerosVazios = true;
  l->InformaValor("valor", "-1520,7");
  l->InformaValor("hist", "Aluguel de março");
  const std::string r = l->ExpandeLayout();
  EXPECT_EQ(r.substr(71, 12), "-00001520,70");
  EXPECT_EQ(teste::Compoe("PortPress", "Lancamentos")->campos().size(), 0U);
  EXPECT_EQ(teste::Compoe("PortPress", "lancamentos ")->campos().size(), 0U);
}

}  // namespace
}  // namespace lumbrava
