// Linx: batches and their accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Batch.
constexpr Passo kLote[] = {
    {1, "id", 10, 0, "S"},
    {11, "lote", 10, 0, "S"},
    {21, "data", 10, 0, "S"},
    {31, "empresa", 10, 0, "S"},
};

// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "id", 10, 0, "S"},
    {11, "lancamento", 10, 0, "S"},
    {21, "complhp", 350, 0, "S"},
    {371, "valor", 12, 2, "N"},
    {383, "lote", 10, 0, "S"},
    {393, "conta", 14, 0, "S"},
    {407, "tipo", 1, 0, "S"},
    {408, "fornecedor", 10, 0, "S"},
    {418, "centroCusto", 10, 0, "S"},
    {428, "filial", 10, 0, "S"},
    {438, "doc", 30, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lote", kLote},
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeLinx{.nome = "CompoeLinx", .layouts = kLayouts};

extern constexpr Sistema sistemaLinx{"Linx", "lote,lancamentos", &CompoeLinx};

}  // namespace lumbrava::catalogo
