#include "banco/IBDatabase.h"

#include "banco/BibliotecaCliente.h"
#include "banco/CacheDeComandos.h"
#include "banco/IBErro.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"
#include "banco/Status.h"
#include "comum/CodePage.h"
#include "comum/Texto.h"

TIBDatabase::TIBDatabase() : comandos_(std::make_unique<banco::CacheDeComandos>()) {}

TIBDatabase::~TIBDatabase() {
  try {
    SetConnected(false);
  } catch (...) {
    ForceClose();
  }
  for (auto* t : transacoes_.Copia()) t->database_ = nullptr;
  for (auto* q : queries_.Copia()) q->DesligaDoBanco();
}

void TIBDatabase::SetDatabaseName(const std::u16string& nome) {
  if (Connected()) throw EIBClientError(u"Cannot perform operation -- DB is currently open");
  databaseName_ = nome;
}

void TIBDatabase::SetDefaultTransaction(TIBTransaction* transacao) {
  // The default transaction is always one of the connection's own, so that
  // its destruction clears it here.
  if (transacao && transacao->DefaultDatabase() && transacao->DefaultDatabase() != this) {
    throw EIBClientError(u"Transaction belongs to another database");
  }
  if (transacao && !transacao->DefaultDatabase()) transacao->SetDefaultDatabase(this);
  defaultTransaction_ = transacao;
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

namespace {

// The database parameter block: the version byte, then one item per known
// parameter line (code, length, value).
std::string MontaDpb(const comum::TStringList& params) {
  std::string dpb;
  dpb.push_back(static_cast<char>(isc_dpb_version1));
  for (const auto& linha : params.Linhas()) {
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
  // File names on this system are UTF-8: the path goes as UTF-8 and says so.
  dpb.push_back(static_cast<char>(isc_dpb_utf8_filename));
  dpb.push_back(0);
  return dpb;
}

}  // namespace

void TIBDatabase::Conecta() {
  if (Connected()) return;
  if (databaseName_.empty()) throw EIBClientError(u"Database name is missing");
  const auto& fb = banco::Cliente();
  std::string dpb = MontaDpb(params_);
  std::string nome = texto::ParaUtf8(databaseName_);
  ISC_STATUS_ARRAY st{};
  isc_db_handle h = 0;
  fb.attach_database(st, static_cast<short>(nome.size()), nome.c_str(), &h, static_cast<short>(dpb.size()), dpb.data());
  banco::Verifica(st);
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

void TIBDatabase::EncerraDependentes() {
  TIBQuery::UnprepareTodas(queries_);
  for (auto* t : transacoes_.Copia()) t->EncerraComAcaoPadrao();
  // Freed while the attachment is still there.
  comandos_->Limpa();
}

void TIBDatabase::Desconecta() {
  if (!Connected()) return;
  EncerraDependentes();
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
  char item = isc_info_base_level;
  char resposta[512]{};
  ISC_STATUS_ARRAY st{};
  banco::Cliente().database_info(st, &handle_, 1, &item, sizeof resposta, resposta);
  if (!banco::Falhou(st)) return true;
  ForceClose();
  return false;
}

void TIBDatabase::ForceClose() {
  EncerraDependentes();
  if (handle_) {
    ISC_STATUS_ARRAY st{};
    banco::Cliente().detach_database(st, &handle_);
    handle_ = 0;
  }
}

void TIBDatabase::VerificaConectado() const {
  if (!Connected()) throw EIBClientError(u"Cannot perform operation -- DB is not open");
}
