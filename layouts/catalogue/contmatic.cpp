// Contmatic: accounting entries, payroll events, fixed assets, inventory, the fiscal books'
// records and the payroll registers.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Entry, record kind 1: debit and credit characters, date, amount, history.
constexpr Passo kCabecLancamento1[] = {
    {1, "fixo", 1, 0, "S"},
    {2, "caracDeb", 1, 0, "S"},
    {3, "caracCred", 1, 0, "S"},
    {4, "dataLancamento", 4, 0, "S"},
    {8, "valor", 17, 0, "S"},
    {25, "codigoHP", 5, 0, "S"},
    {30, "complHP", 200, 0, "S"},
};

// Entry, record kind 2: an account line.
constexpr Passo kContaLancamento2[] = {
    {1, "fixo", 1, 0, "S"},
    {2, "codReduzido", 8, 0, "S"},
    {10, "valor", 17, 0, "S"},
    {27, "codigoHP", 5, 0, "S"},
    {32, "complHP", 200, 0, "S"},
};

// Entry, record kind 3: a cost-centre line.
constexpr Passo kCCLancamento3[] = {
    {1, "fixo", 1, 0, "S"},
    {2, "codigoCC", 42, 0, "S"},
    {44, "valor", 17, 0, "S"},
};

// Entry in one record, with cost centres; the amount is written with a point.
constexpr Passo kLancMultiplo[] = {
    {1, "numLanc", 7, 0, "N"},
    {8, "data", 5, 0, "S"},
    {13, "cDeb", 7, 0, "S"},
    {20, "cCred", 7, 0, "S"},
    {27, "valor", 17, 2, "N"},
    {44, "hp", 5, 0, "N"},
    {49, "complHp", 200, 0, "S"},
    {249, "centroD", 42, 0, "S"},
    {291, "centroC", 42, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, "."),
};

// Payroll event.
constexpr Passo kFolha[] = {
    {1, "codigoFuncionario", 10, 0, "N"},
    {11, "separador", 5, 0, "N"},
    {16, "codigoEvento", 5, 0, "N"},
    {21, "valor", 15, 2, "N"},
    {36, "tipoFunc", 2, 0, "N"},
    {38, "data", 10, 0, "S"},
    {48, "descricao", 50, 0, "S"},
    {98, "finalizador", 2, 0, "N"},
    Define(&clLayoutReg::virgulasNosNumericos, false),
    Define(&clLayoutReg::espacoNosNumerosVazios, false),
};

// Fixed asset. The adjustment date's name ends in a blank.
constexpr Passo kAtivo[] = {
    {1, "codigoAtivo", 9, 0, "N"},
    {10, "nomeAtivo", 200, 0, "S"},
    {210, "nNota", 6, 0, "N"},
    {216, "cnpj", 18, 0, "N"},
    {234, "chapa", 10, 0, "S"},
    {244, "grupo", 7, 0, "N"},
    {251, "dataAquisicao", 10, 0, "S"},
    {261, "valor", 17, 2, "N"},
    {278, "dataInicioDepreciacao", 10, 0, "S"},
    {288, "taxaDepreciacao", 8, 0, "N"},
    {296, "depreciacaoAcomulada", 17, 0, "N"},
    {313, "obsv", 80, 0, "S"},
    {393, "local", 5, 0, "N"},
    {398, "geraAjuste", 1, 0, "S"},
    {399, "dtAjuste ", 10, 0, "S"},
    {409, "valorEconomico", 17, 0, "N"},
    {426, "dtEconomica", 10, 0, "S"},
    {436, "dtTxEconomica", 10, 0, "S"},
    {446, "taxaEconomica", 8, 0, "N"},
    {454, "valorEconomica", 17, 0, "N"},
    {471, "deprEconomicaAcu", 17, 0, "N"},
    {488, "dtCredito", 10, 0, "S"},
    {498, "tipo", 1, 0, "N"},
    {499, "baseCalc", 17, 0, "N"},
    Define(&clLayoutReg::virgulasNosNumericos, true),
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Inventory item; quantities and amounts are written with a point.
constexpr Passo kInventario[] = {
    {1, "Codigo", 30, 0, "S"},
    {31, "Descricao", 100, 0, "S"},
    {131, "NBM/SH", 12, 0, "S"},
    {143, "CodigoGrupo", 10, 0, "S"},
    {153, "DescricaoGrupo", 60, 0, "S"},
    {213, "Quantidade", 16, 3, "N"},
    {229, "Unidade", 5, 0, "S"},
    {234, "ValorUnitario", 19, 7, "N"},
    {253, "AliquotaICMS", 5, 2, "N"},
    {258, "ValorICMS", 19, 2, "N"},
    {277, "AliquotaPIS", 5, 2, "N"},
    {282, "ValorPIS", 19, 2, "N"},
    {301, "AliquotaCOFINS", 5, 2, "N"},
    {306, "ValorCOFINS", 19, 2, "N"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, "."),
};

// Invoice for the fiscal books, with five ICMS brackets.
constexpr Passo kR1[] = {
    {1, "tipo", 2, 0, "S"},
    {3, "emissaoNota", 4, 0, "S"},
    {7, "dataCirculacao", 4, 0, "S"},
    {11, "diaIntegracao", 2, 0, "N"},
    {13, "especie", 3, 0, "S"},
    {16, "serie", 3, 0, "S"},
    {19, "numero", 6, 0, "N"},
    {25, "ateNumero", 6, 0, "N"},
    {31, "codigoFiscal", 5, 0, "S"},
    {36, "valorContabil", 12, 2, "N"},
    {48, "baseICMS1", 12, 2, "N"},
    {60, "aliqICMS1", 6, 4, "N"},
    {66, "impostoICMS1", 12, 2, "N"},
    {78, "isentoICMS1", 12, 2, "N"},
    {90, "outrasICMS1", 12, 2, "N"},
    {102, "baseICMS2", 12, 2, "N"},
    {114, "aliqICMS2", 6, 4, "N"},
    {120, "impostoICMS2", 12, 2, "N"},
    {132, "isentoICMS2", 12, 2, "N"},
    {144, "outrasICMS2", 12, 2, "N"},
    {156, "baseICMS3", 12, 2, "N"},
    {168, "aliqICMS3", 6, 4, "N"},
    {174, "impostoICMS3", 12, 2, "N"},
    {186, "isentoICMS3", 12, 2, "N"},
    {198, "outrasICMS3", 12, 2, "N"},
    {210, "baseICMS4", 12, 2, "N"},
    {222, "aliqICMS4", 6, 4, "N"},
    {228, "impostoICMS4", 12, 2, "N"},
    {240, "isentoICMS4", 12, 2, "N"},
    {252, "outrasICMS4", 12, 2, "N"},
    {264, "baseICMS5", 12, 2, "N"},
    {276, "aliqICMS5", 6, 4, "N"},
    {282, "impostoICMS5", 12, 2, "N"},
    {294, "isentoICMS5", 12, 2, "N"},
    {306, "outrasICMS5", 12, 2, "N"},
    {318, "baseIPI", 12, 2, "N"},
    {330, "impostoIPI", 12, 2, "N"},
    {342, "isentoIPI", 12, 2, "N"},
    {354, "outrasIPI", 12, 2, "N"},
    {366, "IPInaoAproveit", 12, 2, "N"},
    {378, "ICMSnaFonte", 12, 2, "N"},
    {390, "basecalcImcsST", 12, 2, "N"},
    {402, "valoraVista", 12, 2, "N"},
    {414, "valoraPrazo", 12, 2, "N"},
    {426, "isentoPIS", 12, 2, "N"},
    {438, "contribuinte", 1, 0, "N"},
    {439, "tipoNota", 2, 0, "N"},
    {441, "codContabil", 2, 0, "N"},
    {443, "observacao", 14, 0, "S"},
    {457, "cgc", 14, 0, "S"},
    {471, "inscrEstadual", 16, 0, "S"},
    {487, "razaoSocial", 35, 0, "S"},
    {522, "contaCtblFornec", 18, 0, "S"},
    {540, "uf", 2, 0, "S"},
    {542, "nrMunicipio", 4, 0, "N"},
    {546, "vago", 50, 0, "S"},
};

// IPI of one tax classification line.
constexpr Passo kR2[] = {
    {1, "tipo", 2, 0, "S"},
    {3, "vago1", 8, 0, "S"},
    {11, "ncm", 10, 0, "S"},
    {21, "descricao", 25, 0, "S"},
    {46, "baseIPI", 12, 2, "S"},
    {58, "IPI", 12, 2, "S"},
    {70, "isentoIPI", 12, 2, "S"},
    {82, "vago2", 50, 0, "S"},
};

// Service invoice. The invoice type has as many decimals as columns.
constexpr Passo kCR1[] = {
    {1, "registro", 3, 0, "S"},
    {4, "modelo", 1, 0, "S"},
    {5, "codServ", 7, 0, "N"},
    {12, "pctLucroPresumido", 4, 2, "N"},
    {16, "talao", 6, 0, "N"},
    {22, "especie", 6, 0, "S"},
    {28, "serie", 4, 0, "S"},
    {32, "numero", 6, 0, "N"},
    {38, "ateNumero", 6, 0, "N"},
    {44, "data", 2, 0, "N"},
    {46, "valor", 10, 2, "N"},
    {56, "valorMaterias", 10, 2, "N"},
    {66, "valorSubEmp", 10, 2, "N"},
    {76, "baseCalculo", 10, 2, "N"},
    {86, "aliquota", 4, 2, "N"},
    {90, "iss", 10, 2, "N"},
    {100, "isentos", 10, 2, "N"},
    {110, "remessa", 10, 2, "N"},
    {120, "irrf", 10, 2, "N"},
    {130, "vista", 10, 2, "N"},
    {140, "prazo", 10, 2, "N"},
    {150, "tipoNota", 2, 2, "N"},
    {152, "obs", 17, 0, "S"},
    {169, "cpfDest", 14, 0, "S"},
    {183, "razaoDest", 48, 0, "S"},
    {231, "municipio", 25, 0, "S"},
    {256, "uf", 2, 0, "S"},
    {258, "issRetido", 10, 2, "N"},
    {268, "cc", 12, 0, "S"},
    {280, "tipoAnexo", 1, 0, "S"},
    {281, "filler", 87, 0, "S"},
    Define(&clLayoutReg::virgulasNosNumericos, false),
};

// Employee register.
constexpr Passo kCadFuncFolha[] = {
    {1, "codFunc", 10, 0, "N"},
    {11, "numeFunc", 70, 0, "S"},
    {81, "endereco", 40, 0, "S"},
    {121, "numero", 10, 0, "N"},
    {131, "complemento", 25, 0, "S"},
    {156, "bairro", 30, 0, "S"},
    {186, "cidade", 30, 0, "S"},
    {216, "uf", 2, 0, "S"},
    {218, "cep", 9, 0, "S"},
    {227, "telefone", 15, 0, "S"},
    {242, "nomemae", 70, 0, "S"},
    {312, "nomepai", 70, 0, "S"},
    {382, "naturalidade", 30, 0, "S"},
    {412, "ufNascimento", 2, 0, "S"},
    {414, "datanasc", 10, 0, "S"},
    {424, "sexo", 1, 0, "N"},
    {425, "estadoCivil", 1, 0, "N"},
    {426, "tipoSanguinio", 1, 0, "N"},
    {427, "numFolha", 7, 0, "N"},
    {434, "numRegistro", 10, 0, "N"},
    {444, "numChapa", 10, 0, "N"},
    {454, "codDepart", 5, 0, "N"},
    {459, "codSetor", 5, 0, "N"},
    {464, "codSecao", 5, 0, "N"},
    {469, "defcFisico", 1, 0, "N"},
    {470, "raca", 1, 0, "N"},
    {471, "nacionalidade", 2, 0, "S"},
    {473, "dataChegada", 10, 0, "S"},
    {483, "situacaoCaged", 2, 0, "S"},
    {485, "grauInstrucao", 2, 0, "S"},
    {487, "vincEmpreg", 2, 0, "S"},
    {489, "alvFuncMenor16", 1, 0, "S"},
    {490, "formAcademica", 100, 0, "S"},
    {590, "tipoContrato", 1, 0, "S"},
    {591, "op13Ferias", 1, 0, "S"},
    {592, "tipoContaBancaria", 1, 0, "S"},
    {593, "numBanco", 5, 0, "S"},
    {598, "numCC", 12, 0, "S"},
    {610, "qtdDepSalFamilia", 2, 0, "S"},
    {612, "qtdDepIRRF", 2, 0, "S"},
    {614, "diasExp", 3, 0, "S"},
    {617, "diasProrrog", 3, 0, "S"},
    {620, "dtTerminoProrrog", 10, 0, "S"},
    {630, "dtAdmissao", 10, 0, "S"},
    {640, "dtTransf", 10, 0, "S"},
    {650, "dtExmMedico", 10, 0, "S"},
    {660, "vldExmMedico", 2, 0, "S"},
    {662, "dtRecisao", 10, 0, "S"},
    {672, "admReFgts", 1, 0, "S"},
    {673, "dtOpcaoFgts", 10, 0, "S"},
    {683, "numContaFgts", 10, 0, "S"},
    {693, "tpTribSind", 1, 0, "S"},
    {694, "matricSind", 7, 0, "S"},
    {701, "numCtps", 8, 0, "N"},
    {709, "serieCtps", 5, 0, "N"},
    {714, "ufCtps", 2, 0, "S"},
    {716, "espacoLivre", 1, 0, "S"},
    {717, "dtExpedCtps", 10, 0, "S"},
    {727, "pis", 15, 0, "S"},
    {742, "rg", 14, 0, "S"},
    {756, "cpf", 18, 0, "S"},
    {774, "tituloEleitor", 14, 0, "S"},
    {788, "zona", 3, 0, "N"},
    {791, "secao", 4, 0, "N"},
    {795, "numCartHabilt", 11, 0, "S"},
    {806, "catHabilt", 5, 0, "S"},
    {811, "dtVencHabilt", 10, 0, "S"},
    {821, "tipoDocMilitar", 1, 0, "S"},
    {822, "numDocMilitar", 15, 0, "S"},
    {837, "catDocMilitar", 5, 0, "S"},
    {842, "nomeConselhoRegional", 40, 0, "S"},
    {882, "siglaConselhoRegional", 10, 0, "S"},
    {892, "numConselhoRegional", 10, 0, "S"},
    {902, "orgEmissorRg", 1, 0, "S"},
    {903, "ufEmissoraRg", 2, 0, "S"},
    {905, "dtExpedRg", 10, 0, "S"},
    {915, "dtCadPis", 10, 0, "S"},
    {925, "numRne", 15, 0, "S"},
    {940, "validadeRne", 10, 0, "S"},
    {950, "numCtpsEstrang", 13, 0, "S"},
    {963, "validadeCtpsEstrang", 10, 0, "S"},
    {973, "dtExpedCtpsEstrang", 10, 0, "S"},
    {983, "tpVisto", 25, 0, "S"},
    {1008, "tpSalario", 4, 0, "S"},
    {1012, "clsInssAntiga", 2, 0, "S"},
    {1014, "codPgtoGps", 8, 0, "S"},
};

// Dependant of an employee.
constexpr Passo kBenefFuncCad[] = {
    {1, "codFunc", 10, 0, "N"},
    {11, "numeBenef", 38, 0, "S"},
    {49, "dtNasc", 10, 0, "S"},
    {59, "Parentesco", 2, 0, "N"},
    {61, "naturalidade", 30, 0, "S"},
    {91, "cartorio", 30, 0, "S"},
    {121, "registro", 15, 0, "S"},
    {136, "livro", 5, 0, "S"},
    {141, "folha", 5, 0, "S"},
    {146, "dtEntReg", 10, 0, "S"},
    {156, "CPF", 14, 0, "S"},
    {170, "tipoEmpreg", 4, 0, "S"},
    {174, "codDep", 10, 0, "S"},
};

// Salary change.
constexpr Passo kHistoricoSalario[] = {
    {1, "tipoEmpregado", 10, 0, "N"},
    {11, "codFunc", 10, 0, "N"},
    {21, "dtAlt", 10, 0, "S"},
    {31, "dtReajuste", 10, 0, "S"},
    {41, "formaPagto", 1, 0, "S"},
    {42, "qtdSemanais", 4, 2, "N"},
    {46, "qtdMensais", 5, 2, "N"},
    {51, "valor", 16, 0, "N"},
    {67, "aumetComp", 1, 0, "S"},
    {68, "motivo", 30, 0, "S"},
};

// Change of position.
constexpr Passo kHistoricoCargo[] = {
    {1, "codFunc", 10, 0, "N"},
    {11, "codCargo", 10, 0, "N"},
    {21, "motivo", 30, 0, "S"},
    {51, "dtAlt", 10, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"cabecLancamento1", kCabecLancamento1},
    {"contaLancamento2", kContaLancamento2},
    {"CCLancamento3", kCCLancamento3},
    {"lancMultiplo", kLancMultiplo},
    {"folha", kFolha},
    {"Ativo", kAtivo},
    {"Inventario", kInventario},
    {"R1", kR1},
    {"R2", kR2},
    {"CR1", kCR1},
    {"CadFuncFolha", kCadFuncFolha},
    {"BenefFuncCad", kBenefFuncCad},
    {"HistoricoSalario", kHistoricoSalario},
    {"HistoricoCargo", kHistoricoCargo},
};

}  // namespace

constexpr Compositor CompoeContmatic{.nome = "CompoeContmatic", .layouts = kLayouts};

// The list also offers "CR1-2", which the composer does not build: it comes out empty.
extern constexpr Sistema sistemaContmatic{
    "Contmatic",
    "cabecLancamento1,contaLancamento2,CCLancamento3,lancMultiplo,folha,Ativo,Inventario,R1,R2,CR1,"
    "CR1-2,CadFuncFolha,BenefFuncCad,HistoricoSalario,HistoricoCargo",
    &CompoeContmatic};

}  // namespace lumbrava::catalogo
