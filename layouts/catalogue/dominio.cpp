// Dominio: settlements, accounting, payroll, batch entries, fixed assets, service invoices, RPA
// and receipts. CompoeDominio hands every name it does not know to CompoeDominioNotasFiscais
// (invoices and registers), which hands what it does not know on to CompoeDominioComplementos.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

extern const Compositor CompoeDominioNotasFiscais;

namespace {

// clang-format off
// Settlement file header: company, CNPJ, note type and version.
constexpr Passo kBaixaCabec[] = {
    {1, "identif", 2, 0, "S"},
    {3, "codEmpresa", 7, 0, "N"},
    {10, "cnpj", 14, 0, "S"},
    {24, "tipoNota", 2, 0, "N"},
    {26, "versao", 1, 0, "N"},
    {27, "filler", 50, 0, "S"},
};

// The document that the settlements after it refer to.
constexpr Passo kBaixaNf[] = {
    {1, "identif", 2, 0, "S"},
    {3, "sequencial", 7, 0, "N"},
    {10, "numDoc", 7, 0, "N"},
    {17, "serie", 7, 0, "S", kAlinhaDireita},
    {24, "inscricaoCliente", 14, 0, "S"},
    {38, "segmento", 7, 0, "N"},
    {45, "brancos", 22, 0, "S"},
};

// Settlement of a receivable: paid, interest, fines, discount and withheld taxes.
constexpr Passo kBaixaRecebimento[] = {
    {1, "identif", 2, 0, "S"},
    {3, "seq", 7, 0, "N"},
    {10, "dataPag", 10, 0, "S"},
    {20, "valPago", 13, 2, "N"},
    {33, "valJuros", 13, 2, "N"},
    {46, "valMultas", 13, 2, "N"},
    {59, "valDesc", 13, 2, "N"},
    {72, "dataVenc", 10, 0, "S"},
    {82, "valDevolucao", 13, 2, "N"},
    {95, "valPis", 13, 2, "N"},
    {108, "valCofins", 13, 2, "N"},
    {121, "valCsoc", 13, 2, "N"},
    {134, "valIrrf", 13, 2, "N"},
    {147, "valPisCrfop", 13, 2, "N"},
    {160, "valCofinsCrfop", 13, 2, "N"},
    {173, "valCsocCrfop", 13, 2, "N"},
    {186, "valIrpjCrfop", 13, 2, "N"},
    {199, "valIrrfp", 13, 2, "N"},
    {212, "reservado", 13, 0, "S"},
    {225, "brancos", 87, 0, "S"},
};

// Settlement file header, newer format (4-column record type).
constexpr Passo kBaixaCabecNovo[] = {
    {1, "identif", 4, 0, "S"},
    {5, "cnpj", 14, 0, "S"},
};

// Settlement of a receivable document, newer format.
constexpr Passo kBaixaNFeRecebimento[] = {
    {1, "identif", 4, 0, "S"},
    {5, "codEspecie", 7, 0, "S"},
    {12, "serie", 7, 0, "S"},
    {19, "subSerie", 7, 0, "S"},
    {26, "numDoc", 20, 0, "S"},
    {46, "dataVenc", 10, 0, "S"},
    {56, "dataPag", 10, 0, "S"},
    {66, "valPago", 13, 2, "N"},
    {79, "valJuros", 13, 2, "N"},
    {92, "valMultas", 13, 2, "N"},
    {105, "valDesc", 13, 2, "N"},
    {118, "valDevolucao", 13, 2, "N"},
    {131, "valPis", 13, 2, "N"},
    {144, "valCofins", 13, 2, "N"},
    {157, "valCsoc", 13, 2, "N"},
    {170, "valIrrf", 13, 2, "N"},
    {183, "valPisCrfop", 13, 2, "N"},
    {196, "valCofinsCrfop", 13, 2, "N"},
    {209, "valCsocCrfop", 13, 2, "N"},
    {222, "valIrpjCrfop", 13, 2, "N"},
    {235, "valIrrfp", 13, 2, "N"},
    {248, "valOutras", 13, 2, "N"},
    {261, "segmento", 7, 0, "S"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Settlement of a payable document, newer format.
constexpr Passo kBaixaNFePagamento[] = {
    {1, "identif", 4, 0, "S"},
    {5, "codEspecie", 7, 0, "S"},
    {12, "serie", 7, 0, "S"},
    {19, "subSerie", 7, 0, "S"},
    {26, "numDoc", 20, 0, "S"},
    {46, "dataVenc", 10, 0, "S"},
    {56, "dataPag", 10, 0, "S"},
    {66, "valPago", 13, 2, "N"},
    {79, "valJuros", 13, 2, "N"},
    {92, "valMultas", 13, 2, "N"},
    {105, "valDesc", 13, 2, "N"},
    {118, "valDevolucao", 13, 2, "N"},
    {131, "valPis", 13, 2, "N"},
    {144, "valCofins", 13, 2, "N"},
    {157, "valCsoc", 13, 2, "N"},
    {170, "valCrf", 13, 2, "N"},
    {183, "valIrrf", 13, 2, "N"},
    {196, "valIrrfp", 13, 2, "N"},
    {209, "valOutras", 13, 2, "N"},
    {222, "inscricaoCliente", 14, 0, "S"},
    {236, "segmento", 7, 0, "S"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Accounting entry of a settlement, newer format.
constexpr Passo kBaixaLancContNovo[] = {
    {1, "identif", 4, 0, "S"},
    {5, "dataLanc", 10, 0, "S"},
    {15, "debito", 7, 0, "N"},
    {22, "credito", 7, 0, "N"},
    {29, "valor", 13, 2, "N"},
    {42, "codHistorico", 7, 0, "N"},
    {49, "historico", 512, 0, "S"},
    {561, "usuario", 30, 0, "S"},
    {591, "codEmpresa", 7, 0, "N"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Cost-centre split of a settlement, newer format.
constexpr Passo kBaixaCC[] = {
    {1, "identif", 4, 0, "S"},
    {5, "ccDeb", 10, 0, "N"},
    {15, "ccCred", 10, 0, "N"},
    {25, "valor", 13, 2, "N"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Settlement of a payable.
constexpr Passo kBaixaPagamento[] = {
    {1, "identif", 2, 0, "S"},
    {3, "seq", 7, 0, "N"},
    {10, "dataPag", 10, 0, "S"},
    {20, "valPago", 13, 2, "N"},
    {33, "valJuros", 13, 2, "N"},
    {46, "valMultas", 13, 2, "N"},
    {59, "valDesc", 13, 2, "N"},
    {72, "dataVenc", 10, 0, "S"},
    {82, "valDevolucao", 13, 2, "N"},
    {95, "valPis", 13, 2, "N"},
    {108, "valCofins", 13, 2, "N"},
    {121, "valCsoc", 13, 2, "N"},
    {134, "valCrf", 13, 2, "N"},
    {147, "valIrrf", 13, 2, "N"},
    {160, "reservado", 13, 0, "S"},
    {173, "brancos", 37, 0, "S"},
};

// Accounting entry of a settlement.
constexpr Passo kBaixaLancCont[] = {
    {1, "identif", 2, 0, "S"},
    {3, "sequencial", 7, 0, "N"},
    {10, "dataLanc", 10, 0, "S"},
    {20, "debito", 7, 0, "N"},
    {27, "credito", 7, 0, "N"},
    {34, "valor", 13, 2, "N"},
    {47, "usuario", 30, 0, "S"},
    {77, "origem", 2, 0, "N"},
    {79, "codEmpresa", 7, 0, "N"},
    {86, "tipoLanc", 2, 0, "N"},
    {88, "historico", 512, 0, "S"},
    {600, "brancos", 100, 0, "S"},
};

// Header: company, CNPJ, period and note type.
constexpr Passo kCabecalho[] = {
    {1, "identif", 2, 0, "S"},
    {3, "codEmpresa", 7, 0, "N"},
    {10, "cnpj", 14, 0, "S"},
    {24, "dataIni", 10, 0, "S"},
    {34, "dataFim", 10, 0, "S"},
    {44, "fixo", 1, 0, "S"},
    {45, "tipoNota", 2, 0, "N"},
    {47, "constante", 5, 0, "N"},
    {52, "sistema", 1, 0, "N"},
    {53, "fixo2", 2, 0, "N"},
};

// Accounting batch: sequence, type, date and user.
constexpr Passo kContabil2[] = {
    {1, "identif", 2, 0, "S"},
    {3, "sequencial", 7, 0, "N"},
    {10, "tipo", 1, 0, "S"},
    {11, "data", 10, 0, "S"},
    {21, "usuario", 30, 0, "S"},
    {51, "brancos", 100, 0, "S"},
};

// Accounting entry: debit, credit, amount and a 512-column history.
constexpr Passo kContabil3[] = {
    {1, "identif", 2, 0, "S"},
    {3, "sequencial", 7, 0, "S"},
    {10, "debito", 7, 0, "N"},
    {17, "credito", 7, 0, "N"},
    {24, "valorLanc", 15, 2, "N"},
    {39, "codHP", 7, 0, "N"},
    {46, "descHP", 512, 0, "S"},
    {558, "matriz", 7, 0, "N"},
    {565, "brancos", 100, 0, "S"},
};

// Cost-centre entry.
constexpr Passo kContabil5[] = {
    {1, "identif", 2, 0, "S"},
    {3, "sequencial", 7, 0, "S"},
    {10, "ccDeb", 7, 0, "N"},
    {17, "ccCred", 7, 0, "N"},
    {24, "valorLanc", 15, 2, "N"},
    {39, "brancos", 100, 0, "S"},
};

// Inventory item; decimals are written with no separator character.
constexpr Passo kInventario[] = {
    {1, "identif", 1, 0, "S"},
    {2, "codProd", 14, 0, "S"},
    {16, "codEmpresa", 7, 0, "N"},
    {23, "codGrupo", 7, 0, "N"},
    {30, "clasFiscalB", 10, 0, "S"},
    {40, "descricao", 40, 0, "S"},
    {80, "unidade", 6, 0, "S"},
    {86, "valorUnit", 13, 3, "S"},
    {99, "qtdeIni", 11, 4, "S"},
    {110, "qtdeFim", 11, 4, "S"},
    {121, "valorIni", 13, 3, "S"},
    {134, "valorFim", 13, 3, "S"},
    {147, "aliqIPI", 5, 2, "S"},
    {152, "observacao", 40, 0, "S"},
    {192, "clasFiscal", 8, 0, "S"},
    {200, "brancos", 128, 0, "S"},
    {328, "aliqICMS", 5, 2, "S"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ""),
};

// Tax line of a note.
constexpr Passo kImpostos[] = {
    {1, "Fixo", 2, 0, "S"},
    {3, "sequencial", 7, 0, "N"},
    {10, "codImposto", 7, 0, "N"},
    {17, "pctReducao", 5, 2, "N"},
    {22, "baseCalculo", 13, 2, "N"},
    {35, "aliquota", 5, 2, "N"},
    {40, "valorImposto", 13, 2, "N"},
    {53, "valorIsento", 13, 2, "N"},
    {66, "valorOutros", 13, 2, "N"},
    {79, "valorContabil", 13, 2, "N"},
    {92, "valorNaoTributado", 13, 2, "N"},
    {105, "valorParcelaReduzida", 13, 2, "N"},
    {118, "Brancos", 74, 0, "S"},
};

// Payroll event of an employee.
constexpr Passo kFolha1[] = {
    {1, "Fixo", 2, 0, "S"},
    {3, "CodigoEmpregado", 10, 0, "N"},
    {13, "Competencia", 6, 0, "S"},
    {19, "Evento", 4, 0, "N"},
    {23, "TipoProcesso", 2, 0, "N"},
    {25, "Valor", 9, 2, "N"},
    {34, "Empresa", 10, 0, "N"},
};

// Payroll: the operator's CNPJ.
constexpr Passo kFolha20[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "cnpjOperadora", 14, 0, "S"},
};

// Payroll: an amount per employee and beneficiary.
constexpr Passo kFolha25[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "beneficiario", 1, 0, "S"},
    {4, "CodigoEmpregado", 10, 0, "N"},
    {14, "Valor", 9, 2, "N"},
};

// Employee register.
constexpr Passo kFunc[] = {
    {1, "codEmpresa", 7, 0, "N"},
    {8, "codEmpregado", 7, 0, "N"},
    {15, "matricula", 20, 0, "S"},
    {35, "vínculos", 1, 0, "N"},
    {36, "nome", 70, 0, "S"},
    {106, "estadoCivil", 1, 0, "S"},
    {107, "sexo", 1, 0, "S"},
    {108, "dataNasc", 10, 0, "S"},
    {118, "dataAdmissao", 10, 0, "S"},
    {128, "endereco", 40, 0, "S"},
    {168, "bairro", 40, 0, "S"},
    {208, "cidade", 20, 0, "S"},
    {228, "UF", 2, 0, "S"},
    {230, "CEP", 8, 0, "S"},
    {238, "telefone", 15, 0, "S"},
    {253, "CTPS", 7, 0, "S"},
    {260, "serieCTPS", 5, 0, "S"},
};

// Batch entries, record 6000: entry type and code ("|"-separated).
constexpr Passo kLancEmLote6000[] = {
    {1, "identificador", 4, 0, "S"},
    {5, "tipo", 1, 0, "S"},
    {6, "codLanc", 10, 0, "S"},
    {16, "localizador", 1, 0, "S"},
    {17, "rttDoFCONT", 1, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};

// Batch entries, record 6100: the entry itself ("|"-separated).
constexpr Passo kLancEmLote6100[] = {
    {1, "identificador", 4, 0, "S"},
    {5, "dataLanc", 10, 0, "S"},
    {15, "ccDeb", 10, 0, "S"},
    {25, "ccCred", 10, 0, "S"},
    {35, "valorLanc", 14, 0, "S"},
    {49, "codHistorico", 10, 0, "S"},
    {59, "descHistorico", 100, 0, "S"},
    {159, "usuario", 10, 0, "S"},
    {169, "codFilial", 10, 0, "S"},
    {179, "codSCP", 10, 0, "S"},
    {189, "codSCP2", 10, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};

// Batch entries, record 6110: cost-centre apportionment ("|"-separated).
constexpr Passo kLancEmLote6110[] = {
    {1, "identificador", 4, 0, "S"},
    {5, "CentroDeb", 10, 0, "S"},
    {15, "CentroCred", 10, 0, "S"},
    {25, "valorRateio", 14, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};

// Batch entries, record 6140: document and participant, read by columns.
constexpr Passo kLancEmLote6140[] = {
    {1, "identificador", 4, 0, "S"},
    {5, "tipoLancamento", 1, 0, "S"},
    {6, "numDoc", 100, 0, "S"},
    {106, "tipoDoc", 1, 0, "S"},
    {107, "codParticipante", 20, 0, "S"},
    {127, "codImovelRural", 3, 0, "S"},
    {130, "credOuDeb", 1, 0, "S"},
};

// Company identification ("|"-separated).
constexpr Passo kIdentificacaoEmpresa[] = {
    {1, "identificador", 4, 0, "S"},
    {5, "inscricaoEmpresa", 14, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};

// Fixed asset; the number format is set before the fields.
constexpr Passo kAtivo[] = {
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::espacoAdireitaNumeros, true),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
    {1, "codEmpresa", 10, 0, "N"},
    {11, "codAtivo", 10, 0, "N"},
    {21, "descricao", 80, 0, "S"},
    {101, "dataAquisicao", 8, 0, "S"},
    {109, "fornecedores", 30, 0, "S"},
    {139, "docOrigem", 30, 0, "S"},
    {169, "ContaPatrimonial", 10, 0, "N"},
    {179, "centroCusto", 10, 0, "N"},
    {189, "taxaAlternativa", 10, 2, "N"},
    {199, "valorOriginalMoeda", 10, 2, "N"},
    {209, "valorOriginalIndice", 10, 2, "N"},
    {219, "valorAvaliado", 10, 2, "N"},
    {229, "correcaoMonetaria", 10, 2, "N"},
    {239, "deprecAcomuladaIndice", 10, 4, "N"},
    {249, "deprecAcomuladaMoeda", 10, 2, "N"},
    {259, "historico", 80, 0, "S"},
    {339, "agregadoA", 10, 0, "N"},
    {349, "entradasValorMoeda", 10, 2, "N"},
    {359, "entradasValorIndice", 10, 4, "N"},
    {369, "entradasDeprecMoeda", 10, 2, "N"},
    {379, "entradasDeprecIndice", 10, 4, "N"},
    {389, "saidasValorMoeda", 10, 2, "N"},
    {399, "saidasValorIndice", 10, 4, "N"},
    {409, "saidasDeprecMoeda", 10, 2, "N"},
    {419, "saidasDeprecIndice", 10, 4, "N"},
    {429, "valorIcms", 10, 2, "N"},
    {439, "dataInicioDeprec", 8, 0, "S"},
    {447, "dataBaixa", 8, 0, "S"},
    {455, "depreciaBem", 1, 0, "S"},
    {456, "ordemRegistro", 1, 0, "S"},
    {457, "identificador", 20, 0, "S"},
    {477, "calculaCredPISCOFINS", 1, 0, "S"},
    {478, "creditoProCargas", 1, 0, "S"},
    {479, "valorAquisicao", 10, 2, "N"},
    {489, "calculaCredPISCOFINSsobreAquisicao", 1, 0, "S"},
    {490, "periodoCalculoPISCOFINS", 10, 0, "N"},
};

// Fixed asset, newer format; the number format is set before the fields.
constexpr Passo kAtivoNovo[] = {
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
    {1, "identificador", 4, 0, "S"},
    {5, "codAtivo", 10, 0, "N"},
    {15, "descricao", 80, 0, "S"},
    {95, "dataAquisicao", 10, 0, "S"},
    {105, "ContaPatrimonial", 10, 0, "N"},
    {115, "centroCusto", 10, 0, "N"},
    {125, "historico", 80, 0, "S"},
    {205, "tipo", 1, 0, "S"},
    {206, "classificacao", 1, 0, "S"},
    {207, "vinculadoA", 10, 0, "N"},
    {217, "oriundoAtivoCirculante", 1, 0, "S"},
    {218, "funcao", 80, 0, "S"},
    {298, "calculaCredPISCOFINS", 1, 0, "S"},
    {299, "calculaBaseEncargDeprec", 1, 0, "S"},
    {300, "calculaBaseValorAquisic", 1, 0, "S"},
    {301, "inicioCalculo", 7, 0, "S"},
    {308, "origemBem", 1, 0, "S"},
    {309, "baseCalculo", 13, 2, "N"},
    {322, "baseCredito", 2, 0, "S"},
    {324, "especie", 10, 0, "N"},
    {334, "tipoUtilizacao", 1, 0, "S"},
    {335, "periodoCalculo", 3, 0, "S"},
    {338, "cst", 2, 0, "S"},
    {340, "vinculoCredito", 1, 0, "S"},
    {341, "descricaoCompl", 80, 0, "S"},
    {421, "processoReferenciado", 1, 0, "S"},
    {422, "identificacao", 80, 0, "S"},
    {502, "origem", 1, 0, "S"},
    {503, "sessaoJudiciaria", 80, 0, "S"},
    {583, "vara", 80, 0, "S"},
    {663, "naturezaAcao", 2, 0, "S"},
    {665, "dataSentencaDespacho", 10, 0, "S"},
    {675, "descricaoProcesso", 80, 0, "S"},
    {755, "calculaCreditoICMS", 1, 0, "S"},
    {756, "apropriaCreditoSomenteBem", 1, 0, "S"},
    {757, "creditoICMSProCargas", 1, 0, "S"},
    {758, "bemApropriacaoCreditoICMS", 1, 0, "S"},
    {759, "utilizaCreditoICMSMesEfetivo", 1, 0, "S"},
    {760, "mesInicioEfetivoAtividades", 7, 0, "S"},
    {767, "recolheDebitoICMS", 1, 0, "S"},
    {768, "periodoCalculo2", 2, 0, "S"},
    {770, "valorAquisicao", 13, 2, "N"},
    {783, "aliquotaICMS", 13, 2, "N"},
    {796, "valorICMS", 13, 2, "N"},
    {809, "valorICMSSubstTribut", 13, 2, "N"},
    {822, "valorICMSDifAliq", 13, 2, "N"},
    {835, "valorICMSFrete", 13, 2, "N"},
    {848, "valorTotalCreditoICMS", 13, 2, "N"},
    {861, "valorOriginal", 13, 2, "N"},
    {874, "correcaoMonetariaAcumul", 13, 2, "N"},
    {887, "valorResidual", 13, 2, "N"},
    {900, "baseCalculoDeprec", 13, 2, "N"},
    {913, "bemDeprec", 1, 0, "S"},
    {914, "deprec100PorcMesInicio", 1, 0, "S"},
    {915, "taxaAlternativaFiscal", 13, 4, "N"},
    {928, "dataInicioFiscal", 10, 0, "S"},
    {938, "infDeprecAcumulAteFiscal", 1, 0, "S"},
    {939, "dataDeprecAcumulFiscal", 7, 0, "S"},
    {946, "valorDeprecAcumulFiscal", 13, 2, "N"},
    {959, "dataInicioSocietaria", 10, 0, "S"},
    {969, "infDeprecAcumulAteSocietaria", 1, 0, "S"},
    {970, "dataDeprecAcumulSocietaria", 7, 0, "S"},
    {977, "valorDeprecAcumulSocietaria", 13, 2, "N"},
    {990, "taxaInicialSocietaria", 13, 4, "N"},
    {1003, "numDocFiscal", 10, 0, "N"},
    {1013, "serieDocFiscal", 80, 0, "S"},
    {1093, "dataEmissaoDocFiscal", 10, 0, "S"},
    {1103, "especieDocFiscal", 10, 0, "S"},
    {1113, "chaveNfeDocFiscal", 80, 0, "S"},
    {1193, "fornecedorDocFiscal", 14, 0, "N"},
    {1207, "emitenteDocFiscal", 1, 0, "S"},
    {1208, "produtoDocFiscal", 80, 0, "S"},
    {1288, "seqItemDocFiscal", 10, 0, "S"},
};

// Service-invoice file header.
constexpr Passo kNFServicosCab[] = {
    {1, "id", 2, 0, "N"},
    {3, "codEmpresa", 7, 0, "N"},
    {10, "CNPJ", 14, 0, "S"},
    {24, "dataInicial", 10, 0, "S"},
    {34, "dataFinal", 10, 0, "S"},
    {44, "fixoN", 1, 0, "S"},
    {45, "tipoNota", 2, 0, "N"},
    {47, "constant", 5, 0, "N"},
    {52, "sistema", 1, 0, "N"},
    {53, "fixo17", 2, 0, "N"},
};

// Service invoice; the observation is right-aligned once appended.
constexpr Passo kNFServicosCli[] = {
    {1, "id", 2, 0, "N"},
    {3, "sequencial", 7, 0, "N"},
    {10, "codEmpresaNota", 7, 0, "N"},
    {17, "insCliente", 14, 0, "S"},
    {31, "codEspecie", 7, 0, "N"},
    {38, "codAcumu", 7, 0, "N"},
    {45, "sigla", 2, 0, "S"},
    {47, "segmento", 7, 0, "N"},
    {54, "numDoc", 7, 0, "N"},
    {61, "docFinal", 7, 0, "N"},
    {68, "serie", 7, 0, "N"},
    {75, "dataServ", 10, 0, "N"},
    {85, "dataEmi", 10, 0, "N"},
    {95, "valorCont", 13, 0, "N"},
    {108, "reservado", 30, 0, "N"},
    {138, "fatoCRF", 1, 0, "S"},
    {139, "fatoIRRF", 1, 0, "S"},
    {140, "fatoCRFOP", 1, 0, "S"},
    {141, "fatoIRRFP", 1, 0, "S"},
    {142, "brancos1", 1, 0, "S"},
    {143, "codMunicipio", 7, 0, "N"},
    {150, "codObserv", 7, 0, "N"},
    {157, "codModelo", 7, 0, "N"},
    {164, "codFiscal", 7, 0, "N"},
    {171, "subSerie", 7, 0, "N"},
    {178, "insEstadu", 20, 0, "N"},
    {198, "insMunicipal", 20, 0, "N"},
    {218, "observ", 300, 0, "S"},
    Alinha("observ", "D"),
    {518, "brancos2", 100, 0, "S"},
};

// Tax of a service invoice.
constexpr Passo kNFServicosImp[] = {
    {1, "id", 2, 0, "N"},
    {3, "sequencial", 7, 0, "N"},
    {10, "codImp", 7, 0, "N"},
    {17, "percRedu", 5, 0, "N"},
    {22, "baseCalc", 13, 0, "N"},
    {35, "aliq", 5, 0, "N"},
    {40, "valorImp", 13, 0, "N"},
    {53, "valorIsent", 13, 0, "N"},
    {66, "valorOut", 13, 0, "N"},
    {79, "valorCont", 13, 0, "N"},
    {92, "brancos", 100, 0, "N"},
};

// Item of a service invoice.
constexpr Passo kNFServicosItens[] = {
    {1, "id", 2, 0, "N"},
    {3, "codigoProduto", 12, 0, "N"},
    {15, "dataMovimentacao", 10, 0, "S"},
    {25, "quantidade", 13, 0, "S"},
    {38, "vlProduto", 13, 0, "N"},
    {51, "vlDesconto", 13, 0, "N"},
    {64, "vlUnit", 13, 0, "N"},
    {77, "cstISSQN", 7, 0, "N"},
    {84, "baseCalcISSQN", 13, 0, "N"},
    {97, "aliqISSQN", 13, 0, "N"},
    {110, "vlISSQN", 13, 0, "N"},
    {123, "isentasISSQN", 13, 0, "N"},
    {136, "naoIncISSQN", 13, 0, "N"},
    {149, "issRetido", 13, 0, "N"},
    {162, "quantidadeCancelada", 13, 0, "N"},
    {175, "vlCancelamento", 13, 0, "N"},
    {188, "cstPIS", 7, 0, "N"},
    {195, "baseCalcPIS", 13, 0, "N"},
    {208, "aliqPIS", 5, 0, "N"},
    {213, "vlPIS", 13, 0, "N"},
    {226, "cstCOFINS", 7, 0, "N"},
    {233, "baseCalcCOFINS", 13, 0, "N"},
    {246, "aliqCOFINS", 5, 0, "N"},
    {251, "vlCOFINS", 13, 0, "N"},
    {264, "natRecPIS", 4, 0, "N"},
    {268, "natRecCOFINS", 4, 0, "N"},
    {272, "brancos", 27, 0, "N"},
};

// Instalment of a service invoice with its withheld taxes.
constexpr Passo kNFServicosParcela[] = {
    {1, "id", 2, 0, "N"},
    {3, "sequencial", 7, 0, "N"},
    {10, "dataVencimento", 10, 0, "N"},
    {20, "tipoFixo", 1, 0, "N"},
    {21, "valorParcela", 13, 0, "N"},
    {34, "aliqCRF", 13, 0, "N"},
    {47, "valorCRF", 13, 0, "N"},
    {60, "valorIRRF", 13, 0, "N"},
    {73, "valorISSRetFonte", 13, 0, "N"},
    {86, "valorINSSRet", 13, 0, "N"},
    {99, "aliqPISdaCRFOP", 5, 0, "N"},
    {104, "valorPISdaCRFOP", 13, 0, "N"},
    {117, "aliqCOFINSdaCRFOP", 5, 0, "N"},
    {122, "valorCOFINSdaCRFOP", 13, 0, "N"},
    {135, "aliqCSOCdaCRFOP", 5, 0, "N"},
    {140, "valorCSOCdaCRFOP", 13, 0, "N"},
    {153, "aliqIRPJdaCRFOP", 5, 0, "N"},
    {158, "valorIRPJdaCRFOP", 13, 0, "N"},
    {171, "valorIRRFP", 13, 0, "N"},
    {184, "valorPISRet", 13, 0, "N"},
    {197, "valorCOFINSRet", 13, 0, "N"},
    {210, "valorCSOCRet", 13, 0, "N"},
    {223, "brancos", 100, 0, "S"},
};

// Accounting entry of a service invoice.
constexpr Passo kNFServicosCont[] = {
    {1, "id", 2, 0, "N"},
    {3, "sequencial", 7, 0, "N"},
    {10, "dataLanc", 10, 0, "N"},
    {20, "cDebito", 7, 0, "N"},
    {27, "cCredito", 7, 0, "N"},
    {34, "valor", 13, 0, "N"},
    {47, "usuario", 30, 0, "N"},
    {77, "origem", 2, 0, "N"},
    {79, "codEmpresaFilial", 7, 0, "N"},
    {86, "historico", 512, 0, "S"},
    {598, "brancos", 100, 0, "N"},
};

// Register of a contributor paid by RPA.
constexpr Passo kCadastroContribuinteRPA[] = {
    {1, "codEmpresa", 7, 0, "N"},
    {8, "cpfContri", 11, 0, "N"},
    {19, "pisContri", 11, 0, "N"},
    {30, "nomeContri", 70, 0, "S"},
    {100, "codServ", 10, 0, "N"},
    {110, "codCargo", 10, 0, "N"},
    {120, "codDepart", 10, 0, "N"},
    {130, "codCC", 10, 0, "N"},
    {140, "dataInicio", 8, 0, "S"},
    {148, "catSefip", 2, 0, "N"},
    {150, "tipoContri", 1, 0, "N"},
    {151, "codRubri", 6, 0, "N"},
    {157, "valSalario", 8, 2, "N"},
    {165, "tipoServico", 1, 0, "N"},
    {166, "dataNascimento", 8, 0, "S"},
    {174, "formaPagto", 1, 0, "N"},
    {175, "codBanco", 6, 0, "S"},
    {181, "codConta", 12, 0, "S"},
    {193, "codDigito", 2, 0, "S"},
    {195, "tipoConta", 2, 0, "S"},
    {197, "filler", 125, 0, "S"},
    {322, "catEsocial", 3, 0, "S"},
    {325, "enviaEsocial", 1, 0, "S"},
};

// RPA of a contributor.
constexpr Passo kContribuinteRPA[] = {
    {1, "codEmpresa", 7, 0, "N"},
    {8, "codCont", 10, 0, "N"},
    {18, "competencia", 6, 0, "S"},
    {24, "descAtiv", 100, 0, "S"},
    {124, "numRPA", 10, 0, "N"},
    {134, "rendBruto", 11, 2, "N"},
    {145, "percISS", 5, 0, "N"},
    {150, "valorISS", 11, 2, "N"},
    {161, "dataISS", 8, 0, "N"},
    {169, "baseISS", 11, 2, "N"},
    {180, "freteSEST", 8, 2, "N"},
    {188, "freteSENAT", 8, 2, "N"},
    {196, "valorINSS", 8, 2, "N"},
    {204, "pensaoAlim", 11, 0, "N"},
    {215, "outDesc", 11, 0, "N"},
    {226, "outProv", 11, 0, "N"},
    {237, "data", 8, 0, "N"},
    {245, "baseIRRF", 11, 2, "N"},
    {256, "qtdDepen", 3, 0, "N"},
    {259, "valorIR", 8, 2, "N"},
};

// Settlement of an entry document.
constexpr Passo kRecebimentosEntradas[] = {
    {1, "identif", 4, 0, "S"},
    {5, "codEspecie", 10, 0, "N"},
    {15, "serie", 10, 0, "S"},
    {25, "subSerie", 10, 0, "S"},
    {35, "numDoc", 10, 0, "S"},
    {45, "dataVenc", 10, 0, "S"},
    {55, "dataPag", 10, 0, "S"},
    {65, "valPago", 14, 2, "N"},
    {79, "valJuros", 14, 2, "N"},
    {93, "valMultas", 14, 2, "N"},
    {107, "valDesc", 14, 2, "N"},
    {121, "valDevolucao", 14, 2, "N"},
    {135, "valPis", 14, 2, "N"},
    {149, "valCofins", 14, 2, "N"},
    {163, "valCsoc", 14, 2, "N"},
    {177, "valCrf", 14, 2, "N"},
    {191, "valIrrf", 14, 2, "N"},
    {205, "valIrrfp", 14, 2, "N"},
    {219, "valOutras", 14, 2, "N"},
    {233, "inscricaoCliente", 14, 0, "S"},
    {247, "segmento", 10, 0, "S"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};

// Accounting entry of a receipt.
constexpr Passo kRecebimentosLancs[] = {
    {1, "identif", 4, 0, "S"},
    {5, "dataLanc", 10, 0, "S"},
    {15, "debito", 10, 0, "N"},
    {25, "credito", 10, 0, "N"},
    {35, "valor", 13, 2, "N"},
    {48, "codHistorico", 10, 0, "N"},
    {58, "historico", 50, 0, "S"},
    {108, "usuario", 14, 0, "S"},
    {122, "codEmpresa", 14, 0, "N"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};

// Settlement of a sales or services document.
constexpr Passo kRecebimentosSaidasEServicos[] = {
    {1, "identif", 4, 0, "S"},
    {5, "codEspecie", 10, 0, "N"},
    {15, "serie", 10, 0, "S", kAlinhaDireita},
    {25, "subSerie", 10, 0, "N"},
    {35, "numDoc", 10, 0, "N"},
    {45, "dataVenc", 10, 0, "S"},
    {55, "dataPag", 10, 0, "S"},
    {65, "valPago", 14, 2, "N"},
    {79, "valJuros", 14, 2, "N"},
    {93, "valMultas", 14, 2, "N"},
    {107, "valDesc", 14, 2, "N"},
    {121, "valDevolucao", 14, 2, "N"},
    {135, "valPis", 14, 2, "N"},
    {149, "valCofins", 14, 2, "N"},
    {163, "valCsoc", 14, 2, "N"},
    {177, "valIrrf", 14, 2, "N"},
    {191, "valPisCrfop", 14, 2, "N"},
    {205, "valCofinsCrfop", 14, 2, "N"},
    {219, "valCsocCrfop", 14, 2, "N"},
    {233, "valIrpjCrfop", 14, 2, "N"},
    {247, "valIrrfp", 14, 2, "N"},
    {261, "valOutras", 14, 2, "N"},
    {275, "segmento", 10, 0, "N"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"baixaCabec", kBaixaCabec},
    {"baixaNf", kBaixaNf},
    {"baixaRecebimento", kBaixaRecebimento},
    {"baixaCabecNovo", kBaixaCabecNovo},
    {"baixaNFeRecebimento", kBaixaNFeRecebimento},
    {"baixaNFePagamento", kBaixaNFePagamento},
    {"baixaLancContNovo", kBaixaLancContNovo},
    {"baixaCC", kBaixaCC},
    {"baixaPagamento", kBaixaPagamento},
    {"baixaLancCont", kBaixaLancCont},
    {"cabecalho", kCabecalho},
    {"contabil-2", kContabil2},
    {"contabil-3", kContabil3},
    {"contabil-5", kContabil5},
    {"inventario", kInventario},
    {"impostos", kImpostos},
    {"folha-1", kFolha1},
    {"folha-20", kFolha20},
    {"folha-25", kFolha25},
    {"func", kFunc},
    {"lancEmLote6000", kLancEmLote6000},
    {"lancEmLote6100", kLancEmLote6100},
    {"lancEmLote6110", kLancEmLote6110},
    {"lancEmLote6140", kLancEmLote6140},
    {"identificacaoEmpresa", kIdentificacaoEmpresa},
    {"ativo", kAtivo},
    {"ativoNovo", kAtivoNovo},
    {"NFServicosCab", kNFServicosCab},
    {"NFServicosCli", kNFServicosCli},
    {"NFServicosImp", kNFServicosImp},
    {"NFServicosItens", kNFServicosItens},
    {"NFServicosParcela", kNFServicosParcela},
    {"NFServicosCont", kNFServicosCont},
    {"CadastroContribuinteRPA", kCadastroContribuinteRPA},
    {"ContribuinteRPA", kContribuinteRPA},
    {"recebimentosEntradas", kRecebimentosEntradas},
    {"recebimentosLancs", kRecebimentosLancs},
    {"recebimentosSaidasEServicos", kRecebimentosSaidasEServicos},
};

}  // namespace

constexpr Compositor CompoeDominio{
    .nome = "CompoeDominio", .layouts = kLayouts, .seguinte = &CompoeDominioNotasFiscais};

extern constexpr Sistema sistemaDominio{
    "Dominio",
    "baixaCabec,baixaNf,baixaRecebimento,baixaCabecNovo,baixaNFeRecebimento,baixaNFePagamento,"
    "baixaLancContNovo,baixaCC,baixaPagamento,baixaLancCont,cabecalho,contabil-2,contabil-3,"
    "contabil-5,inventario,impostos,folha-1,folha-20,folha-25,func,lancEmLote6000,lancEmLote6100,"
    "lancEmLote6110,lancEmLote6140,identificacaoEmpresa,ativo,ativoNovo,NFServicosCab,"
    "NFServicosCli,NFServicosImp,NFServicosItens,NFServicosParcela,NFServicosCont,"
    "CadastroContribuinteRPA,ContribuinteRPA,recebimentosEntradas,recebimentosLancs,"
    "recebimentosSaidasEServicos,"
    // The invoice and register layouts, then the complementary records. "nfSaidaDoc" stands in the
    // list too, or the catalogue would never hand out a layout its composer builds.
    "nfEntrada1000,nfEntradaImpo1020,nfEntradaPIS/COFINS1090,nfEntradasParcelas1500,nfSaida,"
    "nfSaidaInfoCompl,nfSaidaImpostos,nfSaidaEstoque,nfSaidaICMS,nfSaidaDoc,nfSaidaParcelas,"
    "cadCli,cadForn,produtos,nfEntradaDocRef,nfEntradaEstoque1030,"
    "nfInformacoesMunicipais1040,nfEntradaDocReferenciados1081,lmcCabecalho,lmcTanque,lmcBico,"
    "lmcFiscal,competencia,posse,nfICMS1200,lanc1300,lanc1310,recebContratoImob,"
    "recebContratoImobLancs,inventarioSaldoEstoque,lancamentosMultiSCP,contratosMercantis",
    &CompoeDominio};

}  // namespace lumbrava::catalogo
