// JB: accounting entries and what hangs on an entry: cost centres, bills and settlements.
#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// clang-format off
// Accounting entry.
constexpr Passo kLancamentos[] = {
    {1, "identificacao", 2, 0, "S"},
    {3, "empresa", 5, 0, "N"},
    {8, "filial", 5, 0, "N"},
    {13, "data", 8, 0, "S"},
    {21, "numLct", 25, 0, "S"},
    {46, "tp", 2, 0, "S"},
    {48, "ct", 10, 0, "S"},
    {58, "subCt", 5, 0, "S"},
    {63, "vl", 15, 0, "S"},
    {78, "acao", 1, 0, "S"},
    {79, "primeirodeschp", 1, 0, "S"},
    {80, "hp", 4, 0, "S"},
    {84, "deschp", 200, 0, "S"},
    {284, "grupoLct", 18, 0, "S"},
    {302, "cnpj", 14, 0, "S"},
    {316, "insEstadual", 14, 0, "S"},
    {330, "tipoCNPJ", 1, 0, "S"},
    {331, "ctOrigem", 30, 0, "S"},
    {361, "cnpjEmpresa", 14, 0, "S"},
    {375, "insEstadualEmpresa", 14, 0, "S"},
};

// Cost-centre line of an entry.
constexpr Passo kCC[] = {
    {1, "identificacao", 2, 0, "S"},
    {3, "empresa", 5, 0, "N"},
    {8, "filial", 5, 0, "N"},
    {13, "numLct", 25, 0, "S"},
    {38, "tp", 2, 0, "S"},
    {40, "codCC", 6, 0, "S"},
    {46, "vl", 15, 0, "S"},
    {61, "cnpjEmpresa", 14, 0, "S"},
    {75, "insEstadualEmpresa", 14, 0, "S"},
};

// Bill of an entry.
constexpr Passo kDuplicatas[] = {
    {1, "identificacao", 2, 0, "S"},
    {3, "empresa", 5, 0, "N"},
    {8, "filial", 5, 0, "N"},
    {13, "numLct", 25, 0, "S"},
    {38, "tp", 2, 0, "S"},
    {40, "numTit", 20, 0, "S"},
    {60, "vencTit", 8, 0, "S"},
    {68, "vl", 15, 0, "S"},
    {83, "tpTit", 2, 0, "S"},
    {85, "descTit", 100, 0, "S"},
    {185, "cnpjEmpresa", 14, 0, "S"},
    {199, "insEstadualEmpresa", 14, 0, "S"},
};

// Settlement line of an entry.
constexpr Passo kBaixa[] = {
    {1, "identificacao", 2, 0, "S"},
    {3, "empresa", 5, 0, "N"},
    {8, "filial", 5, 0, "N"},
    {13, "numLct", 25, 0, "S"},
    {38, "tp", 2, 0, "S"},
    {40, "codImp", 6, 0, "S"},
    {46, "dataFinalApurImp", 8, 0, "S"},
    {54, "parcela", 2, 0, "S"},
    {56, "tpVl", 2, 0, "S"},
    {58, "cnpjEmpresa", 14, 0, "S"},
    {72, "insEstadualEmpresa", 14, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"lancamentos", kLancamentos},
    {"cc", kCC},
    {"duplicatas", kDuplicatas},
    {"baixa", kBaixa},
};

}  // namespace

constexpr Compositor CompoeJB{.nome = "CompoeJB", .layouts = kLayouts};

extern constexpr Sistema sistemaJB{"JB", "lancamentos,cc,duplicatas,baixa", &CompoeJB};

}  // namespace lumbrava::catalogo
