// The base object: zero-padding, the transaction procedures, table clearing
// and the switching of the product trigger.
#include <gtest/gtest.h>

#include "apoio/BancosTeste.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

TEST(StrZero, PreencheSemCortar) {
  struct Caso {
    std::u16string valor;
    int qtd;
    std::u16string esperado;
  };
  for (const Caso& c : {Caso{u"7", 5, u"00007"}, Caso{u"", 3, u"000"}, Caso{u"123456", 5, u"123456"},
                        Caso{u" 12", 5, u"00 12"}, Caso{u"12", 0, u"12"}, Caso{u"12", -1, u"12"},
                        Caso{u"ab", 4, u"00ab"}}) {
    EXPECT_EQ(TConversao::StrZero(c.valor, c.qtd), c.esperado) << texto::ParaUtf8(c.valor) << " " << c.qtd;
  }
}

class BaseConversao : public ::testing::Test {
 protected:
  apoio::ParDeBancos par;
  apoio::InterfaceGravada interface;
};

TEST_F(BaseConversao, ObjetoNovo) {
  TConversao c(&par.destino.banco);
  EXPECT_EQ(c.QuantRegistro(), 0);
  EXPECT_EQ(c.NumRegistroAtual(), 0);
  EXPECT_FALSE(c.ErroGravacao);
  EXPECT_FALSE(c.Acao);
  EXPECT_FALSE(c.StatementDestino()->Active());
  EXPECT_EQ(c.StatementDestino()->Database(), &par.destino.banco);
  EXPECT_EQ(c.StatementAuxiliar()->Transaction(), &par.destino.transacao);
}

TEST_F(BaseConversao, ProcedimentosDeTransacaoOlhamAtivo) {
  TIBTransaction& t = par.destino.transacao;
  TConversao::PConfirmaTransacao(t);
  TConversao::PCancelaTransacao(t);
  TConversao::PIniciaTransacao(t);
  EXPECT_TRUE(t.Active());
  EXPECT_NO_THROW(TConversao::PIniciaTransacao(t));
  TConversao::PConfirmaTransacao(t);
  EXPECT_FALSE(t.Active());
}

TEST_F(BaseConversao, LimpaTabelaInexistenteAvisaESegue) {
  TConversao c(&par.destino.banco);
  EXPECT_NO_THROW(c.PLimpaTabela(u"NAO_EXISTE"));
  EXPECT_TRUE(c.ErroGravacao);
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Erro);
  const std::u16string& m = interface.mensagens[0].texto;
  const std::u16string inicio = u"Erro na Exclusão da tabela NAO_EXISTE.\r";
  const std::u16string fim = u"\rVerifique se a tabela está em Transação.";
  EXPECT_EQ(m.rfind(inicio, 0), 0u) << texto::ParaUtf8(m);
  ASSERT_GT(m.size(), inicio.size() + fim.size());
  EXPECT_EQ(m.substr(m.size() - fim.size()), fim);
  EXPECT_NE(m.find(u"NAO_EXISTE", inicio.size()), std::u16string::npos);
}

TEST_F(BaseConversao, LimpaTabelaConfirmaTudoQueVeioAntes) {
  TIBQuery q;
  q.SetDatabase(&par.destino.banco);
  q.SQL().SetText(u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00001', 'ANTES')");
  q.ExecSQL();
  apoio::Executa(par.arquivoOrigem, u"INSERT INTO RECDB001 VALUES ('1', 'x')");  // another file, untouched
  TConversao c(&par.destino.banco);
  c.PLimpaTabela(u"FORNECE");
  EXPECT_FALSE(c.ErroGravacao);
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_TRUE(interface.mensagens.empty());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);
}

std::u16string TriggerInativo(apoio::ParDeBancos& par) {
  TIBQuery q;
  q.SetDatabase(&par.destino.banco);
  q.SQL().SetText(u"SELECT RDB$TRIGGER_INACTIVE FROM RDB$TRIGGERS WHERE RDB$TRIGGER_NAME = 'PRODUTO_BI0'");
  q.Open();
  std::u16string v = q.FieldByName(u"RDB$TRIGGER_INACTIVE").AsString();
  q.Close();
  par.destino.transacao.Commit();
  return v;
}

TEST_F(BaseConversao, DesativaEAtivaOTriggerDoProduto) {
  TConversao c(&par.destino.banco);
  c.DesativaTriggers(par.destino.banco, par.destino.transacao);
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(TriggerInativo(par), u"1");
  c.AtivaTriggers(par.destino.banco, par.destino.transacao);
  EXPECT_EQ(TriggerInativo(par), u"0");
  EXPECT_TRUE(interface.mensagens.empty());
}

TEST_F(BaseConversao, SemOTriggerAvisaEDesfaz) {
  apoio::PastaTemporaria pasta;
  auto arquivo = pasta.Caminho() / "SEM_TRIGGER.FB";
  apoio::CriaBanco(arquivo, 1);
  apoio::Executa(arquivo, u"CREATE TABLE T (A INTEGER)");
  apoio::Conexao con;
  con.Abre(arquivo);
  TIBQuery q;
  q.SetDatabase(&con.banco);
  q.SQL().SetText(u"INSERT INTO T VALUES (1)");
  q.ExecSQL();
  TConversao c(&con.banco);
  c.DesativaTriggers(con.banco, con.transacao);
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Aviso);
  EXPECT_EQ(interface.mensagens[0].texto.rfind(u"Erro ao desativar as Triggers: ", 0), 0u);
  EXPECT_NE(interface.mensagens[0].texto.find(u"PRODUTO_BI0"), std::u16string::npos);
  // The rollback also discarded the work done before in that transaction.
  EXPECT_FALSE(con.transacao.Active());
  con.banco.SetConnected(false);
  EXPECT_EQ(apoio::ContaLinhas(arquivo, u"T"), 0);
}

TEST(QuotedStr, DobraAsAspasSimples) {
  EXPECT_EQ(QuotedStr(u"D'AVILA"), u"'D''AVILA'");
  EXPECT_EQ(QuotedStr(u""), u"''");
  EXPECT_EQ(QuotedStr(u"''"), u"''''''");
}

}  // namespace
