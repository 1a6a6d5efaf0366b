// Asplan: accounting entries and payroll events.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry; numbers without a decimal separator, an empty document number in blanks.
constexpr Passo kLancamentos[] = {
    {1, "empresa", 4, 0, "N"},
    {5, "nDoc", 12, 0, "S"},
    {17, "seq", 6, 0, "N"},
    {23, "dataMDA", 8, 0, "S"},
    {31, "contaDeb", 9, 0, "S"},
    {40, "contaCred", 9, 0, "S"},
    {49, "reduDeb", 5, 0, "S"},
    {54, "reduCred", 5, 0, "S"},
    {59, "cc", 4, 0, "N"},
    {63, "cgcdeb", 8, 0, "S"},
    {71, "cgccred", 8, 0, "S"},
    {79, "dataorigem", 8, 0, "S"},
    {87, "lancorigem", 4, 0, "S"},
    {91, "valor", 14, 2, "N"},
    {105, "codHP", 4, 0, "N"},
    {109, "descrHP", 200, 0, "S"},
    {309, "CNPJ", 14, 0, "S"},
    {323, "idGerado", 4, 0, "S"},
    {327, "idConciliado", 1, 0, "S"},
    {328, "idFimpm", 1, 0, "S"},
    Define(&clLayoutReg::separaCasasDecimais, false),
    Particular("nDoc", false, true, false, "", false, false),
};

// Payroll event of an employee.
constexpr Passo kFolha[] = {
    {1, "codigoEmpresa", 4, 0, "N"},
    {5, "codigoFuncionario", 5, 0, "N"},
    {10, "campo", 4, 0, "S"},
    {14, "num", 3, 0, "N"},
    {17, "vazio", 4, 0, "S"},
    {21, "codigoEvento", 3, 0, "S"},
    {24, "valor", 14, 2, "N"},
    Define(&clLayoutReg::virgulasNosNumericos, false),
    Define(&clLayoutReg::espacoNosNumerosVazios, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"folha", kFolha},
};

}  // namespace

constexpr Compositor CompoeAsplan{.nome = "CompoeAsplan", .layouts = kLayouts};

extern constexpr Sistema sistemaAsplan{"Asplan", "lancamentos,folha", &CompoeAsplan};

}  // namespace lumbrava::catalogo
