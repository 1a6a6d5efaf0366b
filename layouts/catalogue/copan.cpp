// Copan: the accounting-entry file, a header and two entry records; empty numbers are blanks.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// File header: structure, company and the period.
constexpr Passo kCabecalho[] = {
    {1, "identificacao", 5, 0, "S"},
    {6, "versaoEstrut", 1, 0, "S"},
    {7, "versaoMin", 1, 0, "S"},
    {8, "codEmpresa", 10, 0, "N"},
    {18, "cnpj", 14, 0, "S"},
    {32, "cpf", 11, 0, "S"},
    {43, "cei", 1, 0, "S"},
    {44, "codMatriz", 1, 0, "S"},
    {45, "datIn", 8, 0, "S"},
    {53, "datFin", 8, 0, "S"},
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Entry record 01: date, document and value.
constexpr Passo kLct01[] = {
    {1, "identificacao", 5, 0, "S"},
    {6, "codCont", 1, 0, "S"},
    {7, "codLanc", 1, 0, "S"},
    {8, "data", 8, 0, "S"},
    {16, "numDoc", 1, 0, "S"},
    {17, "valor", 14, 2, "N"},
    {31, "simples", 1, 0, "S"},
    {32, "registro", 1, 0, "S"},
    {33, "codPlano", 10, 0, "S"},
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};

// Entry record 02: the account line with its history and value.
constexpr Passo kLct02[] = {
    {1, "identificacao", 5, 0, "S"},
    {6, "seq", 8, 0, "S"},
    {14, "codPlano", 10, 0, "S"},
    {24, "codConta", 10, 0, "S"},
    {34, "codHistorico", 10, 0, "S"},
    {44, "nmeHistorico", 1, 0, "S"},
    {45, "complemento", 1, 0, "S"},
    {46, "valor", 14, 2, "N"},
    {60, "indValor", 1, 0, "S"},
    Define(&clLayoutReg::espacoNosNumerosVazios, true),
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos-cabecalho", kCabecalho},
    {"lancamentos-lct01", kLct01},
    {"lancamentos-lct02", kLct02},
};

}  // namespace

constexpr Compositor CompoeCopan{.nome = "CompoeCopan", .layouts = kLayouts};

extern constexpr Sistema sistemaCopan{
    "Copan", "lancamentos-cabecalho,lancamentos-lct01,lancamentos-lct02", &CompoeCopan};

}  // namespace lumbrava::catalogo
