// SCI, second composer of the chain: exit movements, fixed assets, inventory, the asset file, F100
// and the real-estate layouts.
#include <gtest/gtest.h>

#include <string>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

// Widths and spellings that break the pattern of their neighbours, and text passed with decimals
// stored as numbers.
TEST(SCISaidasEAtivos, IrregularRows) {
  auto saida = teste::Compoe("SCI", "movimentosDeSaida");
  EXPECT_EQ(teste::Forma(*saida, "basecalcICMS"), "92-106 2 N");
  EXPECT_EQ(teste::Forma(*saida, "valorSubs"), "178-191 2 N");
  EXPECT_EQ(teste::Forma(*saida, "baseCalcIPI"), "192-206 2 N");
  EXPECT_EQ(teste::Forma(*saida, "sereiNFdif"), "1286-1288 2 N");
  EXPECT_EQ(teste::Forma(*saida, "modFrete"), "1195-1195 0 N");
  EXPECT_EQ(teste::Forma(*teste::Compoe("SCI", "ativo10"), "valorAquisicao"), "289-305 0 S");
  auto f100 = teste::Compoe("SCI", "F100");
  EXPECT_EQ(teste::Forma(*f100, "aliqPis"), "130-135 4 N");
  EXPECT_EQ(teste::Forma(*f100, "tipoServico"), "758-772 2 N");
  EXPECT_EQ(teste::Forma(*teste::Compoe("SCI", "CadastroUnidadeImob"), "fracaoIdeal"),
            "414-418 4 N");
}

// The address field's name holds a cedilla; the plain spelling is another name.
TEST(SCISaidasEAtivos, DelimitedRealEstateUnitQuotesItsTexts) {
  auto l = teste::Compoe("SCI", "CadastroUnidadeImob");
  EXPECT_FALSE(l->ExisteCampo("enderecoUnidImob"));
  ASSERT_TRUE(l->InformaValor("endereçoUnidImob", "Rua São João"));
  ASSERT_TRUE(l->InformaValor("descEmpreendPai", "Residencial Sol"));
  ASSERT_TRUE(l->InformaValor("tipoEmpreend", "1"));
  ASSERT_TRUE(l->InformaValor("numUnidImob", "101"));
  const std::string esperado = "\"Residencial Sol\";1;;\"\";\"Rua São João\";101;";
  EXPECT_EQ(l->ExpandeLayoutDiv(";", "", true).substr(0, esperado.size()), esperado);
}

}  // namespace
}  // namespace lumbrava
