// Cuca: payroll events, accounting entries and inventory lines.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Payroll event: employee, event, date, hours and minutes.
constexpr Passo kFolha[] = {
    {1, "codFunc", 6, 0, "N"},
    {7, "codEvento", 4, 0, "S"},
    {11, "dataEvento", 8, 0, "S"},
    {19, "horasMinuto", 4, 0, "S"},
};

// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "cnpj", 18, 0, "S"},
    {19, "tipo", 1, 0, "S"},
    {20, "codAgilizador", 5, 0, "S"},
    {25, "contaDevedora", 12, 0, "S"},
    {37, "contaCredora", 12, 0, "S"},
    {49, "codHP", 3, 0, "N"},
    {52, "descricaoHP", 20, 0, "S"},
    {72, "data", 10, 0, "S"},
    {82, "valor", 12, 2, "S"},
    {94, "complemento", 250, 0, "S"},
};

// Inventory line; the quantities and amounts are written with their decimal comma.
constexpr Passo kInventario[] = {
    {1, "cnpj", 18, 0, "S"},
    {19, "tipo", 1, 0, "S"},
    {20, "mes", 2, 0, "S"},
    {22, "codInvent", 3, 0, "S"},
    {25, "ncm", 8, 0, "S"},
    {33, "codProd", 14, 0, "S"},
    {47, "descricao", 53, 0, "S"},
    {100, "unidade", 6, 0, "S"},
    {106, "quantidade", 18, 4, "S"},
    {124, "valorUnit", 18, 4, "S"},
    {142, "valorTotal", 18, 2, "S"},
    {160, "filler", 113, 0, "S"},
    {273, "aliqICMS", 6, 2, "S"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, ","),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"folha", kFolha},
    {"lancamentos", kLancamentos},
    {"inventario", kInventario},
};

}  // namespace

constexpr Compositor CompoeCuca{.nome = "CompoeCuca", .layouts = kLayouts};

extern constexpr Sistema sistemaCuca{"Cuca", "folha,lancamentos,inventario", &CompoeCuca};

}  // namespace lumbrava::catalogo
