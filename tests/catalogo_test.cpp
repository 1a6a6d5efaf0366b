#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "layouts/numero.h"
#include "tests/apoio.h"

namespace lumbrava {
namespace {

class CatalogoTest : public ::testing::Test {
 protected:
  std::shared_ptr<teste::OperadorGravador> gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda{gravador};
  clProdutos catalogo;
};

TEST_F(CatalogoTest, ListsTheTargetSystemsAndTheirLayouts) {
  EXPECT_EQ(clProdutos::ObtemRelacaoProdutos().rfind(
                "PortPress;;Protheus;;Questor;;Radar;;Rubi;;SCI;;Unico;;Cotepe", 0),
            0U);
  EXPECT_EQ(clProdutos::ObtemRelacaoLayoutsProduto("PortPress"), "lancamentos,");
  EXPECT_EQ(clProdutos::ObtemRelacaoLayoutsProduto("Nada"), "");
  const auto unico = clProdutos::LayoutsDoProduto("Unico");
  EXPECT_EQ(unico, (std::vector<std::string>{"lancamentos", "bens-idEmpresa", "bens-cadastro_bem",
                                             "bens-dados_depre_bem", "bens-dados_baixa_bem",
                                             "lancamentoComJuros"}));
  EXPECT_EQ(clProdutos::LayoutsDoProduto("Cotepe").size(), 21U);
  EXPECT_EQ(clProdutos::LayoutsDoProduto("SCI").size(), 24U);
}

TEST_F(CatalogoTest, RefusesUnknownSystemsAndNamesWithTheSystemsMessages) {
  EXPECT_EQ(catalogo.LocalizaCriaLayoutRegistro("unico", "lancamentos"), nullptr);
  EXPECT_EQ(catalogo.LocalizaCriaLayoutRegistro("Unico", "bens-cadastrobem"), nullptr);
  EXPECT_EQ(catalogo.LocalizaCriaLayoutRegistro("Unico", "lancamentos "), nullptr);
  ASSERT_EQ(gravador->mensagens.size(), 3U);
  EXPECT_EQ(gravador->mensagens[0].tipo, "critico");
  EXPECT_EQ(gravador->mensagens[0].texto, "Produto unico ainda não cadastrado. Verifique.");
  EXPECT_EQ(gravador->mensagens[1].texto,
            "Layout bens-cadastrobem  (Unico) ainda não cadastrado. Verifique.");
  EXPECT_EQ(gravador->mensagens[2].texto,
            "Layout lancamentos   (Unico) ainda não cadastrado. Verifique.");
}

TEST_F(CatalogoTest, HandsOutOneComposedLayoutAndClearsItsValues) {
  clLayoutReg* a = catalogo.LocalizaCriaLayoutRegistro("Unico", "bens-cadastro_bem");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->campos().size(), 49U);
  EXPECT_EQ(a->nomeRegistro, "bens-cadastro_bem");
  ASSERT_NE(a->produto, nullptr);
  EXPECT_EQ(a->produto->identificador(), "Unico");
  a->InformaValor("descBem", "Trator");
  clLayoutReg* b = catalogo.LocalizaCriaLayoutRegistro("Unico", "bens-cadastro_bem");
  EXPECT_EQ(a, b);
  EXPECT_EQ(b->campos().size(), 49U);  // not composed twice
  EXPECT_EQ(b->pegaValor("descBem"), "");
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST_F(CatalogoTest, SettingsAppliedToEveryLayoutOfASystem) {
  catalogo.LocalizaCriaLayoutRegistro("Unico", "lancamentos");
  catalogo.LocalizaCriaLayoutRegistro("Unico", "bens-idEmpresa");
  clProduto* unico = catalogo.LocalizaCriaProduto("Unico");
  unico->AplicaConfiguracoesNosLayouts(true, true, true, ".", true);
  for (const auto& l : unico->layouts()) {
    EXPECT_TRUE(l->separaCasasDecimais && l->espacoNosNumerosVazios && l->espacoAdireitaNumeros &&
                l->separadorNoFinalDeCadaCampo);
    EXPECT_EQ(l->separadorCasasDecimais, ".");
    EXPECT_FALSE(l->virgulasNosNumericos || l->leituraComPipe);
  }
}

// Names that a system's list holds but whose composer builds no field.
const std::set<std::pair<std::string, std::string>> kListadosSemCampos = {
    {"Radar", "fiscal"}, {"Sage", "headerNFLancadas"}, {"Contmatic", "CR1-2"}};

// Every listed layout of every system, composed through the catalogue, without a message: every
// append landed on the running column (the last field ends where the running column stands, no
// two fields share a column), and a field with decimals is numeric.
TEST_F(CatalogoTest, EveryListedLayoutComposes) {
  for (const std::string& sistema : clProdutos::Produtos()) {
    for (const std::string& nome : clProdutos::LayoutsDoProduto(sistema)) {
      SCOPED_TRACE(sistema + " " + nome);
      clLayoutReg* l = nullptr;
      ASSERT_NO_THROW(l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome));
      ASSERT_NE(l, nullptr);
      EXPECT_EQ(l->campos().empty(), kListadosSemCampos.contains({sistema, nome}));
      if (l->campos().empty()) {
        continue;
      }
      EXPECT_EQ(l->TamanhoRegistro(), l->proximaColuna - 1);
      std::vector<const clLayoutCpo*> porColuna;
      for (const auto& c : l->campos()) {
        EXPECT_GE(c->inicio, 1) << c->nome;
        EXPECT_EQ(c->fim, c->inicio + c->tamanho - 1) << c->nome;
        if (c->decimais > 0) {
          EXPECT_EQ(c->tipo, "N") << c->nome;
        }
        porColuna.push_back(c.get());
      }
      std::sort(porColuna.begin(), porColuna.end(),
                [](const clLayoutCpo* a, const clLayoutCpo* b) { return a->inicio < b->inicio; });
      for (std::size_t i = 1; i < porColuna.size(); ++i) {
        EXPECT_GT(porColuna[i]->inicio, porColuna[i - 1]->fim) << porColuna[i]->nome;
      }
    }
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

// Text as it stands in the field's columns, blanks aside; a number at the field's decimals.
std::string Comparavel(const clLayoutCpo& c, const std::string& v) {
  if (c.EhTexto() || c.semFormatacao) {
    return std::string(Apara(Subtexto(v, 0, static_cast<std::size_t>(std::max(c.tamanho, 0)))));
  }
  // The number at the field's decimals, in columns wide enough for any value of the tests.
  FormatoNumero f;
  f.tamanho = 40;
  f.decimais = c.decimais;
  f.escreveSeparador = true;
  std::string texto;
  return FormataNumero(v, f, texto) == ResultadoNumero::kOk ? texto : "?" + v;
}

// Whatever a layout writes reads back to the same values, and those values write the same record.
TEST_F(CatalogoTest, EveryLayoutReadsBackWhatItWrote) {
  for (const std::string& sistema : clProdutos::Produtos()) {
    for (const std::string& nome : clProdutos::LayoutsDoProduto(sistema)) {
      clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro(sistema, nome);
      ASSERT_NE(l, nullptr);
      if (l->campos().empty()) {
        continue;
      }
      std::vector<std::string> escritos;
      std::size_t i = 0;
      for (const auto& c : l->campos()) {
        c->valor = teste::ValorQueCabe(*c, i++);
        escritos.push_back(c->valor);
      }
      const std::string registro =
          l->leituraComPipe ? l->ExpandeLayoutDivBarra() : l->ExpandeLayout();
      if (!l->leituraComPipe) {
        std::size_t finais = 0;
        for (const auto& c : l->campos()) {
          finais += c->SeparadorNoFinalEfetivo() ? 1 : 0;
        }
        EXPECT_EQ(ContaCaracteres(registro),
                  static_cast<std::size_t>(l->TamanhoRegistro()) + finais)
            << sistema << " " << nome;
      }
      std::string erro;
      ASSERT_TRUE(l->PreencheLayoutApartirLinha(registro, &erro)) << sistema << " " << nome << erro;
      i = 0;
      for (const auto& c : l->campos()) {
        EXPECT_EQ(Comparavel(*c, c->valor), Comparavel(*c, escritos[i++]))
            << sistema << " " << nome << " " << c->nome;
      }
      const std::string outra = l->leituraComPipe ? l->ExpandeLayoutDivBarra() : l->ExpandeLayout();
      EXPECT_EQ(outra, registro) << sistema << " " << nome;
    }
  }
}

}  // namespace
}  // namespace lumbrava
