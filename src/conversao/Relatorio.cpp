#include "conversao/Relatorio.h"

namespace relatorio {

namespace {

struct Estado {
  TRelatorio* relatorio = nullptr;
  std::chrono::steady_clock::time_point inicioTabela{};
  std::int64_t linha = 0;
  std::u16string codigo;
};

Estado& estado() {
  static Estado e;
  return e;
}

Tabela* TabelaAtual() {
  TRelatorio* r = estado().relatorio;
  if (r == nullptr || r->tabelas.empty() || r->tabelas.back().concluida) return nullptr;
  return &r->tabelas.back();
}

}  // namespace

std::int64_t Tabela::Gravadas(const std::u16string& tabelaDestino) const {
  for (const auto& [nomeDestino, n] : gravadas)
    if (nomeDestino == tabelaDestino) return n;
  return 0;
}

std::int64_t Tabela::Criadas(const std::u16string& tabelaDestino) const {
  std::int64_t n = 0;
  for (const ReferenciaCriada& c : criadas)
    if (c.tabela == tabelaDestino) ++n;
  return n;
}

Situacao Tabela::SituacaoFinal() const {
  if (confirmada) return Situacao::Confirmada;
  return esvaziada ? Situacao::Esvaziada : Situacao::ComoEstava;
}

std::vector<std::pair<std::u16string, Situacao>> TRelatorio::Situacoes() const {
  std::vector<std::pair<std::u16string, Situacao>> s;
  for (const std::u16string& marcada : marcadas) {
    std::u16string nome = marcada;
    if (!nome.empty() && nome[0] >= u'a' && nome[0] <= u'z') nome[0] = static_cast<char16_t>(nome[0] - u'a' + u'A');
    Situacao situacao = Situacao::ComoEstava;
    for (const Tabela& t : tabelas)
      if (t.nome == nome) situacao = t.SituacaoFinal();
    s.emplace_back(nome, situacao);
  }
  return s;
}

std::int64_t TRelatorio::TotalGravado(const std::u16string& tabelaDestino) const {
  std::int64_t n = 0;
  for (const Tabela& t : tabelas) n += t.Gravadas(tabelaDestino) + t.Criadas(tabelaDestino);
  return n;
}

Gravacao::Gravacao(TRelatorio& relatorio) : anterior_(estado().relatorio) {
  estado() = Estado{};
  estado().relatorio = &relatorio;
}

Gravacao::~Gravacao() {
  estado() = Estado{};
  estado().relatorio = anterior_;
}

void IniciaTabela(const std::u16string& nome, const std::u16string& origem) {
  Estado& e = estado();
  if (e.relatorio == nullptr) return;
  Tabela t;
  t.nome = nome;
  t.origem = origem;
  e.relatorio->tabelas.push_back(std::move(t));
  e.inicioTabela = std::chrono::steady_clock::now();
  e.linha = 0;
  e.codigo.clear();
}

void TerminaTabela() {
  Estado& e = estado();
  Tabela* t = TabelaAtual();
  if (t == nullptr) return;
  t->segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - e.inicioTabela).count();
  t->concluida = true;
  e.linha = 0;
  e.codigo.clear();
}

void IniciaLinha(std::int64_t numero, const std::u16string& codigo) {
  Estado& e = estado();
  Tabela* t = TabelaAtual();
  if (t == nullptr) return;
  ++t->lidas;
  e.linha = numero;
  e.codigo = codigo;
}

void Gravou(const std::u16string& tabelaDestino) {
  Tabela* t = TabelaAtual();
  if (t == nullptr) return;
  for (auto& [nomeDestino, n] : t->gravadas) {
    if (nomeDestino == tabelaDestino) {
      ++n;
      return;
    }
  }
  t->gravadas.emplace_back(tabelaDestino, 1);
}

void Ignorou(const std::u16string& motivo) {
  Estado& e = estado();
  Tabela* t = TabelaAtual();
  if (t == nullptr) return;
  t->ignoradas.push_back({e.linha, e.codigo, motivo});
}

void Criou(const std::u16string& tabela, const std::u16string& codigo, const std::u16string& descricao,
           const std::u16string& estadoUf) {
  Tabela* t = TabelaAtual();
  if (t == nullptr) return;
  t->criadas.push_back({tabela, codigo, descricao, estadoUf});
}

void EsvaziamentoConfirmado() {
  if (Tabela* t = TabelaAtual()) t->esvaziada = true;
}

void Confirmou() {
  TRelatorio* r = estado().relatorio;
  if (r == nullptr) return;
  for (Tabela& t : r->tabelas)
    if (t.concluida) t.confirmada = true;
}

void ConfirmouTudo() {
  TRelatorio* r = estado().relatorio;
  if (r == nullptr) return;
  for (Tabela& t : r->tabelas) t.confirmada = true;
}

void Falhou(const std::u16string& motivo) {
  Estado& e = estado();
  if (e.relatorio == nullptr) return;
  Falha f;
  f.motivo = motivo;
  if (Tabela* t = TabelaAtual()) {
    f.tabela = t->nome;
    t->segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - e.inicioTabela).count();
    f.linha = e.linha;
    f.codigo = e.codigo;
  }
  e.relatorio->falha = std::move(f);
}

}  // namespace relatorio
