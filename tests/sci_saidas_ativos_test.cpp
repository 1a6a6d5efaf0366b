// SCI, second composer of the chain: exit movements, fixed assets, inventory, the asset file
// (ativo00 to ativo30), F100 and the real-estate layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/operador.h"
#include "tests/apoio.h"

namespace lumbrava {
namespace {

TEST(SCISaidasEAtivos, FieldCountsAndRecordLengths) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  const struct {
    const char* nome;
    std::size_t campos;
    int tamanho;
  } casos[] = {
      {"ativoImobilizado", 46, 934},
      {"movimentosDeSaida", 260, 3087},
      {"inventario", 17, 1201},
      {"ativo00", 4, 218},
      {"ativo10", 49, 729},
      {"ativo20", 10, 85},
      {"ativo30", 6, 236},
      {"F100", 53, 851},
      {"OperacaoImobsPagamento", 30, 610},
      {"CadastroUnidadeImob", 20, 628},
      {"OperacoesImobs", 17, 546},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.nome);
    EXPECT_EQ(l->campos().size(), c.campos) << c.nome;
    EXPECT_EQ(l->TamanhoRegistro(), c.tamanho) << c.nome;
    // Side by side from column 1, no name repeated (case ignored).
    int coluna = 1;
    std::set<std::string> nomes;
    for (const auto& f : l->campos()) {
      EXPECT_EQ(f->inicio, coluna) << c.nome << "." << f->nome;
      coluna = f->fim + 1;
      std::string maiusculo = f->nome;
      std::transform(maiusculo.begin(), maiusculo.end(), maiusculo.begin(), ::toupper);
      EXPECT_TRUE(nomes.insert(maiusculo).second) << c.nome << "." << f->nome;
    }
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST(SCISaidasEAtivos, SelectedFields) {
  const struct {
    const char* layout;
    const char* campo;
    int inicio, fim, decimais;
    const char* tipo;
  } casos[] = {
      {"ativoImobilizado", "codBem", 1, 12, 0, "S"},
      {"ativoImobilizado", "funcionalidade", 452, 706, 0, "S"},
      {"ativoImobilizado", "metodoAprop", 934, 934, 0, "S"},
      {"movimentosDeSaida", "basecalcICMS", 92, 106, 2, "N"},
      {"movimentosDeSaida", "valorSubs", 178, 191, 2, "N"},
      {"movimentosDeSaida", "baseCalcIPI", 192, 206, 2, "N"},
      {"movimentosDeSaida", "modFrete", 1195, 1195, 0, "N"},
      {"movimentosDeSaida", "sereiNFdif", 1286, 1288, 2, "N"},
      {"movimentosDeSaida", "chaveNF", 2266, 2309, 0, "S"},
      {"movimentosDeSaida", "codTipoLigacao", 2790, 2790, 2, "N"},
      {"movimentosDeSaida", "baseCalcInciIPIeISSext", 3073, 3087, 2, "N"},
      {"inventario", "obsLancInvent", 126, 1125, 0, "S"},
      {"inventario", "quantidade", 43, 54, 4, "N"},
      {"ativo00", "CNPJEmpresa", 3, 16, 0, "N"},
      {"ativo10", "valorAquisicao", 289, 305, 0, "S"},
      {"F100", "aliqPis", 130, 135, 4, "N"},
      {"F100", "tipoServico", 758, 772, 2, "N"},
      {"F100", "codRedISS", 630, 633, 0, "S"},
      {"CadastroUnidadeImob", "fracaoIdeal", 414, 418, 4, "N"},
      {"OperacoesImobs", "valorComissao", 530, 546, 2, "N"},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.layout);
    const clLayoutCpo* f = l->LocalizaCampo(c.campo);
    ASSERT_NE(f, nullptr) << c.layout << "." << c.campo;
    EXPECT_EQ(f->nome, c.campo) << c.layout;  // exact spelling, not just case-insensitive
    EXPECT_EQ(f->inicio, c.inicio) << c.layout << "." << c.campo;
    EXPECT_EQ(f->fim, c.fim) << c.layout << "." << c.campo;
    EXPECT_EQ(f->decimais, c.decimais) << c.layout << "." << c.campo;
    EXPECT_EQ(f->tipo, c.tipo) << c.layout << "." << c.campo;
  }
}

// Layouts that pass "S" for every field: only the fields with decimals end up numeric.
TEST(SCISaidasEAtivos, TextLayoutsAreNumericOnlyWhereDecimals) {
  for (const char* nome : {"ativo10", "ativo20", "ativo30", "F100", "OperacaoImobsPagamento",
                           "CadastroUnidadeImob", "OperacoesImobs"}) {
    auto l = teste::Compoe("SCI", nome);
    for (const auto& f : l->campos()) {
      EXPECT_EQ(f->tipo, f->decimais > 0 ? "N" : "S") << nome << "." << f->nome;
    }
  }
}

TEST(SCISaidasEAtivos, TypeMixOfExitMovementsAndFixedAssets) {
  const struct {
    const char* nome;
    int textos, numericosSemDecimais, comDuasCasas;
  } casos[] = {{"movimentosDeSaida", 77, 13, 170}, {"ativoImobilizado", 24, 13, 9}};
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.nome);
    int textos = 0, numericos = 0, duasCasas = 0;
    for (const auto& f : l->campos()) {
      if (f->decimais == 2 && f->tipo == "N") {
        ++duasCasas;
      } else if (f->decimais == 0 && f->tipo == "N") {
        ++numericos;
      } else if (f->decimais == 0 && f->tipo == "S") {
        ++textos;
      } else {
        ADD_FAILURE() << c.nome << "." << f->nome << " " << f->tipo << "/" << f->decimais;
      }
    }
    EXPECT_EQ(textos, c.textos) << c.nome;
    EXPECT_EQ(numericos, c.numericosSemDecimais) << c.nome;
    EXPECT_EQ(duasCasas, c.comDuasCasas) << c.nome;
  }
}

TEST(SCISaidasEAtivos, LayoutSettings) {
  const struct {
    const char* nome;
    bool separaCasas;
  } casos[] = {
      {"ativoImobilizado", false},
      {"movimentosDeSaida", false},
      {"inventario", false},
      {"ativo00", false},
      {"ativo10", true},
      {"ativo20", true},
      {"ativo30", true},
      {"F100", false},
      {"OperacaoImobsPagamento", false},
      {"CadastroUnidadeImob", false},
      {"OperacoesImobs", false},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.nome);
    EXPECT_EQ(l->separaCasasDecimais, c.separaCasas) << c.nome;
    EXPECT_EQ(l->separadorCasasDecimais, ",") << c.nome;
    EXPECT_FALSE(l->virgulasNosNumericos) << c.nome;
    EXPECT_FALSE(l->espacoNosNumerosVazios) << c.nome;
    EXPECT_FALSE(l->espacoAdireitaNumeros) << c.nome;
    EXPECT_FALSE(l->separadorNoFinalDeCadaCampo) << c.nome;
    EXPECT_FALSE(l->leituraComPipe) << c.nome;
    for (const auto& f : l->campos()) {
      EXPECT_FALSE(f->configuracaoParticular) << c.nome << "." << f->nome;
      EXPECT_TRUE(f->operacao.empty()) << c.nome << "." << f->nome;
      EXPECT_TRUE(f->alinhamento.empty()) << c.nome << "." << f->nome;
      EXPECT_FALSE(f->semFormatacao) << c.nome << "." << f->nome;
      EXPECT_FALSE(f->eliminaEspacos) << c.nome << "." << f->nome;
    }
  }
}

TEST(SCISaidasEAtivos, QualifiedFields) {
  const struct {
    const char* nome;
    std::vector<std::string> qualificados;
  } casos[] = {
      {"ativoImobilizado", {}},
      {"movimentosDeSaida", {}},
      {"inventario", {"codProduto", "cnpjPossuidor", "codSpedInvent", "obsLancInvent", "cstICMS"}},
      {"ativo00", {}},
      {"ativo10", {}},
      {"ativo20", {}},
      {"ativo30", {}},
      {"F100", {}},
      {"OperacaoImobsPagamento",
       {"descEmpreendPai", "descUnidadeImobiliaria", "numContratoOp", "dataContratoOp",
        "CNPJAdquirente", "dataPagto", "ctCred", "ctDeb", "ctCredPIS", "ctDebitoPIS",
        "ctCredCOFINS", "ctDebCOFINS"}},
      {"CadastroUnidadeImob",
       {"descEmpreendPai", "descUnidImob", "endereçoUnidImob", "bairroUnidImob", "CEPUnidImob",
        "CNPJProprietario", "complEndereco", "email"}},
      {"OperacoesImobs",
       {"descEmpreendPai", "descUnidImob", "numContratoOpera", "dataContratoOpera",
        "dataDistratoOpera", "nomeAdquirente", "CPFAdquirente", "infoComple", "ctCred", "ctDeb"}},
  };
  for (const auto& c : casos) {
    auto l = teste::Compoe("SCI", c.nome);
    std::size_t encontrados = 0;
    for (const auto& f : l->campos()) {
      const bool qualificado =
          std::find(c.qualificados.begin(), c.qualificados.end(), f->nome) != c.qualificados.end();
      encontrados += qualificado ? 1 : 0;
      EXPECT_EQ(f->qualificador, qualificado ? "\"" : "") << c.nome << "." << f->nome;
    }
    EXPECT_EQ(encontrados, c.qualificados.size()) << c.nome;
  }
}

TEST(SCISaidasEAtivos, DelimitedRealEstateUnitQuotesItsTexts) {
  auto l = teste::Compoe("SCI", "CadastroUnidadeImob");
  // The address field is spelled with a cedilla; the plain spelling is another name.
  EXPECT_FALSE(l->ExisteCampo("enderecoUnidImob"));
  ASSERT_TRUE(l->InformaValor("endereçoUnidImob", "Rua das Flores"));
  ASSERT_TRUE(l->InformaValor("descEmpreendPai", "Residencial Sol"));
  ASSERT_TRUE(l->InformaValor("tipoEmpreend", "1"));
  ASSERT_TRUE(l->InformaValor("numUnidImob", "101"));
  const std::string linha = l->ExpandeLayoutDiv(";", "", true);
  EXPECT_EQ(linha.rfind("\"Residencial Sol\";1;;\"\";\"Rua das Flores\";101;", 0), 0u) << linha;
}

TEST(SCISaidasEAtivos, NamesComparedWholeAndCaseSensitive) {
  auto gravador = std::make_shared<teste::OperadorGravador>();
  OperadorTemporario guard(gravador);
  for (const char* nome :
       {"ativoimobilizado", "AtivoImobilizado", "ativoImobilizado ", "movimentosDeSaidas",
        "Inventario", "ativo0", "Ativo10", "ATIVO20", "ativo30 ", "f100", "F10", "operacoesImobs",
        "CadastroUnidadeImobs", "OperacaoImobs", ""}) {
    auto l = teste::Compoe("SCI", nome);
    EXPECT_TRUE(l->campos().empty()) << "'" << nome << "'";
    EXPECT_EQ(l->TamanhoRegistro(), 0) << "'" << nome << "'";
    EXPECT_FALSE(l->separaCasasDecimais) << "'" << nome << "'";
  }
  EXPECT_TRUE(gravador->mensagens.empty());
}

TEST(SCISaidasEAtivos, FixedAssetRecordRoundTrip) {
  auto l = teste::Compoe("SCI", "ativoImobilizado");
  const struct {
    const char* campo;
    const char* valor;
    int inicio;
    const char* colunas;  // what the record holds at the field's columns
    const char* lido;     // the value read back
  } casos[] = {
      {"codBem", "BEM-001", 1, "BEM-001     ", "BEM-001     "},  // text is read untrimmed
      {"numOrdem", "42", 13, "00000042", "42"},
      {"valorAquisicao", "1234,56", 246, "000123456", "1234,56"},
      {"valorICMS", "12,5", 255, "000001250", "12,50"},
      {"exclusoesBase", "-10,5", 883, "-00000000001050", "-10,50"},
      {"aliqPIS", "1,65", 920, "000165", "1,65"},
      {"aliqCofins", "7,6", 928, "000760", "7,60"},
      {"metodoAprop", "L", 934, "L", "L"},
  };
  for (const auto& c : casos) ASSERT_TRUE(l->InformaValor(c.campo, c.valor)) << c.campo;

  const std::string registro = l->ExpandeLayout();
  ASSERT_EQ(registro.size(), 934u);
  for (const auto& c : casos) {
    const std::string colunas = c.colunas;
    EXPECT_EQ(registro.substr(static_cast<std::size_t>(c.inicio - 1), colunas.size()), colunas)
        << c.campo;
  }

  auto lido = teste::Compoe("SCI", "ativoImobilizado");
  ASSERT_TRUE(lido->PreencheLayoutApartirLinha(registro));
  for (const auto& c : casos) EXPECT_EQ(lido->pegaValor(c.campo), c.lido) << c.campo;
  EXPECT_EQ(lido->ExpandeLayout(), registro);
}

}  // namespace
}  // namespace lumbrava
