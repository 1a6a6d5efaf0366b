#include "layouts/numero.h"

#include <algorithm>
#include <cstring>

#include "common/texto.h"

namespace lumbrava {

namespace {

bool EhDigito(char c) { return c >= '0' && c <= '9'; }

void TiraZerosAEsquerda(std::string& d) {
  const auto p = d.find_first_not_of('0');
  d.erase(0, p == std::string::npos ? d.size() : p);
}

// Adds one unit to a string of digits ("999" -> "1000").
void SomaUm(std::string& d) {
  for (auto i = d.size(); i > 0; --i) {
    if (d[i - 1] != '9') {
      ++d[i - 1];
      return;
    }
    d[i - 1] = '0';
  }
  d.insert(d.begin(), '1');
}

}  // namespace

std::optional<Decimal> InterpretaNumero(std::string_view texto) {
  texto = Apara(texto);
  if (texto.empty()) {
    return std::nullopt;
  }
  Decimal n;
  if (texto.front() == '+' || texto.front() == '-') {
    n.negativo = texto.front() == '-';
    texto.remove_prefix(1);
  }
  bool separador = false;
  bool algumDigito = false;
  std::string digitos;
  digitos.reserve(texto.size());
  for (const char c : texto) {
    if (EhDigito(c)) {
      digitos.push_back(c);
      algumDigito = true;
      if (separador) {
        ++n.casas;
      }
    } else if ((c == ',' || c == '.') && !separador) {
      separador = true;
    } else {
      return std::nullopt;
    }
  }
  if (!algumDigito) {
    return std::nullopt;
  }
  TiraZerosAEsquerda(digitos);
  n.digitos = std::move(digitos);
  if (n.EhZero()) {
    n.negativo = false;
  }
  return n;
}

Decimal Arredonda(const Decimal& numero, int casas) {
  casas = std::max(casas, 0);
  Decimal r = numero;
  if (r.casas < casas) {
    if (!r.EhZero()) {
      r.digitos.append(static_cast<std::size_t>(casas - r.casas), '0');
    }
    r.casas = casas;
    return r;
  }
  if (r.casas == casas) {
    return r;
  }
  const auto cortar = static_cast<std::size_t>(r.casas - casas);
  // The digits with enough leading zeros that the cut always leaves at least one place.
  std::string d = std::string(cortar + 1, '0') + r.digitos;
  const char primeiroCortado = d[d.size() - cortar];
  d.resize(d.size() - cortar);
  if (primeiroCortado >= '5') {
    SomaUm(d);
  }
  TiraZerosAEsquerda(d);
  r.digitos = std::move(d);
  r.casas = casas;
  if (r.EhZero()) {
    r.negativo = false;
  }
  return r;
}

std::string TextoDoNumero(const Decimal& numero, int casasMinimas) {
  const Decimal n = Arredonda(numero, std::max(numero.casas, casasMinimas));
  const auto casas = static_cast<std::size_t>(n.casas);
  std::string d = n.digitos;
  if (d.size() < casas + 1) {
    d.insert(0, casas + 1 - d.size(), '0');
  }
  std::string texto = n.negativo ? "-" : "";
  texto.append(d, 0, d.size() - casas);
  if (casas > 0) {
    texto.push_back(',');
    texto.append(d, d.size() - casas, casas);
  }
  return texto;
}

ResultadoNumero FormataNumero(std::string_view valor, const FormatoNumero& formato,
                              std::string& saida) {
  const auto tamanho = static_cast<std::size_t>(std::max(formato.tamanho, 0));
  Decimal numero;
  if (!Apara(valor).empty()) {
    auto lido = InterpretaNumero(valor);
    if (!lido) {
      return ResultadoNumero::kNaoEhNumero;
    }
    numero = Arredonda(*lido, formato.decimais);
  } else {
    numero.casas = std::max(formato.decimais, 0);
  }
  if (numero.EhZero() && formato.vazioEmBranco) {
    saida.assign(tamanho, ' ');
    return ResultadoNumero::kOk;
  }

  const auto casas = static_cast<std::size_t>(numero.casas);
  std::string corpo;
  std::size_t larguraCorpo = 0;  // in characters: the separator may be more than one byte
  const bool comSeparador = formato.escreveSeparador && casas > 0 && !formato.separador.empty();
  if (comSeparador) {
    std::string d = numero.digitos;
    if (d.size() < casas + 1) {
      d.insert(0, casas + 1 - d.size(), '0');
    }
    corpo.assign(d, 0, d.size() - casas);
    corpo.append(formato.separador);
    corpo.append(d, d.size() - casas, casas);
    larguraCorpo = d.size() + ContaCaracteres(formato.separador);
    const std::size_t sinal = numero.negativo ? 1 : 0;
    if (larguraCorpo + sinal > tamanho && d.size() == casas + 1 && d.front() == '0') {
      corpo.erase(0, 1);  // ",50": the zero integer part gives way
      --larguraCorpo;
    }
  } else {
    corpo = numero.digitos.empty() ? "0" : numero.digitos;
    larguraCorpo = corpo.size();
  }

  if (numero.EhZero() && larguraCorpo > tamanho) {
    corpo = "0";  // a zero that cannot show its decimals is still zero: the field in zeros
    larguraCorpo = 1;
  }
  const std::size_t sinal = numero.negativo ? 1 : 0;
  if (larguraCorpo + sinal > tamanho) {
    return ResultadoNumero::kNaoCabe;
  }
  const std::size_t folga = tamanho - larguraCorpo - sinal;
  std::string texto;
  texto.reserve(tamanho + 4);
  if (formato.vazioEmBranco || formato.preencheComBrancos) {
    texto.append(folga, ' ');
    if (numero.negativo) {
      texto.push_back('-');
    }
  } else {
    if (numero.negativo) {
      texto.push_back('-');
    }
    texto.append(folga, '0');
  }
  texto.append(corpo);
  saida = std::move(texto);
  return ResultadoNumero::kOk;
}

namespace {

// The common case of a field read from its columns: blanks around digits, nothing else. Writes
// the number's text in one go; false when the text is not of that form.
bool SoDigitos(std::string_view texto, std::size_t casas, bool implicitas, std::string& saida) {
  const char* p = texto.data();
  const char* const fim = p + texto.size();
  for (const char* q = p; q < fim; ++q) {
    if (static_cast<unsigned char>(*q - '0') > 9) {
      return false;
    }
  }
  std::size_t nInteiros = texto.size();
  std::size_t nFracao = 0;
  std::size_t zerosAntes = 0;
  if (implicitas && casas > 0) {
    if (nInteiros > casas) {
      nInteiros -= casas;
      nFracao = casas;
    } else {
      nFracao = nInteiros;
      zerosAntes = casas - nInteiros;
      nInteiros = 0;
    }
  }
  const char* inteiros = p;
  while (nInteiros > 0 && *inteiros == '0') {
    ++inteiros;
    --nInteiros;
  }
  const std::size_t nDecimais = zerosAntes + nFracao;
  const std::size_t zerosDepois = nDecimais < casas ? casas - nDecimais : 0;
  const std::size_t totalDecimais = nDecimais + zerosDepois;
  saida.resize((nInteiros == 0 ? 1 : nInteiros) + (totalDecimais > 0 ? totalDecimais + 1 : 0));
  char* o = saida.data();
  if (nInteiros == 0) {
    *o++ = '0';
  } else {
    std::memcpy(o, inteiros, nInteiros);
    o += nInteiros;
  }
  if (totalDecimais > 0) {
    *o++ = ',';
    std::memset(o, '0', zerosAntes);
    o += zerosAntes;
    std::memcpy(o, fim - nFracao, nFracao);
    o += nFracao;
    std::memset(o, '0', zerosDepois);
  }
  return true;
}

}  // namespace

bool LeNumeroDoCampo(std::string_view texto, int decimais, bool separadorEscrito,
                     std::string_view separador, std::string& saida) {
  saida.clear();
  texto = Apara(texto);
  if (texto.empty()) {
    return true;
  }
  if (SoDigitos(texto, static_cast<std::size_t>(std::max(decimais, 0)), !separadorEscrito,
                saida)) {
    return true;
  }
  saida.clear();
  bool negativo = false;
  if (texto.front() == '+' || texto.front() == '-') {
    negativo = texto.front() == '-';
    texto.remove_prefix(1);
  }
  // One pass: the integer digits, then, after a separator, the decimals.
  const bool separadorProprio = !separador.empty() && separador != "," && separador != ".";
  std::string_view inteiros;
  std::string_view fracao;
  std::size_t zerosAntes = 0;  // zeros before the decimals read (implied decimals, short text)
  bool temSeparador = false;
  std::size_t i = 0;
  std::size_t inicioFracao = 0;
  while (i < texto.size()) {
    const char c = texto[i];
    if (c >= '0' && c <= '9') {
      ++i;
      continue;
    }
    std::size_t largura = 0;
    if (c == ',' || c == '.') {
      largura = 1;
    } else if (separadorProprio && texto.substr(i, separador.size()) == separador) {
      largura = separador.size();
    }
    if (largura == 0 || temSeparador) {
      return false;
    }
    temSeparador = true;
    inteiros = texto.substr(0, i);
    i += largura;
    inicioFracao = i;
  }
  if (temSeparador) {
    fracao = texto.substr(inicioFracao);
  } else {
    inteiros = texto;
    if (!separadorEscrito && decimais > 0) {  // implied decimals
      const auto casas = static_cast<std::size_t>(decimais);
      if (inteiros.size() > casas) {
        fracao = inteiros.substr(inteiros.size() - casas);
        inteiros = inteiros.substr(0, inteiros.size() - casas);
      } else {
        fracao = inteiros;
        inteiros = {};
        zerosAntes = casas - fracao.size();
      }
    }
  }
  if (inteiros.empty() && fracao.empty()) {
    return false;
  }
  const auto minimo = static_cast<std::size_t>(std::max(decimais, 0));
  const std::size_t lidas = zerosAntes + fracao.size();
  const std::size_t zerosDepois = lidas < minimo ? minimo - lidas : 0;
  while (!inteiros.empty() && inteiros.front() == '0') {
    inteiros.remove_prefix(1);
  }
  bool zero = inteiros.empty();
  for (const char c : fracao) {
    zero = zero && c == '0';
  }
  if (negativo && !zero) {
    saida.push_back('-');
  }
  if (inteiros.empty()) {
    saida.push_back('0');
  } else {
    saida.append(inteiros);
  }
  if (lidas + zerosDepois > 0) {
    saida.push_back(',');
    saida.append(zerosAntes, '0');
    saida.append(fracao);
    saida.append(zerosDepois, '0');
  }
  return true;
}

std::optional<std::string> LeNumeroDoCampo(std::string_view texto, int decimais,
                                           bool separadorEscrito, std::string_view separador) {
  std::string saida;
  if (!LeNumeroDoCampo(texto, decimais, separadorEscrito, separador, saida)) {
    return std::nullopt;
  }
  return saida;
}

}  // namespace lumbrava
