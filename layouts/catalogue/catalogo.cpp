#include "layouts/catalogo.h"

#include <array>

#include "layouts/cl_layout_reg.h"

namespace lumbrava {

std::span<const SistemaCatalogo> Catalogo::Sistemas() {
  static const std::array kSistemas{
      SistemaCatalogo{"PortPress", &clLayoutReg::CompoePortPress, "lancamentos,"},
      SistemaCatalogo{"Protheus", &clLayoutReg::CompoeProtheus,
                      "lancamentos,lancamentosNovo,cargaDeLotes,lancamentosLP003,lancamentosBREE,"
                      "lancamentosLctoPadrao,lancamentosFolha,"},
      SistemaCatalogo{"Questor", &clLayoutReg::CompoeQuestor,
                      "lancamentos,lancamentosCC,lancamentosSimples,registroXX,dupliPagA,dupliRecA,"
                      "duplicataB,duplicataC,reducaoZ,folha,lctoFisEntRetido,"
                      "questorEmpresarialLctosDiarios,questorEmpresarialCadastroClientes,"},
      SistemaCatalogo{"Radar", &clLayoutReg::CompoeRadar,
                      "lancamentos,folha,fiscal,lancamentosSeparador,"},
      SistemaCatalogo{"Rubi", &clLayoutReg::CompoeRubi, "folha,"},
      SistemaCatalogo{"SCI", &clLayoutReg::CompoeSCI,
                      "lancamentoComJuros,lancamentoSemRateio,lancamentoSemRateio2,"
                      "lancamentoComRateio,movimentosDeServicos,movimentosDeEntradas,"
                      "movimentosProdutos,cadastroProdutos,cadastroClientes,movimentosDeSaida,"
                      "baixaDup,lancamentoComCC,ativoImobilizado,inventario,ativo00,ativo10,"
                      "ativo20,ativo30,F100,OperacoesImobs,OperacaoImobsPagamento,"
                      "CadastroUnidadeImob,nfServico,cadastroContratosImob,"},
      // The asset layouts are listed with the underscores that the composer compares.
      SistemaCatalogo{"Unico", &clLayoutReg::CompoeUnico,
                      "lancamentos,bens-idEmpresa,bens-cadastro_bem,bens-dados_depre_bem,"
                      "bens-dados_baixa_bem,lancamentoComJuros"},
      SistemaCatalogo{"Cotepe", &clLayoutReg::CompoeCotepe,
                      "E01,E02,E03,E04,E05,E06,E07,E08,E09,E10,E11,E12,E13,E14,E15,E16,E17,E18,"
                      "E19,E20,E21,"},
  };
  return kSistemas;
}

}  // namespace lumbrava
