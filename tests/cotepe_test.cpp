// Cotepe: the records E01 to E21 of a fiscal printer's data file.
#include <gtest/gtest.h>

#include <string>

#include "common/texto.h"
#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

// Every record, and names it does not know, leave the decimal separator empty: the composer
// writes its settings before it looks at the name.
TEST(Cotepe, Figures) {
  constexpr std::string_view s = "separadorCasasDecimais=";
  teste::ConfereFiguras("Cotepe", {
                                      {"E01", 18, 166, "E01", "VersaoAtoCotepe", s},
                                      {"E02", 13, 272, "E02", "Numerousuario", s},
                                      {"E03", 10, 116, "E03", "SomaBrutaDiaria", s},
                                      {"E04", 11, 112, "E04", "GT", s},
                                      {"E05", 17, 82, "E05", "Codificador Digito 9", s},
                                      {"E06", 8, 76, "E06", "SimbologiaMoeda", s},
                                      {"E07", 6, 62, "E07", "DataGravacao", s},
                                      {"E08", 6, 78, "E08", "SerieMFD", s},
                                      {"E09", 8, 65, "E09", "IndicadorPerda", s},
                                      {"E10", 9, 84, "E10", "CNPJ", s},
                                      {"E11", 17, 136, "E11", "HoraGravacao", s},
                                      {"E12", 13, 101, "E12", "DescontoISSQN", s},
                                      {"E13", 8, 72, "E13", "ValorAcumulado", s},
                                      {"E14", 19, 191, "E14", "CPFCNPJadquirente", s},
                                      {"E15", 24, 267, "E15", "Casasdecimaisvalorunitario", s},
                                      {"E16", 13, 90, "E16", "HoraFinalEmissao", s},
                                      {"E17", 8, 80, "E17", "ValorAcumulado", s},
                                      {"E18", 8, 80, "E18", "ValorAcumulado", s},
                                      {"E19", 19, 191, "E19", "CPFCNPJAdquirente", s},
                                      {"E20", 15, 142, "E20", "CancelamentoAcrescimo", s},
                                      {"E21", 12, 106, "E21", "ValorEstornado", s},
                                      {"e01", 0, 0, "", "", s},
                                      {"E1", 0, 0, "", "", s},
                                      {"E22", 0, 0, "", "", s},
                                      {" E01", 0, 0, "", "", s},
                                      {"E01 ", 0, 0, "", "", s},
                                      {"", 0, 0, "", "", s},
                                  });
}

// Four switches go off and the separator empties on every call; the other two are left alone.
TEST(Cotepe, SettingsWrittenOnEveryCall) {
  for (const char* nome : {"E01", "E22"}) {
    clLayoutReg l;
    l.separaCasasDecimais = l.separadorNoFinalDeCadaCampo = l.virgulasNosNumericos = true;
    l.espacoNosNumerosVazios = l.espacoAdireitaNumeros = l.leituraComPipe = true;
    l.separadorCasasDecimais = ".";
    l.CompoeLayout("Cotepe", nome);
    EXPECT_FALSE(l.separaCasasDecimais || l.separadorNoFinalDeCadaCampo || l.virgulasNosNumericos ||
                 l.espacoNosNumerosVazios)
        << nome;
    EXPECT_EQ(l.separadorCasasDecimais, "") << nome;
    EXPECT_TRUE(l.espacoAdireitaNumeros && l.leituraComPipe) << nome;
  }
}

// Fields that differ from their namesakes in other records, and the type letter at work: a time
// typed H is written as a number, one typed S as text.
TEST(Cotepe, IrregularRows) {
  auto e03 = teste::Compoe("Cotepe", "E03");
  EXPECT_EQ(teste::Forma(*e03, "HoraCadastro"), "55-70 0 H");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E04"), "HoraCadastro"), "55-60 0 H");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E02"), "Horacadastro"), "241-246 0 H");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E07"), "DataGravacao"), "55-62 0 D");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E09"), "DataGravacao"), "51-58 0 S");
  auto e16 = teste::Compoe("Cotepe", "E16");
  EXPECT_EQ(teste::Forma(*e16, "HoraFinalEmissao"), "85-90 0 S");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E14"), "Valortotalliquido"), "109-122 2 N");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E19"), "ValorTotalLiquido"), "109-122 0 S");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E17"), "ValorAcumulado"), "68-80 0 N");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E05"), "Codificador Digito 0"), "73-73 0 S");
  EXPECT_EQ(teste::Forma(*teste::Compoe("Cotepe", "E01"), "Modelo"),
            "52-71 0 S");  // after the brand

  e03->InformaValor("HoraCadastro", "93015");
  EXPECT_EQ(e03->LocalizaCampo("HoraCadastro")->ValorFormatado(), "0000000000093015");
  e16->InformaValor("HoraFinalEmissao", "93015");
  EXPECT_EQ(e16->LocalizaCampo("HoraFinalEmissao")->ValorFormatado(), "93015 ");
}

TEST(Cotepe, DocumentRoundTrip) {
  auto l = teste::Compoe("Cotepe", "E14");
  l->InformaValor("E14", "E14");
  l->InformaValor("Modelo", "MP-4000 TH FI");
  l->InformaValor("Numerousuario", "1");
  l->InformaValor("Datainicioemissao", "01022024");
  l->InformaValor("Subtotaldocumento", "150,00");
  l->InformaValor("Descontosobresubtotal", "10,5");
  l->InformaValor("Cancelamentoacrescimosubtotal", "7");
  l->InformaValor("Nomeadquirente", "JOSÉ DA CONCEIÇÃO");
  const std::string r = l->ExpandeLayout();
  ASSERT_EQ(ContaCaracteres(r), 191U);
  EXPECT_EQ(Subtexto(r, 44, 2), "01");
  EXPECT_EQ(Subtexto(r, 58, 35), "01022024" + std::string("00000000015000") + "0000000001050");
  EXPECT_EQ(Subtexto(r, 123, 13), "0000000000007");  // no decimals among amounts with two
  EXPECT_EQ(Subtexto(r, 137, 18), "JOSÉ DA CONCEIÇÃO ");

  auto lido = teste::Compoe("Cotepe", "E14");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(r));
  EXPECT_EQ(lido->pegaValor("Subtotaldocumento"), "150,00");
  EXPECT_EQ(lido->pegaValor("Descontosobresubtotal"), "10,50");
  EXPECT_EQ(lido->pegaValor("Cancelamentoacrescimosubtotal"), "7");
  EXPECT_EQ(Apara(lido->pegaValor("Nomeadquirente")), "JOSÉ DA CONCEIÇÃO");
  EXPECT_EQ(lido->ExpandeLayout(), r);
}

}  // namespace
}  // namespace lumbrava
