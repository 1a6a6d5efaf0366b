#include "layouts/catalogue/composicao.h"

#include <exception>

#include "common/registra_erro.h"

namespace lumbrava::catalogo {

void Executa(std::span<const Passo> passos, clLayoutReg& layout) {
  clLayoutCpo* ultimo = nullptr;  // the field the last row returned
  for (const Passo& p : passos) {
    switch (p.acao) {
      case Acao::kCampo:
        ultimo = layout.AcrescentaCampoAppend(
            p.tamanho, p.nome, p.decimais, p.tipo, p.outros.operacao, p.outros.alinhamento,
            p.outros.semFormatacao, p.outros.qualificador, p.outros.eliminaEspacos);
        break;
      case Acao::kDefineBool:
        layout.*p.membroBool = p.valor;
        break;
      case Acao::kDefineTexto:
        layout.*p.membroTexto = std::string(p.tipo);
        break;
      case Acao::kParticular:
        layout.AplicaConfiguracaoParticular(p.nome, p.separaCasasDecimais, p.espacoNosNumerosVazios,
                                            p.espacoAdireitaNumeros, p.separadorCasasDecimais,
                                            p.separadorNoFinalDeCadaCampo, p.semFormatacao);
        break;
      case Acao::kAlinha:
        // The row before ended on conflicting columns and returned no field: there is nothing to
        // write on, which ends the composition.
        if (ultimo == nullptr) {
          throw std::logic_error("layout '" + layout.nomeRegistro + "': campo '" +
                                 std::string(p.nome) + "' não foi acrescentado");
        }
        ultimo->alinhamento = std::string(p.tipo);
        break;
      case Acao::kRotina:
        p.rotina(layout);
        ultimo = nullptr;
        break;
    }
  }
}

namespace {

void CompoeSemTrap(const Compositor& c, clLayoutReg& layout, const std::string& registro) {
  Executa(c.antes, layout);
  const Layout* achado = nullptr;
  for (const Layout& l : c.layouts) {
    if (l.nome == registro) {
      achado = &l;
      break;
    }
  }
  if (achado != nullptr) {
    Executa(achado->passos, layout);
  } else if (c.seguinte != nullptr) {
    Compoe(*c.seguinte, layout, registro);
  }
  if (c.fechamento != nullptr) {
    c.fechamento(layout, registro);
  }
}

}  // namespace

void Compoe(const Compositor& c, clLayoutReg& layout, const std::string& registro) {
  if (c.mensagemErro.empty()) {
    CompoeSemTrap(c, layout, registro);
    return;
  }
  try {
    CompoeSemTrap(c, layout, registro);
  } catch (const std::exception& e) {
    RegistraErro(c.mensagemErro, {}, {}, {}, {}, ErroPendente{0, e.what()});
  } catch (...) {
    RegistraErro(c.mensagemErro, {}, {}, {}, {}, ErroPendente{0, "erro desconhecido"});
  }
}

}  // namespace lumbrava::catalogo
