// Engenho: the two kinds of line of an entry file, read as "|"-separated values.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Entry line: sequence, date, code and history.
constexpr Passo kLinha1[] = {
    {1, "fixo", 50, 0, "S"},
    {51, "seq", 50, 0, "S"},
    {101, "data", 50, 0, "S"},
    {151, "fixoI", 50, 0, "S"},
    {201, "codigo", 50, 0, "S"},
    {251, "historico", 50, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};

// Account line of the entry.
constexpr Passo kLinha2[] = {
    {1, "fixo", 50, 0, "S"},
    {51, "seq", 50, 0, "S"},
    {101, "conta", 50, 0, "S"},
    {151, "tipo", 50, 0, "S"},
    {201, "valor", 50, 0, "S"},
    {251, "cc", 50, 0, "S"},
    {301, "historico", 50, 0, "S"},
    Define(&clLayoutReg::leituraComPipe, true),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"linha1", kLinha1},
    {"linha2", kLinha2},
};

}  // namespace

constexpr Compositor CompoeEngenho{.nome = "CompoeEngenho", .layouts = kLayouts};

extern constexpr Sistema sistemaEngenho{"Engenho", "linha1,linha2", &CompoeEngenho};

}  // namespace lumbrava::catalogo
