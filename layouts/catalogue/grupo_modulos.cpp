// Grupo Módulos: accounting entries and payroll values.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "dia", 2, 0, "N"},
    {3, "local", 4, 0, "N"},
    {7, "cc", 10, 0, "S"},
    {17, "contaDebito", 5, 0, "N"},
    {22, "contaCredito", 5, 0, "N"},
    {27, "hp", 4, 0, "N"},
    {31, "valor", 15, 2, "N"},
    {46, "complemento", 99, 0, "S"},
};

// Payroll value of an employee.
constexpr Passo kFolha[] = {
    {1, "empresa", 4, 0, "N"},
    {5, "funcionario", 6, 0, "N"},
    {11, "local", 4, 0, "S"},
    {15, "centrocusto", 10, 0, "S"},
    {25, "evento", 3, 0, "N"},
    {28, "referencia", 5, 0, "N"},
    {33, "valor", 14, 2, "N"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"folha", kFolha},
};

}  // namespace

constexpr Compositor CompoeGrupoModulos{.nome = "CompoeGrupoModulos", .layouts = kLayouts};

extern constexpr Sistema sistemaGrupoModulos{"Grupo Módulos", "lancamentos,folha",
                                             &CompoeGrupoModulos};

}  // namespace lumbrava::catalogo
