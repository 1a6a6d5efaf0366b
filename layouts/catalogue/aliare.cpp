// Aliare: an entry's header, its account lines, their cost-centre splits and the holder lines.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Entry header.
constexpr Passo kCabec[] = {
    {1, "cabec", 3, 0, "S"},
    {4, "codEmpresaSiagri", 3, 0, "S"},
    {7, "valorContab", 16, 2, "S"},
    {23, "dataLctoContab", 10, 0, "S"},
};

// Account line.
constexpr Passo kLctoContaContab[] = {
    {1, "tipoLanc", 3, 0, "S"},
    {4, "codEmpresaSiagri", 3, 0, "S"},
    {7, "codContaCtbSiagri", 12, 0, "S", kAlinhaDireita},
    {19, "valorLcto", 16, 2, "S"},
    {35, "debOuCred", 1, 0, "S"},
    {36, "codHPSiagri", 9, 0, "S", kAlinhaDireita},
    {45, "complHP", 250, 0, "S"},
};

// Cost-centre split of an account line.
constexpr Passo kLctoCC[] = {
    {1, "temDesdobCC", 3, 0, "S"},
    {4, "codCC", 12, 0, "S", kAlinhaDireita},
    {16, "valorDesdob", 16, 2, "S"},
};

// Current-account holder line.
constexpr Passo kLctoCorrentista[] = {
    {1, "correntista", 3, 0, "S"},
    {4, "cpfcnpjParceiro", 14, 0, "S"},
    {18, "valor", 16, 2, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"cabec", kCabec},
    {"lctoContaContab", kLctoContaContab},
    {"lctoCC", kLctoCC},
    {"lctoCorrentista", kLctoCorrentista},
};

}  // namespace

constexpr Compositor CompoeAliare{.nome = "CompoeAliare", .layouts = kLayouts};

extern constexpr Sistema sistemaAliare{"Aliare", "cabec,lctoContaContab,lctoCC,lctoCorrentista",
                                       &CompoeAliare};

}  // namespace lumbrava::catalogo
