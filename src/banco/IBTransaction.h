#pragma once
// TIBTransaction: one transaction on one connection, started with an empty
// parameter block (the server's defaults: snapshot, wait, read-write).
// Default action commit, applied when destroyed or disconnected while active.
#include "banco/Alca.h"
#include "banco/ListaObjetos.h"
#include "banco/SemCopia.h"

class TIBDatabase;
class TIBQuery;

class TIBTransaction : private banco::SemCopia {
 public:
  TIBTransaction();
  // Ends an active transaction with commit (rollback when that fails) and
  // unbinds the statement objects that work in it. Never raises.
  ~TIBTransaction();

  TIBDatabase* DefaultDatabase() const { return database_; }
  // Enters the transaction in the connection's list (and leaves the old one's).
  void SetDefaultDatabase(TIBDatabase* banco);

  bool Active() const { return handle_ != 0; }
  // true: StartTransaction when not active; false: Rollback when active.
  void SetActive(bool ativo);

  // Fails with "Transaction is active" or "Cannot perform operation -- DB is not open".
  void StartTransaction();
  // Fail with "Transaction is not active". Close every open statement object
  // of the transaction and free their prepared statements first; a server
  // failure is raised and the transaction stays active.
  void Commit();
  void Rollback();

 private:
  friend class TIBDatabase;
  friend class TIBQuery;

  void Encerra(bool commit);
  // Ends an active transaction with the default action (commit, and rollback
  // when the commit fails); the handle is cleared whatever happens. Never raises.
  void EncerraComAcaoPadrao();

  TIBDatabase* database_ = nullptr;
  banco::Alca handle_ = 0;
  banco::ListaObjetos<TIBQuery> queries_;
};
