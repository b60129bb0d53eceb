// The city lookup answers a search it has answered before from memory, and
// a new one from the city table read once. Proof that this changes nothing:
// the same generated sample (names in mixed case, with blanks around them,
// repeated, "BHTE", states with a trailing blank) over a city table with
// repeated names, trailing blanks, lower case, accents, a NULL name and two
// Belo Horizontes, converted with and without the memory gives the same
// tables, row for row and code for code; also when the column's collation
// ignores case, where the table is not read.
#include <gtest/gtest.h>

#include <sstream>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Progresso.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

namespace fs = std::filesystem;
using Tabelas = std::vector<std::vector<std::vector<std::u16string>>>;

Tabelas Converte(const fs::path& pasta, bool lembra, bool semCaixa) {
  const amostra::Resultado r = apoio::GeraAmostra(pasta, 60, 800, 150, 5);
  if (semCaixa) {
    apoio::Executa(r.destino, u"DROP TABLE CIDADES");
    apoio::Executa(r.destino, u"CREATE TABLE CIDADES (CODCIDADE VARCHAR(6) NOT NULL PRIMARY KEY, "
                              u"CIDADE VARCHAR(60) CHARACTER SET WIN1252 COLLATE WIN_PTBR, ESTADO VARCHAR(10), "
                              u"CODMUNICIPIO VARCHAR(7))");
  }
  // Cities of the destination before the run, so that lookups also find rows
  // the run did not create, among them Belo Horizontes of other states.
  for (const char16_t* linha : {u"'00500', 'BELO HORIZONTE', 'SP'", u"'00501', 'BELO HORIZONTE  ', 'RJ'",
                                u"'00502', 'SETE LAGOAS  ', 'MG'", u"'00503', 'SETE LAGOAS', 'MG'",
                                u"'00504', 'betim', 'MG'", u"'00505', NULL, 'MG'", u"'00506', 'CONTAGEM', 'MG '",
                                u"'00507', 'SÃO JOÃO DEL-REI', 'MG'", u"'00509', 'SãO JOãO DEL-REI', 'MG'",
                                u"'00508', 'BETIM', NULL", u"'09990', 'IPATINGA', 'MG'"}) {
    apoio::Executa(r.destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES (" + std::u16string(linha) + u")");
  }
  {
    apoio::Conexao origem;
    apoio::Conexao destino;
    origem.Abre(r.origem);
    destino.Abre(r.destino);
    apoio::ProgressoGravado progresso;
    apoio::InterfaceGravada interface;
    comum::TStringList params;
    pIniciaListaParametros(params);
    pCarregaParametros(params, false, true, true);
    const bool antes = TConversao::LembraCidades;
    TConversao::LembraCidades = lembra;
    TClassesConversaoController controlador;
    const bool ok = controlador.FEfetuaConversao(params, origem.banco, origem.transacao, destino.banco,
                                                 destino.transacao, progresso.Barra, progresso.lblInfo);
    TConversao::LembraCidades = antes;
    EXPECT_TRUE(ok) << (interface.mensagens.empty() ? std::string() : texto::ParaUtf8(interface.mensagens[0].texto));
  }
  Tabelas t;
  for (const char16_t* sql :
       {u"SELECT * FROM CIDADES ORDER BY CODCIDADE", u"SELECT * FROM CLIENTE ORDER BY CODCLIENTE",
        u"SELECT * FROM COMPCLIE ORDER BY CODCLIENTE", u"SELECT * FROM FORNECE ORDER BY CODFORNEC"}) {
    t.push_back(apoio::Consulta(r.destino, sql));
  }
  return t;
}

class MemoriaDeCidades : public ::testing::TestWithParam<bool> {};

TEST_P(MemoriaDeCidades, MesmasTabelasComESemAMemoria) {
  apoio::PastaTemporaria pasta;
  const Tabelas comMemoria = Converte(pasta.Caminho() / "com", true, GetParam());
  const Tabelas semMemoria = Converte(pasta.Caminho() / "sem", false, GetParam());
  ASSERT_EQ(comMemoria.size(), semMemoria.size());
  EXPECT_GT(comMemoria[0].size(), 70u);  // cities were created on the way
  EXPECT_GT(comMemoria[1].size(), 0u);
  for (std::size_t i = 0; i < comMemoria.size(); ++i) {
    ASSERT_EQ(comMemoria[i].size(), semMemoria[i].size()) << "table " << i;
    for (std::size_t l = 0; l < comMemoria[i].size(); ++l) {
      ASSERT_EQ(comMemoria[i][l], semMemoria[i][l]) << "table " << i << ", row " << l;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Colacao, MemoriaDeCidades, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "SemCaixa" : "Binaria"; });

}  // namespace
