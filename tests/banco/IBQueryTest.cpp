// The database access layer against real database files.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "apoio/BancosTeste.h"
#include "apoio/ServidorFirebird.h"
#include "banco/Biblioteca.h"
#include "banco/IBErro.h"
#include "comum/CodePage.h"
#include "comum/Texto.h"

namespace {

using apoio::Conexao;

std::u16string MensagemDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const comum::Erro& e) {
    return e.Mensagem();
  }
  return u"(no error)";
}

class CamadaBanco : public ::testing::Test {
 protected:
  void SetUp() override {
    arquivo = pasta.Caminho() / "TESTE.FB";
    apoio::CriaBanco(arquivo, 1);
    apoio::Executa(arquivo,
                   u"CREATE TABLE T (ID INTEGER, C CHAR(10), V VARCHAR(30), N NUMERIC(15,2), D DATE, "
                   u"F DOUBLE PRECISION)");
    con.Abre(arquivo);
  }

  std::unique_ptr<TIBQuery> NovaQuery(const std::u16string& sql = u"") {
    auto q = std::make_unique<TIBQuery>();
    q->SetDatabase(&con.banco);
    if (!sql.empty()) q->SQL().SetText(sql);
    return q;
  }

  apoio::PastaTemporaria pasta;
  std::filesystem::path arquivo;
  Conexao con;
};

TEST_F(CamadaBanco, DialetoUmBaixaODialetoDaConexao) { EXPECT_EQ(con.banco.SQLDialect(), 1); }

TEST_F(CamadaBanco, SelectVazio) {
  auto q = NovaQuery(u"SELECT ID FROM T");
  q->Open();
  EXPECT_TRUE(q->IsEmpty());
  EXPECT_TRUE(q->Eof());
  EXPECT_EQ(q->RecordCount(), 0);
  q->Last();
  q->First();
  EXPECT_TRUE(q->IsEmpty());
  EXPECT_TRUE(q->Eof());
  EXPECT_EQ(q->RecordCount(), 0);
}

TEST_F(CamadaBanco, LastFirstNextPercorremTresLinhas) {
  auto ins = NovaQuery(u"INSERT INTO T (ID) VALUES (:ID)");
  for (int i = 1; i <= 3; ++i) {
    ins->ParamByName(u"id").SetAsString(texto::IntParaTexto(i));
    ins->ExecSQL();
  }
  auto q = NovaQuery(u"SELECT ID FROM T ORDER BY ID");
  q->Open();
  EXPECT_EQ(q->RecordCount(), 1);
  q->Last();
  EXPECT_EQ(q->RecordCount(), 3);
  q->First();
  std::vector<int> vistos;
  int nexts = 0;
  while (!q->Eof()) {
    vistos.push_back(q->FieldByName(u"id").AsInteger());
    q->Next();
    ++nexts;
  }
  EXPECT_EQ(vistos, (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(nexts, 3);
  q->Next();
  EXPECT_TRUE(q->Eof());
  EXPECT_EQ(q->FieldByName(u"ID").AsInteger(), 3);
}

TEST_F(CamadaBanco, CommitPorComandoEncerraATransacao) {
  auto q = NovaQuery(u"INSERT INTO T (ID) VALUES (1)");
  q->ExecSQL();
  EXPECT_TRUE(con.transacao.Active());
  for (const char16_t* commit : {u"COMMIT", u"Commit;"}) {
    q->SQL().SetText(commit);
    q->ExecSQL();
    EXPECT_FALSE(con.transacao.Active()) << texto::ParaUtf8(commit);
    EXPECT_EQ(MensagemDe([&] { con.transacao.Commit(); }), u"Transaction is not active");
    q->SQL().SetText(u"INSERT INTO T (ID) VALUES (2)");
    q->ExecSQL();
    EXPECT_TRUE(con.transacao.Active());
    con.transacao.Rollback();
    // The row inserted before the COMMIT statement is kept; the one after it is not.
    EXPECT_EQ(apoio::ContaLinhas(arquivo, u"T"), 1);
  }
}

TEST_F(CamadaBanco, TextoLongoDemaisParaOVarchar) {
  auto q = NovaQuery(u"INSERT INTO T (V) VALUES (:V)");
  q->ParamByName(u"V").SetAsString(std::u16string(31, u'x'));
  EXPECT_EQ(MensagemDe([&] { q->ExecSQL(); }),
            u"Trying to store a string of length 31 into a field that can only contain 30");
}

TEST_F(CamadaBanco, CharSemBrancosFinaisVarcharComoGravado) {
  NovaQuery(u"INSERT INTO T (C, V) VALUES ('ABC', 'ABC  ')")->ExecSQL();
  auto q = NovaQuery(u"SELECT C, V FROM T");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"C").AsString(), u"ABC");
  EXPECT_EQ(q->FieldByName(u"V").AsString(), u"ABC  ");
}

TEST_F(CamadaBanco, InteiroNulo) {
  NovaQuery(u"INSERT INTO T (V) VALUES ('x')")->ExecSQL();
  auto q = NovaQuery(u"SELECT ID, V FROM T");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"ID").AsString(), u"");
  EXPECT_EQ(q->FieldByName(u"ID").AsInteger(), 0);
  EXPECT_TRUE(q->FieldByName(u"ID").IsNull());
  EXPECT_FALSE(q->FieldByName(u"V").IsNull());
}

TEST_F(CamadaBanco, AcentosPassamPelaPaginaDeCodigo1252) {
  auto q = NovaQuery(u"INSERT INTO T (V) VALUES (:V)");
  q->ParamByName(u"V").SetAsString(u"São José, ação");
  q->ExecSQL();
  q->SQL().SetText(u"SELECT V, CAST(V AS VARCHAR(30) CHARACTER SET OCTETS) AS B FROM T");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"V").AsString(), u"São José, ação");
  EXPECT_EQ(codepage::ParaAnsi(q->FieldByName(u"V").AsString()), "S\xE3o Jos\xE9, a\xE7\xE3o");
}

TEST_F(CamadaBanco, ConstanteEntreAspasDuplasNoDialetoUm) {
  NovaQuery(u"INSERT INTO T (V) VALUES (\"N\")")->ExecSQL();
  auto q = NovaQuery(u"SELECT V FROM T");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"V").AsString(), u"N");
}

TEST_F(CamadaBanco, TextoVazioViraNuloParaColunaNaoTexto) {
  auto q = NovaQuery(u"INSERT INTO T (ID, V, D) VALUES (:ID, :V, :D)");
  q->ParamByName(u"ID").SetAsString(u"");
  q->ParamByName(u"V").SetAsString(u"");
  q->ParamByName(u"D").SetAsString(u"");
  q->ExecSQL();
  auto s = NovaQuery(u"SELECT ID, V, D FROM T");
  s->Open();
  EXPECT_TRUE(s->FieldByName(u"ID").IsNull());
  EXPECT_FALSE(s->FieldByName(u"V").IsNull());
  EXPECT_EQ(s->FieldByName(u"V").AsString(), u"");
  EXPECT_TRUE(s->FieldByName(u"D").IsNull());
}

TEST_F(CamadaBanco, NumerosEDatasComoTexto) {
  NovaQuery(u"INSERT INTO T (ID, N, D, F) VALUES (-7, 1500.50, '25.03.2010', 2.5)")->ExecSQL();
  NovaQuery(u"INSERT INTO T (ID, N, D, F) VALUES (8, 12, '01.01.1900 13:45:10', 0)")->ExecSQL();
  auto q = NovaQuery(u"SELECT ID, N, D, F FROM T ORDER BY ID");
  q->Open();
  EXPECT_EQ(q->FieldByName(u"ID").AsString(), u"-7");
  EXPECT_EQ(q->FieldByName(u"N").AsString(), u"1500,5");
  EXPECT_EQ(q->FieldByName(u"D").AsString(), u"25/03/2010");
  EXPECT_EQ(q->FieldByName(u"F").AsString(), u"2,5");
  q->Next();
  EXPECT_EQ(q->FieldByName(u"N").AsString(), u"12");
  EXPECT_EQ(q->FieldByName(u"D").AsString(), u"01/01/1900 13:45:10");
  EXPECT_EQ(q->FieldByName(u"F").AsString(), u"0");
}

TEST_F(CamadaBanco, DataComoTextoEDataComoData) {
  auto q = NovaQuery(u"INSERT INTO T (ID, D) VALUES (:ID, :D)");
  q->ParamByName(u"ID").SetAsString(u"1");
  q->ParamByName(u"D").SetAsString(u"25/03/2010");
  q->ExecSQL();
  q->ParamByName(u"ID").SetAsString(u"2");
  q->ParamByName(u"D").SetAsDate(regional::DataHora{1900, 1, 1});
  q->ExecSQL();
  q->ParamByName(u"D").SetAsString(u"31/02/2010");
  EXPECT_EQ(MensagemDe([&] { q->ExecSQL(); }), u"''31/02/2010'' is not a valid date and time");
  auto s = NovaQuery(u"SELECT D FROM T ORDER BY ID");
  s->Open();
  EXPECT_EQ(s->FieldByName(u"D").AsString(), u"25/03/2010");
  s->Next();
  EXPECT_EQ(s->FieldByName(u"D").AsString(), u"01/01/1900");
}

TEST_F(CamadaBanco, NomesSemDiferencaDeCaixa) {
  auto q = NovaQuery(u"SELECT ID AS CODCLASFIS FROM T WHERE ID = :PCODCLIENTE");
  EXPECT_NO_THROW(q->ParamByName(u"pcodcliente"));
  EXPECT_EQ(MensagemDe([&] { q->ParamByName(u"outro"); }), u"Parameter 'outro' not found");
  q->ParamByName(u"pcodcliente").SetAsString(u"1");
  q->Open();
  EXPECT_NE(q->FindField(u"CodClasFis"), nullptr);
  EXPECT_EQ(q->FindField(u"nada"), nullptr);
  EXPECT_EQ(MensagemDe([&] { q->FieldByName(u"nada"); }), u"Field 'nada' not found");
}

TEST_F(CamadaBanco, MarcadoresDentroDeAspasNaoSaoParametros) {
  auto q = NovaQuery(u"SELECT ':A' AS X, \":B\" AS Y FROM T WHERE V = :C");
  EXPECT_EQ(q->ParamCount(), 1);
  EXPECT_EQ(q->Params(0).Name(), u"C");
}

TEST_F(CamadaBanco, TrocarOTextoMantemValorDoParametroDeMesmoNome) {
  auto q = NovaQuery(u"INSERT INTO T (ID, V) VALUES (:ID, :V)");
  q->ParamByName(u"ID").SetAsString(u"5");
  q->ParamByName(u"V").SetAsString(u"velho");
  q->SQL().SetText(u"INSERT INTO T (ID, C) VALUES (:id, :C)");
  EXPECT_EQ(q->ParamByName(u"ID").AsString(), u"5");
  EXPECT_TRUE(q->ParamByName(u"C").IsNull());
}

TEST_F(CamadaBanco, ErrosDaPropriaCamada) {
  TIBQuery semBanco;
  semBanco.SQL().SetText(u"SELECT 1 FROM RDB$DATABASE");
  EXPECT_EQ(MensagemDe([&] { semBanco.ExecSQL(); }), u"Database not assigned");
  EXPECT_EQ(MensagemDe([&] { semBanco.Next(); }), u"Cannot perform this operation on a closed dataset");

  auto vazio = NovaQuery();
  EXPECT_EQ(MensagemDe([&] { vazio->ExecSQL(); }), u"Empty SQL Statement");

  auto sel = NovaQuery(u"SELECT ID FROM T");
  EXPECT_EQ(MensagemDe([&] { sel->ExecSQL(); }), u"use Open for a Select Statement");
  sel->Open();
  EXPECT_EQ(MensagemDe([&] { sel->ExecSQL(); }), u"Cannot perform this operation on an open dataset");

  EXPECT_EQ(MensagemDe([&] { con.banco.SetDatabaseName(u"x"); }), u"Cannot perform operation -- DB is currently open");
  EXPECT_EQ(MensagemDe([&] { NovaQuery(u"SET TRANSACTION")->ExecSQL(); }), u"Not permitted");

  TIBDatabase semNome;
  EXPECT_EQ(MensagemDe([&] { semNome.SetConnected(true); }), u"Database name is missing");
  TIBTransaction t;
  t.SetDefaultDatabase(&semNome);
  EXPECT_EQ(MensagemDe([&] { t.StartTransaction(); }), u"Cannot perform operation -- DB is not open");
  EXPECT_EQ(MensagemDe([&] { t.Commit(); }), u"Transaction is not active");
}

TEST_F(CamadaBanco, AsIntegerDeTextoQueNaoEhNumero) {
  NovaQuery(u"INSERT INTO T (V) VALUES ('12a')")->ExecSQL();
  auto q = NovaQuery(u"SELECT V, C FROM T");
  q->Open();
  EXPECT_EQ(MensagemDe([&] { q->FieldByName(u"V").AsInteger(); }), u"''12a'' is not a valid integer value");
  EXPECT_EQ(MensagemDe([&] { q->FieldByName(u"C").AsInteger(); }), u"'''' is not a valid integer value");
}

TEST_F(CamadaBanco, ErroDoServidorSemPontoFinal) {
  std::u16string m = MensagemDe([&] { NovaQuery(u"INSERT INTO NAO_EXISTE (A) VALUES (1)")->ExecSQL(); });
  EXPECT_NE(m.find(u"NAO_EXISTE"), std::u16string::npos) << texto::ParaUtf8(m);
  EXPECT_NE(m.find(u"\r\n"), std::u16string::npos);
  EXPECT_NE(m.back(), u'.');
  // A failed statement leaves the transaction active; nothing is undone by the layer.
  EXPECT_TRUE(con.transacao.Active());
}

TEST_F(CamadaBanco, CommitDaTransacaoFechaAsQueries) {
  NovaQuery(u"INSERT INTO T (ID) VALUES (1)")->ExecSQL();
  auto q = NovaQuery(u"SELECT ID FROM T");
  q->Open();
  con.transacao.Commit();
  EXPECT_FALSE(q->Active());
  EXPECT_FALSE(con.transacao.Active());
  q->Open();
  EXPECT_EQ(q->RecordCount(), 1);
}

TEST_F(CamadaBanco, DesconectarConfirmaATransacaoAtiva) {
  NovaQuery(u"INSERT INTO T (ID) VALUES (1)")->ExecSQL();
  con.banco.SetConnected(false);
  EXPECT_FALSE(con.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(arquivo, u"T"), 1);
}

// A row that fails on the server only when it is fetched: the object closes
// with its cursor, so nothing reads rows of a result that is gone.
// One way only: every row is visited once, in order, and no more than the
// current row and the one before are held.
TEST_F(CamadaBanco, UmSentidoSoGuardaALinhaAtual) {
  for (int i = 1; i <= 5; ++i) NovaQuery(u"INSERT INTO T (ID) VALUES (" + texto::IntParaTexto(i) + u")")->ExecSQL();
  auto q = NovaQuery(u"SELECT ID FROM T ORDER BY ID");
  q->Open();
  q->SetUniDirectional(true);
  std::vector<int> vistos;
  while (!q->Eof()) {
    vistos.push_back(q->FieldByName(u"ID").AsInteger());
    EXPECT_LE(q->RecordCount(), 2);
    q->Next();
  }
  EXPECT_EQ(vistos, (std::vector<int>{1, 2, 3, 4, 5}));
  q->Next();
  EXPECT_TRUE(q->Eof());
  EXPECT_EQ(q->FieldByName(u"ID").AsInteger(), 5);  // Eof stays on the last row
}

// The statements the connection keeps for texts that come back are bounded,
// and a transaction ended through its object takes its own with it.
TEST_F(CamadaBanco, ComandosGuardadosSaoLimitados) {
  auto preparados = [&] {
    TIBTransaction leitura;
    leitura.SetDefaultDatabase(&con.banco);
    TIBQuery m;
    m.SetDatabase(&con.banco);
    m.SetTransaction(&leitura);
    m.SQL().SetText(u"SELECT COUNT(*) FROM MON$STATEMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
    m.Open();
    const int n = m.Fields(0).AsInteger();
    leitura.Commit();
    return n - 1;  // not the count itself
  };
  auto q = NovaQuery();
  for (int i = 0; i < 200; ++i) {
    q->SQL().SetText(u"INSERT INTO T (ID) VALUES (" + texto::IntParaTexto(i) + u")");
    q->ExecSQL();
  }
  const int depois = preparados();
  EXPECT_GE(depois, 30);
  EXPECT_LE(depois, 34);
  // A text that comes back runs with the statement kept for it.
  for (int i = 0; i < 50; ++i) {
    q->SQL().SetText(i % 2 ? u"INSERT INTO T (ID) VALUES (199)" : u"INSERT INTO T (ID) VALUES (198)");
    q->ExecSQL();
  }
  EXPECT_LE(preparados(), depois);
  con.transacao.Commit();
  EXPECT_LE(preparados(), 1);
  EXPECT_EQ(apoio::ContaLinhas(arquivo, u"T"), 250);
}

TEST_F(CamadaBanco, FalhaNaBuscaFechaOObjeto) {
  for (int i = 1; i <= 3; ++i) {
    auto q = NovaQuery(u"INSERT INTO T (ID) VALUES (" + texto::IntParaTexto(i) + u")");
    q->ExecSQL();
  }
  for (bool porLast : {false, true}) {
    auto q = NovaQuery(u"SELECT ID, 10 / (3 - ID) AS X FROM T ORDER BY ID");
    q->Open();
    EXPECT_EQ(q->FieldByName(u"X").AsString(), u"5");
    std::u16string erro = MensagemDe([&] {
      if (porLast) {
        q->Last();
      } else {
        q->Next();
        q->Next();
      }
    });
    EXPECT_NE(erro.find(u"divide by zero"), std::u16string::npos) << texto::ParaUtf8(erro);
    EXPECT_FALSE(q->Active());
    EXPECT_EQ(q->RecordCount(), 0);
    EXPECT_EQ(MensagemDe([&] { q->Next(); }), u"Cannot perform this operation on a closed dataset");
    EXPECT_EQ(MensagemDe([&] { q->FieldByName(u"ID"); }), u"Field 'ID' not found");
    // The transaction survives the failed fetch and the object opens again.
    EXPECT_TRUE(con.transacao.Active());
    q->Open();
    EXPECT_EQ(q->FieldByName(u"ID").AsInteger(), 1);
    q->Close();
  }
}

// Every way the prepared statement goes away also closes the object: no field
// of a closed result is left to read.
TEST_F(CamadaBanco, DescartarOPreparadoFechaOObjeto) {
  auto q = NovaQuery(u"INSERT INTO T (ID, V) VALUES (7, 'SETE')");
  q->ExecSQL();
  TIBTransaction outra;
  outra.SetDefaultDatabase(&con.banco);
  const std::vector<std::pair<const char*, std::function<void(TIBQuery&)>>> formas = {
      {"texto novo", [](TIBQuery& x) { x.SQL().Add(u" "); }},
      {"outra transacao", [&](TIBQuery& x) { x.SetTransaction(&outra); }},
      {"commit", [&](TIBQuery&) { con.transacao.Commit(); }},
      {"desconectar", [&](TIBQuery&) { con.banco.SetConnected(false); }},
  };
  for (const auto& [nome, forma] : formas) {
    SCOPED_TRACE(nome);
    auto sel = NovaQuery(u"SELECT V FROM T");
    sel->Open();
    ASSERT_EQ(sel->FieldByName(u"V").AsString(), u"SETE");
    forma(*sel);
    EXPECT_FALSE(sel->Active());
    EXPECT_EQ(sel->FindField(u"V"), nullptr);
    EXPECT_EQ(MensagemDe([&] { sel->First(); }), u"Cannot perform this operation on a closed dataset");
    sel.reset();
    if (!con.banco.Connected()) con.banco.SetConnected(true);
  }
}

// A connection's default transaction is always one of its own: the list that
// ends transactions on disconnection holds it, and its destruction clears it.
TEST(CamadaBancoConexao, TransacaoPadraoSempreDaPropriaConexao) {
  apoio::PastaTemporaria pasta;
  auto arquivo = pasta.Caminho() / "T.FDB";
  apoio::CriaBanco(arquivo, 3);
  Conexao a;
  Conexao b;
  EXPECT_EQ(MensagemDe([&] { a.banco.SetDefaultTransaction(&b.transacao); }),
            u"Transaction belongs to another database");
  EXPECT_EQ(a.banco.DefaultTransaction(), &a.transacao);

  auto solta = std::make_unique<TIBTransaction>();
  a.banco.SetDefaultTransaction(solta.get());
  EXPECT_EQ(solta->DefaultDatabase(), &a.banco);
  a.Abre(arquivo);
  TIBQuery q;
  q.SetDatabase(&a.banco);
  EXPECT_EQ(q.Transaction(), solta.get());
  q.SQL().SetText(u"SELECT 1 FROM RDB$DATABASE");
  q.Open();
  EXPECT_TRUE(solta->Active());
  solta.reset();
  EXPECT_EQ(a.banco.DefaultTransaction(), nullptr);
  EXPECT_EQ(q.Transaction(), nullptr);
  EXPECT_FALSE(q.Active());
  EXPECT_EQ(MensagemDe([&] { q.Open(); }), u"Transaction not assigned");
  // Moving a transaction to another connection takes it off the first one's list.
  a.banco.SetDefaultTransaction(&a.transacao);
  a.transacao.SetDefaultDatabase(&b.banco);
  EXPECT_EQ(a.banco.DefaultTransaction(), nullptr);
  a.banco.SetConnected(false);
}

TEST(CamadaBancoConexao, TestConnectedEmArquivoQueNaoEhBanco) {
  apoio::PastaTemporaria pasta;
  auto arquivo = pasta.Caminho() / "LIXO.FDB";
  {
    std::ofstream f(arquivo);
    f << std::string(20000, 'x');
  }
  Conexao con;
  con.banco.SetDatabaseName(texto::DeUtf8(arquivo.string()));
  EXPECT_THROW(con.banco.SetConnected(true), EIBError);
  EXPECT_FALSE(con.banco.Connected());
  EXPECT_FALSE(con.banco.TestConnected());
}

// Another session ends this connection on the server (as an administrator
// would): the next request fails for real and the connection is closed by force.
TEST(CamadaBancoConexao, TestConnectedQuandoOServidorEncerraAConexao) {
  apoio::PastaTemporaria pasta;
  auto arquivo = pasta.Caminho() / "SOME.FDB";
  apoio::CriaBanco(arquivo, 3);
  Conexao con;
  con.Abre(arquivo);
  EXPECT_EQ(con.banco.SQLDialect(), 3);
  EXPECT_TRUE(con.banco.TestConnected());
  TIBQuery aberta;
  aberta.SetDatabase(&con.banco);
  aberta.SQL().SetText(u"SELECT MON$ATTACHMENT_ID FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = CURRENT_CONNECTION");
  aberta.Open();
  const std::u16string id = aberta.FieldByName(u"MON$ATTACHMENT_ID").AsString();
  ASSERT_FALSE(id.empty());

  apoio::Executa(arquivo, u"DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID = " + id);

  EXPECT_FALSE(con.banco.TestConnected());
  EXPECT_FALSE(con.banco.Connected());
  EXPECT_FALSE(con.transacao.Active());
  EXPECT_FALSE(aberta.Active());
  EXPECT_EQ(MensagemDe([&] { aberta.FieldByName(u"MON$ATTACHMENT_ID"); }), u"Field 'MON$ATTACHMENT_ID' not found");
  // Connecting again works: nothing of the dead attachment is left behind.
  con.banco.SetConnected(true);
  EXPECT_TRUE(con.banco.TestConnected());
}

TEST(CamadaBancoConexao, BibliotecaClienteAusente) {
  banco::DefineNomeBibliotecaCliente("libnao-existe-fbclient.so.9");
  TIBDatabase db;
  std::u16string m = MensagemDe([&] { db.SetServerType(u"IBServer"); });
  banco::DefineNomeBibliotecaCliente(banco::NomePadraoBibliotecaCliente());
  EXPECT_EQ(m,
            u"InterBase library libnao-existe-fbclient.so.9 not found in the path. Please install InterBase "
            u"to use this functionality (libnao-existe-fbclient.so.9: cannot open shared object file: No such file or "
            u"directory)");
}

// The server goes away under an active transaction: the commit raises the
// lost connection, and the connection is closed by force on the way, so that
// nothing of it is left to use.
TEST(CamadaBancoConexao, ConexaoPerdidaNoCommitFechaAConexao) {
  if (!apoio::ServidorFirebird::Instalado()) GTEST_SKIP() << apoio::ServidorFirebird::Falta();
  apoio::PastaTemporaria pasta;
  auto arquivo = pasta.Caminho() / "REDE.FDB";
  apoio::CriaBanco(arquivo, 3);
  apoio::Executa(arquivo, u"CREATE TABLE T (ID INTEGER)");
  apoio::ServidorFirebird servidor;
  Conexao con;
  con.banco.SetDatabaseName(texto::DeUtf8(servidor.NomeConexao(arquivo)));
  con.banco.SetConnected(true);
  TIBQuery q;
  q.SetDatabase(&con.banco);
  q.SQL().SetText(u"INSERT INTO T (ID) VALUES (1)");
  q.ExecSQL();
  ASSERT_TRUE(con.transacao.Active());
  servidor.Kill();

  try {
    con.transacao.Commit();
    FAIL() << "the commit went through without a server";
  } catch (const EIBError& e) {
    EXPECT_EQ(e.SQLCode(), -902) << texto::ParaUtf8(e.Mensagem());
  }
  EXPECT_FALSE(con.banco.Connected());
  EXPECT_FALSE(con.transacao.Active());
  EXPECT_FALSE(con.banco.TestConnected());
}

}  // namespace
