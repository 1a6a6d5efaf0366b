// SIAC: accounting entries, every field text.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry line.
constexpr Passo kLancamentos[] = {
    {1, "conta", 18, 0, "S"},
    {19, "hp", 4, 0, "S"},
    {23, "cc", 4, 0, "S"},
    {27, "conciliado", 1, 0, "S"},
    {28, "data", 10, 0, "S"},
    {38, "tipo", 1, 0, "S"},
    {39, "numDoc", 20, 0, "S"},
    {59, "cnpjOrigem", 18, 0, "S"},
    {77, "exportacao", 1, 0, "S"},
    {78, "complHP", 40, 0, "S"},
    {118, "lote", 4, 0, "S"},
    {122, "valor", 17, 0, "S"},
    {139, "siacTipoI", 1, 0, "S"},
    {140, "filler", 18, 0, "S"},
    {158, "sistema", 1, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeSIAC{.nome = "CompoeSIAC", .layouts = kLayouts};

extern constexpr Sistema sistemaSIAC{"SIAC", "lancamentos", &CompoeSIAC};

}  // namespace lumbrava::catalogo
