// Questor: accounting entries, trade bills, Z reductions, payroll, withheld taxes, and the
// "|"-separated client register and daily current-account entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the layout sheet lists them.
// clang-format off
constexpr Passo kLancamentos[] = {
    {1, "flag", 1, 0, "S"},
    {2, "codEmpresa", 5, 0, "N"},
    {7, "chaveLcto", 11, 0, "N"},
    {18, "codLcto", 5, 0, "N"},
    {23, "codEstabelecimento", 5, 0, "N"},
    {28, "codLote", 7, 0, "N"},
    {35, "dataLote", 10, 0, "S"},
    {45, "tipoLcto", 2, 0, "S"},
    {47, "numeroDoc", 10, 0, "S"},
    {57, "codOrigem", 2, 0, "S"},
    {59, "ctDeb", 11, 0, "N"},
    {70, "ctCred", 11, 0, "N"},
    {81, "hp", 6, 0, "N"},
    {87, "compl", 300, 0, "S"},
    {387, "valor", 16, 2, "N"},
    {403, "conciDeb", 1, 0, "S"},
    {404, "conciCred", 1, 0, "S"},
    {405, "chaveOrigem", 25, 0, "S"},
    {430, "transCtb", 11, 0, "S"},
    {441, "codEstabOrig", 5, 0, "S"},
};

constexpr Passo kLancamentosCC[] = {
    {1, "flag", 2, 0, "S"},
    {3, "codEmpresa", 5, 0, "S"},
    {8, "chaveLcto", 11, 0, "S"},
    {19, "codCC", 11, 0, "S"},
    {30, "naturezaLcto", 2, 0, "S"},
    {32, "contaCTB", 11, 0, "S"},
    {43, "dataLCTO", 10, 0, "S"},
    {53, "valor", 16, 0, "S"},
    {69, "origem", 2, 0, "S"},
};

constexpr Passo kLancamentosSimples[] = {
    {1, "fixoC", 1, 0, "S"},
    {2, "codigoestab", 16, 0, "N"},
    {18, "data", 10, 0, "S"},
    {28, "numDoc", 10, 0, "S"},
    {38, "contaDeb", 18, 0, "N"},
    {56, "contaCred", 18, 0, "N"},
    {74, "valor", 16, 2, "N"},
    {90, "hp", 5, 0, "N"},
    {95, "compl", 300, 0, "S"},
};

constexpr Passo kRegistroXX[] = {
    {1, "ident", 2, 0, "S"},
    {3, "natureza", 2, 0, "S"},
    {5, "codCentroC", 11, 0, "S"},
    {16, "valor", 16, 2, "N"},
};

constexpr Passo kDupliPagA[] = {
    {1, "ident", 1, 0, "S"},
    {2, "fornecedor", 18, 0, "S"},
    {20, "numDupli", 9, 0, "N"},
    {29, "estabelecimento", 18, 0, "S"},
    {47, "data", 10, 0, "S"},
    {57, "observacao", 100, 0, "S"},
    {157, "titulo", 2, 0, "N"},
};

constexpr Passo kDupliRecA[] = {
    {1, "ident", 1, 0, "S"},
    {2, "numDupli", 9, 0, "N"},
    {11, "cliente", 18, 0, "S"},
    {29, "estabelecimento", 18, 0, "S"},
    {47, "data", 10, 0, "S"},
    {57, "observacao", 100, 0, "S"},
    {157, "titulo", 2, 0, "N"},
    {159, "serie", 3, 0, "S"},
};

constexpr Passo kDuplicataB[] = {
    {1, "ident", 1, 0, "S"},
    {2, "numParcela", 9, 0, "N"},
    {11, "dataVencimento", 18, 0, "S"},
    {29, "valor", 14, 2, "N"},
    {43, "situacao", 4, 0, "N"},
};

constexpr Passo kDuplicataC[] = {
    {1, "ident", 1, 0, "S"},
    {2, "estabelecimento", 18, 0, "N"},
    {20, "numDupli", 9, 0, "S"},
    {29, "numParcela", 2, 2, "N"},
    {31, "cliente", 18, 0, "N"},
    {49, "dataPagamento", 10, 0, "S"},
    {59, "tarifas", 14, 2, "N"},
    {73, "valorPago", 14, 2, "N"},
    {87, "valorJuros", 14, 2, "N"},
    {101, "valorMultas", 14, 2, "N"},
    {115, "valorDescontos", 14, 2, "N"},
    {129, "tabelaCont", 4, 0, "S"},
};

constexpr Passo kReducaoZ[] = {
    {1, "flag", 1, 0, "S"},
    {2, "codEmpresa", 5, 0, "N"},
    {7, "codReducao", 10, 0, "N"},
    {17, "codEstabelecimento", 5, 0, "N"},
    {22, "codImpressora", 5, 0, "N"},
    {27, "dataLcto", 10, 0, "S"},
    {37, "cupomInicial", 7, 0, "N"},
    {44, "cupomFinal", 7, 0, "N"},
    {51, "contadorReducao", 10, 0, "N"},
    {61, "contadorReinicio", 5, 0, "N"},
    {66, "numMapaResumo", 10, 0, "N"},
    {76, "totalBruto", 16, 2, "N"},
    {92, "totalGeral", 16, 2, "N"},
    {108, "vendaLiquida", 16, 2, "N"},
    {124, "valSubstICMS", 16, 2, "N"},
    {140, "valIsentoICMS", 16, 2, "N"},
    {156, "valNaoIncidICMS", 16, 2, "N"},
    {172, "valCanceladoICMS", 16, 2, "N"},
    {188, "valDescontoICMS", 16, 2, "N"},
    {204, "valAcresICMS", 16, 2, "N"},
    {220, "valSubstISS", 16, 2, "N"},
    {236, "valIsentoISS", 16, 2, "N"},
    {252, "valNaoIncidISS", 16, 2, "N"},
    {268, "valCanceladoISS", 16, 2, "N"},
    {284, "valDescontoISS", 16, 2, "N"},
    {300, "valAcresISS", 16, 2, "N"},
    {316, "opNaoFis", 16, 2, "N"},
    {332, "opNaoFiscCanc", 16, 2, "N"},
    {348, "opNaoFisDesc", 16, 2, "N"},
    {364, "opNaoFisAcres", 16, 2, "N"},
    {380, "totalIOF", 16, 2, "N"},
    {396, "observacao", 100, 0, "S"},
    {496, "origem", 25, 0, "S"},
};

constexpr Passo kFolha[] = {
    {1, "filler", 1, 0, "N"},
    {2, "codEmpresa", 4, 0, "N"},
    {6, "filler1", 3, 0, "N"},
    {9, "codFunc", 9, 0, "N"},
    {18, "codEvento", 4, 0, "N"},
    {22, "filler2", 4, 0, "N"},
    {26, "valEvento", 11, 2, "N"},
    {37, "refEvento", 11, 2, "N"},
};

constexpr Passo kLctoFisEntRetido[] = {
    {1, "codigoEmpresa", 5, 0, "S"},
    {6, "chaveLctoFisEntRetido", 11, 0, "S"},
    {17, "codigoPessoa", 9, 0, "S"},
    {26, "numeroNf", 10, 0, "S"},
    {36, "especieNf", 8, 0, "S"},
    {44, "serieNf", 4, 0, "S"},
    {48, "dataLctoFis", 10, 0, "S"},
    {58, "dataEmissao", 10, 0, "S"},
    {68, "valorContabil", 16, 0, "S"},
    {84, "codigoEstab", 5, 0, "S"},
    {89, "codigoCfop", 10, 0, "S"},
    {99, "chaveLctoFisEnt", 11, 0, "S"},
    {110, "baseCalculoINSS", 16, 0, "S"},
    {126, "aliqINSS", 7, 0, "S"},
    {133, "valorINSS", 16, 0, "S"},
    {149, "baseCalculoISSQN", 16, 0, "S"},
    {165, "aliqISSQN", 7, 0, "S"},
    {172, "valorISSQN", 16, 0, "S"},
    {188, "baseCalculoIRPJ", 16, 0, "S"},
    {204, "aliqIRPJ", 7, 0, "S"},
    {211, "valorIRPJ", 16, 0, "S"},
    {227, "codigoImpostoIRPJ", 10, 0, "S"},
    {237, "variacaoImpostoIRPJ", 5, 0, "S"},
    {242, "apuradoIRPJ", 1, 0, "S"},
    {243, "baseCalculoIRRF", 16, 0, "S"},
    {259, "aliqIRRF", 7, 0, "S"},
    {266, "valorIRRF", 16, 0, "S"},
    {282, "codigoImpostoIRRF", 10, 0, "S"},
    {292, "variacaoImpostoIRRF", 5, 0, "S"},
    {297, "dataIRRF", 10, 0, "S"},
    {307, "apuradoIRRF", 1, 0, "S"},
    {308, "totalPISCOFINSCSLL", 16, 0, "S"},
    {324, "tipoRetPISCOFINSCSLL", 5, 0, "S"},
    {329, "baseCalculoPIS", 16, 0, "S"},
    {345, "aliqPIS", 7, 0, "S"},
    {352, "valorPIS", 16, 0, "S"},
    {368, "codigoImpostoPIS", 10, 0, "S"},
    {378, "variacaoImpostoPIS", 5, 0, "S"},
    {383, "baseCalculoCOFINS", 16, 0, "S"},
    {399, "aliqCOFINS", 7, 0, "S"},
    {406, "valorCOFINS", 16, 0, "S"},
    {422, "codigoImpostoCOFINS", 10, 0, "S"},
    {432, "variacaoImpostoCOFINS", 5, 0, "S"},
    {437, "baseCalculoCSLL", 16, 0, "S"},
    {453, "aliqCSLL", 7, 0, "S"},
    {460, "valorCSLL", 16, 0, "S"},
    {476, "codigoImpostoCSLL", 10, 0, "S"},
    {486, "variacaoImpostoCSLL", 5, 0, "S"},
    {491, "apuradoPISCOFINSCSLL", 1, 0, "S"},
    {492, "datapgtoPISCOFINSCSLL", 10, 0, "S"},
    {502, "codigotabctbfis", 5, 0, "S"},
    {507, "adicionalISS", 50, 0, "S"},
    {557, "conciliada", 1, 0, "S"},
    {558, "codigoUsuario", 5, 0, "S"},
    {563, "dataHoraLctoFis", 19, 0, "S"},
    {582, "origemDado", 2, 0, "S"},
    {584, "chaveOrigem", 15, 0, "S"},
};

constexpr Passo kQuestorEmpresarialCadastroClientes[] = {
    {1, "identificador", 1, 0, "S"},
    {2, "razao", 100, 0, "S"},
    {102, "nomeFantasia", 100, 0, "S"},
    {202, "cnpjcpf", 20, 0, "S"},
    {222, "cep", 10, 0, "S"},
    {232, "codRais", 8, 0, "S"},
    {240, "endereco", 60, 0, "S"},
    {300, "numero", 8, 0, "S"},
    {308, "complemento", 50, 0, "S"},
    {358, "bairro", 40, 0, "S"},
    {398, "IE", 25, 0, "S"},
    {423, "IM", 20, 0, "S"},
    {443, "DDD", 3, 0, "S"},
    {446, "telefone", 15, 0, "S"},
    {461, "email", 100, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};

constexpr Passo kQuestorEmpresarialLctosDiarios[] = {
    {1, "identificador", 1, 0, "S"},
    {2, "cpfcnpjEntidade", 20, 0, "S"},
    {22, "codContaCorrente", 5, 0, "S"},
    {27, "codHP", 5, 0, "S"},
    {32, "data", 10, 0, "S"},
    {42, "dataCtb", 10, 0, "S"},
    {52, "valorEntrada", 18, 0, "S"},
    {70, "valorSaida", 18, 0, "S"},
    {88, "contaEntrada", 5, 0, "S"},
    {93, "contaSaida", 5, 0, "S"},
    {98, "numDoc", 20, 0, "S"},
    {118, "complementoHp", 1500, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"lancamentosCC", kLancamentosCC},
    {"lancamentosSimples", kLancamentosSimples},
    {"registroXX", kRegistroXX},
    {"dupliPagA", kDupliPagA},
    {"dupliRecA", kDupliRecA},
    {"duplicataB", kDuplicataB},
    {"duplicataC", kDuplicataC},
    {"reducaoZ", kReducaoZ},
    {"folha", kFolha},
    {"lctoFisEntRetido", kLctoFisEntRetido},
    {"questorEmpresarialCadastroClientes", kQuestorEmpresarialCadastroClientes},
    {"questorEmpresarialLctosDiarios", kQuestorEmpresarialLctosDiarios},
};

}  // namespace

constexpr Compositor CompoeQuestor{.nome = "CompoeQuestor", .layouts = kLayouts};

extern constexpr Sistema sistemaQuestor{
    "Questor",
    "lancamentos,lancamentosCC,lancamentosSimples,registroXX,dupliPagA,dupliRecA,"
    "duplicataB,duplicataC,reducaoZ,folha,lctoFisEntRetido,"
    "questorEmpresarialLctosDiarios,questorEmpresarialCadastroClientes,",
    &CompoeQuestor};

}  // namespace lumbrava::catalogo
