// Exactus: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; the value is a whole number.
constexpr Passo kLancamentos[] = {
    {1, "contaDeb", 16, 0, "S"},
    {17, "contaCred", 16, 0, "S"},
    {33, "simb", 2, 0, "S"},
    {35, "doc", 9, 0, "N"},
    {44, "ordem", 6, 0, "N"},
    {50, "hp", 5, 0, "S"},
    {55, "linha", 1, 0, "N"},
    {56, "historico", 29, 0, "S"},
    {85, "valor", 12, 0, "N"},
    {97, "dia", 2, 0, "S"},
    {99, "mes", 2, 0, "S"},
    {101, "ano", 2, 0, "S"},
    {103, "historicoFlex", 5, 0, "S"},
    {108, "origem", 2, 0, "S"},
    {110, "tipo", 1, 0, "S"},
    {111, "cnpj", 14, 0, "S"},
    {125, "nomenclatura", 40, 0, "S"},
    {165, "ccDeb", 3, 0, "S"},
    {168, "ccCred", 3, 0, "S"},
    {171, "loteDeb", 5, 0, "N"},
    {176, "loteCred", 5, 0, "N"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeExactus{.nome = "CompoeExactus", .layouts = kLayouts};

extern constexpr Sistema sistemaExactus{"Exactus", "lancamentos", &CompoeExactus};

}  // namespace lumbrava::catalogo
