// "|"-separated records: any line read into the catalogue's layouts that read such lines. Input:
// two bytes that choose the layout (past the last one, the description of a layout follows,
// apoio.h), a settings byte, then the line (or values, apoio.h).
// - reading and writing never crash; writing throws nothing but ErroValor;
// - a record written "|a|b|c|" from what was read reads back, and the values read back write the
//   very same record.
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
  const clLayoutReg* modelo = catalogo.EscolheComPipe(dados[0], dados[1]);
  auto layout =
      modelo != nullptr ? std::make_unique<clLayoutReg>(*modelo) : std::make_unique<clLayoutReg>();
  if (modelo == nullptr) {
    if (!lumbrava::fuzz::CompoeDaEntrada(*layout, p, fim, /*qualificadores=*/false) || p == fim) {
      return 0;
    }
    layout->leituraComPipe = true;
  }
  lumbrava::fuzz::AjustaConfiguracoes(*layout, *p++);
  const std::string_view linha(reinterpret_cast<const char*>(p), static_cast<std::size_t>(fim - p));

  std::string erro;
  const bool leu = lumbrava::fuzz::InformaValores(*layout, linha) ||
                   layout->PreencheLayoutApartirLinha(linha, &erro);
  if (!leu && erro.empty()) {
    Falha(NomeDoLayout(*layout) + ": linha recusada sem mensagem");
  }
  try {
    (void)layout->ExpandeLayout();
  } catch (const ErroValor&) {
  }
  std::string registro;
  try {
    registro = layout->ExpandeLayoutDivBarra();
  } catch (const ErroValor&) {
    return 0;
  }
  if (!leu || !lumbrava::EhUtf8Valido(linha)) {
    return 0;
  }

  clLayoutReg relido(*layout);
  relido.LimpaValores();
  if (!relido.PreencheLayoutApartirLinha(registro, &erro)) {
    Falha(NomeDoLayout(*layout) + ": o registro escrito " + Mostra(registro) +
          " não se lê: " + erro);
  }
  std::string outro;
  try {
    outro = relido.ExpandeLayoutDivBarra();
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
