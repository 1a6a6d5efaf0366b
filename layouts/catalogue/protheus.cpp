// Protheus: accounting entries, in several shapes, and the batch load of entries.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// One row per field, as the layout sheet lists them.
// clang-format off
constexpr Passo kLancamentos[] = {
    {1, "partidaDobrada", 3, 0, "S"},
    {4, "branco1", 6, 0, "S"},
    {10, "ctDeb", 20, 0, "S"},
    {30, "branco2", 20, 0, "S"},
    {50, "ctCred", 20, 0, "S"},
    {70, "branco3", 10, 0, "S"},
    {80, "valor", 17, 0, "S"},
    {97, "branco4", 3, 0, "S"},
    {100, "compl", 40, 0, "S"},
    {140, "data", 6, 0, "S"},
    {146, "branco5", 4, 0, "S"},
    {150, "ccDeb", 20, 0, "S"},
    {170, "branco6", 10, 0, "S"},
    {180, "ccCred", 20, 0, "S"},
};

constexpr Passo kLancamentosNovo[] = {
    {1, "partidaDobrada", 3, 0, "S"},
    {4, "filler1", 5, 0, "S"},
    {9, "ccDeb", 22, 0, "S"},
    {31, "filler2", 5, 0, "S"},
    {36, "ccCred", 22, 0, "S"},
    {58, "filler3", 1, 0, "S"},
    {59, "hp", 4, 0, "S"},
    {63, "compl", 49, 0, "S"},
    {112, "filler4", 5, 0, "S"},
    {117, "valor", 25, 0, "S"},
    {142, "filler5", 5, 0, "S"},
    {147, "itemDeb", 14, 0, "S"},
    {161, "filler6", 5, 0, "S"},
    {166, "itemCred", 14, 0, "S"},
    {180, "filler7", 5, 0, "S"},
    {185, "ctDeb", 22, 0, "S"},
    {207, "filler8", 5, 0, "S"},
    {212, "ctCred", 22, 0, "S"},
    {234, "filler9", 14, 0, "S"},
    {248, "data", 8, 0, "S"},
};

constexpr Passo kCargaDeLotes[] = {
    {1, "tipoDeLanc", 3, 0, "S"},
    {4, "data", 8, 0, "S"},
    {12, "nroLote", 6, 0, "N"},
    {18, "codFilial", 2, 0, "N"},
    {20, "documento", 6, 0, "S"},
    {26, "contaDeb", 20, 0, "N"},
    {46, "contaCred", 20, 0, "N"},
    {66, "valor", 15, 2, "N"},
    {81, "ccDeb", 9, 0, "S"},
    {90, "ccCred", 9, 0, "S"},
    {99, "itemContDeb", 9, 0, "S"},
    {108, "itemContCred", 9, 0, "S"},
    {117, "classeDeb", 9, 0, "S"},
    {126, "classeCred", 9, 0, "S"},
    {135, "origem", 100, 0, "S"},
    {235, "historico", 256, 0, "S"},
    {491, "diaLancamento", 2, 0, "N"},
};

constexpr Passo kLancamentosLP003[] = {
    {1, "fixo003", 3, 0, "S"},
    {4, "data", 8, 0, "S"},
    {12, "filler1", 1, 0, "S"},
    {13, "deb", 12, 0, "S"},
    {25, "filler2", 1, 0, "S"},
    {26, "cred", 12, 0, "S"},
    {38, "valor", 20, 2, "S"},
    {58, "CC", 5, 0, "S"},
    {63, "filler3", 6, 0, "S"},
    {69, "Item", 4, 0, "S"},
    {73, "valorCrd", 5, 0, "S"},
    {78, "historico", 120, 0, "S"},
};

constexpr Passo kLancamentosBREE[] = {
    {1, "tipo", 3, 0, "S"},
    {4, "ctDebito", 20, 0, "S"},
    {24, "ctCredito", 20, 0, "S"},
    {44, "valor", 16, 2, "N"},
    {60, "cc", 9, 0, "S"},
    {69, "hist", 80, 0, "S"},
};

constexpr Passo kLancamentosLctoPadrao[] = {
    {1, "tipo", 3, 0, "S"},
    {4, "ctDebito", 20, 0, "S", kAlinhaDireita},
    {24, "ctCredito", 20, 0, "S", kAlinhaDireita},
    {44, "filler", 60, 0, "S"},
    {104, "valor", 17, 2, "N"},
    {121, "filler2", 68, 0, "S"},
    {189, "hist", 40, 0, "S"},
    Particular("valor", false, true, false, "", false, false),
};

constexpr Passo kLancamentosFolha[] = {
    {1, "tipo", 4, 0, "S"},
    {5, "ctDebito", 14, 0, "S"},
    {19, "ctCredito", 14, 0, "S"},
    {33, "cc", 9, 0, "S"},
    {42, "valor", 18, 2, "N"},
    {60, "hist", 45, 0, "S"},
    {105, "data", 8, 0, "S"},
    Particular("valor", false, false, false, "", false, false),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},           {"lancamentosNovo", kLancamentosNovo},
    {"cargaDeLotes", kCargaDeLotes},         {"lancamentosLP003", kLancamentosLP003},
    {"lancamentosBREE", kLancamentosBREE},   {"lancamentosLctoPadrao", kLancamentosLctoPadrao},
    {"lancamentosFolha", kLancamentosFolha},
};

}  // namespace

constexpr Compositor CompoeProtheus{.nome = "CompoeProtheus", .layouts = kLayouts};

extern constexpr Sistema sistemaProtheus{
    "Protheus",
    "lancamentos,lancamentosNovo,cargaDeLotes,lancamentosLP003,lancamentosBREE,"
    "lancamentosLctoPadrao,lancamentosFolha,",
    &CompoeProtheus};

}  // namespace lumbrava::catalogo
