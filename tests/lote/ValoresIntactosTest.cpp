// Values and paths that must reach the databases unchanged, through whole runs
// of the batch runner: line breaks and tabs inside every kind of value, and
// database paths with accents, blanks and apostrophes.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "apoio/Amostra.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"
#include "banco/IBQuery.h"
#include "comum/CodePage.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;

// Firebird text expressions for texts with control characters in them.
const std::u16string kLF = u"'||ASCII_CHAR(10)||'";
const std::u16string kCR = u"'||ASCII_CHAR(13)||'";
const std::u16string kTab = u"'||ASCII_CHAR(9)||'";

std::u16string Um(const fs::path& arquivo, const std::u16string& sql) {
  auto linhas = apoio::Consulta(arquivo, sql);
  return linhas.size() == 1 && linhas[0].size() == 1 ? linhas[0][0] : u"(" + std::u16string(u"not one value") + u")";
}

// The client insert and the supplier insert embed their values in the
// statement text; the city search embeds the name; the city insert and the
// complement bind them. Each keeps its line breaks byte for byte, and a city
// named over two lines is found again instead of created anew.
TEST(ValoresIntactos, QuebrasDeLinhaETabulacoesChegamComoEstao) {
  apoio::PastaTemporaria pasta;
  const fs::path origem = pasta.Caminho() / "LEGADO.FDB";
  const fs::path destino = pasta.Caminho() / "VESTREL.FB";
  apoio::CriaBancoOrigem(origem);
  apoio::CriaBancoDestino(destino);
  const std::u16string cidade = u"'NOVA" + kLF + u"CIDADE'";
  for (const char16_t* codigo : {u"1", u"2"}) {
    apoio::Executa(origem,
                   u"INSERT INTO RECDB004 (CODIGO, RAZAO_SOCIAL, NOME_FANTASIA, ENDERECO, BAIRRO, UF, OBS, "
                   u"NUMEROCASA, CIDADE) VALUES ('" +
                       std::u16string(codigo) + u"', 'ACME" + kTab + u"LTDA', 'LOJA" + kCR + u"CENTRAL', " + u"'RUA A" +
                       kCR + kLF + u"CASA 2', 'Centro" + kLF + u"Sul', 'mg', 'LINHA 1" + kCR + kLF + u"LINHA 2" + kLF +
                       u"LINHA 3" + kCR + u"FIM', '12" + kLF + u"A', " + cidade + u")");
  }
  apoio::Executa(origem,
                 u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL, ENDERECO, BAIRRO, UF, OBS, CONTATO, CIDADE) "
                 u"VALUES ('7', 'FORNECEDOR" +
                     kLF + u"UM', 'AV B" + kCR + kLF + u"SALA 3', 'Vila" + kCR + u"Nova', 'MG', 'OBS" + kTab + u"1" +
                     kLF + u"2', 'ANA" + kCR + kLF + u"MARIA', " + cidade + u")");

  apoio::ResultadoLote r = apoio::RodaLote(
      pasta.Caminho(), {"--origem", origem.string(), "--destino", destino.string(), "--clientes", "--fornecedores"});
  ASSERT_EQ(r.status, 0) << r.erros;

  // One city for the six lookups (three per client) and the supplier's.
  auto cidades = apoio::Consulta(destino, u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES");
  ASSERT_EQ(cidades.size(), 1u);
  EXPECT_EQ(cidades[0][0], u"00001");
  EXPECT_EQ(cidades[0][1], u"NOVA\nCIDADE");
  EXPECT_EQ(cidades[0][2], u"MG");
  auto clientes = apoio::Consulta(
      destino,
      u"SELECT NOME, NOMEFANTASIA, ENDERECO, BAIRRO, OBSERVACAO, CODCIDADE, CODCIDADEENT, CODCIDADECOB, "
      u"ENDERECOENT, ENDERECOCOB FROM CLIENTE ORDER BY CODCLIENTE");
  ASSERT_EQ(clientes.size(), 2u);
  for (const auto& c : clientes) {
    EXPECT_EQ(c[0], u"ACME\tLTDA");
    EXPECT_EQ(c[1], u"LOJA\rCENTRAL");
    EXPECT_EQ(c[2], u"RUA A\r\nCASA 2");
    EXPECT_EQ(c[3], u"Centro\nSul");
    EXPECT_EQ(c[4], u"LINHA 1\r\nLINHA 2\nLINHA 3\rFIM");
    EXPECT_EQ(c[5], u"00001");
    EXPECT_EQ(c[6], u"00001");
    EXPECT_EQ(c[7], u"00001");
    EXPECT_EQ(c[8], u"RUA A\r\nCASA 2");
    EXPECT_EQ(c[9], u"RUA A\r\nCASA 2");
  }
  EXPECT_EQ(Um(destino, u"SELECT COUNT(*) FROM COMPCLIE WHERE ENDERECONFE = 'RUA A" + kCR + kLF +
                            u"CASA 2' AND NUMERONFE = '12" + kLF + u"A'"),
            u"2");
  auto fornecedores =
      apoio::Consulta(destino, u"SELECT NOME, ENDERECO, BAIRRO, OBSERVACAO, CONTATO, CODCIDADE FROM FORNECE");
  ASSERT_EQ(fornecedores.size(), 1u);
  EXPECT_EQ(fornecedores[0][0], u"FORNECEDOR\nUM");
  EXPECT_EQ(fornecedores[0][1], u"AV B\r\nSALA 3");
  EXPECT_EQ(fornecedores[0][2], u"Vila\rNova");
  EXPECT_EQ(fornecedores[0][3], u"OBS\t1\n2");
  EXPECT_EQ(fornecedores[0][4], u"ANA\r\nMARIA");
  EXPECT_EQ(fornecedores[0][5], u"00001");
}

// Linux file names are UTF-8: the Portuguese desktop folder, blanks and an
// apostrophe in the path, for the sample generator and both sides of a run.
TEST(ValoresIntactos, CaminhosComAcentosEspacosEApostrofos) {
  apoio::PastaTemporaria pasta;
  const fs::path dados = pasta.Caminho() / fs::u8path("Área de Trabalho") / fs::u8path("Dados d'Oeste Ç");
  amostra::Resultado gerado = apoio::GeraAmostra(dados, 5, 20, 5, 3);
  ASSERT_TRUE(fs::exists(gerado.origem));
  ASSERT_TRUE(fs::exists(gerado.destino));

  apoio::ResultadoLote r = apoio::RodaLote(pasta.Caminho(), {"--origem", gerado.origem.string(), "--destino",
                                                             gerado.destino.string(), "--cidades", "--clientes"});
  ASSERT_EQ(r.status, 0) << r.erros;
  EXPECT_EQ(r.saida, "Conversão concluída com sucesso!\n");
  EXPECT_GE(apoio::ContaLinhas(gerado.destino, u"CIDADES"), 5);
  EXPECT_GT(apoio::ContaLinhas(gerado.destino, u"CLIENTE"), 0);
}

// Legacy databases of character set NONE hold any byte, often UTF-8 text:
// every byte value from 0 to 255 reaches the destination as it was, in the
// embedded client insert, the bound complement insert and the supplier insert.
TEST(ValoresIntactos, TodoValorDeByteChegaComoEra) {
  apoio::PastaTemporaria pasta;
  const fs::path origem = pasta.Caminho() / "LEGADO.FDB";
  const fs::path destino = pasta.Caminho() / "VESTREL.FB";
  apoio::CriaBancoOrigem(origem);
  apoio::CriaBancoDestino(destino);
  std::vector<std::string> pedacos;
  for (int inicio = 0; inicio < 256; inicio += 50) {
    std::string p;
    for (int b = inicio; b < std::min(256, inicio + 50); ++b) p.push_back(static_cast<char>(b));
    pedacos.push_back(p);
  }
  {
    apoio::Conexao c;
    c.Abre(origem);
    TIBQuery q;
    q.SetDatabase(&c.banco);
    for (std::size_t i = 0; i < pedacos.size(); ++i) {
      const std::u16string codigo = texto::IntParaTexto(static_cast<std::int64_t>(i + 1));
      const std::u16string valor = codepage::DeAnsi(pedacos[i]);
      q.SQL().SetText(u"INSERT INTO RECDB004 (CODIGO, RAZAO_SOCIAL, OBS, ENDERECO) VALUES (:C, 'CLIENTE', :O, :E)");
      q.ParamByName(u"C").SetAsString(codigo);
      q.ParamByName(u"O").SetAsString(valor);
      q.ParamByName(u"E").SetAsString(valor);
      q.ExecSQL();
      q.SQL().SetText(u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL, OBS) VALUES (:C, 'FORNECEDOR', :O)");
      q.ParamByName(u"C").SetAsString(codigo);
      q.ParamByName(u"O").SetAsString(valor);
      q.ExecSQL();
    }
    c.transacao.Commit();
  }

  apoio::ResultadoLote r = apoio::RodaLote(
      pasta.Caminho(), {"--origem", origem.string(), "--destino", destino.string(), "--clientes", "--fornecedores"});
  ASSERT_EQ(r.status, 0) << r.erros;

  auto sem = [](std::string v, char c) {
    v.erase(std::remove(v.begin(), v.end(), c), v.end());
    return v;
  };
  auto clientes = apoio::Consulta(destino,
                                  u"SELECT C.OBSERVACAO, P.ENDERECONFE FROM CLIENTE C JOIN COMPCLIE P ON "
                                  u"P.CODCLIENTE = C.CODCLIENTE ORDER BY C.CODCLIENTE");
  auto fornecedores = apoio::Consulta(destino, u"SELECT OBSERVACAO FROM FORNECE ORDER BY CODFORNEC");
  ASSERT_EQ(clientes.size(), pedacos.size());
  ASSERT_EQ(fornecedores.size(), pedacos.size());
  for (std::size_t i = 0; i < pedacos.size(); ++i) {
    SCOPED_TRACE(i);
    // The client's setters drop double quotes, the supplier's apostrophes.
    EXPECT_EQ(codepage::ParaAnsi(clientes[i][0]), sem(pedacos[i], '"'));
    EXPECT_EQ(codepage::ParaAnsi(clientes[i][1]), pedacos[i]);
    EXPECT_EQ(codepage::ParaAnsi(fornecedores[i][0]), sem(pedacos[i], '\''));
  }
}

}  // namespace
