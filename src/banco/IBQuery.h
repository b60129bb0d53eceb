#pragma once
// TIBQuery: a statement object that executes one SQL text and, for a SELECT,
// holds every row fetched so far. Prepared once per text; named parameters
// (":NAME") are bound by the type the server describes.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "banco/ListaObjetos.h"
#include "banco/SemCopia.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/ListaTexto.h"

class TIBDatabase;
class TIBTransaction;
class TIBQuery;

namespace banco {
class Comando;
struct Coluna;

// A value read from the server: raw bytes in the column's representation
// (text columns: the text's bytes in the code page).
struct ValorBruto {
  bool nulo = true;
  std::string bytes;
};
}  // namespace banco

// One named parameter: no value (NULL), a text or a date.
class TParam {
 public:
  explicit TParam(std::u16string nome) : nome_(std::move(nome)) {}
  const std::u16string& Name() const { return nome_; }

  // An empty text is a value, not NULL.
  void SetAsString(const std::u16string& valor);
  void SetAsDate(const regional::DataHora& valor);
  // The value as a quoted text written in the statement would be: its bytes
  // go as they are, whatever the length, and the server converts them to the
  // column's type (a date, a number), with the server's own errors.
  void SetAsLiteral(const std::u16string& valor);
  void Clear();

  bool IsNull() const { return tipo_ == Tipo::Nenhum; }
  std::u16string AsString() const;

 private:
  friend class banco::Comando;
  friend class TIBQuery;
  enum class Tipo { Nenhum, Texto, Data, Literal };

  std::u16string nome_;
  Tipo tipo_ = Tipo::Nenhum;
  std::u16string texto_;
  regional::DataHora data_;
};

// One result column; its values are those of the query's current row.
class TField {
 public:
  TField(TIBQuery& query, int indice, std::u16string nome) : query_(&query), indice_(indice), nome_(std::move(nome)) {}
  const std::u16string& FieldName() const { return nome_; }

  // Empty text for NULL; CHAR without trailing blanks; VARCHAR as stored;
  // numbers with "," decimal; dates in the short date format.
  std::u16string AsString() const;
  // 0 for NULL in an integer column; a text column is read as a decimal
  // integer ("''%s'' is not a valid integer value").
  std::int32_t AsInteger() const;
  bool IsNull() const;

 private:
  TIBQuery* query_;
  int indice_;
  std::u16string nome_;
};

class TIBQuery : private banco::SemCopia {
 public:
  TIBQuery();
  // Closes the object and frees its prepared statement.
  ~TIBQuery();

  // Changing the text closes the object, frees the prepared statement and
  // rebuilds the parameter list (values kept for names in both texts).
  comum::TStringList& SQL() { return sql_; }

  // Also binds the connection's DefaultTransaction when no transaction is bound.
  void SetDatabase(TIBDatabase* banco);
  TIBDatabase* Database() const { return database_; }
  void SetTransaction(TIBTransaction* transacao);
  TIBTransaction* Transaction() const { return transaction_; }

  // First parameter of that name, without regard to case; fails with
  // "Parameter '%s' not found".
  TParam& ParamByName(const std::u16string& nome);
  int ParamCount() const { return static_cast<int>(params_.size()); }
  TParam& Params(int i) { return params_.at(static_cast<std::size_t>(i)); }

  // Executes a statement that returns no rows. The transaction is started when
  // not active and left active; nothing is committed by the layer. The
  // statement texts "COMMIT" and "Commit;" commit the transaction on the
  // server and leave it not active.
  void ExecSQL();
  // Executes a SELECT and stands on its first row; nothing when open.
  void Open();
  // Closes the cursor and empties the row cache; the prepared statement stays.
  void Close();
  bool Active() const { return aberto_; }

  bool IsEmpty() const;
  bool Eof() const { return eof_; }
  // Fail with "Cannot perform this operation on a closed dataset" when closed.
  void First();
  void Next();
  void Last();
  // Rows fetched so far; after Last, the rows of the result. One way only:
  // the rows held (at most two).
  int RecordCount() const { return static_cast<int>(linhas_.size()); }

  // One way only: Next keeps no row behind the current one, so a result of
  // any size is read in constant memory. First and Last are then of no use.
  void SetUniDirectional(bool valor) { uniDirecional_ = valor; }

  // Fails with "Field '%s' not found".
  TField& FieldByName(const std::u16string& nome);
  TField* FindField(const std::u16string& nome);
  int FieldCount() const { return static_cast<int>(campos_.size()); }
  TField& Fields(int i) { return *campos_.at(static_cast<std::size_t>(i)); }

 private:
  friend class TField;
  friend class TIBDatabase;
  friend class TIBTransaction;

  // Closes the object and frees its prepared statement; never raises.
  void Unprepare();
  // Unprepare for every statement object of a list (a connection's or a
  // transaction's, before it ends).
  static void UnprepareTodas(const banco::ListaObjetos<TIBQuery>& queries);
  // Called by the connection and the transaction when they go away.
  void DesligaDoBanco();
  void DesligaDaTransacao();
  using Valor = banco::ValorBruto;
  using Linha = std::vector<Valor>;

  void TextoMudou();
  void PreparaExecucao(bool paraAbrir);
  void Prepara();
  void BuscaProxima();
  const Valor& ValorAtual(int indice) const;
  const banco::Coluna& ColunaDe(int indice) const;
  void VerificaAberto() const;

  TIBDatabase* database_ = nullptr;
  TIBTransaction* transaction_ = nullptr;
  // A line break inside a quoted value is part of that value, so the text is
  // split into lines only outside quotes; the lines still join with CR LF.
  comum::TStringList sql_{comum::TStringList::Divisao::ForaDeAspas};
  std::vector<TParam> params_;
  std::unique_ptr<banco::Comando> comando_;
  // The text comando_ was prepared from, in the code page.
  std::string textoPreparado_;
  bool aberto_ = false;
  bool uniDirecional_ = false;
  bool fimDoCursor_ = false;
  bool eof_ = true;
  std::vector<Linha> linhas_;
  int atual_ = -1;
  std::vector<std::unique_ptr<TField>> campos_;
};
