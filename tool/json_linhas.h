// One line of JSON Lines input: a flat object whose members give field values.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lumbrava {

// Reads `linha` as one JSON object into (name, value) pairs, in the order written. A string stays
// as it is; a number is taken from its own text, every digit kept, and written with the decimal
// comma ("1520.75" -> "1520,75", "1e-05" -> "0,00001"); null is the empty value. False with
// `problema` set when the line is not such an object, a value is of another kind, a number is too
// large, or a name comes twice (names equal but for case count as the same, as field look-ups
// ignore case). `numeros`, when given, receives for each pair the number as the line writes it
// ("5.0", "1e3"), or nothing for a value that is not a number. An object with more than `maximo`
// names (the fields its layout has) is refused as soon as it shows one more, so that such a line
// costs no more memory than a good one.
bool LeObjetoJson(std::string_view linha, std::vector<std::pair<std::string, std::string>>& pares,
                  std::string& problema, std::vector<std::string>* numeros = nullptr,
                  std::size_t maximo = static_cast<std::size_t>(-1));

// A JSON number's text written as a decimal with a comma, every digit kept; false when it is too
// large, 10^1001 or more. What its first significant digit stands for decides, not the exponent
// as written: 0.005e1002 is 5e999. Zero, of either sign, and a number below 10^-1000 are written
// as 0, as they are in any field.
bool NumeroJsonComoDecimal(std::string_view numero, std::string& saida);

}  // namespace lumbrava
