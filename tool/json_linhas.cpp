#include "tool/json_linhas.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <nlohmann/json.hpp>
#include <set>

#include "common/texto.h"
#include "common/visivel.h"

namespace lumbrava {

namespace {

constexpr const char* kNaoEhObjeto = "não é um objeto JSON";
constexpr long long kMaiorOrdem = 1000;    // of a number written out: 10^1000 and 10^-1000
constexpr int kNumeroForaDoAlcance = 406;  // the parser's "number overflow"

// Takes the events of one flat object and keeps its members.
class LeitorObjeto final : public nlohmann::json_sax<nlohmann::json> {
 public:
  LeitorObjeto(std::vector<std::pair<std::string, std::string>>& pares,
               std::vector<std::string>* numeros, std::size_t maximo)
      : pares_(pares), numeros_(numeros), maximo_(maximo) {}
  std::string problema;

  bool null() override { return Valor(""); }
  bool boolean(bool /*valor*/) override { return Recusa("o valor deve ser texto, número ou null"); }
  bool number_integer(number_integer_t valor) override {
    std::string texto = std::to_string(valor);
    return Valor(texto, texto);
  }
  bool number_unsigned(number_unsigned_t valor) override {
    std::string texto = std::to_string(valor);
    return Valor(texto, texto);
  }
  bool number_float(number_float_t /*valor*/, const string_t& texto) override {
    std::string decimal;
    if (!NumeroJsonComoDecimal(texto, decimal)) {
      return GrandeDemais(texto);
    }
    return Valor(std::move(decimal), texto);
  }
  bool string(string_t& valor) override { return Valor(std::move(valor)); }
  bool binary(binary_t& /*valor*/) override { return Recusa("valor binário"); }
  bool start_object(std::size_t /*elementos*/) override {
    if (++nivel_ > 1) {
      return Recusa("o valor deve ser texto, número ou null");
    }
    return true;
  }
  bool key(string_t& chave) override {
    if (pares_.size() >= maximo_) {
      problema = "o objeto tem mais nomes que os " + std::to_string(maximo_) + " campos do layout";
      return false;
    }
    if (!vistas_.insert(Maiusculas(chave)).second) {
      problema = "o nome '" + chave + "' aparece duas vezes no objeto";
      return false;
    }
    chave_ = std::move(chave);
    temChave_ = true;
    emValor_ = nivel_ == 1;
    return true;
  }
  bool end_object() override {
    --nivel_;
    return true;
  }
  bool start_array(std::size_t /*elementos*/) override {
    return nivel_ == 0 ? Recusa("") : Recusa("o valor deve ser texto, número ou null");
  }
  bool end_array() override { return true; }
  bool parse_error(std::size_t /*posicao*/, const std::string& token,
                   const nlohmann::detail::exception& erro) override {
    // A number beyond the binary range (1e400) is valid JSON: what is wrong is its size.
    if (erro.id == kNumeroForaDoAlcance && problema.empty() && nivel_ == 1 && temChave_) {
      return GrandeDemais(token);
    }
    if (problema.empty()) {
      // What the parser found wrong inside a string, a value's or a name's.
      const std::string_view motivo = erro.what();
      if (motivo.find("UTF-8") != std::string_view::npos) {
        problema = NaString("o texto não é UTF-8");
      } else if (motivo.find("surrogate") != std::string_view::npos) {
        problema = NaString(
            "o texto tem um substituto UTF-16 sem par (\\uD800 a \\uDFFF só valem em pares)");
      } else {
        problema = kNaoEhObjeto;
      }
    }
    return false;
  }

 private:
  // What was wrong in a string, named by where it stands: a value names its field, a name the one
  // before it.
  std::string NaString(const std::string& motivo) const {
    if (emValor_) {
      return "campo '" + chave_ + "': " + motivo;
    }
    if (nivel_ != 1) {
      return motivo;
    }
    return (pares_.empty() ? std::string("o primeiro nome do objeto")
                           : "o nome depois de '" + pares_.back().first + "'") +
           ": " + motivo;
  }
  bool Valor(std::string valor, std::string_view numero = {}) {
    if (nivel_ != 1) {
      return Recusa("");
    }
    emValor_ = false;
    pares_.emplace_back(std::move(chave_), std::move(valor));
    if (numeros_ != nullptr) {
      numeros_->emplace_back(numero);
    }
    return true;
  }
  bool GrandeDemais(std::string_view numero) {
    return Recusa("o número '" + TrechoVisivel(numero) + "' é grande demais");
  }
  bool Recusa(const std::string& motivo) {
    if (motivo.empty() || nivel_ != 1 || !temChave_) {
      problema = kNaoEhObjeto;
    } else {
      problema = "campo '" + chave_ + "': " + motivo;
    }
    return false;
  }

  std::vector<std::pair<std::string, std::string>>& pares_;
  std::vector<std::string>* numeros_;
  std::size_t maximo_;
  std::set<std::string> vistas_;
  std::string chave_;
  bool temChave_ = false;  // a name was read (it may be the empty one)
  bool emValor_ = false;   // a name was read and its value not yet
  int nivel_ = 0;
};

}  // namespace

bool NumeroJsonComoDecimal(std::string_view numero, std::string& saida) {
  // -?digits(.digits)?([eE][+-]?digits)?, as the parser has already checked.
  bool negativo = false;
  if (!numero.empty() && numero.front() == '-') {
    negativo = true;
    numero.remove_prefix(1);
  }
  const auto e = numero.find_first_of("eE");
  long long expoente = 0;
  if (e != std::string_view::npos) {
    std::string_view exp = numero.substr(e + 1);
    if (!exp.empty() && exp.front() == '+') {
      exp.remove_prefix(1);
    }
    const auto r = std::from_chars(exp.data(), exp.data() + exp.size(), expoente);
    if (r.ec == std::errc::result_out_of_range) {
      // Past any bound: no number has enough digits to bring it back, only its sign matters.
      expoente = exp.front() == '-' ? std::numeric_limits<long long>::min()
                                    : std::numeric_limits<long long>::max();
    } else if (r.ec != std::errc()) {
      return false;
    }
    numero = numero.substr(0, e);
  }
  // Zero is zero whatever its exponent, and without a sign.
  const std::size_t primeiro = numero.find_first_not_of("0.");
  if (primeiro == std::string_view::npos) {
    saida = "0";
    return true;
  }
  const std::size_t ultimo = numero.find_last_not_of("0.");
  const std::size_t ponto = std::min(numero.find('.'), numero.size());
  // The power of ten where the first significant digit stands: 2 for 512, -3 for 0.005. Digits
  // and exponent decide it together, so leading zeros cancel a large exponent and trailing ones a
  // small exponent.
  const long long casa = primeiro < ponto ? static_cast<long long>(ponto - primeiro - 1)
                                          : -static_cast<long long>(primeiro - ponto);
  long long ordem = 0;
  if (__builtin_add_overflow(casa, expoente, &ordem)) {
    ordem = expoente < 0 ? std::numeric_limits<long long>::min()
                         : std::numeric_limits<long long>::max();
  }
  // A number below 10^-1000 is zero in any field too, as 1e-400 is once rounded to the field's
  // decimals. Past 10^1001 it is too large; between the two its digits are at most a thousand
  // zeros more than its own.
  if (ordem < -kMaiorOrdem) {
    saida = "0";
    return true;
  }
  if (ordem > kMaiorOrdem) {
    return false;
  }
  saida = negativo ? "-" : "";
  if (ordem < 0) {
    saida += "0,";
    saida.append(static_cast<std::size_t>(-ordem - 1), '0');
  }
  long long casaDoDigito = ordem;
  for (std::size_t i = primeiro; i <= ultimo; ++i) {
    if (numero[i] == '.') {
      continue;
    }
    saida += numero[i];
    if (casaDoDigito == 0 && i < ultimo) {
      saida += ',';
    }
    --casaDoDigito;
  }
  if (casaDoDigito >= 0) {  // the zeros of the integer part past the last significant digit
    saida.append(static_cast<std::size_t>(casaDoDigito) + 1, '0');
  }
  return true;
}

bool LeObjetoJson(std::string_view linha, std::vector<std::pair<std::string, std::string>>& pares,
                  std::string& problema, std::vector<std::string>* numeros, std::size_t maximo) {
  pares.clear();
  if (numeros != nullptr) {
    numeros->clear();
  }
  LeitorObjeto leitor(pares, numeros, maximo);
  const bool ok = nlohmann::json::sax_parse(linha, &leitor);
  problema = ok ? std::string() : leitor.problema;
  if (!ok && (problema.empty() || problema == kNaoEhObjeto) && !EhUtf8Valido(linha)) {
    problema = "o texto não é UTF-8";  // a byte outside the strings
  } else if (!ok && problema.empty()) {
    problema = kNaoEhObjeto;
  }
  return ok;
}

}  // namespace lumbrava
