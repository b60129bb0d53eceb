// Whole runs of the batch runner on generated data: the three tables in one
// run, and a run whose last table fails after the first two were converted.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;

class RodadaCompleta : public ::testing::Test {
 protected:
  void Gera(int cidades, int clientes, int fornecedores) {
    auto r = apoio::GeraAmostra(pasta.Caminho(), cidades, clientes, fornecedores, 7);
    origem = r.origem;
    destino = r.destino;
  }

  // The generator and apoio::Consulta close their connections: the program
  // gets both files to itself.
  apoio::ResultadoLote Roda() {
    return apoio::RodaLote(pasta.Caminho(), {"--origem", origem.string(), "--destino", destino.string(), "--cidades",
                                             "--clientes", "--fornecedores"});
  }

  int Conta(const fs::path& arquivo, const std::u16string& tabela) { return apoio::ContaLinhas(arquivo, tabela); }

  // Clients whose RAZAO_SOCIAL keeps something once its double quotes and the
  // characters of code 32 or less around it are gone: those are written.
  int ClientesComNome() {
    int n = 0;
    for (const auto& l : apoio::Consulta(origem, u"SELECT RAZAO_SOCIAL FROM RECDB004")) {
      if (!texto::Trim(texto::RemoveTodos(l.at(0), u'"')).empty()) ++n;
    }
    return n;
  }

  // Suppliers lose apostrophes instead, and keep their double quotes.
  int FornecedoresComNome() {
    int n = 0;
    for (const auto& l : apoio::Consulta(origem, u"SELECT RAZAO_SOCIAL FROM PAGDB003")) {
      if (!texto::Trim(texto::RemoveTodos(l.at(0), u'\'')).empty()) ++n;
    }
    return n;
  }

  static std::string Linha(const char* tabela, int n) {
    return std::string("Convertendo ") + tabela + " - Registro " + std::to_string(n) + " de " + std::to_string(n) +
           "\n";
  }

  apoio::PastaTemporaria pasta;
  fs::path origem;
  fs::path destino;
};

TEST_F(RodadaCompleta, AsTresTabelasNumaRodada) {
  Gera(40, 300, 60);
  const int clientes = ClientesComNome();
  const int fornecedores = FornecedoresComNome();
  ASSERT_GT(clientes, 0);
  ASSERT_LT(clientes, 300);  // the sample has nameless clients to skip

  apoio::ResultadoLote r = Roda();
  EXPECT_EQ(r.status, 0) << r.erros;
  EXPECT_EQ(r.saida, "Conversão concluída com sucesso!\n");
  EXPECT_EQ(r.erros, Linha("Cidades", 40) + Linha("Clientes", 300) + Linha("Fornecedores", 60));

  EXPECT_GE(Conta(destino, u"CIDADES"), 40);
  EXPECT_EQ(Conta(destino, u"CLIENTE"), clientes);
  EXPECT_EQ(Conta(destino, u"COMPCLIE"), clientes);
  EXPECT_EQ(Conta(destino, u"FORNECE"), fornecedores);
  EXPECT_GT(fornecedores, 0);
  // Every city code a supplier carries exists.
  EXPECT_EQ(apoio::Consulta(destino,
                            u"SELECT COUNT(*) FROM FORNECE F WHERE F.CODCIDADE <> '' AND NOT EXISTS "
                            u"(SELECT 1 FROM CIDADES C WHERE C.CODCIDADE = F.CODCIDADE)")
                .at(0)
                .at(0),
            u"0");
  EXPECT_EQ(apoio::Consulta(destino, u"SELECT COUNT(*) FROM FORNECE WHERE PESSOA_FJ <> 'J'").at(0).at(0), u"0");
}

// A source table that cannot be read is found before anything is emptied.
TEST_F(RodadaCompleta, TabelaDeOrigemAusenteNaoEsvaziaNada) {
  Gera(30, 120, 20);
  apoio::Executa(origem, u"DROP TABLE PAGDB003");
  apoio::Executa(destino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'DE ANTES')");
  apoio::Executa(destino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'DE ANTES')");

  apoio::ResultadoLote r = Roda();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, "");
  const std::string cabeca =
      "Ocorreu um erro durante a conversão! Motivo: A tabela PAGDB003 do banco de dados de "
      "origem não pode ser lida: ";
  EXPECT_EQ(r.erros.rfind(cabeca, 0), 0u) << r.erros;
  EXPECT_NE(r.erros.find("Table unknown"), std::string::npos) << r.erros;
  EXPECT_EQ(Conta(destino, u"CIDADES"), 0);
  EXPECT_EQ(Conta(destino, u"CLIENTE"), 1);
  EXPECT_EQ(Conta(destino, u"FORNECE"), 1);
}

// A row the destination refuses in the last table: cities and clients were
// committed by the emptying of FORNECE; the rollback only reaches what came
// after it.
TEST_F(RodadaCompleta, FalhaNosFornecedoresMantemCidadesEClientes) {
  Gera(30, 120, 20);
  apoio::Executa(origem, u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL) VALUES ('999999', 'RECUSADO')");
  apoio::Executa(destino, u"ALTER TABLE FORNECE ADD CONSTRAINT SEM_RECUSADO CHECK (NOME <> 'RECUSADO')");
  const int clientes = ClientesComNome();
  ASSERT_GT(clientes, 0);

  apoio::ResultadoLote r = Roda();
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, "");
  const std::string cabeca =
      Linha("Cidades", 30) + Linha("Clientes", 120) + "Ocorreu um erro durante a conversão! Motivo: ";
  EXPECT_EQ(r.erros.rfind(cabeca, 0), 0u) << r.erros;
  EXPECT_NE(r.erros.find("SEM_RECUSADO"), std::string::npos) << r.erros;

  EXPECT_GE(Conta(destino, u"CIDADES"), 30);
  EXPECT_EQ(Conta(destino, u"CLIENTE"), clientes);
  EXPECT_EQ(Conta(destino, u"COMPCLIE"), clientes);
  EXPECT_EQ(Conta(destino, u"FORNECE"), 0);
}

}  // namespace
