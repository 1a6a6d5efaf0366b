// Text from the input, made safe to show in a message: nothing in it acts on a terminal.
//
// Threads: plain functions without state, safe from any thread.
#pragma once

#include <string>
#include <string_view>

namespace lumbrava {

// `texto` with every control character written as an escape: tab, line feed and carriage return
// as \t, \n and \r, the other C0 controls and DEL as \x1b, \x00, \x7f; the C1 controls
// (U+0080 to U+009F), and the characters that print nothing or change the text's direction
// (U+200B to U+200F, U+202A to U+202E, U+2060 to U+2069, U+2028, U+2029, U+FEFF), as \u009b,
// \u202e; a byte that is not part of valid UTF-8 as \xff. Everything else, accented letters
// included, stays as it is, so a text already made visible comes back unchanged.
std::string Visivel(std::string_view texto);
// The same, appended to `saida`.
void AcrescentaVisivel(std::string& saida, std::string_view texto);
// A text quoted by a message: Visivel of its first 200 characters, followed by
// "... (N caracteres)" when it has more.
std::string TrechoVisivel(std::string_view texto);

}  // namespace lumbrava
