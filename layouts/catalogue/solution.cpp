// Solution: accounting entries; numbers with a point.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "vazio1", 33, 0, "S"},
    {34, "data", 8, 0, "S"},
    {42, "vazio2", 1, 0, "S"},
    {43, "contaDeb", 6, 0, "S"},
    {49, "contaCred", 6, 0, "S"},
    {55, "valor", 16, 2, "N"},
    {71, "vazio3", 1, 0, "S"},
    {72, "cc", 6, 0, "S"},
    {78, "hp", 6, 0, "S"},
    {84, "vazio4", 31, 0, "S"},
    {115, "complhp", 80, 0, "S"},
    {195, "filial", 2, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, "."),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeSolution{.nome = "CompoeSolution", .layouts = kLayouts};

extern constexpr Sistema sistemaSolution{"Solution", "lancamentos", &CompoeSolution};

}  // namespace lumbrava::catalogo
