// Líder W: the company record and the accounting entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Company identification.
constexpr Passo kIdEmpresa[] = {
    {1, "codEmpresa", 3, 0, "S"},
    {4, "razaoSocial", 40, 0, "S"},
    {44, "periodoLancamentos", 16, 0, "S"},
    {60, "sistemaGerador", 7, 0, "S"},
};

// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "data", 8, 0, "N"},
    {9, "deb", 22, 0, "S"},
    {31, "cred", 22, 0, "S"},
    {53, "contraPartida", 22, 0, "S"},
    {75, "cc", 22, 0, "S"},
    {97, "valor", 18, 2, "N"},
    {115, "controleADeb", 30, 0, "S"},
    {145, "controlACred", 30, 0, "S"},
    {175, "historico", 250, 0, "S"},
    {425, "versao", 8, 0, "S"},
    {433, "tipo", 1, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"idEmpresa", kIdEmpresa},
    {"lancamentos", kLancamentos},
};

}  // namespace

constexpr Compositor CompoeLiderW{.nome = "CompoeLiderW", .layouts = kLayouts};

extern constexpr Sistema sistemaLiderW{"Líder W", "idEmpresa,lancamentos", &CompoeLiderW};

}  // namespace lumbrava::catalogo
