// City conversion: RECDB001 of a real legacy file into CIDADES of a real destination.
#include <gtest/gtest.h>

#include "apoio/BancosTeste.h"
#include "apoio/Progresso.h"
#include "cidades/Cidade.h"
#include "cidades/CidadesController.h"
#include "comum/Erro.h"
#include "comum/Texto.h"

namespace {

using Linhas = std::vector<std::vector<std::u16string>>;

TEST(ConverteCidadesSetters, CortaEPreenche) {
  TIBDatabase semConexao;
  TConverteCidades c(&semConexao);
  EXPECT_EQ(c.CodCidade(), u"");
  struct Caso {
    std::u16string codigo, esperado;
  };
  for (const Caso& caso : {Caso{u"7", u"00007"}, Caso{u"123456", u"12345"}, Caso{u"", u"00000"},
                           Caso{u" 12", u"00 12"}}) {
    c.SetCodCidade(caso.codigo);
    EXPECT_EQ(c.CodCidade(), caso.esperado) << texto::ParaUtf8(caso.codigo);
  }
  c.SetCidade(std::u16string(35, u'a'));
  EXPECT_EQ(c.Cidade(), std::u16string(30, u'a'));
  c.SetEstado(u"mgx");
  EXPECT_EQ(c.Estado(), u"mg");
  c.SetCodMunicipio(u"123456789");
  EXPECT_EQ(c.CodMunicipio(), u"1234567");
}

class ConversaoCidades : public ::testing::Test {
 protected:
  void InsereOrigem(const std::u16string& codigo, const std::u16string& descricao) {
    auto valor = [](const std::u16string& v) { return v == u"NULL" ? v : QuotedStr(v); };
    apoio::Executa(par.arquivoOrigem,
                   u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES (" + valor(codigo) + u", " + valor(descricao) + u")");
  }

  void Converte() {
    TClassPreencheDadosCidades leitor;
    leitor.PreencheDadosCidades(par.origem.banco, par.destino.banco, progresso.Barra, progresso.lblInfo);
  }

  Linhas Cidades() {
    return apoio::Consulta(par.arquivoDestino,
                           u"SELECT CODCIDADE, CIDADE, ESTADO, CODMUNICIPIO, CODMUNICIPIO IS NULL FROM CIDADES "
                           u"ORDER BY CODCIDADE");
  }

  apoio::ParDeBancos par;
  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
};

TEST_F(ConversaoCidades, CodigosDescricoesEstado) {
  InsereOrigem(u"7", u"Belo Horizonte");
  InsereOrigem(u"123456", std::u16string(u"Conceição do Mato Dentro e mais um pouco"));
  InsereOrigem(u"NULL", u"D'AGUA");
  InsereOrigem(u"8", u"NULL");
  Converte();
  par.destino.transacao.Commit();
  Linhas esperado = {
      {u"00000", u"D'AGUA", u"MG", u"", u"False"},
      {u"00007", u"Belo Horizonte", u"MG", u"", u"False"},
      {u"00008", u"", u"MG", u"", u"False"},
      {u"12345", u"Conceição do Mato Dentro e mai", u"MG", u"", u"False"},
  };
  EXPECT_EQ(Cidades(), esperado);
}

TEST_F(ConversaoCidades, LegendaEBarraLinhaALinha) {
  InsereOrigem(u"1", u"A");
  InsereOrigem(u"2", u"B");
  InsereOrigem(u"3", u"C");
  Converte();
  std::vector<std::u16string> legendas = {u"Convertendo Cidades - Registro 1 de 3",
                                          u"Convertendo Cidades - Registro 2 de 3",
                                          u"Convertendo Cidades - Registro 3 de 3", u""};
  EXPECT_EQ(progresso.legendas, legendas);
  // Each caption is shown before its row is written; the gauge advances after it.
  EXPECT_EQ(progresso.progressoNaLegenda, (std::vector<int>{0, 1, 2, 3}));
  std::vector<std::pair<int, int>> estados = {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {0, 3}, {0, 0}};
  EXPECT_EQ(progresso.estados, estados);
  EXPECT_EQ(interface.eventos, 3);
}

TEST_F(ConversaoCidades, OrigemVaziaAindaEsvaziaEConfirma) {
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00001', 'VELHA')");
  Converte();
  // The emptying was committed by the reader itself, and nothing followed it.
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 0);
  EXPECT_TRUE(progresso.legendas.empty() || progresso.legendas == std::vector<std::u16string>{u""});
  EXPECT_EQ(progresso.Barra.MaxValue(), 0);
  EXPECT_EQ(progresso.Barra.Progress(), 0);
  EXPECT_EQ(progresso.lblInfo.Caption(), u"");
}

TEST_F(ConversaoCidades, FalhaDepoisDaLimpezaDeixaCidadesVazia) {
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00001', 'VELHA')");
  InsereOrigem(u"1", u"A");
  InsereOrigem(u"000012", u"B");  // 00001 too, once cut to five characters
  EXPECT_THROW(Converte(), comum::Erro);
  EXPECT_EQ(progresso.lblInfo.Caption(), u"Convertendo Cidades - Registro 2 de 2");
  par.destino.transacao.Rollback();
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 0);
}

}  // namespace
