// Athenas3000: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; empty accounts, value and history code are blanks.
constexpr Passo kLancamentos[] = {
    {1, "data", 10, 0, "S"},
    {11, "contaDeb", 10, 0, "N"},
    {21, "contaCred", 10, 0, "N"},
    {31, "valor", 13, 2, "N"},
    {44, "hp", 5, 0, "N"},
    {49, "complemento", 120, 0, "S"},
    Particular("valor", false, true, false, "", false, false),
    Particular("contaDeb", false, true, false, "", false, false),
    Particular("contaCred", false, true, false, "", false, false),
    Particular("hp", false, true, false, "", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos-athenas3000", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeAthenas3000{.nome = "CompoeAthenas3000", .layouts = kLayouts};

extern constexpr Sistema sistemaAthenas3000{"Athenas3000", "lancamentos-athenas3000",
                                            &CompoeAthenas3000};

}  // namespace lumbrava::catalogo
