// Glandata: payroll and employee files, accounting entries, sales and purchase notes, payables
// and receivables, all fixed-width. After every layout but the purchase-note ones the number format
// of the layouts handed out before is set to the one the system imports.
#include <string>

#include "layouts/catalogue/composicao.h"
#include "layouts/cl_produto.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the layout sheets list them; a type "S" with decimals is numeric.
// clang-format off
// Payroll entries file, header record.
constexpr Passo kApontamentoFolhaReg00[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "versaoLayout", 4, 0, "N"},
    {7, "dataGeracaoArquivo", 8, 0, "S"},
    {15, "horaGeracaoArquivo", 6, 0, "S"},
    {21, "competenciaImportacaoApontamentos", 6, 0, "S"},
    {27, "filler", 759, 0, "S"},
    {786, "numeroRegistro", 6, 0, "S"},
};

// Payroll entries file, company record.
constexpr Passo kApontamentoFolhaReg10[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "tipoIdentificacaoEmpresa", 1, 0, "S"},
    {4, "identificacaoEmpresaFolha", 14, 0, "N"},
    {18, "filler", 770, 0, "S"},
    {788, "numeroRegistro", 6, 0, "S"},
};

// Payroll entries file, one event of an employee.
constexpr Passo kApontamentoFolhaReg20[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "tipoIdentificao", 1, 0, "S"},
    {4, "identificaoFuncionario", 11, 0, "N"},
    {15, "evento", 4, 0, "S"},
    {19, "quantidadeEvento", 14, 2, "N"},
    {33, "filler", 754, 0, "S"},
    {787, "numeroRegistro", 6, 0, "S"},
    Particular("quantidadeEvento", true, false, false, ".", false, false),
};

// Employee file, personal data.
constexpr Passo kFuncionarioReg20[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "tipoIdentificao", 1, 0, "S"},
    {4, "identificaoFuncionario", 11, 0, "N"},
    {15, "nomeFuncionario", 50, 0, "S"},
    {65, "dataNasc", 8, 0, "S"},
    {73, "sexo", 1, 0, "S"},
    {74, "filler", 179, 0, "S"},
    {253, "dataAdmissao", 8, 0, "S"},
    {261, "filler2", 50, 0, "S"},
    {311, "cpf", 11, 0, "S"},
    {322, "filler3", 659, 0, "S"},
    {981, "numeroRegistro", 6, 0, "S"},
};

// Employee file, job and department.
constexpr Passo kFuncionarioReg21[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "tipoIdentificao", 1, 0, "S"},
    {4, "identificaoFuncionario", 11, 0, "N"},
    {15, "filler", 206, 0, "S"},
    {221, "funcao", 4, 0, "S"},
    {225, "departamento", 4, 0, "S"},
    {229, "filler2", 756, 0, "S"},
    {985, "numeroRegistro", 6, 0, "S"},
};

// Employee file, salary.
constexpr Passo kFuncionarioReg22[] = {
    {1, "fixo", 2, 0, "S"},
    {3, "tipoIdentificao", 1, 0, "S"},
    {4, "identificaoFuncionario", 11, 0, "N"},
    {15, "tipoSalario", 2, 0, "S"},
    {17, "valorSalario", 14, 2, "S"},
    {31, "filler", 955, 0, "S"},
    {986, "numeroRegistro", 6, 0, "S"},
};

// Accounting entry.
constexpr Passo kLancamentosTipo1[] = {
    {1, "conta", 21, 0, "S"},
    {22, "contraPartida", 21, 0, "S"},
    {43, "dia", 2, 0, "S"},
    {45, "tipoLancamento", 1, 0, "S"},
    {46, "valor", 15, 2, "S"},
    {61, "historicoDebito", 3, 0, "N"},
    {64, "descricaoHistoricoDebito", 100, 0, "S"},
    {164, "historicoCredito", 3, 0, "N"},
    {167, "descricaoHistoricoCredito", 98, 0, "S"},
    {265, "padrao", 4, 0, "S"},
    {269, "sequencia", 4, 0, "S"},
    {273, "operacao", 1, 0, "S"},
    {274, "origem", 3, 0, "S"},
    {277, "numdoc", 12, 0, "S"},
    {289, "contaAprop", 20, 0, "S"},
    {309, "dataAprop", 10, 0, "S"},
    {319, "cnpjAprop", 14, 0, "S"},
    {333, "nomeAprop", 60, 0, "S"},
    {393, "tipoPessoa", 1, 0, "S"},
    {394, "filler", 89, 0, "S"},
    {483, "tipoReg", 1, 0, "S"},
    Particular("conta", false, true, true, "", false, false),
    Particular("contraPartida", false, true, true, "", false, false),
    Particular("valor", true, true, true, ".", true, false),
    Particular("descricaoHistoricoCredito", false, false, false, "", false, false),
};

// Accounting entry with its appropriation, fillers between the fields.
constexpr Passo kLancamentosAprop[] = {
    {1, "conta", 21, 0, "S"},
    {22, "contraPartida", 21, 0, "S"},
    {43, "dia", 2, 0, "S"},
    {45, "filler1", 1, 0, "S"},
    {46, "tipoLancamento", 1, 0, "S"},
    {47, "filler2", 1, 0, "S"},
    {48, "valor", 15, 2, "S"},
    {63, "filler3", 1, 0, "S"},
    {64, "historicoDebito", 4, 0, "N"},
    {68, "descricaoHistoricoDebito", 100, 0, "S"},
    {168, "filler4", 1, 0, "S"},
    {169, "historicoCredito", 4, 0, "N"},
    {173, "descricaoHistoricoCredito", 100, 0, "S"},
    {273, "padrao", 4, 0, "S"},
    {277, "filler5", 1, 0, "S"},
    {278, "sequencia", 4, 0, "S"},
    {282, "operacao", 1, 0, "S"},
    {283, "origem", 3, 0, "S"},
    {286, "numdoc", 12, 0, "S"},
    {298, "contaAprop", 20, 0, "S"},
    {318, "dataAprop", 10, 0, "S"},
    {328, "cnpjAprop", 14, 0, "S"},
    {342, "nomeAprop", 60, 0, "S"},
    {402, "tipoPessoa", 1, 0, "S"},
    {403, "filler", 97, 0, "S"},
    {500, "tipoReg", 1, 0, "S"},
    Particular("conta", false, true, true, "", false, false),
    Particular("contraPartida", false, true, true, "", false, false),
    Particular("valor", true, true, true, ".", true, false),
    Particular("descricaoHistoricoCredito", false, false, false, "", false, false),
};

// Cost-centre share of an accounting entry.
constexpr Passo kLancamentosTipo2[] = {
    {1, "centrocusto", 9, 0, "S"},
    {10, "valor", 15, 2, "S"},
    {25, "rateio", 6, 2, "S"},
    {31, "filler", 469, 0, "S"},
    {500, "tipoReg", 1, 0, "S"},
};

// Outgoing note: tax totals, customer and transport. notaInicial, notaFinal,
// siglaEstado and outrosIPI are written twice; the later columns are the ones that stay.
constexpr Passo kNotaSaida[] = {
    {1, "especie", 3, 0, "S"},
    {4, "serie", 3, 0, "S"},
    {7, "notaInicial", 6, 0, "N"},
    {13, "notaFinal", 6, 0, "N"},
    {19, "siglaEstado", 2, 0, "S"},
    {21, "dataEmissao", 8, 0, "S"},
    {29, "formaPgto", 1, 0, "N"},
    {30, "natureza", 4, 0, "N"},
    {34, "cliente", 5, 0, "N"},
    {39, "tipoPis", 1, 0, "N"},
    {40, "classiContabil", 4, 0, "N"},
    {44, "compleContabil", 4, 0, "N"},
    {48, "valorContabil", 14, 2, "S"},
    {62, "baseICMS1", 14, 2, "S"},
    {76, "aliquotaICMS1", 5, 2, "S"},
    {81, "valorICMS1", 14, 2, "S"},
    {95, "bancos", 92, 0, "S"},
    {187, "valorAcrescimo", 14, 2, "S"},
    {201, "isentosICMS", 14, 2, "S"},
    {215, "outrosICMS", 14, 2, "S"},
    {229, "baseIPI", 14, 2, "S"},
    {243, "aliquotaIPI", 5, 2, "S"},
    {248, "valorIPI", 14, 2, "S"},
    {262, "isentosIPI", 14, 2, "S"},
    {276, "outrosIPI", 14, 2, "S"},
    {290, "aliqPisCofins", 1, 0, "N"},
    {291, "icmsRetido", 14, 2, "S"},
    {305, "ipiIncluso", 14, 2, "S"},
    {319, "outrosIPI", 14, 2, "S"},
    {333, "outrosValores", 14, 2, "S"},
    {347, "observacoes", 50, 0, "S"},
    {397, "tipoIPI", 1, 0, "S"},
    {398, "valorPisRetido", 10, 2, "S"},
    {408, "valorCofinsRetido", 10, 2, "S"},
    {418, "infomarBasePisCofins", 1, 0, "S"},
    {419, "basePisCofins", 14, 2, "S"},
    {433, "infomarBaseIRPJCSLL", 1, 0, "S"},
    {434, "baseIRPJCSLL", 14, 2, "S"},
    {448, "tipoReceitaSuperSimples", 3, 0, "N"},
    {451, "baseICMSsubstTrib", 14, 2, "S"},
    {465, "aliquotaICMSSubstTrib", 5, 2, "S"},
    {470, "valorICMSSubstTrib", 14, 2, "S"},
    {484, "codigoModeloDocumentoFiscal", 2, 0, "S"},
    {486, "codigoSituacaoDocumentoFiscal", 2, 0, "S"},
    {488, "viaTransporte", 1, 0, "S"},
    {489, "tipoOperacao", 1, 0, "S"},
    {490, "cnpjConcessionaria", 14, 0, "N"},
    {504, "modalidadeFrete", 1, 0, "S"},
    {505, "razaoSocial", 50, 0, "S"},
    {555, "siglaEstado", 2, 0, "S"},
    {557, "municipioZfmAlc", 5, 0, "N"},
    {562, "cnpjCpf", 14, 0, "S"},
    {576, "inscricao", 20, 0, "S"},
    {596, "codigoDipamB", 2, 0, "N"},
    {598, "municipioDipamB", 4, 0, "N"},
    {602, "excluiDipi", 1, 0, "S"},
    {603, "endereco", 50, 0, "S"},
    {653, "cep", 8, 0, "N"},
    {661, "bairro", 50, 0, "S"},
    {711, "cidade", 50, 0, "S"},
    {761, "inscricaoMunicipal", 10, 0, "N"},
    {771, "digitoInscricaoMunicipal", 2, 0, "N"},
    {773, "cidadeGiss", 2, 0, "N"},
    {775, "valorFrete", 10, 2, "S"},
    {785, "valorSeguro", 10, 2, "S"},
    {795, "valorOutraDespesas", 10, 2, "S"},
    {805, "valorDesconto", 10, 2, "S"},
    {815, "suframa", 9, 0, "S"},
    {824, "pais", 5, 0, "S"},
    {829, "tipoLogradouro", 15, 0, "S"},
    {844, "numeroEndereco", 6, 0, "N"},
    {850, "complementoEndereco", 30, 0, "S"},
    {880, "estadoConcessionario", 2, 0, "S"},
    {882, "chassiVeiculo", 17, 0, "S"},
    {899, "codigoObs", 3, 0, "N"},
    {902, "numeroNotaDevolvida", 9, 0, "S"},
    {911, "tipoICMSSubstTributaria", 1, 0, "S"},
    {912, "origemMercadoria", 1, 0, "S"},
    {913, "situacaoTributaria", 2, 0, "S"},
    {915, "tipoIsencao", 1, 0, "S"},
    {916, "reducaoPorcentICMS", 5, 2, "S"},
    {921, "notaInicial", 9, 0, "N"},
    {930, "notaFinal", 9, 0, "N"},
    {939, "excluiICMSRetidoBasePisCofins", 1, 0, "S"},
    {940, "brancos", 478, 0, "S"},
};

// Amounts withheld on an outgoing note.
constexpr Passo kRetencaoSaida[] = {
    {1, "notaFiscal", 6, 0, "N"},
    {7, "serieNota", 3, 0, "S"},
    {10, "especieNota", 3, 0, "S"},
    {13, "natureza", 4, 0, "S"},
    {17, "competencia", 6, 0, "S"},
    {23, "baseCalculo", 14, 2, "S"},
    {37, "porcentCSLLRetida", 5, 2, "S"},
    {42, "valorCSLLRetida", 12, 2, "S"},
    {54, "porcentCofinsRetido", 5, 2, "S"},
    {59, "valorCofinsRetido", 12, 2, "S"},
    {71, "porcentPisRetido", 5, 2, "S"},
    {76, "valorPisRetido", 12, 2, "S"},
    {88, "valoresInformados", 1, 0, "S"},
    {89, "naturezaRetencaoPisCofins", 2, 0, "S"},
    {91, "dataPgto", 8, 0, "S"},
    {99, "numeroNota", 9, 0, "N"},
    {108, "brancos", 774, 0, "S"},
};

// One item of a note. unidadeMedida and the "brancos" fillers are written more than once;
// the later columns are the ones that stay.
constexpr Passo kItensNota[] = {
    {1, "notaFiscal", 6, 0, "N"},
    {7, "data", 4, 0, "S"},
    {11, "tipo", 1, 0, "S"},
    {12, "emitenteCliente", 5, 0, "N"},
    {17, "classificacaoFiscal", 11, 0, "N"},
    {28, "situacaoTributariaICMS", 3, 0, "N"},
    {31, "quantidade", 10, 2, "S"},
    {41, "valorUnitario", 12, 2, "S"},
    {53, "valorTotalItem", 14, 2, "S"},
    {67, "valorDesconto", 14, 2, "S"},
    {81, "baseCalculoIpi", 14, 2, "S"},
    {95, "aliquotaIPI", 5, 2, "S"},
    {100, "valorIPI", 12, 2, "S"},
    {112, "baseCalculoICMS", 14, 2, "S"},
    {126, "aliquotaICMS", 5, 2, "S"},
    {131, "valorICMS", 12, 2, "S"},
    {143, "unidadeMedida", 3, 0, "S"},
    {146, "temSustituicao", 1, 0, "S"},
    {147, "natureza", 4, 0, "N"},
    {151, "regExportacao", 10, 0, "N"},
    {161, "brancos", 4, 0, "S"},
    {165, "numeroDeclaracaoImportacao", 10, 0, "N"},
    {175, "tipoDocumentoImportacao", 1, 0, "S"},
    {176, "brancos", 2, 0, "S"},
    {178, "dataEmbarque", 8, 0, "S"},
    {186, "brancos", 14, 0, "S"},
    {200, "brancos", 3, 0, "S"},
    {203, "brancos", 3, 0, "S"},
    {206, "brancos", 334, 0, "S"},
    {540, "codigoProduto", 15, 0, "S"},
    {555, "descricao", 59, 0, "S"},
    {614, "unidadeMedida", 3, 0, "S"},
    {617, "gerarDNF", 1, 0, "S"},
    {618, "unidadeMedidaDNF", 2, 0, "S"},
    {620, "especieDNF", 3, 0, "S"},
    {623, "capacidadeVolumetrica", 5, 0, "N"},
    {628, "enquadramentoIPI", 3, 0, "S"},
    {631, "situacaoTributariaIPI", 2, 0, "S"},
    {633, "baseCalculoICMSSubstituicaoTributaria", 14, 2, "S"},
    {647, "aliquotaICMSSubstituicaoTributaria", 5, 2, "S"},
    {652, "valorICMSSubstituicaoTributaria", 12, 2, "S"},
    {664, "tipoItem", 2, 0, "N"},
    {666, "generoItem", 2, 0, "N"},
    {668, "codigoAnp", 9, 0, "S"},
    {677, "cupomFiscal", 6, 0, "N"},
    {683, "CodigoProdutoSped", 60, 0, "S"},
    {743, "unidadeComercializacao", 3, 0, "S"},
    {746, "fatorConversao", 12, 6, "S"},
    {758, "situacaoTributariaPis", 2, 0, "S"},
    {760, "situacaoTributariaCofins", 2, 0, "S"},
    {762, "serieItem", 3, 0, "S"},
    {765, "situacaoTributariaSimplesNacionalCSOSN", 3, 0, "N"},
    {768, "aliquotaCreditoSimplesNAcional", 5, 2, "S"},
    {773, "valorCreditosimplesNacional", 14, 2, "S"},
    {787, "informarBasePisCofins", 1, 0, "S"},
    {788, "aliqPisCofins", 2, 0, "N"},
    {790, "valorBasePis", 14, 2, "S"},
};

// Payables, batch header.
constexpr Passo kContasPagarTipo0[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "dataRemessa", 10, 0, "S"},
    {19, "numeroLote", 10, 0, "N"},
    {29, "codEmpresa", 6, 0, "N"},
    {35, "tiposRegistro", 1, 0, "N"},
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Payables, one document with its supplier. "filler" is written twice.
constexpr Passo kContasPagarTipo1[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "documento", 8, 0, "S"},
    {17, "parcela", 1, 0, "S"},
    {18, "planoDespesa", 4, 0, "N"},
    {22, "tipoDocumento", 3, 0, "S"},
    {25, "dataEmissao", 10, 0, "S"},
    {35, "dataVencimento", 10, 0, "S"},
    {45, "valorDocumento", 12, 2, "N"},
    {57, "valorMulta", 12, 2, "N"},
    {69, "valorJuros", 12, 2, "N"},
    {81, "valorDesconto", 12, 2, "N"},
    {93, "valorDevoluçao", 12, 2, "N"},
    {105, "dataPagamento", 10, 0, "S"},
    {115, "valorPagamento", 12, 2, "N"},
    {127, "cheque", 8, 0, "N"},
    {135, "cartaDebito", 15, 0, "N"},
    {150, "conta", 3, 0, "N"},
    {153, "observacao", 50, 0, "S"},
    {203, "contaDebito", 13, 0, "S"},
    {216, "historicoDebito", 3, 0, "N"},
    {219, "contaCredito", 13, 0, "S"},
    {232, "historicoCredito", 3, 0, "N"},
    {235, "valorIR", 12, 2, "N"},
    {247, "dataVenctoIR", 10, 0, "S"},
    {257, "valorPagoIR", 12, 2, "N"},
    {269, "dataPagtoIR", 10, 0, "S"},
    {279, "contaContIR", 13, 0, "S"},
    {292, "historicoIR", 3, 0, "N"},
    {295, "valorINSS", 12, 2, "N"},
    {307, "dataVenctoINSS", 10, 0, "S"},
    {317, "valorPagoINSS", 12, 2, "N"},
    {329, "dataPagtoINSS", 10, 0, "S"},
    {339, "contaContINSS", 13, 0, "S"},
    {352, "historicoINSS", 3, 0, "S"},
    {355, "operacaoCtb", 1, 0, "S"},
    {356, "tituloCancelado", 1, 0, "S"},
    {357, "serieNF", 4, 0, "S"},
    {361, "filler", 5, 0, "S"},
    {366, "fornCpfCnpj", 14, 0, "S"},
    {380, "razaoSocial", 50, 0, "S"},
    {430, "nomeFantasia", 20, 0, "S"},
    {450, "rua", 40, 0, "S"},
    {490, "numero", 6, 0, "N"},
    {496, "bairro", 25, 0, "S"},
    {521, "complemento", 25, 0, "S"},
    {546, "cidade", 25, 0, "S"},
    {571, "CEP", 8, 0, "N"},
    {579, "estado", 2, 0, "S"},
    {581, "ddd", 4, 0, "S"},
    {585, "telefone", 9, 0, "N"},
    {594, "ramal", 5, 0, "N"},
    {599, "fax", 9, 0, "N"},
    {608, "inscrEstadual", 20, 0, "S"},
    {628, "nomeContato", 30, 0, "S"},
    {658, "cargo", 30, 0, "S"},
    {688, "email", 30, 0, "S"},
    {718, "dataInclusao", 10, 0, "S"},
    {728, "ObservForn1", 50, 0, "S"},
    {778, "ObservForn2", 50, 0, "S"},
    {828, "filler", 105, 0, "S"},
    {933, "tipoRegistro", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Payables, a due date with its payment.
constexpr Passo kContasPagarTipo2[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "dataVencimento", 10, 0, "S"},
    {19, "valorDoc", 12, 2, "N"},
    {31, "valorMulta", 12, 2, "N"},
    {43, "valorJuros", 12, 2, "N"},
    {55, "dataPagto", 10, 0, "S"},
    {65, "valorPagto", 12, 2, "N"},
    {77, "cheque", 8, 0, "N"},
    {85, "conta", 3, 0, "N"},
    {88, "contaDeb", 20, 0, "S"},
    {108, "historicoDeb", 3, 0, "N"},
    {111, "contaCred", 20, 0, "S"},
    {131, "historicoCred", 3, 0, "N"},
    {134, "operacaoCtb", 1, 0, "N"},
    {135, "filler", 848, 0, "S"},
    {983, "tipoRegistro", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Payables, PIS, COFINS and CSL withheld on a due date.
constexpr Passo kContasPagarTipo3[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "dataVenc", 10, 0, "S"},
    {19, "valorBruto", 12, 2, "N"},
    {31, "statusPIS", 1, 0, "S"},
    {32, "valorPIS", 12, 2, "N"},
    {44, "statusCOFINS", 1, 0, "S"},
    {45, "valorCOFINS", 12, 2, "N"},
    {57, "statusCSL", 1, 0, "S"},
    {58, "valorCSL", 12, 2, "N"},
    {70, "filler", 918, 0, "S"},
    {988, "tipoRegistro", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Payables, a cost-classification share. "filler" is written twice.
constexpr Passo kContasPagarTipo4[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "classifCusto", 5, 0, "N"},
    {14, "percentual", 6, 2, "N"},
    {20, "valor", 12, 2, "N"},
    {32, "filler", 366, 0, "S"},
    {398, "CPFcnpj", 14, 0, "S"},
    {412, "razaoSocial", 50, 0, "S"},
    {462, "filler", 529, 0, "S"},
    {991, "tipoRegistro", 1, 0, "S"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Payables, totals.
constexpr Passo kContasPagarTipo9[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "valorDoc", 14, 2, "N"},
    {23, "valorMulta", 14, 2, "N"},
    {37, "valorJuros", 14, 2, "N"},
    {51, "valorDesconto", 14, 2, "N"},
    {65, "valorDevolucao", 14, 2, "N"},
    {79, "valorPagto", 14, 2, "N"},
    {93, "valorIR", 14, 2, "N"},
    {107, "valorPagoIR", 14, 2, "N"},
    {121, "valorINSS", 14, 2, "N"},
    {135, "valorPagoINSS", 14, 2, "N"},
    {149, "valorPIS", 14, 2, "N"},
    {163, "valorCOFINS", 14, 2, "N"},
    {177, "valorCSL", 14, 2, "N"},
    {191, "filler", 792, 0, "S"},
    {983, "tipoRegistro", 1, 0, "S"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Receivables, batch header.
constexpr Passo kContasReceberTipo0[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "dataRemessa", 10, 0, "S"},
    {19, "numeroLote", 10, 0, "N"},
    {29, "codEmpresa", 6, 0, "N"},
    {35, "tiposOperacao", 1, 0, "S"},
    {36, "filler", 1455, 0, "S"},
    {1491, "tiposRegistro", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Receivables, one document with its customer. "estado" is written twice.
constexpr Passo kContasReceberTipo1[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "tipoDoc", 3, 0, "S"},
    {12, "documento", 8, 0, "S"},
    {20, "planoReceita", 4, 0, "S"},
    {24, "parcela", 1, 0, "S"},
    {25, "serie", 4, 0, "S"},
    {29, "dataEmissao", 10, 0, "S"},
    {39, "dataVencimento", 10, 0, "S"},
    {49, "dataPrevisao", 10, 0, "S"},
    {59, "RoyalVencto", 10, 0, "S"},
    {69, "RoyalReceb", 10, 0, "S"},
    {79, "NumeroBancario", 20, 0, "S"},
    {99, "VlrDescontoBanco", 12, 2, "N"},
    {111, "ClassificacaoCusto", 5, 0, "N"},
    {116, "valorDoc", 12, 2, "N"},
    {128, "valorMulta", 12, 2, "N"},
    {140, "valorJuros", 12, 2, "N"},
    {152, "valorDesconto", 12, 2, "N"},
    {164, "valorDevolucao", 12, 2, "N"},
    {176, "dataPagto", 10, 0, "S"},
    {186, "valorPagto", 12, 2, "N"},
    {198, "vlrCorrecaoMonet", 12, 2, "N"},
    {210, "valorGlosa", 12, 2, "N"},
    {222, "tarifaBancaria", 12, 2, "N"},
    {234, "bancoPagto", 3, 0, "N"},
    {237, "observacao", 50, 0, "S"},
    {287, "ContaDebito", 13, 0, "S"},
    {300, "historicoDeb", 3, 0, "N"},
    {303, "ContaCredito", 13, 0, "S"},
    {316, "historicoCred", 3, 0, "N"},
    {319, "codVendedor", 3, 0, "N"},
    {322, "baseComissao", 12, 2, "N"},
    {334, "percentualComissao", 5, 2, "N"},
    {339, "vlrComissao", 12, 2, "N"},
    {351, "vencimentoComissao", 10, 0, "S"},
    {361, "contaVendedor", 3, 0, "N"},
    {364, "comissaoPaga", 1, 0, "S"},
    {365, "valorIR", 12, 2, "N"},
    {377, "contaContabilIR", 13, 0, "S"},
    {390, "historicoIR", 3, 0, "N"},
    {393, "guiaRecolhimento", 5, 0, "S"},
    {398, "valorPISretido", 12, 2, "N"},
    {410, "valorCOFINSretido", 12, 2, "N"},
    {422, "valorCSLLretido", 12, 2, "N"},
    {434, "valorICMSretido", 12, 2, "N"},
    {446, "valorISSretido", 12, 2, "N"},
    {458, "valorINSSretido", 12, 2, "N"},
    {470, "impostosRetidos", 12, 2, "N"},
    {482, "baixaParcial", 1, 0, "S"},
    {483, "notaCancelada", 1, 0, "S"},
    {484, "operacaoCtb", 1, 0, "S"},
    {485, "filler", 10, 0, "S"},
    {495, "CPFcnpj", 14, 0, "S"},
    {509, "razaoSocial", 50, 0, "S"},
    {559, "nomefantasia", 20, 0, "S"},
    {579, "rua", 40, 0, "S"},
    {619, "numero", 6, 0, "S"},
    {625, "Bairro", 25, 0, "S"},
    {650, "Complemento", 25, 0, "S"},
    {675, "Cidade", 25, 0, "S"},
    {700, "CEP", 8, 0, "N"},
    {708, "estado", 2, 0, "S"},
    {710, "ddd", 4, 0, "S"},
    {714, "telefone", 9, 0, "S"},
    {723, "ramal", 5, 0, "S"},
    {728, "fax", 9, 0, "S"},
    {737, "inscrisaoEstadual", 20, 0, "S"},
    {757, "nomeContato", 30, 0, "S"},
    {787, "cargoContato", 30, 0, "S"},
    {817, "ruaContato", 40, 0, "S"},
    {857, "numeroContato", 6, 0, "N"},
    {863, "bairroContato", 25, 0, "S"},
    {888, "cidadeContato", 25, 0, "S"},
    {913, "cepContato", 8, 0, "N"},
    {921, "estado", 2, 0, "S"},
    {923, "codigoVendedor", 3, 0, "N"},
    {926, "email", 30, 0, "S"},
    {956, "homepage", 30, 0, "S"},
    {986, "observacaoCliente", 50, 0, "S"},
    {1036, "alteracaoCadastro", 1, 0, "S"},
    {1037, "filler2", 269, 0, "S"},
    {1306, "tipoRegistro", 1, 0, "S"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Receivables, totals.
constexpr Passo kContasReceberTipo9[] = {
    {1, "sequencial", 8, 0, "N"},
    {9, "vlrDoc", 14, 2, "N"},
    {23, "vlrMulta", 14, 2, "N"},
    {37, "vlrJuros", 14, 2, "N"},
    {51, "vlrDesconto", 14, 2, "N"},
    {65, "vlrDevolucao", 14, 2, "N"},
    {79, "vlrPagtos", 14, 2, "N"},
    {93, "vlrBaseComissao", 14, 2, "N"},
    {107, "filler", 1381, 0, "S"},
    {1488, "tipoRegistro", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separadorNoFinalDeCadaCampo, true),
};

// Purchase note.
constexpr Passo kNotaComprasCompras[] = {
    {1, "numeroNota", 9, 0, "S"},
    {10, "CnpjCpf", 14, 0, "N"},
    {24, "razaoSocialForn", 50, 0, "S"},
    {74, "serie", 4, 0, "S"},
    {78, "especie", 3, 0, "S"},
    {81, "dataEmissao", 10, 0, "S"},
    {91, "dataEntrada", 10, 0, "S"},
    {101, "naturezaOperacao", 4, 0, "S"},
    {105, "gerarContasAPagar", 1, 0, "N"},
    {106, "nfDevolucao", 1, 0, "N"},
    {107, "nfOriginal", 9, 0, "N"},
    {116, "observacao", 250, 0, "S"},
    {366, "condicaoPagamento", 1, 0, "N"},
    {367, "classificacaoContabil", 1, 0, "N"},
    {368, "complementoContabil", 19, 0, "S"},
    {387, "valorIPInaoDestacado", 1, 0, "N"},
    {388, "naturezaRetorno", 4, 0, "S"},
    {392, "vlrRetorno", 18, 2, "N"},
    {410, "planoDespesa", 4, 0, "S"},
    {414, "codServiço", 1, 0, "N"},
    {415, "tituloServico", 100, 0, "S"},
    {515, "descrisaoServico", 250, 0, "S"},
    {765, "valorServico", 18, 2, "N"},
    {783, "aliquotaISS", 18, 2, "N"},
    {801, "clasificaçaoCustoServiço", 1, 0, "N"},
    {802, "valorFrete", 18, 2, "N"},
    {820, "valorSeguro", 18, 2, "N"},
    {838, "valorAcessorio", 18, 2, "N"},
    {856, "valorIR", 18, 2, "N"},
    {874, "vencimentoIR", 10, 0, "S"},
    {884, "valorISS", 18, 2, "N"},
    {902, "vencimentoISS", 10, 0, "S"},
    {912, "valorINSS", 18, 2, "N"},
    {930, "vencimentoINSS", 10, 0, "S"},
    {940, "descontoFinanceiro", 18, 2, "N"},
    {958, "creditoCOFINS", 18, 2, "N"},
    {976, "creditoPIS", 18, 2, "N"},
    {994, "valorOutrosICMS", 18, 2, "N"},
    {1012, "valorIsentoICMS", 18, 2, "N"},
    {1030, "valorOutrosIPI", 18, 2, "N"},
    {1048, "valorIsentoIPI", 18, 2, "N"},
    {1066, "outrosIPI", 18, 2, "N"},
    {1084, "ICMSretido", 18, 2, "N"},
    {1102, "IPIincluso", 18, 2, "N"},
    {1120, "outrosValores", 18, 2, "N"},
    {1138, "NotaFiscalEncerrada", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// One item of a purchase note.
constexpr Passo kNotaComprasItens[] = {
    {1, "numeroNota", 9, 0, "S"},
    {10, "serie", 4, 0, "S"},
    {14, "CnpjCpf", 14, 0, "S"},
    {28, "razaoSocialForn", 50, 0, "S"},
    {78, "sequencialItem", 3, 0, "N"},
    {81, "codigoProduto", 15, 0, "S"},
    {96, "descricaoProduto", 150, 0, "S"},
    {246, "classificacaoCusto", 1, 0, "N"},
    {247, "unidade", 2, 0, "S"},
    {249, "cor", 20, 0, "S"},
    {269, "classificacaoFiscal", 11, 0, "S"},
    {280, "origemProduto", 1, 0, "S"},
    {281, "tributaçaoICMS", 2, 0, "S"},
    {283, "reduçao", 18, 2, "N"},
    {301, "quantidade", 18, 4, "N"},
    {319, "valorUnitario", 18, 2, "N"},
    {337, "baseICMS", 18, 2, "N"},
    {355, "aliquotaICMS", 18, 2, "N"},
    {373, "valorICMS", 18, 2, "N"},
    {391, "baseIPI", 18, 2, "N"},
    {409, "aliquotaIPI", 18, 2, "N"},
    {427, "valorIPI", 18, 2, "N"},
    {445, "baseICMSsubstTributaria", 18, 2, "N"},
    {463, "valorICMSsubstTributaria", 18, 2, "N"},
    {481, "CFOP", 4, 0, "S"},
    {485, "ObservacaoParaAliquotasDiferenciadas", 1, 0, "N"},
    Define(&clLayoutReg::separadorCasasDecimais, "."),
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Supplier of purchase notes.
constexpr Passo kNotaComprasFornecedores[] = {
    {1, "CnpjCpf", 14, 0, "S"},
    {15, "razaoSocialForn", 50, 0, "S"},
    {65, "nomeFantasia", 20, 0, "S"},
    {85, "inscrisaoEstadual", 20, 0, "S"},
    {105, "tipoLogradouro", 15, 0, "S"},
    {120, "logradouro", 40, 0, "S"},
    {160, "numero", 6, 0, "S"},
    {166, "complemento", 30, 0, "S"},
    {196, "bairro", 60, 0, "S"},
    {256, "CEP", 8, 0, "S"},
    {264, "municipio", 7, 0, "S"},
    {271, "estado", 2, 0, "S"},
    {273, "país", 5, 0, "S"},
    {278, "ddd", 4, 0, "N"},
    {282, "telefone", 9, 0, "S"},
    {291, "ramal", 5, 0, "S"},
    {296, "fax", 9, 0, "S"},
    {305, "contato", 30, 0, "S"},
    {335, "cargoContato", 30, 0, "S"},
    {365, "2o.Telefone", 9, 0, "S"},
    {374, "email", 50, 0, "S"},
    {424, "inscrisaoMunicipal", 12, 0, "S"},
    Particular("ddd", false, false, false, "", false, false),
};

// Accounting entry of a note.
constexpr Passo kLancamentosTipo1Nf[] = {
    {1, "conta", 21, 0, "S"},
    {22, "contraPartida", 21, 0, "S"},
    {43, "dia", 2, 0, "S"},
    {45, "tipoLancamento", 1, 0, "S"},
    {46, "valor", 15, 2, "S"},
    {61, "historicoDebito", 3, 0, "N"},
    {64, "descricaoHistoricoDebito", 100, 0, "S"},
    {164, "historicoCredito", 3, 0, "N"},
    {167, "descricaoHistoricoCredito", 100, 0, "S"},
    {267, "padrao", 4, 0, "S"},
    {271, "sequencia", 4, 0, "S"},
    {275, "filler1", 119, 0, "S"},
    {394, "numNF", 9, 0, "S"},
    {403, "filler2", 36, 0, "S"},
    {439, "cpfCnpjCliForn", 14, 0, "S"},
    {453, "razaoCliForn", 50, 0, "S"},
    {503, "filler3", 84, 0, "S"},
    {587, "tipoReg", 1, 0, "S"},
    Particular("conta", false, true, true, "", false, false),
    Particular("contraPartida", false, true, true, "", false, false),
    Particular("valor", true, true, true, ".", true, false),
    Particular("descricaoHistoricoCredito", false, false, false, "", false, false),
    Particular("cpfCnpjCliForn", false, false, false, "", false, false),
};

// Cost-centre share of a note's entry.
constexpr Passo kLancamentosTipo2Nf[] = {
    {1, "centrocusto", 9, 0, "S"},
    {10, "valor", 15, 2, "S"},
    {25, "rateio", 6, 2, "S"},
    {31, "filler", 569, 0, "S"},
    {600, "tipoReg", 1, 0, "S"},
};
// clang-format on

static_assert(ColunasEmOrdem(kApontamentoFolhaReg00));
static_assert(ColunasEmOrdem(kApontamentoFolhaReg10));
static_assert(ColunasEmOrdem(kApontamentoFolhaReg20));
static_assert(ColunasEmOrdem(kFuncionarioReg20));
static_assert(ColunasEmOrdem(kFuncionarioReg21));
static_assert(ColunasEmOrdem(kFuncionarioReg22));
static_assert(ColunasEmOrdem(kLancamentosTipo1));
static_assert(ColunasEmOrdem(kLancamentosAprop));
static_assert(ColunasEmOrdem(kLancamentosTipo2));
static_assert(ColunasEmOrdem(kNotaSaida));
static_assert(ColunasEmOrdem(kRetencaoSaida));
static_assert(ColunasEmOrdem(kItensNota));
static_assert(ColunasEmOrdem(kContasPagarTipo0));
static_assert(ColunasEmOrdem(kContasPagarTipo1));
static_assert(ColunasEmOrdem(kContasPagarTipo2));
static_assert(ColunasEmOrdem(kContasPagarTipo3));
static_assert(ColunasEmOrdem(kContasPagarTipo4));
static_assert(ColunasEmOrdem(kContasPagarTipo9));
static_assert(ColunasEmOrdem(kContasReceberTipo0));
static_assert(ColunasEmOrdem(kContasReceberTipo1));
static_assert(ColunasEmOrdem(kContasReceberTipo9));
static_assert(ColunasEmOrdem(kNotaComprasCompras));
static_assert(ColunasEmOrdem(kNotaComprasItens));
static_assert(ColunasEmOrdem(kNotaComprasFornecedores));
static_assert(ColunasEmOrdem(kLancamentosTipo1Nf));
static_assert(ColunasEmOrdem(kLancamentosTipo2Nf));

// In the order the names are compared.
constexpr Layout kLayouts[] = {
    {"apontamentoFolha-reg00", kApontamentoFolhaReg00},
    {"apontamentoFolha-reg10", kApontamentoFolhaReg10},
    {"lancamentos-tipo1", kLancamentosTipo1},
    {"lancamentos-aprop", kLancamentosAprop},
    {"lancamentos-tipo2", kLancamentosTipo2},
    {"apontamentoFolha-reg20", kApontamentoFolhaReg20},
    {"funcionario-reg20", kFuncionarioReg20},
    {"funcionario-reg21", kFuncionarioReg21},
    {"funcionario-reg22", kFuncionarioReg22},
    {"nota-saida", kNotaSaida},
    {"retencao-saida", kRetencaoSaida},
    {"itens-nota", kItensNota},
    {"contasPagar-tipo0", kContasPagarTipo0},
    {"contasPagar-tipo1", kContasPagarTipo1},
    {"contasPagar-tipo2", kContasPagarTipo2},
    {"contasPagar-tipo3", kContasPagarTipo3},
    {"contasPagar-tipo4", kContasPagarTipo4},
    {"contasPagar-tipo9", kContasPagarTipo9},
    {"contasReceber-Tipo0", kContasReceberTipo0},
    {"contasReceber-tipo1", kContasReceberTipo1},
    {"contasReceber-tipo9", kContasReceberTipo9},
    {"notaCompras-Compras", kNotaComprasCompras},
    {"notaCompras-Itens", kNotaComprasItens},
    {"notaCompras-Fornecedores", kNotaComprasFornecedores},
    {"lancamentos-tipo1-nf", kLancamentosTipo1Nf},
    {"lancamentos-tipo2-nf", kLancamentosTipo2Nf},
};

// The purchase-note layouts leave the number format of the others alone.
bool EhNotaDeCompras(const std::string& registro) {
  return registro == "notaCompras-Compras" || registro == "notaCompras-Itens" ||
         registro == "notaCompras-Fornecedores";
}

// Decimals with ".", zeros in empty numbers and no ";" after the fields, on every layout the
// product already holds. The layout just composed is not among them yet: it keeps its own settings
// until the next Glandata layout is composed.
void AjustaNumerosDoProduto(clLayoutReg& layout, const std::string& registro) {
  if (EhNotaDeCompras(registro) || layout.produto == nullptr) {
    return;
  }
  layout.produto->AplicaConfiguracoesNosLayouts(true, false, false, ".", false);
}

}  // namespace

constexpr Compositor CompoeGlandata{
    .nome = "CompoeGlandata", .layouts = kLayouts, .fechamento = &AjustaNumerosDoProduto};

extern constexpr Sistema sistemaGlandata{
    "Glandata",
    "apontamentoFolha-reg00,apontamentoFolha-reg10,lancamentos-tipo1,lancamentos-aprop,"
    "lancamentos-tipo2,apontamentoFolha-reg20,funcionario-reg20,funcionario-reg21,"
    "funcionario-reg22,nota-saida,retencao-saida,itens-nota,contasPagar-tipo0,contasPagar-tipo1,"
    "contasPagar-tipo2,contasPagar-tipo3,contasPagar-tipo4,contasPagar-tipo9,contasReceber-Tipo0,"
    "contasReceber-tipo1,contasReceber-tipo9,notaCompras-Compras,notaCompras-Itens,"
    "notaCompras-Fornecedores,lancamentos-tipo1-nf,lancamentos-tipo2-nf",
    &CompoeGlandata};

}  // namespace lumbrava::catalogo
