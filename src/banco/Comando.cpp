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

namespace {

// One marker's buffers: the bytes, the null flag and the description the
// client library reads them by.
struct Alvo {
  XSQLVAR& v;
  const Coluna& c;
  std::string& dados;
  short& ind;

  // The bytes already in dados, as a value of type tipo.
  void Poe(short tipo) {
    v.sqltype = static_cast<ISC_SHORT>(tipo | 1);
    v.sqllen = static_cast<ISC_SHORT>(dados.size());
    ind = 0;
  }
  // The bytes in dados as text the server converts to the column's type;
  // text columns keep their character set.
  void PoeTexto() {
    const bool ehTexto = c.tipo == SQL_TEXT || c.tipo == SQL_VARYING;
    Poe(SQL_TEXT);
    if (!ehTexto) {
      v.sqlscale = 0;
      v.sqlsubtype = 0;
    }
  }
};

void VinculaData(Alvo a, const regional::DataHora& d, int dialeto) {
  if (dialeto >= 3) {
    ISC_DATE x = CodificaData(d);
    a.dados = Bytes(&x, sizeof x);
    a.Poe(SQL_TYPE_DATE);
  } else {
    ISC_TIMESTAMP x{CodificaData(d), CodificaHora(d)};
    a.dados = Bytes(&x, sizeof x);
    a.Poe(SQL_TIMESTAMP);
  }
  a.v.sqlscale = 0;
}

void VinculaLiteral(Alvo a, const std::u16string& texto) {
  a.dados = codepage::ParaAnsi(texto);
  a.PoeTexto();
}

// A text by the column's type: checked against a text column's length, read
// as a date for a date column (empty: NULL), left to the server otherwise.
void VinculaTexto(Alvo a, const std::u16string& texto) {
  switch (a.c.tipo) {
    case SQL_TEXT:
    case SQL_VARYING:
      a.dados = codepage::ParaAnsi(texto);
      if (a.dados.size() > static_cast<std::size_t>(a.c.comprimento)) {
        throw EIBClientError(u"Trying to store a string of length " +
                             texto::IntParaTexto(static_cast<std::int64_t>(a.dados.size())) +
                             u" into a field that can only contain " + texto::IntParaTexto(a.c.comprimento));
      }
      a.Poe(SQL_TEXT);
      return;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TIMESTAMP: {
      if (texto.empty()) return;
      auto d = regional::LeDataHora(texto);
      if (!d) throw EIBClientError(TextoErroData(texto));
      if (a.c.tipo == SQL_TYPE_DATE) {
        ISC_DATE x = CodificaData(*d);
        a.dados = Bytes(&x, sizeof x);
      } else if (a.c.tipo == SQL_TYPE_TIME) {
        ISC_TIME x = CodificaHora(*d);
        a.dados = Bytes(&x, sizeof x);
      } else {
        ISC_TIMESTAMP x{CodificaData(*d), CodificaHora(*d)};
        a.dados = Bytes(&x, sizeof x);
      }
      a.Poe(a.c.tipo);
      return;
    }
    default:
      if (texto.empty()) return;
      a.dados = codepage::ParaAnsi(texto);
      a.PoeTexto();
      return;
  }
}

}  // namespace

void Comando::Vincula(const std::vector<TParam>& valores, int dialeto) {
  XSQLDA* da = Da(daEntrada_);
  for (std::size_t i = 0; i < entradas_.size(); ++i) {
    XSQLVAR& v = da->sqlvar[i];
    const Coluna& c = entradas_[i];
    Alvo a{v, c, dadosEntrada_[i], indEntrada_[i]};
    // NULL until a value is bound.
    v.sqlind = &a.ind;
    v.sqltype = static_cast<ISC_SHORT>(c.tipo | 1);
    v.sqllen = c.comprimento;
    v.sqlscale = c.escala;
    v.sqlsubtype = c.subtipo;
    a.ind = -1;
    a.dados.clear();
    if (i < valores.size()) {
      const TParam& p = valores[i];
      switch (p.tipo_) {
        case TParam::Tipo::Nenhum:
          break;
        case TParam::Tipo::Data:
          VinculaData(a, p.data_, dialeto);
          break;
        case TParam::Tipo::Literal:
          VinculaLiteral(a, p.texto_);
          break;
        case TParam::Tipo::Texto:
          VinculaTexto(a, p.texto_);
          break;
      }
    }
    v.sqldata = a.dados.data();
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
