#pragma once
// TIBTransaction: one transaction on one connection, started with an empty
// parameter block (the server's defaults: snapshot, wait, read-write).
// Default action commit, applied when destroyed or disconnected while active.
#include <ibase.h>

#include <vector>

class TIBDatabase;
class TIBQuery;

class TIBTransaction {
 public:
  TIBTransaction();
  ~TIBTransaction();
  TIBTransaction(const TIBTransaction&) = delete;
  TIBTransaction& operator=(const TIBTransaction&) = delete;

  TIBDatabase* DefaultDatabase() const { return database_; }
  // Enters the transaction in the connection's list.
  void SetDefaultDatabase(TIBDatabase* banco);

  bool Active() const { return handle_ != 0; }
  // true: StartTransaction when not active; false: Rollback when active.
  void SetActive(bool ativo);

  // Fails with "Transaction is active" or "Cannot perform operation -- DB is not open".
  void StartTransaction();
  // Fail with "Transaction is not active". Close every open statement object
  // of the transaction and free their prepared statements first.
  void Commit();
  void Rollback();

  // Ends an active transaction with the default action (commit, and rollback
  // when the commit fails); the handle is cleared whatever happens.
  void EncerraComAcaoPadrao(bool ignorarErros);

  // Used by the layer itself.
  isc_tr_handle* HandlePtr() { return &handle_; }
  void RegistraQuery(TIBQuery* q);
  void RemoveQuery(TIBQuery* q);
  void DesligaDoBanco() { database_ = nullptr; }

 private:
  void Encerra(bool commit);
  void FechaQueries();

  TIBDatabase* database_ = nullptr;
  isc_tr_handle handle_ = 0;
  std::vector<TIBQuery*> queries_;
};
