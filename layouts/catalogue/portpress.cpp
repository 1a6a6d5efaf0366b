// PortPress: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
constexpr Passo kLancamentos[] = {
    {1, "modulo", 3, 0, "S"},
    {4, "empresa", 1, 0, "S"},
    {5, "numLote", 5, 0, "S"},
    {10, "descLote", 12, 0, "S"},
    {22, "data", 10, 0, "S"},
    {32, "lanApuracao", 3, 0, "S"},
    {35, "planContas", 6, 0, "S"},
    {41, "natureza", 2, 0, "S"},
    {43, "estab", 3, 0, "S"},
    {46, "unDeNegocio", 3, 0, "S"},
    {49, "planCC", 6, 0, "S"},
    {55, "CC", 5, 0, "S"},
    {60, "conta", 8, 0, "S"},
    {68, "moeda", 4, 0, "S"},
    {72, "valor", 12, 2, "S"},
    {84, "hist", 75, 0, "S"},
    Particular("valor", true, false, false, ",", false, false),
};

// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoePortPress{.nome = "CompoePortPress", .layouts = kLayouts};

extern constexpr Sistema sistemaPortPress{"PortPress", "lancamentos,", &CompoePortPress};

}  // namespace lumbrava::catalogo
