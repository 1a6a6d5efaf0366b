// Sage: accounting entries, inventory, invoices and their parties and items, registers, payroll
// and fixed assets.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Batch header of the accounting entries.
constexpr Passo kLancHeader[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "tipoLote", 1, 0, "S"},
    {3, "dataLote", 8, 0, "S"},
    {11, "totalLote", 15, 2, "S"},
    {26, "descricao", 20, 0, "S"},
    {46, "origem", 3, 0, "S"},
    {49, "identifLote", 10, 0, "S"},
    {59, "brancos", 37, 0, "S"},
    {96, "sequencial", 5, 0, "S"},
};

// Accounting entry.
constexpr Passo kLancamento[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "dataLanc", 8, 0, "S"},
    {10, "contaDebito", 6, 0, "N"},
    {16, "contaCredito", 6, 0, "N"},
    {22, "historico", 3, 0, "N"},
    {25, "complemento", 25, 0, "S"},
    {50, "valor", 15, 2, "S"},
    {65, "centroCustos", 3, 0, "S"},
    {68, "classifDebito", 14, 0, "S"},
    {82, "classifCredito", 14, 0, "S"},
    {96, "sequencia", 5, 0, "S"},
    {101, "delimitador", 1, 0, "S"},
    {102, "observacoes", 90, 0, "S"},
    {192, "centroCusto2", 6, 0, "S"},
    {198, "brancos", 2, 0, "S"},
    {200, "delimitador2", 1, 0, "S"},
};

// Special history text.
constexpr Passo kHistoricoEspecial[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "descrHistorico", 50, 0, "S"},
    {52, "reservado", 44, 0, "S"},
    {96, "sequencial", 5, 0, "S"},
};

// Inventory item.
constexpr Passo kInventario[] = {
    {1, "codigo", 10, 0, "N"},
    {11, "data", 8, 0, "S"},
    {19, "quantidade", 14, 4, "N"},
    {33, "valor", 12, 2, "N"},
    {45, "posse", 1, 0, "N"},
    {46, "cnpj", 18, 0, "S"},
    {64, "ident", 15, 0, "S"},
    {79, "ebs", 16, 0, "S"},
    {95, "sequencial", 6, 0, "N"},
};

// Header of an invoice file.
constexpr Passo kHeaderNF[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "dataGeracao", 8, 0, "S"},
    {10, "cnpj", 18, 0, "S"},
    {28, "opcaoBases", 1, 0, "N"},
    {29, "origem", 3, 0, "S"},
    {32, "opcaoRetencao", 1, 0, "N"},
    {33, "filler", 462, 0, "S"},
    {495, "sequencial", 6, 0, "N"},
};

// Invoice.
constexpr Passo kNotafiscal[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "dataLcto", 8, 0, "S"},
    {10, "numero", 6, 0, "S"},
    {16, "dataEmissao", 8, 0, "S"},
    {24, "modelo", 2, 0, "S"},
    {26, "serie", 3, 0, "S"},
    {29, "subserie", 3, 0, "S"},
    {32, "natureza", 4, 0, "S"},
    {36, "variacao", 2, 0, "S"},
    {38, "class1", 2, 0, "S"},
    {40, "class2", 2, 0, "S"},
    {42, "cnpjEmissor", 18, 0, "S"},
    {60, "valor", 12, 2, "N"},
    {72, "basePis", 12, 2, "N"},
    {84, "baseCofins", 12, 2, "N"},
    {96, "baseCsll", 12, 2, "N"},
    {108, "baseIrpj", 12, 2, "N"},
    {120, "baseIcmsA", 12, 2, "N"},
    {132, "aliqIcmsA", 4, 2, "N"},
    {136, "valorIcmsA", 12, 2, "N"},
    {148, "baseIcmsB", 12, 2, "N"},
    {160, "aliqIcmsB", 4, 2, "N"},
    {164, "valorIcmsB", 12, 2, "N"},
    {176, "baseIcmsC", 12, 2, "N"},
    {188, "aliqIcmsC", 4, 2, "N"},
    {192, "valorIcmsC", 12, 2, "N"},
    {204, "baseIcmsD", 12, 2, "N"},
    {216, "aliqIcmsD", 4, 2, "N"},
    {220, "valorIcmsD", 12, 2, "N"},
    {232, "isentaIcms", 12, 2, "N"},
    {244, "outrasIcms", 12, 2, "N"},
    {256, "baseIpi", 12, 2, "N"},
    {268, "valorIpi", 12, 2, "N"},
    {280, "isentaIpi", 12, 2, "N"},
    {292, "outrasIpi", 12, 2, "N"},
    {304, "mercadoriaST", 12, 2, "N"},
    {316, "baseST", 12, 2, "N"},
    {328, "icmsST", 12, 2, "N"},
    {340, "diferidas", 12, 2, "N"},
    {352, "obs", 50, 0, "S"},
    {402, "especie", 5, 0, "S"},
    {407, "vendaVista", 1, 0, "S"},
    {408, "natOperST", 4, 0, "S"},
    {412, "filler2", 96, 0, "S"},
    {508, "dataPag", 8, 0, "S"},
    {516, "operacao", 4, 0, "S"},
    {520, "filler3", 48, 0, "S"},
    {568, "codServ", 4, 0, "S"},
    {572, "issRetido", 1, 0, "S"},
    {573, "issDevido", 1, 0, "S"},
    {574, "ufPrestacao", 2, 0, "S"},
    {576, "munPrestacao", 7, 0, "N"},
    {583, "tipoEmissao", 1, 0, "S"},
    {584, "modalidade", 1, 0, "N"},
    {585, "filler", 10, 0, "S"},
    {595, "sequencial", 6, 0, "N"},
};

// The invoice's party.
constexpr Passo kPessoaNF[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "cnpj", 18, 0, "S"},
    {20, "razao", 40, 0, "S"},
    {60, "fantasia", 20, 0, "S"},
    {80, "estado", 2, 0, "S"},
    {82, "inscricaoEstado", 20, 0, "S"},
    {102, "endereco", 40, 0, "S"},
    {142, "bairro", 20, 0, "S"},
    {162, "cidade", 20, 0, "S"},
    {182, "cep", 8, 0, "S"},
    {190, "municipio", 4, 0, "S"},
    {194, "ddd", 3, 0, "S"},
    {197, "fone", 10, 0, "S"},
    {207, "contaCli", 6, 0, "S"},
    {213, "histCli", 3, 0, "S"},
    {216, "contaForn", 6, 0, "S"},
    {222, "histForn", 3, 0, "S"},
    {225, "produtor", 1, 0, "S"},
    {226, "exterior", 18, 0, "S"},
    {244, "numero", 5, 0, "S"},
    {249, "complemento", 20, 0, "S"},
    {269, "suframa", 9, 0, "S"},
    {278, "codPais", 5, 0, "N"},
    {283, "natureza", 1, 0, "S"},
    {284, "munIBGE", 7, 0, "S"},
    {291, "filler", 204, 0, "S"},
    {495, "sequencial", 6, 0, "N"},
};

// Invoice item.
constexpr Passo kProdutoNF[] = {
    {1, "tipoRegistro", 1, 0, "S"},
    {2, "codigo", 10, 0, "S"},
    {12, "quantidade", 9, 3, "N"},
    {21, "valor", 12, 2, "N"},
    {33, "quantidade2", 13, 3, "N"},
    {46, "desconto", 12, 2, "N"},
    {58, "baseIcms", 12, 2, "N"},
    {70, "aliqIcms", 5, 2, "N"},
    {75, "valorIpi", 12, 2, "N"},
    {87, "baseIcmsST", 12, 2, "N"},
    {99, "aliqIpi", 5, 2, "N"},
    {104, "percRedIcms", 5, 2, "N"},
    {109, "subTribIcms", 3, 0, "S"},
    {112, "identificacao", 15, 0, "S"},
    {127, "situacaoIpi", 3, 0, "S"},
    {130, "baseIpi", 12, 2, "N"},
    {142, "situacaoPis", 2, 0, "S"},
    {144, "basePis", 12, 2, "N"},
    {156, "aliqPis", 7, 4, "N"},
    {163, "qtdeBasePis", 13, 3, "N"},
    {176, "preAliqPis", 14, 4, "N"},
    {190, "valorPis", 12, 2, "N"},
    {202, "situacaoCofins", 2, 0, "S"},
    {204, "baseCofins", 12, 2, "N"},
    {216, "aliqCofins", 7, 4, "N"},
    {223, "qtdeBaseCofins", 12, 2, "N"},
    {235, "preAliqCofins", 15, 4, "N"},
    {250, "valorCofins", 12, 2, "N"},
    {262, "valorIcmsST", 12, 2, "N"},
    {274, "aliqIcmsST", 5, 2, "N"},
    {279, "valorIcms", 12, 2, "N"},
    {291, "naturezaItem", 4, 0, "S"},
    {295, "unidade", 6, 0, "S"},
    {301, "baseIcmsDif", 12, 2, "N"},
    {313, "icmsOrigemDif", 12, 2, "N"},
    {325, "icmsInternoDif", 12, 2, "N"},
    {337, "icmsRecolherDif", 12, 2, "N"},
    {349, "icmsAnte", 12, 2, "N"},
    {361, "icmsOrigemAnte", 12, 2, "N"},
    {373, "icmsInternoAnte", 12, 2, "N"},
    {385, "icmsRecolherAnte", 12, 2, "N"},
    {397, "baseAnteIcmsST", 12, 2, "N"},
    {409, "mvaAnteIcmsST", 12, 4, "N"},
    {421, "baseAjustaAnteIcmsST", 12, 2, "N"},
    {433, "icmsOrigemAnteST", 12, 2, "N"},
    {445, "icmsInternoAnteST", 12, 2, "N"},
    {457, "icmsRecolherAnteST", 12, 2, "N"},
    {469, "cstSimplesNac", 1, 0, "S"},
    {470, "filler", 25, 0, "S"},
    {495, "sequencial", 6, 0, "N"},
};

// Unit of measure.
constexpr Passo kUnidade[] = {
    {1, "unidade", 6, 0, "S"},
    {7, "descricao", 30, 0, "S"},
    {37, "filler", 457, 0, "S"},
    {494, "tipo", 1, 0, "S"},
    {495, "sequencial", 6, 0, "N"},
};

// Product.
constexpr Passo kProduto[] = {
    {1, "codigo", 10, 0, "N"},
    {11, "descricao", 40, 0, "S"},
    {51, "ncm", 8, 0, "S"},
    {59, "unidade", 4, 0, "S"},
    {63, "peso", 9, 3, "N"},
    {72, "identificacao", 15, 0, "S"},
    {87, "tipo", 2, 0, "N"},
    {89, "filler", 12, 0, "S"},
    {101, "entradaICMS", 3, 0, "N"},
    {104, "entradaIPI", 3, 0, "N"},
    {107, "saidaICMS", 3, 0, "N"},
    {110, "saidaIPI", 3, 0, "N"},
    {113, "unidade2", 6, 0, "S"},
    {119, "aliqICMS", 5, 2, "N"},
    {124, "aliqIPI", 5, 2, "N"},
    {129, "cst", 1, 0, "S"},
    {130, "filler2", 364, 0, "S"},
    {494, "tipoReg", 1, 0, "S"},
    {495, "sequencial", 6, 0, "N"},
};

// Customer or supplier.
constexpr Passo kCliforn[] = {
    {1, "cnpj", 18, 0, "S"},
    {19, "razao", 40, 0, "S"},
    {59, "fantasia", 20, 0, "S"},
    {79, "estado", 2, 0, "S"},
    {81, "inscricaoEstado", 20, 0, "S"},
    {101, "filler", 194, 0, "S"},
    {295, "sequencial", 6, 0, "N"},
};

// Item line of a posted invoice; amounts with implied decimals.
constexpr Passo kDetalheNFLancadas[] = {
    {1, "tipo", 1, 0, "S"},
    {2, "numNF", 6, 0, "N"},
    {8, "modelo", 2, 0, "N"},
    {10, "serie", 3, 0, "S"},
    {13, "CFOP", 4, 0, "N"},
    {17, "CNPJ", 18, 0, "S"},
    {35, "codItem", 10, 0, "N"},
    {45, "valor", 12, 2, "N"},
    {57, "quantidade", 13, 3, "N"},
    {70, "desconto", 12, 2, "N"},
    {82, "baseICMS", 12, 2, "N"},
    {94, "aliqICMS", 5, 2, "N"},
    {99, "valorIPI", 12, 2, "N"},
    {111, "baseStICMS", 12, 2, "N"},
    {123, "aliqIPI", 5, 2, "N"},
    {128, "percRecICMS", 5, 2, "N"},
    {133, "situTribICMS", 3, 0, "N"},
    {136, "identificacaoItem", 15, 0, "S"},
    {151, "situIPI", 3, 0, "N"},
    {154, "baseIPI", 12, 2, "N"},
    {166, "situPIS", 3, 0, "N"},
    {169, "basePIS", 12, 2, "N"},
    {181, "aliqPIS", 5, 2, "N"},
    {186, "qtdBasePIS", 12, 2, "N"},
    {198, "valorAliqPIS", 12, 2, "N"},
    {210, "valorPIS", 12, 2, "N"},
    {222, "situCOFINS", 3, 0, "N"},
    {225, "baseCOFINS", 12, 2, "N"},
    {237, "aliqCOFINS", 5, 2, "N"},
    {242, "qtdBaseCOFINS", 12, 2, "N"},
    {254, "valorAliqCOFINS", 12, 2, "N"},
    {266, "valorCOFINS", 12, 2, "N"},
    {278, "valorStICMS", 12, 2, "N"},
    {290, "aliqStICMS", 5, 2, "N"},
    {295, "natureza", 4, 0, "N"},
    {299, "unidadeMedida", 6, 0, "S"},
    {305, "CSTSimplesNacional", 1, 0, "S"},
    {306, "brancos", 183, 0, "S"},
    {489, "reservado", 6, 0, "S"},
    {495, "sequencia", 6, 0, "N"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Header of a payroll file.
constexpr Passo kHeaderFolha[] = {
    {1, "tipo", 1, 0, "S"},
    {2, "sequencia", 6, 0, "S"},
    {8, "reservado", 10, 0, "S"},
};

// Payroll event of an employee; amounts with implied decimals.
constexpr Passo kDetalheFolha[] = {
    {1, "tipo", 1, 0, "S"},
    {2, "sequencia", 6, 0, "N"},
    {8, "codFuncionario", 5, 0, "N"},
    {13, "mes", 2, 0, "S"},
    {15, "ano", 4, 0, "S"},
    {19, "tipoProcessamento", 1, 0, "S"},
    {20, "codEvento", 3, 0, "N"},
    {23, "refEvento", 5, 0, "N"},
    {28, "valor", 12, 0, "N"},
    {40, "codEventoMaior", 5, 0, "N"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Payroll event with fewer fields, in fixed columns like the others.
constexpr Passo kFolhaPipe[] = {
    {1, "codFunc", 5, 0, "N"},
    {6, "codEvento", 3, 0, "N"},
    {9, "horas", 5, 2, "N"},
    {14, "valor", 11, 2, "N"},
    {25, "vinculo", 20, 0, "N"},
    {45, "codEventoMaior", 5, 0, "N"},
};

// Fixed asset.
constexpr Passo kAtivoImobAO3[] = {
    {1, "tipoReg", 1, 0, "S"},
    {2, "codGrupo", 3, 0, "N"},
    {5, "codBem", 8, 0, "N"},
    {13, "descResumida", 50, 0, "S"},
    {63, "descCompleta", 200, 0, "S"},
    {263, "depart", 3, 0, "N"},
    {266, "setor", 3, 0, "N"},
    {269, "secao", 3, 0, "N"},
    {272, "dataAquisi", 8, 0, "N"},
    {280, "dataAtualiza", 8, 0, "N"},
    {288, "valorOrig", 12, 2, "N"},
    {300, "valorAtualiza", 12, 2, "N"},
    {312, "depreciacao", 12, 0, "N"},
    {324, "creditoICMS", 12, 0, "N"},
    {336, "numNFEntrada", 6, 0, "N"},
    {342, "modNFEntrada", 5, 0, "S"},
    {347, "livroRegEntrada", 4, 0, "N"},
    {351, "pagRegEntrada", 6, 0, "N"},
    {357, "identificacao", 15, 0, "S"},
    {372, "bemComplGrupo", 3, 0, "N"},
    {375, "bemComplGrupoCod", 8, 0, "N"},
    {383, "numNFEntrada9digitos", 9, 0, "N"},
    {392, "brancos", 3, 0, "S"},
    {395, "sequencia", 6, 0, "N"},
    {401, "depreciar", 1, 0, "S"},
    {402, "percDepreciacao", 7, 4, "N"},
    {409, "iniDepreciacao", 8, 0, "N"},
    {417, "natureza", 2, 0, "N"},
    {419, "serieNFEntrada", 3, 0, "S"},
    {422, "seqItemNfEntrada", 3, 0, "N"},
    {425, "idItem", 30, 0, "S"},
    {455, "cnpjNfEntrada", 18, 0, "S"},
    {473, "chaNfEntrada", 44, 0, "S"},
    {517, "arquivamento", 12, 0, "S"},
    {529, "inicioCredICMS", 8, 0, "N"},
    {537, "nrParcelasICMS", 2, 0, "N"},
    {539, "marca", 40, 0, "S"},
    {579, "funcao", 100, 0, "S"},
    {679, "vidaUtil", 4, 0, "N"},
    {683, "tipoCentroCusto", 1, 0, "S"},
    {684, "centroCusto", 6, 0, "N"},
    {690, "credICMSOpPropria", 12, 0, "N"},
    {702, "credICMSST", 12, 0, "N"},
    {714, "credICMSFrete", 12, 0, "N"},
    {726, "credICMSDifAliq", 12, 0, "N"},
    {738, "geraCredPC", 1, 0, "S"},
    {739, "naturezaCredPC", 2, 0, "N"},
    {741, "valorAquisicaoPC", 12, 0, "N"},
    {753, "periodicidadeCredPC", 2, 0, "N"},
    {755, "grupoCredPC", 2, 0, "N"},
    {757, "origemCredPC", 2, 0, "N"},
    {759, "utilizacaoCredPC", 2, 0, "N"},
    {761, "CSTCredPC", 2, 0, "N"},
    {763, "anoBemFiscal", 4, 0, "N"},
    {767, "codBemFiscal", 4, 0, "N"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancHeader", kLancHeader},
    {"lancamento", kLancamento},
    {"historicoEspecial", kHistoricoEspecial},
    {"inventario", kInventario},
    {"headerNF", kHeaderNF},
    {"notafiscal", kNotafiscal},
    {"pessoaNF", kPessoaNF},
    {"produtoNF", kProdutoNF},
    {"unidade", kUnidade},
    {"produto", kProduto},
    {"cliforn", kCliforn},
    {"detalheNFLancadas", kDetalheNFLancadas},
    {"headerFolha", kHeaderFolha},
    {"detalheFolha", kDetalheFolha},
    {"folhaPipe", kFolhaPipe},
    {"ativoImobAO3", kAtivoImobAO3},
};

}  // namespace

constexpr Compositor CompoeSage{.nome = "CompoeSage", .layouts = kLayouts};

// The list also offers "headerNFLancadas", which the composer does not build: it comes out empty.
extern constexpr Sistema sistemaSage{
    "Sage",
    "lancHeader,lancamento,historicoEspecial,inventario,headerNF,notafiscal,pessoaNF,produtoNF,"
    "unidade,produto,cliforn,headerNFLancadas,detalheNFLancadas,headerFolha,detalheFolha,folhaPipe,"
    "ativoImobAO3",
    &CompoeSage};

}  // namespace lumbrava::catalogo
