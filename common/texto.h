// Text helpers shared by the library. Every text inside the program is UTF-8; the helpers here
// count and cut by characters (code points), never by bytes.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace lumbrava {

// Number of characters in a UTF-8 text. Bytes that do not start a character are not counted.
std::size_t ContaCaracteres(std::string_view texto);

// Byte offset of the character with index `caractere` (0-based); the text's size when the text
// is shorter than that.
std::size_t DeslocamentoDoCaractere(std::string_view texto, std::size_t caractere);

// The characters [inicio, inicio + quantidade) of a UTF-8 text (0-based), shorter or empty when
// the text ends first.
std::string_view Subtexto(std::string_view texto, std::size_t inicio, std::size_t quantidade);

// True when every byte is below 0x80, so that characters and bytes coincide.
bool EhAscii(std::string_view texto);

// True when the text is well-formed UTF-8.
bool EhUtf8Valido(std::string_view texto);

// Upper-case form of a UTF-8 text, letter by letter, accented letters included ("ç" -> "Ç").
std::string Maiusculas(std::string_view texto);

// Copies a text to `destino` and gives the end of the copy (the empty text copies nothing).
inline char* Copia(char* destino, std::string_view origem) {
  if (!origem.empty()) {
    std::memcpy(destino, origem.data(), origem.size());
  }
  return destino + origem.size();
}

// Removes blanks (spaces and tabs) from both ends.
std::string_view Apara(std::string_view texto);

}  // namespace lumbrava
