#include "banco/IBQuery.h"

#include <cmath>
#include <cstring>

#include "banco/CacheDeComandos.h"
#include "banco/Comando.h"
#include "banco/Datas.h"
#include "banco/IBDatabase.h"
#include "banco/IBErro.h"
#include "banco/IBTransaction.h"
#include "comum/CodePage.h"
#include "comum/Texto.h"
#include "comum/TrechoSql.h"

namespace {

bool EhInicioIdentificador(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }

bool EhIdentificador(char16_t c) { return EhInicioIdentificador(c) || (c >= u'0' && c <= u'9') || c == u'$'; }

// Replaces every parameter marker outside quoted text and comments by "?" and
// collects the markers' names in order.
std::u16string SubstituiMarcadores(const std::u16string& sql, std::vector<std::u16string>* nomes) {
  std::u16string saida;
  saida.reserve(sql.size());
  std::size_t i = 0;
  while (i < sql.size()) {
    // Only quote and comment starts and colons need a look.
    const std::size_t j = sql.find_first_of(u"'\"-/:", i);
    if (j == std::u16string::npos) {
      saida.append(sql, i, std::u16string::npos);
      break;
    }
    saida.append(sql, i, j - i);
    i = j;
    std::size_t fim = sql::FimDoTrecho(sql, i);
    if (fim > i) {
      saida.append(sql, i, fim - i);
      i = fim;
    } else if (sql[i] == u':' && i + 1 < sql.size() && EhInicioIdentificador(sql[i + 1])) {
      fim = i + 1;
      while (fim < sql.size() && EhIdentificador(sql[fim])) ++fim;
      if (nomes) nomes->push_back(sql.substr(i + 1, fim - i - 1));
      saida.push_back(u'?');
      i = fim;
    } else {
      saida.push_back(sql[i]);
      ++i;
    }
  }
  return saida;
}

template <typename T>
T Le(const std::string& bytes) {
  T v{};
  std::memcpy(&v, bytes.data(), std::min(sizeof v, bytes.size()));
  return v;
}

std::u16string FormataEscalado(std::int64_t valor, int escala) {
  if (escala >= 0) {
    std::u16string s = texto::IntParaTexto(valor);
    if (valor != 0) s.append(static_cast<std::size_t>(escala), u'0');
    return s;
  }
  bool negativo = valor < 0;
  std::uint64_t absoluto = negativo ? 0 - static_cast<std::uint64_t>(valor) : static_cast<std::uint64_t>(valor);
  std::string digitos = std::to_string(absoluto);
  auto casas = static_cast<std::size_t>(-escala);
  if (digitos.size() <= casas) digitos.insert(0, casas - digitos.size() + 1, '0');
  std::string inteira = digitos.substr(0, digitos.size() - casas);
  std::string fracao = digitos.substr(digitos.size() - casas);
  while (!fracao.empty() && fracao.back() == '0') fracao.pop_back();
  std::u16string s = negativo ? u"-" : u"";
  s += texto::DeUtf8(inteira);
  if (!fracao.empty()) {
    s.push_back(regional::SeparadorDecimal);
    s += texto::DeUtf8(fracao);
  }
  return s;
}

}  // namespace

bool ValorLigadoRecusado(const EIBError& erro) {
  // The server's own wording of it: "Dynamic SQL Error", SQL error code -303.
  return erro.IBErrorCode() == isc_dsql_error && erro.SQLCode() == -303;
}

// ---- TParam ----

void TParam::SetAsString(const std::u16string& valor) {
  tipo_ = Tipo::Texto;
  texto_ = valor;
}

void TParam::SetAsDate(const regional::DataHora& valor) {
  tipo_ = Tipo::Data;
  data_ = valor;
}

void TParam::SetAsLiteral(const std::u16string& valor) {
  tipo_ = Tipo::Literal;
  texto_ = valor;
}

void TParam::Clear() {
  tipo_ = Tipo::Nenhum;
  texto_.clear();
}

std::u16string TParam::AsString() const {
  switch (tipo_) {
    case Tipo::Texto:
    case Tipo::Literal:
      return texto_;
    case Tipo::Data:
      return regional::FormataDataHora(data_);
    default:
      return {};
  }
}

// ---- TField ----

bool TField::IsNull() const { return query_->ValorAtual(indice_).nulo; }

std::u16string TField::AsString() const {
  const auto& valor = query_->ValorAtual(indice_);
  if (valor.nulo) return {};
  const banco::Coluna& c = query_->ColunaDe(indice_);
  const std::string& b = valor.bytes;
  switch (c.tipo) {
    case SQL_TEXT: {
      std::size_t fim = b.size();
      while (fim > 0 && b[fim - 1] == ' ') --fim;
      return codepage::DeAnsi(std::string_view(b).substr(0, fim));
    }
    case SQL_VARYING:
    case SQL_BLOB:
      return codepage::DeAnsi(b);
    case SQL_SHORT:
      return FormataEscalado(Le<std::int16_t>(b), c.escala);
    case SQL_LONG:
      return FormataEscalado(Le<std::int32_t>(b), c.escala);
    case SQL_INT64:
      return FormataEscalado(Le<std::int64_t>(b), c.escala);
    case SQL_FLOAT:
      return regional::FormataReal(Le<float>(b));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      return regional::FormataReal(Le<double>(b));
    case SQL_TYPE_DATE:
      return regional::FormataDataCurta(banco::DecodificaData(Le<ISC_DATE>(b)));
    case SQL_TYPE_TIME: {
      regional::DataHora d;
      banco::DecodificaHora(Le<ISC_TIME>(b), d);
      return regional::FormataHoraLonga(d);
    }
    case SQL_TIMESTAMP: {
      auto ts = Le<ISC_TIMESTAMP>(b);
      regional::DataHora d = banco::DecodificaData(ts.timestamp_date);
      banco::DecodificaHora(ts.timestamp_time, d);
      return regional::FormataDataHora(d);
    }
#ifdef SQL_BOOLEAN
    case SQL_BOOLEAN:
      return b.empty() || b[0] == 0 ? u"False" : u"True";
#endif
    default:
      return codepage::DeAnsi(b);
  }
}

std::int32_t TField::AsInteger() const {
  const auto& valor = query_->ValorAtual(indice_);
  const banco::Coluna& c = query_->ColunaDe(indice_);
  auto escalado = [&](std::int64_t v) -> std::int32_t {
    double d = static_cast<double>(v) * std::pow(10.0, c.escala);
    return static_cast<std::int32_t>(std::llround(d));
  };
  switch (c.tipo) {
    case SQL_SHORT:
      return valor.nulo ? 0 : escalado(Le<std::int16_t>(valor.bytes));
    case SQL_LONG:
      return valor.nulo ? 0 : escalado(Le<std::int32_t>(valor.bytes));
    case SQL_INT64:
      return valor.nulo ? 0 : escalado(Le<std::int64_t>(valor.bytes));
    case SQL_FLOAT:
      return valor.nulo ? 0 : static_cast<std::int32_t>(std::lround(Le<float>(valor.bytes)));
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
      return valor.nulo ? 0 : static_cast<std::int32_t>(std::llround(Le<double>(valor.bytes)));
    default: {
      std::u16string t = AsString();
      std::int32_t n = 0;
      if (!texto::LeInteiro(t, n)) throw EIBClientError(u"''" + t + u"'' is not a valid integer value");
      return n;
    }
  }
}

// ---- TIBQuery ----

TIBQuery::TIBQuery() {
  sql_.AoMudar = [this] { TextoMudou(); };
}

TIBQuery::~TIBQuery() {
  try {
    Close();
  } catch (...) {
  }
  Unprepare();
  if (database_) database_->queries_.Retira(this);
  if (transaction_) transaction_->queries_.Retira(this);
}

void TIBQuery::SetDatabase(TIBDatabase* banco) {
  if (banco == database_) return;
  Unprepare();
  banco::TrocaDono(this, database_, banco, &TIBDatabase::queries_);
  if (database_ && !transaction_ && database_->DefaultTransaction()) SetTransaction(database_->DefaultTransaction());
}

void TIBQuery::SetTransaction(TIBTransaction* transacao) {
  if (transacao == transaction_) return;
  Unprepare();
  banco::TrocaDono(this, transaction_, transacao, &TIBTransaction::queries_);
}

void TIBQuery::DesligaDoBanco() {
  Unprepare();
  database_ = nullptr;
}

void TIBQuery::DesligaDaTransacao() {
  Unprepare();
  transaction_ = nullptr;
}

void TIBQuery::TextoMudou() {
  Unprepare();
  std::vector<std::u16string> nomes;
  SubstituiMarcadores(sql_.Text(), &nomes);
  std::vector<TParam> novos;
  novos.reserve(nomes.size());
  for (const auto& nome : nomes) {
    TParam p(nome);
    for (const auto& antigo : params_) {
      if (texto::IgualSemCaixa(antigo.Name(), nome)) {
        // The value carries over; the name is the new text's.
        p = antigo;
        p.nome_ = nome;
        break;
      }
    }
    novos.push_back(std::move(p));
  }
  params_ = std::move(novos);
}

TParam& TIBQuery::ParamByName(const std::u16string& nome) {
  for (auto& p : params_) {
    if (texto::IgualSemCaixa(p.Name(), nome)) return p;
  }
  throw EIBClientError(u"Parameter '" + nome + u"' not found");
}

void TIBQuery::Unprepare() {
  // The fields read the prepared statement's columns: no field may outlive it.
  Close();
  // The connection keeps the statement for the next object that runs its text.
  if (comando_ && database_ && database_->Connected() && transaction_) {
    database_->comandos_->Guarda(std::move(textoPreparado_), transaction_, std::move(comando_));
  }
  comando_.reset();
  textoPreparado_.clear();
}

void TIBQuery::UnprepareTodas(const banco::ListaObjetos<TIBQuery>& queries) {
  for (auto* q : queries.Copia()) q->Unprepare();
}

void TIBQuery::Prepara() {
  if (comando_) return;
  std::u16string texto = SubstituiMarcadores(sql_.Text(), nullptr);
  if (texto::TrimDireita(texto).size() < 2) throw EIBClientError(u"Empty SQL Statement");
  std::string ansi = codepage::ParaAnsi(texto);
  comando_ = database_->comandos_->Toma(ansi, transaction_);
  if (!comando_) {
    comando_ =
        std::make_unique<banco::Comando>(&database_->handle_, &transaction_->handle_, ansi, database_->SQLDialect());
  }
  textoPreparado_ = std::move(ansi);
}

void TIBQuery::PreparaExecucao(bool paraAbrir) {
  if (!paraAbrir && sql_.Count() == 0) throw EIBClientError(u"Empty SQL Statement");
  if (!database_) throw EIBClientError(u"Database not assigned");
  if (!transaction_) throw EIBClientError(u"Transaction not assigned");
  if (!database_->Connected()) database_->SetConnected(true);
  if (!transaction_->Active()) transaction_->StartTransaction();
  Prepara();
  comando_->Vincula(params_, database_->SQLDialect());
}

void TIBQuery::ExecSQL() {
  if (aberto_) throw EIBClientError(u"Cannot perform this operation on an open dataset");
  PreparaExecucao(false);
  if (comando_->EhSelect()) throw EIBClientError(u"use Open for a Select Statement");
  comando_->Executa(&transaction_->handle_, database_->SQLDialect());
  if (comando_->EncerraTransacao()) {
    // The client library clears the handle itself; guard against one that does not.
    transaction_->handle_ = 0;
  }
}

void TIBQuery::Open() {
  if (aberto_) return;
  PreparaExecucao(true);
  if (!comando_->EhSelect()) {
    comando_->Executa(&transaction_->handle_, database_->SQLDialect());
    return;
  }
  comando_->Executa(&transaction_->handle_, database_->SQLDialect());
  campos_.clear();
  const auto& saidas = comando_->Saidas();
  for (std::size_t i = 0; i < saidas.size(); ++i) {
    campos_.push_back(std::make_unique<TField>(*this, static_cast<int>(i), saidas[i].nome));
  }
  aberto_ = true;
  fimDoCursor_ = false;
  linhas_.clear();
  atual_ = -1;
  BuscaProxima();
  atual_ = linhas_.empty() ? -1 : 0;
  eof_ = linhas_.empty();
}

void TIBQuery::BuscaProxima() {
  if (fimDoCursor_) return;
  std::vector<banco::ValorBruto> linha;
  bool achou = false;
  try {
    achou = comando_->Busca(&database_->handle_, &transaction_->handle_, database_->SQLDialect(), linha);
  } catch (...) {
    // The cursor is gone: the object closes with it, so no read finds stale rows.
    Close();
    throw;
  }
  if (!achou) {
    fimDoCursor_ = true;
    comando_->FechaCursor();
    return;
  }
  // One way only: of the rows before it, only the current one is kept.
  if (uniDirecional_ && linhas_.size() > 1) {
    linhas_.erase(linhas_.begin(), linhas_.begin() + (static_cast<std::ptrdiff_t>(linhas_.size()) - 1));
    atual_ = 0;
  }
  linhas_.push_back(std::move(linha));
}

void TIBQuery::Close() {
  if (!aberto_) return;
  aberto_ = false;
  if (comando_) comando_->FechaCursor();
  linhas_.clear();
  linhas_.shrink_to_fit();
  campos_.clear();
  atual_ = -1;
  eof_ = true;
}

bool TIBQuery::IsEmpty() const { return linhas_.empty(); }

void TIBQuery::VerificaAberto() const {
  if (!aberto_) throw EIBClientError(u"Cannot perform this operation on a closed dataset");
}

void TIBQuery::First() {
  VerificaAberto();
  atual_ = linhas_.empty() ? -1 : 0;
  eof_ = linhas_.empty();
}

void TIBQuery::Next() {
  VerificaAberto();
  if (eof_) return;
  if (static_cast<std::size_t>(atual_ + 1) >= linhas_.size()) BuscaProxima();
  if (static_cast<std::size_t>(atual_ + 1) < linhas_.size()) {
    ++atual_;
  } else {
    eof_ = true;
  }
}

void TIBQuery::Last() {
  VerificaAberto();
  while (!fimDoCursor_) BuscaProxima();
  atual_ = static_cast<int>(linhas_.size()) - 1;
  eof_ = linhas_.empty();
}

TField* TIBQuery::FindField(const std::u16string& nome) {
  for (auto& c : campos_) {
    if (texto::IgualSemCaixa(c->FieldName(), nome)) return c.get();
  }
  return nullptr;
}

TField& TIBQuery::FieldByName(const std::u16string& nome) {
  if (TField* f = FindField(nome)) return *f;
  throw EIBClientError(u"Field '" + nome + u"' not found");
}

const TIBQuery::Valor& TIBQuery::ValorAtual(int indice) const {
  static const Valor nulo;
  if (!aberto_ || atual_ < 0 || static_cast<std::size_t>(atual_) >= linhas_.size()) return nulo;
  const Linha& l = linhas_[static_cast<std::size_t>(atual_)];
  if (indice < 0 || static_cast<std::size_t>(indice) >= l.size()) return nulo;
  return l[static_cast<std::size_t>(indice)];
}

const banco::Coluna& TIBQuery::ColunaDe(int indice) const {
  return comando_->Saidas().at(static_cast<std::size_t>(indice));
}
