// What a run checks before it empties anything: each failure names what is
// wrong and leaves every destination table as it was.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "aplicacao/nucleo/VerificacaoPrevia.h"
#include "apoio/BancosTeste.h"
#include "apoio/Progresso.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;

const std::u16string kErro = u"Ocorreu um erro durante a conversão! Motivo: ";

struct Caso {
  const char* nome;
  // Changes the two files before they are connected.
  std::function<void(const fs::path& origem, const fs::path& destino)> prepara;
  std::u16string motivo;  // the start of the reason
  bool mesmoArquivo = false;
};

class VerificacaoPrevia : public ::testing::TestWithParam<Caso> {};

TEST_P(VerificacaoPrevia, FalhaSemMexerNoDestino) {
  const Caso& c = GetParam();
  apoio::PastaTemporaria pasta;
  const fs::path origem = pasta.Caminho() / "LEGADO.FDB";
  fs::path destino = pasta.Caminho() / "VESTREL.FB";
  apoio::CriaBancoOrigem(origem);
  apoio::CriaBancoDestino(destino);
  apoio::Executa(origem, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'UM')");
  apoio::Executa(origem, u"INSERT INTO RECDB004 (CODIGO, RAZAO_SOCIAL, CIDADE, UF) VALUES ('1', 'A', 'X', 'MG')");
  apoio::Executa(origem, u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL) VALUES ('1', 'F')");
  c.prepara(origem, destino);
  const bool destinoTemFornece = apoio::ContaLinhas(destino, u"RDB$RELATIONS WHERE RDB$RELATION_NAME = 'FORNECE'");
  if (destinoTemFornece) {
    apoio::Executa(destino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'DE ANTES')");
  }
  apoio::Executa(destino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00099', 'VELHA', 'MG')");
  // Rows of every destination table the run could empty.
  auto linhas = [&destino] {
    std::vector<int> n;
    for (const char16_t* t : {u"CIDADES", u"CLIENTE", u"COMPCLIE", u"FORNECE"}) {
      const std::u16string existe = u"RDB$RELATIONS WHERE RDB$RELATION_NAME = '" + std::u16string(t) + u"'";
      n.push_back(apoio::ContaLinhas(destino, existe) ? apoio::ContaLinhas(destino, t) : -1);
    }
    return n;
  };
  const std::vector<int> antes = linhas();

  {
    apoio::Conexao o;
    apoio::Conexao d;
    o.Abre(c.mesmoArquivo ? destino : origem);
    d.Abre(destino);
    apoio::ProgressoGravado progresso;
    apoio::InterfaceGravada interface;
    comum::TStringList params;
    pIniciaListaParametros(params);
    pCarregaParametros(params, true, true, true);
    TClassesConversaoController controlador;
    EXPECT_FALSE(controlador.FEfetuaConversao(params, o.banco, o.transacao, d.banco, d.transacao, progresso.Barra,
                                              progresso.lblInfo));
    ASSERT_EQ(interface.mensagens.size(), 1u);
    const std::u16string& texto = interface.mensagens[0].texto;
    EXPECT_EQ(texto.rfind(kErro + c.motivo, 0), 0u) << texto::ParaUtf8(texto);
    EXPECT_TRUE(progresso.legendas.empty());
  }
  EXPECT_EQ(apoio::ContaLinhas(destino, u"CIDADES"), 1);
  EXPECT_EQ(linhas(), antes);
}

const std::vector<Caso> kCasos = {
    {"MesmoArquivo", [](const fs::path&, const fs::path&) {},
     u"O banco de dados de origem e o banco de dados Vestrel são o mesmo arquivo.", true},
    {"DestinoDeDialetoTres",
     [](const fs::path&, const fs::path& d) {
       fs::remove(d);
       apoio::CriaBanco(d, 3);
       apoio::Executa(d, u"CREATE TABLE CIDADES (CODCIDADE VARCHAR(6), CIDADE VARCHAR(30), ESTADO VARCHAR(2))");
     },
     u"O banco de dados Vestrel precisa ser de dialeto 1."},
    {"TabelaDeOrigemAusente", [](const fs::path& o, const fs::path&) { apoio::Executa(o, u"DROP TABLE RECDB004"); },
     u"A tabela RECDB004 do banco de dados de origem não pode ser lida: "},
    {"ColunaDeOrigemAusente",
     [](const fs::path& o, const fs::path&) { apoio::Executa(o, u"ALTER TABLE PAGDB003 DROP CONTATO"); },
     u"A tabela PAGDB003 do banco de dados de origem não pode ser lida: "},
    {"TabelaDeDestinoAusente", [](const fs::path&, const fs::path& d) { apoio::Executa(d, u"DROP TABLE FORNECE"); },
     u"A tabela FORNECE não existe no banco de dados Vestrel."},
    {"ColunaDeDestinoAusente",
     [](const fs::path&, const fs::path& d) { apoio::Executa(d, u"ALTER TABLE COMPCLIE DROP NUMERONFE"); },
     u"A coluna NUMERONFE da tabela COMPCLIE não existe no banco de dados Vestrel."},
    {"ColunaDaCidadeAusente",
     [](const fs::path&, const fs::path& d) { apoio::Executa(d, u"ALTER TABLE CIDADES DROP CODMUNICIPIO"); },
     u"A coluna CODMUNICIPIO da tabela CIDADES não existe no banco de dados Vestrel."},
    // Rows with a null key point at nothing and are not counted; a reference
    // between two tables the run empties is no reason to refuse.
    {"TabelaQueOConversorNaoEsvaziaReferencia",
     [](const fs::path&, const fs::path& d) {
       apoio::Executa(d, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'DE ANTES')");
       apoio::Executa(d, u"ALTER TABLE COMPCLIE ADD FOREIGN KEY (CODCLIENTE) REFERENCES CLIENTE ON DELETE CASCADE");
       apoio::Executa(
           d,
           u"CREATE TABLE PEDIDO (NUMERO INTEGER, CODCLIENTE VARCHAR(8) CONSTRAINT PEDIDO_CLIENTE REFERENCES CLIENTE, "
           u"CODFORNEC VARCHAR(6), CONSTRAINT PEDIDO_FORNECE FOREIGN KEY (CODFORNEC) REFERENCES FORNECE)");
       apoio::Executa(d, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000002', 'OUTRO')");
       apoio::Executa(d, u"INSERT INTO PEDIDO VALUES (1, '00000001', '000002')");
       apoio::Executa(d, u"INSERT INTO PEDIDO VALUES (2, NULL, '000002')");
     },
     u"Outras tabelas do banco de dados Vestrel referenciam registros que a conversão apagaria; nada foi alterado: "
     u"PEDIDO referencia 1 cliente pela restrição PEDIDO_CLIENTE; PEDIDO referencia 2 fornecedores pela restrição "
     u"PEDIDO_FORNECE."},
};

INSTANTIATE_TEST_SUITE_P(Casos, VerificacaoPrevia, ::testing::ValuesIn(kCasos),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(LeituraDoInsert, TabelaEColunasSemQualificador) {
  auto d = verificacao::LeInsert(u" Insert Into Cliente ( cliente.codCliente, nome ,Cliente.CodPais) Values ('1')");
  EXPECT_EQ(d.tabela, u"CLIENTE");
  EXPECT_EQ(d.colunas, (std::vector<std::u16string>{u"CODCLIENTE", u"NOME", u"CODPAIS"}));
  EXPECT_TRUE(verificacao::LeInsert(u"DELETE FROM X").colunas.empty());
}

}  // namespace
