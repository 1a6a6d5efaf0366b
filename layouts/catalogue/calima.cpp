// Calima: a file header and the accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// File header.
constexpr Passo kCabecalho[] = {
    {1, "registro", 3, 0, "S"},
    {4, "versao", 5, 0, "S"},
    {9, "dataGeracao", 10, 0, "S"},
    {19, "cnpjEmpresa", 14, 0, "S"},
    {33, "dataIni", 10, 0, "S"},
    {43, "dataFim", 10, 0, "S"},
    {53, "descricao", 200, 0, "S"},
};

// Accounting entry; the value with a point.
constexpr Passo kLancamentos[] = {
    {1, "registro", 3, 0, "S"},
    {4, "dataLancamento", 10, 0, "S"},
    {14, "tipoConta", 1, 0, "S"},
    {15, "contaDeb", 18, 0, "S"},
    {33, "contaCred", 18, 0, "S"},
    {51, "codHP", 9, 0, "N"},
    {60, "complHP", 500, 0, "S"},
    {560, "valor", 15, 2, "S"},
    {575, "centroCustoDeb", 6, 0, "S"},
    {581, "centroCustoCred", 6, 0, "S"},
    {587, "lancEncerramento", 1, 0, "S"},
    {588, "lote", 10, 0, "S"},
    Particular("valor", true, false, false, ".", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"cabecalho-calima", kCabecalho},
    {"lancamentos-calima", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeCalima{.nome = "CompoeCalima", .layouts = kLayouts};

extern constexpr Sistema sistemaCalima{"Calima", "cabecalho-calima,lancamentos-calima",
                                       &CompoeCalima};

}  // namespace lumbrava::catalogo
