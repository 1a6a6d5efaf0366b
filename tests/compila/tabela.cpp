// A composer's table that compiles only when it is sound. The build runs it once as written and
// once with each fault of FALHA: 1 a row that starts past the running column, 2 a negative size,
// 3 an Alinha on a field other than the row's before it, 4 a routine that leaves a gap.
#include "layouts/catalogue/composicao.h"

#ifndef FALHA
#define FALHA 0
#endif

namespace lumbrava::catalogo {
namespace {

void DuasColunas(clLayoutReg& layout) { layout.AcrescentaCampoAppend(2, "rotina", 0, "S"); }

constexpr Passo kTabela[] = {
    {1, "codigo", 3, 0, "S"},
    {4, "nome", FALHA == 2 ? -1 : 10, 0, "S"},
    Alinha(FALHA == 3 ? "codigo" : "nome", "D"),
    {FALHA == 1 ? 15 : 14, "valor", 12, 2, "N"},
    Rotina(26, FALHA == 4 ? 1 : 2, DuasColunas),
    {28, "fim", 1, 0, "S"},
};

constexpr Layout kLayouts[] = {{"exemplo", kTabela}};

}  // namespace

extern const Compositor kCompositorDeExemplo{.nome = "Exemplo", .layouts = kLayouts};

}  // namespace lumbrava::catalogo
