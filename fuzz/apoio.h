// What the fuzz targets share: a silent operator, the catalogue's layouts chosen by input bytes,
// and the way a broken property stops the run (libFuzzer then keeps the input as a crash).
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/operador.h"
#include "common/texto.h"
#include "layouts/cl_layout_reg.h"
#include "layouts/cl_produtos.h"

namespace lumbrava::fuzz {

// A text fit for a message: printable ASCII as it is, every other byte as \xNN; a long text
// shows its first 400 bytes.
inline std::string Mostra(std::string_view texto) {
  std::string saida = "\"";
  for (const char c : texto.substr(0, 400)) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\') {
      saida.push_back(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", b);
      saida += hex;
    }
  }
  saida += "\"";
  if (texto.size() > 400) {
    saida += "... (" + std::to_string(texto.size()) + " bytes)";
  }
  return saida;
}

[[noreturn]] inline void Falha(const std::string& oQue) {
  std::fprintf(stderr, "\n*** propriedade violada: %s\n", oQue.c_str());
  std::abort();
}

// For checks whose message costs nothing to build; the others test first and call Falha.
inline void Confere(bool condicao, const char* oQue) {
  if (!condicao) {
    Falha(oQue);
  }
}

// "System layout" for messages.
inline std::string NomeDoLayout(const clLayoutReg& layout) {
  return (layout.produto != nullptr ? layout.produto->identificador() + " " : std::string()) +
         layout.nomeRegistro;
}

// The fields whose values differ between two copies of one layout, one per line.
inline std::string ValoresDiferentes(const clLayoutReg& a, const clLayoutReg& b) {
  std::string saida;
  for (std::size_t i = 0; i < a.campos().size() && i < b.campos().size(); ++i) {
    const clLayoutCpo& x = *a.campos()[i];
    const clLayoutCpo& y = *b.campos()[i];
    if (x.valor != y.valor) {
      saida += "\n  " + x.nome + ": " + Mostra(x.valor) + " -> " + Mostra(y.valor);
    }
  }
  return saida;
}

// Nobody to tell: composition messages are not what the targets look at, and a question is
// answered "no" so that a layout stops asking.
class OperadorMudo final : public Operador {
 public:
  void Critico(std::string_view, std::string_view) override {}
  void Aviso(std::string_view, std::string_view) override {}
  bool PerguntaSimNao(std::string_view, std::string_view) override { return false; }
};

inline void Silencia() { DefineOperador(std::make_shared<OperadorMudo>()); }

// Every listed layout of every system, composed once through the catalogue.
class Catalogo {
 public:
  struct Sistema {
    std::string nome;
    std::vector<const clLayoutReg*> layouts;
  };

  Catalogo() {
    for (const std::string& s : clProdutos::Produtos()) {
      Sistema sistema{s, {}};
      for (const std::string& nome : clProdutos::LayoutsDoProduto(s)) {
        const clLayoutReg* l = produtos_.LocalizaCriaLayoutRegistro(s, nome);
        if (l == nullptr) {
          continue;
        }
        sistema.layouts.push_back(l);
        if (l->leituraComPipe) {
          comPipe_.push_back(l);
        }
      }
      if (!sistema.layouts.empty()) {
        sistemas_.push_back(std::move(sistema));
      }
    }
    if (sistemas_.empty()) {
      Falha("o catálogo não tem layouts");
    }
  }

  // The system by one byte, its layout by the next (each modulo the count); null for one more
  // system than the catalogue has, which stands for a layout of the input's making.
  const clLayoutReg* Escolhe(std::uint8_t sistema, std::uint8_t layout) const {
    const std::size_t i = sistema % (sistemas_.size() + 1);
    if (i == sistemas_.size()) {
      return nullptr;
    }
    const Sistema& s = sistemas_[i];
    return s.layouts[layout % s.layouts.size()];
  }

  // The name of the system Escolhe takes by the same byte; empty for the layout of the input's
  // making.
  std::string_view NomeDoSistema(std::uint8_t sistema) const {
    const std::size_t i = sistema % (sistemas_.size() + 1);
    return i < sistemas_.size() ? std::string_view(sistemas_[i].nome) : std::string_view();
  }

  // A layout that reads "|"-separated lines, by two bytes; null for one more than there are.
  const clLayoutReg* EscolheComPipe(std::uint8_t alto, std::uint8_t baixo) const {
    const std::size_t i = ((static_cast<unsigned>(alto) << 8U) | baixo) % (comPipe_.size() + 1);
    return i < comPipe_.size() ? comPipe_[i] : nullptr;
  }

 private:
  clProdutos produtos_;
  std::vector<Sistema> sistemas_;
  std::vector<const clLayoutReg*> comPipe_;
};

// A layout of the input's own making, for what the catalogue does not hold (yet): a byte for the
// number of fields, then three bytes a field (size; decimals and type; alignment, options and
// settings of its own). Appended as composers append, at the running column, with a blank column
// before a field now and then. Without `qualificadores` no field has one: reading "|" lines keeps
// a qualifier as part of the value. False when the input ends first.
inline bool CompoeDaEntrada(clLayoutReg& layout, const std::uint8_t*& p, const std::uint8_t* fim,
                            bool qualificadores) {
  static constexpr std::string_view kTipos[] = {"S", "C", "Cd", "Sd", "N", "D", "H", "V"};
  static constexpr std::string_view kSeparadores[] = {",", ".", "", ","};
  if (p == fim) {
    return false;
  }
  const unsigned campos = *p++ % 16U + 1U;
  layout.nomeRegistro = "daEntrada";
  for (unsigned i = 0; i < campos; ++i) {
    if (fim - p < 3) {
      return false;
    }
    const std::uint8_t a = p[0];
    const std::uint8_t b = p[1];
    const std::uint8_t c = p[2];
    p += 3;
    const std::string nome = "c" + std::to_string(i);
    const int tamanho = a % 24;
    // A blank column before the field (not before one of no columns, which would reach back).
    if ((c & 128U) != 0 && tamanho > 0) {
      layout.proximaColuna = (layout.proximaColuna == 0 ? 1 : layout.proximaColuna) + 1;
    }
    layout.AcrescentaCampoAppend(tamanho, nome, b % 5, kTipos[(b >> 3U) % 8],
                                 (c & 1U) != 0 ? "1" : "", (c & 2U) != 0 ? "D" : "", (c & 4U) != 0,
                                 qualificadores && (c & 8U) != 0 ? "\"" : "", (c & 16U) != 0);
    if ((c & 32U) != 0) {
      layout.AplicaConfiguracaoParticular(nome, (b & 64U) != 0, (a & 64U) != 0, (a & 128U) != 0,
                                          kSeparadores[(a >> 5U) & 3U], (c & 64U) != 0,
                                          (c & 4U) != 0);
    }
  }
  return true;
}

// A line that begins with the byte 0x1E is no record but the fields' values, in field order,
// separated by 0x1F (the way the tool's write command hands values over); true then. A field
// with an operation text keeps what reading gives it, since reading a fixed-width record never
// looks at its columns.
inline bool InformaValores(clLayoutReg& layout, std::string_view linha) {
  if (linha.empty() || linha.front() != '\x1E') {
    return false;
  }
  linha.remove_prefix(1);
  if (!layout.leituraComPipe) {
    layout.PreencheLayoutApartirLinha({});
  }
  for (const auto& campo : layout.campos()) {
    const auto p = linha.find('\x1F');
    if (layout.leituraComPipe || campo->operacao.empty()) {
      // Blanks around the value of a field that reading trims are not part of it.
      const std::string_view valor = linha.substr(0, p);
      campo->valor.assign(campo->eliminaEspacos ? Apara(valor) : valor);
    }
    linha = p == std::string_view::npos ? std::string_view() : linha.substr(p + 1);
  }
  return true;
}

// Layout-wide output settings from one byte: with the low bit clear the composer's stand; else
// the bits choose each flag and the decimal separator among those the catalogue uses.
inline void AjustaConfiguracoes(clLayoutReg& layout, std::uint8_t bits) {
  if ((bits & 1U) == 0) {
    return;
  }
  static constexpr std::string_view kSeparadores[] = {",", ".", ""};
  layout.separaCasasDecimais = (bits & 2U) != 0;
  layout.espacoNosNumerosVazios = (bits & 4U) != 0;
  layout.espacoAdireitaNumeros = (bits & 8U) != 0;
  layout.separadorNoFinalDeCadaCampo = (bits & 16U) != 0;
  layout.virgulasNosNumericos = (bits & 32U) != 0;
  layout.separadorCasasDecimais = std::string(kSeparadores[(bits >> 6U) % 3]);
}

}  // namespace lumbrava::fuzz
