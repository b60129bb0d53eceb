#include "banco/Comando.h"

#include <chrono>
#include <cstring>

#include "banco/BibliotecaCliente.h"
#include "banco/Datas.h"
#include "banco/EsperaPorBloqueio.h"
#include "banco/Status.h"
#include "comum/CodePage.h"
#include "comum/Texto.h"

namespace banco {

namespace {

XSQLDA* Da(std::unique_ptr<char[]>& buf) { return reinterpret_cast<XSQLDA*>(buf.get()); }

std::unique_ptr<char[]> NovoDa(int n) {
  if (n < 1) n = 1;
  auto buf = std::make_unique<char[]>(XSQLDA_LENGTH(n));
  std::memset(buf.get(), 0, XSQLDA_LENGTH(n));
  auto* da = reinterpret_cast<XSQLDA*>(buf.get());
  da->version = SQLDA_VERSION1;
  da->sqln = static_cast<ISC_SHORT>(n);
  return buf;
}

// The engine ends a step of waiting on a locked row with the same errors as
// a conflict with a committed change (deadlock, update conflict), but only
// after the step's time: a conflict found at once is a real one. Trying again
// after a real conflict that came late only finds it again, at once.
bool FimDeUmPassoDeEspera(const ISC_STATUS* st, std::chrono::steady_clock::duration duracao) {
  using namespace std::chrono_literals;
  const bool conflito = Contem(st, isc_lock_timeout) || Contem(st, isc_update_conflict);
  return conflito && duracao >= std::chrono::milliseconds(kSegundosPorEspera * 1000 / 2);
}

std::string Bytes(const void* p, std::size_t n) { return std::string(static_cast<const char*>(p), n); }

std::u16string TextoErroData(const std::u16string& valor) { return u"''" + valor + u"'' is not a valid date and time"; }

}  // namespace

Comando::Comando(isc_db_handle* banco, isc_tr_handle* transacao, const std::string& textoAnsi, int dialeto) {
  const auto& fb = Cliente();
  ISC_STATUS_ARRAY st{};
  fb.dsql_alloc_statement2(st, banco, &handle_);
  Verifica(st);
  try {
    fb.dsql_prepare(st, transacao, &handle_, static_cast<unsigned short>(textoAnsi.size()), textoAnsi.c_str(),
                    static_cast<unsigned short>(dialeto), nullptr);
    Verifica(st);

    char item = isc_info_sql_stmt_type;
    char resposta[16]{};
    fb.dsql_sql_info(st, &handle_, 1, &item, sizeof resposta, resposta);
    Verifica(st);
    if (resposta[0] == isc_info_sql_stmt_type) {
      auto n = static_cast<short>(fb.vax_integer(resposta + 1, 2));
      tipo_ = static_cast<int>(fb.vax_integer(resposta + 3, n));
    }
    if (tipo_ == isc_info_sql_stmt_get_segment || tipo_ == isc_info_sql_stmt_put_segment ||
        tipo_ == isc_info_sql_stmt_start_trans) {
      throw EIBClientError(u"Not permitted");
    }
    Descreve(true, dialeto);
    if (EhSelect()) Descreve(false, dialeto);
  } catch (...) {
    ISC_STATUS_ARRAY st2{};
    fb.dsql_free_statement(st2, &handle_, DSQL_drop);
    throw;
  }
}

Comando::~Comando() {
  if (!handle_) return;
  ISC_STATUS_ARRAY st{};
  // The attachment may be gone already; the handle is released either way.
  Cliente().dsql_free_statement(st, &handle_, DSQL_drop);
}

void Comando::Descreve(bool entrada, int dialeto) {
  const auto& fb = Cliente();
  ISC_STATUS_ARRAY st{};
  auto buf = NovoDa(20);
  auto chama = [&] {
    if (entrada) {
      fb.dsql_describe_bind(st, &handle_, static_cast<unsigned short>(dialeto), Da(buf));
    } else {
      fb.dsql_describe(st, &handle_, static_cast<unsigned short>(dialeto), Da(buf));
    }
    Verifica(st);
  };
  chama();
  if (Da(buf)->sqld > Da(buf)->sqln) {
    buf = NovoDa(Da(buf)->sqld);
    chama();
  }
  XSQLDA* da = Da(buf);
  std::vector<Coluna> colunas;
  for (int i = 0; i < da->sqld; ++i) {
    const XSQLVAR& v = da->sqlvar[i];
    Coluna c;
    c.tipo = static_cast<short>(v.sqltype & ~1);
    c.escala = v.sqlscale;
    c.subtipo = v.sqlsubtype;
    c.comprimento = v.sqllen;
    c.nome = codepage::DeAnsi(std::string(v.aliasname, static_cast<std::size_t>(v.aliasname_length)));
    colunas.push_back(std::move(c));
  }
  if (entrada) {
    entradas_ = std::move(colunas);
    daEntrada_ = std::move(buf);
    dadosEntrada_.assign(entradas_.size(), std::string());
    indEntrada_.assign(entradas_.size(), 0);
  } else {
    saidas_ = std::move(colunas);
    daSaida_ = std::move(buf);
    dadosSaida_.assign(saidas_.size(), std::string());
    indSaida_.assign(saidas_.size(), 0);
    XSQLDA* ds = Da(daSaida_);
    for (std::size_t i = 0; i < saidas_.size(); ++i) {
      XSQLVAR& v = ds->sqlvar[i];
      std::size_t tamanho = static_cast<std::size_t>(v.sqllen) + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
      dadosSaida_[i].assign(tamanho + 8, '\0');
      v.sqldata = dadosSaida_[i].data();
      v.sqlind = &indSaida_[i];
      v.sqltype = static_cast<ISC_SHORT>(v.sqltype | 1);
    }
  }
}

void Comando::Vincula(const std::vector<TParam>& valores, int dialeto) {
  XSQLDA* da = Da(daEntrada_);
  for (std::size_t i = 0; i < entradas_.size(); ++i) {
    XSQLVAR& v = da->sqlvar[i];
    const Coluna& c = entradas_[i];
    std::string& dados = dadosEntrada_[i];
    short& ind = indEntrada_[i];
    v.sqlind = &ind;
    v.sqltype = static_cast<ISC_SHORT>(c.tipo | 1);
    v.sqllen = c.comprimento;
    v.sqlscale = c.escala;
    v.sqlsubtype = c.subtipo;
    ind = -1;
    dados.clear();
    v.sqldata = dados.data();
    if (i >= valores.size()) continue;
    const TParam& p = valores[i];
    if (p.tipo_ == TParam::Tipo::Nenhum) continue;

    if (p.tipo_ == TParam::Tipo::Data) {
      const auto& d = p.data_;
      if (dialeto >= 3) {
        ISC_DATE x = CodificaData(d);
        dados = Bytes(&x, sizeof x);
        v.sqltype = SQL_TYPE_DATE + 1;
        v.sqllen = sizeof x;
      } else {
        ISC_TIMESTAMP x{CodificaData(d), CodificaHora(d)};
        dados = Bytes(&x, sizeof x);
        v.sqltype = SQL_TIMESTAMP + 1;
        v.sqllen = sizeof x;
      }
      v.sqlscale = 0;
      ind = 0;
      v.sqldata = dados.data();
      continue;
    }

    const std::u16string& texto = p.texto_;
    switch (c.tipo) {
      case SQL_TEXT:
      case SQL_VARYING: {
        dados = codepage::ParaAnsi(texto);
        if (dados.size() > static_cast<std::size_t>(c.comprimento)) {
          throw EIBClientError(u"Trying to store a string of length " +
                               texto::IntParaTexto(static_cast<std::int64_t>(dados.size())) +
                               u" into a field that can only contain " + texto::IntParaTexto(c.comprimento));
        }
        v.sqltype = SQL_TEXT + 1;
        v.sqllen = static_cast<ISC_SHORT>(dados.size());
        ind = 0;
        break;
      }
      case SQL_TYPE_DATE:
      case SQL_TYPE_TIME:
      case SQL_TIMESTAMP: {
        if (texto.empty()) break;
        auto d = regional::LeDataHora(texto);
        if (!d) throw EIBClientError(TextoErroData(texto));
        if (c.tipo == SQL_TYPE_DATE) {
          ISC_DATE x = CodificaData(*d);
          dados = Bytes(&x, sizeof x);
        } else if (c.tipo == SQL_TYPE_TIME) {
          ISC_TIME x = CodificaHora(*d);
          dados = Bytes(&x, sizeof x);
        } else {
          ISC_TIMESTAMP x{CodificaData(*d), CodificaHora(*d)};
          dados = Bytes(&x, sizeof x);
        }
        v.sqllen = static_cast<ISC_SHORT>(dados.size());
        ind = 0;
        break;
      }
      default: {
        if (texto.empty()) break;
        // The server converts the text to the column's type.
        dados = codepage::ParaAnsi(texto);
        v.sqltype = SQL_TEXT + 1;
        v.sqllen = static_cast<ISC_SHORT>(dados.size());
        v.sqlscale = 0;
        v.sqlsubtype = 0;
        ind = 0;
        break;
      }
    }
    v.sqldata = dados.data();
  }
}

void Comando::Executa(isc_tr_handle* transacao, int dialeto) {
  const auto& fb = Cliente();
  ISC_STATUS_ARRAY st{};
  XSQLDA* entrada = entradas_.empty() ? nullptr : Da(daEntrada_);
  bool esperou = false;
  while (true) {
    const auto inicio = std::chrono::steady_clock::now();
    fb.dsql_execute(st, transacao, &handle_, static_cast<unsigned short>(dialeto), entrada);
    if (!Falhou(st) || !FimDeUmPassoDeEspera(st, std::chrono::steady_clock::now() - inicio)) break;
    esperou = true;
    AvisaEspera(true);
  }
  if (esperou) AvisaEspera(false);
  Verifica(st);
  if (EhSelect()) cursorAberto_ = true;
}

bool Comando::Busca(isc_db_handle* banco, isc_tr_handle* transacao, int dialeto, std::vector<ValorBruto>& linha) {
  const auto& fb = Cliente();
  ISC_STATUS_ARRAY st{};
  XSQLDA* da = Da(daSaida_);
  ISC_STATUS rc = fb.dsql_fetch(st, &handle_, static_cast<unsigned short>(dialeto), da);
  if (rc == 100) return false;
  if (Falhou(st) || rc != 0) {
    EIBError erro = ErroDoStatus(st);
    FechaCursor();
    throw erro;
  }
  linha.assign(saidas_.size(), ValorBruto{});
  for (std::size_t i = 0; i < saidas_.size(); ++i) {
    const XSQLVAR& v = da->sqlvar[i];
    ValorBruto& valor = linha[i];
    if (indSaida_[i] < 0) continue;
    valor.nulo = false;
    switch (saidas_[i].tipo) {
      case SQL_VARYING: {
        unsigned short n = 0;
        std::memcpy(&n, v.sqldata, sizeof n);
        valor.bytes.assign(v.sqldata + 2, n);
        break;
      }
      case SQL_BLOB: {
        ISC_QUAD id;
        std::memcpy(&id, v.sqldata, sizeof id);
        valor.bytes = LeBlob(banco, transacao, id);
        break;
      }
      default:
        valor.bytes.assign(v.sqldata, static_cast<std::size_t>(v.sqllen));
        break;
    }
  }
  return true;
}

std::string Comando::LeBlob(isc_db_handle* banco, isc_tr_handle* transacao, ISC_QUAD id) {
  const auto& fb = Cliente();
  ISC_STATUS_ARRAY st{};
  isc_blob_handle blob = 0;
  fb.open_blob2(st, banco, transacao, &blob, &id, 0, nullptr);
  Verifica(st);
  std::string conteudo;
  char buf[8192];
  while (true) {
    unsigned short lidos = 0;
    ISC_STATUS rc = fb.get_segment(st, &blob, &lidos, sizeof buf, buf);
    if (rc != 0 && st[1] != isc_segment) break;
    conteudo.append(buf, lidos);
  }
  bool erro = st[1] != isc_segstr_eof && Falhou(st);
  ISC_STATUS_ARRAY st2{};
  if (erro) {
    EIBError e = ErroDoStatus(st);
    fb.close_blob(st2, &blob);
    throw e;
  }
  fb.close_blob(st2, &blob);
  return conteudo;
}

void Comando::FechaCursor() {
  if (!cursorAberto_) return;
  cursorAberto_ = false;
  ISC_STATUS_ARRAY st{};
  Cliente().dsql_free_statement(st, &handle_, DSQL_close);
}

}  // namespace banco
