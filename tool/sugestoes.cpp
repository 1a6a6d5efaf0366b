#include "tool/sugestoes.h"

#include <algorithm>
#include <limits>

#include "layouts/cl_produtos.h"

namespace lumbrava {

namespace {

constexpr std::size_t kMaiorNome = 100;

// The base letter of the Latin-1 letters U+00C0 to U+00FF, lower-case; '\0' keeps the character.
constexpr char kLetrasSemAcento[] =
    "aaaaaaaceeeeiiiidnooooo\0ouuuuy\0\0aaaaaaaceeeeiiiidnooooo\0ouuuuy\0y";
constexpr std::string_view kSemAcento(kLetrasSemAcento, sizeof kLetrasSemAcento - 1);
static_assert(kSemAcento.size() == 64);

// The characters of a name, lower-case and without accents. A byte that does not begin a
// well-formed UTF-8 character counts as a character of its own.
std::u32string Forma(std::string_view texto) {
  std::u32string forma;
  for (std::size_t i = 0; i < texto.size();) {
    const auto b = static_cast<unsigned char>(texto[i]);
    char32_t c = b;
    std::size_t n = 1;
    if (b >= 0xC2 && b < 0xE0 && i + 1 < texto.size() &&
        (static_cast<unsigned char>(texto[i + 1]) & 0xC0U) == 0x80U) {
      c = ((b & 0x1FU) << 6U) | (static_cast<unsigned char>(texto[i + 1]) & 0x3FU);
      n = 2;
    } else if (b >= 0xE0) {
      // Beyond Latin-1 nothing is folded: the bytes of the character are kept as they come.
      std::size_t k = 1;
      while (i + k < texto.size() && k < 4 &&
             (static_cast<unsigned char>(texto[i + k]) & 0xC0U) == 0x80U) {
        c = (c << 8U) | static_cast<unsigned char>(texto[i + k]);
        ++k;
      }
      n = k;
    }
    if (c >= 'A' && c <= 'Z') {
      c += 'a' - 'A';
    } else if (n == 2 && c >= 0xC0 && c <= 0xFF && kSemAcento[c - 0xC0] != '\0') {
      c = static_cast<unsigned char>(kSemAcento[c - 0xC0]);
    }
    forma.push_back(c);
    i += n;
  }
  return forma;
}

// The fewest characters changed, added or removed to turn `a` into `b`.
std::size_t Distancia(const std::u32string& a, const std::u32string& b) {
  std::vector<std::size_t> anterior(b.size() + 1);
  std::vector<std::size_t> atual(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    anterior[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    atual[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t troca = anterior[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      atual[j] = std::min({anterior[j] + 1, atual[j - 1] + 1, troca});
    }
    std::swap(anterior, atual);
  }
  return anterior[b.size()];
}

}  // namespace

std::vector<std::string> NomesProximos(std::string_view nome,
                                       const std::vector<std::string>& candidatos,
                                       std::size_t maximo) {
  std::vector<std::string> proximos;
  if (nome.size() > 4 * kMaiorNome) {
    return proximos;  // too many characters, whatever they are
  }
  const std::u32string forma = Forma(nome);
  if (forma.empty() || forma.size() > kMaiorNome) {
    return proximos;
  }
  const std::size_t limite = std::max<std::size_t>(1, forma.size() / 3);
  std::size_t menor = std::numeric_limits<std::size_t>::max();
  std::vector<std::size_t> distancias;
  for (const std::string& c : candidatos) {
    const std::u32string outra = Forma(c);
    const std::size_t diferenca =
        outra.size() > forma.size() ? outra.size() - forma.size() : forma.size() - outra.size();
    const std::size_t d = diferenca > limite ? diferenca : Distancia(forma, outra);
    distancias.push_back(d);
    menor = std::min(menor, d);
  }
  if (menor > limite) {
    return proximos;
  }
  for (std::size_t i = 0; i < candidatos.size() && proximos.size() < maximo; ++i) {
    if (distancias[i] == menor) {
      proximos.push_back(candidatos[i]);
    }
  }
  return proximos;
}

std::string TextoDaSugestao(const std::vector<std::string>& nomes, std::string_view lista,
                            std::string_view comando) {
  std::string texto;
  std::string rotulo(lista);
  if (!nomes.empty()) {
    texto = "você quis dizer ";
    for (std::size_t i = 0; i < nomes.size(); ++i) {
      if (i > 0) {
        texto += i + 1 == nomes.size() ? " ou " : ", ";
      }
      texto += "'" + nomes[i] + "'";
    }
    texto += "? ";
    if (!rotulo.empty() && rotulo[0] >= 'a' && rotulo[0] <= 'z') {
      rotulo[0] = static_cast<char>(rotulo[0] - 'a' + 'A');  // a new sentence
    }
  }
  texto += rotulo;
  texto += ": ";
  texto.append(comando);
  return texto;
}

std::string ArgumentoDoShell(std::string_view palavra) {
  const bool simples = !palavra.empty() && std::all_of(palavra.begin(), palavra.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           std::string_view("-_./,:@+%=").find(c) != std::string_view::npos;
  });
  if (simples) {
    return std::string(palavra);
  }
  std::string citada = "'";
  for (const char c : palavra) {
    if (c == '\'') {
      citada += "'\\''";
    } else {
      citada.push_back(c);
    }
  }
  return citada + "'";
}

std::string ComandoDosLayouts(std::string_view sistema) {
  return "lumbrava-layouts layouts " + ArgumentoDoShell(sistema);
}

std::string ComandoDosCampos(std::string_view sistema, std::string_view layout) {
  return "lumbrava-layouts show " + ArgumentoDoShell(sistema) + " " + ArgumentoDoShell(layout);
}

std::string SugestaoDoCatalogo(const std::string& sistema, const std::string* layout) {
  const std::vector<std::string> sistemas = clProdutos::Produtos();
  if (std::find(sistemas.begin(), sistemas.end(), sistema) == sistemas.end()) {
    return TextoDaSugestao(NomesProximos(sistema, sistemas), "os sistemas",
                           "lumbrava-layouts systems");
  }
  if (layout == nullptr) {
    return {};
  }
  const std::vector<std::string> layouts = clProdutos::LayoutsDoProduto(sistema);
  if (std::find(layouts.begin(), layouts.end(), *layout) != layouts.end()) {
    return {};
  }
  return TextoDaSugestao(NomesProximos(*layout, layouts), "os layouts de " + sistema,
                         ComandoDosLayouts(sistema));
}

}  // namespace lumbrava
