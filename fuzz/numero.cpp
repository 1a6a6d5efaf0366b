// The number rules. Input: the field's size, its decimals and a settings byte, then a value.
// - FormataNumero never crashes; what it writes takes exactly the field's columns;
// - LeNumeroDoCampo with the same settings reads it back to the same number (the value rounded to
//   the field's decimals), which writes the very same text;
// - whatever number LeNumeroDoCampo reads from any text, FormataNumero writes in a field wide
//   enough;
// - a text read 16 bytes at once (inside a longer line, at its start or at its end) reads as it
//   does step by step.
#include "layouts/numero.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/texto.h"
#include "fuzz/apoio.h"

using lumbrava::FormataNumero;
using lumbrava::FormatoNumero;
using lumbrava::LeNumeroDoCampo;
using lumbrava::ResultadoNumero;
using lumbrava::fuzz::Falha;
using lumbrava::fuzz::Mostra;

namespace {

// The number at `decimais` decimals in `colunas` columns, enough for it: two texts of the same
// number give the same text.
bool Normaliza(std::string_view valor, int decimais, int colunas, std::string& saida) {
  FormatoNumero largo;
  largo.tamanho = colunas;
  largo.decimais = decimais;
  largo.escreveSeparador = true;
  return FormataNumero(valor, largo, saida) == ResultadoNumero::kOk;
}

std::string Descreve(const FormatoNumero& f) {
  return "tamanho " + std::to_string(f.tamanho) + ", decimais " + std::to_string(f.decimais) +
         ", separador " + (f.escreveSeparador ? "escrito " : "implícito ") + Mostra(f.separador) +
         (f.vazioEmBranco ? ", vazio em branco" : "") +
         (f.preencheComBrancos ? ", preenche com brancos" : "");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  if (tamanho < 3) {
    return 0;
  }
  static constexpr std::string_view kSeparadores[] = {",", ".", "", ","};
  FormatoNumero f;
  f.tamanho = dados[0] % 48;
  f.decimais = dados[1] % 13 - 1;  // -1: a layout's decimals are never negative, yet take it
  f.escreveSeparador = (dados[2] & 1U) != 0;
  f.vazioEmBranco = (dados[2] & 2U) != 0;
  f.preencheComBrancos = (dados[2] & 4U) != 0;
  f.separador = kSeparadores[(dados[2] >> 3U) & 3U];
  const std::string_view valor(reinterpret_cast<const char*>(dados + 3), tamanho - 3);

  // Any text a field may hold, read as a number, is a number the writer takes.
  std::string lido;
  std::string normal;
  const int colunas = 2 * static_cast<int>(valor.size()) + 64;
  if (LeNumeroDoCampo(valor, f.decimais, f.escreveSeparador, f.separador, lido) &&
      !Normaliza(lido, f.decimais, colunas, normal)) {
    Falha("o campo " + Mostra(valor) + " lido como " + Mostra(lido) + " não se escreve; " +
          Descreve(f));
  }

  // The same text at the start and at the end of a line that may be read whole.
  const bool lidoPassoAPasso =
      LeNumeroDoCampo(valor, f.decimais, f.escreveSeparador, f.separador, lido);
  const std::string linha = std::string(valor) + std::string(16, '#');
  for (const std::size_t onde : {std::size_t{0}, std::size_t{16}}) {
    const std::string emLinha = onde == 0 ? linha : std::string(16, '#') + std::string(valor);
    std::string texto(valor.size() + 64 + static_cast<std::size_t>(f.decimais + 1), '\0');
    bool temDecimais = false;
    const char* fim = lumbrava::EscreveNumeroDoCampo(
        texto.data(), std::string_view(emLinha).substr(onde, valor.size()),
        {f.decimais, f.escreveSeparador, f.separador}, emLinha, temDecimais);
    if (fim != nullptr) {
      texto.resize(static_cast<std::size_t>(fim - texto.data()));
    }
    if ((fim != nullptr) != lidoPassoAPasso || (fim != nullptr && texto != lido)) {
      Falha(Mostra(valor) + " lido de uma vez " + (fim != nullptr ? Mostra(texto) : "recusado") +
            ", passo a passo " + (lidoPassoAPasso ? Mostra(lido) : "recusado") + "; " +
            Descreve(f));
    }
  }

  std::string escrito = "inalterado";
  const ResultadoNumero r = FormataNumero(valor, f, escrito);
  if (r != ResultadoNumero::kOk) {
    if (escrito != "inalterado") {
      Falha("recusar " + Mostra(valor) + " mudou a saída para " + Mostra(escrito));
    }
    return 0;
  }
  if (lumbrava::ContaCaracteres(escrito) != static_cast<std::size_t>(f.tamanho)) {
    Falha(Mostra(valor) + " escrito " + Mostra(escrito) + "; " + Descreve(f));
  }
  if (!LeNumeroDoCampo(escrito, f.decimais, f.escreveSeparador, f.separador, lido)) {
    Falha(Mostra(valor) + " escrito " + Mostra(escrito) + " não se lê; " + Descreve(f));
  }
  std::string esperado;
  if (!Normaliza(valor, f.decimais, colunas, esperado) ||
      !Normaliza(lido, f.decimais, colunas, normal) || esperado != normal) {
    Falha(Mostra(valor) + " escrito " + Mostra(escrito) + " volta " + Mostra(lido) + "; " +
          Descreve(f));
  }
  std::string outra;
  if (FormataNumero(lido, f, outra) != ResultadoNumero::kOk || outra != escrito) {
    Falha(Mostra(valor) + " escrito " + Mostra(escrito) + ", lido " + Mostra(lido) +
          ", escrito outra vez " + Mostra(outra) + "; " + Descreve(f));
  }
  return 0;
}
