#include "banco/IBTransaction.h"

#include <algorithm>

#include "banco/BibliotecaCliente.h"
#include "banco/IBDatabase.h"
#include "banco/IBErro.h"
#include "banco/IBQuery.h"
#include "banco/Status.h"

namespace {

// One entry of the transaction-existence block of isc_start_multiple.
struct Teb {
  isc_db_handle* banco;
  int comprimentoTpb;
  const char* tpb;
};

}  // namespace

TIBTransaction::TIBTransaction() = default;

TIBTransaction::~TIBTransaction() {
  if (Active()) {
    try {
      EncerraComAcaoPadrao(false);
    } catch (...) {
    }
  }
  for (auto* q : std::vector<TIBQuery*>(queries_)) q->DesligaDaTransacao();
  if (database_) database_->RemoveTransacao(this);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* banco) {
  if (database_ == banco) return;
  if (database_) database_->RemoveTransacao(this);
  database_ = banco;
  if (database_) database_->RegistraTransacao(this);
}

void TIBTransaction::SetActive(bool ativo) {
  if (ativo && !Active()) {
    StartTransaction();
  } else if (!ativo && Active()) {
    Rollback();
  }
}

void TIBTransaction::StartTransaction() {
  if (Active()) throw EIBClientError(u"Transaction is active");
  if (!database_ || !database_->Connected()) throw EIBClientError(u"Cannot perform operation -- DB is not open");
  Teb teb{database_->HandlePtr(), 0, nullptr};
  ISC_STATUS_ARRAY st{};
  isc_tr_handle h = 0;
  banco::Cliente().start_multiple(st, &h, 1, &teb);
  banco::Verifica(st);
  handle_ = h;
}

void TIBTransaction::Commit() { Encerra(true); }

void TIBTransaction::Rollback() { Encerra(false); }

void TIBTransaction::FechaQueries() {
  for (auto* q : std::vector<TIBQuery*>(queries_)) {
    q->Close();
    q->Unprepare();
  }
}

void TIBTransaction::Encerra(bool commit) {
  if (!Active()) throw EIBClientError(u"Transaction is not active");
  FechaQueries();
  const auto& fb = banco::Cliente();
  ISC_STATUS_ARRAY st{};
  if (commit) {
    fb.commit_transaction(st, &handle_);
  } else {
    fb.rollback_transaction(st, &handle_);
  }
  if (banco::Falhou(st)) {
    EIBError erro = banco::ErroDoStatus(st);
    if (erro.SQLCode() == -902 && erro.IBErrorCode() == isc_network_error && database_) database_->ForceClose();
    throw erro;
  }
  handle_ = 0;
}

void TIBTransaction::EncerraComAcaoPadrao(bool ignorarErros) {
  if (!Active()) return;
  try {
    FechaQueries();
  } catch (...) {
    if (!ignorarErros) throw;
  }
  const auto& fb = banco::Cliente();
  ISC_STATUS_ARRAY st{};
  fb.commit_transaction(st, &handle_);
  if (banco::Falhou(st)) {
    ISC_STATUS_ARRAY st2{};
    fb.rollback_transaction(st2, &handle_);
  }
  handle_ = 0;
}

void TIBTransaction::RegistraQuery(TIBQuery* q) {
  if (std::find(queries_.begin(), queries_.end(), q) == queries_.end()) queries_.push_back(q);
}

void TIBTransaction::RemoveQuery(TIBQuery* q) { queries_.erase(std::remove(queries_.begin(), queries_.end(), q), queries_.end()); }
