#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/texto.h"
#include "tests/apoio.h"

namespace lumbrava {
namespace {

const char* const kRegistros[] = {"E01", "E02", "E03", "E04", "E05", "E06", "E07",
                                  "E08", "E09", "E10", "E11", "E12", "E13", "E14",
                                  "E15", "E16", "E17", "E18", "E19", "E20", "E21"};

// The field of exactly this name (lookups by the layout ignore case).
const clLayoutCpo* Campo(const clLayoutReg& l, std::string_view nome) {
  for (const auto& c : l.campos()) {
    if (c->nome == nome) {
      return c.get();
    }
  }
  return nullptr;
}

std::string SemBrancosAdireita(std::string s) {
  while (!s.empty() && s.back() == ' ') {
    s.pop_back();
  }
  return s;
}

TEST(Cotepe, FieldCountsAndRecordLengths) {
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
  } casos[] = {
      {"E01", 18, 166}, {"E02", 13, 272}, {"E03", 10, 116}, {"E04", 11, 112}, {"E05", 17, 82},
      {"E06", 8, 76},   {"E07", 6, 62},   {"E08", 6, 78},   {"E09", 8, 65},   {"E10", 9, 84},
      {"E11", 17, 136}, {"E12", 13, 101}, {"E13", 8, 72},   {"E14", 19, 191}, {"E15", 24, 267},
      {"E16", 13, 90},  {"E17", 8, 80},   {"E18", 8, 80},   {"E19", 19, 191}, {"E20", 15, 142},
      {"E21", 12, 106},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Cotepe", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
  }
}

// Fields whose columns, decimals or type differ from a namesake in another record, and the
// record ends.
TEST(Cotepe, FieldsThatDifferBetweenRecords) {
  const struct {
    const char* registro;
    const char* campo;
    int inicio;
    int fim;
    int decimais;
    const char* tipo;
  } casos[] = {
      {"E01", "VersaoAtoCotepe", 152, 166, 0, "S"},
      {"E02", "GT_TotalizadorGeral", 253, 270, 2, "N"},
      {"E03", "HoraCadastro", 55, 70, 0, "H"},
      {"E04", "HoraCadastro", 55, 60, 0, "H"},
      {"E05", "CNPJ", 45, 58, 0, "S"},
      {"E06", "CNPJ", 45, 58, 0, "N"},
      {"E09", "DataGravacao", 51, 58, 0, "S"},
      {"E10", "CFD", 45, 50, 0, "S"},
      {"E12", "VendaBruta", 87, 100, 2, "N"},
      {"E12", "DescontoISSQN", 101, 101, 0, "S"},
      {"E13", "NumeroUsuario", 45, 46, 0, "S"},
      {"E13", "ValorAcumulado", 60, 72, 2, "N"},
      {"E14", "Valortotalliquido", 109, 122, 2, "N"},
      {"E14", "Cancelamentoacrescimosubtotal", 124, 136, 0, "N"},
      {"E15", "Descricao", 76, 175, 0, "S"},
      {"E15", "Valorunitario", 186, 193, 0, "N"},
      {"E15", "Descontosobreitem", 194, 201, 2, "N"},
      {"E16", "NumeroUsuario", 45, 46, 0, "S"},
      {"E16", "HoraFinalEmissao", 85, 90, 0, "S"},
      {"E17", "ValorAcumulado", 68, 80, 0, "N"},
      {"E19", "ValorTotalLiquido", 109, 122, 0, "S"},
      {"E20", "CancelamentoAcrescimo", 130, 142, 2, "N"},
      {"E21", "ValorEstornado", 94, 106, 2, "N"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Cotepe", c.registro);
    const clLayoutCpo* campo = Campo(*l, c.campo);
    ASSERT_NE(campo, nullptr) << c.registro << " " << c.campo;
    EXPECT_EQ(campo->inicio, c.inicio) << c.registro << " " << c.campo;
    EXPECT_EQ(campo->fim, c.fim) << c.registro << " " << c.campo;
    EXPECT_EQ(campo->decimais, c.decimais) << c.registro << " " << c.campo;
    EXPECT_EQ(campo->tipo, c.tipo) << c.registro << " " << c.campo;
  }
}

// Every record opens with its code, the serial number, the additional memory letter and the
// model; E01 alone has the printer type and brand before the model.
TEST(Cotepe, CommonHead) {
  for (const char* registro : kRegistros) {
    auto l = teste::Compoe("Cotepe", registro);
    const bool e01 = std::string(registro) == "E01";
    std::vector<std::pair<std::string, int>> cabeca = {
        {registro, 1}, {"NumeroFabricacao", 4}, {"MFadicional", 24}};
    if (e01) {
      cabeca.insert(cabeca.end(), {{"TipoECF", 25}, {"Marca", 32}});
    }
    cabeca.emplace_back("Modelo", e01 ? 52 : 25);
    ASSERT_GT(l->campos().size(), cabeca.size()) << registro;
    for (std::size_t i = 0; i < cabeca.size(); ++i) {
      EXPECT_EQ(l->campos()[i]->nome, cabeca[i].first) << registro;
      EXPECT_EQ(l->campos()[i]->inicio, cabeca[i].second) << registro;
      EXPECT_EQ(l->campos()[i]->tipo, "S") << registro;
    }
    EXPECT_EQ(l->campos()[cabeca.size()]->inicio, e01 ? 72 : 45) << registro;
  }
}

// Names kept exactly as the records write them: lower-case words, underscores and blanks.
TEST(Cotepe, NamesKeptAsWritten) {
  const struct {
    const char* registro;
    std::vector<std::string> nomes;
  } casos[] = {
      {"E02",
       {"Nomecontribuinte", "Datacadastro", "Horacadastro", "CRO_ContadorReinicioOperacao",
        "Numerousuario"}},
      {"E03", {"DataCadastro", "HoraCadastro"}},
      {"E05",
       {"Codificador Digito 0", "Codificador Digito 1", "Codificador Digito 2",
        "Codificador Digito 3", "Codificador Digito 4", "Codificador Digito 5",
        "Codificador Digito 6", "Codificador Digito 7", "Codificador Digito 8",
        "Codificador Digito 9"}},
      {"E14",
       {"Numerousuario", "CCF_CVC_CBP", "Datainicioemissao", "Valortotalliquido",
        "Indicadorcancelamento", "Nomeadquirente", "CPFCNPJadquirente"}},
      {"E15", {"Numerousuario", "CCF_CVC_CBPconformedocumentoemitido", "Numeroitem"}},
      {"E19",
       {"NumeroUsuario", "DataInicioEmissao", "ValorTotalLiquido", "IndicadorCancelamento",
        "NomeAdquirente", "CPFCNPJAdquirente"}},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Cotepe", c.registro);
    for (const std::string& nome : c.nomes) {
      EXPECT_NE(Campo(*l, nome), nullptr) << c.registro << " '" << nome << "'";
    }
  }
}

// What holds for every field of the system: plain appends with no options of their own, dates
// and times only as D and H, decimals only on numbers, names distinct ignoring case, fields side
// by side, and nothing said to the operator.
TEST(Cotepe, EveryFieldIsPlain) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  for (const char* registro : kRegistros) {
    auto l = teste::Compoe("Cotepe", registro);
    std::set<std::string> nomes;
    int coluna = 1;
    for (const auto& c : l->campos()) {
      const std::string onde = std::string(registro) + " " + c->nome;
      EXPECT_TRUE(nomes.insert(Maiusculas(c->nome)).second) << onde;
      EXPECT_EQ(c->inicio, coluna) << onde;
      EXPECT_EQ(c->posicao, c->inicio) << onde;
      coluna = c->fim + 1;
      EXPECT_TRUE(c->operacao.empty()) << onde;
      EXPECT_TRUE(c->alinhamento.empty()) << onde;
      EXPECT_FALSE(c->semFormatacao) << onde;
      EXPECT_TRUE(c->qualificador.empty()) << onde;
      EXPECT_FALSE(c->eliminaEspacos) << onde;
      EXPECT_FALSE(c->configuracaoParticular) << onde;
      EXPECT_TRUE(c->tipo == "S" || c->tipo == "N" || c->tipo == "D" || c->tipo == "H") << onde;
      if (c->tipo == "D") {
        EXPECT_EQ(c->nome.rfind("Data", 0), 0U) << onde;
        EXPECT_EQ(c->tamanho, 8) << onde;
      }
      if (c->tipo == "H") {
        EXPECT_EQ(c->nome.rfind("Hora", 0), 0U) << onde;
      }
      if (c->decimais != 0) {
        EXPECT_EQ(c->decimais, 2) << onde;
        EXPECT_EQ(c->tipo, "N") << onde;
      }
    }
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

// The five settings are written on every call, before the name is looked at; the two others are
// left alone. Names that differ by case or a blank compose nothing.
TEST(Cotepe, SettingsWrittenForAnyName) {
  const struct {
    const char* nome;
    std::size_t campos;
  } casos[] = {{"E01", 18}, {"E21", 12}, {"e01", 0}, {"E1", 0},  {"E22", 0},  {"E00", 0},
               {" E01", 0}, {"E01 ", 0}, {"", 0},    {"e21", 0}, {"E 01", 0}, {"Cotepe", 0}};
  for (const auto& c : casos) {
    clLayoutReg l;
    l.nomeRegistro = c.nome;
    l.separaCasasDecimais = true;
    l.separadorCasasDecimais = ".";
    l.separadorNoFinalDeCadaCampo = true;
    l.virgulasNosNumericos = true;
    l.espacoNosNumerosVazios = true;
    l.espacoAdireitaNumeros = true;
    l.leituraComPipe = true;
    l.CompoeLayout("Cotepe", c.nome);
    EXPECT_EQ(l.campos().size(), c.campos) << "'" << c.nome << "'";
    EXPECT_FALSE(l.separaCasasDecimais) << "'" << c.nome << "'";
    EXPECT_EQ(l.separadorCasasDecimais, "") << "'" << c.nome << "'";
    EXPECT_FALSE(l.separadorNoFinalDeCadaCampo) << "'" << c.nome << "'";
    EXPECT_FALSE(l.virgulasNosNumericos) << "'" << c.nome << "'";
    EXPECT_FALSE(l.espacoNosNumerosVazios) << "'" << c.nome << "'";
    EXPECT_TRUE(l.espacoAdireitaNumeros) << "'" << c.nome << "'";
    EXPECT_TRUE(l.leituraComPipe) << "'" << c.nome << "'";
    if (c.campos == 0) {
      EXPECT_EQ(l.TamanhoRegistro(), 0) << "'" << c.nome << "'";
    }
  }
}

// Records written from values and read back: numbers right-aligned, zero-filled and with implied
// decimals; texts left-aligned; dates and times typed D or H written as numbers.
TEST(Cotepe, RecordsWrittenAndReadBack) {
  const std::string fab = "BE0912345678901     ";     // NumeroFabricacao, 20
  const std::string modelo = "MP-4000 TH FI       ";  // Modelo, 20
  const struct {
    const char* registro;
    std::vector<std::string> valores;  // in field order
    std::string registroEsperado;
  } casos[] = {
      {"E01",
       {"E01", "BE0912345678901", "A", "ECF-IF", "FABRICANTE", "MP-4000 TH FI", "01.00.01",
        "01022024", "093015", "7", "12345678000195", "MF", "15", "120", "01012024", "31012024",
        "01.00.00", "01.00.00"},
       "E01" + fab + "A" + "ECF-IF " + "FABRICANTE          " + modelo + "01.00.01  " + "01022024" +
           "093015" + "007" + "12345678000195" + "MF " + "000015" + "000120" + "01012024" +
           "31012024" + "01.00.00" + "01.00.00       "},
      {"E02",
       {"E02", "BE0912345678901", "A", "MP-4000 TH FI", "01234567000189", "ISENTO",
        "PADARIA BOM PAO LTDA", "RUA DAS FLORES, 100 - CENTRO", "15032023", "141500", "3",
        "1234,56", "1"},
       "E02" + fab + "A" + modelo + "01234567000189" + "ISENTO        " +
           "PADARIA BOM PAO LTDA                    " + "RUA DAS FLORES, 100 - CENTRO" +
           std::string(92, ' ') + "15032023" + "141500" + "000003" + "000000000000123456" + "01"},
      {"E05",
       {"E05", "BE0912345678901", "A", "MP-4000 TH FI", "12345678000195", "01022024", "235959", "S",
        "E", "M", "P", "R", "O", "B", "L", "U", "X"},
       "E05" + fab + "A" + modelo + "12345678000195" + "01022024" + "235959" + "SEMPROBLUX"},
      {"E14",
       {"E14", "BE0912345678901", "A", "MP-4000 TH FI", "1", "4521", "8890", "01022024", "150,00",
        "10,50", "V", "0,75", "P", "140,25", "N", "0", "D", "JOSE DA SILVA", "12345678909"},
       "E14" + fab + "A" + modelo + "01" + "004521" + "008890" + "01022024" + "00000000015000" +
           "0000000001050" + "V" + "0000000000075" + "P" + "00000000014025" + "N" +
           "0000000000000" + "D" + "JOSE DA SILVA" + std::string(27, ' ') + "12345678909   "},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Cotepe", c.registro);
    ASSERT_EQ(c.valores.size(), l->campos().size()) << c.registro;
    for (std::size_t i = 0; i < c.valores.size(); ++i) {
      l->InformaValor(l->campos()[i]->nome, c.valores[i]);
    }
    const std::string registro = l->ExpandeLayout();
    EXPECT_EQ(registro, c.registroEsperado) << c.registro;
    EXPECT_EQ(static_cast<int>(registro.size()), l->TamanhoRegistro()) << c.registro;

    auto lido = teste::Compoe("Cotepe", c.registro);
    std::string erro;
    EXPECT_TRUE(lido->PreencheLayoutApartirLinha(registro, &erro)) << c.registro << ": " << erro;
    for (std::size_t i = 0; i < c.valores.size(); ++i) {
      const std::string& campo = lido->campos()[i]->nome;
      EXPECT_EQ(SemBrancosAdireita(lido->pegaValor(campo)), c.valores[i])
          << c.registro << " " << campo;
    }
    EXPECT_EQ(lido->ExpandeLayout(), registro) << c.registro;
  }
}

// The type letter decides how a value is written: the same value in a field typed D, H or N is a
// zero-filled number, in a field typed S a left-aligned text.
TEST(Cotepe, TypeLetterDecidesHowAValueIsWritten) {
  const struct {
    const char* registro;
    const char* campo;
    const char* valor;
    const char* escrito;
  } casos[] = {
      {"E01", "DataGravacaoSB", "1022024", "01022024"},
      {"E09", "DataGravacao", "1022024", "1022024 "},
      {"E16", "HoraFinalEmissao", "93015", "93015 "},
      {"E03", "HoraCadastro", "93015", "0000000000093015"},
      {"E02", "CNPJ", "1234567000189", "1234567000189 "},
      {"E06", "CNPJ", "1234567000189", "01234567000189"},
      {"E14", "Subtotaldocumento", "150,00", "00000000015000"},
      {"E19", "Subtotal", "150,00", "150,00        "},
      {"E20", "ValorTotalLiquido", "12,5", "0000000001250"},
      {"E17", "ValorAcumulado", "12,5", "0000000000013"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Cotepe", c.registro);
    ASSERT_TRUE(l->InformaValor(c.campo, c.valor)) << c.registro << " " << c.campo;
    EXPECT_EQ(Campo(*l, c.campo)->ValorFormatado(), c.escrito) << c.registro << " " << c.campo;
  }
}

// A number that does not fit its columns, or a date typed D written with separators, is refused
// rather than cut.
TEST(Cotepe, ValuesThatDoNotFitAreRefused) {
  const struct {
    const char* registro;
    const char* campo;
    const char* valor;
  } casos[] = {
      {"E01", "NumeroSequencialECF", "1000"},
      {"E02", "GT_TotalizadorGeral", "12345678901234567"},
      {"E15", "Descontosobreitem", "1000000,00"},
      {"E01", "DataInicial", "31/01/2024"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("Cotepe", c.registro);
    ASSERT_TRUE(l->InformaValor(c.campo, c.valor)) << c.registro << " " << c.campo;
    EXPECT_THROW(l->ExpandeLayout(), ErroValor) << c.registro << " " << c.campo;
  }
}

}  // namespace
}  // namespace lumbrava
