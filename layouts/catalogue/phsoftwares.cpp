// PHSoftwares: accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; the value with a point and a closing ";".
constexpr Passo kLancamentos[] = {
    {1, "data", 8, 0, "N"},
    {9, "contaDebito", 8, 0, "S"},
    {17, "contaCredito", 8, 0, "S"},
    {25, "valor", 17, 2, "N"},
    {42, "historico", 8, 0, "N"},
    {50, "complemento", 64, 0, "S"},
    {114, "debEstabelecimento", 3, 0, "N"},
    {117, "credEstabelecimento", 3, 0, "N"},
    {120, "debCentroCustos", 3, 0, "N"},
    {123, "credCentroCustos", 3, 0, "N"},
    {126, "contrapartida", 8, 0, "N"},
    {134, "conjuntoLancs", 6, 0, "N"},
    {140, "nomeContaDebito", 40, 0, "S"},
    {180, "idContaDebito", 20, 0, "S"},
    {200, "tipoContaDebito", 1, 0, "N"},
    {201, "tipoIdContaDebito", 1, 0, "N"},
    {202, "nomeContaCredito", 40, 0, "S"},
    {242, "idContaCredito", 20, 0, "S"},
    {262, "tipoContaCredito", 1, 0, "N"},
    {263, "tipoIdContaCredito", 1, 0, "N"},
    {264, "nomeContaContrapartida", 40, 0, "S"},
    {304, "idContaContrapartida", 20, 0, "S"},
    {324, "tipoContaContrapartida", 1, 0, "N"},
    {325, "tipoIdContaContrapartida", 1, 0, "N"},
    {326, "arquivamento", 12, 0, "S"},
    {338, "debitoCentroCustos", 5, 0, "N"},
    {343, "creditoCentroCustos", 5, 0, "N"},
    {348, "classifDebCentroCustos", 10, 0, "S"},
    {358, "classifCredCentroCustos", 10, 0, "S"},
    {368, "reservado", 31, 0, "S"},
    Particular("valor", true, false, false, ".", true, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoePHSoftwares{.nome = "CompoePHSoftwares", .layouts = kLayouts};

extern constexpr Sistema sistemaPHSoftwares{"PHSoftwares", "lancamentos", &CompoePHSoftwares};

}  // namespace lumbrava::catalogo
