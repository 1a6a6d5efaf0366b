// Nasajon: accounting entries (the old and the new record) and payroll items.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "Data", 4, 0, "S"},
    {5, "ContaDébito", 16, 0, "S"},
    {21, "ContaCrédito", 16, 0, "S"},
    {37, "Centrocusto", 10, 0, "S"},
    {47, "Histórico", 50, 0, "S"},
    {97, "Valor", 14, 2, "N"},
    {111, "Indicador", 1, 0, "S"},
};

// Accounting entry, new record: a wider cost centre, then document, number, establishment and
// participant.
constexpr Passo kLancamentosNovo[] = {
    {1, "Data", 4, 0, "S"},
    {5, "ContaDébito", 16, 0, "S"},
    {21, "ContaCrédito", 16, 0, "S"},
    {37, "Centrocusto", 20, 0, "S"},
    {57, "Histórico", 50, 0, "S"},
    {107, "Valor", 14, 2, "N"},
    {121, "Indicador", 1, 0, "S"},
    {122, "Documento", 20, 0, "S"},
    {142, "Numero", 30, 0, "S"},
    {172, "Estabelecimento", 30, 0, "S"},
    {202, "Participante", 30, 0, "S"},
};

// Payroll item: employee, pay item, value and reference (both as text), posting place,
// institution and dependant, with one-column fillers between them. The pay item, a text field,
// carries number settings of its own that its text never uses.
constexpr Passo kFolha[] = {
    {1, "codFuncionario", 25, 0, "S"},
    {26, "filler", 1, 0, "S"},
    {27, "codRubrica", 10, 0, "S", {.alinhamento = "E"}},
    {37, "filler2", 1, 0, "S"},
    {38, "valor", 10, 0, "S"},
    {48, "filler3", 1, 0, "S"},
    {49, "referencia", 10, 0, "S"},
    {59, "filler4", 1, 0, "S"},
    {60, "codLotacao", 5, 0, "S"},
    {65, "filler5", 1, 0, "S"},
    {66, "codInstituicao", 5, 0, "S"},
    {71, "identificacaoDependente", 5, 0, "S"},
    Particular("codRubrica", false, true, true, "", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"lancamentosNovo", kLancamentosNovo},
    {"folha", kFolha},
};

}  // namespace

constexpr Compositor CompoeNasajon{.nome = "CompoeNasajon", .layouts = kLayouts};

extern constexpr Sistema sistemaNasajon{"Nasajon", "lancamentos,lancamentosNovo,folha",
                                        &CompoeNasajon};

}  // namespace lumbrava::catalogo
