// NFe: the municipal service-invoice file (header, one detail per invoice, trailer) and the
// provisional-receipt (RPS) file. Every amount is a plain number, without decimals.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Header of either file: record type, version, municipal registration and the period.
constexpr Passo kCabecalho[] = {
    {1, "tipoReg", 1, 0, "N"},
    {2, "versao", 3, 0, "N"},
    {5, "inscMun", 8, 0, "N"},
    {13, "dataInicio", 8, 0, "S"},
    {21, "dataFim", 8, 0, "S"},
    {29, "charFinal", 2, 0, "S"},
};

// Invoice: the receipt it came from, provider, tax figures, taker, intermediary, federal
// withholdings, tax burden (as text), construction, a reserved block and the description.
constexpr Passo kDetalhe[] = {
    {1, "tipoReg", 1, 0, "N"},
    {2, "numNf", 8, 0, "N"},
    {10, "dataHora", 14, 0, "S"},
    {24, "codVerif", 8, 0, "S"},
    {32, "tipoRPS", 5, 0, "S"},
    {37, "serieRPS", 5, 0, "S"},
    {42, "numRPS", 12, 0, "N"},
    {54, "dataRPS", 8, 0, "S"},
    {62, "inscMunPrest", 8, 0, "N"},
    {70, "indicCPFCNPJPrest", 1, 0, "N"},
    {71, "CPFCNPJPrest", 14, 0, "N"},
    {85, "razaoPrest", 75, 0, "S"},
    {160, "tipoEndPrest", 3, 0, "S"},
    {163, "endPrest", 50, 0, "S"},
    {213, "numEndPrest", 10, 0, "S"},
    {223, "complEndPrest", 30, 0, "S"},
    {253, "bairroPrest", 30, 0, "S"},
    {283, "cidadePrest", 50, 0, "S"},
    {333, "UFPrest", 2, 0, "S"},
    {335, "CEPPrest", 8, 0, "N"},
    {343, "emailPrest", 75, 0, "S"},
    {418, "opSimples", 1, 0, "N"},
    {419, "situacaoNF", 1, 0, "S"},
    {420, "dataCancel", 8, 0, "S"},
    {428, "numGuia", 12, 0, "N"},
    {440, "dataQuitGuia", 8, 0, "S"},
    {448, "valorServ", 15, 0, "N"},
    {463, "valorDed", 15, 0, "N"},
    {478, "codServPrestNF", 5, 0, "N"},
    {483, "aliq", 4, 0, "N"},
    {487, "valorISS", 15, 0, "N"},
    {502, "valorCred", 15, 0, "N"},
    {517, "ISSRetid", 1, 0, "S"},
    {518, "indicCPFCNPJTom", 1, 0, "N"},
    {519, "CPFCNPJTom", 14, 0, "N"},
    {533, "inscMunTom", 8, 0, "N"},
    {541, "inscEstTom", 12, 0, "S"},
    {553, "razaoTom", 75, 0, "S"},
    {628, "tipoEndTom", 3, 0, "S"},
    {631, "endTom", 50, 0, "S"},
    {681, "numEndTom", 10, 0, "S"},
    {691, "complEndTom", 30, 0, "S"},
    {721, "bairroTom", 30, 0, "S"},
    {751, "cidadeTom", 50, 0, "S"},
    {801, "UFTom", 2, 0, "S"},
    {803, "CEPTom", 8, 0, "N"},
    {811, "emailTom", 75, 0, "S"},
    {886, "notaSubstituta", 8, 0, "N"},
    {894, "ISSRecol", 15, 0, "N"},
    {909, "ISSaRecol", 15, 0, "N"},
    {924, "indicCPFCNPJInt", 1, 0, "N"},
    {925, "CPFCNPJInt", 14, 0, "N"},
    {939, "inscMunInt", 8, 0, "N"},
    {947, "razaoInt", 75, 0, "S"},
    {1022, "repassePlanSaude", 15, 0, "N"},
    {1037, "PISPASEP", 15, 0, "N"},
    {1052, "COFINS", 15, 0, "N"},
    {1067, "INSS", 15, 0, "N"},
    {1082, "IR", 15, 0, "N"},
    {1097, "CSSL", 15, 0, "N"},
    {1112, "cargaTributValor", 15, 0, "S"},
    {1127, "cargaTributPorcent", 5, 0, "S"},
    {1132, "cargaTributFont", 10, 0, "S"},
    {1142, "CEI", 12, 0, "S"},
    {1154, "matriculaObra", 12, 0, "S"},
    {1166, "municipioPrestCodIBGE", 7, 0, "S"},
    {1173, "reserved", 200, 0, "S"},
    {1373, "discriServ", 1000, 0, "S"},
    {2373, "charFinal", 2, 0, "S"},
};

// Trailer: the number of invoices and the file's totals.
constexpr Passo kRodape[] = {
    {1, "tipoReg", 1, 0, "N"},
    {2, "numLinhasDetalhe", 7, 0, "N"},
    {9, "valorTotalServs", 15, 0, "N"},
    {24, "valorTotalDeds", 15, 0, "N"},
    {39, "valorTotalISS", 15, 0, "N"},
    {54, "valorTotalCred", 15, 0, "N"},
    {69, "charFinal", 2, 0, "S"},
};

// Provisional receipt: type, series, number, date, situation, amounts, service and rate (as
// text), the taker and the description. No end characters, and the tax is a single column.
constexpr Passo kRpsDetalhe[] = {
    {1, "tipoReg", 1, 0, "N"},
    {2, "tipoRPS", 5, 0, "S"},
    {7, "serieRPS", 5, 0, "S"},
    {12, "numRPS", 12, 0, "N"},
    {24, "dataRPS", 8, 0, "S"},
    {32, "situRPS", 1, 0, "S"},
    {33, "valorServ", 15, 0, "N"},
    {48, "valorDed", 15, 0, "N"},
    {63, "codServ", 5, 0, "S"},
    {68, "aliq", 4, 0, "S"},
    {72, "valorISS", 1, 0, "N"},
    {73, "indicCPFCNPJTom", 1, 0, "N"},
    {74, "CPFCNPJTom", 14, 0, "N"},
    {88, "inscMun", 8, 0, "N"},
    {96, "insEstTom", 12, 0, "S"},
    {108, "razaoTom", 75, 0, "S"},
    {183, "tipoEndTom", 3, 0, "S"},
    {186, "endTom", 50, 0, "S"},
    {236, "numEndTom", 10, 0, "S"},
    {246, "complEndTom", 30, 0, "S"},
    {276, "bairroTom", 30, 0, "S"},
    {306, "cidadeTom", 50, 0, "S"},
    {356, "UFTom", 2, 0, "S"},
    {358, "CEPTom", 8, 0, "N"},
    {366, "emailTom", 75, 0, "S"},
    {441, "discriServ", 999, 0, "S"},
};

// Intermediary of the receipt's service.
constexpr Passo kRpsDetalheInt[] = {
    {1, "tipoReg", 1, 0, "N"},
    {2, "indiCNPJInt", 1, 0, "N"},
    {3, "CNPJInt", 14, 0, "N"},
    {17, "inscMunInt", 8, 0, "N"},
    {25, "emailInt", 75, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"cabecalho", kCabecalho},
    {"detalhe", kDetalhe},
    {"rodape", kRodape},
};

constexpr Layout kLayoutsRps[] = {
    {"cabecalho", kCabecalho},
    {"detalhe", kRpsDetalhe},
    {"detalhe-int", kRpsDetalheInt},
};

}  // namespace

constexpr Compositor CompoeNFe{.nome = "CompoeNFe", .layouts = kLayouts};

// The receipt file has no system of its own: whoever writes it calls this composer directly.
extern constexpr Compositor CompoeNFeRPS{.nome = "CompoeNFeRPS", .layouts = kLayoutsRps};

extern constexpr Sistema sistemaNFe{"NFe", "cabecalho,detalhe,rodape", &CompoeNFe};

}  // namespace lumbrava::catalogo
