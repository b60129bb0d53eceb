#include "banco/IBTransaction.h"

#include "banco/BibliotecaCliente.h"
#include "banco/CacheDeComandos.h"
#include "banco/EsperaPorBloqueio.h"
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

// The connection to the server is gone: not only the network error itself but
// its siblings (a read or write that failed, the attachment shut down), all of
// which leave nothing of the connection to use.
bool ConexaoPerdida(const ISC_STATUS* st) {
  for (ISC_STATUS codigo : {isc_network_error, isc_net_read_err, isc_net_write_err, isc_conn_lost,
                            isc_lost_db_connection, isc_att_shutdown}) {
    if (banco::Contem(st, codigo)) return true;
  }
  return false;
}

}  // namespace

TIBTransaction::TIBTransaction() = default;

TIBTransaction::~TIBTransaction() {
  EncerraComAcaoPadrao();
  for (auto* q : queries_.Copia()) q->DesligaDaTransacao();
  SetDefaultDatabase(nullptr);
}

void TIBTransaction::SetDefaultDatabase(TIBDatabase* banco) {
  if (database_ == banco) return;
  if (database_) {
    database_->comandos_->DescartaDa(this);
    if (database_->defaultTransaction_ == this) database_->defaultTransaction_ = nullptr;
  }
  banco::TrocaDono(this, database_, banco, &TIBDatabase::transacoes_);
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
  if (!database_) throw EIBClientError(u"Cannot perform operation -- DB is not open");
  database_->VerificaConectado();
  // The server's defaults (snapshot, read-write, wait), with the wait on a
  // locked row cut into steps so that the wait can be told.
  const char tpb[] = {isc_tpb_version3,
                      isc_tpb_concurrency,
                      isc_tpb_write,
                      isc_tpb_wait,
                      isc_tpb_lock_timeout,
                      4,
                      static_cast<char>(banco::kSegundosPorEspera),
                      0,
                      0,
                      0};
  Teb teb{&database_->handle_, static_cast<int>(sizeof tpb), tpb};
  ISC_STATUS_ARRAY st{};
  isc_tr_handle h = 0;
  banco::Cliente().start_multiple(st, &h, 1, &teb);
  banco::Verifica(st);
  handle_ = h;
}

void TIBTransaction::Commit() { Encerra(true); }

void TIBTransaction::Rollback() { Encerra(false); }

void TIBTransaction::Encerra(bool commit) {
  if (!Active()) throw EIBClientError(u"Transaction is not active");
  TIBQuery::UnprepareTodas(queries_);
  if (database_) database_->comandos_->DescartaDa(this);
  const auto& fb = banco::Cliente();
  ISC_STATUS_ARRAY st{};
  if (commit) {
    fb.commit_transaction(st, &handle_);
  } else {
    fb.rollback_transaction(st, &handle_);
  }
  if (banco::Falhou(st)) {
    EIBError erro = banco::ErroDoStatus(st);
    if (ConexaoPerdida(st) && database_) database_->ForceClose();
    throw erro;
  }
  handle_ = 0;
}

void TIBTransaction::EncerraComAcaoPadrao() {
  if (!Active()) return;
  TIBQuery::UnprepareTodas(queries_);
  if (database_) database_->comandos_->DescartaDa(this);
  const auto& fb = banco::Cliente();
  ISC_STATUS_ARRAY st{};
  fb.commit_transaction(st, &handle_);
  if (banco::Falhou(st)) {
    ISC_STATUS_ARRAY st2{};
    fb.rollback_transaction(st2, &handle_);
  }
  handle_ = 0;
}
