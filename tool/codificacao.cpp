#include "tool/codificacao.h"

#include <cerrno>
#include <stdexcept>

#include "common/texto.h"

namespace lumbrava {

namespace {
constexpr const char* kCp1252 = "WINDOWS-1252";
constexpr const char* kUtf8 = "UTF-8";
}  // namespace

Conversor::Conversor(const char* de, const char* para) : cd_(iconv_open(para, de)) {
  if (cd_ == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("iconv não converte de ") + de + " para " + para);
  }
}

Conversor::~Conversor() { iconv_close(cd_); }

bool Conversor::Converte(std::string_view entrada, std::string& saida) {
  iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh start for every text
  saida.resize(entrada.size() * 4 + 16);
  char* in = const_cast<char*>(entrada.data());
  std::size_t inLeft = entrada.size();
  char* out = saida.data();
  std::size_t outLeft = saida.size();
  while (inLeft > 0) {
    if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) {
      if (errno == E2BIG) {
        const std::size_t usado = static_cast<std::size_t>(out - saida.data());
        saida.resize(saida.size() * 2);
        out = saida.data() + usado;
        outLeft = saida.size() - usado;
        continue;
      }
      return false;
    }
  }
  saida.resize(static_cast<std::size_t>(out - saida.data()));
  return true;
}

Decodificador::Decodificador(Codificacao c)
    : codificacao_(c), conversor_(c == Codificacao::kUtf8 ? kUtf8 : kCp1252, kUtf8) {}

bool Decodificador::Decodifica(std::string_view linha, std::string& buffer,
                               std::string_view& utf8) {
  if (EhAscii(linha)) {
    utf8 = linha;
    return true;
  }
  if (codificacao_ == Codificacao::kUtf8) {
    utf8 = linha;
    return EhUtf8Valido(linha);
  }
  if (!conversor_.Converte(linha, buffer)) {
    return false;
  }
  utf8 = buffer;
  return true;
}

Codificador::Codificador(Codificacao c)
    : codificacao_(c), conversor_(kUtf8, c == Codificacao::kUtf8 ? kUtf8 : kCp1252) {}

bool Codificador::Codifica(std::string_view utf8, std::string& saida) {
  if (codificacao_ == Codificacao::kUtf8 || EhAscii(utf8)) {
    saida.assign(utf8);
    return true;
  }
  return conversor_.Converte(utf8, saida);
}

}  // namespace lumbrava
