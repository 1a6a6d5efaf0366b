// Unico: accounting entries and the fixed-asset files (company, asset, depreciation, disposal).
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
constexpr Passo kLancamentos[] = {
    {1, "Data", 8, 0, "S"},
    {9, "ContaDebito", 6, 0, "S"},
    {15, "ContaCredito", 6, 0, "S"},
    {21, "SubDebito", 14, 0, "N"},
    {35, "SubCredito", 14, 0, "N"},
    {49, "Valor", 14, 2, "N"},
    {63, "CodHP", 6, 0, "S"},
    {69, "Historico", 100, 0, "S"},
    {169, "Documento", 12, 0, "S"},
    {181, "ccDebito", 8, 0, "N"},
    {189, "ccCredito", 8, 0, "N"},
    Define(&clLayoutReg::espacoNosNumerosVazios, false),
};

constexpr Passo kBensIdEmpresa[] = {
    {1, "fixo00", 2, 0, "S"},
    {3, "idEmpresa", 14, 0, "N"},
    {17, "nomeEmpresa", 200, 0, "S"},
    {217, "versaoLay", 2, 0, "S"},
};

constexpr Passo kBensCadastroBem[] = {
    {1, "fixo10", 2, 0, "S"},
    {3, "descBem", 200, 0, "S"},
    {203, "natuBem", 1, 0, "N"},
    {204, "tipoMerc", 1, 0, "N"},
    {205, "codOrig", 6, 0, "N"},
    {211, "id", 1, 0, "N"},
    {212, "numChapa", 20, 0, "S"},
    {232, "dataOrigiAqui", 10, 0, "S"},
    {242, "dataBaixa", 10, 0, "S"},
    {252, "numPatrimonial", 20, 0, "S"},
    {272, "valorDepre", 14, 2, "N"},
    {286, "valorOrigAqui", 14, 2, "N"},
    {300, "quantidade", 4, 0, "N"},
    {304, "vidaUtil", 4, 0, "N"},
    {308, "funcionalidade", 200, 0, "S"},
    {508, "codContaCont", 6, 0, "N"},
    {514, "codCentroCusto", 10, 0, "N"},
    {524, "codPartici", 14, 0, "N"},
    {538, "codIndice", 6, 0, "N"},
    {544, "codAtivExt", 6, 0, "N"},
    {550, "codPais", 6, 0, "N"},
    {556, "valorBemUfir", 1, 0, "N"},
    {557, "depreDiaria", 1, 0, "S"},
    {558, "numDias", 1, 0, "N"},
    {559, "depreciacao", 1, 0, "N"},
    {560, "calcDepreMesBaixa", 1, 0, "S"},
    {561, "utilizarUfir31122000", 1, 0, "S"},
    {562, "depreMesAqui", 1, 0, "S"},
    {563, "centroCustoSPED", 1, 0, "N"},
    {564, "dividirPor", 1, 0, "N"},
    {565, "numFolha", 6, 0, "N"},
    {571, "numLivro", 6, 0, "N"},
    {577, "tipoDocu", 3, 0, "S"},
    {580, "numDocu", 9, 0, "N"},
    {589, "serie", 3, 0, "S"},
    {592, "numOrdem", 6, 0, "N"},
    {598, "valorICMS", 14, 2, "N"},
    {612, "valorICMSDifAliq", 14, 2, "N"},
    {626, "valorICMSFrete", 14, 2, "N"},
    {640, "valorICMSst", 14, 2, "N"},
    {654, "tipoBem", 1, 0, "N"},
    {655, "utilizacaoDoBem", 1, 0, "N"},
    {656, "valorExcluBase", 14, 2, "N"},
    {670, "valorBaseCalc", 14, 2, "N"},
    {684, "numParcela", 2, 0, "N"},
    {686, "CSTPis", 2, 0, "S"},
    {688, "aliqPIS", 3, 4, "N"},
    {691, "CSTCofins", 2, 0, "S"},
    {693, "aliqCOFINS", 3, 4, "N"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};

constexpr Passo kBensDadosDepreBem[] = {
    {1, "fixo20", 2, 0, "S"},
    {3, "dataAqui", 10, 0, "S"},
    {13, "valorDepreAcu", 14, 2, "N"},
    {27, "codTaxa", 6, 0, "N"},
    {33, "taxaDepre", 3, 2, "N"},
    {36, "contaDepre", 6, 0, "N"},
    {42, "dataIniCalc", 10, 0, "S"},
    {52, "dataFimCalc", 10, 0, "S"},
    {62, "tipoContabilizacao", 1, 0, "S"},
    {63, "valorAquiSocietaria", 14, 2, "D"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};

constexpr Passo kBensDadosBaixaBem[] = {
    {1, "fixo30", 2, 0, "S"},
    {3, "dataBaixa", 10, 0, "S"},
    {13, "valorBaixa", 14, 2, "N"},
    {27, "complemento", 200, 0, "S"},
    {227, "numDocSaida", 6, 0, "N"},
    {233, "tipoContabilizacao", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};

constexpr Passo kLancamentoComJuros[] = {
    {1, "sequencia", 6, 0, "C"},
    {7, "data", 10, 0, "S"},
    {17, "debito", 8, 0, "N"},
    {25, "credito", 8, 0, "N"},
    {33, "valor", 17, 2, "N"},
    {50, "historicoPadrao", 8, 0, "S"},
    {58, "complemento", 200, 0, "S"},
    {258, "documento", 15, 0, "S"},
    {273, "lote", 10, 0, "S"},
    {283, "participanteD", 20, 0, "S"},
    {303, "participanteC", 20, 0, "S"},
};

// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"bens-idEmpresa", kBensIdEmpresa},
    {"bens-cadastro_bem", kBensCadastroBem},
    {"bens-dados_depre_bem", kBensDadosDepreBem},
    {"bens-dados_baixa_bem", kBensDadosBaixaBem},
    {"lancamentoComJuros", kLancamentoComJuros},
};

}  // namespace

constexpr Compositor CompoeUnico{.nome = "CompoeUnico", .layouts = kLayouts};

// The asset layouts are listed with the underscores that the composer compares.
extern constexpr Sistema sistemaUnico{
    "Unico",
    "lancamentos,bens-idEmpresa,bens-cadastro_bem,bens-dados_depre_bem,bens-dados_baixa_bem,"
    "lancamentoComJuros",
    &CompoeUnico};

}  // namespace lumbrava::catalogo
