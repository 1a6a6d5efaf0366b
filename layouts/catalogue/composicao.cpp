#include "layouts/catalogue/composicao.h"

#include <exception>
#include <new>
#include <stdexcept>

#include "common/registra_erro.h"

namespace lumbrava::catalogo {

void Executa(const Tabela& tabela, clLayoutReg& layout) {
  clLayoutCpo* ultimo = nullptr;  // the field the last row returned
  for (const Passo& p : tabela.passos()) {
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
      case Acao::kRotina: {
        // The routine must append the columns its step declares, or the rows after it would not
        // stand where their table says.
        const int antes = layout.proximaColuna == 0 ? 1 : layout.proximaColuna;
        p.rotina(layout);
        ultimo = nullptr;
        if (layout.proximaColuna != antes + p.tamanho) {
          throw std::logic_error("layout '" + layout.nomeRegistro + "': a rotina acrescentou " +
                                 std::to_string(layout.proximaColuna - antes) + " colunas, não " +
                                 std::to_string(p.tamanho));
        }
        break;
      }
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
  // The error's number, as the run time numbers its errors: 6 an overflow, 7 out of memory.
  ErroPendente erro;
  try {
    CompoeSemTrap(c, layout, registro);
    return;
  } catch (const std::overflow_error& e) {
    erro = {6, e.what()};
  } catch (const std::bad_alloc& e) {
    erro = {7, e.what()};
  } catch (const std::exception& e) {
    erro = {0, e.what()};
  } catch (...) {
    erro = {0, "erro desconhecido"};
  }
  RegistraErro(std::string(c.mensagemErro) + std::to_string(erro.numero) + "::" + erro.descricao,
               {}, {}, {}, {}, erro);
}

}  // namespace lumbrava::catalogo
