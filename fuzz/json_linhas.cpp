// JSON Lines input: the whole input is one line for LeObjetoJson.
// - reading never crashes;
// - what it takes agrees with a plain parse of the same text: the same names in the same order,
//   strings as they are, null empty, numbers in decimals of the same value; and a flat object of
//   strings, numbers and nulls with names distinct ignoring case is taken, unless a number is
//   too large to write out;
// - the pairs written again as a JSON object of strings read back to the same pairs.
#include "tool/json_linhas.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/texto.h"
#include "fuzz/apoio.h"

using lumbrava::fuzz::Falha;
using lumbrava::fuzz::Mostra;
using Pares = std::vector<std::pair<std::string, std::string>>;

namespace {

// "-12,5": a sign, integer digits without leading zeros (at least "0"), and decimals without
// trailing zeros after a comma.
bool EhDecimal(std::string_view d) {
  if (!d.empty() && d.front() == '-') {
    d.remove_prefix(1);
  }
  const auto virgula = d.find(',');
  const std::string_view inteiros = d.substr(0, virgula);
  if (inteiros.empty() || inteiros.find_first_not_of("0123456789") != std::string_view::npos ||
      (inteiros.size() > 1 && inteiros.front() == '0')) {
    return false;
  }
  if (virgula == std::string_view::npos) {
    return true;
  }
  const std::string_view decimais = d.substr(virgula + 1);
  return !decimais.empty() && decimais.find_first_not_of("0123456789") == std::string_view::npos &&
         decimais.back() != '0';
}

// The decimal's value as a double, by the C library's own correctly rounded reading.
double ValorDoDecimal(std::string d) {
  for (char& c : d) {
    c = c == ',' ? '.' : c;
  }
  return std::strtod(d.c_str(), nullptr);
}

void ConfereValor(const std::string& nome, const nlohmann::ordered_json& v, const std::string& lido,
                  std::string_view linha) {
  const auto falha = [&](const std::string& porque) {
    Falha("linha " + Mostra(linha) + ", nome " + Mostra(nome) + ": " + Mostra(lido) + " " + porque);
  };
  if (v.is_null()) {
    if (!lido.empty()) {
      falha("lido de null");
    }
  } else if (v.is_string()) {
    if (lido != v.get_ref<const std::string&>()) {
      falha("no lugar de " + Mostra(v.get_ref<const std::string&>()));
    }
  } else if (v.is_number()) {
    if (!EhDecimal(lido)) {
      falha("não é um decimal");
    }
    const double esperado = v.get<double>();
    const double obtido = ValorDoDecimal(lido);
    if (!(esperado == obtido) && !(std::isinf(esperado) && std::isinf(obtido))) {
      falha("não vale " + v.dump());
    }
  } else {
    falha("foi aceito de um valor " + std::string(v.type_name()));
  }
}

// Whether the text holds an exponent of more than a thousand ("1e1001", "5E-0002000").
bool TemExpoenteLongo(std::string_view texto) {
  for (std::size_t i = 0; i < texto.size(); ++i) {
    if (texto[i] != 'e' && texto[i] != 'E') {
      continue;
    }
    std::size_t k = i + 1;
    if (k < texto.size() && (texto[k] == '+' || texto[k] == '-')) {
      ++k;
    }
    while (k < texto.size() && texto[k] == '0') {
      ++k;
    }
    std::string digitos;
    while (k < texto.size() && texto[k] >= '0' && texto[k] <= '9') {
      digitos.push_back(texto[k++]);
    }
    if (digitos.size() > 4 || (digitos.size() == 4 && digitos > "1000")) {
      return true;
    }
  }
  return false;
}

// A flat object whose values are strings, numbers or null, its names distinct ignoring case.
bool Aceitavel(const nlohmann::ordered_json& j) {
  if (!j.is_object()) {
    return false;
  }
  std::set<std::string> nomes;
  for (const auto& [nome, valor] : j.items()) {
    if (!(valor.is_string() || valor.is_number() || valor.is_null()) ||
        !nomes.insert(lumbrava::Maiusculas(nome)).second) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  lumbrava::fuzz::Silencia();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  const std::string_view linha(reinterpret_cast<const char*>(dados), tamanho);
  Pares pares;
  std::string problema;
  const bool leu = lumbrava::LeObjetoJson(linha, pares, problema);
  if (!leu && problema.empty()) {
    Falha("linha " + Mostra(linha) + " recusada sem mensagem");
  }
  // A parse that keeps the order of the names; a repeated name keeps its place and its last
  // value, so the names are counted as they come.
  std::size_t nomesLidos = 0;
  const auto j = nlohmann::ordered_json::parse(
      linha,
      [&](int profundidade, nlohmann::ordered_json::parse_event_t evento,
          nlohmann::ordered_json& /*valor*/) {
        nomesLidos += profundidade == 1 && evento == nlohmann::ordered_json::parse_event_t::key;
        return true;
      },
      /*allow_exceptions=*/false);
  if (!leu) {
    // A number too large to write out is refused, and the message names it.
    if (Aceitavel(j) && nomesLidos == j.size() &&
        !(TemExpoenteLongo(linha) && problema.find("grande demais") != std::string::npos)) {
      Falha("linha " + Mostra(linha) + " recusada: " + problema);
    }
    return 0;
  }
  if (!j.is_object() || j.size() != pares.size()) {
    Falha("linha " + Mostra(linha) + " aceita com " + std::to_string(pares.size()) +
          " pares, mas é " + j.dump());
  }
  std::size_t i = 0;
  for (const auto& [nome, valor] : j.items()) {
    if (pares[i].first != nome) {
      Falha("linha " + Mostra(linha) + ": o nome " + std::to_string(i) + " é " +
            Mostra(pares[i].first) + ", não " + Mostra(nome));
    }
    ConfereValor(nome, valor, pares[i].second, linha);
    ++i;
  }

  std::string escrito = "{";
  for (const auto& [nome, valor] : pares) {
    if (escrito.size() > 1) {
      escrito += ',';
    }
    escrito += nlohmann::json(nome).dump() + ":" + nlohmann::json(valor).dump();
  }
  escrito += "}";
  Pares relidos;
  if (!lumbrava::LeObjetoJson(escrito, relidos, problema)) {
    Falha("o objeto escrito " + Mostra(escrito) + " não se lê: " + problema);
  }
  if (relidos != pares) {
    Falha("o objeto escrito " + Mostra(escrito) + " volta com outros pares");
  }
  return 0;
}
