// A run that meets a row another session holds locked waits for it, says so
// on the progress label, and goes on once the row is free.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "aplicacao/nucleo/Avisos.h"
#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "apoio/BancosTeste.h"
#include "apoio/Progresso.h"
#include "banco/IBQuery.h"
#include "comum/Texto.h"

namespace {

using namespace std::chrono_literals;

TEST(EsperaPorBloqueio, AvisaNaLegendaESegueQuandoOutraSessaoLibera) {
  apoio::ParDeBancos par;
  apoio::Executa(par.arquivoOrigem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'UM')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00099', 'VELHA')");

  // Another session changes the old city and does not commit: emptying
  // CIDADES has to wait for it.
  apoio::Conexao outra;
  outra.Abre(par.arquivoDestino);
  TIBQuery trava;
  trava.SetDatabase(&outra.banco);
  trava.SQL().SetText(u"UPDATE CIDADES SET CIDADE = 'PRESA'");
  trava.ExecSQL();

  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
  std::atomic<bool> avisou{false};
  auto gravaLegenda = progresso.lblInfo.AoMudar;
  progresso.lblInfo.AoMudar = [&] {
    gravaLegenda();
    if (texto::Contem(progresso.lblInfo.Caption(), avisos::AguardandoBloqueio)) avisou = true;
  };
  // The other session lets go once the run has said that it waits.
  std::thread libera([&] {
    const auto limite = std::chrono::steady_clock::now() + 60s;
    while (!avisou && std::chrono::steady_clock::now() < limite) std::this_thread::sleep_for(20ms);
    outra.transacao.Rollback();
  });

  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, true, false, false);
  TClassesConversaoController controlador;
  const bool ok = controlador.FEfetuaConversao(params, par.origem.banco, par.origem.transacao, par.destino.banco,
                                               par.destino.transacao, progresso.Barra, progresso.lblInfo);
  libera.join();

  EXPECT_TRUE(ok) << (interface.mensagens.empty() ? std::string() : texto::ParaUtf8(interface.mensagens[0].texto));
  EXPECT_TRUE(avisou);
  ASSERT_GE(progresso.legendas.size(), 3u);
  // The wait came before any row, so the label said only that, then went back to empty.
  EXPECT_EQ(progresso.legendas[0], avisos::AguardandoBloqueio);
  EXPECT_EQ(progresso.legendas[1], u"");
  EXPECT_EQ(progresso.legendas[2], u"Convertendo Cidades - Registro 1 de 1");
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].texto, u"Conversão concluída com sucesso!");
  EXPECT_EQ(apoio::Consulta(par.arquivoDestino, u"SELECT CODCIDADE, CIDADE FROM CIDADES"),
            (std::vector<std::vector<std::u16string>>{{u"00001", u"UM"}}));
}

// A change that another session has already committed after the run's
// snapshot began is a real conflict: the run fails at once, it does not wait.
TEST(EsperaPorBloqueio, ConflitoComAlteracaoConfirmadaFalhaSemEsperar) {
  apoio::ParDeBancos par;
  apoio::Executa(par.arquivoOrigem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'UM')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00099', 'VELHA')");
  par.destino.banco.SetConnected(false);
  par.destino.banco.SetConnected(true);
  par.destino.transacao.StartTransaction();  // the run's snapshot begins here
  apoio::Executa(par.arquivoDestino, u"UPDATE CIDADES SET CIDADE = 'NOVA'");

  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, true, false, false);
  TClassesConversaoController controlador;
  const auto inicio = std::chrono::steady_clock::now();
  EXPECT_FALSE(controlador.FEfetuaConversao(params, par.origem.banco, par.origem.transacao, par.destino.banco,
                                            par.destino.transacao, progresso.Barra, progresso.lblInfo));
  EXPECT_LT(std::chrono::steady_clock::now() - inicio, 20s);
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_NE(interface.mensagens[0].texto.find(u"update conflicts"), std::u16string::npos)
      << texto::ParaUtf8(interface.mensagens[0].texto);
  for (const auto& l : progresso.legendas) EXPECT_FALSE(texto::Contem(l, avisos::AguardandoBloqueio));
}

}  // namespace
