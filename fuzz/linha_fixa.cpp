// Fixed-width records: any line read into any layout of the catalogue. Input: the system's byte,
// the layout's byte (or, past the last system, the description of a layout, apoio.h), a settings
// byte, then the line (or values, apoio.h).
// - reading and writing never crash; writing throws nothing but ErroValor;
// - a record written from what was read has the layout's length, reads back, and the values read
//   back write the very same record.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "common/texto.h"
#include "fuzz/apoio.h"

using lumbrava::clLayoutReg;
using lumbrava::ErroValor;
using lumbrava::fuzz::Falha;
using lumbrava::fuzz::Mostra;
using lumbrava::fuzz::NomeDoLayout;

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  lumbrava::fuzz::Silencia();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  static const lumbrava::fuzz::Catalogo catalogo;
  if (tamanho < 3) {
    return 0;
  }
  const std::uint8_t* p = dados + 2;
  const std::uint8_t* const fim = dados + tamanho;
  const clLayoutReg* modelo = catalogo.Escolhe(dados[0], dados[1]);
  auto layout =
      modelo != nullptr ? std::make_unique<clLayoutReg>(*modelo) : std::make_unique<clLayoutReg>();
  if (modelo == nullptr) {
    --p;  // the layout's byte is the first of its description
    if (!lumbrava::fuzz::CompoeDaEntrada(*layout, p, fim, /*qualificadores=*/true) || p == fim) {
      return 0;
    }
  }
  layout->leituraComPipe = false;  // the same columns, read as a fixed-width record
  lumbrava::fuzz::AjustaConfiguracoes(*layout, *p++);
  const std::string_view linha(reinterpret_cast<const char*>(p), static_cast<std::size_t>(fim - p));

  std::string erro;
  const bool leu = lumbrava::fuzz::InformaValores(*layout, linha) ||
                   layout->PreencheLayoutApartirLinha(linha, &erro);
  if (!leu && erro.empty()) {
    Falha(NomeDoLayout(*layout) + ": linha recusada sem mensagem");
  }
  try {
    (void)layout->ExpandeLayoutDiv(";", "", true);
  } catch (const ErroValor&) {
  }
  std::string registro;
  try {
    registro = layout->ExpandeLayout();
  } catch (const ErroValor&) {
    return 0;
  }
  // Only a line that was read and is text (as the tool hands lines over) promises a round trip.
  if (!leu || !lumbrava::EhUtf8Valido(linha)) {
    return 0;
  }
  if (lumbrava::ContaCaracteres(registro) !=
      static_cast<std::size_t>(layout->ComprimentoRegistro())) {
    Falha(NomeDoLayout(*layout) + ": o registro " + Mostra(registro) + " não tem " +
          std::to_string(layout->ComprimentoRegistro()) + " caracteres");
  }

  clLayoutReg relido(*layout);
  relido.LimpaValores();
  if (!relido.PreencheLayoutApartirLinha(registro, &erro)) {
    Falha(NomeDoLayout(*layout) + ": o registro escrito " + Mostra(registro) +
          " não se lê: " + erro);
  }
  std::string outro;
  try {
    outro = relido.ExpandeLayout();
  } catch (const ErroValor& e) {
    Falha(NomeDoLayout(*layout) + ": o que se leu de " + Mostra(registro) +
          " não se escreve: " + e.what());
  }
  if (outro != registro) {
    Falha(NomeDoLayout(*layout) + ": " + Mostra(registro) + " relido escreve " + Mostra(outro) +
          lumbrava::fuzz::ValoresDiferentes(*layout, relido));
  }
  return 0;
}
