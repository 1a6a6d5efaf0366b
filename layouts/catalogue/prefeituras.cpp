// Prefeituras: the municipal services-tax declaration file, a header, one detail record per
// invoice and a trailer, fixed-width.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the declaration sheet lists them.
// clang-format off
// Header: the declarant, the month and year declared.
constexpr Passo kFiscalMataoHeader[] = {
    {1, "tipoRegistro", 1, 0, "N"},
    {2, "tipoDeclaracao", 1, 0, "S"},
    {3, "tipoCNPJouCPF", 1, 0, "N"},
    {4, "CNPJouCPF", 14, 0, "N"},
    {18, "mês", 2, 0, "N"},
    {20, "ano", 4, 0, "N"},
    {24, "data", 8, 0, "N"},
    {32, "tipoReferencia", 1, 0, "S"},
    {33, "filler", 68, 0, "S"},
};

// One declared invoice.
constexpr Passo kFiscalMataoDetalhe[] = {
    {1, "tipoRegistro", 1, 0, "N"},
    {2, "tipoCNPJouCPF", 1, 0, "N"},
    {3, "CNPJouCPF", 14, 0, "N"},
    {17, "nome", 100, 0, "S"},
    {117, "cidade", 60, 0, "S"},
    {177, "estado", 2, 0, "S"},
    {179, "numNF", 8, 0, "N"},
    {187, "dataEmissao", 8, 0, "N"},
    {195, "valorServico", 14, 2, "N"},
    {209, "valorDeducoes", 14, 2, "N"},
    {223, "aliquota", 2, 0, "N"},
    {225, "valorImposto", 14, 2, "N"},
    {239, "retido", 1, 0, "S"},
    {240, "situacao", 1, 0, "N"},
    {241, "codAtividade", 6, 0, "N"},
    {247, "cfps", 3, 0, "N"},
    {250, "serie", 2, 0, "N"},
    {252, "filler", 49, 0, "S"},
};

// Trailer: how many records and their totals.
constexpr Passo kFiscalMataoTrailler[] = {
    {1, "tipoRegistro", 1, 0, "N"},
    {2, "qtdRegistros", 4, 0, "N"},
    {6, "valorTotal", 14, 2, "N"},
    {20, "valorTotalDeducoes", 14, 2, "N"},
    {34, "valorTotalImpostos", 14, 2, "N"},
    {48, "filler", 53, 0, "S"},
};
// clang-format on

// In the order the names are compared; the trailer's name has a double l.
constexpr Layout kLayouts[] = {
    {"fiscal-Matao-header", kFiscalMataoHeader},
    {"fiscal-Matao-detalhe", kFiscalMataoDetalhe},
    {"fiscal-Matao-trailler", kFiscalMataoTrailler},
};

}  // namespace

constexpr Compositor CompoePrefeituras{.nome = "CompoePrefeituras", .layouts = kLayouts};

extern constexpr Sistema sistemaPrefeituras{
    "Prefeituras", "fiscal-Matao-header,fiscal-Matao-detalhe,fiscal-Matao-trailler",
    &CompoePrefeituras};

}  // namespace lumbrava::catalogo
