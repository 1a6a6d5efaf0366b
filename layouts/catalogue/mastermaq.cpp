// Mastermaq: accounting entries and the trade-bill file (settlements and altered bills).
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// The amounts are written with a full stop before their decimals.
// clang-format off
// Accounting entry: debit and credit accounts, standard history, company codes, cost centre.
constexpr Passo kLancamentos[] = {
    {1, "data", 8, 0, "S"},
    {9, "doc", 8, 0, "S"},
    {17, "deb", 17, 0, "S"},
    {34, "cred", 17, 0, "S"},
    {51, "valor", 14, 2, "N"},
    {65, "hp", 3, 0, "S"},
    {68, "compl", 50, 0, "S"},
    {118, "codEmpresaD", 2, 0, "S"},
    {120, "codEmpresaC", 2, 0, "S"},
    {122, "filler1", 4, 0, "S"},
    {126, "cont", 1, 0, "S"},
    {127, "filler2", 2, 0, "S"},
    {129, "filler3", 1, 0, "S"},
    {130, "centro", 15, 0, "S"},
    {145, "unidadeAdm", 4, 0, "S"},
    {149, "codCP", 14, 0, "S"},
    {163, "xRef", 8, 0, "S"},
    {171, "docAux", 50, 0, "S"},
    Particular("valor", true, false, false, ".", false, false),
};

// Trade bill: the bill's key, what is altered, the taxes and the settlement histories, then the
// key of the second bill (its bill number is 20 columns wide, the first one's 9).
constexpr Passo kDuplicatas[] = {
    {1, "tipoBaixa", 1, 0, "S"},
    {2, "ano", 2, 0, "S"},
    {4, "baixaOuDupli", 1, 0, "S"},
    {5, "chaveTipo", 1, 0, "S"},
    {6, "chaveNumNota", 20, 0, "S", {.alinhamento = "E"}},
    {26, "chaveCodCliente", 20, 0, "S", {.alinhamento = "D"}},
    {46, "chaveCodFilial", 2, 0, "S"},
    {48, "chaveSerie", 3, 0, "S"},
    {51, "chaveSubSerie", 3, 0, "S"},
    {54, "chaveNumDuplicata", 9, 0, "S"},
    {63, "chaveEspecie", 3, 0, "S"},
    {66, "altera1", 1, 0, "S"},
    {67, "conteudoDup", 15, 0, "S", {.alinhamento = "E"}},
    {82, "altera2", 1, 0, "S"},
    {83, "conteudoVen", 15, 2, "N"},
    {98, "altera3", 1, 0, "S"},
    {99, "conteudoVal", 15, 2, "N"},
    {114, "branco1", 1, 0, "S"},
    {115, "branco8", 5, 0, "N"},
    {120, "brancofill", 10, 0, "S"},
    {130, "valorPis", 15, 2, "N"},
    {145, "valorCofins", 15, 2, "N"},
    {160, "contriSocial", 15, 2, "N"},
    {175, "tipoDocFiscal", 2, 0, "S"},
    {177, "histBaixaDupli", 50, 0, "S"},
    {227, "histMultaDupli", 50, 0, "S"},
    {277, "histDescDupli", 50, 0, "S"},
    {327, "chave2Tipo", 1, 0, "S"},
    {328, "chave2NumNota", 20, 0, "S", {.alinhamento = "E"}},
    {348, "chave2CodCliente", 20, 0, "S", {.alinhamento = "D"}},
    {368, "chave2CodFilial", 2, 0, "S"},
    {370, "chave2Serie", 3, 0, "S"},
    {373, "chave2SubSerie", 3, 0, "S"},
    {376, "chave2NumDuplicata", 20, 0, "S"},
    {396, "chave2Especie", 3, 0, "S"},
    {399, "numDupl2", 20, 0, "S"},
    Particular("conteudoVen", true, false, false, ".", false, false),
    Particular("conteudoVal", true, false, false, ".", false, false),
    Particular("valorPis", true, false, false, ".", false, false),
    Particular("valorCofins", true, false, false, ".", false, false),
    Particular("contriSocial", true, false, false, ".", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"duplicatas", kDuplicatas},
};

}  // namespace

constexpr Compositor CompoeMastermaq{.nome = "CompoeMastermaq", .layouts = kLayouts};

extern constexpr Sistema sistemaMastermaq{"Mastermaq", "lancamentos,duplicatas", &CompoeMastermaq};

}  // namespace lumbrava::catalogo
