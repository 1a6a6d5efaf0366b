#include <gtest/gtest.h>

#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(Unico, FieldCountsAndRecordLengths) {
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
  } casos[] = {{"lancamentos", 11, 196},         {"bens-idEmpresa", 4, 218},
               {"bens-cadastro_bem", 49, 695},   {"bens-dados_depre_bem", 10, 76},
               {"bens-dados_baixa_bem", 6, 233}, {"lancamentoComJuros", 11, 322}};
  for (const auto& c : casos) {
    auto l = teste::Compoe("Unico", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
  }
}

}  // namespace
}  // namespace lumbrava
