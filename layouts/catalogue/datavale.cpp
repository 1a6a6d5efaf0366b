// Datavale: accounting entries with debit and credit accounts, entity codes and cost centres.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry: company, branch, batch, date, history, value, both sides.
constexpr Passo kLancamentos[] = {
    {1, "nEmpresa", 3, 0, "S"},
    {4, "nFilial", 3, 0, "S"},
    {7, "nLote", 6, 0, "S"},
    {13, "data", 8, 0, "S"},
    {21, "complhp", 100, 0, "S"},
    {121, "valor", 15, 2, "N"},
    {136, "valorFCM", 15, 0, "S"},
    {151, "contaDeb", 15, 0, "S"},
    {166, "tipoDeb", 2, 0, "S"},
    {168, "codEntDeb", 8, 0, "S"},
    {176, "ccDeb", 15, 0, "S"},
    {191, "contaCred", 15, 0, "S"},
    {206, "tipoCred", 2, 0, "S"},
    {208, "codEntCred", 8, 0, "S"},
    {216, "ccCred", 15, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeDatavale{.nome = "CompoeDatavale", .layouts = kLayouts};

extern constexpr Sistema sistemaDatavale{"Datavale", "lancamentos", &CompoeDatavale};

}  // namespace lumbrava::catalogo
