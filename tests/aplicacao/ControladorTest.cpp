// The run controller: which tables run, the commit, the rollback, the messages.
#include <gtest/gtest.h>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/TextoRelatorio.h"
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

// A destination table whose delete a trigger refuses, with an old row to
// fire it: the tables finished before it stay converted and committed.
struct ExclusaoRecusada {
  const char16_t* tabela;
  std::vector<relatorio::Situacao> situacoes;  // cities, clients, suppliers
  int cidades, clientes, fornecedores;         // rows afterwards
  std::u16string resultado;
};

class ExclusaoRecusadaPorTrigger : public Controlador, public ::testing::WithParamInterface<ExclusaoRecusada> {};

TEST_P(ExclusaoRecusadaPorTrigger, MantemAsTabelasTerminadasEDizOQueFicou) {
  using relatorio::Situacao;
  const ExclusaoRecusada& c = GetParam();
  apoio::Executa(par.arquivoOrigem,
                 u"INSERT INTO RECDB004 (CODIGO, RAZAO_SOCIAL, CIDADE, UF) VALUES ('7', 'C', 'NOVA', 'MG')");
  apoio::Executa(par.arquivoOrigem, u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL) VALUES ('8', 'F')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'DE ANTES')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00000001')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'DE ANTES')");
  apoio::Executa(par.arquivoDestino, u"CREATE EXCEPTION NAO_APAGA 'nao apaga'");
  apoio::Executa(par.arquivoDestino, std::u16string(u"CREATE TRIGGER NAO_APAGA_BD FOR ") + c.tabela +
                                         u" BEFORE DELETE AS BEGIN EXCEPTION NAO_APAGA; END");
  TClassesConversaoController controlador;
  EXPECT_FALSE(controlador.FEfetuaConversao(Parametros(true, true, true), par.origem.banco, par.origem.transacao,
                                            par.destino.banco, par.destino.transacao, progresso.Barra,
                                            progresso.lblInfo));
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_NE(interface.mensagens[0].texto.find(u"NAO_APAGA"), std::u16string::npos);
  EXPECT_FALSE(par.destino.transacao.Active());

  const auto& relatorio = controlador.Relatorio();
  std::vector<Situacao> situacoes;
  for (const auto& [nome, situacao] : relatorio.Situacoes()) situacoes.push_back(situacao);
  EXPECT_EQ(situacoes, c.situacoes);
  const std::u16string resumo = textorelatorio::Resumo(relatorio);
  EXPECT_NE(resumo.find(u"Resultado: erro; " + c.resultado + u"; "), std::u16string::npos) << texto::ParaUtf8(resumo);
  // The new cities of this run, not the old one.
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES WHERE CODCIDADE <> '00099'"), c.cidades);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), c.cidades);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CLIENTE"), c.clientes);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"FORNECE"), c.fornecedores);
  if (c.clientes == 1) {
    EXPECT_EQ(apoio::Consulta(par.arquivoDestino, u"SELECT NOME FROM CLIENTE").at(0).at(0) == u"DE ANTES",
              std::u16string(c.tabela) == u"CLIENTE");
  }
}

using S = relatorio::Situacao;
INSTANTIATE_TEST_SUITE_P(
    Tabelas, ExclusaoRecusadaPorTrigger,
    ::testing::Values(
        ExclusaoRecusada{u"CLIENTE",
                         {S::Confirmada, S::ComoEstava, S::ComoEstava},
                         2,
                         1,
                         1,
                         u"Cidades: convertida e confirmada; Clientes: deixada como estava; Fornecedores: deixada "
                         u"como estava"},
        // CLIENTE is emptied and committed before the delete of COMPCLIE fails.
        ExclusaoRecusada{u"COMPCLIE",
                         {S::Confirmada, S::Esvaziada, S::ComoEstava},
                         2,
                         0,
                         1,
                         u"Cidades: convertida e confirmada; Clientes: esvaziada e deixada vazia; Fornecedores: "
                         u"deixada como estava"},
        // The client's city NOVA was created by its lookup and committed with it.
        ExclusaoRecusada{u"FORNECE",
                         {S::Confirmada, S::Confirmada, S::ComoEstava},
                         3,
                         1,
                         1,
                         u"Cidades: convertida e confirmada; Clientes: convertida e confirmada; Fornecedores: "
                         u"deixada como estava"}),
    [](const auto& info) { return texto::ParaUtf8(info.param.tabela); });

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
