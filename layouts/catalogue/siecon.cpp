// SIECON: an entry and its legs.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Entry header.
constexpr Passo kLancamento[] = {
    {1, "codLancamento", 50, 0, "S"},
    {51, "empresa", 3, 0, "N"},
    {54, "data", 10, 0, "S"},
    {64, "hist", 1000, 0, "S"},
    {1064, "fimReg", 1, 0, "S"},
};

// Legs of the entry; the value with a point.
constexpr Passo kPartidas[] = {
    {1, "codLancamento", 50, 0, "S"},
    {51, "codCompleto", 100, 0, "S"},
    {151, "debOuCred", 2, 0, "S"},
    {153, "empreendimento", 8, 0, "N"},
    {161, "valor", 20, 2, "N"},
    {181, "hist", 1000, 0, "S"},
    {1181, "fimDoReg", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, true),
    Define(&clLayoutReg::separadorCasasDecimais, "."),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"LANCAMENTO", kLancamento},
    {"PARTIDAS", kPartidas},
};

}  // namespace

constexpr Compositor CompoeSIECON{.nome = "CompoeSIECON", .layouts = kLayouts};

extern constexpr Sistema sistemaSIECON{"SIECON", "LANCAMENTO,PARTIDAS", &CompoeSIECON};

}  // namespace lumbrava::catalogo
