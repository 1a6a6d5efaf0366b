// DIMOB: the annual declaration of real-estate activities: the declarant, leases, developers'
// sales and brokered sales. Numbers are written without a decimal separator.
#include <string>

#include "layouts/catalogue/composicao.h"

namespace lumbrava::catalogo {

namespace {

// The rent, commission and tax of the months 1 to 12 (no leading zero), 42 columns a month.
constexpr int kMeses = 12;
void AcrescentaMeses(clLayoutReg& layout) {
  for (int mes = 1; mes <= kMeses; ++mes) {
    const std::string n = std::to_string(mes);
    layout.AcrescentaCampoAppend(14, "valorAluguel" + n, 0, "N");
    layout.AcrescentaCampoAppend(14, "valorComissao" + n, 0, "N");
    layout.AcrescentaCampoAppend(14, "valorImposto" + n, 0, "N");
  }
}
constexpr int kColunasMeses = kMeses * 3 * 14;

// clang-format off
// The declarant.
constexpr Passo kDados[] = {
    Define(&clLayoutReg::separaCasasDecimais, false),
    {1, "tipo", 3, 0, "S"},
    {4, "cnpjDeclarante", 14, 0, "N", kAlinhaDireita},
    {18, "anoCalendario", 4, 0, "N"},
    {22, "declaracaoRetificadora", 1, 0, "N"},
    {23, "numRecibo", 10, 0, "N"},
    {33, "situacaoEspecial", 1, 0, "N"},
    {34, "dataSituacaoEspecial", 8, 0, "N"},
    {42, "codSituacaoEspecial", 2, 0, "N"},
    {44, "nomeEmpresarial", 60, 0, "S"},
    {104, "cpfResponsavelRFB", 11, 0, "N"},
    {115, "enderecoContribuinte", 120, 0, "S"},
    {235, "ufContribuinte", 2, 0, "S"},
    {237, "municipioContribuinte", 4, 0, "N"},
    {241, "filler1", 20, 0, "S"},
    {261, "filler2", 10, 0, "S"},
};

// One lease: the parties, the contract, the rent, commission and tax of each month, the property.
constexpr Passo kLocacao[] = {
    Define(&clLayoutReg::separaCasasDecimais, false),
    {1, "tipo", 3, 0, "S"},
    {4, "cnpjDeclarante", 14, 0, "N"},
    {18, "anoCalendario", 4, 0, "N"},
    {22, "sequencialLocacao", 5, 0, "N"},
    {27, "cnpjLocador", 14, 0, "S"},
    {41, "nomeLocador", 60, 0, "S"},
    {101, "cnpjLocatario", 14, 0, "S"},
    {115, "nomeLocatario", 60, 0, "S"},
    {175, "numContrato", 6, 0, "S"},
    {181, "dataContrato", 8, 0, "S"},
    // clang-format on
    Rotina(189, kColunasMeses, AcrescentaMeses),
    // clang-format off
    {693, "tipoImovel", 1, 0, "S"},
    {694, "enderecoImovel", 60, 0, "S"},
    {754, "cepImovel", 8, 0, "N"},
    {762, "municipioImovel", 4, 0, "N"},
    {766, "filler1", 20, 0, "S"},
    {786, "ufImovel", 2, 0, "S"},
    {788, "filler2", 10, 0, "S"},
};

// One developer's sale.
constexpr Passo kIncorporacao[] = {
    Define(&clLayoutReg::separaCasasDecimais, false),
    {1, "tipo", 3, 0, "S"},
    {4, "cnpjDeclarante", 14, 0, "S"},
    {18, "anoCalendario", 4, 0, "S"},
    {22, "sequencialVenda", 5, 0, "N"},
    {27, "cnpjComprador", 14, 0, "S"},
    {41, "nomeComprador", 60, 0, "S"},
    {101, "numeroContrato", 6, 0, "S"},
    {107, "dataContrato", 8, 0, "N"},
    {115, "valorOperacao", 14, 0, "N"},
    {129, "valorPagoNoAno", 14, 0, "N"},
    {143, "tipoImovel", 1, 0, "S"},
    {144, "enderecoImovel", 60, 0, "S"},
    {204, "cepImovel", 8, 0, "S"},
    {212, "codigoMunicipio", 4, 0, "S"},
    {216, "filler1", 20, 0, "S"},
    {236, "ufImovel", 2, 0, "S"},
    {238, "filler2", 10, 0, "S"},
};

// One brokered sale.
constexpr Passo kIntermediacao[] = {
    Define(&clLayoutReg::separaCasasDecimais, false),
    {1, "tipo", 3, 0, "S"},
    {4, "cnpjDeclarante", 14, 0, "S"},
    {18, "anoCalendario", 4, 0, "S"},
    {22, "sequencialVenda", 5, 0, "N"},
    {27, "cnpjComprador", 14, 0, "S"},
    {41, "nomeComprador", 60, 0, "S"},
    {101, "cnpjVendedor", 14, 0, "S"},
    {115, "nomeVendedor", 60, 0, "S"},
    {175, "numeroContrato", 6, 0, "S"},
    {181, "dataContrato", 8, 0, "N"},
    {189, "valorVenda", 14, 0, "N"},
    {203, "valorComissao", 14, 0, "N"},
    {217, "tipoImovel", 1, 0, "S"},
    {218, "enderecoImovel", 60, 0, "S"},
    {278, "cepImovel", 8, 0, "S"},
    {286, "codigoMunicipio", 4, 0, "S"},
    {290, "filler1", 20, 0, "S"},
    {310, "ufImovel", 2, 0, "S"},
    {312, "filler2", 10, 0, "S"},
};
// clang-format on

constexpr Layout kLayouts[] = {
    {"dados", kDados},
    {"locacao", kLocacao},
    {"incorporacao", kIncorporacao},
    {"intermediacao", kIntermediacao},
};

}  // namespace

constexpr Compositor CompoeDIMOB{.nome = "CompoeDIMOB", .layouts = kLayouts};

extern constexpr Sistema sistemaDIMOB{"DIMOB", "dados,locacao,incorporacao,intermediacao",
                                      &CompoeDIMOB};

}  // namespace lumbrava::catalogo
