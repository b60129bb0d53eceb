// The run controller: which tables run, the commit, the rollback, the messages.
#include <gtest/gtest.h>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "apoio/BancosTeste.h"
#include "apoio/Progresso.h"
#include "comum/Texto.h"

namespace {

class Controlador : public ::testing::Test {
 protected:
  void SetUp() override {
    apoio::Executa(par.arquivoOrigem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'UM')");
    apoio::Executa(par.arquivoOrigem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('2', 'DOIS')");
    apoio::Executa(par.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00099', 'VELHA')");
  }

  bool Roda(const comum::TStringList& params, TIBDatabase& origem) {
    TClassesConversaoController controlador;
    return controlador.FEfetuaConversao(params, origem, par.origem.transacao, par.destino.banco, par.destino.transacao,
                                        progresso.Barra, progresso.lblInfo);
  }

  comum::TStringList Parametros(bool cidades, bool clientes, bool fornecedores) {
    comum::TStringList p;
    pIniciaListaParametros(p);
    pCarregaParametros(p, cidades, clientes, fornecedores);
    return p;
  }

  apoio::ParDeBancos par;
  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
};

TEST_F(Controlador, SoCidadesConverteEConfirma) {
  EXPECT_TRUE(Roda(Parametros(true, false, false), par.origem.banco));
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Informacao);
  EXPECT_EQ(interface.mensagens[0].texto, u"Conversão concluída com sucesso!");
  EXPECT_FALSE(par.destino.transacao.Active());
  auto linhas = apoio::Consulta(par.arquivoDestino, u"SELECT CODCIDADE FROM CIDADES ORDER BY 1");
  EXPECT_EQ(linhas, (std::vector<std::vector<std::u16string>>{{u"00001"}, {u"00002"}}));
}

TEST_F(Controlador, NenhumaTabelaSoConfirma) {
  EXPECT_TRUE(Roda(Parametros(false, false, false), par.origem.banco));
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].texto, u"Conversão concluída com sucesso!");
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);
  EXPECT_TRUE(progresso.legendas.empty());
}

TEST_F(Controlador, ValorDiferenteDeSMaiusculoNaoConverte) {
  for (const char16_t* valor : {u"s", u"Sim", u"", u" S"}) {
    comum::TStringList p;
    p.Add(std::u16string(u"cidades=") + valor);
    EXPECT_TRUE(Roda(p, par.origem.banco));
  }
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);
  comum::TStringList p;
  p.Add(u"cidades=S");
  EXPECT_TRUE(Roda(p, par.origem.banco));
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 2);
}

TEST_F(Controlador, OrigemNaoAbertaFalhaSemEsvaziar) {
  apoio::Conexao semOrigem;  // set up like the window's, never picked
  EXPECT_FALSE(Roda(Parametros(true, false, false), semOrigem.banco));
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Erro);
  EXPECT_EQ(interface.mensagens[0].texto, u"Ocorreu um erro durante a conversão! Motivo: Database name is missing");
  EXPECT_EQ(progresso.Barra.Progress(), 0);
  EXPECT_EQ(progresso.Barra.MaxValue(), 0);
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);
}

TEST_F(Controlador, FalhaNoMeioDesfazOQueNaoFoiConfirmado) {
  apoio::Executa(par.arquivoOrigem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('000011', 'REPETIDA')");
  EXPECT_FALSE(Roda(Parametros(true, false, false), par.origem.banco));
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].texto.rfind(u"Ocorreu um erro durante a conversão! Motivo: ", 0), 0u);
  EXPECT_EQ(progresso.lblInfo.Caption(), u"Convertendo Cidades - Registro 3 de 3");
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 0);
}

TEST(ParametrosDaJanela, CincoNomesSozinhosDepoisOsMarcados) {
  comum::TStringList p;
  pIniciaListaParametros(p);
  pCarregaParametros(p, true, false, true);
  std::vector<std::u16string> esperado = {u"CIDADES",           u"CLIENTES",  u"FORNECEDORES",  u"CAMINHO BD DESTINO",
                                          u"CAMINHO BD ORIGEM", u"CIDADES=S", u"FORNECEDORES=S"};
  EXPECT_EQ(p.Linhas(), esperado);
  EXPECT_EQ(p.Values(u"cidades"), u"S");
  EXPECT_EQ(p.Values(u"CLIENTES"), u"");
}

}  // namespace
