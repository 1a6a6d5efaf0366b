// Windows-1252 and UTF-8 record files. The whole input is one line.
// - bytes that decode from Windows-1252 encode back to the same bytes, and agree with the C
//   library's own CP1252 conversion when it is installed;
// - UTF-8 that encodes to Windows-1252 decodes back to the same text;
// - a line is taken as UTF-8 exactly when it is well-formed UTF-8, and a failure names a column
//   of the line.
#include "tool/codificacao.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/texto.h"
#include "fuzz/apoio.h"

using lumbrava::Codificacao;
using lumbrava::Codificador;
using lumbrava::Decodificador;
using lumbrava::FalhaCodificacao;
using lumbrava::fuzz::Falha;
using lumbrava::fuzz::Mostra;

namespace {

// The C library's conversion of the bytes from CP1252 to UTF-8; false when it refuses them or
// when the conversion is not installed (`existe` then false).
bool ConverteComIconv(std::string_view bytes, std::string& saida, bool& existe) {
  static const iconv_t cd = iconv_open("UTF-8", "CP1252");
  existe = cd != reinterpret_cast<iconv_t>(-1);
  if (!existe) {
    return false;
  }
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  saida.assign(bytes.size() * 4 + 4, '\0');
  char* entrada = const_cast<char*>(bytes.data());
  std::size_t resta = bytes.size();
  char* o = saida.data();
  std::size_t livre = saida.size();
  if (iconv(cd, &entrada, &resta, &o, &livre) == static_cast<std::size_t>(-1)) {
    return false;
  }
  saida.resize(saida.size() - livre);
  return true;
}

void ConfereColuna(const FalhaCodificacao& falha, std::string_view texto, const char* onde) {
  if (falha.coluna < 1 || falha.coluna > lumbrava::ContaCaracteres(texto) + 1) {
    Falha(std::string(onde) + ": a falha em " + Mostra(texto) + " aponta a coluna " +
          std::to_string(falha.coluna));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  const std::string_view linha(reinterpret_cast<const char*>(dados), tamanho);
  const Decodificador de1252(Codificacao::kWindows1252);
  const Codificador para1252(Codificacao::kWindows1252);
  const Decodificador deUtf8(Codificacao::kUtf8);

  // The line as Windows-1252.
  std::string buffer;
  std::string_view utf8;
  FalhaCodificacao falha;
  const bool decodificou = de1252.Decodifica(linha, buffer, utf8, &falha);
  std::string doIconv;
  bool existe = false;
  const bool iconvConverteu = ConverteComIconv(linha, doIconv, existe);
  if (existe && (decodificou != iconvConverteu || (decodificou && utf8 != doIconv))) {
    Falha(Mostra(linha) + " como Windows-1252: " +
          (decodificou ? Mostra(utf8) : "recusado na coluna " + std::to_string(falha.coluna)) +
          ", pela biblioteca C: " + (iconvConverteu ? Mostra(doIconv) : "recusado"));
  }
  if (decodificou) {
    if (!lumbrava::EhUtf8Valido(utf8)) {
      Falha(Mostra(linha) + " decodificado em UTF-8 malformado " + Mostra(utf8));
    }
    std::string volta;
    if (!para1252.Codifica(utf8, volta, &falha) || volta != linha) {
      Falha(Mostra(linha) + " decodificado " + Mostra(utf8) + " não volta: " + Mostra(volta));
    }
  } else {
    // Columns of Windows-1252 are bytes.
    if (falha.coluna < 1 || falha.coluna > linha.size() ||
        static_cast<unsigned char>(linha[falha.coluna - 1]) != falha.valor) {
      Falha(Mostra(linha) + " recusado na coluna " + std::to_string(falha.coluna));
    }
  }

  // The line as UTF-8.
  falha = {};
  const bool valido = deUtf8.Decodifica(linha, buffer, utf8, &falha);
  if (valido != lumbrava::EhUtf8Valido(linha)) {
    Falha(Mostra(linha) + (valido ? " aceito" : " recusado") + " como UTF-8");
  }
  if (valido && utf8 != linha) {
    Falha(Mostra(linha) + " em UTF-8 mudou para " + Mostra(utf8));
  }
  if (!valido) {
    ConfereColuna(falha, linha, "UTF-8");
  }

  // UTF-8 text encoded to Windows-1252 and back.
  std::string bytes;
  falha = {};
  if (para1252.Codifica(linha, bytes, &falha)) {
    if (!valido) {
      Falha(Mostra(linha) + " malformado, codificado " + Mostra(bytes));
    }
    if (!de1252.Decodifica(bytes, buffer, utf8) || utf8 != linha) {
      Falha(Mostra(linha) + " codificado " + Mostra(bytes) + " volta " + Mostra(utf8));
    }
  } else {
    ConfereColuna(falha, linha, "Windows-1252");
  }
  return 0;
}
