// Rubi: payroll events.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the layout sheet lists them.
// clang-format off
constexpr Passo kFolha[] = {
    {1, "registro", 2, 0, "N"},
    {3, "empresa", 4, 0, "N"},
    {7, "tipoFunc", 1, 0, "N"},
    {8, "func", 9, 0, "N"},
    {17, "calculo", 4, 0, "N"},
    {21, "tabela", 3, 0, "N"},
    {24, "evento", 4, 0, "N"},
    {28, "rateio", 9, 0, "N"},
    {37, "seqEvento", 2, 0, "N"},
    {39, "refEvento", 11, 2, "N"},
    {50, "varEvento", 11, 2, "N"},
    {61, "origem", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"folha", kFolha},
};

}  // namespace

constexpr Compositor CompoeRubi{.nome = "CompoeRubi", .layouts = kLayouts};

extern constexpr Sistema sistemaRubi{"Rubi", "folha,", &CompoeRubi};

}  // namespace lumbrava::catalogo
