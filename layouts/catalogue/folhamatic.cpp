// Folhamatic: accounting entries, payroll events, and the records of the inventory and
// fiscal-book file and of the fiscal file.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// Every inventory and fiscal record begins with its own name in a 4-column field. Six layouts
// end by switching the decimal separator off; the others keep the settings the layout holds.
// clang-format off
// Accounting entry: accounts, history code, amount and date, the history's complement, the
// typist, the cost-centre accounts with their amounts (as text) and the filing number.
constexpr Passo kLancamentos[] = {
    {1, "vazio", 5, 0, "S"},
    {6, "contaDeb", 18, 0, "S"},
    {24, "contaCred", 18, 0, "S"},
    {42, "codHistorico", 4, 0, "S"},
    {46, "vazio-1", 1, 0, "S"},
    {47, "valor", 12, 0, "N"},
    {59, "data", 10, 0, "S"},
    {69, "espacos1", 6, 0, "S"},
    {75, "complHistPadr", 106, 0, "S"},
    {181, "espacos2", 35, 0, "S"},
    {216, "espacos3", 2, 0, "S"},
    {218, "nomeDigitador", 20, 0, "S"},
    {238, "tipoMovimento", 20, 0, "S"},
    {258, "contaDeCentroCustoDebito", 20, 0, "S"},
    {278, "valorCCDeb", 15, 0, "S"},
    {293, "contaDeCentroCustoCredito", 20, 0, "S"},
    {313, "valorCCCred", 15, 0, "S"},
    {328, "digNormalAuxiliar", 1, 0, "S"},
    {329, "codParticipante", 4, 0, "S"},
    {333, "numeroArquivamento", 10, 0, "S"},
};

// Payroll event of an employee: reference, amount and unit value with their decimals implied.
constexpr Passo kFolha[] = {
    {1, "codFunc", 6, 0, "N"},
    {7, "codEvento", 4, 0, "N"},
    {11, "referencia", 14, 6, "N"},
    {25, "filler", 2, 0, "S"},
    {27, "valor", 14, 2, "N"},
    {41, "data", 8, 0, "S"},
    {49, "valUnit", 14, 4, "N"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Inventory file header: company, layout version and a control character.
constexpr Passo kInventE001[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "numeroEmpresa", 4, 0, "N"},
    {9, "versaoLayout", 6, 0, "S"},
    {15, "controle", 1, 0, "S"},
};

// Fiscal note header: first note number as text, last note number as a number.
constexpr Passo kInventE302[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "entradaSaida", 1, 0, "S"},
    {6, "fatoGerador", 1, 0, "S"},
    {7, "especie", 5, 0, "S"},
    {12, "serie", 3, 0, "S"},
    {15, "subSerie", 2, 0, "S"},
    {17, "numeroInicialNota", 10, 0, "S"},
    {27, "numeroFinalNota", 10, 0, "N"},
    {37, "codigoCliente", 20, 0, "S"},
    {57, "dataEmissao", 8, 0, "S"},
    {65, "ufNota", 2, 0, "S"},
    {67, "observacao", 30, 0, "S"},
    {97, "numeroProdutos", 3, 0, "N"},
    {100, "dataSistema", 8, 0, "S"},
};

// Fiscal note item: the note it belongs to, CFOP, product, quantity, amounts and tax bases.
constexpr Passo kInventE303[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "entradaSaida", 1, 0, "S"},
    {6, "especie", 5, 0, "S"},
    {11, "serie", 3, 0, "S"},
    {14, "subSerie", 2, 0, "S"},
    {16, "numeroInicialNota", 10, 0, "S"},
    {26, "codigoCliente", 20, 0, "S"},
    {46, "sequencial", 3, 0, "N"},
    {49, "cfop", 4, 0, "N"},
    {53, "tipo", 2, 0, "S"},
    {55, "codigoComplementar", 2, 0, "N"},
    {57, "codigoProduto", 14, 0, "S"},
    {71, "quantidade", 14, 3, "N"},
    {85, "valor", 14, 2, "N"},
    {99, "bcIcms", 14, 2, "N"},
    {113, "bcCons", 14, 2, "N"},
    {127, "bcHip", 14, 2, "N"},
    {141, "chassi", 22, 0, "S"},
    {163, "bcRetencao", 14, 2, "N"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Customer or supplier: address, registrations, contact, roles, web addresses and the dates
// of the hosting, gateway and provisioning contracts.
constexpr Passo kInventE010[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "CodCliente", 20, 0, "S"},
    {25, "NomeCli", 100, 0, "S"},
    {125, "DataInclusao", 8, 0, "S"},
    {133, "TipoLogradouro", 15, 0, "S"},
    {148, "Logradouro", 100, 0, "S"},
    {248, "NumeroEnd", 10, 0, "S"},
    {258, "Complemento", 50, 0, "S"},
    {308, "Bairro", 30, 0, "S"},
    {338, "Estado", 2, 0, "S"},
    {340, "Cidade", 7, 0, "N"},
    {347, "Cep", 8, 0, "N"},
    {355, "Pais", 5, 0, "S"},
    {360, "CnpjCPF", 14, 0, "S"},
    {374, "InscriEstad", 18, 0, "S"},
    {392, "InscriMunici", 14, 0, "S"},
    {406, "InscriSuframa", 9, 0, "S"},
    {415, "Contato", 35, 0, "S"},
    {450, "Telefone", 16, 0, "S"},
    {466, "Fax", 16, 0, "S"},
    {482, "DataAlt", 8, 0, "S"},
    {490, "Cliente", 1, 0, "S"},
    {491, "Fornecedor", 1, 0, "S"},
    {492, "ProdRural", 1, 0, "S"},
    {493, "FornTrib", 1, 0, "S"},
    {494, "SimplNacio", 1, 0, "S"},
    {495, "InscritoMuni", 1, 0, "S"},
    {496, "Email", 100, 0, "S"},
    {596, "EndWeb", 100, 0, "S"},
    {696, "Hospedagem", 1, 0, "S"},
    {697, "EndIp", 15, 0, "S"},
    {712, "EndSite", 100, 0, "S"},
    {812, "DataIniCont", 8, 0, "S"},
    {820, "DataFimCont", 8, 0, "S"},
    {828, "Gateway", 1, 0, "S"},
    {829, "DataIniContGat", 8, 0, "S"},
    {837, "DataFimContGat", 8, 0, "S"},
    {845, "Provimentos", 1, 0, "S"},
    {846, "EndIpForn", 15, 0, "S"},
    {861, "EndSiteForn", 100, 0, "S"},
    {961, "DataFimContforn", 8, 0, "S"},
    {969, "DataIniContForn", 8, 0, "S"},
    {977, "Controle", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// CSLL, PIS and COFINS of a note.
constexpr Passo kInventE604[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "numNF", 7, 0, "S"},
    {12, "serie", 5, 0, "S"},
    {17, "baseCalculo", 14, 2, "N"},
    {31, "dataCompens", 10, 0, "S"},
    {41, "valorCSLL", 14, 2, "N"},
    {55, "valorPIS", 14, 2, "N"},
    {69, "valorCofins", 14, 2, "N"},
    {83, "codigoArqMun", 3, 0, "S"},
    {86, "codRecolhimento", 4, 0, "S"},
    {90, "indicadorPJ", 1, 0, "S"},
    {91, "tipoInsidencia", 1, 0, "S"},
    {92, "controle", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Income tax withheld on a note, and a second base and amount.
constexpr Passo kInventE605[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "modLivro", 2, 0, "N"},
    {7, "numNF", 7, 0, "S"},
    {14, "serie", 5, 0, "S"},
    {19, "baseCalculo", 14, 2, "N"},
    {33, "aliquota", 4, 2, "N"},
    {37, "valorIRRF", 14, 2, "N"},
    {51, "baseCalcSS", 14, 2, "N"},
    {65, "valorSS", 14, 2, "N"},
    {79, "impostoRetido", 1, 0, "S"},
    {80, "codReceitaIRRF", 4, 0, "S"},
    {84, "codReceitaCSLL", 4, 0, "S"},
    {88, "codArqMun", 3, 0, "S"},
    {91, "indicadorNat", 2, 0, "S"},
    {93, "controle", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Services book note: amounts, ISS, tax flags, service flags and export data.
constexpr Passo kInventE600999[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "CodArqMunici", 3, 0, "N"},
    {8, "ModeloLivro", 2, 0, "N"},
    {10, "Servico", 8, 0, "S"},
    {18, "numeroInicialNota", 7, 0, "S"},
    {25, "numeroFinallNota", 7, 0, "S"},
    {32, "Data", 8, 0, "S"},
    {40, "serie", 3, 0, "S"},
    {43, "subSerie", 2, 0, "S"},
    {45, "CodInt", 3, 0, "S"},
    {48, "Atividade", 15, 0, "S"},
    {63, "CodCliente", 20, 0, "S"},
    {83, "ValorNota", 14, 2, "N"},
    {97, "ValorMaterial", 14, 2, "N"},
    {111, "ValorSubEmp", 14, 2, "N"},
    {125, "IssRetido", 14, 2, "N"},
    {139, "BaseCalcIss", 14, 2, "N"},
    {153, "AliquotaIss", 4, 2, "N"},
    {157, "Imposto", 14, 2, "N"},
    {171, "Isentos", 14, 2, "N"},
    {185, "RemDev", 14, 2, "N"},
    {199, "Irpj", 3, 0, "S"},
    {202, "Venda", 1, 0, "N"},
    {203, "Csll", 1, 0, "S"},
    {204, "ServicoExterior", 1, 0, "S"},
    {205, "IssRetidoFonte", 1, 0, "S"},
    {206, "SituacNota", 1, 0, "N"},
    {207, "PrestServMunici", 1, 0, "S"},
    {208, "Observ", 40, 0, "S"},
    {248, "DigitoVerific", 1, 0, "S"},
    {249, "IncidenciaIpiIss", 1, 0, "N"},
    {250, "CodMunicipio", 7, 0, "S"},
    {257, "DataExec", 8, 0, "S"},
    {265, "ServicoPrestadoSites", 1, 0, "N"},
    {266, "ServicoPrestadoGateway", 1, 0, "N"},
    {267, "ServicoPrestadoProvimentos", 1, 0, "N"},
    {268, "ServicoPrestadoInterme", 1, 0, "N"},
    {269, "SituacExpo", 1, 0, "S"},
    {270, "DataExpo", 8, 0, "S"},
    {278, "livre", 472, 0, "S"},
    {750, "ControleSistema", 1, 0, "N"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};

// Service note of a supplier, with the ISS withheld.
constexpr Passo kInventE700999[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "codMunicipal", 3, 0, "N"},
    {8, "numNota", 8, 0, "S"},
    {16, "data", 8, 0, "S"},
    {24, "serie", 5, 0, "S"},
    {29, "codForn", 20, 0, "S"},
    {49, "codIntegra", 3, 0, "S"},
    {52, "valorBruto", 14, 2, "N"},
    {66, "valorDoc", 14, 2, "N"},
    {80, "baseCalc", 14, 2, "N"},
    {94, "aliq", 5, 2, "N"},
    {99, "issRet", 14, 2, "N"},
    {113, "obs", 200, 0, "S"},
    {313, "prestServ", 1, 0, "S"},
    {314, "digitoVer", 1, 0, "S"},
    {315, "dataExec", 8, 0, "S"},
    {323, "tipoPagamento", 1, 0, "S"},
    {324, "espacoReser", 126, 0, "S"},
    {450, "controleSistema", 1, 0, "S"},
};

// Service item of a note with its ISS, PIS and COFINS, every figure written as text.
constexpr Passo kInventE603[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "modeloLivro", 2, 0, "S"},
    {7, "numNF", 7, 0, "S"},
    {14, "serieNF", 5, 0, "S"},
    {19, "ordemItem", 3, 0, "S"},
    {22, "codServ", 20, 0, "S"},
    {42, "descServ", 45, 0, "S"},
    {87, "valorServ", 14, 0, "S"},
    {101, "valorDesc", 14, 0, "S"},
    {115, "baseCalc", 14, 0, "S"},
    {129, "aliqISS", 5, 0, "S"},
    {134, "valorISS", 14, 0, "S"},
    {148, "sitTribPis", 2, 0, "S"},
    {150, "basePis", 14, 0, "S"},
    {164, "aliqPIs", 5, 0, "S"},
    {169, "qtdPis", 14, 0, "S"},
    {183, "aliqValorPis", 8, 0, "S"},
    {191, "valorPis", 14, 0, "S"},
    {205, "sitTribCofins", 2, 0, "S"},
    {207, "baseCofins", 14, 0, "S"},
    {221, "aliqCofins", 5, 0, "S"},
    {226, "qtdCofins", 14, 0, "S"},
    {240, "aliqValorCofins", 8, 0, "S"},
    {248, "valorCofins", 14, 0, "S"},
    {262, "dataAprop", 8, 0, "S"},
    {270, "codArqMun", 3, 0, "S"},
    {273, "contaAnalContab", 60, 0, "S"},
    {333, "tipoIncidencia", 1, 0, "S"},
    {334, "controleSist", 1, 0, "S"},
};

// Inventory item: values, rates, possession and a complementary description.
constexpr Passo kInventE400[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "codProduto", 14, 0, "S"},
    {19, "dataInventario", 8, 0, "S"},
    {27, "valorBruto", 14, 2, "N"},
    {41, "margLucro", 4, 2, "N"},
    {45, "valorUnitario", 15, 6, "N"},
    {60, "quantidade", 11, 3, "N"},
    {71, "valorMercadoria", 14, 2, "N"},
    {85, "aliqICMS", 7, 4, "N"},
    {92, "aliqInterna", 7, 4, "N"},
    {99, "substTributaria", 14, 2, "N"},
    {113, "contaAnalitica", 50, 0, "S"},
    {163, "codigoPosseMercadorias", 1, 0, "N"},
    {164, "dadosPossuidorMercadoria", 20, 0, "S"},
    {184, "descricaoComplementar", 254, 0, "S"},
    {438, "controleSist", 1, 0, "N"},
};

// Quantity of a supplier's note item per tank.
constexpr Passo kFiscE223[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "especie", 5, 0, "S"},
    {10, "serie", 3, 0, "S"},
    {13, "subSerie", 2, 0, "S"},
    {15, "numNF", 10, 0, "N"},
    {25, "codFornecedor", 20, 0, "S"},
    {45, "numOrdemItem", 3, 0, "N"},
    {48, "numTanque", 3, 0, "S"},
    {51, "qt", 14, 3, "N"},
};

// Operation on a property: amounts of the month, PIS and COFINS.
constexpr Passo kFiscE364[] = {
    {1, "nomeRegistro", 4, 0, "S"},
    {5, "tipoOp", 2, 0, "S"},
    {7, "tipoImov", 2, 0, "S"},
    {9, "nomeEmp", 100, 0, "S"},
    {109, "descricao", 90, 0, "S"},
    {199, "numeroContrato", 90, 0, "S"},
    {289, "dataOp", 8, 0, "S"},
    {297, "codCli", 20, 0, "S"},
    {317, "valorTotal", 14, 2, "N"},
    {331, "valorMes", 14, 2, "N"},
    {345, "valorMesAnterior", 14, 2, "N"},
    {359, "pctRecebido", 6, 2, "N"},
    {365, "sitTribPIS", 2, 0, "S"},
    {367, "baseCalcPIS", 14, 2, "N"},
    {381, "aliqPIS", 8, 4, "N"},
    {389, "valorPIS", 14, 2, "N"},
    {403, "sitTribCOFINS", 2, 0, "S"},
    {405, "baseCalcCOFINS", 14, 2, "N"},
    {419, "aliqCOFINS", 8, 4, "N"},
    {427, "valorCOFINS", 14, 2, "N"},
    {441, "natureza", 1, 0, "S"},
    {442, "compl", 90, 0, "S"},
    {532, "tipoIncid", 1, 0, "S"},
    {533, "mesAno", 6, 0, "S"},
    {539, "controle", 1, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"folha", kFolha},
    {"invent-E001", kInventE001},
    {"invent-E302", kInventE302},
    {"invent-E303", kInventE303},
    {"invent-E010", kInventE010},
    {"invent-E604", kInventE604},
    {"invent-E605", kInventE605},
    {"invent-E600.999", kInventE600999},
    {"invent-E700.999", kInventE700999},
    {"invent-E603", kInventE603},
    {"invent-E400", kInventE400},
    {"fisc-E223", kFiscE223},
    {"fisc-E364", kFiscE364},
};

}  // namespace

constexpr Compositor CompoeFolhamatic{.nome = "CompoeFolhamatic", .layouts = kLayouts};

extern constexpr Sistema sistemaFolhamatic{
    "Folhamatic",
    "lancamentos,folha,invent-E001,invent-E302,invent-E303,invent-E010,invent-E604,invent-E605,"
    "invent-E600.999,invent-E700.999,invent-E603,invent-E400,fisc-E223,fisc-E364",
    &CompoeFolhamatic};

}  // namespace lumbrava::catalogo
