// CVSOFT: the three records of an entry file (header, entries, totals).
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// File header.
constexpr Passo kCabecalho[] = {
    {1, "tipoReg", 1, 0, "S"},
    {2, "fixo1", 6, 0, "S"},
    {8, "fixo2", 40, 0, "S"},
    {48, "dataGravacao", 8, 0, "S"},
    {56, "codEmpresa", 5, 0, "N"},
    {61, "codFilial", 3, 0, "N"},
    {64, "origLanc", 40, 0, "S"},
    {104, "descFinalidade", 40, 0, "S"},
    {144, "moeda", 6, 0, "S"},
    {150, "operador", 40, 0, "S"},
    {190, "fixo3", 5, 0, "S"},
    {195, "versao", 3, 0, "N"},
    {198, "codOrigem", 3, 0, "N"},
};

// One entry, with its own debit and credit histories.
constexpr Passo kLancamentos[] = {
    {1, "tipoReg", 1, 0, "S"},
    {2, "filler", 2, 0, "N"},
    {4, "data", 8, 0, "S"},
    {12, "docOrigem", 10, 0, "S"},
    {22, "vencimento", 8, 0, "S"},
    {30, "compl", 40, 0, "S"},
    {70, "cDeb", 35, 0, "S"},
    {105, "cCred", 35, 0, "S"},
    {140, "codHPdeb", 3, 0, "N"},
    {143, "codHPcred", 3, 0, "N"},
    {146, "histDebLanc", 180, 0, "S"},
    {326, "histCredLanc", 180, 0, "S"},
    {506, "valor", 12, 2, "N"},
    {518, "formatoHP", 1, 0, "S"},
    {519, "cenario", 1, 0, "N"},
    {520, "subLote", 8, 0, "N"},
    {528, "codAgrupLanc", 8, 0, "N"},
};

// Totals: number of entries, date range, total amount.
constexpr Passo kTotalizacao[] = {
    {1, "tipoReg", 1, 0, "S"},
    {2, "qtdLancs", 6, 0, "N"},
    {8, "dataInferior", 8, 0, "S"},
    {16, "dataSuperior", 8, 0, "S"},
    {24, "totalValorLancs", 12, 2, "N"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"cabecalho", kCabecalho},
    {"lancamentos", kLancamentos},
    {"totalizacao", kTotalizacao},
};

}  // namespace

constexpr Compositor CompoeCVSOFT{.nome = "CompoeCVSOFT", .layouts = kLayouts};

extern constexpr Sistema sistemaCVSOFT{"CVSOFT", "cabecalho,lancamentos,totalizacao",
                                       &CompoeCVSOFT};

}  // namespace lumbrava::catalogo
