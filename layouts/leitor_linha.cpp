#include "layouts/leitor_linha.h"

#include <algorithm>

#include "common/simd.h"
#include "common/texto.h"
#include "layouts/cl_layout_reg.h"

namespace lumbrava {

std::string MensagemDaRecusa(std::string_view layout, const RecusaDeLinha& recusa) {
  const std::string nome = "layout '" + std::string(layout) + "'";
  const std::string campo =
      recusa.campo != nullptr ? nome + ", campo '" + recusa.campo->nome + "'" : nome;
  switch (recusa.motivo) {
    case MotivoRecusa::kNenhum:
      break;
    case MotivoRecusa::kLinhaLonga:
      return std::to_string(recusa.quantidade) + " caracteres, mas o " + nome + " tem " +
             std::to_string(recusa.limite) + " colunas";
    case MotivoRecusa::kNumeroCortado:
      return campo + " (colunas " + std::to_string(recusa.campo->inicio) + " a " +
             std::to_string(recusa.campo->fim) + "): a linha acaba na coluna " +
             std::to_string(recusa.quantidade) + ", no meio do número";
    case MotivoRecusa::kNaoEhNumero:
      return campo + ": '" + recusa.valor + "' não é um número";
    case MotivoRecusa::kSemBarra:
      return nome + ": a linha não tem '|', mas o layout lê valores separados por '|'";
    case MotivoRecusa::kValorLongo:
      return campo + ": '" + recusa.valor + "' tem " + std::to_string(recusa.quantidade) +
             " caracteres, mas o campo tem " + std::to_string(recusa.campo->tamanho);
    case MotivoRecusa::kValoresDemais:
      return nome + ": a linha tem " + std::to_string(recusa.quantidade) +
             " valores, mas o layout tem " + std::to_string(recusa.limite) + " campos";
  }
  return {};
}

LeitorDeLinha::LeitorDeLinha(const clLayoutReg& layout) { Aponta(layout); }

LeitorDeLinha::LeitorDeLinha(const clLayoutReg& layout, ParaUtf8 paraUtf8) : paraUtf8_(paraUtf8) {
  Aponta(layout);
}

void LeitorDeLinha::Aponta(const clLayoutReg& layout) {
  layout_ = &layout;
  plano_.clear();
  const auto& campos = layout.campos();
  campos_.resize(campos.size());
  for (std::size_t i = 0; i < campos.size(); ++i) {
    const clLayoutCpo& c = *campos[i];
    Campo& k = campos_[i];
    k.campo = &c;
    k.numero = c.LidoComoNumero();
    k.apara = c.eliminaEspacos;
    k.leitura = {c.decimais, c.EscreveSeparador(), c.SeparadorDecimalEfetivo()};
    k.separadorAscii = EhAscii(k.leitura.separador);
  }
  comprimento_ = static_cast<std::size_t>(std::max(layout.ComprimentoRegistro(), 0));
  valores_.resize(campos.size());
  // Room for the numbers of the usual line at once: four bytes a column at most, the decimals'
  // zeros, and what EscreveNumeroDoCampo writes past the end.
  std::size_t espaco = 0;
  bytesDosValores_ = 0;
  for (const Campo& k : campos_) {
    const std::size_t texto = std::max(static_cast<std::size_t>(std::max(k.campo->tamanho, 0)) * 4,
                                       k.campo->operacao.size());
    bytesDosValores_ += texto;
    if (k.numero) {
      const auto decimais = static_cast<std::size_t>(std::max(k.leitura.decimais, 0));
      espaco += texto + decimais + 40;
      bytesDosValores_ += decimais + 3;
    }
  }
  if (numeros_.size() < espaco) {
    numeros_.resize(espaco);
  }
}

void LeitorDeLinha::Planeja() {
  const clLayoutReg& l = *layout_;
  plano_.clear();
  fronteiras_.clear();
  planoCobre_ = 0;
  if (l.leituraComPipe) {
    return;
  }
  std::vector<Trecho> plano;
  for (const Campo& k : campos_) {
    const clLayoutCpo& c = *k.campo;
    if (!c.operacao.empty() || c.SeparadorNoFinalEfetivo()) {
      return;
    }
    Trecho t;
    t.campo = k;
    if (c.inicio >= 1 && c.tamanho > 0) {
      t.de = static_cast<std::size_t>(c.inicio - 1);
      t.bytes = static_cast<std::size_t>(c.tamanho);
      planoCobre_ = std::max(planoCobre_, t.de + t.bytes);
    }
    plano.push_back(t);
    fronteiras_.push_back(t.de);
    fronteiras_.push_back(t.de + t.bytes);
  }
  std::sort(fronteiras_.begin(), fronteiras_.end());
  fronteiras_.erase(std::unique(fronteiras_.begin(), fronteiras_.end()), fronteiras_.end());
  const auto lugar = [this](std::size_t coluna) {
    return static_cast<std::size_t>(
        std::lower_bound(fronteiras_.begin(), fronteiras_.end(), coluna) - fronteiras_.begin());
  };
  for (Trecho& t : plano) {
    t.iDe = lugar(t.de);
    t.iAte = lugar(t.de + t.bytes);
  }
  deslocamentos_.resize(fronteiras_.size());
  plano_ = std::move(plano);
}

bool LeitorDeLinha::Le(std::string_view linha) {
  return Le(linha, paraUtf8_ == nullptr && EhAscii(linha));
}

bool LeitorDeLinha::Le(std::string_view linha, bool ascii) {
  Guarda guarda{*this};
  if (Comeca(linha, ascii) && LePlano(linha, guarda)) {
    return true;
  }
  LeCampos(linha);
  return recusa_.motivo == MotivoRecusa::kNenhum;
}

char* LeitorDeLinha::Guarda::Numero(std::size_t /*k*/, std::size_t bytes) {
  if (leitor.numeros_.size() - leitor.numerosUsados_ < bytes) [[unlikely]] {
    leitor.CresceNumeros(bytes);
  }
  return leitor.numeros_.data() + leitor.numerosUsados_;
}

void LeitorDeLinha::Guarda::Valor(std::size_t k, const LeitorDeLinha::Valor& v) {
  if (v.numero) {
    leitor.numerosUsados_ += v.texto.size();
  }
  LeitorDeLinha::Valor& d = leitor.valores_[k];
  if (&d != &v) {  // member by member, as each was written
    d.texto = v.texto;
    d.daLinha = v.daLinha;
    d.numero = v.numero;
    d.decimais = v.decimais;
  }
}

bool LeitorDeLinha::Comeca(std::string_view linha, bool ascii) {
  recusa_.motivo = MotivoRecusa::kNenhum;
  numerosUsados_ = 0;
  if (!cheios_.empty()) {
    cheios_.clear();
  }
  // Columns are bytes in a code page of one byte a character, and in ASCII.
  porBytes_ = paraUtf8_ != nullptr || ascii;
  sse2_ = UsaSse2();
  if (layout_->leituraComPipe) {
    return false;
  }
  // In a UTF-8 line with accents one walk finds where the plan's fields begin and end and, past
  // them, where the record ends.
  PercursoUtf8 percurso(linha);
  bool cobre = linha.size() >= planoCobre_;
  if (!porBytes_ && !plano_.empty()) {
    for (std::size_t i = 0; i < fronteiras_.size(); ++i) {
      deslocamentos_[i] = percurso.Deslocamento(fronteiras_[i]);
    }
    cobre = percurso.Antes() >= planoCobre_;
  }
  // A line that goes on past the record (and its field-end separators) with more than blanks.
  if (linha.size() > comprimento_ &&
      !Apara(linha.substr(porBytes_ ? comprimento_ : percurso.Deslocamento(comprimento_)))
           .empty()) {
    Recusa(MotivoRecusa::kLinhaLonga, nullptr, porBytes_ ? linha.size() : ContaCaracteres(linha),
           comprimento_);
    return false;
  }
  return !plano_.empty() && cobre;
}

void LeitorDeLinha::LeCampos(std::string_view linha) {
  if (layout_->leituraComPipe) {
    LeBarras(linha);
  } else {
    LeFixa(linha);
  }
}

void LeitorDeLinha::Recusa(MotivoRecusa motivo, const clLayoutCpo* campo, std::size_t quantidade,
                           std::size_t limite) {
  if (recusa_.motivo != MotivoRecusa::kNenhum) {
    return;  // the first problem is the one told
  }
  recusa_.motivo = motivo;
  recusa_.campo = campo;
  recusa_.quantidade = quantidade;
  recusa_.limite = limite;
}

std::string LeitorDeLinha::Utf8(std::string_view texto, bool daLinha) {
  if (daLinha && paraUtf8_ != nullptr && !EhAscii(texto)) {
    return std::string(paraUtf8_(texto, conversao_));
  }
  return std::string(texto);
}

inline void LeitorDeLinha::Atribui(std::size_t indice, std::string_view texto, bool daLinha,
                                   std::string_view linha) {
  const Campo& k = campos_[indice];
  Valor& v = valores_[indice];
  if (k.apara) {
    texto = Apara(texto);
  }
  // Member by member: a whole Valor built apart and copied in costs a stall on every field.
  v.texto = texto;
  v.daLinha = daLinha;
  v.numero = false;
  if (k.numero) {
    Guarda guarda{*this};
    if (LeNumero(k, indice, v, linha, guarda)) {
      numerosUsados_ += v.texto.size();
    } else {
      NaoEhNumero(k, v);
    }
  }
}

void LeitorDeLinha::CresceNumeros(std::size_t bytes) {
  const std::size_t antes = numeros_.size();
  if (numerosUsados_ > 0) {
    // The numbers written stay where they are, for their values, until the next line.
    cheios_.emplace_back().swap(numeros_);
  }
  numeros_.resize(std::max(bytes, 2 * antes + 4096));
  numerosUsados_ = 0;
}

std::string_view LeitorDeLinha::NumeroEmUtf8(std::string_view numero) {
  return EhAscii(numero) ? numero : paraUtf8_(numero, conversao_);
}

void LeitorDeLinha::NaoEhNumero(const Campo& k, Valor& v) {
  v.texto = Apara(v.texto);
  if (recusa_.motivo == MotivoRecusa::kNenhum) {
    recusa_.valor = Utf8(v.texto, v.daLinha);
  }
  Recusa(MotivoRecusa::kNaoEhNumero, k.campo);
}

void LeitorDeLinha::LeFixa(std::string_view linha) {
  const bool porBytes = porBytes_;
  // Columns count characters: one walk along the line finds where every field begins and ends
  // (the fields come in column order).
  const clLayoutReg& l = *layout_;
  PercursoUtf8 percurso(linha);
  const auto deslocamento = [&](std::size_t caractere) {
    return porBytes ? std::min(caractere, linha.size()) : percurso.Deslocamento(caractere);
  };
  std::size_t desvio = 0;  // field-end separators found before this field
  for (std::size_t k = 0; k < l.porColuna_.size(); ++k) {
    const clLayoutCpo& c = *l.porColuna_[k];
    const std::size_t indice = l.indicePorColuna_[k];
    if (!c.operacao.empty()) {
      Atribui(indice, c.operacao, false, linha);
    } else if (c.inicio >= 1 && c.tamanho > 0) {
      const std::size_t de = static_cast<std::size_t>(c.inicio - 1) + desvio;
      const auto n = static_cast<std::size_t>(c.tamanho);
      const std::size_t a = deslocamento(de);
      const std::size_t b = deslocamento(de + n);
      const std::string_view texto = linha.substr(a, b - a);
      // A number cut by the end of the line would read as another number.
      if (a < linha.size() && b == linha.size() && campos_[indice].numero) {
        const std::size_t caracteres = porBytes ? linha.size() : percurso.Antes();
        if (de + n > caracteres) {
          Valor& v = valores_[indice];
          v.texto = texto;
          v.daLinha = true;
          v.numero = false;
          Recusa(MotivoRecusa::kNumeroCortado, &c, caracteres);
          continue;  // the line ends here
        }
      }
      Atribui(indice, texto, true, linha);
    } else {
      Atribui(indice, {}, false, linha);
    }
    // The field-end separator, which the record has after the columns of a field that has any.
    if (c.SeparadorNoFinalEfetivo() && c.tamanho > 0 && c.fim >= 1) {
      const std::size_t depois = deslocamento(static_cast<std::size_t>(c.fim) + desvio);
      if (linha.substr(depois).starts_with(kSeparadorNoFinalDoCampo)) {
        desvio += 1;
      }
    }
  }
}

void LeitorDeLinha::LeBarras(std::string_view linha) {
  const bool porBytes = porBytes_;
  const std::size_t n = campos_.size();
  if (!linha.empty() && linha.find('|') == std::string_view::npos) {
    for (std::size_t i = 0; i < n; ++i) {
      Atribui(i, {}, false, linha);
    }
    Recusa(MotivoRecusa::kSemBarra, nullptr);
    return;
  }
  const auto caracteres = [porBytes](std::string_view texto) {
    return porBytes ? texto.size() : ContaCaracteres(texto);
  };
  std::string_view resto = linha;
  if (!resto.empty() && resto.front() == '|') {
    resto.remove_prefix(1);
  }
  bool acabou = resto.empty();
  for (std::size_t i = 0; i < n; ++i) {
    if (acabou) {
      Atribui(i, {}, false, linha);
      continue;
    }
    const clLayoutCpo& c = *campos_[i].campo;
    const auto p = resto.find('|');
    std::string_view valor = resto.substr(0, p);
    const auto tamanho = static_cast<std::size_t>(std::max(c.tamanho, 0));
    bool longo = false;
    if (caracteres(valor) > tamanho) {
      // What is kept is what was measured: the value without its blanks, when that fits.
      const std::string_view aparado = Apara(valor);
      const std::size_t largura = caracteres(aparado);
      longo = largura > tamanho;
      if (!longo) {
        valor = aparado;
      } else if (recusa_.motivo == MotivoRecusa::kNenhum) {
        recusa_.valor = Utf8(aparado, true);
        Recusa(MotivoRecusa::kValorLongo, &c, largura);
      }
    }
    if (longo) {
      Valor& v = valores_[i];
      v.texto = valor;
      v.daLinha = true;
      v.numero = false;
    } else {
      Atribui(i, valor, true, linha);
    }
    if (p == std::string_view::npos) {
      acabou = true;
    } else {
      resto.remove_prefix(p + 1);
      acabou = resto.empty();
    }
  }
  // What stands after the last field's value: nothing, or empty values.
  if (!acabou && resto.find_first_not_of("| \t") != std::string_view::npos) {
    const auto barras = static_cast<std::size_t>(std::count(resto.begin(), resto.end(), '|'));
    const std::size_t valores = n + 1 + barras - (resto.back() == '|' ? 1 : 0);
    Recusa(MotivoRecusa::kValoresDemais, nullptr, valores, n);
  }
}

}  // namespace lumbrava
