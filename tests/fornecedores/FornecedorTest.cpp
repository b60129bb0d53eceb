// The supplier converter: what each setter stores, the statement it builds,
// and its writes and table emptying against a real destination database.
#include <gtest/gtest.h>

#include <exception>
#include <ostream>
#include <string>
#include <vector>

#include "apoio/BancosTeste.h"
#include "comum/Erro.h"
#include "comum/Texto.h"
#include "fornecedores/Fornecedor.h"

namespace {

using Setter = void (TConverteFornece::*)(const std::u16string&);
using Getter = const std::u16string& (TConverteFornece::*)() const;

struct Propriedade {
  const char* nome;
  Setter set;
  Getter get;
};

#define PROP(x) \
  Propriedade { #x, &TConverteFornece::Set##x, &TConverteFornece::x }

// All 29 values, in their declared order.
const std::vector<Propriedade> kPropriedades = {
    PROP(CodFornec),  PROP(CodCliente),    PROP(Nome),        PROP(NomeFantasia), PROP(Contato),     PROP(Endereco),
    PROP(Bairro),     PROP(Cep),           PROP(CodCidade),   PROP(NomeCidade),   PROP(Numero),      PROP(Complemento),
    PROP(Estado),     PROP(InscMunicipal), PROP(Pessoa_FJ),   PROP(CgcCpf),       PROP(InscEst),     PROP(Fone),
    PROP(Fax),        PROP(Celular),       PROP(Email),       PROP(HomePage),     PROP(CampoLivre1), PROP(CampoLivre2),
    PROP(Observacao), PROP(Ativo),         PROP(TipoFornece), PROP(ContaCx),      PROP(CTCTbred)};

std::vector<std::u16string> Valores(const TConverteFornece& f) {
  std::vector<std::u16string> v;
  for (const auto& p : kPropriedades) v.push_back((f.*p.get)());
  return v;
}

std::u16string R(char16_t c, std::size_t n) { return std::u16string(n, c); }

// ---------------------------------------------------------------- setters

struct CasoSetter {
  Propriedade prop;
  std::u16string entrada;
  std::u16string esperado;
};

void PrintTo(const CasoSetter& c, std::ostream* os) {
  *os << c.prop.nome << "(\"" << texto::ParaUtf8(c.entrada) << "\")";
}

const std::u16string k60 = R(u'A', 60);

const CasoSetter kCasosSetter[] = {
    // Apostrophes are removed, not escaped.
    {PROP(Nome), u"D'AVILA & CIA", u"DAVILA & CIA"},
    {PROP(Nome), u"''''", u""},
    // Removal comes before the trim, so blanks behind an apostrophe go too.
    {PROP(Nome), u"' ACME LTDA '", u"ACME LTDA"},
    {PROP(Nome), u"\t  ACME LTDA \r\n", u"ACME LTDA"},
    // Nome trims first and then cuts: 50 letters.
    {PROP(Nome), u"  " + k60, R(u'A', 50)},
    // Complemento cuts first and then trims: the 2 blanks use up 2 of the 60.
    {PROP(Complemento), u"  " + k60, R(u'A', 58)},
    {PROP(Complemento), u" SALA '3' ", u"SALA 3"},
    // Blanks kept, and counted towards the limit.
    {PROP(Endereco), u"  RUA DA BAHIA  ", u"  RUA DA BAHIA  "},
    {PROP(Endereco), u"  " + k60, u"  " + R(u'A', 48)},
    {PROP(Endereco), u"RUA D'ABADIA", u"RUA DABADIA"},
    {PROP(Numero), u" 12 ", u" 12 "},
    {PROP(Numero), u"12345678901", u"1234567890"},
    {PROP(Estado), u" MG", u" M"},
    {PROP(Estado), u"MGX", u"MG"},
    {PROP(Estado), u"'MG", u"MG"},
    {PROP(HomePage), u" www.acme.com.br ", u" www.acme.com.br "},
    {PROP(HomePage), u" " + R(u'w', 40), u" " + R(u'w', 29)},
    {PROP(Observacao), u"  PAGA EM DIA  ", u"  PAGA EM DIA  "},
    {PROP(Observacao), u"  " + R(u'o', 120), u"  " + R(u'o', 98)},
    {PROP(Pessoa_FJ), u"JURIDICA", u"J"},
    {PROP(Pessoa_FJ), u" J", u" "},
    {PROP(Pessoa_FJ), u"'F'", u"F"},
    {PROP(TipoFornece), u"  SERVICOS  ", u"  SERVICOS  "},
    {PROP(TipoFornece), R(u't', 300), R(u't', 300)},
    {PROP(TipoFornece), u"O'K", u"OK"},
    {PROP(Email), u"  vendas@acme.com.br\t", u"vendas@acme.com.br"},
    {PROP(Email), u" " + R(u'e', 500) + u" ", R(u'e', 500)},
    {PROP(Email), u"o'neil@acme.com", u"oneil@acme.com"},
    // Trimmed and cut.
    {PROP(NomeFantasia), u"  ACME  ", u"ACME"},
    {PROP(NomeFantasia), u" " + k60, R(u'A', 40)},
    {PROP(Contato), u" JOAO ", u"JOAO"},
    {PROP(Contato), k60, R(u'A', 30)},
    {PROP(Bairro), u"  CENTRO ", u"CENTRO"},
    {PROP(Bairro), k60, R(u'A', 30)},
    {PROP(NomeCidade), u" BELO HORIZONTE ", u"BELO HORIZONTE"},
    {PROP(NomeCidade), k60, R(u'A', 30)},
    {PROP(CampoLivre1), u" X ", u"X"},
    {PROP(CampoLivre1), k60, R(u'A', 20)},
    {PROP(CampoLivre2), u" Y'Z ", u"YZ"},
    {PROP(CampoLivre2), k60, R(u'A', 20)},
    {PROP(ContaCx), u"  1.1.01  ", u"1.1.01"},
    {PROP(ContaCx), u"123456789", u"1234567"},
    {PROP(CTCTbred), u" 2.1 ", u"2.1"},
    {PROP(CTCTbred), u"123456789", u"1234567"},
    // Codes: cut, then zero-padded; never trimmed nor stripped of non-digits.
    {PROP(CodFornec), u"12", u"000012"},
    {PROP(CodFornec), u"1234567", u"123456"},
    {PROP(CodFornec), u"", u"000000"},
    {PROP(CodFornec), u"'45'", u"000045"},
    {PROP(CodFornec), u" 12", u"000 12"},
    {PROP(CodCliente), u"", u"00000000"},
    {PROP(CodCliente), u"45", u"00000045"},
    {PROP(CodCliente), u"123456789", u"12345678"},
    {PROP(CodCidade), u"", u""},
    {PROP(CodCidade), u"'", u""},
    {PROP(CodCidade), u"7", u"00007"},
    {PROP(CodCidade), u"123456", u"12345"},
    // Masks: tax number cut to 14 after the mask is gone.
    {PROP(CgcCpf), u"12.345.678/0001-90", u"12345678000190"},
    {PROP(CgcCpf), u"12.345'.678/0001-90", u"12345678000190"},
    {PROP(CgcCpf), u"123.456.789-01", u"12345678901"},
    {PROP(CgcCpf), u"12345678901234567", u"12345678901234"},
    {PROP(CgcCpf), u" isento ", u" ISENTO "},
    {PROP(CgcCpf), u"ISEN'TO", u"ISENTO"},
    {PROP(CgcCpf), u"ISENTA", u""},
    {PROP(InscEst), u"062.307.904/0081", u"0623079040081"},
    {PROP(InscEst), u"12345678901234567", u"123456789012345"},
    {PROP(InscEst), u"isento", u"ISENTO"},
    {PROP(InscMunicipal), u"12.345-6", u"123456"},
    {PROP(InscMunicipal), u"12345678901234567", u"123456789012345"},
    {PROP(InscMunicipal), u" Isento", u" ISENTO"},
    // Cep: cut to 9 before the punctuation goes.
    // A fully masked postal code loses its last digit to the cut.
    {PROP(Cep), u"30.130-010", u"3013001"},
    {PROP(Cep), u"30130-010 BH", u"30130010"},
    {PROP(Cep), u"30130010", u"30130010"},
    // Phones: cut to 16 before the non-digits go, so digits past 16 are lost.
    {PROP(Fone), u"(31) 3333-4444", u"3133334444"},
    {PROP(Fone), u"(31) 3333-4444 ramal 12", u"3133334444"},
    {PROP(Fax), u"(31) 3333-'5555", u"3133335555"},
    {PROP(Fax), u"(31) 3333-5555 r 9", u"3133335555"},
    {PROP(Celular), u"(31) 99999-8888", u"31999998888"},
    {PROP(Celular), u"12345678901234567890", u"1234567890123456"},
    // Ativo: the one setter without apostrophe removal; first 1, ASCII upper case.
    {PROP(Ativo), u"s", u"S"},
    {PROP(Ativo), u"sim", u"S"},
    {PROP(Ativo), u"'s", u"'"},
    {PROP(Ativo), u"\u00e9", u"\u00e9"},
    {PROP(Ativo), u"", u""},
};

class SetterFornecedor : public ::testing::TestWithParam<CasoSetter> {};

TEST_P(SetterFornecedor, GuardaOValorNormalizado) {
  const CasoSetter& c = GetParam();
  TIBDatabase semConexao;
  TConverteFornece f(&semConexao);
  (f.*c.prop.set)(c.entrada);
  EXPECT_EQ(texto::ParaUtf8((f.*c.prop.get)()), texto::ParaUtf8(c.esperado));
}

INSTANTIATE_TEST_SUITE_P(Fornecedor, SetterFornecedor, ::testing::ValuesIn(kCasosSetter));

// Each setter writes only its own value.
TEST(Fornecedor, CadaSetterMexeSoNoSeuValor) {
  TIBDatabase semConexao;
  for (std::size_t i = 0; i < kPropriedades.size(); ++i) {
    TConverteFornece f(&semConexao);
    auto antes = Valores(f);
    (f.*kPropriedades[i].set)(u"9");
    auto depois = Valores(f);
    for (std::size_t j = 0; j < kPropriedades.size(); ++j) {
      if (j != i) {
        EXPECT_EQ(antes[j], depois[j]) << kPropriedades[i].nome << " changed " << kPropriedades[j].nome;
      }
    }
    EXPECT_NE(antes[i], depois[i]) << kPropriedades[i].nome;
  }
}

TEST(Fornecedor, ValoresAposACriacao) {
  TIBDatabase semConexao;
  TConverteFornece f(&semConexao);
  for (const auto& p : kPropriedades) {
    EXPECT_EQ(texto::ParaUtf8((f.*p.get)()), std::string(p.nome) == "CodFornec" ? "000000" : "") << p.nome;
  }
}

// Four values are not reset: they keep what was assigned.
TEST(Fornecedor, LimpaVariavelPoupaCodClienteAtivoContaCxCTCTbred) {
  TIBDatabase semConexao;
  TConverteFornece f(&semConexao);
  for (const auto& p : kPropriedades) (f.*p.set)(u"1");
  f.LimpaVariavel();
  for (const auto& p : kPropriedades) {
    std::string nome = p.nome;
    std::string esperado;
    if (nome == "CodFornec") {
      esperado = "000000";
    } else if (nome == "CodCliente") {
      esperado = "00000001";
    } else if (nome == "Ativo" || nome == "ContaCx" || nome == "CTCTbred") {
      esperado = "1";
    }
    EXPECT_EQ(texto::ParaUtf8((f.*p.get)()), esperado) << nome;
  }
}

// ---------------------------------------------------------------- statement text

TEST(Fornecedor, MontaSqlAposACriacao) {
  TIBDatabase semConexao;
  TConverteFornece f(&semConexao);
  std::u16string valores = u"'000000'";
  for (int i = 1; i < 28; ++i) valores += u", ''";
  EXPECT_EQ(texto::ParaUtf8(f.MontaSql()),
            texto::ParaUtf8(
                u" Insert Into fornece ( fornece.CodFornec, fornece.Nome, fornece.NomeFantasia, fornece.Contato, "
                u"fornece.Endereco, fornece.Bairro, fornece.Cep, fornece.CodCidade, fornece.Numero, "
                u"fornece.Complemento, fornece.Estado, fornece.InscMunicipal, fornece.Pessoa_FJ, fornece.CgcCpf, "
                u"fornece.InscEst, fornece.observacao, fornece.Fone, fornece.Fax, fornece.Celular, fornece.Email, "
                u"fornece.HomePage, fornece.CampoLivre1, fornece.CampoLivre2, fornece.codcliente, fornece.ativo, "
                u"fornece.TipoFornece, fornece.contacx, fornece.ctctbred ) Values (" +
                valores + u") "));
}

TEST(Fornecedor, MontaSqlNaoLevaNomeCidadeEDobraOApostrofoDeAtivo) {
  TIBDatabase semConexao;
  TConverteFornece f(&semConexao);
  f.SetNomeCidade(u"CIDADEFANTASMA");
  f.SetAtivo(u"'");
  std::u16string sql = f.MontaSql();
  EXPECT_FALSE(texto::Contem(sql, u"CIDADEFANTASMA"));
  EXPECT_TRUE(texto::Contem(sql, u", '''', ''"));
}

// ---------------------------------------------------------------- database

const char16_t* const kColunas =
    u"CODFORNEC, NOME, NOMEFANTASIA, CONTATO, ENDERECO, BAIRRO, CEP, CODCIDADE, NUMERO, COMPLEMENTO, ESTADO, "
    u"INSCMUNICIPAL, PESSOA_FJ, CGCCPF, INSCEST, OBSERVACAO, FONE, FAX, CELULAR, EMAIL, HOMEPAGE, CAMPOLIVRE1, "
    u"CAMPOLIVRE2, CODCLIENTE, ATIVO, TIPOFORNECE, CONTACX, CTCTBRED";

const char16_t* const kColunasNulas =
    u"CODFORNEC IS NULL OR NOME IS NULL OR NOMEFANTASIA IS NULL OR CONTATO IS NULL OR ENDERECO IS NULL OR "
    u"BAIRRO IS NULL OR CEP IS NULL OR CODCIDADE IS NULL OR NUMERO IS NULL OR COMPLEMENTO IS NULL OR ESTADO IS NULL "
    u"OR INSCMUNICIPAL IS NULL OR PESSOA_FJ IS NULL OR CGCCPF IS NULL OR INSCEST IS NULL OR OBSERVACAO IS NULL OR "
    u"FONE IS NULL OR FAX IS NULL OR CELULAR IS NULL OR EMAIL IS NULL OR HOMEPAGE IS NULL OR CAMPOLIVRE1 IS NULL OR "
    u"CAMPOLIVRE2 IS NULL OR CODCLIENTE IS NULL OR ATIVO IS NULL OR TIPOFORNECE IS NULL OR CONTACX IS NULL OR "
    u"CTCTBRED IS NULL";

std::vector<std::string> Utf8(const std::vector<std::u16string>& v) {
  std::vector<std::string> r;
  for (const auto& s : v) r.push_back(texto::ParaUtf8(s));
  return r;
}

class FornecedorNoBanco : public ::testing::Test {
 protected:
  std::vector<std::vector<std::u16string>> Linhas(const std::u16string& filtro = u"") {
    return apoio::Consulta(par.arquivoDestino,
                           std::u16string(u"SELECT ") + kColunas + u" FROM FORNECE " + filtro + u" ORDER BY CODFORNEC");
  }

  // Distinct, recognisable values for the 25 properties that the reset clears.
  static void PreencheReiniciaveis(TConverteFornece& f, const std::u16string& codigo) {
    f.SetCodFornec(codigo);
    f.SetNome(u" D'AVILA & CIA ");
    f.SetNomeFantasia(u"DAVILA");
    f.SetContato(u"MARIA");
    f.SetEndereco(u" RUA UM ");
    f.SetBairro(u"CENTRO");
    f.SetCep(u"30130-010");
    f.SetCodCidade(u"7");
    f.SetNomeCidade(u"BELO HORIZONTE");
    f.SetNumero(u"100");
    f.SetComplemento(u"SALA 2");
    f.SetEstado(u"MG");
    f.SetInscMunicipal(u"12.345-6");
    f.SetPessoa_FJ(u"JURIDICA");
    f.SetCgcCpf(u"12.345.678/0001-90");
    f.SetInscEst(u"062.307.904/0081");
    f.SetFone(u"(31) 3333-4444");
    f.SetFax(u"(31) 3333-5555");
    f.SetCelular(u"(31) 99999-8888");
    f.SetEmail(u"vendas@davila.com.br");
    f.SetHomePage(u"www.davila.com.br");
    f.SetCampoLivre1(u"L1");
    f.SetCampoLivre2(u"L2");
    f.SetObservacao(u"OBS ");
    f.SetTipoFornece(u"SERVICOS");
  }

  // All 29.
  static void PreencheTudo(TConverteFornece& f, const std::u16string& codigo) {
    PreencheReiniciaveis(f, codigo);
    f.SetCodCliente(u"77");
    f.SetAtivo(u"'");
    f.SetContaCx(u"1.1.01");
    f.SetCTCTbred(u"2.1");
  }

  apoio::ParDeBancos par;
};

TEST_F(FornecedorNoBanco, LinhaGravadaColunaPorColuna) {
  TConverteFornece f(&par.destino.banco);
  PreencheTudo(f, u"12");
  f.GravaFornecedor();
  // Written in the destination's default transaction, not committed by the write.
  EXPECT_TRUE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"FORNECE"), 0);
  par.destino.transacao.Commit();

  auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 1u);
  const std::vector<std::string> esperado = {"000012",
                                             "DAVILA & CIA",
                                             "DAVILA",
                                             "MARIA",
                                             " RUA UM ",
                                             "CENTRO",
                                             "30130010",
                                             "00007",
                                             "100",
                                             "SALA 2",
                                             "MG",
                                             "123456",
                                             "J",
                                             "12345678000190",
                                             "0623079040081",
                                             "OBS ",
                                             "3133334444",
                                             "3133335555",
                                             "31999998888",
                                             "vendas@davila.com.br",
                                             "www.davila.com.br",
                                             "L1",
                                             "L2",
                                             "00000077",
                                             "'",
                                             "SERVICOS",
                                             "1.1.01",
                                             "2.1"};
  EXPECT_EQ(Utf8(linhas[0]), esperado);
}

TEST_F(FornecedorNoBanco, ValoresVaziosViramTextoVazioNuncaNulo) {
  TConverteFornece f(&par.destino.banco);
  f.SetNome(u"SO O NOME");
  f.SetCodCidade(u"");
  f.GravaFornecedor();
  par.destino.transacao.Commit();

  EXPECT_TRUE(
      apoio::Consulta(par.arquivoDestino, std::u16string(u"SELECT CODFORNEC FROM FORNECE WHERE ") + kColunasNulas)
          .empty());
  auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 1u);
  std::vector<std::string> esperado(28, "");
  esperado[0] = "000000";
  esperado[1] = "SO O NOME";
  EXPECT_EQ(Utf8(linhas[0]), esperado);
  EXPECT_EQ(Utf8(apoio::Consulta(par.arquivoDestino, u"SELECT COUNT(*) FROM FORNECE WHERE CODCIDADE = ''").at(0)),
            std::vector<std::string>{"1"});
}

TEST_F(FornecedorNoBanco, GravacaoBemSucedidaVoltaAosValoresIniciais) {
  TConverteFornece f(&par.destino.banco);
  const auto iniciais = Valores(f);
  // The four values the reset leaves alone stay unassigned, as in a conversion.
  PreencheReiniciaveis(f, u"1");
  f.GravaFornecedor();
  EXPECT_EQ(Valores(f), iniciais);
  EXPECT_EQ(texto::ParaUtf8(f.CodFornec()), "000000");

  // The next supplier starts from clean values.
  f.SetCodFornec(u"2");
  f.SetNome(u"SEGUNDO");
  f.GravaFornecedor();
  par.destino.transacao.Commit();
  auto linhas = Linhas(u"WHERE CODFORNEC = '000002'");
  ASSERT_EQ(linhas.size(), 1u);
  std::vector<std::string> esperado(28, "");
  esperado[0] = "000002";
  esperado[1] = "SEGUNDO";
  EXPECT_EQ(Utf8(linhas[0]), esperado);
}

TEST_F(FornecedorNoBanco, GravacaoRecusadaMantemOsValores) {
  TConverteFornece f(&par.destino.banco);
  f.SetCodFornec(u"12");
  f.SetNome(u"PRIMEIRO");
  f.GravaFornecedor();

  PreencheTudo(f, u"000012");
  const auto antes = Valores(f);
  EXPECT_THROW(f.GravaFornecedor(), std::exception);
  EXPECT_EQ(Valores(f), antes);

  // The converter is still usable: a new code goes through.
  f.SetCodFornec(u"13");
  f.GravaFornecedor();
  par.destino.transacao.Commit();
  auto linhas = Linhas();
  ASSERT_EQ(linhas.size(), 2u);
  EXPECT_EQ(texto::ParaUtf8(linhas[0][1]), "PRIMEIRO");
  EXPECT_EQ(texto::ParaUtf8(linhas[1][0]), "000013");
  EXPECT_EQ(texto::ParaUtf8(linhas[1][1]), "DAVILA & CIA");
}

TEST_F(FornecedorNoBanco, LimpaTabelaEsvaziaEConfirmaOQueVeioAntes) {
  apoio::Executa(par.arquivoDestino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'ANTIGO')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000002', 'ANTIGO')");
  // Uncommitted work of the run so far, on the same connection.
  TIBQuery cidade;
  cidade.SetDatabase(&par.destino.banco);
  cidade.SQL().SetText(u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00001', 'BETIM', 'MG')");
  cidade.ExecSQL();

  TConverteFornece f(&par.destino.banco);
  f.LimpaTabela();
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"FORNECE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);

  // What follows runs in a new transaction, which can still be rolled back.
  f.SetCodFornec(u"3");
  f.SetNome(u"NOVO");
  f.GravaFornecedor();
  EXPECT_TRUE(par.destino.transacao.Active());
  par.destino.transacao.Rollback();
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"FORNECE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);
}

// Unlike the base's table clearing, the error goes to the caller, and no
// message box is shown.
TEST(Fornecedor, ErroAoLimparTabelaSobeSemMensagem) {
  apoio::InterfaceGravada interface;
  TIBDatabase semConexao;
  TConverteFornece f(&semConexao);
  EXPECT_THROW(f.LimpaTabela(), std::exception);
  EXPECT_TRUE(interface.mensagens.empty());
  EXPECT_FALSE(f.ErroGravacao);
}

}  // namespace
