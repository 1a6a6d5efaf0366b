// Makrosystem: accounting entries with reduced and complete accounts.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry: reduced and complete debit and credit accounts, a long complement and the
// debit and credit branches. The amount is a plain number, without decimals.
constexpr Passo kLancamentos[] = {
    {1, "Data", 8, 0, "S"},
    {9, "numLanc", 6, 0, "N"},
    {15, "sequencial", 3, 0, "N"},
    {18, "numDoc", 10, 0, "S"},
    {28, "contaDebReduz", 6, 0, "N"},
    {34, "contaDebCompleta", 25, 0, "S"},
    {59, "contaCredReduz", 6, 0, "N"},
    {65, "contaCredCompleta", 25, 0, "S"},
    {90, "valor", 14, 0, "N"},
    {104, "codHP", 3, 0, "S"},
    {107, "complemento", 250, 0, "S"},
    {357, "filialDeb", 2, 0, "S"},
    {359, "filialCred", 2, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeMakrosystem{.nome = "CompoeMakrosystem", .layouts = kLayouts};

extern constexpr Sistema sistemaMakrosystem{"Makrosystem", "lancamentos", &CompoeMakrosystem};

}  // namespace lumbrava::catalogo
