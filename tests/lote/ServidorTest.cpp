// The batch runner against a real Firebird server: a whole run through the
// network gives what the embedded engine gives, a server that dies mid-run
// leaves the destination in the state the run's commits promise, and a
// refused login changes nothing.
//
// The files are made through the embedded engine and every embedded
// connection is closed before the server opens them; they are read back
// through the server or after it has stopped, never both at once.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"
#include "apoio/ServidorFirebird.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Linhas = std::vector<std::vector<std::u16string>>;

const char* const kErroNaConversao = "Ocorreu um erro durante a conversão! Motivo: ";
const char* const kSemConexao =
    "Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo selecionado é válido! "
    "\nMotivo: ";

// The destination tables a full run writes, each with its key.
struct Tabela {
  const char16_t* nome;
  const char16_t* chave;
};
const Tabela kTabelas[] = {
    {u"CIDADES", u"CODCIDADE"}, {u"CLIENTE", u"CODCLIENTE"}, {u"COMPCLIE", u"CODCLIENTE"}, {u"FORNECE", u"CODFORNEC"}};

class Servidor : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!apoio::ServidorFirebird::Instalado()) GTEST_SKIP() << apoio::ServidorFirebird::Falta();
  }

  static amostra::Resultado Gera(const fs::path& pasta, int cidades, int clientes, int fornecedores) {
    return apoio::GeraAmostra(pasta, cidades, clientes, fornecedores, 11);
  }

  static std::vector<std::string> Argumentos(const std::string& origem, const std::string& destino) {
    return {"--origem", origem, "--destino", destino, "--cidades", "--clientes", "--fornecedores"};
  }

  // Every row, every column as text, in key order.
  static Linhas Le(const fs::path& banco, const Tabela& t) {
    return apoio::Consulta(banco, u"SELECT * FROM " + std::u16string(t.nome) + u" ORDER BY " + t.chave);
  }

  static std::vector<Linhas> LeTodas(const fs::path& banco) {
    std::vector<Linhas> r;
    for (const auto& t : kTabelas) r.push_back(Le(banco, t));
    return r;
  }

  static std::string Mostra(const std::vector<std::u16string>& linha) {
    std::string r = "[";
    for (const auto& v : linha) r += (r.size() > 1 ? " | " : "") + texto::ParaUtf8(v);
    return r + "]";
  }

  // Reports the first row that differs, so that a failure shows what changed.
  static void ComparaLinhas(const Tabela& t, const Linhas& esperadas, const Linhas& obtidas) {
    const std::string nome = texto::ParaUtf8(t.nome);
    EXPECT_EQ(obtidas.size(), esperadas.size()) << nome;
    for (std::size_t i = 0; i < std::min(esperadas.size(), obtidas.size()); ++i) {
      if (esperadas[i] != obtidas[i]) {
        ADD_FAILURE() << nome << ", row " << i + 1 << ":\n  expected: " << Mostra(esperadas[i])
                      << "\n  actual:   " << Mostra(obtidas[i]);
        return;
      }
    }
  }

  // Nothing of a sanitizer's report or of a crash in the batch runner's errors.
  static void SemRelatorioDeFalha(const apoio::ResultadoLote& r) {
    EXPECT_EQ(r.sinal, 0) << r.erros;
    EXPECT_EQ(r.erros.find("Sanitizer"), std::string::npos) << r.erros;
    EXPECT_EQ(r.erros.find("runtime error"), std::string::npos) << r.erros;
  }

  static int Conta(const fs::path& banco, const char16_t* tabela) { return apoio::ContaLinhas(banco, tabela); }
};

TEST_F(Servidor, RodadaPeloServidorIgualAEmbutida) {
  apoio::PastaTemporaria pastaEmbutida;
  apoio::PastaTemporaria pastaServidor;
  const auto embutida = Gera(pastaEmbutida.Caminho(), 40, 300, 60);
  const auto remota = Gera(pastaServidor.Caminho(), 40, 300, 60);
  apoio::ServidorFirebird servidor;

  const auto rEmbutida =
      apoio::RodaLote(pastaEmbutida.Caminho(), Argumentos(embutida.origem.string(), embutida.destino.string()));
  const auto rServidor = apoio::RodaLote(
      pastaServidor.Caminho(), Argumentos(servidor.NomeConexao(remota.origem), servidor.NomeConexao(remota.destino)));
  servidor.Stop();

  ASSERT_EQ(rEmbutida.status, 0) << rEmbutida.erros;
  EXPECT_EQ(rServidor.status, 0) << rServidor.erros;
  SemRelatorioDeFalha(rServidor);
  EXPECT_EQ(rServidor.saida, "Conversão concluída com sucesso!\n");
  // The same tables with the same row counts (the summary's lines up to their times).
  auto semTempos = [](const std::string& erros) {
    std::string r;
    std::istringstream in(apoio::SemTempos(erros));
    for (std::string linha; std::getline(in, linha);) r += linha.substr(0, linha.find("; ")) + "\n";
    return r;
  };
  EXPECT_EQ(semTempos(rServidor.erros), semTempos(rEmbutida.erros));

  const auto esperadas = LeTodas(embutida.destino);
  const auto obtidas = LeTodas(remota.destino);
  for (std::size_t i = 0; i < std::size(kTabelas); ++i) {
    EXPECT_FALSE(esperadas[i].empty()) << texto::ParaUtf8(kTabelas[i].nome);
    ComparaLinhas(kTabelas[i], esperadas[i], obtidas[i]);
  }
}

// Rows the other connections to the database have inserted so far, committed
// or not: the monitoring tables count them before any other transaction
// could see them.
int InseridasPorOutros(const std::string& banco) {
  const auto l = apoio::Consulta(
      banco,
      u"SELECT CAST(COALESCE(SUM(R.MON$RECORD_INSERTS), 0) AS INTEGER) FROM MON$ATTACHMENTS A "
      u"JOIN MON$RECORD_STATS R ON R.MON$STAT_ID = A.MON$STAT_ID WHERE A.MON$ATTACHMENT_ID <> CURRENT_CONNECTION");
  int n = -1;
  texto::LeInteiro(l.at(0).at(0), n);
  return n;
}

TEST_F(Servidor, ServidorMortoNoMeioDosClientes) {
  constexpr int kCidades = 40;
  constexpr int kClientes = 4000;
  apoio::PastaTemporaria pasta;
  const auto amostra = Gera(pasta.Caminho(), kCidades, kClientes, 30);
  // Rows of an earlier run: the clients' emptying must be committed, and the
  // suppliers, never reached, keep theirs.
  apoio::Executa(amostra.destino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('99999999', 'DE ANTES')");
  apoio::Executa(amostra.destino, u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('99999999')");
  apoio::Executa(amostra.destino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999999', 'DE ANTES')");

  apoio::ServidorFirebird servidor;
  const std::string destino = servidor.NomeConexao(amostra.destino);
  apoio::LoteEmCurso lote(pasta.Caminho(), Argumentos(servidor.NomeConexao(amostra.origem), destino));

  // The cities insert kCidades rows; well past that, the clients are being
  // written in the run's open transaction.
  const int alvo = kCidades + 200;
  const auto limite = std::chrono::steady_clock::now() + 120s;
  int inseridas = 0;
  while ((inseridas = InseridasPorOutros(destino)) < alvo && std::chrono::steady_clock::now() < limite) {
    std::this_thread::sleep_for(20ms);
  }
  const std::string errosAntes = lote.ErrosAteAgora();
  ASSERT_GE(inseridas, alvo) << "the run did not reach the clients; its errors so far: " << errosAntes;
  ASSERT_EQ(errosAntes.find("Convertendo Clientes"), std::string::npos) << "the clients were done before the kill";

  servidor.Kill();
  const apoio::ResultadoLote r = lote.Espera(60s);
  SemRelatorioDeFalha(r);
  EXPECT_EQ(r.status, 1) << r.erros;
  EXPECT_EQ(r.saida, "");
  const std::string cabeca = "Convertendo Cidades - Registro " + std::to_string(kCidades) + " de " +
                             std::to_string(kCidades) + " - " + std::to_string(kCidades) + " registros em T s\n" +
                             kErroNaConversao;
  EXPECT_EQ(apoio::SemTempos(r.erros).rfind(cabeca, 0), 0u) << r.erros;
  // The cause is the client library's: the connection broke.
  EXPECT_NE(r.erros.find("connection", cabeca.size()), std::string::npos) << r.erros;

  // After a restart the server rolls back what the dead run left open.
  servidor.Restart();
  EXPECT_EQ(Conta(destino, u"CIDADES"), kCidades);  // complete, and none of the cities the clients add
  EXPECT_EQ(Conta(destino, u"CLIENTE"), 0);
  EXPECT_EQ(Conta(destino, u"COMPCLIE"), 0);
  EXPECT_EQ(apoio::Consulta(destino, u"SELECT CODFORNEC, NOME FROM FORNECE"), (Linhas{{u"999999", u"DE ANTES"}}));
}

TEST_F(Servidor, SenhaRecusadaNaoMexeNoDestino) {
  apoio::PastaTemporaria pasta;
  const auto amostra = Gera(pasta.Caminho(), 10, 30, 5);
  apoio::Executa(amostra.destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00001', 'FICA')");
  apoio::Executa(amostra.destino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'FICA')");
  apoio::Executa(amostra.destino, u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00000001')");
  apoio::Executa(amostra.destino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'FICA')");
  const auto antes = LeTodas(amostra.destino);

  apoio::ServidorFirebird servidor("nao-e-a-do-programa");
  const auto r = apoio::RodaLote(
      pasta.Caminho(), Argumentos(servidor.NomeConexao(amostra.origem), servidor.NomeConexao(amostra.destino)));
  servidor.Stop();

  SemRelatorioDeFalha(r);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, "");
  EXPECT_EQ(r.erros.rfind(kSemConexao, 0), 0u) << r.erros;
  EXPECT_NE(r.erros.find("user name and password are not defined"), std::string::npos) << r.erros;
  EXPECT_NE(r.erros.find("Banco de dados de destino: " + servidor.NomeConexao(amostra.destino)), std::string::npos)
      << r.erros;

  const auto depois = LeTodas(amostra.destino);
  for (std::size_t i = 0; i < std::size(kTabelas); ++i) ComparaLinhas(kTabelas[i], antes[i], depois[i]);
}

// A path with accents, blanks and an apostrophe reaches the server as the
// file system names it (UTF-8), in the "host/port:path" form.
TEST_F(Servidor, CaminhoComAcentosEspacosEApostrofo) {
  apoio::PastaTemporaria pasta;
  const fs::path dados = pasta.Caminho() / fs::u8path("Área de Trabalho") / fs::u8path("Dados d'Oeste Ç");
  amostra::Resultado r = Gera(dados, 5, 20, 5);
  apoio::ServidorFirebird servidor;
  apoio::ResultadoLote lote =
      apoio::RodaLote(pasta.Caminho(), Argumentos(servidor.NomeConexao(r.origem), servidor.NomeConexao(r.destino)));
  EXPECT_EQ(lote.status, 0) << lote.erros;
  servidor.Stop();
  EXPECT_GT(apoio::ContaLinhas(r.destino, u"CLIENTE"), 0);
  EXPECT_GT(apoio::ContaLinhas(r.destino, u"FORNECE"), 0);
}

}  // namespace
