// Sofolha: the master record and two kinds of entry record.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Master record: company, branch and period.
constexpr Passo kMestre[] = {
    {1, "fixo0001", 4, 0, "S"},
    {5, "codEmpresa", 8, 0, "S"},
    {13, "codFilial", 8, 0, "S"},
    {21, "cnpjEmpresa", 18, 0, "S"},
    {39, "mesAno", 7, 0, "S"},
    {46, "versaoSF2016", 7, 0, "S"},
    {53, "codOrigem", 3, 0, "S"},
};

// Entry record 2100: debit and credit; the value with a point.
constexpr Passo kLancamentos2100[] = {
    {1, "fixo2100", 4, 0, "S"},
    {5, "dataDDMMAAAA", 8, 0, "S"},
    {13, "agilizador", 4, 0, "S"},
    {17, "contaDeb", 11, 0, "S"},
    {28, "contaCred", 11, 0, "S"},
    {39, "hp", 3, 0, "N"},
    {42, "valor", 12, 2, "N"},
    {54, "complemento", 500, 0, "S"},
    {554, "lctoGerencial", 1, 0, "S"},
    Particular("valor", true, false, false, ".", false, false),
};

// Entry record 2102: one account.
constexpr Passo kLancamentos2102[] = {
    {1, "fixo2102", 4, 0, "S"},
    {5, "codigoConta", 11, 0, "S"},
    {16, "hp", 3, 0, "N"},
    {19, "valor", 12, 2, "N"},
    {31, "complemento", 280, 0, "S"},
    Particular("valor", false, false, false, ".", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"mestre", kMestre},
    {"lancamentos2100", kLancamentos2100},
    {"lancamentos2102", kLancamentos2102},
};

}  // namespace

constexpr Compositor CompoeSofolha{.nome = "CompoeSofolha", .layouts = kLayouts};

extern constexpr Sistema sistemaSofolha{"Sofolha", "mestre,lancamentos2100,lancamentos2102",
                                        &CompoeSofolha};

}  // namespace lumbrava::catalogo
