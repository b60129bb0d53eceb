#include "comum/ListaTexto.h"

#include "comum/Texto.h"
#include "comum/TrechoSql.h"

namespace comum {

std::u16string TStringList::Text() const {
  std::u16string t;
  for (const auto& l : linhas_) {
    t += l;
    t += u"\r\n";
  }
  return t;
}

void TStringList::SetText(const std::u16string& texto) {
  linhas_.clear();
  std::u16string atual;
  // Only line breaks, and outside quotes also quote and comment starts, need
  // a look: the stretches between them are copied whole.
  const bool foraDeAspas = divisao_ == Divisao::ForaDeAspas;
  const char16_t* especiais = foraDeAspas ? u"'\"-/\r\n" : u"\r\n";
  std::size_t i = 0;
  while (i < texto.size()) {
    const std::size_t j = texto.find_first_of(especiais, i);
    if (j == std::u16string::npos) {
      atual.append(texto, i, std::u16string::npos);
      break;
    }
    atual.append(texto, i, j - i);
    i = j;
    if (foraDeAspas) {
      const std::size_t fim = sql::FimDoTrecho(texto, i);
      if (fim > i) {
        atual.append(texto, i, fim - i);
        i = fim;
        continue;
      }
    }
    const char16_t c = texto[i];
    if (c == u'\r' || c == u'\n') {
      linhas_.push_back(atual);
      atual.clear();
      if (c == u'\r' && i + 1 < texto.size() && texto[i + 1] == u'\n') ++i;
    } else {
      atual.push_back(c);
    }
    ++i;
  }
  if (!atual.empty()) linhas_.push_back(atual);
  Mudou();
}

void TStringList::Clear() {
  linhas_.clear();
  Mudou();
}

void TStringList::Add(const std::u16string& linha) {
  linhas_.push_back(linha);
  Mudou();
}

std::u16string TStringList::NomeDaLinha(const std::u16string& linha) {
  auto p = linha.find(u'=');
  if (p == std::u16string::npos) return {};
  return linha.substr(0, p);
}

int TStringList::IndiceDoNome(const std::u16string& nome) const {
  for (std::size_t i = 0; i < linhas_.size(); ++i) {
    auto p = linhas_[i].find(u'=');
    if (p == std::u16string::npos) continue;
    if (texto::IgualSemCaixa(std::u16string_view(linhas_[i]).substr(0, p), nome)) return static_cast<int>(i);
  }
  return -1;
}

std::u16string TStringList::Values(const std::u16string& nome) const {
  int i = IndiceDoNome(nome);
  if (i < 0) return {};
  const auto& l = linhas_[static_cast<std::size_t>(i)];
  return l.substr(l.find(u'=') + 1);
}

void TStringList::SetValues(const std::u16string& nome, const std::u16string& valor) {
  int i = IndiceDoNome(nome);
  if (i < 0) {
    linhas_.push_back(nome + u"=" + valor);
  } else {
    linhas_[static_cast<std::size_t>(i)] = nome + u"=" + valor;
  }
  Mudou();
}

void TStringList::Mudou() {
  if (AoMudar) AoMudar();
}

}  // namespace comum
