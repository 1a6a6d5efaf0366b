// Cotepe: the records E01 to E21 of the fiscal printer's (ECF) data file. Every record opens with
// its own code, the printer's serial number (NumeroFabricacao), the additional memory letter
// (MFadicional) and the model; numbers are written with implied decimals.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the record sheets list them.
// clang-format off
constexpr Passo kE01[] = {
    {1, "E01", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "TipoECF", 7, 0, "S"},
    {32, "Marca", 20, 0, "S"},
    {52, "Modelo", 20, 0, "S"},
    {72, "VersaoSB", 10, 0, "S"},
    {82, "DataGravacaoSB", 8, 0, "D"},
    {90, "HoraGravacaoSB", 6, 0, "H"},
    {96, "NumeroSequencialECF", 3, 0, "N"},
    {99, "CNPJUsuario", 14, 0, "N"},
    {113, "ComandoGeracao", 3, 0, "S"},
    {116, "CRZInicial", 6, 0, "N"},
    {122, "CRZFinal", 6, 0, "N"},
    {128, "DataInicial", 8, 0, "D"},
    {136, "DataFinal", 8, 0, "D"},
    {144, "VersaoBiblioteca", 8, 0, "S"},
    {152, "VersaoAtoCotepe", 15, 0, "S"},
};

constexpr Passo kE02[] = {
    {1, "E02", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CNPJ", 14, 0, "S"},
    {59, "InscricaoEstadual", 14, 0, "S"},
    {73, "Nomecontribuinte", 40, 0, "S"},
    {113, "Endereco", 120, 0, "S"},
    {233, "Datacadastro", 8, 0, "D"},
    {241, "Horacadastro", 6, 0, "H"},
    {247, "CRO_ContadorReinicioOperacao", 6, 0, "N"},
    {253, "GT_TotalizadorGeral", 18, 2, "N"},
    {271, "Numerousuario", 2, 0, "N"},
};

constexpr Passo kE03[] = {
    {1, "E03", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroPrestador", 2, 0, "S"},
    {47, "DataCadastro", 8, 0, "D"},
    {55, "HoraCadastro", 16, 0, "H"},
    {71, "CNPJPrestador", 14, 0, "N"},
    {85, "IEPrestador", 14, 0, "S"},
    {99, "SomaBrutaDiaria", 18, 0, "N"},
};

constexpr Passo kE04[] = {
    {1, "E04", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroPrestador", 2, 0, "S"},
    {47, "DataCadastro", 8, 0, "D"},
    {55, "HoraCadastro", 6, 0, "H"},
    {61, "CNPJPrestador", 14, 0, "N"},
    {75, "IEPrestador", 14, 0, "S"},
    {89, "CRO", 6, 0, "N"},
    {95, "GT", 18, 0, "N"},
};

constexpr Passo kE05[] = {
    {1, "E05", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CNPJ", 14, 0, "S"},
    {59, "DataGravacao", 8, 0, "D"},
    {67, "HoraGravacao", 6, 0, "H"},
    {73, "Codificador Digito 0", 1, 0, "S"},
    {74, "Codificador Digito 1", 1, 0, "S"},
    {75, "Codificador Digito 2", 1, 0, "S"},
    {76, "Codificador Digito 3", 1, 0, "S"},
    {77, "Codificador Digito 4", 1, 0, "S"},
    {78, "Codificador Digito 5", 1, 0, "S"},
    {79, "Codificador Digito 6", 1, 0, "S"},
    {80, "Codificador Digito 7", 1, 0, "S"},
    {81, "Codificador Digito 8", 1, 0, "S"},
    {82, "Codificador Digito 9", 1, 0, "S"},
};

constexpr Passo kE06[] = {
    {1, "E06", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CNPJ", 14, 0, "N"},
    {59, "DataGravacao", 8, 0, "D"},
    {67, "HoraGravacao", 6, 0, "H"},
    {73, "SimbologiaMoeda", 4, 0, "S"},
};

constexpr Passo kE07[] = {
    {1, "E07", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "VersaoSB", 10, 0, "S"},
    {55, "DataGravacao", 8, 0, "D"},
};

constexpr Passo kE08[] = {
    {1, "E08", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CNPJ", 14, 0, "N"},
    {59, "SerieMFD", 20, 0, "S"},
};

constexpr Passo kE09[] = {
    {1, "E09", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CRO", 6, 0, "S"},
    {51, "DataGravacao", 8, 0, "S"},
    {59, "HoraGravacao", 6, 0, "S"},
    {65, "IndicadorPerda", 1, 0, "S"},
};

constexpr Passo kE10[] = {
    {1, "E10", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CFD", 6, 0, "S"},
    {51, "DataGravacao", 8, 0, "S"},
    {59, "COOInicial", 6, 0, "S"},
    {65, "COOFinal", 6, 0, "S"},
    {71, "CNPJ", 14, 0, "N"},
};

constexpr Passo kE11[] = {
    {1, "E11", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "CRZ", 6, 0, "N"},
    {51, "CRO", 6, 0, "N"},
    {57, "COO", 6, 0, "N"},
    {63, "GNF", 6, 0, "N"},
    {69, "CCF", 6, 0, "N"},
    {75, "CVC", 6, 0, "N"},
    {81, "CBP", 6, 0, "N"},
    {87, "GRG", 6, 0, "N"},
    {93, "CMV", 6, 0, "N"},
    {99, "CFD", 6, 0, "N"},
    {105, "GT", 18, 0, "N"},
    {123, "DataGravacao", 8, 0, "D"},
    {131, "HoraGravacao", 6, 0, "H"},
};

constexpr Passo kE12[] = {
    {1, "E12", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "N"},
    {47, "NumeroCRZ", 6, 0, "N"},
    {53, "NumeroCOO", 6, 0, "N"},
    {59, "NumeroCRO", 6, 0, "N"},
    {65, "DataMovimento", 8, 0, "S"},
    {73, "DataEmissao", 8, 0, "S"},
    {81, "HoraEmissao", 6, 0, "H"},
    {87, "VendaBruta", 14, 2, "N"},
    {101, "DescontoISSQN", 1, 0, "S"},
};

constexpr Passo kE13[] = {
    {1, "E13", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "S"},
    {47, "NumeroCRZ", 6, 0, "N"},
    {53, "CodigoTotalizador", 7, 0, "S"},
    {60, "ValorAcumulado", 13, 2, "N"},
};

constexpr Passo kE14[] = {
    {1, "E14", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "Numerousuario", 2, 0, "N"},
    {47, "CCF_CVC_CBP", 6, 0, "N"},
    {53, "COO_ContadorOrdem", 6, 0, "N"},
    {59, "Datainicioemissao", 8, 0, "S"},
    {67, "Subtotaldocumento", 14, 2, "N"},
    {81, "Descontosobresubtotal", 13, 2, "N"},
    {94, "Indicadortipodescontosobresubtotal", 1, 0, "S"},
    {95, "Acrescimosobresubtotal", 13, 2, "N"},
    {108, "Indicadortipoacrescimosobresubtotal", 1, 0, "S"},
    {109, "Valortotalliquido", 14, 2, "N"},
    {123, "Indicadorcancelamento", 1, 0, "S"},
    {124, "Cancelamentoacrescimosubtotal", 13, 0, "N"},
    {137, "Ordemaplicacaodescontoacrescimo", 1, 0, "S"},
    {138, "Nomeadquirente", 40, 0, "S"},
    {178, "CPFCNPJadquirente", 14, 0, "S"},
};

constexpr Passo kE15[] = {
    {1, "E15", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "Numerousuario", 2, 0, "N"},
    {47, "COO_ContadorOrdemOperacao", 6, 0, "N"},
    {53, "CCF_CVC_CBPconformedocumentoemitido", 6, 0, "N"},
    {59, "Numeroitem", 3, 0, "N"},
    {62, "CodigoProdutoServico", 14, 0, "S"},
    {76, "Descricao", 100, 0, "S"},
    {176, "Quantidade", 7, 0, "N"},
    {183, "Unidade", 3, 0, "S"},
    {186, "Valorunitario", 8, 0, "N"},
    {194, "Descontosobreitem", 8, 2, "N"},
    {202, "Acrescimosobreitem", 8, 2, "N"},
    {210, "Valortotalliquido", 14, 2, "N"},
    {224, "Totalizadorparcial", 7, 0, "S"},
    {231, "Indicadorcancelamento", 1, 0, "S"},
    {232, "Quantidadecancelada", 7, 0, "N"},
    {239, "Valorcancelado", 13, 0, "N"},
    {252, "Cancelamentoacrescimonoitem", 13, 0, "N"},
    {265, "IndicadorArredondamentoTruncamento", 1, 0, "S"},
    {266, "Casasdecimaisdaquantidade", 1, 0, "N"},
    {267, "Casasdecimaisvalorunitario", 1, 0, "N"},
};

constexpr Passo kE16[] = {
    {1, "E16", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "S"},
    {47, "COO", 6, 0, "N"},
    {53, "GNF", 6, 0, "N"},
    {59, "CRG", 6, 0, "N"},
    {65, "CDC", 4, 0, "N"},
    {69, "CRZ", 6, 0, "N"},
    {75, "Denominacao", 2, 0, "S"},
    {77, "DataFinalEmissao", 8, 0, "S"},
    {85, "HoraFinalEmissao", 6, 0, "S"},
};

constexpr Passo kE17[] = {
    {1, "E17", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "N"},
    {47, "CRZ", 6, 0, "N"},
    {53, "TotalizadorNaoFiscal", 15, 0, "S"},
    {68, "ValorAcumulado", 13, 0, "N"},
};

constexpr Passo kE18[] = {
    {1, "E18", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "N"},
    {47, "CRZ", 6, 0, "N"},
    {53, "Descricao", 15, 0, "S"},
    {68, "ValorAcumulado", 13, 0, "N"},
};

constexpr Passo kE19[] = {
    {1, "E19", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "N"},
    {47, "COO", 6, 0, "S"},
    {53, "GNF", 6, 0, "S"},
    {59, "DataInicioEmissao", 8, 0, "S"},
    {67, "Subtotal", 14, 0, "S"},
    {81, "DescontoSubTotal", 13, 0, "S"},
    {94, "IndicadorDesconto", 1, 0, "S"},
    {95, "AcrescimoSubTotal", 13, 0, "S"},
    {108, "IndicadorAcrescimo", 1, 0, "S"},
    {109, "ValorTotalLiquido", 14, 0, "S"},
    {123, "IndicadorCancelamento", 1, 0, "S"},
    {124, "CancelamentoAcrescimo", 13, 0, "S"},
    {137, "OrdemAplicDescontoAcrescimo", 1, 0, "S"},
    {138, "NomeAdquirente", 40, 0, "S"},
    {178, "CPFCNPJAdquirente", 14, 0, "S"},
};

constexpr Passo kE20[] = {
    {1, "E20", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "N"},
    {47, "COO", 6, 0, "N"},
    {53, "GNF", 6, 0, "N"},
    {59, "NumeroItem", 3, 0, "N"},
    {62, "DenominacaoOperacao", 15, 0, "S"},
    {77, "ValorOperacao", 13, 2, "N"},
    {90, "DescontoSobreItem", 13, 2, "N"},
    {103, "AcrescimoSobreItem", 13, 2, "N"},
    {116, "ValorTotalLiquido", 13, 2, "N"},
    {129, "IndicadorCancelamento", 1, 0, "S"},
    {130, "CancelamentoAcrescimo", 13, 2, "N"},
};

constexpr Passo kE21[] = {
    {1, "E21", 3, 0, "S"},
    {4, "NumeroFabricacao", 20, 0, "S"},
    {24, "MFadicional", 1, 0, "S"},
    {25, "Modelo", 20, 0, "S"},
    {45, "NumeroUsuario", 2, 0, "N"},
    {47, "COO", 6, 0, "N"},
    {53, "CCF", 6, 0, "N"},
    {59, "GNF", 6, 0, "N"},
    {65, "MeioPagamento", 15, 0, "S"},
    {80, "ValorPago", 13, 2, "N"},
    {93, "IndicadorEstorno", 1, 0, "S"},
    {94, "ValorEstornado", 13, 2, "N"},
};
// clang-format on

// Written on every call, whatever the name.
constexpr Passo kAntes[] = {
    Define(&clLayoutReg::separaCasasDecimais, false),
    Define(&clLayoutReg::separadorCasasDecimais, ""),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, false),
    Define(&clLayoutReg::virgulasNosNumericos, false),
    Define(&clLayoutReg::espacoNosNumerosVazios, false),
};

constexpr Layout kLayouts[] = {
    {"E01", kE01}, {"E02", kE02}, {"E03", kE03}, {"E04", kE04}, {"E05", kE05}, {"E06", kE06},
    {"E07", kE07}, {"E08", kE08}, {"E09", kE09}, {"E10", kE10}, {"E11", kE11}, {"E12", kE12},
    {"E13", kE13}, {"E14", kE14}, {"E15", kE15}, {"E16", kE16}, {"E17", kE17}, {"E18", kE18},
    {"E19", kE19}, {"E20", kE20}, {"E21", kE21},
};

}  // namespace

constexpr Compositor CompoeCotepe{.nome = "CompoeCotepe", .layouts = kLayouts, .antes = kAntes};

extern constexpr Sistema sistemaCotepe{
    "Cotepe",
    "E01,E02,E03,E04,E05,E06,E07,E08,E09,E10,E11,E12,E13,E14,E15,E16,E17,E18,E19,E20,E21,",
    &CompoeCotepe};

}  // namespace lumbrava::catalogo
