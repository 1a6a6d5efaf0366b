#include "layouts/cl_layout_reg.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <system_error>

#include "common/operador.h"
#include "common/registra_erro.h"
#include "common/texto.h"
#include "common/visivel.h"
#include "layouts/catalogo.h"
#include "layouts/leitor_linha.h"

namespace lumbrava {

namespace {

constexpr std::string_view kTituloAcrescenta = "clLayoutReg.AcrescentaCampo";

bool Sobrepoe(const clLayoutCpo& a, const clLayoutCpo& b) {
  const auto dentro = [](int coluna, const clLayoutCpo& c) {
    return coluna >= c.inicio && coluna <= c.fim;
  };
  return dentro(a.inicio, b) || dentro(a.fim, b) || dentro(b.inicio, a) || dentro(b.fim, a);
}

std::string Posicao(const clLayoutCpo& c) {
  return c.nome + " (Posição de " + std::to_string(c.inicio) + " a " + std::to_string(c.fim) + ")";
}

}  // namespace

ErroValor::ErroValor(std::string layout, std::string campo, std::string valor,
                     const std::string& motivo)
    : std::runtime_error("layout '" + Visivel(layout) + "', campo '" + Visivel(campo) +
                         "': valor '" + TrechoVisivel(valor) + "' " + motivo),
      layout_(std::move(layout)),
      campo_(std::move(campo)),
      valor_(std::move(valor)) {}

clLayoutReg::clLayoutReg() = default;
clLayoutReg::~clLayoutReg() = default;

clLayoutReg::clLayoutReg(const clLayoutReg& outro)
    : nomeRegistro(outro.nomeRegistro),
      produto(outro.produto),
      proximaColuna(outro.proximaColuna),
      virgulasNosNumericos(outro.virgulasNosNumericos),
      separaCasasDecimais(outro.separaCasasDecimais),
      espacoNosNumerosVazios(outro.espacoNosNumerosVazios),
      espacoAdireitaNumeros(outro.espacoAdireitaNumeros),
      separadorCasasDecimais(outro.separadorCasasDecimais),
      separadorNoFinalDeCadaCampo(outro.separadorNoFinalDeCadaCampo),
      leituraComPipe(outro.leituraComPipe),
      alertaErros_(outro.alertaErros_) {
  campos_.reserve(outro.campos_.size());
  for (const auto& c : outro.campos_) {
    campos_.push_back(std::make_unique<clLayoutCpo>(*c));
    campos_.back()->layout_ = this;
  }
  // The same order as the original's, field for field.
  indicePorColuna_ = outro.indicePorColuna_;
  porColuna_.reserve(indicePorColuna_.size());
  for (const std::size_t i : indicePorColuna_) {
    porColuna_.push_back(campos_[i].get());
  }
}

void clLayoutReg::CompoeLayout(const std::string& sistema, const std::string& registro) {
  for (const SistemaCatalogo& s : SistemasDoCatalogo()) {
    if (sistema == s.identificador) {
      s.compoe(*this, registro);
      return;
    }
  }
}

clLayoutCpo* clLayoutReg::AcrescentaCampoAppend(int tamanho, std::string_view nome, int decimais,
                                                std::string_view tipo, std::string_view operacao,
                                                std::string_view alinhamento, bool semFormatacao,
                                                std::string_view qualificador,
                                                bool eliminaEspacos) {
  if (tamanho < 0) {
    throw std::invalid_argument("campo '" + std::string(nome) + "': tamanho negativo");
  }
  const int inicio = proximaColuna == 0 ? 1 : proximaColuna;
  int proxima = 0;
  int fim = 0;
  if (__builtin_add_overflow(inicio, tamanho, &proxima) ||
      __builtin_add_overflow(inicio, tamanho - 1, &fim)) {
    throw std::overflow_error("campo '" + std::string(nome) + "': estouro da coluna");
  }
  proximaColuna = proxima;
  return AcrescentaCampo(nome, inicio, fim, tamanho, decimais, tipo, operacao, alinhamento,
                         semFormatacao, qualificador, eliminaEspacos);
}

clLayoutCpo* clLayoutReg::AcrescentaCampo(std::string_view nome, int inicio, int fim, int tamanho,
                                          int decimais, std::string_view tipo,
                                          std::string_view operacao, std::string_view alinhamento,
                                          bool semFormatacao, std::string_view qualificador,
                                          bool eliminaEspacos) {
  clLayoutCpo* campo = nullptr;
  for (auto& c : campos_) {
    if (c->nome == nome) {
      campo = c.get();
      break;
    }
  }
  if (campo == nullptr) {
    campos_.push_back(std::make_unique<clLayoutCpo>(this));
    campo = campos_.back().get();
    campo->nome = std::string(nome);
    campo->nomeMaiusculo_ = Maiusculas(nome);
  }
  if (!alinhamento.empty()) {
    campo->alinhamento = std::string(alinhamento);
  }
  campo->posicao = inicio;
  campo->inicio = inicio;
  campo->fim = fim;
  campo->decimais = decimais;
  campo->tamanho = tamanho;
  campo->operacao = std::string(operacao);
  campo->semFormatacao = semFormatacao;
  campo->qualificador = std::string(qualificador);
  campo->eliminaEspacos = eliminaEspacos;
  campo->tipo = decimais >= 1 ? std::string("N") : std::string(tipo);
  ReordenaPorColuna(campo);

  // Only pairs with the changed field can have changed since the last append.
  for (const auto& outro : campos_) {
    if (outro.get() == campo) {
      continue;
    }
    if (outro->nomeMaiusculo_ == campo->nomeMaiusculo_ &&
        (outro->inicio != campo->inicio || outro->fim != campo->fim ||
         outro->tamanho != campo->tamanho)) {
      OperadorAtual()->Critico(kTituloAcrescenta, "Campo ambíguo: " + campo->nome);
    }
    if (outro->nome != campo->nome && Sobrepoe(*outro, *campo)) {
      OperadorAtual()->Critico(
          kTituloAcrescenta, "Campos conflitantes: " + Posicao(*outro) + " com " + Posicao(*campo));
      return nullptr;
    }
  }
  return campo;
}

bool clLayoutReg::AplicaConfiguracaoParticular(std::string_view campo, bool separaCasasDecimais_,
                                               bool espacoNosNumerosVazios_,
                                               bool espacoAdireitaNumeros_,
                                               std::string_view separadorCasasDecimais_,
                                               bool separadorNoFinalDeCadaCampo_,
                                               bool semFormatacao) {
  clLayoutCpo* c = LocalizaCampo(campo);
  if (c == nullptr) {
    RegistraErroLayout("nao localizou campo: '" + std::string(campo) + "' em '" + nomeRegistro +
                       "'");
    return false;
  }
  c->configuracaoParticular = true;
  c->separaCasasDecimais = separaCasasDecimais_;
  c->espacoNosNumerosVazios = espacoNosNumerosVazios_;
  c->espacoAdireitaNumeros = espacoAdireitaNumeros_;
  c->separadorCasasDecimais = std::string(separadorCasasDecimais_);
  c->separadorNoFinalDeCadaCampo = separadorNoFinalDeCadaCampo_;
  c->semFormatacao = semFormatacao;
  return true;
}

void clLayoutReg::RegistraErroLayout(std::string_view mensagem) {
  try {
    const std::time_t agora =
        std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&agora, &local);
    char data[32];
    std::strftime(data, sizeof data, "%d/%m/%Y %H:%M:%S", &local);
    // In the logs' folder, as the error log: no link followed, a new file open to its owner only.
    AnexaAoRegistro(kArquivoErrosLayout,
                    std::string(data) + " - " + std::string(mensagem) + "\r\n");
  } catch (...) {
    // The file is a record of what the operator was told; failing to keep it changes nothing.
  }
  if (alertaErros_) {
    alertaErros_ = OperadorAtual()->PerguntaSimNao(
        "clLayoutReg", std::string(mensagem) + "\n\nDeseja continuar recebendo alertas?");
  }
}

int clLayoutReg::TamanhoRegistro() const {
  int maior = 0;
  for (const auto& c : campos_) {
    maior = std::max(maior, c->fim);
  }
  return maior;
}

clLayoutCpo* clLayoutReg::LocalizaCampo(std::string_view nome) {
  const std::string procurado = Maiusculas(nome);
  for (const auto& c : campos_) {
    if (c->nomeMaiusculo_ == procurado) {
      return c.get();
    }
  }
  return nullptr;
}

const clLayoutCpo* clLayoutReg::LocalizaCampo(std::string_view nome) const {
  return const_cast<clLayoutReg*>(this)->LocalizaCampo(nome);
}

bool clLayoutReg::ExisteCampo(std::string_view nome) const {
  return LocalizaCampo(nome) != nullptr;
}

bool clLayoutReg::InformaValor(std::string_view campo, std::string_view valor) {
  clLayoutCpo* c = LocalizaCampo(campo);
  if (c == nullptr) {
    return false;
  }
  c->valor = std::string(valor);
  return true;
}

bool clLayoutReg::InformaValorDouble(std::string_view campo, double valor) {
  clLayoutCpo* c = LocalizaCampo(campo);
  if (c == nullptr || !std::isfinite(valor)) {
    return false;
  }
  char buffer[400];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, valor, std::chars_format::fixed);
  if (r.ec != std::errc()) {
    return false;
  }
  std::string texto(buffer, r.ptr);
  std::replace(texto.begin(), texto.end(), '.', ',');
  c->valor = std::move(texto);
  return true;
}

std::string clLayoutReg::pegaValor(std::string_view campo) const {
  const clLayoutCpo* c = LocalizaCampo(campo);
  return c != nullptr ? c->valor : std::string();
}

void clLayoutReg::LimpaValores() {
  for (auto& c : campos_) {
    c->valor.clear();
  }
}

void clLayoutReg::ReordenaPorColuna(const clLayoutCpo* campo) {
  const auto antes = std::find(porColuna_.begin(), porColuna_.end(), campo);
  if (antes != porColuna_.end()) {
    indicePorColuna_.erase(indicePorColuna_.begin() + (antes - porColuna_.begin()));
    porColuna_.erase(antes);
  }
  const auto porInicio = [](const clLayoutCpo* a, const clLayoutCpo* b) {
    return a->inicio < b->inicio;
  };
  auto [de, ate] = std::equal_range(porColuna_.begin(), porColuna_.end(), campo, porInicio);
  // Among fields that start on the same column, field order (a field keeps its place in it).
  std::size_t meu = 0;
  while (meu < campos_.size() && campos_[meu].get() != campo) {
    ++meu;
  }
  auto k = indicePorColuna_.begin() + (de - porColuna_.begin());
  while (de != ate && *k < meu) {
    ++de;
    ++k;
  }
  indicePorColuna_.insert(k, meu);
  porColuna_.insert(de, campo);
}

bool clLayoutReg::PreencheLayoutApartirLinha(std::string_view linha, std::string* erro) {
  thread_local LeitorDeLinha leitor;  // its room kept from line to line
  leitor.Aponta(*this);
  const bool ok = leitor.Le(linha);
  const auto& valores = leitor.valores();
  for (std::size_t i = 0; i < campos_.size(); ++i) {
    campos_[i]->valor.assign(valores[i].texto);
  }
  if (!ok && erro != nullptr) {
    *erro = MensagemDaRecusa(nomeRegistro, leitor.recusa());
  }
  return ok;
}

int clLayoutReg::ComprimentoRegistro() const {
  int separadores = 0;
  for (const auto& c : campos_) {
    separadores += c->SeparadorNoFinalEfetivo() && c->tamanho > 0 ? 1 : 0;
  }
  return TamanhoRegistro() + separadores;
}

std::string clLayoutReg::ExpandeLayout() const {
  std::string saida;
  ExpandeLayout(saida);
  return saida;
}

void clLayoutReg::ExpandeLayout(std::string& saida) const {
  saida.resize(saida.capacity());  // room for the record, if it held one
  saida.resize(Expande(saida, nullptr));
}

std::size_t clLayoutReg::ExpandeLayout(std::string& saida,
                                       std::span<const std::string_view> valores) const {
  if (valores.size() != porColuna_.size()) {
    throw std::invalid_argument("ExpandeLayout: " + std::to_string(valores.size()) +
                                " valores para " + std::to_string(porColuna_.size()) + " campos");
  }
  return Expande(saida, valores.data());
}

std::size_t clLayoutReg::Expande(std::string& saida, const std::string_view* valores) const {
  std::size_t n = 0;  // bytes written
  int coluna = 1;     // next column of the record still to write
  for (std::size_t k = 0; k < porColuna_.size(); ++k) {
    const clLayoutCpo* c = porColuna_[k];
    if (c->tamanho <= 0) {
      continue;
    }
    if (c->inicio < coluna) {
      ExpandeSobreposto(saida, valores);
      return saida.size();
    }
    if (c->inicio > coluna) {
      const auto brancos = static_cast<std::size_t>(c->inicio - coluna);
      Repete(Espaco(saida, n, brancos), ' ', brancos);
      n += brancos;
    }
    c->ValorFormatado(valores != nullptr ? valores[k] : c->valor, saida, n);
    coluna = c->fim + 1;
    if (c->SeparadorNoFinalEfetivo()) {
      Copia(Espaco(saida, n, kSeparadorNoFinalDoCampo.size()), kSeparadorNoFinalDoCampo);
      n += kSeparadorNoFinalDoCampo.size();
    }
  }
  return n;
}

void clLayoutReg::ExpandeSobreposto(std::string& saida, const std::string_view* valores) const {
  // Column by column, the field placed later in column order takes the shared columns.
  std::string valor;
  const auto total = static_cast<std::size_t>(TamanhoRegistro());
  std::vector<std::string> colunas(total, " ");
  std::vector<std::string> finais(total);
  for (std::size_t k = 0; k < porColuna_.size(); ++k) {
    const clLayoutCpo* c = porColuna_[k];
    if (c->tamanho <= 0 || c->inicio < 1) {
      continue;
    }
    std::size_t fim = 0;
    c->ValorFormatado(valores != nullptr ? valores[k] : c->valor, valor, fim);
    valor.resize(fim);
    std::size_t i = 0;
    std::size_t col = static_cast<std::size_t>(c->inicio - 1);
    while (i < valor.size() && col < total) {
      std::size_t j = i + 1;
      while (j < valor.size() && (static_cast<unsigned char>(valor[j]) & 0xC0U) == 0x80U) {
        ++j;
      }
      colunas[col++] = valor.substr(i, j - i);
      i = j;
    }
    if (c->SeparadorNoFinalEfetivo() && c->fim >= 1) {
      finais[static_cast<std::size_t>(c->fim - 1)] = std::string(kSeparadorNoFinalDoCampo);
    }
  }
  saida.clear();
  for (std::size_t k = 0; k < total; ++k) {
    saida += colunas[k];
    saida += finais[k];
  }
}

std::string clLayoutReg::ExpandeLayoutDiv(std::string_view separador,
                                          std::string_view delimitadorExterno, bool apara) const {
  std::string saida;
  ExpandeLayoutDiv(saida, separador, delimitadorExterno, apara);
  return saida;
}

void clLayoutReg::ExpandeLayoutDiv(std::string& saida, std::string_view separador,
                                   std::string_view delimitadorExterno, bool apara) const {
  saida.assign(delimitadorExterno);
  thread_local std::string valor;  // each field's text, kept from record to record
  bool primeiro = true;
  for (const auto& c : campos_) {
    c->ValorFormatado(valor);
    std::string_view v = valor;
    if (apara) {
      v = Apara(v);
    }
    if (!primeiro) {
      saida.append(separador);
    }
    primeiro = false;
    if (!c->qualificador.empty()) {
      // A qualifier inside the value would end it early: it becomes a blank.
      const std::string_view q = c->qualificador;
      saida.append(q);
      for (auto p = v.find(q); p != std::string_view::npos; p = v.find(q)) {
        saida.append(v.substr(0, p));
        saida.push_back(' ');
        v.remove_prefix(p + q.size());
      }
      saida.append(v);
      saida.append(q);
    } else {
      if (!separador.empty() && v.find(separador) != std::string_view::npos) {
        throw ErroValor(nomeRegistro, c->nome, std::string(v),
                        "contém o separador '" + std::string(separador) + "'");
      }
      saida.append(v);
    }
  }
  saida.append(delimitadorExterno);
}

std::string clLayoutReg::ExpandeLayoutDivBarra() const { return ExpandeLayoutDiv("|", "|", true); }

}  // namespace lumbrava
