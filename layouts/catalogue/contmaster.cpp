// Contmaster: its one layout, a fixed-width accounting entry.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "filler", 5, 0, "S"},
    {6, "contaDeb", 18, 0, "S"},
    {24, "contaCred", 18, 0, "S"},
    {42, "codHist", 5, 0, "N"},
    {47, "valor", 12, 2, "N"},
    {59, "data", 8, 0, "S"},
    {67, "numDoc", 6, 0, "S"},
    {73, "complHist", 106, 0, "S"},
    {179, "nomeForn", 35, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeContmaster{.nome = "CompoeContmaster", .layouts = kLayouts};

extern constexpr Sistema sistemaContmaster{"Contmaster", "lancamentos", &CompoeContmaster};

}  // namespace lumbrava::catalogo
