#include "aplicacao/nucleo/VerificacaoPrevia.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "banco/IBQuery.h"
#include "cidades/Cidade.h"
#include "cidades/CidadesController.h"
#include "clientes/Cliente.h"
#include "clientes/ClientesController.h"
#include "clientes/ComplClientes.h"
#include "comum/Erro.h"
#include "comum/Texto.h"
#include "fornecedores/Fornecedor.h"
#include "fornecedores/FornecedoresController.h"

namespace verificacao {

namespace {

std::u16string UmValor(TIBDatabase& banco, const std::u16string& sql) {
  TIBQuery q;
  q.SetDatabase(&banco);
  q.SQL().SetText(sql);
  q.Open();
  std::u16string valor = q.IsEmpty() ? std::u16string() : q.Fields(0).AsString();
  q.Close();
  return valor;
}

void VerificaBancosDistintos(TIBDatabase& BDOrigem, TIBDatabase& BDDestino) {
  const std::u16string sql = u"SELECT RDB$GET_CONTEXT('SYSTEM', 'DB_NAME') FROM RDB$DATABASE";
  if (UmValor(BDOrigem, sql) == UmValor(BDDestino, sql)) {
    throw comum::Erro(u"O banco de dados de origem e o banco de dados Vestrel são o mesmo arquivo.");
  }
}

// The reader's own statement is opened (which prepares it and reads its first
// row) and every row of its table is counted, so a missing table or column,
// or unreadable data pages, show up before any destination table is emptied.
void VerificaOrigem(TIBDatabase& BDOrigem, const std::u16string& tabela,
                    const std::function<void(TIBQuery&)>& abreLeitura) {
  try {
    TIBQuery q;
    q.SetDatabase(&BDOrigem);
    abreLeitura(q);
    q.Close();
    UmValor(BDOrigem, u"SELECT COUNT(*) FROM " + tabela);
  } catch (const std::exception& e) {
    throw comum::Erro(u"A tabela " + tabela + u" do banco de dados de origem não pode ser lida: " +
                      comum::MensagemDe(e));
  }
}

std::set<std::u16string> ColunasDaTabela(TIBDatabase& BDDestino, const std::u16string& tabela) {
  TIBQuery q;
  q.SetDatabase(&BDDestino);
  q.SQL().SetText(u"SELECT RDB$FIELD_NAME FROM RDB$RELATION_FIELDS WHERE RDB$RELATION_NAME = :TABELA");
  q.ParamByName(u"TABELA").SetAsString(tabela);
  q.Open();
  std::set<std::u16string> colunas;
  for (; !q.Eof(); q.Next()) colunas.insert(texto::Trim(q.Fields(0).AsString()));
  q.Close();
  return colunas;
}

void VerificaDestino(TIBDatabase& BDDestino, const std::u16string& insert) {
  const DestinoDoInsert d = LeInsert(insert);
  const std::set<std::u16string> existentes = ColunasDaTabela(BDDestino, d.tabela);
  if (existentes.empty()) throw comum::Erro(u"A tabela " + d.tabela + u" não existe no banco de dados Vestrel.");
  for (const auto& c : d.colunas) {
    if (!existentes.count(c)) {
      throw comum::Erro(u"A coluna " + c + u" da tabela " + d.tabela + u" não existe no banco de dados Vestrel.");
    }
  }
}

// A destination table the run empties, and how a message counts its rows.
struct TabelaEsvaziada {
  const char16_t* tabela;
  const char16_t* umRegistro;
  const char16_t* registros;
};

struct Referencia {
  std::u16string tabela;     // the referencing table
  std::u16string restricao;  // the foreign key
  std::vector<std::u16string> colunas;
};

// The foreign keys of the destination on the table, with their columns in
// order. System table names are CHAR and come padded.
std::vector<Referencia> ReferenciasA(TIBDatabase& BDDestino, const std::u16string& tabela) {
  TIBQuery q;
  q.SetDatabase(&BDDestino);
  q.SQL().SetText(
      u"SELECT FK.RDB$RELATION_NAME, FK.RDB$CONSTRAINT_NAME, SEG.RDB$FIELD_NAME "
      u"FROM RDB$RELATION_CONSTRAINTS FK "
      u"JOIN RDB$REF_CONSTRAINTS REF ON REF.RDB$CONSTRAINT_NAME = FK.RDB$CONSTRAINT_NAME "
      u"JOIN RDB$RELATION_CONSTRAINTS PK ON PK.RDB$CONSTRAINT_NAME = REF.RDB$CONST_NAME_UQ "
      u"JOIN RDB$INDEX_SEGMENTS SEG ON SEG.RDB$INDEX_NAME = FK.RDB$INDEX_NAME "
      u"WHERE FK.RDB$CONSTRAINT_TYPE = 'FOREIGN KEY' AND PK.RDB$RELATION_NAME = :TABELA "
      u"ORDER BY FK.RDB$CONSTRAINT_NAME, SEG.RDB$FIELD_POSITION");
  q.ParamByName(u"TABELA").SetAsString(tabela);
  q.Open();
  std::vector<Referencia> referencias;
  for (; !q.Eof(); q.Next()) {
    const std::u16string restricao = texto::Trim(q.Fields(1).AsString());
    if (referencias.empty() || referencias.back().restricao != restricao)
      referencias.push_back({texto::Trim(q.Fields(0).AsString()), restricao, {}});
    referencias.back().colunas.push_back(texto::Trim(q.Fields(2).AsString()));
  }
  q.Close();
  return referencias;
}

// A delete of a whole table fails (or, with a cascading rule, changes another
// table) while rows of a table the run keeps point at it: the run is refused
// before any table is emptied. A reference between two tables the run empties
// is left to the deletes themselves.
void VerificaReferencias(TIBDatabase& BDDestino, const std::vector<TabelaEsvaziada>& esvaziadas) {
  std::u16string achadas;
  for (const TabelaEsvaziada& e : esvaziadas) {
    for (const Referencia& r : ReferenciasA(BDDestino, e.tabela)) {
      bool tambemEsvaziada = false;
      for (const TabelaEsvaziada& outra : esvaziadas) tambemEsvaziada = tambemEsvaziada || r.tabela == outra.tabela;
      if (tambemEsvaziada) continue;
      // Under the default match a row with a null key column points at nothing.
      std::u16string onde;
      for (const auto& c : r.colunas) onde += (onde.empty() ? u" WHERE " : u" AND ") + c + u" IS NOT NULL";
      const std::u16string n = UmValor(BDDestino, u"SELECT COUNT(*) FROM " + r.tabela + onde);
      if (n.empty() || n == u"0") continue;
      achadas += (achadas.empty() ? u"" : u"; ") + r.tabela + u" referencia " + n + u" " +
                 (n == u"1" ? e.umRegistro : e.registros) + u" pela restrição " + r.restricao;
    }
  }
  if (!achadas.empty()) {
    throw comum::Erro(
        u"Outras tabelas do banco de dados Vestrel referenciam registros que a conversão apagaria; "
        u"nada foi alterado: " +
        achadas + u".");
  }
}

}  // namespace

DestinoDoInsert LeInsert(const std::u16string& sql) {
  DestinoDoInsert d;
  const std::u16string maiusculo = texto::UpperCase(sql);
  std::size_t into = maiusculo.find(u"INTO");
  std::size_t abre = maiusculo.find(u'(', into);
  std::size_t fecha = maiusculo.find(u')', abre);
  if (into == std::u16string::npos || abre == std::u16string::npos || fecha == std::u16string::npos) return d;
  d.tabela = texto::Trim(maiusculo.substr(into + 4, abre - into - 4));
  std::size_t i = abre + 1;
  while (i <= fecha) {
    std::size_t fim = maiusculo.find_first_of(u",)", i);
    std::u16string coluna = texto::Trim(maiusculo.substr(i, fim - i));
    std::size_t ponto = coluna.rfind(u'.');
    if (ponto != std::u16string::npos) coluna = coluna.substr(ponto + 1);
    if (!coluna.empty()) d.colunas.push_back(coluna);
    i = fim + 1;
  }
  return d;
}

void VerificaAntesDeConverter(TIBDatabase& BDOrigem, TIBDatabase& BDDestino, const Tabelas& tabelas) {
  if (!tabelas.cidades && !tabelas.clientes && !tabelas.fornecedores) return;
  VerificaBancosDistintos(BDOrigem, BDDestino);
  // The client statements' double-quoted constants are texts only in dialect 1.
  if (BDDestino.SQLDialect() != 1) throw comum::Erro(u"O banco de dados Vestrel precisa ser de dialeto 1.");

  if (tabelas.cidades) {
    VerificaOrigem(BDOrigem, u"RECDB001", [](TIBQuery& q) { TClassPreencheDadosCidades().BuscaCidadesBDOrigem(q); });
  }
  if (tabelas.clientes) {
    VerificaOrigem(BDOrigem, u"RECDB004", [](TIBQuery& q) { TClassPreencheDadosClientes().BuscaClientesBDOrigem(q); });
  }
  if (tabelas.fornecedores) {
    VerificaOrigem(BDOrigem, u"PAGDB003",
                   [](TIBQuery& q) { TClassPreencheDadosFornecedores().BuscaFornecedoresBDOrigem(q); });
  }

  if (tabelas.cidades) VerificaDestino(BDDestino, TConverteCidades::TextoInsert());
  // Clients and suppliers create the cities they do not find, with these columns.
  if (tabelas.clientes || tabelas.fornecedores)
    VerificaDestino(BDDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO)");
  if (tabelas.clientes) {
    TConverteCliente cliente(&BDDestino);
    VerificaDestino(BDDestino, cliente.MontaSqlInsere());
    VerificaDestino(BDDestino, TConverteCompClie::TextoInsert());
  }
  if (tabelas.fornecedores) {
    TConverteFornece fornecedor(&BDDestino);
    VerificaDestino(BDDestino, fornecedor.MontaSql());
  }

  std::vector<TabelaEsvaziada> esvaziadas;
  if (tabelas.cidades) esvaziadas.push_back({u"CIDADES", u"cidade", u"cidades"});
  if (tabelas.clientes) {
    esvaziadas.push_back({u"CLIENTE", u"cliente", u"clientes"});
    esvaziadas.push_back({u"COMPCLIE", u"complemento de cliente", u"complementos de clientes"});
  }
  if (tabelas.fornecedores) esvaziadas.push_back({u"FORNECE", u"fornecedor", u"fornecedores"});
  VerificaReferencias(BDDestino, esvaziadas);
}

}  // namespace verificacao
