// InfoBanc: accounting entries in two account widths, and foreign-exchange operations.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry, 5-column accounts.
constexpr Passo kLancamentos[] = {
    {1, "data", 8, 0, "S"},
    {9, "deb", 5, 0, "N"},
    {14, "cred", 5, 0, "N"},
    {19, "valor", 18, 2, "N"},
    {37, "doc", 6, 0, "N"},
    {43, "hp", 120, 0, "S"},
};

// Accounting entry, 10-column accounts.
constexpr Passo kLancamentosExpandido[] = {
    {1, "data", 8, 0, "S"},
    {9, "deb", 10, 0, "N"},
    {19, "cred", 10, 0, "N"},
    {29, "valor", 18, 2, "N"},
    {47, "doc", 6, 0, "N"},
    {53, "hp", 120, 0, "S"},
};

// Foreign-exchange operation.
constexpr Passo kMoedas[] = {
    {1, "data", 10, 0, "S"},
    {11, "boleto", 5, 0, "N"},
    {16, "moedaEstrangeira", 18, 2, "N"},
    {34, "reais", 18, 2, "N"},
    {52, "compraVenda", 1, 0, "S"},
    {53, "codMoeda", 3, 0, "N"},
    {56, "taxaFechamento", 8, 6, "N"},
    {64, "descricao", 15, 0, "S"},
    {79, "dataLiquidacao", 10, 0, "S"},
    {89, "dataLiquidacao2", 10, 0, "S"},
    {99, "formaEntrega", 4, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"lancamentosExpandido", kLancamentosExpandido},
    {"moedas", kMoedas},
};

}  // namespace

constexpr Compositor CompoeInfoBanc{.nome = "CompoeInfoBanc", .layouts = kLayouts};

extern constexpr Sistema sistemaInfoBanc{"InfoBanc", "lancamentos,lancamentosExpandido,moedas",
                                         &CompoeInfoBanc};

}  // namespace lumbrava::catalogo
