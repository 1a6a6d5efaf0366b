// The read command against the layout: any line read by `read` into any layout of the catalogue,
// in either encoding. Input: the system's byte, the layout's byte, the encoding's byte, then the
// line.
// - `read` never crashes;
// - it takes the line exactly when the layout reads it (PreencheLayoutApartirLinha), and writes
//   the values the layout reads, field by field, as CSV; a line that the layout refuses, `read`
//   refuses with the layout's message.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/visivel.h"
#include "fuzz/apoio.h"
#include "layouts/cl_produtos.h"
#include "tool/codificacao.h"
#include "tool/csv.h"
#include "tool/execucao.h"

using lumbrava::clLayoutReg;
using lumbrava::Codificacao;
using lumbrava::fuzz::Falha;
using lumbrava::fuzz::Mostra;

namespace {

// What a FILE* over memory holds once closed.
class Memoria {
 public:
  Memoria() : f_(open_memstream(&dados_, &tamanho_)) {}
  ~Memoria() {
    Fecha();
    std::free(dados_);
  }
  Memoria(const Memoria&) = delete;
  Memoria& operator=(const Memoria&) = delete;
  std::FILE* f() const { return f_; }
  std::string Texto() {
    Fecha();
    return std::string(dados_, tamanho_);
  }

 private:
  void Fecha() {
    if (f_ != nullptr) {
      std::fclose(f_);
      f_ = nullptr;
    }
  }
  char* dados_ = nullptr;
  std::size_t tamanho_ = 0;
  std::FILE* f_;
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
  lumbrava::fuzz::Silencia();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  static const lumbrava::fuzz::Catalogo catalogo;
  if (tamanho < 4) {
    return 0;
  }
  const clLayoutReg* escolhido = catalogo.Escolhe(dados[0], dados[1]);
  if (escolhido == nullptr || escolhido->campos().empty()) {
    return 0;  // the tool reads the catalogue's layouts only, and refuses those without fields
  }
  const bool utf8 = (dados[2] & 1U) != 0;
  std::string linha(reinterpret_cast<const char*>(dados + 3), tamanho - 3);
  // One line, as the file gives it: no line break, nothing the file reader treats apart.
  if (linha.find_first_of(std::string_view("\n\r\0", 3)) != std::string::npos ||
      linha.starts_with("\xEF\xBB\xBF")) {
    return 0;
  }

  lumbrava::Parametros p;
  p.sistema = std::string(catalogo.NomeDoSistema(dados[0]));
  p.layout = escolhido->nomeRegistro;
  p.codificacao = utf8 ? "utf-8" : "windows-1252";
  p.threads = 1;
  const std::string arquivo = linha + "\n";
  std::FILE* entrada = fmemopen(const_cast<char*>(arquivo.data()), arquivo.size(), "rb");
  Memoria saida;
  Memoria erros;
  const int codigo = lumbrava::Le(p, entrada, saida.f(), erros.f());
  std::fclose(entrada);
  const std::string csv = saida.Texto();

  // The layout as the tool composes it, alone, reading the line as text.
  lumbrava::clProdutos produtos;
  clLayoutReg* layout = produtos.LocalizaCriaLayoutRegistro(p.sistema, p.layout);
  if (layout == nullptr) {
    Falha(p.sistema + " " + p.layout + ": o layout não se compõe outra vez");
  }
  std::string convertida;
  std::string_view texto;
  const bool ehTexto =
      lumbrava::Decodificador(utf8 ? Codificacao::kUtf8 : Codificacao::kWindows1252)
          .Decodifica(linha, convertida, texto);
  std::string erro;
  const bool leu = ehTexto && layout->PreencheLayoutApartirLinha(texto, &erro);
  const std::string onde =
      p.sistema + " " + p.layout + " (" + p.codificacao + "), " + Mostra(linha);
  if (!leu) {
    if (codigo != 1) {
      Falha(onde + ": o layout recusa (" + erro + "), read sai com " + std::to_string(codigo));
    }
    // The same message (its control characters shown), unless the line is past what read holds
    // at all.
    const std::string mensagens = erros.Texto();
    if (ehTexto &&
        mensagens.find("linha 1: " + lumbrava::Visivel(erro) + "\n") == std::string::npos &&
        mensagens.find("mais do que cabe no layout") == std::string::npos) {
      Falha(onde + ": o layout diz " + Mostra(erro) + ", read diz " + Mostra(mensagens));
    }
    return 0;
  }
  if (codigo != 0) {
    Falha(onde + ": o layout lê, read sai com " + std::to_string(codigo) + ": " + erros.Texto());
  }
  std::string esperado;
  for (const auto& c : layout->campos()) {
    lumbrava::EscreveCampoCsv(esperado, c->nome, esperado.empty() ? '\0' : ',');
  }
  esperado += '\n';
  if (layout->campos().size() == 1 && layout->campos()[0]->valor.empty()) {
    esperado += "\"\"";  // an empty row, not a blank line
  }
  bool primeiro = true;
  for (const auto& c : layout->campos()) {
    lumbrava::EscreveCampoCsv(esperado, c->valor, primeiro ? '\0' : ',');
    primeiro = false;
  }
  esperado += '\n';
  if (csv != esperado) {
    Falha(onde + ": read escreve " + Mostra(csv) + ", o layout lê " + Mostra(esperado));
  }
  return 0;
}
