#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/texto.h"
#include "layouts/cl_produtos.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

TEST(Contmatic, FiguresOfEveryLayout) {
  teste::ConfereFiguras("Contmaster", {{"lancamentos", 9, 213, "filler", "nomeForn"},
                                       {"Lancamentos", 0, 0, "", ""},
                                       {"LANCAMENTOS", 0, 0, "", ""},
                                       {"lancamentos ", 0, 0, "", ""}});
  teste::ConfereFiguras(
      "Contmatic",
      {{"cabecLancamento1", 7, 229, "fixo", "complHP"},
       {"contaLancamento2", 5, 231, "fixo", "complHP"},
       {"CCLancamento3", 3, 60, "fixo", "valor"},
       {"lancMultiplo", 9, 332, "numLanc", "centroC",
        "separaCasasDecimais separadorCasasDecimais=."},
       {"folha", 8, 99, "codigoFuncionario", "finalizador"},
       {"Ativo", 24, 515, "codigoAtivo", "baseCalc", "virgulasNosNumericos espacoNosNumerosVazios"},
       {"Inventario", 14, 324, "Codigo", "ValorCOFINS",
        "separaCasasDecimais separadorCasasDecimais=."},
       {"R1", 56, 595, "tipo", "vago"},
       {"R2", 8, 131, "tipo", "vago2"},
       {"CR1", 31, 367, "registro", "filler"},
       {"CadFuncFolha", 86, 1021, "codFunc", "codPgtoGps"},
       {"BenefFuncCad", 13, 183, "codFunc", "codDep"},
       {"HistoricoSalario", 10, 97, "tipoEmpregado", "motivo"},
       {"HistoricoCargo", 4, 60, "codFunc", "dtAlt"},
       // Listed by the catalogue but not built; names in another case.
       {"CR1-2", 0, 0, "", ""},
       {"ativo", 0, 0, "", ""},
       {"inventario", 0, 0, "", ""},
       {"ccLancamento3", 0, 0, "", ""},
       {"cr1", 0, 0, "", ""},
       {"historicocargo", 0, 0, "", ""},
       {"lancamentos", 0, 0, "", ""}});
}

TEST(Contmatic, ListedNameWithoutFieldsComesOutEmpty) {
  auto operador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(operador);
  clProdutos catalogo;
  clLayoutReg* l = catalogo.LocalizaCriaLayoutRegistro("Contmatic", "CR1-2");
  ASSERT_NE(l, nullptr);
  EXPECT_TRUE(l->campos().empty());
  EXPECT_EQ(catalogo.LocalizaCriaLayoutRegistro("Contmatic", "CR1")->campos().size(), 31U);
  EXPECT_TRUE(operador->mensagens.empty());
}

// The settings that a layout writes land over whatever the layout held; the others, and every
// setting on a name the composer does not know, stay.
TEST(Contmatic, SettingsWrittenOverTheLayouts) {
  const auto prepara = [](const std::string& nome) {
    auto l = std::make_unique<clLayoutReg>();
    l->virgulasNosNumericos = true;
    l->espacoNosNumerosVazios = true;
    l->separadorCasasDecimais = ";";
    l->CompoeLayout("Contmatic", nome);
    return l;
  };
  auto folha = prepara("folha");
  EXPECT_FALSE(folha->virgulasNosNumericos || folha->espacoNosNumerosVazios);
  EXPECT_EQ(folha->separadorCasasDecimais, ";");
  auto cr1 = prepara("CR1");
  EXPECT_FALSE(cr1->virgulasNosNumericos);
  EXPECT_TRUE(cr1->espacoNosNumerosVazios);
  auto inventario = prepara("Inventario");
  EXPECT_EQ(inventario->separadorCasasDecimais, ".");
  EXPECT_TRUE(inventario->virgulasNosNumericos && inventario->separaCasasDecimais);
  for (const char* nome : {"CR1-2", "Folha", "R1", "CadFuncFolha"}) {
    auto l = prepara(nome);
    EXPECT_EQ(teste::AjustesDiferentes(*l),
              "virgulasNosNumericos espacoNosNumerosVazios separadorCasasDecimais=;")
        << nome;
  }
}

// The asset's adjustment date is named "dtAjuste " with a blank at the end; look-ups ignore case
// but not the blank.
TEST(Contmatic, AssetFieldNamedWithATrailingBlank) {
  auto l = teste::Compoe("Contmatic", "Ativo");
  EXPECT_TRUE(l->ExisteCampo("dtAjuste "));
  EXPECT_TRUE(l->ExisteCampo("DTAJUSTE "));
  EXPECT_FALSE(l->ExisteCampo("dtAjuste"));
  EXPECT_FALSE(l->InformaValor("dtAjuste", "31/12/2023"));
  ASSERT_TRUE(l->InformaValor("dtajuste ", "31/12/2023"));
  const clLayoutCpo* ajuste = l->LocalizaCampo("dtAjuste ");
  ASSERT_NE(ajuste, nullptr);
  EXPECT_EQ(ajuste->nome, "dtAjuste ");
  EXPECT_EQ(ajuste->inicio, 399);
  EXPECT_EQ(l->pegaValor("dtAjuste"), "");

  l->InformaValor("codigoAtivo", "77");
  l->InformaValor("nomeAtivo", "Depósito de grãos");
  l->InformaValor("valor", "15000,5");
  l->InformaValor("geraAjuste", "S");
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(linha), 515U);
  EXPECT_EQ(linha.substr(0, 9), "       77");
  // Numbers with their comma, filled with blanks; an empty number is blank.
  EXPECT_EQ(Subtexto(linha, 260, 17), "         15000,50");
  EXPECT_EQ(Subtexto(linha, 209, 6), "      ");
  EXPECT_EQ(Subtexto(linha, 397, 11), "S31/12/2023");
  auto lido = teste::Compoe("Contmatic", "Ativo");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("dtAjuste "), "31/12/2023");
  EXPECT_EQ(lido->pegaValor("valor"), "15000,50");
  EXPECT_EQ(lido->pegaValor("nNota"), "");
  EXPECT_EQ(Apara(lido->pegaValor("nomeAtivo")), "Depósito de grãos");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

// The service invoice's type has 2 decimals in its 2 columns: it holds only fractions of one, and
// refuses a whole number; the fiscal invoice's type of the same columns takes it.
TEST(Contmatic, ServiceInvoiceTypeHoldsOnlyFractions) {
  auto cr1 = teste::Compoe("Contmatic", "CR1");
  const clLayoutCpo* tipo = cr1->LocalizaCampo("tipoNota");
  EXPECT_EQ(tipo->tamanho, 2);
  EXPECT_EQ(tipo->decimais, 2);
  cr1->InformaValor("registro", "CR1");
  cr1->InformaValor("valor", "350,4");
  cr1->InformaValor("tipoNota", "1");
  EXPECT_THROW(cr1->ExpandeLayout(), ErroValor);
  cr1->InformaValor("tipoNota", "0,12");
  const std::string linha = cr1->ExpandeLayout();
  EXPECT_EQ(linha.substr(149, 2), "12");
  EXPECT_EQ(linha.substr(45, 10), "0000035040");
  auto lido = teste::Compoe("Contmatic", "CR1");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("tipoNota"), "0,12");
  EXPECT_EQ(lido->pegaValor("valor"), "350,40");

  auto r1 = teste::Compoe("Contmatic", "R1");
  r1->InformaValor("tipoNota", "1");
  EXPECT_EQ(r1->ExpandeLayout().substr(438, 2), "01");
}

TEST(Contmatic, ContmasterEntryRoundTrip) {
  auto l = teste::Compoe("Contmaster", "lancamentos");
  l->InformaValor("contaDeb", "1.1.02");
  l->InformaValor("codHist", "15");
  l->InformaValor("valor", "2500,9");
  l->InformaValor("data", "29022024");
  l->InformaValor("complHist", "Depósito bancário");
  l->InformaValor("nomeForn", "Açúcar União");
  const std::string linha = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(linha), 213U);
  EXPECT_EQ(linha.substr(41, 25),
            "00015000000250090"
            "29022024");
  EXPECT_EQ(Subtexto(linha, 178, 35), "Açúcar União" + std::string(23, ' '));
  auto lido = teste::Compoe("Contmaster", "lancamentos");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha));
  EXPECT_EQ(lido->pegaValor("valor"), "2500,90");
  EXPECT_EQ(lido->pegaValor("codHist"), "15");
  EXPECT_EQ(Apara(lido->pegaValor("complHist")), "Depósito bancário");
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
