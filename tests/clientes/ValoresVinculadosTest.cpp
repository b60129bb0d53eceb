// Clients and suppliers are written by statement texts with markers and
// bound values; before, every value was quoted into the text. Proof that this
// changes nothing: the same generated sample (quotes, accents, every byte,
// empty and repeated names, masked documents) converted both ways gives the
// same tables, byte for byte, the same outcome and the same message. Also
// over a city column whose collation ignores case, on a destination whose
// date columns have a DEFAULT (an empty date leaves its column out), for runs
// that fail on a repeated code, on an unreadable date, on a text longer than
// its column and on a trigger that refuses the 1,000th client, and through a
// private server.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Progresso.h"
#include "apoio/ServidorFirebird.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

namespace fs = std::filesystem;
using Tabelas = std::vector<std::vector<std::vector<std::u16string>>>;

enum class Caso { Binaria, SemCaixa, CodigoRepetido, DataIlegivel, TextoLongo, GatilhoRecusa };

struct Rodada {
  bool ok = false;
  std::u16string mensagem;
  Tabelas tabelas;
};

// The file name that reaches arquivo: itself, or through the server.
std::string Nome(const fs::path& arquivo, const apoio::ServidorFirebird* servidor) {
  return servidor ? servidor->NomeConexao(arquivo) : arquivo.string();
}

Rodada Converte(const fs::path& pasta, bool vinculados, Caso caso, const apoio::ServidorFirebird* servidor) {
  const amostra::Resultado r = apoio::GeraAmostra(pasta, 60, caso == Caso::GatilhoRecusa ? 1100 : 400, 150, 7);
  switch (caso) {
    case Caso::Binaria:
      break;
    case Caso::SemCaixa:
      apoio::Executa(r.destino, u"DROP TABLE CIDADES");
      apoio::Executa(r.destino, u"CREATE TABLE CIDADES (CODCIDADE VARCHAR(6) NOT NULL PRIMARY KEY, "
                                u"CIDADE VARCHAR(60) CHARACTER SET WIN1252 COLLATE WIN_PTBR, ESTADO VARCHAR(10), "
                                u"CODMUNICIPIO VARCHAR(7))");
      break;
    case Caso::CodigoRepetido:
      // The 700th client again, under a code that the setter makes the same.
      apoio::Executa(r.origem, u"INSERT INTO RECDB004 (CODIGO, RAZAO_SOCIAL, CIDADE, UF) SELECT '0' || CODIGO, "
                               u"'REPETIDO', CIDADE, UF FROM RECDB004 WHERE CODIGO = (SELECT MAX(CODIGO) FROM "
                               u"RECDB004 WHERE RAZAO_SOCIAL IS NOT NULL)");
      break;
    case Caso::DataIlegivel:
      apoio::Executa(r.origem, u"ALTER TABLE RECDB004 ALTER DT_NASC TYPE VARCHAR(30)");
      apoio::Executa(r.origem, u"UPDATE RECDB004 SET DT_NASC = '31/02/19x9' WHERE CODIGO = (SELECT MAX(CODIGO) "
                               u"FROM RECDB004 WHERE RAZAO_SOCIAL IS NOT NULL)");
      break;
    case Caso::TextoLongo:
      // A column shorter than the values the setter lets through.
      apoio::Executa(r.destino, u"ALTER TABLE CLIENTE DROP CONTATO, ADD CONTATO VARCHAR(3)");
      break;
    case Caso::GatilhoRecusa:
      apoio::Executa(r.destino, u"CREATE GENERATOR G_CLIENTES");
      apoio::Executa(r.destino, u"CREATE EXCEPTION E_MIL 'O milésimo cliente não entra'");
      apoio::Executa(r.destino, u"CREATE TRIGGER CLIENTE_MIL FOR CLIENTE BEFORE INSERT AS BEGIN "
                                u"IF (GEN_ID(G_CLIENTES, 1) = 1000) THEN EXCEPTION E_MIL; END");
      break;
  }
  // Empty dates take these; a date written as NULL would not.
  apoio::Executa(r.destino, u"ALTER TABLE CLIENTE ALTER DT_NASCIMENTO SET DEFAULT '01.01.1901'");
  apoio::Executa(r.destino, u"ALTER TABLE CLIENTE ALTER DT_CADASTRO SET DEFAULT '02.02.1902'");
  Rodada rodada;
  {
    apoio::Conexao origem;
    apoio::Conexao destino;
    origem.Abre(Nome(r.origem, servidor));
    destino.Abre(Nome(r.destino, servidor));
    apoio::ProgressoGravado progresso;
    apoio::InterfaceGravada interface;
    comum::TStringList params;
    pIniciaListaParametros(params);
    pCarregaParametros(params, false, true, true);
    const bool antes = TConversao::ValoresVinculados;
    TConversao::ValoresVinculados = vinculados;
    TClassesConversaoController controlador;
    rodada.ok = controlador.FEfetuaConversao(params, origem.banco, origem.transacao, destino.banco,
                                             destino.transacao, progresso.Barra, progresso.lblInfo);
    TConversao::ValoresVinculados = antes;
    for (const auto& m : interface.mensagens) rodada.mensagem += m.texto + u"\n";
  }
  for (const char16_t* sql :
       {u"SELECT * FROM CIDADES ORDER BY CODCIDADE", u"SELECT * FROM CLIENTE ORDER BY CODCLIENTE",
        u"SELECT * FROM COMPCLIE ORDER BY CODCLIENTE", u"SELECT * FROM FORNECE ORDER BY CODFORNEC",
        u"SELECT * FROM NCLIENTE", u"SELECT COUNT(*), MIN(DT_NASCIMENTO), MIN(DT_CADASTRO) FROM CLIENTE"}) {
    rodada.tabelas.push_back(apoio::Consulta(Nome(r.destino, servidor), sql));
  }
  return rodada;
}

void Compara(const fs::path& pasta, Caso caso, const apoio::ServidorFirebird* servidor = nullptr) {
  const Rodada literal = Converte(pasta / "literal", false, caso, servidor);
  const Rodada vinculada = Converte(pasta / "vinculada", true, caso, servidor);
  EXPECT_EQ(literal.ok, vinculada.ok);
  EXPECT_EQ(texto::ParaUtf8(literal.mensagem), texto::ParaUtf8(vinculada.mensagem));
  const bool falha = caso != Caso::Binaria && caso != Caso::SemCaixa;
  EXPECT_EQ(literal.ok, !falha) << texto::ParaUtf8(literal.mensagem);
  ASSERT_EQ(literal.tabelas.size(), vinculada.tabelas.size());
  if (!falha) {
    EXPECT_GT(literal.tabelas[1].size(), 300u);
    EXPECT_GT(literal.tabelas[3].size(), 100u);
    // The defaults were taken by some clients and the sample's own dates by others.
    EXPECT_EQ(literal.tabelas[5][0][1], u"01/01/1901");
  }
  for (std::size_t i = 0; i < literal.tabelas.size(); ++i) {
    ASSERT_EQ(literal.tabelas[i].size(), vinculada.tabelas[i].size()) << "table " << i;
    for (std::size_t l = 0; l < literal.tabelas[i].size(); ++l) {
      ASSERT_EQ(literal.tabelas[i][l], vinculada.tabelas[i][l]) << "table " << i << ", row " << l;
    }
  }
}

class ValoresVinculados : public ::testing::TestWithParam<Caso> {};

TEST_P(ValoresVinculados, MesmasTabelasQueOsValoresNoTexto) {
  apoio::PastaTemporaria pasta;
  Compara(pasta.Caminho(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Casos, ValoresVinculados,
                         ::testing::Values(Caso::Binaria, Caso::SemCaixa, Caso::CodigoRepetido, Caso::DataIlegivel,
                                           Caso::TextoLongo, Caso::GatilhoRecusa),
                         [](const auto& info) {
                           switch (info.param) {
                             case Caso::Binaria:
                               return "Binaria";
                             case Caso::SemCaixa:
                               return "SemCaixa";
                             case Caso::CodigoRepetido:
                               return "CodigoRepetido";
                             case Caso::DataIlegivel:
                               return "DataIlegivel";
                             case Caso::TextoLongo:
                               return "TextoLongo";
                             case Caso::GatilhoRecusa:
                               return "GatilhoRecusa";
                           }
                           return "";
                         });

TEST(ServidorValoresVinculados, MesmasTabelasPelaRede) {
  if (!apoio::ServidorFirebird::Instalado()) GTEST_SKIP() << apoio::ServidorFirebird::Falta();
  apoio::PastaTemporaria pasta;
  apoio::ServidorFirebird servidor;
  Compara(pasta.Caminho(), Caso::GatilhoRecusa, &servidor);
}

}  // namespace
