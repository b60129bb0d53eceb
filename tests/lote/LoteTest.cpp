// The batch runner as a program: its checks, its output and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <sstream>

#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"
#include "comum/Texto.h"
#include "comum/Versao.h"

namespace {

namespace fs = std::filesystem;

class Lote : public ::testing::Test {
 protected:
  void SetUp() override {
    origem = pasta.Caminho() / "LEGADO.FDB";
    destino = pasta.Caminho() / "VESTREL.FB";
    apoio::CriaBancoOrigem(origem);
    apoio::CriaBancoDestino(destino);
  }

  apoio::ResultadoLote Roda(const std::vector<std::string>& args) { return apoio::RodaLote(pasta.Caminho(), args); }

  apoio::PastaTemporaria pasta;
  fs::path origem;
  fs::path destino;
};

TEST_F(Lote, ConverteCidades) {
  for (int i = 1; i <= 12; ++i) {
    apoio::Executa(origem, u"INSERT INTO RECDB001 VALUES ('" + texto::IntParaTexto(i) + u"', 'São João " +
                               texto::IntParaTexto(i) + u"')");
  }
  apoio::ResultadoLote r = Roda({"--origem", origem.string(), "--destino", destino.string(), "--cidades"});
  EXPECT_EQ(r.status, 0) << r.erros;
  EXPECT_EQ(r.saida, "Conversão concluída com sucesso!\n");
  // Without a terminal: one line for the table, not one per row.
  const std::string linha = "Convertendo Cidades - Registro 12 de 12 - 12 registros em ";
  EXPECT_EQ(r.erros.rfind(linha, 0), 0u) << r.erros;
  EXPECT_EQ(r.erros.find("Convertendo", 1), std::string::npos) << r.erros;
  auto linhas = apoio::Consulta(destino, u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES WHERE CODCIDADE = '00012'");
  EXPECT_EQ(linhas, (std::vector<std::vector<std::u16string>>{{u"00012", u"São João 12", u"MG"}}));
  EXPECT_EQ(apoio::ContaLinhas(destino, u"CIDADES"), 12);
}

TEST_F(Lote, ErroNaConversaoSaiComUm) {
  apoio::Executa(origem, u"INSERT INTO RECDB001 VALUES ('1', 'A')");
  apoio::Executa(origem, u"INSERT INTO RECDB001 VALUES ('1', 'B')");
  apoio::ResultadoLote r = Roda({"--origem", origem.string(), "--destino", destino.string(), "--cidades"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, "");
  EXPECT_NE(r.erros.find("Ocorreu um erro durante a conversão! Motivo: "), std::string::npos) << r.erros;
  EXPECT_EQ(apoio::ContaLinhas(destino, u"CIDADES"), 0);
}

TEST_F(Lote, CaminhoVazio) {
  apoio::ResultadoLote r = Roda({"--origem", origem.string(), "--destino", "", "--cidades"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.erros, "O caminho do banco de dados está vazio!\n");
  r = Roda({"--origem", "", "--destino", destino.string(), "--cidades"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.erros, "O caminho do banco de dados de origem está vazio!\n");
}

TEST_F(Lote, OrigemQueNaoConectaNaoMexeNoDestino) {
  apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00001', 'FICA')");
  fs::path inexistente = pasta.Caminho() / "NAO_EXISTE.FDB";
  apoio::ResultadoLote r = Roda({"--origem", inexistente.string(), "--destino", destino.string(), "--cidades"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.erros.rfind("Não foi possível se conectar ao Banco de Dados! Verifique sua conexão ou se o arquivo "
                          "selecionado é válido! \nMotivo: ",
                          0),
            0u)
      << r.erros;
  EXPECT_NE(r.erros.find("Banco de dados de origem: " + inexistente.string()), std::string::npos) << r.erros;
  EXPECT_EQ(apoio::ContaLinhas(destino, u"CIDADES"), 1);
}

// A header page as the given ODS writes it; the rest of the file is zeros.
void GravaCabecalho(const fs::path& arquivo, int maior, int menor) {
  std::string b(4096, '\0');
  b[0] = 1;
  b[17] = 0x20;  // 8192-byte pages
  b[18] = static_cast<char>(maior);
  b[19] = static_cast<char>(0x80);
  b[maior <= 11 ? 62 : 64] = static_cast<char>(menor);
  std::ofstream(arquivo, std::ios::binary) << b;
}

// Files no engine here opens are named, with their side, the version that
// wrote them and what to do, before either database is opened.
TEST_F(Lote, ArquivoQueNenhumMotorDestaInstalacaoAbre) {
  apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE) VALUES ('00001', 'FICA')");
  const fs::path fb25 = pasta.Caminho() / "FB25.FDB";
  const fs::path fb5 = pasta.Caminho() / "FB5.FB";
  const fs::path fb6 = pasta.Caminho() / "FB6.FDB";
  const fs::path texto = pasta.Caminho() / "TEXTO.FDB";
  const fs::path vazio = pasta.Caminho() / "VAZIO.FB";
  GravaCabecalho(fb25, 11, 2);
  GravaCabecalho(fb5, 13, 1);
  GravaCabecalho(fb6, 14, 0);
  std::ofstream(texto) << "CREATE TABLE RECDB001 (CODIGO VARCHAR(5));\n";
  std::ofstream{vazio};
  const std::string oQueFazer = ", que esta instalação não abre como arquivo local: ela abre arquivos do ";
  const std::string acesseO =
      ". Acesse-o por um servidor Firebird da versão dele, informando servidor/porta:caminho, ou faça um backup dele "
      "com o gbak dessa versão e restaure-o com o gbak de uma versão que esta instalação abre.\n";
  struct Caso {
    fs::path origem, destino;
    std::string inicio, fim;
  };
  const Caso casos[] = {
      {fb25, destino,
       "O banco de dados de origem (" + fb25.string() + ") foi gravado pelo Firebird 2.5 (ODS 11.2)" + oQueFazer,
       acesseO},
      {origem, fb5,
       "O banco de dados de destino (" + fb5.string() + ") foi gravado pelo Firebird 5 (ODS 13.1)" + oQueFazer,
       acesseO},
      {fb6, destino,
       "O banco de dados de origem (" + fb6.string() +
           ") foi gravado por uma versão do Firebird desconhecida ou mais nova (ODS 14.0)" + oQueFazer,
       acesseO},
      {texto, destino,
       "O banco de dados de origem (" + texto.string() +
           ") não é um banco de dados Firebird: o arquivo está vazio, truncado ou é de outro tipo.\n",
       ""},
      {origem, vazio,
       "O banco de dados de destino (" + vazio.string() +
           ") não é um banco de dados Firebird: o arquivo está vazio, truncado ou é de outro tipo.\n",
       ""},
  };
  for (const auto& c : casos) {
    SCOPED_TRACE(c.origem.string() + " -> " + c.destino.string());
    apoio::ResultadoLote r =
        Roda({"--origem", c.origem.string(), "--destino", c.destino.string(), "--cidades", "--clientes"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.saida, "");
    EXPECT_EQ(r.erros.rfind(c.inicio, 0), 0u) << r.erros;
    EXPECT_TRUE(r.erros.size() >= c.fim.size() &&
                r.erros.compare(r.erros.size() - c.fim.size(), c.fim.size(), c.fim) == 0)
        << r.erros;
  }
  EXPECT_EQ(apoio::ContaLinhas(destino, u"CIDADES"), 1);
}

TEST_F(Lote, ErrosDeUso) {
  apoio::ResultadoLote r = Roda({});
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.erros.find("Uso: conversor-lote"), std::string::npos);
  r = Roda({"--origem", "a", "--destino", "b", "--qualquer"});
  EXPECT_EQ(r.status, 2);
  r = Roda({"--origem"});
  EXPECT_EQ(r.status, 2);
  for (const std::vector<std::string>& repetida :
       {std::vector<std::string>{"--origem", "a", "--destino", "b", "--destino", "c"},
        std::vector<std::string>{"--origem", "a", "--destino", "b", "--cidades", "--cidades"}}) {
    r = Roda(repetida);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.erros.find("foi dada mais de uma vez"), std::string::npos) << r.erros;
  }
  r = Roda({"--help"});
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.saida.find("--fornecedores"), std::string::npos);
  r = Roda({"--version"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.saida, std::string("conversor-lote ") + comum::kVersao + "\n");
}

// On a terminal the live line says the pace and the time left, and is redrawn
// a few times a second, not once per row. The terminal is a pseudo-terminal
// made by script(1); standard output is left out of it.
TEST(LoteNoTerminal, LinhaVivaComRitmoSemRedesenharCadaLinha) {
  apoio::PastaTemporaria pasta;
  const auto amostra = apoio::GeraAmostra(pasta.Caminho(), 50, 6000, 300, 3);
  const fs::path tela = pasta.Caminho() / "tela.txt";
  const std::string lote = std::string(CONVERSOR_LOTE) + " --origem '" + amostra.origem.string() + "' --destino '" +
                           amostra.destino.string() + "' --cidades --clientes --fornecedores >/dev/null";
  const std::string cmd = "script -qec \"" + lote + "\" /dev/null > '" + tela.string() + "' 2>&1";
  const auto inicio = std::chrono::steady_clock::now();
  const int w = std::system(cmd.c_str());
  const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  ASSERT_TRUE(WIFEXITED(w)) << cmd;
  ASSERT_EQ(WEXITSTATUS(w), 0) << cmd;
  std::ifstream f(tela, std::ios::binary);
  const std::string saida((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());

  // The pseudo-terminal ends every line of the summary with CR LF: only a CR
  // of its own is a redraw.
  long redesenhos = 0;
  for (std::size_t i = 0; i < saida.size(); ++i) {
    if (saida[i] == '\r' && (i + 1 == saida.size() || saida[i + 1] != '\n')) ++redesenhos;
  }
  // At most five a second, plus the first and the last of each table.
  EXPECT_LE(redesenhos, static_cast<long>(5 * segundos) + 12) << segundos << " s";
  EXPECT_NE(saida.find("reg/s, faltam "), std::string::npos) << saida.substr(0, 2000);
  for (const std::string tabela : {"Cidades", "Clientes", "Fornecedores"}) {
    const std::string fim = "Convertendo " + tabela + " - Registro ";
    const auto ultima = saida.rfind(fim);
    ASSERT_NE(ultima, std::string::npos) << tabela;
    const std::string linha = saida.substr(ultima, saida.find('\n', ultima) - ultima);
    EXPECT_NE(linha.find("] 100% - "), std::string::npos) << linha;
    EXPECT_NE(linha.find(" registros em "), std::string::npos) << linha;
  }
}

}  // namespace
