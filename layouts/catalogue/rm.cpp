// RM: accounting entries, in one record or told in three, and amounts received under the cash
// regime with their PIS and COFINS data.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry in one record; the amount is written with its decimal comma.
constexpr Passo kLancamentos[] = {
    {1, "data", 8, 0, "S"},
    {9, "documento", 20, 0, "S", kAlinhaDireita},
    {29, "debito", 20, 0, "S"},
    {49, "credito", 20, 0, "S"},
    {69, "contraPartida", 20, 0, "S"},
    {89, "valor", 18, 2, "S"},
    {107, "hp", 8, 0, "S"},
    {115, "complhp", 250, 0, "S"},
    {365, "filialLanc", 10, 0, "S", kAlinhaDireita},
    {375, "CC", 25, 0, "S"},
    {400, "dataCotacao", 8, 0, "S"},
    {408, "segValor", 18, 0, "S", kAlinhaDireita},
    Particular("valor", true, false, false, ",", false, false),
};

// Batch header of the entry told in three records.
constexpr Passo kLancamentos2Cabec[] = {
    {1, "id", 1, 0, "S"},
    {2, "lote", 10, 0, "N"},
    {12, "hist", 100, 0, "S"},
    {112, "data", 10, 0, "S"},
};

// The entry's detail; an empty amount is written as blanks.
constexpr Passo kLancamentos2Detalhes[] = {
    {1, "fixo*P", 2, 0, "S"},
    {3, "doc", 20, 0, "S"},
    {23, "ctDeb", 40, 0, "S"},
    {63, "ctCred", 40, 0, "S"},
    {103, "ctContra", 40, 0, "S"},
    {143, "valor", 15, 2, "N"},
    {158, "hp", 10, 0, "S"},
    {168, "complh", 250, 0, "S"},
    {418, "filial", 3, 0, "S"},
    {421, "CC", 25, 0, "S"},
    {446, "departamento", 25, 0, "S"},
    {471, "segundaData", 10, 0, "S"},
    {481, "segundoValor", 15, 0, "S"},
    {496, "codParticipante", 4, 0, "S"},
    {500, "codLoteOrigem", 4, 0, "S"},
    Particular("valor", true, true, true, ",", false, false),
};

// A split line of the entry.
constexpr Passo kLancamentos2Rateio[] = {
    {1, "id", 3, 0, "S"},
    {4, "conta", 40, 0, "S"},
    {44, "valor", 15, 2, "N"},
    Particular("valor", true, true, true, ",", false, false),
};

// Amounts received under the cash regime, with their PIS and COFINS data.
constexpr Passo kValoresTribRegCaixa[] = {
    {1, "cnpjEstab", 18, 0, "S"},
    {19, "dataReceb", 8, 0, "S"},
    {27, "valorReceb", 12, 2, "N"},
    {39, "valorJuros", 12, 2, "N"},
    {51, "valorDesc", 12, 2, "N"},
    {63, "valorExclu", 12, 2, "N"},
    {75, "fontePag", 1, 0, "S"},
    {76, "cnpjFontePag", 18, 0, "S"},
    {94, "modDoc", 2, 0, "S"},
    {96, "cfop", 4, 0, "N"},
    {100, "cstPis", 2, 0, "N"},
    {102, "aliqPis", 7, 4, "N"},
    {109, "qtdBasePis", 13, 3, "N"},
    {122, "aliqPisValor", 14, 4, "N"},
    {136, "cstCofins", 2, 0, "N"},
    {138, "aliqCofins", 7, 4, "N"},
    {145, "qtdBaseCofins", 13, 3, "N"},
    {158, "aliqCofinsValor", 14, 4, "N"},
    {172, "brancos", 23, 0, "S"},
    {195, "sequencia", 6, 0, "N"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"lancamentos2-cabec", kLancamentos2Cabec},
    {"lancamentos2-detalhes", kLancamentos2Detalhes},
    {"lancamentos2-rateio", kLancamentos2Rateio},
    {"valoresTribRegCaixa", kValoresTribRegCaixa},
};

}  // namespace

constexpr Compositor CompoeRM{.nome = "CompoeRM", .layouts = kLayouts};

extern constexpr Sistema sistemaRM{
    "RM",
    "lancamentos,lancamentos2-cabec,lancamentos2-detalhes,lancamentos2-rateio,valoresTribRegCaixa",
    &CompoeRM};

}  // namespace lumbrava::catalogo
