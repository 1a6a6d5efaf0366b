// Alterdata: accounting entries and their cost centres, payroll events with the health plan, and
// the stock inventory.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "codAuto", 10, 0, "S"},
    {11, "codigoDeb", 50, 0, "S"},
    {61, "codigoCred", 50, 0, "S"},
    {111, "dataLancamento", 10, 0, "S"},
    {121, "valorLancamento", 15, 2, "S"},
    {136, "codigoHistoricoPadrao", 5, 0, "S"},
    {141, "complementoHP", 200, 0, "S"},
    {341, "sequencia", 20, 0, "S"},
};

// Cost-centre apportionment of an entry.
constexpr Passo kCCLancamentos[] = {
    {1, "codigoConta", 50, 0, "S"},
    {51, "cc", 50, 0, "S"},
    {101, "valorCC", 15, 2, "S"},
    {116, "origem", 1, 0, "S"},
};

// Payroll event.
constexpr Passo kFolhaDePagamento[] = {
    {1, "sequencial", 6, 0, "N"},
    {7, "codEmpresa", 5, 0, "N"},
    {12, "ref1DDMMAA", 6, 0, "N"},
    {18, "ref2DDMMAA", 6, 0, "N"},
    {24, "faltas", 6, 0, "N"},
    {30, "horas", 6, 0, "N"},
    {36, "diasUteis", 2, 0, "N"},
    {38, "codEvento", 3, 0, "N"},
    {41, "valorEvento", 14, 2, "N"},
    {55, "codFunc", 6, 0, "N"},
    {61, "tipoProcesso", 1, 0, "S"},
    {62, "CNPJEmpresa", 14, 0, "S", kAlinhaDireita},
    {76, "PIS", 11, 0, "S", kAlinhaDireita},
    Define(&clLayoutReg::virgulasNosNumericos, false),
};

// Health-plan data of the payroll.
constexpr Passo kFolhaDePagamentoPlanSaude[] = {
    {1, "cnpjOperadora", 14, 0, "S", kAlinhaDireita},
    {15, "codPlano", 4, 0, "S", kAlinhaDireita},
    {19, "codBeneficiario", 5, 0, "S", kAlinhaDireita},
    {24, "CPFBeneficiario", 11, 0, "S", kAlinhaDireita},
    {35, "formaApuracaoMensal", 1, 0, "S"},
    {36, "formaApuracaoValorFixo", 1, 0, "S"},
    {37, "formaApuracaoParticip", 1, 0, "S"},
    {38, "formaApuracaoOutras", 1, 0, "S"},
};

// Inventory header: company and period.
constexpr Passo kInventarioHeader[] = {
    {1, "tipo", 1, 0, "S"},
    {2, "codEmpresa", 5, 0, "N"},
    {7, "dtInicial", 6, 0, "S"},
    {13, "dtFinal", 6, 0, "S"},
};

// Inventory item.
constexpr Passo kInventario[] = {
    {1, "tipo", 1, 0, "S"},
    {2, "codProd", 5, 0, "N"},
    {7, "classif", 20, 0, "S", kAlinhaDireita},
    {27, "unid", 3, 0, "S", kAlinhaDireita},
    {30, "codGrupo", 15, 0, "S", kAlinhaDireita},
    {45, "descGrupo", 40, 0, "S", kAlinhaDireita},
    {85, "descProd", 35, 0, "S"},
    {120, "qt", 12, 0, "S"},
    {132, "vlUnit", 12, 0, "S"},
    {144, "aliqICMS", 4, 0, "S"},
    {148, "codPosseSintegra", 1, 0, "S"},
    {149, "codFornCli", 18, 0, "S", kAlinhaDireita},
    {167, "codProdRelDIPI", 7, 0, "S", kAlinhaDireita},
    {174, "descProd2", 53, 0, "S"},
    {227, "ctInventario", 20, 0, "S", kAlinhaDireita},
    {247, "obs", 250, 0, "S", kAlinhaDireita},
    {497, "codProd2", 9, 0, "N"},
    {506, "aliqPIS", 4, 0, "S"},
    {510, "aliqCOFINS", 4, 0, "S"},
    {514, "genero", 2, 0, "S"},
    {516, "tipo2", 2, 0, "S", kAlinhaDireita},
    {518, "codEspecif", 15, 0, "N"},
    {533, "unidProd", 6, 0, "S", kAlinhaDireita},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"CClancamentos", kCCLancamentos},
    {"folhaDePagamento", kFolhaDePagamento},
    {"folhaDePagamentoPlanSaude", kFolhaDePagamentoPlanSaude},
    {"inventarioHeader", kInventarioHeader},
    {"inventario", kInventario},
};

}  // namespace

constexpr Compositor CompoeAlterdata{.nome = "CompoeAlterdata", .layouts = kLayouts};

extern constexpr Sistema sistemaAlterdata{"Alterdata",
                                          "lancamentos,CClancamentos,folhaDePagamento,"
                                          "folhaDePagamentoPlanSaude,inventarioHeader,inventario",
                                          &CompoeAlterdata};

}  // namespace lumbrava::catalogo
