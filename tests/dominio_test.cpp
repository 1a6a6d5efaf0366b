// Dominio settlements, accounting, payroll, batch, asset, service-invoice, RPA and receipt
// layouts, and the hand-over of every other name down the Dominio chain.
#include <gtest/gtest.h>

#include <climits>
#include <stdexcept>
#include <string>

#include "tests/apoio.h"
#include "tests/figuras.h"

namespace lumbrava {
namespace {

constexpr const char* kNovo =
    "separaCasasDecimais espacoNosNumerosVazios separadorNoFinalDeCadaCampo";
constexpr const char* kRecebimentos = "separaCasasDecimais separadorNoFinalDeCadaCampo";
constexpr const char* kPipe = "leituraComPipe";

TEST(Dominio, FiguresOfEveryLayout) {
  auto operador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guarda(operador);
  teste::ConfereFiguras(
      "Dominio", {
                     {"baixaCabec", 6, 76, "identif", "filler"},
                     {"baixaNf", 7, 66, "identif", "brancos"},
                     {"baixaRecebimento", 20, 311, "identif", "brancos"},
                     {"baixaCabecNovo", 2, 18, "identif", "cnpj"},
                     {"baixaNFeRecebimento", 23, 267, "identif", "segmento", kNovo},
                     {"baixaNFePagamento", 21, 242, "identif", "segmento", kNovo},
                     {"baixaLancContNovo", 9, 597, "identif", "codEmpresa", kNovo},
                     {"baixaCC", 4, 37, "identif", "valor", kNovo},
                     {"baixaPagamento", 16, 209, "identif", "brancos"},
                     {"baixaLancCont", 12, 699, "identif", "brancos"},
                     {"cabecalho", 10, 54, "identif", "fixo2"},
                     {"contabil-2", 6, 150, "identif", "brancos"},
                     {"contabil-3", 9, 664, "identif", "brancos"},
                     {"contabil-5", 6, 138, "identif", "brancos"},
                     {"inventario", 17, 332, "identif", "aliqICMS",
                      "separaCasasDecimais separadorCasasDecimais="},
                     {"impostos", 13, 191, "Fixo", "Brancos"},
                     {"folha-1", 7, 43, "Fixo", "Empresa"},
                     {"folha-20", 2, 16, "fixo", "cnpjOperadora"},
                     {"folha-25", 4, 22, "fixo", "Valor"},
                     {"func", 17, 264, "codEmpresa", "serieCTPS"},
                     {"lancEmLote6000", 5, 17, "identificador", "rttDoFCONT", kPipe},
                     {"lancEmLote6100", 11, 198, "identificador", "codSCP2", kPipe},
                     {"lancEmLote6110", 4, 38, "identificador", "valorRateio", kPipe},
                     {"lancEmLote6140", 7, 130, "identificador", "credOuDeb"},
                     {"identificacaoEmpresa", 2, 18, "identificador", "inscricaoEmpresa", kPipe},
                     {"ativo", 36, 499, "codEmpresa", "periodoCalculoPISCOFINS",
                      "separaCasasDecimais espacoNosNumerosVazios espacoAdireitaNumeros "
                      "separadorCasasDecimais=. separadorNoFinalDeCadaCampo"},
                     {"ativoNovo", 73, 1297, "identificador", "seqItemDocFiscal", kNovo},
                     {"NFServicosCab", 10, 54, "id", "fixo17"},
                     {"NFServicosCli", 29, 617, "id", "brancos2"},
                     {"NFServicosImp", 11, 191, "id", "brancos"},
                     {"NFServicosItens", 27, 298, "id", "brancos"},
                     {"NFServicosParcela", 23, 322, "id", "brancos"},
                     {"NFServicosCont", 11, 697, "id", "brancos"},
                     {"CadastroContribuinteRPA", 23, 325, "codEmpresa", "enviaEsocial"},
                     {"ContribuinteRPA", 20, 266, "codEmpresa", "valorIR"},
                     {"recebimentosEntradas", 21, 256, "identif", "segmento", kRecebimentos},
                     {"recebimentosLancs", 9, 135, "identif", "codEmpresa", kRecebimentos},
                     {"recebimentosSaidasEServicos", 23, 284, "identif", "segmento", kRecebimentos},
                     // Handed down the chain, where no composer knows them.
                     {"naoExiste", 0, 0, "", ""},
                     {"", 0, 0, "", ""},
                     {"BaixaCabec", 0, 0, "", ""},
                     {"baixaCC ", 0, 0, "", ""},
                     {"ativonovo", 0, 0, "", ""},
                     {" ativo", 0, 0, "", ""},
                 });
  EXPECT_TRUE(operador->mensagens.empty());
}

TEST(Dominio, IrregularRows) {
  auto inventario = teste::Compoe("Dominio", "inventario");
  const clLayoutCpo* unitario = inventario->LocalizaCampo("valorUnit");
  EXPECT_EQ(unitario->tipo, "N");  // passed as "S" with 3 decimals
  EXPECT_EQ(unitario->decimais, 3);
  const clLayoutCpo* icms = inventario->LocalizaCampo("aliqICMS");
  EXPECT_EQ(icms->inicio, 328);  // after the 128-column filler
  EXPECT_EQ(icms->fim, 332);
  EXPECT_EQ(inventario->campos().front()->tamanho, 1);
  // The decimals are written, with nothing between them and the integer digits.
  inventario->InformaValor("valorUnit", "12,5");
  EXPECT_EQ(inventario->ExpandeLayout().substr(85, 13), "0000000012500");

  auto func = teste::Compoe("Dominio", "func");
  ASSERT_EQ(func->campos().size(), 17U);
  EXPECT_EQ(func->campos()[3]->nome, "v\u00ednculos");
  EXPECT_EQ(func->campos()[3]->inicio, 35);

  auto contabil3 = teste::Compoe("Dominio", "contabil-3");
  EXPECT_EQ(contabil3->LocalizaCampo("descHP")->inicio, 46);
  EXPECT_EQ(contabil3->LocalizaCampo("descHP")->fim, 557);
  EXPECT_EQ(contabil3->LocalizaCampo("sequencial")->tipo, "S");
  EXPECT_EQ(teste::Compoe("Dominio", "contabil-2")->LocalizaCampo("sequencial")->tipo, "N");

  auto ativoNovo = teste::Compoe("Dominio", "ativoNovo");
  EXPECT_EQ(ativoNovo->LocalizaCampo("valorICMSSubstTribut")->inicio, 809);
  EXPECT_EQ(ativoNovo->LocalizaCampo("valorICMSSubstTribut")->fim, 821);
  EXPECT_EQ(ativoNovo->LocalizaCampo("taxaInicialSocietaria")->decimais, 4);

  auto rpa = teste::Compoe("Dominio", "CadastroContribuinteRPA");
  EXPECT_EQ(rpa->LocalizaCampo("catEsocial")->inicio, 322);
  EXPECT_EQ(rpa->LocalizaCampo("enviaEsocial")->inicio, 325);
  auto contribuinte = teste::Compoe("Dominio", "ContribuinteRPA");
  EXPECT_EQ(contribuinte->LocalizaCampo("pensaoAlim")->decimais, 0);
  EXPECT_EQ(contribuinte->LocalizaCampo("valorIR")->decimais, 2);

  EXPECT_EQ(teste::Compoe("Dominio", "NFServicosImp")->campos().back()->tipo, "N");
  EXPECT_EQ(teste::Compoe("Dominio", "NFServicosParcela")->campos().back()->tipo, "S");
  EXPECT_EQ(teste::Compoe("Dominio", "NFServicosCab")->campos()[7]->nome, "constant");
}

// Every setting that a layout does not write keeps what the layout held; the ones it writes are
// written whatever the layout held.
TEST(Dominio, WritesOnlyItsOwnSettings) {
  const struct {
    const char* nome;
    const char* ajustes;
  } casos[] = {
      {"baixaCabecNovo",
       "virgulasNosNumericos espacoAdireitaNumeros separadorCasasDecimais=# "
       "leituraComPipe"},
      {"baixaCC",
       "virgulasNosNumericos separaCasasDecimais espacoNosNumerosVazios "
       "espacoAdireitaNumeros separadorNoFinalDeCadaCampo leituraComPipe"},
      {"inventario",
       "virgulasNosNumericos separaCasasDecimais espacoAdireitaNumeros "
       "separadorCasasDecimais= leituraComPipe"},
      {"lancEmLote6140",
       "virgulasNosNumericos espacoAdireitaNumeros separadorCasasDecimais=# "
       "leituraComPipe"},
      {"ativo",
       "virgulasNosNumericos separaCasasDecimais espacoNosNumerosVazios "
       "espacoAdireitaNumeros separadorCasasDecimais=. separadorNoFinalDeCadaCampo "
       "leituraComPipe"},
      {"ativoNovo",
       "virgulasNosNumericos separaCasasDecimais espacoNosNumerosVazios "
       "espacoAdireitaNumeros separadorNoFinalDeCadaCampo leituraComPipe"},
      {"recebimentosLancs",
       "virgulasNosNumericos separaCasasDecimais espacoAdireitaNumeros "
       "separadorNoFinalDeCadaCampo leituraComPipe"},
      {"naoExiste",
       "virgulasNosNumericos espacoAdireitaNumeros separadorCasasDecimais=# "
       "leituraComPipe"},
  };
  for (const auto& c : casos) {
    clLayoutReg l;
    l.virgulasNosNumericos = true;
    l.espacoAdireitaNumeros = true;
    l.separadorCasasDecimais = "#";
    l.leituraComPipe = true;
    l.CompoeLayout("Dominio", c.nome);
    EXPECT_EQ(teste::AjustesDiferentes(l), c.ajustes) << c.nome;
  }
}

// The asset layouts set their number format before the first field, the others after the last:
// a composition that fails on its third field leaves the one written and not the other.
TEST(Dominio, AssetSettingsComeBeforeTheFields) {
  for (const char* nome : {"ativo", "ativoNovo", "baixaCC", "recebimentosLancs"}) {
    clLayoutReg l;
    l.proximaColuna = INT_MAX - 20;
    EXPECT_THROW(l.CompoeLayout("Dominio", nome), std::overflow_error) << nome;
    EXPECT_EQ(l.campos().size(), 2U) << nome;
    const bool ativo = std::string(nome).starts_with("ativo");
    EXPECT_EQ(l.separaCasasDecimais, ativo) << nome;
    EXPECT_EQ(l.separadorNoFinalDeCadaCampo, ativo) << nome;
  }
}

TEST(Dominio, RightAlignedFields) {
  auto cli = teste::Compoe("Dominio", "NFServicosCli");
  for (const auto& c : cli->campos()) {
    EXPECT_EQ(c->alinhamento, c->nome == "observ" ? "D" : "") << c->nome;
  }
  const clLayoutCpo* observ = cli->LocalizaCampo("observ");
  EXPECT_EQ(observ->inicio, 218);
  EXPECT_EQ(observ->fim, 517);
  cli->InformaValor("observ", "Obs final");
  cli->InformaValor("brancos2", "x");
  const std::string linha = cli->ExpandeLayout();
  ASSERT_EQ(linha.size(), 617U);
  EXPECT_EQ(linha.substr(217, 300), std::string(291, ' ') + "Obs final");
  EXPECT_EQ(linha.substr(517, 100), "x" + std::string(99, ' '));

  auto nf = teste::Compoe("Dominio", "baixaNf");
  for (const auto& c : nf->campos()) {
    EXPECT_EQ(c->alinhamento, c->nome == "serie" ? "D" : "") << c->nome;
  }
  auto saidas = teste::Compoe("Dominio", "recebimentosSaidasEServicos");
  EXPECT_EQ(saidas->LocalizaCampo("serie")->alinhamento, "D");
  EXPECT_EQ(saidas->LocalizaCampo("serie")->inicio, 15);
  EXPECT_EQ(teste::Compoe("Dominio", "recebimentosEntradas")->LocalizaCampo("serie")->alinhamento,
            "");
}

TEST(Dominio, BatchEntriesReadSeparatedLines) {
  auto l = teste::Compoe("Dominio", "lancEmLote6100");
  ASSERT_TRUE(l->PreencheLayoutApartirLinha(
      "|6100|31/01/2024|1101|2201|1234,56|10|Dep\u00f3sito do dia|ANA|1|||"));
  EXPECT_EQ(l->pegaValor("identificador"), "6100");
  EXPECT_EQ(l->pegaValor("dataLanc"), "31/01/2024");
  EXPECT_EQ(l->pegaValor("valorLanc"), "1234,56");  // text, as read
  EXPECT_EQ(l->pegaValor("descHistorico"), "Dep\u00f3sito do dia");
  EXPECT_EQ(l->pegaValor("codFilial"), "1");
  EXPECT_EQ(l->pegaValor("codSCP2"), "");
  EXPECT_EQ(l->ExpandeLayoutDivBarra(),
            "|6100|31/01/2024|1101|2201|1234,56|10|Dep\u00f3sito do dia|ANA|1|||");

  // Record 6140 is read by its columns.
  auto documento = teste::Compoe("Dominio", "lancEmLote6140");
  ASSERT_TRUE(documento->PreencheLayoutApartirLinha("6140X" + std::string(100, '9') + "N"));
  EXPECT_EQ(documento->pegaValor("tipoLancamento"), "X");
  EXPECT_EQ(documento->pegaValor("tipoDoc"), "N");
}

// The asset record: "." between the decimals, blanks to the left of numbers and ";" after every
// field, so each field starts one character later than its column.
TEST(Dominio, AssetRecordRoundTrip) {
  auto l = teste::Compoe("Dominio", "ativo");
  l->InformaValor("codEmpresa", "7");
  l->InformaValor("codAtivo", "1234");
  l->InformaValor("descricao", "Trator");
  l->InformaValor("taxaAlternativa", "12,5");
  l->InformaValor("deprecAcomuladaIndice", "1,2345");
  l->InformaValor("historico", "Dep\u00f3sito central");
  l->InformaValor("periodoCalculoPISCOFINS", "202401");
  const std::string linha = l->ExpandeLayout();
  EXPECT_EQ(linha.substr(0, 28), "         7;      1234;Trator");
  // taxaAlternativa: column 189, the ninth field.
  EXPECT_EQ(linha.substr(196, 11), "     12.50;");
  // correcaoMonetaria (empty, blanks) and deprecAcomuladaIndice: columns 229 and 239.
  EXPECT_EQ(linha.substr(240, 22), std::string(10, ' ') + ";    1.2345;");
  EXPECT_EQ(linha.substr(linha.size() - 11), "    202401;");

  auto lido = teste::Compoe("Dominio", "ativo");
  std::string erro;
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(linha, &erro)) << erro;
  EXPECT_EQ(lido->pegaValor("codAtivo"), "1234");
  EXPECT_EQ(lido->pegaValor("taxaAlternativa"), "12,50");
  EXPECT_EQ(lido->pegaValor("deprecAcomuladaIndice"), "1,2345");
  EXPECT_EQ(lido->pegaValor("valorAvaliado"), "");
  EXPECT_EQ(lido->pegaValor("historico"), "Dep\u00f3sito central" + std::string(64, ' '));
  EXPECT_EQ(lido->ExpandeLayout(), linha);
}

}  // namespace
}  // namespace lumbrava
