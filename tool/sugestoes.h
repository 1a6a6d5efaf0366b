// Names that nearly match: what the tool offers when a system, layout or field name is unknown.
//
// Threads: plain functions over their arguments; any thread may call them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumbrava {

// The names of `candidatos` nearest to `nome`: those equal to it but for case and accents
// ("historico" for "Histórico"); failing those, those at the fewest characters changed, added or
// removed (case and accents aside again), when that is at most a third of the name's characters
// (one at least). At most `maximo`, in the candidates' order. A name over 100 characters gets none.
std::vector<std::string> NomesProximos(std::string_view nome,
                                       const std::vector<std::string>& candidatos,
                                       std::size_t maximo = 3);

// The text that follows a message about an unknown name: "você quis dizer 'A' ou 'B'? Os campos:
// COMANDO", or without names "os campos: COMANDO"; `lista` names what the command lists ("os
// campos").
std::string TextoDaSugestao(const std::vector<std::string>& nomes, std::string_view lista,
                            std::string_view comando);

// A word as a shell takes it back: as it is when it holds only letters, digits and "-_./,:@+%=",
// else between single quotes.
std::string ArgumentoDoShell(std::string_view palavra);

// The tool's command that lists a system's layouts, and the one that shows a layout's fields.
std::string ComandoDosLayouts(std::string_view sistema);
std::string ComandoDosCampos(std::string_view sistema, std::string_view layout);

// For a system outside the catalogue, or a layout (when `layout` is not null) outside its
// system's list: the nearest names and the command that lists them (TextoDaSugestao). Empty when
// the names are known.
std::string SugestaoDoCatalogo(const std::string& sistema, const std::string* layout);

}  // namespace lumbrava
