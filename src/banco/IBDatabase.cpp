#include "banco/IBDatabase.h"

#include <algorithm>

#include "banco/BibliotecaCliente.h"
#include "banco/IBErro.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"
#include "banco/Status.h"
#include "comum/CodePage.h"
#include "comum/Texto.h"

TIBDatabase::TIBDatabase() = default;

TIBDatabase::~TIBDatabase() {
  try {
    SetConnected(false);
  } catch (...) {
    ForceClose();
  }
  for (auto* t : transacoes_) t->DesligaDoBanco();
  for (auto* q : queries_) q->DesligaDoBanco();
}

void TIBDatabase::SetDatabaseName(const std::u16string& nome) {
  if (Connected()) throw EIBClientError(u"Cannot perform operation -- DB is currently open");
  databaseName_ = nome;
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction* transacao) {
  defaultTransaction_ = transacao;
  if (transacao && std::find(transacoes_.begin(), transacoes_.end(), transacao) == transacoes_.end()) {
    transacoes_.push_back(transacao);
  }
}

void TIBDatabase::SetServerType(const std::u16string& tipo) {
  serverType_ = tipo;
  banco::CarregaBibliotecaCliente();
}

void TIBDatabase::SetConnected(bool conectar) {
  if (conectar) {
    Conecta();
  } else {
    Desconecta();
  }
}

std::string TIBDatabase::MontaDpb() const {
  std::string dpb;
  dpb.push_back(static_cast<char>(isc_dpb_version1));
  for (const auto& linha : params_.Linhas()) {
    auto p = linha.find(u'=');
    std::u16string nome = texto::LowerCase(texto::Trim(linha.substr(0, p)));
    if (nome.empty()) continue;
    if (nome.rfind(u"isc_dpb_", 0) == 0) nome = nome.substr(8);
    std::u16string valor = p == std::u16string::npos ? std::u16string() : linha.substr(p + 1);
    int codigo = 0;
    if (nome == u"user_name") {
      codigo = isc_dpb_user_name;
    } else if (nome == u"password") {
      codigo = isc_dpb_password;
    } else if (nome == u"lc_ctype") {
      codigo = isc_dpb_lc_ctype;
    } else if (nome == u"sql_role_name") {
      codigo = isc_dpb_sql_role_name;
    } else {
      continue;
    }
    std::string bytes = codepage::ParaAnsi(valor);
    if (bytes.size() > 255) bytes.resize(255);
    dpb.push_back(static_cast<char>(codigo));
    dpb.push_back(static_cast<char>(bytes.size()));
    dpb += bytes;
  }
  return dpb;
}

void TIBDatabase::Conecta() {
  if (Connected()) return;
  if (databaseName_.empty()) throw EIBClientError(u"Database name is missing");
  const auto& fb = banco::Cliente();
  std::string dpb = MontaDpb();
  std::string nome = codepage::ParaAnsi(databaseName_);
  ISC_STATUS_ARRAY st{};
  isc_db_handle h = 0;
  fb.attach_database(st, static_cast<short>(nome.size()), nome.c_str(), &h, static_cast<short>(dpb.size()),
                     dpb.data());
  if (banco::Falhou(st)) throw banco::ErroDoStatus(st);
  handle_ = h;

  // The database's dialect; an answer without the item counts as dialect 1.
  char item = isc_info_db_sql_dialect;
  char resposta[32]{};
  int dialetoBanco = 1;
  fb.database_info(st, &handle_, 1, &item, sizeof resposta, resposta);
  if (!banco::Falhou(st) && resposta[0] == isc_info_db_sql_dialect) {
    auto n = static_cast<short>(fb.vax_integer(resposta + 1, 2));
    dialetoBanco = static_cast<int>(fb.vax_integer(resposta + 3, n));
  }
  if (dialetoBanco < sqlDialect_) sqlDialect_ = dialetoBanco;
}

void TIBDatabase::Desconecta() {
  if (!Connected()) return;
  for (auto* q : std::vector<TIBQuery*>(queries_)) {
    q->Close();
    q->Unprepare();
  }
  for (auto* t : std::vector<TIBTransaction*>(transacoes_)) t->EncerraComAcaoPadrao(false);
  ISC_STATUS_ARRAY st{};
  banco::Cliente().detach_database(st, &handle_);
  if (banco::Falhou(st)) {
    EIBError erro = banco::ErroDoStatus(st);
    ForceClose();
    throw erro;
  }
  handle_ = 0;
}

bool TIBDatabase::TestConnected() {
  if (!Connected()) return false;
  try {
    char item = isc_info_base_level;
    char resposta[512]{};
    ISC_STATUS_ARRAY st{};
    banco::Cliente().database_info(st, &handle_, 1, &item, sizeof resposta, resposta);
    if (!banco::Falhou(st)) return true;
  } catch (...) {
  }
  ForceClose();
  return false;
}

void TIBDatabase::ForceClose() {
  for (auto* q : std::vector<TIBQuery*>(queries_)) {
    try {
      q->Close();
      q->Unprepare();
    } catch (...) {
    }
  }
  for (auto* t : std::vector<TIBTransaction*>(transacoes_)) {
    try {
      t->EncerraComAcaoPadrao(true);
    } catch (...) {
    }
  }
  if (handle_) {
    ISC_STATUS_ARRAY st{};
    try {
      banco::Cliente().detach_database(st, &handle_);
    } catch (...) {
    }
    handle_ = 0;
  }
}

void TIBDatabase::CreateDatabase(const std::u16string& caminho, int dialeto, const std::u16string& usuario,
                                 const std::u16string& senha) {
  const auto& fb = banco::Cliente();
  auto aspas = [](const std::u16string& v) {
    std::u16string r = u"'";
    for (char16_t c : v) {
      r.push_back(c);
      if (c == u'\'') r.push_back(c);
    }
    return r + u"'";
  };
  std::string sql = codepage::ParaAnsi(u"CREATE DATABASE " + aspas(caminho) + u" USER " + aspas(usuario) +
                                       u" PASSWORD " + aspas(senha) + u" PAGE_SIZE 8192 DEFAULT CHARACTER SET NONE");
  ISC_STATUS_ARRAY st{};
  isc_db_handle db = 0;
  isc_tr_handle tr = 0;
  fb.dsql_execute_immediate(st, &db, &tr, 0, sql.c_str(), static_cast<unsigned short>(dialeto), nullptr);
  banco::Verifica(st);
  fb.detach_database(st, &db);
  banco::Verifica(st);
}

void TIBDatabase::RegistraTransacao(TIBTransaction* t) {
  if (std::find(transacoes_.begin(), transacoes_.end(), t) == transacoes_.end()) transacoes_.push_back(t);
}

void TIBDatabase::RemoveTransacao(TIBTransaction* t) {
  transacoes_.erase(std::remove(transacoes_.begin(), transacoes_.end(), t), transacoes_.end());
  if (defaultTransaction_ == t) defaultTransaction_ = nullptr;
}

void TIBDatabase::RegistraQuery(TIBQuery* q) {
  if (std::find(queries_.begin(), queries_.end(), q) == queries_.end()) queries_.push_back(q);
}

void TIBDatabase::RemoveQuery(TIBQuery* q) { queries_.erase(std::remove(queries_.begin(), queries_.end(), q), queries_.end()); }

void TIBDatabase::VerificaConectado() const {
  if (!Connected()) throw EIBClientError(u"Cannot perform operation -- DB is not open");
}
