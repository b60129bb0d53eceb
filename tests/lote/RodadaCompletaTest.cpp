// Whole runs of the batch runner on generated data: the three tables in one
// run, and a run whose last table fails after the first two were converted;
// the report of each against what the destination holds afterwards, and dry
// runs against real ones.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "aplicacao/nucleo/RegistroExecucoes.h"
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
  apoio::ResultadoLote Roda(std::vector<std::string> mais = {}) {
    std::vector<std::string> args{"--origem",  origem.string(), "--destino",     destino.string(),
                                  "--cidades", "--clientes",    "--fornecedores"};
    args.insert(args.end(), mais.begin(), mais.end());
    return apoio::RodaLote(pasta.Caminho(), args);
  }

  // Every row of the four destination tables, in key order.
  std::vector<std::vector<std::u16string>> Destino() {
    std::vector<std::vector<std::u16string>> linhas;
    for (const char16_t* sql :
         {u"SELECT * FROM CIDADES ORDER BY CODCIDADE", u"SELECT * FROM CLIENTE ORDER BY CODCLIENTE",
          u"SELECT * FROM COMPCLIE ORDER BY CODCLIENTE", u"SELECT * FROM FORNECE ORDER BY CODFORNEC"}) {
      auto t = apoio::Consulta(destino, sql);
      linhas.push_back({sql});
      linhas.insert(linhas.end(), t.begin(), t.end());
    }
    return linhas;
  }

  static std::string Le(const fs::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }

  // A CSV report's records that do not depend on when or how fast the run
  // went, nor on whether it was a dry run.
  static std::string SemTempoNemModo(const std::string& csv) {
    std::istringstream in(csv);
    std::string linha, r;
    while (std::getline(in, linha)) {
      if (linha.rfind("execucao;", 0) == 0 || linha.rfind("tempo;", 0) == 0 || linha.rfind("resultado;", 0) == 0 ||
          linha.rfind("situacao;", 0) == 0)
        continue;
      r += linha + "\n";
    }
    return r;
  }

  // The sum of the "gravadas" and "criada" records of a CSV report per
  // destination table.
  static std::map<std::string, int> GravadasPorTabela(const std::string& csv) {
    std::map<std::string, int> n;
    std::istringstream in(csv);
    std::string linha;
    while (std::getline(in, linha)) {
      std::vector<std::string> c;
      std::istringstream campos(linha);
      for (std::string campo; std::getline(campos, campo, ';');) c.push_back(campo);
      if (c.size() < 4) continue;
      if (c[0] == "gravadas") n[c[2]] += std::stoi(c[3]);
      if (c[0] == "criada") n[c[2]] += 1;
    }
    return n;
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

  // A table's line once it is done, its time written as T.
  static std::string Linha(const char* tabela, int n) {
    return std::string("Convertendo ") + tabela + " - Registro " + std::to_string(n) + " de " + std::to_string(n) +
           " - " + std::to_string(n) + " registros em T s\n";
  }
  static std::string SemTempos(const std::string& erros) { return apoio::SemTempos(erros); }

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
  const std::string linhas = Linha("Cidades", 40) + Linha("Clientes", 300) + Linha("Fornecedores", 60);
  EXPECT_EQ(SemTempos(r.erros).rfind(linhas, 0), 0u) << r.erros;

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
  // The log names the tables ticked, though none was started.
  const std::string log = Le(registro::ArquivoDoRegistro());
  EXPECT_NE(log.find("\tdestino=" + destino.string() + "\ttabelas=cidades,clientes,fornecedores\tresultado=erro\t"),
            std::string::npos)
      << log;
  EXPECT_EQ(Conta(destino, u"CIDADES"), 0);
  EXPECT_EQ(Conta(destino, u"CLIENTE"), 1);
  EXPECT_EQ(Conta(destino, u"FORNECE"), 1);
}

// A row the destination refuses in the last table: cities and clients were
// committed as each finished; the rollback only reaches the suppliers, whose
// emptying was committed.
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
  EXPECT_EQ(SemTempos(r.erros).rfind(cabeca, 0), 0u) << r.erros;
  EXPECT_NE(r.erros.find("SEM_RECUSADO"), std::string::npos) << r.erros;

  EXPECT_GE(Conta(destino, u"CIDADES"), 30);
  EXPECT_EQ(Conta(destino, u"CLIENTE"), clientes);
  EXPECT_EQ(Conta(destino, u"COMPCLIE"), clientes);
  EXPECT_EQ(Conta(destino, u"FORNECE"), 0);
}

// The report's counts are what the destination holds afterwards, and the
// run's line is in the log of runs.
TEST_F(RodadaCompleta, RelatorioConfereComODestino) {
  Gera(40, 300, 60);
  apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('09000', 'FICA?', 'SP')");
  const fs::path csv = pasta.Caminho() / "relatorio;1.csv";
  const apoio::ResultadoLote r = Roda({"--relatorio", csv.string()});
  ASSERT_EQ(r.status, 0) << r.erros;
  EXPECT_EQ(r.saida, "Conversão concluída com sucesso!\n");

  const std::string relatorio = Le(csv);
  const auto gravadas = GravadasPorTabela(relatorio);
  // Cities were emptied first: the row written before is gone.
  EXPECT_EQ(gravadas.at("CIDADES"), Conta(destino, u"CIDADES")) << relatorio;
  EXPECT_GT(gravadas.at("CIDADES"), 40) << "the sample has clients of cities not in RECDB001";
  EXPECT_EQ(gravadas.at("CLIENTE"), ClientesComNome());
  EXPECT_EQ(gravadas.at("CLIENTE"), Conta(destino, u"CLIENTE"));
  EXPECT_EQ(gravadas.at("COMPCLIE"), Conta(destino, u"COMPCLIE"));
  EXPECT_EQ(gravadas.at("FORNECE"), Conta(destino, u"FORNECE"));
  EXPECT_NE(relatorio.find("lidas;Clientes;RECDB004;300;"), std::string::npos) << relatorio;
  EXPECT_NE(relatorio.find("ignoradas;Clientes;;" + std::to_string(300 - ClientesComNome()) + ";"), std::string::npos)
      << relatorio;
  // Every created city is in the destination with its code, name and state.
  std::istringstream in(relatorio);
  int criadas = 0;
  for (std::string linha; std::getline(in, linha);) {
    if (linha.rfind("criada;", 0) != 0) continue;
    std::vector<std::string> c;
    std::istringstream campos(linha);
    for (std::string campo; std::getline(campos, campo, ';');) c.push_back(campo);
    ASSERT_GE(c.size(), 7u) << linha;
    auto achada = apoio::Consulta(
        destino, u"SELECT CIDADE, ESTADO FROM CIDADES WHERE CODCIDADE = '" + texto::DeUtf8(c[5]) + u"'");
    ASSERT_EQ(achada.size(), 1u) << linha;
    EXPECT_EQ(texto::ParaUtf8(achada[0][0]), c[6]) << linha;
    ++criadas;
  }
  EXPECT_EQ(criadas + 40, Conta(destino, u"CIDADES"));

  const std::string log = Le(registro::ArquivoDoRegistro());
  EXPECT_NE(log.find("\tresultado=sucesso\tlidas=400\t"), std::string::npos) << log;
  EXPECT_NE(log.find("\trelatorio=" + csv.string() + "\n"), std::string::npos) << log;
}

// A dry run leaves every destination row as it was and reports what the real
// run then does; a dry run that fails changes nothing either.
TEST_F(RodadaCompleta, SimulacaoNaoMudaODestinoERelataARodadaReal) {
  Gera(30, 200, 40);
  apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('09000', 'DE ANTES', 'SP')");
  apoio::Executa(destino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'DE ANTES')");
  apoio::Executa(destino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'DE ANTES')");
  const auto antes = Destino();

  const apoio::ResultadoLote s = Roda({"--simular", "--relatorio", (pasta.Caminho() / "simulada.csv").string()});
  ASSERT_EQ(s.status, 0) << s.erros;
  EXPECT_EQ(s.saida, "Simulação concluída com sucesso! Nada foi gravado no banco de dados de destino.\n");
  EXPECT_EQ(Destino(), antes);

  const apoio::ResultadoLote r = Roda({"--relatorio", (pasta.Caminho() / "real.csv").string()});
  ASSERT_EQ(r.status, 0) << r.erros;
  EXPECT_NE(Destino(), antes);
  const std::string simulada = SemTempoNemModo(Le(pasta.Caminho() / "simulada.csv"));
  EXPECT_NE(simulada.find("criada;Clientes;CIDADES;"), std::string::npos) << simulada;
  EXPECT_EQ(simulada, SemTempoNemModo(Le(pasta.Caminho() / "real.csv")));

  // A failing dry run: not even the tables a real run would have committed.
  apoio::Executa(origem, u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL) VALUES ('999999', 'RECUSADO')");
  apoio::Executa(destino, u"ALTER TABLE FORNECE ADD CONSTRAINT SEM_RECUSADO CHECK (NOME <> 'RECUSADO')");
  const auto depois = Destino();
  const apoio::ResultadoLote f = Roda({"--simular"});
  EXPECT_EQ(f.status, 1) << f.erros;
  EXPECT_NE(f.erros.find("SEM_RECUSADO"), std::string::npos) << f.erros;
  EXPECT_EQ(Destino(), depois);
}

// A failed run's report names the table, the source row and the reason.
TEST_F(RodadaCompleta, RelatorioDeFalhaNomeiaTabelaLinhaEMotivo) {
  Gera(10, 30, 5);
  apoio::Executa(origem, u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL) VALUES ('999999', 'RECUSADO')");
  apoio::Executa(destino, u"ALTER TABLE FORNECE ADD CONSTRAINT SEM_RECUSADO CHECK (NOME <> 'RECUSADO')");
  int linha = 0;
  const auto codigos = apoio::Consulta(origem, u"SELECT CODIGO FROM PAGDB003");
  for (std::size_t i = 0; i < codigos.size(); ++i)
    if (codigos[i][0] == u"999999") linha = static_cast<int>(i) + 1;
  ASSERT_GT(linha, 0);

  const fs::path txt = pasta.Caminho() / "falha.txt";
  const apoio::ResultadoLote r = Roda({"--relatorio", txt.string()});
  EXPECT_EQ(r.status, 1);
  const std::string onde = "Falha em Fornecedores, registro " + std::to_string(linha) + " (código 999999): ";
  for (const std::string& texto : {r.erros, Le(txt)}) {
    const auto pos = texto.find(onde);
    ASSERT_NE(pos, std::string::npos) << texto;
    EXPECT_NE(texto.find("SEM_RECUSADO", pos), std::string::npos) << texto;
  }
  EXPECT_NE(Le(txt).find("Fornecedores (PAGDB003): "), std::string::npos) << Le(txt);
  EXPECT_NE(Le(txt).find(" (esvaziada e deixada vazia)\n"), std::string::npos) << Le(txt);
  EXPECT_NE(Le(txt).find("Resultado: erro; Cidades: convertida e confirmada; Clientes: convertida e confirmada; "
                         "Fornecedores: esvaziada e deixada vazia;"),
            std::string::npos)
      << Le(txt);
}

// The destination refuses to empty a table: by a trigger, found only when the
// delete runs, after the tables before it were committed; or by a foreign key
// of another table, found before anything is touched.
TEST_F(RodadaCompleta, DestinoQueRecusaEsvaziarUmaTabela) {
  struct Caso {
    const char* nome;
    std::vector<const char16_t*> prepara;
    std::string resultado, situacoes;
    int cidades;  // CIDADES afterwards; -1: every table as before the run
  };
  const std::vector<Caso> casos = {
      {"trigger em CLIENTE",
       {u"CREATE EXCEPTION NAO_APAGA 'nao apaga'",
        u"CREATE TRIGGER CLIENTE_BD FOR CLIENTE BEFORE DELETE AS BEGIN EXCEPTION NAO_APAGA; END"},
       "Resultado: erro; Cidades: convertida e confirmada; Clientes: deixada como estava; Fornecedores: deixada como "
       "estava;",
       "situacao=cidades:confirmada,clientes:como-estava,fornecedores:como-estava\t",
       30},
      {"chave estrangeira de PEDIDO",
       {u"CREATE TABLE PEDIDO (NUMERO INTEGER, CODCLIENTE VARCHAR(8) CONSTRAINT PEDIDO_CLIENTE REFERENCES CLIENTE)",
        u"INSERT INTO PEDIDO VALUES (1, '00000001')"},
       "Resultado: erro; nada desta rodada foi gravado; Cidades: deixada como estava; Clientes: deixada como estava; "
       "Fornecedores: deixada como estava;",
       "situacao=cidades:como-estava,clientes:como-estava,fornecedores:como-estava\t",
       -1},
  };
  Gera(30, 120, 20);
  const fs::path original = pasta.Caminho() / "original.fdb";
  fs::copy_file(destino, original);
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    fs::copy_file(original, destino, fs::copy_options::overwrite_existing);
    apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('09000', 'DE ANTES', 'SP')");
    apoio::Executa(destino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'DE ANTES')");
    apoio::Executa(destino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'DE ANTES')");
    for (const char16_t* sql : c.prepara) apoio::Executa(destino, sql);
    const auto antes = Destino();
    const fs::path csv = pasta.Caminho() / "relatorio.csv";
    const apoio::ResultadoLote r = Roda({"--relatorio", csv.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.erros.find(c.resultado), std::string::npos) << r.erros;
    const std::string log = Le(registro::ArquivoDoRegistro());
    const std::string ultima = log.substr(log.rfind('\n', log.size() - 2) + 1);
    EXPECT_NE(ultima.find(c.situacoes), std::string::npos) << ultima;
    const std::string relatorio = Le(csv);
    EXPECT_NE(relatorio.find("situacao;Clientes;;;;;;;deixada como estava\n"), std::string::npos) << relatorio;
    const auto depois = Destino();
    if (c.cidades < 0) {
      EXPECT_EQ(depois, antes);
    } else {
      // This run's cities, committed; the old one is gone.
      EXPECT_EQ(Conta(destino, u"CIDADES"), c.cidades);
      EXPECT_EQ(Conta(destino, u"CIDADES WHERE CODCIDADE = '09000'"), 0);
      EXPECT_EQ(Conta(destino, u"CLIENTE WHERE NOME = 'DE ANTES'"), 1);
      EXPECT_EQ(Conta(destino, u"FORNECE WHERE NOME = 'DE ANTES'"), 1);
    }
  }
}

// A report that cannot be written stops the run before anything is touched.
TEST_F(RodadaCompleta, RelatorioSemLugarNaoTocaODestino) {
  Gera(10, 30, 5);
  apoio::Executa(destino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'DE ANTES')");
  const std::string caminho = (pasta.Caminho() / "não existe" / "r.txt").string();
  const apoio::ResultadoLote r = Roda({"--relatorio", caminho});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, "");
  EXPECT_NE(r.erros.find(caminho), std::string::npos) << r.erros;
  EXPECT_EQ(Conta(destino, u"CLIENTE"), 1);
  EXPECT_EQ(Conta(destino, u"CIDADES"), 0);
}

}  // namespace
