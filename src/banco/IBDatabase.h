#pragma once
// TIBDatabase: one connection to a Firebird database file. A local path opens
// through the embedded engine; "host/port:path" reaches a server unchanged.
#include <memory>
#include <string>

#include "banco/Alca.h"
#include "banco/ListaObjetos.h"
#include "banco/SemCopia.h"
#include "comum/ListaTexto.h"

class TIBTransaction;
class TIBQuery;

namespace banco {
class CacheDeComandos;
}  // namespace banco

class TIBDatabase : private banco::SemCopia {
 public:
  TIBDatabase();
  // Disconnects (active transactions end with commit) and unbinds what still
  // names this connection. Never raises.
  ~TIBDatabase();

  const std::u16string& DatabaseName() const { return databaseName_; }
  // Fails with "Cannot perform operation -- DB is currently open" while connected.
  void SetDatabaseName(const std::u16string& nome);

  // Connection parameters, lines "name=value"; user_name and password are used.
  comum::TStringList& Params() { return params_; }

  bool LoginPrompt() const { return loginPrompt_; }
  void SetLoginPrompt(bool valor) { loginPrompt_ = valor; }

  TIBTransaction* DefaultTransaction() const { return defaultTransaction_; }
  // A transaction that names no connection is bound to this one; one that
  // names another connection fails with "Transaction belongs to another database".
  void SetDefaultTransaction(TIBTransaction* transacao);

  // Setting it loads the client library: a missing library fails here.
  const std::u16string& ServerType() const { return serverType_; }
  void SetServerType(const std::u16string& tipo);

  bool Connected() const { return handle_ != 0; }
  // true attaches (nothing when connected); false closes the open statement
  // objects, ends the active transactions with commit and detaches. Raise the
  // server's error.
  void SetConnected(bool conectar);

  // 3 at creation, lowered to the database's dialect on connecting.
  int SQLDialect() const { return sqlDialect_; }
  void SetSQLDialect(int dialeto) { sqlDialect_ = dialeto; }

  // Asks the server for one piece of information. On any failure the
  // connection is closed by force and false is returned; never raises.
  bool TestConnected();

 private:
  friend class TIBTransaction;
  friend class TIBQuery;

  void Conecta();
  void Desconecta();
  // Closes the connection ignoring every error on the way.
  void ForceClose();
  // Closes every statement object bound to the connection and ends every
  // active transaction of its list with the default action.
  void EncerraDependentes();
  void VerificaConectado() const;

  std::u16string databaseName_;
  comum::TStringList params_;
  bool loginPrompt_ = true;
  TIBTransaction* defaultTransaction_ = nullptr;
  std::u16string serverType_;
  int sqlDialect_ = 3;
  banco::Alca handle_ = 0;
  banco::ListaObjetos<TIBTransaction> transacoes_;
  banco::ListaObjetos<TIBQuery> queries_;
  std::unique_ptr<banco::CacheDeComandos> comandos_;
};
