// The client converter: the normalisation done by every setter, the reset, and
// the insert / update statements against a real destination database.
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "apoio/RelogioFixo.h"
#include "Esquemas.h"
#include "apoio/BancosTeste.h"
#include "comum/ExecutorScript.h"
#include "banco/IBErro.h"
#include "clientes/Cliente.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Erro.h"
#include "comum/Texto.h"

namespace {

// A leap day with a time of day: a date built from the clock instead of from
// today's date shows up.
const regional::DataHora kAgora{2024, 2, 29, 13, 45, 10, 0};
const std::u16string kHojeComPontos = u"29.02.2024";

struct RelogioFixo : apoio::RelogioFixo {
  RelogioFixo() : apoio::RelogioFixo(kAgora) {}
};

std::u16string Repete(char16_t c, std::size_t n) { return std::u16string(n, c); }
std::u16string Sequencia(std::size_t n) {
  std::u16string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char16_t>(u'a' + i % 26));
  return s;
}

using Setter = void (TConverteCliente::*)(const std::u16string&);
using Getter = const std::u16string& (TConverteCliente::*)() const;

struct CasoSetter {
  const char* propriedade;
  Setter set;
  Getter get;
  std::u16string entrada;
  std::u16string esperado;
};

void PrintTo(const CasoSetter& c, std::ostream* os) {
  *os << c.propriedade << " <- [" << texto::ParaUtf8(c.entrada) << "] -> [" << texto::ParaUtf8(c.esperado) << "]";
}

#define PROP(nome) #nome, &TConverteCliente::Set##nome, &TConverteCliente::nome

std::vector<CasoSetter> CasosSetters() {
  const std::u16string nome70 = Sequencia(70);
  return {
      // Upper case only at the end; the in-loop cut to 2 drops what followed the second quote.
      {PROP(Estado), u"mg", u"MG"},
      {PROP(Estado), u"m\"g", u"MG"},
      {PROP(Estado), u"\"m\"g", u"M"},
      {PROP(Estado), u"minas", u"MI"},
      {PROP(EstadoEntr), u"  sp  ", u"SP"},
      {PROP(EstadoEntr), u"\" rj\"", u"RJ"},
      {PROP(EstadoCob), u"ba", u"BA"},
      {PROP(EstadoCob), u" ba", u" B"},
      {PROP(Nome), u"  JOSE \"ZE\" DA SILVA  ", u"JOSE ZE DA SILVA"},
      {PROP(Nome), nome70, nome70.substr(0, 60)},
      {PROP(Nome), u"\"\"  ", u""},
      {PROP(Nome), u"D'AVILA", u"D'AVILA"},
      {PROP(Email), u"  a@b.com\t", u"a@b.com"},
      {PROP(Endereco), u"Rua \"A\", 10 ", u"Rua A, 10"},
      {PROP(EnderecoEntr), nome70, nome70.substr(0, 60)},
      {PROP(EnderecoCob), u" x ", u"x"},
      {PROP(Contato), u"  Maria  ", u"Maria"},
      {PROP(Contato), Sequencia(55), Sequencia(50)},
      {PROP(NomeFantasia), u"  Loja  ", u"Loja"},
      {PROP(NomeFantasia), Sequencia(60), Sequencia(50)},
      {PROP(NomeSocio), u"  Socio  ", u"  Socio  "},
      {PROP(NomeSocio), Sequencia(60), Sequencia(50)},
      // Bairro does not trim; the billing one does.
      {PROP(Bairro), u"  Centro  ", u"  Centro  "},
      {PROP(BairroEntr), u"  Centro  ", u"  Centro  "},
      {PROP(BairroCob), u"  Centro  ", u"Centro"},
      {PROP(Bairro), Sequencia(35), Sequencia(30)},
      {PROP(BairroCob), u" " + Sequencia(35), Sequencia(30)},
      {PROP(NomeCidade), Sequencia(35) + u"\"", Sequencia(30)},
      {PROP(NomeCidadeEntr), u" Belo Horizonte ", u" Belo Horizonte "},
      {PROP(NomeCidadeCob), u"\"BH\"", u"BH"},
      {PROP(HomePage), u"  www.x.com  ", u"www.x.com"},
      {PROP(HomePage), Sequencia(40), Sequencia(30)},
      {PROP(Observacao), Sequencia(120), Sequencia(100)},
      {PROP(CampoLivre1), Sequencia(25), Sequencia(20)},
      {PROP(CampoLivre2), u" a ", u" a "},
      {PROP(CampoLivre3), Sequencia(70), Sequencia(60)},
      {PROP(CampoLivre4), Sequencia(70), Sequencia(60)},
      {PROP(CampoLivre5), Sequencia(50), Sequencia(40)},
      {PROP(CampoLivre10), Sequencia(50), Sequencia(40)},
      // Stored unchanged apart from the quotes, without a length bound.
      {PROP(CodFornec), u" A\"B\"C ", u" ABC "},
      {PROP(NomeMae), Sequencia(300), Sequencia(300)},
      {PROP(NomePai), u"\"Pai\"", u"Pai"},
      {PROP(CodSegmento), u" 01 ", u" 01 "},
      {PROP(CodVendend1), u"0\"1", u"01"},
      {PROP(MalaDiretaEletr), u"Sim", u"Sim"},
      {PROP(ProtestarCliente), u"nao", u"nao"},
      {PROP(Pessoa_FJ), u"Juridica", u"J"},
      {PROP(Pessoa_FJ), u"", u""},
      {PROP(Ativo), u"\"S\"", u"S"},
      {PROP(CliBloqueado), u" S", u" "},
      // Zeros go in before the mask is removed.
      {PROP(CodCliente), u"123", u"00000123"},
      {PROP(CodCliente), u"123456789", u"12345678"},
      {PROP(CodCliente), u"12-34", u"0001234"},
      {PROP(CodCliente), u"", u"00000000"},
      {PROP(CodCliente), u"\"123\"", u"00000123"},
      {PROP(CodCidade), u"12", u"00012"},
      {PROP(CodCidade), u"123456", u"12345"},
      {PROP(CodCidade), u"", u""},
      {PROP(CodCidade), u"\"", u""},
      {PROP(CodCidadeEntr), u"7", u"00007"},
      {PROP(CodCidadeCob), u"123456", u"12345"},
      {PROP(Cep), u"30.140-071", u"30140071"},
      {PROP(CepEntr), u"30140-071 ", u"30140071"},
      {PROP(CepCob), u"123456789", u"12345678"},
      {PROP(CgcCpf), u"12.345.678/0001-95", u"12345678000195"},
      {PROP(CgcCpf), u"123.456.789-09", u"12345678909"},
      {PROP(InscEst), u"Isento", u"ISENTO"},
      {PROP(InscEst), u"isenta", u""},
      {PROP(InscEst), u"062.123.456/0099", u"0621234560099"},
      {PROP(InscEst), u"1234567890123456789", u"123456789012345"},
      {PROP(InscMunicipal), u"123.456-7", u"1234567"},
      {PROP(Fone), u"(31) 3333-4444", u"3133334444"},
      {PROP(Fone), u"\"(31)\" 3333-4444", u"3133334444"},
      // Cut to 16 before the digits are picked: the mask counts.
      {PROP(Fone), u"(31) 3333-4444 ramal 12", u"3133334444"},
      {PROP(Fax), u"(31) 3333-4444", u"3133334444"},
      {PROP(Fax), u"\"(31)\" 3333-4444", u"3133334444"},
      {PROP(Celular), u"(31) 9 9999-8888", u"31999998888"},
      {PROP(Celular), Repete(u'9', 25), Repete(u'9', 20)},
      {PROP(PrefixCelular), u"(31)", u"(31)"},
      {PROP(PrefixCelular), u"\"(31)\"", u"31"},
      {PROP(PrefixCelular), u"031 ", u"031 "},
  };
}

#undef PROP

class SettersCliente : public ::testing::TestWithParam<CasoSetter> {};

TEST_P(SettersCliente, NormalizaAoAtribuir) {
  const CasoSetter& c = GetParam();
  TIBDatabase desconectado;
  TConverteCliente cliente(&desconectado);
  (cliente.*c.set)(c.entrada);
  EXPECT_EQ((cliente.*c.get)(), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Cliente, SettersCliente, ::testing::ValuesIn(CasosSetters()));

TEST(ClienteValores, CodPaisECodClasCliGuardamOValorQuandoVazios) {
  TIBDatabase desconectado;
  TConverteCliente cliente(&desconectado);
  cliente.SetCodPais(u"12");
  EXPECT_EQ(cliente.CodPais(), u"0012");
  cliente.SetCodPais(u"   ");
  EXPECT_EQ(cliente.CodPais(), u"0012");
  cliente.SetCodPais(u"");
  EXPECT_EQ(cliente.CodPais(), u"0012");
  cliente.SetCodPais(u"1058");
  EXPECT_EQ(cliente.CodPais(), u"1058");
  // Cut to 4 with the mask, so "01-0" leaves three digits.
  cliente.SetCodPais(u"01-058");
  EXPECT_EQ(cliente.CodPais(), u"010");
  // A lone quote is not blank, so it is stored: as zeros.
  cliente.SetCodPais(u"\"");
  EXPECT_EQ(cliente.CodPais(), u"0000");

  cliente.SetCodClasCli(u"07");
  EXPECT_EQ(cliente.CodClasCli(), u"07");
  cliente.SetCodClasCli(u"");
  EXPECT_EQ(cliente.CodClasCli(), u"07");
  cliente.SetCodClasCli(u"\"\"");
  EXPECT_EQ(cliente.CodClasCli(), u"07");
  cliente.SetCodClasCli(u" ");
  EXPECT_EQ(cliente.CodClasCli(), u" ");
}

#define PROP(nome) #nome, &TConverteCliente::Set##nome, &TConverteCliente::nome

std::vector<CasoSetter> CasosDatas() {
  return {
      {PROP(DT_Nascimento), u"", u""},
      {PROP(DT_Nascimento), u"25/03/2010", u"25.03.2010"},
      {PROP(DT_Nascimento), u"abc", u"abc"},
      {PROP(DT_Nascimento), u"99999999", u"99999999"},
      // Date setters leave double quotes alone.
      {PROP(DT_Nascimento), u"\"25/03/2010\"", u"\"25.03.2010\""},
      {PROP(DT_Cadastro), u"", kHojeComPontos},
      {PROP(DT_Cadastro), u"25/03/2010", u"25.03.2010"},
      {PROP(DT_Cadastro), u"abc", u"abc"},
      {PROP(DT_Cadastro), u"  -   -", kHojeComPontos},
      // A serial comes back with "/" and is then given "." as well.
      {PROP(DT_Cadastro), u"41633", u"25.12.2013"},
      {PROP(DT_Cadastro), u"2010-03-25", u"2010.03.25"},
      {PROP(Dt_Ult_Venda), u"", kHojeComPontos},
      {PROP(Dt_Ult_Venda), u"25/03/2010", u"25.03.2010"},
      {PROP(Dt_Ult_Venda), u"abc", u""},
      {PROP(Dt_Ult_Venda), u"41633", u"25.12.2013"},
      {PROP(DT_ValCad), u"", kHojeComPontos},
      {PROP(DT_ValCad), u"25/03/2010", u"25.03.2010"},
      {PROP(DT_ValCad), u"abc", u""},
  };
}

#undef PROP

class DatasCliente : public ::testing::TestWithParam<CasoSetter> {};

TEST_P(DatasCliente, GuardaComPontos) {
  const CasoSetter& c = GetParam();
  RelogioFixo relogio;
  TIBDatabase desconectado;
  TConverteCliente cliente(&desconectado);
  (cliente.*c.set)(c.entrada);
  EXPECT_EQ((cliente.*c.get)(), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Cliente, DatasCliente, ::testing::ValuesIn(CasosDatas()));

// Every text property, for the checks of the initial values and the reset.
struct Propriedade {
  const char* nome;
  Setter set;
  Getter get;
  bool mantidaNaLimpeza;
};

#define PROP(nome, mantida) \
  { #nome, &TConverteCliente::Set##nome, &TConverteCliente::nome, mantida }

const std::vector<Propriedade>& Propriedades() {
  static const std::vector<Propriedade> lista = {
      PROP(CodCliente, false),
      PROP(CodFornec, true),
      PROP(Nome, false),
      PROP(Contato, true),
      PROP(NomeFantasia, false),
      PROP(Endereco, false),
      PROP(EnderecoEntr, false),
      PROP(EnderecoCob, false),
      PROP(Bairro, false),
      PROP(BairroEntr, false),
      PROP(BairroCob, false),
      PROP(CodCidade, false),
      PROP(NomeCidade, true),
      PROP(CodCidadeEntr, false),
      PROP(NomeCidadeEntr, true),
      PROP(CodCidadeCob, false),
      PROP(NomeCidadeCob, true),
      PROP(Estado, false),
      PROP(EstadoEntr, false),
      PROP(EstadoCob, false),
      PROP(Cep, false),
      PROP(CepEntr, false),
      PROP(CepCob, false),
      PROP(CgcCpf, false),
      PROP(InscEst, false),
      PROP(InscMunicipal, true),
      PROP(Pessoa_FJ, false),
      PROP(Fone, false),
      PROP(Fax, false),
      PROP(PrefixCelular, false),
      PROP(Celular, false),
      PROP(Email, false),
      PROP(HomePage, false),
      PROP(Ativo, false),
      PROP(NomeMae, true),
      PROP(NomePai, true),
      PROP(CliBloqueado, false),
      PROP(MalaDiretaEletr, false),
      PROP(ProtestarCliente, false),
      PROP(DT_Nascimento, false),
      PROP(DT_Cadastro, false),
      PROP(Dt_Ult_Venda, true),
      PROP(DT_ValCad, true),
      PROP(Observacao, false),
      PROP(CampoLivre1, false),
      PROP(CampoLivre2, false),
      PROP(CampoLivre3, false),
      PROP(CampoLivre4, false),
      PROP(CampoLivre5, false),
      PROP(CampoLivre6, false),
      PROP(CampoLivre7, false),
      PROP(CampoLivre8, false),
      PROP(CampoLivre9, false),
      PROP(CampoLivre10, false),
      PROP(CodPais, true),
      PROP(NomeSocio, true),
      PROP(CodSegmento, true),
      PROP(CodClasCli, true),
      PROP(CodVendend1, true),
  };
  return lista;
}

#undef PROP

std::u16string ValorInicial(const std::string& nome) {
  static const std::map<std::string, std::u16string> iniciais = {
      {"CodCliente", u"00000000"},     {"Pessoa_FJ", u"F"},       {"Ativo", u"S"},
      {"CliBloqueado", u"N"},          {"MalaDiretaEletr", u"N"}, {"ProtestarCliente", u"N"},
      {"DT_Cadastro", kHojeComPontos},
  };
  auto it = iniciais.find(nome);
  return it == iniciais.end() ? std::u16string() : it->second;
}

TEST(ClienteValores, ValoresLogoAposACriacao) {
  RelogioFixo relogio;
  TIBDatabase desconectado;
  TConverteCliente cliente(&desconectado);
  EXPECT_FALSE(desconectado.Connected());
  EXPECT_EQ(cliente.StatementDestino()->Database(), &desconectado);
  EXPECT_EQ(cliente.StatementAuxiliar()->Database(), &desconectado);
  ASSERT_EQ(Propriedades().size(), 59u);
  for (const Propriedade& p : Propriedades()) {
    EXPECT_EQ((cliente.*p.get)(), ValorInicial(p.nome)) << p.nome;
  }
  EXPECT_EQ(cliente.LimiteCredito(), 0.0);
}

TEST(ClienteValores, LimpaVariavelRestauraOsIniciaisEMantemOsQuinze) {
  RelogioFixo relogio;
  TIBDatabase desconectado;
  TConverteCliente cliente(&desconectado);
  // "7" gives a value other than the initial one through every setter.
  std::map<std::string, std::u16string> atribuidos;
  for (const Propriedade& p : Propriedades()) {
    (cliente.*p.set)(u"7");
    atribuidos[p.nome] = (cliente.*p.get)();
    ASSERT_NE(atribuidos[p.nome], ValorInicial(p.nome)) << p.nome;
  }
  cliente.SetLimiteCredito(2.5);

  cliente.LimpaVariavel();

  int mantidos = 0;
  for (const Propriedade& p : Propriedades()) {
    if (p.mantidaNaLimpeza) {
      ++mantidos;
      EXPECT_EQ((cliente.*p.get)(), atribuidos[p.nome]) << p.nome;
    } else {
      EXPECT_EQ((cliente.*p.get)(), ValorInicial(p.nome)) << p.nome;
    }
  }
  // Fourteen texts and LimiteCredito are kept; CodPais keeps its value through
  // its own setter.
  EXPECT_EQ(mantidos, 15);
  EXPECT_EQ(cliente.LimiteCredito(), 2.5);
}

TEST(ClienteValores, AcaoInvalidaFalhaSemExecutarNada) {
  TIBDatabase desconectado;
  TConverteCliente cliente(&desconectado);
  cliente.SetNome(u"X");
  for (int acao : {0, 3, -1}) {
    EXPECT_THROW(cliente.ExecutaSql(acao), comum::Erro) << acao;
  }
  EXPECT_EQ(cliente.Nome(), u"X");
  EXPECT_TRUE(cliente.StatementDestino()->SQL().Text().empty());
}

// ----- statements -----

// Blanks collapsed, so that the checks do not depend on the amount of blank space.
std::u16string Compacta(const std::u16string& s) {
  std::u16string r;
  for (char16_t c : s) {
    if (c <= u' ') {
      if (!r.empty() && r.back() == u' ') continue;
      c = u' ';
    }
    r.push_back(c);
  }
  return texto::Trim(r);
}

std::vector<std::u16string> Divide(const std::u16string& s, char16_t sep) {
  std::vector<std::u16string> partes;
  std::size_t ini = 0;
  for (std::size_t p = s.find(sep); p != std::u16string::npos; p = s.find(sep, ini)) {
    partes.push_back(texto::Trim(s.substr(ini, p - ini)));
    ini = p + 1;
  }
  partes.push_back(texto::Trim(s.substr(ini)));
  return partes;
}

// Column list and value list of an insert whose values hold no comma and no
// parenthesis.
struct Insercao {
  std::vector<std::u16string> colunas;
  std::vector<std::u16string> valores;
};

Insercao DesmontaInsercao(const std::u16string& sql) {
  const auto values = sql.find(u"Values");
  const auto abreColunas = sql.find(u'(');
  const auto fechaColunas = sql.rfind(u')', values);
  const auto abreValores = sql.find(u'(', values);
  const auto fechaValores = sql.rfind(u')');
  Insercao r;
  r.colunas = Divide(sql.substr(abreColunas + 1, fechaColunas - abreColunas - 1), u',');
  r.valores = Divide(sql.substr(abreValores + 1, fechaValores - abreValores - 1), u',');
  for (auto& c : r.colunas) c = texto::LowerCase(c);
  return r;
}

// The assignments of an update (column in lower case -> value text) and its condition.
struct Atualizacao {
  std::map<std::u16string, std::u16string> valores;
  std::vector<std::u16string> ordem;
  std::u16string condicao;
};

Atualizacao DesmontaAtualizacao(const std::u16string& sql) {
  const auto set = sql.find(u" set ");
  const auto where = sql.find(u" where ");
  Atualizacao r;
  for (const std::u16string& atribuicao : Divide(sql.substr(set + 5, where - set - 5), u',')) {
    const auto igual = atribuicao.find(u'=');
    const std::u16string coluna = texto::LowerCase(texto::Trim(atribuicao.substr(0, igual)));
    r.ordem.push_back(coluna);
    r.valores[coluna] = texto::Trim(atribuicao.substr(igual + 1));
  }
  r.condicao = Compacta(sql.substr(where));
  return r;
}

class ClienteNoBanco : public ::testing::Test {
 protected:
  // Commits the destination, so a fresh connection sees the rows.
  void Confirma() {
    if (par.destino.transacao.Active()) par.destino.transacao.Commit();
  }
  std::vector<std::vector<std::u16string>> Consulta(const std::u16string& sql) {
    return apoio::Consulta(par.arquivoDestino, sql);
  }
  std::u16string Valor(const std::u16string& sql) { return Consulta(sql).at(0).at(0); }

  // Values that can be told apart in every column.
  void PreencheTudo(TConverteCliente& c) {
    c.SetCodCliente(u"42");
    c.SetNome(u"NOME");
    c.SetNomeFantasia(u"FANTASIA");
    c.SetEndereco(u"END");
    c.SetEnderecoEntr(u"ENDENT");
    c.SetEnderecoCob(u"ENDCOB");
    c.SetBairro(u"BAI");
    c.SetBairroEntr(u"BAIENT");
    c.SetBairroCob(u"BAICOB");
    c.SetCodCidade(u"1");
    c.SetCodCidadeEntr(u"2");
    c.SetCodCidadeCob(u"3");
    c.SetEstado(u"mg");
    c.SetEstadoEntr(u"sp");
    c.SetEstadoCob(u"rj");
    c.SetCep(u"30140-071");
    c.SetCepEntr(u"01001-000");
    c.SetCepCob(u"20000-000");
    c.SetCgcCpf(u"123.456.789-09");
    c.SetInscEst(u"062.123.456/0099");
    c.SetPessoa_FJ(u"J");
    c.SetFone(u"(31) 3333-4444");
    c.SetFax(u"(31) 3333-5555");
    c.SetPrefixCelular(u"31");
    c.SetCelular(u"(31) 9 9999-8888");
    c.SetEmail(u"EMAIL");
    c.SetHomePage(u"HOME");
    c.SetAtivo(u"S");
    c.SetCliBloqueado(u"S");
    c.SetObservacao(u"OBS");
    const std::vector<Setter> livres = {&TConverteCliente::SetCampoLivre1, &TConverteCliente::SetCampoLivre2,
                                        &TConverteCliente::SetCampoLivre3, &TConverteCliente::SetCampoLivre4,
                                        &TConverteCliente::SetCampoLivre5, &TConverteCliente::SetCampoLivre6,
                                        &TConverteCliente::SetCampoLivre7, &TConverteCliente::SetCampoLivre8,
                                        &TConverteCliente::SetCampoLivre9, &TConverteCliente::SetCampoLivre10};
    for (std::size_t i = 0; i < livres.size(); ++i) (c.*livres[i])(u"L" + texto::IntParaTexto(i + 1));
    c.SetCodFornec(u"FORN");
    c.SetContato(u"CONTATO");
    c.SetCodSegmento(u"SEG");
    c.SetCodClasCli(u"CLAS");
    c.SetCodVendend1(u"VEND");
    c.SetCodPais(u"1058");
    c.SetNomeSocio(u"SOCIO");
    c.SetLimiteCredito(1500.5);
  }

  apoio::ParDeBancos par;
};

// Column (lower case) -> value text expected for PreencheTudo.
const std::map<std::u16string, std::u16string>& ValoresDePreencheTudo() {
  static const std::map<std::u16string, std::u16string> m = {
      {u"cliente.codcliente", u"'00000042'"},
      {u"cliente.nome", u"'NOME'"},
      {u"cliente.nomefantasia", u"'FANTASIA'"},
      {u"cliente.endereco", u"'END'"},
      {u"cliente.bairro", u"'BAI'"},
      {u"cliente.codcidade", u"'00001'"},
      {u"cliente.estado", u"'MG'"},
      {u"cliente.cep", u"'30140071'"},
      {u"cliente.cgccpf", u"'12345678909'"},
      {u"cliente.inscest", u"'0621234560099'"},
      {u"cliente.pessoa_fj", u"'J'"},
      {u"cliente.fone", u"'3133334444'"},
      {u"cliente.fax", u"'3133335555'"},
      {u"cliente.prefixcelular", u"'31'"},
      {u"cliente.celular", u"'31999998888'"},
      {u"cliente.campolivre1", u"'L1'"},
      {u"cliente.campolivre2", u"'L2'"},
      {u"cliente.campolivre3", u"'L3'"},
      {u"cliente.campolivre4", u"'L4'"},
      {u"cliente.campolivre5", u"'L5'"},
      {u"cliente.campolivre6", u"'L6'"},
      {u"cliente.campolivre7", u"'L7'"},
      {u"cliente.campolivre8", u"'L8'"},
      {u"cliente.campolivre9", u"'L9'"},
      {u"cliente.campolivre10", u"'L10'"},
      {u"cliente.observacao", u"'OBS'"},
      {u"cliente.email", u"'EMAIL'"},
      {u"cliente.homepage", u"'HOME'"},
      {u"cliente.enderecocob", u"'ENDCOB'"},
      {u"cliente.bairrocob", u"'BAICOB'"},
      {u"cliente.cepcob", u"'20000000'"},
      {u"cliente.codcidadecob", u"'00003'"},
      {u"cliente.estadocob", u"'RJ'"},
      {u"cliente.enderecoent", u"'ENDENT'"},
      {u"cliente.bairroent", u"'BAIENT'"},
      {u"cliente.cepent", u"'01001000'"},
      {u"cliente.codcidadeent", u"'00002'"},
      {u"cliente.estadoent", u"'SP'"},
      {u"cliente.codfornec", u"'FORN'"},
      {u"cliente.contato", u"'CONTATO'"},
      {u"cliente.codsegmento", u"'SEG'"},
      {u"cliente.codclascli", u"'CLAS'"},
      {u"cliente.codvendend1", u"'VEND'"},
      {u"cliente.limitecredito", u"1500.5"},
      {u"cliente.codpais", u"'1058'"},
      {u"cliente.nomesocio", u"'SOCIO'"},
  };
  return m;
}

TEST_F(ClienteNoBanco, InsercaoAlinhaCadaColunaComSeuValor) {
  RelogioFixo relogio;
  TConverteCliente cliente(&par.destino.banco);
  PreencheTudo(cliente);
  cliente.SetMalaDiretaEletr(u"S");
  cliente.SetProtestarCliente(u"S");
  const Insercao ins = DesmontaInsercao(cliente.MontaSqlInsere());
  ASSERT_EQ(ins.colunas.size(), ins.valores.size());
  // 46 fixed columns, the registration date, then the four flags.
  ASSERT_EQ(ins.colunas.size(), 51u);
  for (std::size_t i = 0; i < 46; ++i) {
    EXPECT_EQ(ins.valores[i], ValoresDePreencheTudo().at(ins.colunas[i])) << texto::ParaUtf8(ins.colunas[i]);
  }
  EXPECT_EQ(ins.colunas[45], u"cliente.nomesocio");
  EXPECT_EQ(ins.colunas[46], u"cliente.dt_cadastro");
  EXPECT_EQ(ins.valores[46], u"'29.02.2024'");
  EXPECT_EQ(std::vector<std::u16string>(ins.colunas.begin() + 47, ins.colunas.end()),
            (std::vector<std::u16string>{u"cliente.ativo", u"cliente.clibloqueado", u"cliente.maladiretaeletr",
                                         u"cliente.protestarcliente"}));
  // Whatever the two flags hold, both columns get the constant N.
  EXPECT_EQ(std::vector<std::u16string>(ins.valores.begin() + 47, ins.valores.end()),
            (std::vector<std::u16string>{u"'S'", u"'S'", u"\"N\"", u"\"N\""}));

  ASSERT_TRUE(cliente.ExecutaSql(1));
  Confirma();
  EXPECT_EQ(
      Consulta(u"SELECT CODCLIENTE, NOME, CODCIDADE, CODCIDADEENT, CODCIDADECOB, ESTADOENT, CEPENT, "
               u"LIMITECREDITO, CODPAIS, DT_CADASTRO, ATIVO, CLIBLOQUEADO, MALADIRETAELETR, PROTESTARCLIENTE, "
               u"CAMPOLIVRE10 FROM CLIENTE"),
      (std::vector<std::vector<std::u16string>>{{u"00000042", u"NOME", u"00001", u"00002", u"00003", u"SP", u"01001000",
                                                 u"1500,5", u"1058", u"29/02/2024", u"S", u"S", u"N", u"N", u"L10"}}));
  EXPECT_EQ(Valor(u"SELECT COUNT(*) FROM CLIENTE WHERE DT_NASCIMENTO IS NULL AND DT_ULTVENDA IS NULL "
                  u"AND DT_VALCAD IS NULL"),
            u"1");
}

TEST_F(ClienteNoBanco, ApostrofoEDobradoNoTextoEGravadoSimples) {
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"1");
  cliente.SetNome(u"D'AVILA");
  cliente.SetEndereco(u"Rua D'Ajuda");
  EXPECT_NE(cliente.MontaSqlInsere().find(u"'D''AVILA'"), std::u16string::npos);
  EXPECT_NE(cliente.AtualizaCliente().find(u"'D''AVILA'"), std::u16string::npos);
  cliente.ExecutaSql(1);
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT NOME, ENDERECO FROM CLIENTE"),
            (std::vector<std::vector<std::u16string>>{{u"D'AVILA", u"Rua D'Ajuda"}}));
}

TEST_F(ClienteNoBanco, TextosVaziosSaoTextoVazioENaoNulo) {
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"1");
  const Insercao ins = DesmontaInsercao(cliente.MontaSqlInsere());
  EXPECT_EQ(ins.valores.at(5), u"''");
  EXPECT_EQ(ins.colunas.at(5), u"cliente.codcidade");
  cliente.ExecutaSql(1);
  Confirma();
  EXPECT_EQ(Valor(u"SELECT COUNT(*) FROM CLIENTE WHERE CODCIDADE = '' AND NOME = '' AND CODPAIS = ''"), u"1");
}

TEST_F(ClienteNoBanco, DatasVaziasFicamForaDaInsercao) {
  // The registration date cannot be emptied through its setter; the other
  // three start empty and stay out of the insert.
  RelogioFixo relogio;
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"1");
  cliente.SetNome(u"A");
  cliente.SetDT_Cadastro(u"25/03/2010");
  const std::u16string sql = cliente.MontaSqlInsere();
  for (const char16_t* coluna : {u"dt_nascimento", u"dt_ultvenda", u"DT_ValCad"}) {
    EXPECT_EQ(sql.find(coluna), std::u16string::npos) << texto::ParaUtf8(coluna);
  }
  EXPECT_NE(Compacta(sql).find(u"cliente.nomesocio, cliente.dt_cadastro, cliente.Ativo, cliente.CliBloqueado, "
                               u"cliente.maladiretaeletr, cliente.protestarcliente) Values ( "),
            std::u16string::npos);
  EXPECT_NE(Compacta(sql).find(u"'', '25.03.2010', 'S','N',\"N\", \"N\")"), std::u16string::npos);
  cliente.ExecutaSql(1);
  Confirma();
  EXPECT_EQ(Valor(u"SELECT DT_CADASTRO FROM CLIENTE"), u"25/03/2010");
  EXPECT_EQ(Valor(u"SELECT COUNT(*) FROM CLIENTE WHERE DT_NASCIMENTO IS NULL AND DT_ULTVENDA IS NULL "
                  u"AND DT_VALCAD IS NULL"),
            u"1");
}

TEST_F(ClienteNoBanco, QuatroDatasNaOrdemDaInsercao) {
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"1");
  cliente.SetDT_Nascimento(u"01/02/1980");
  cliente.SetDt_Ult_Venda(u"03/04/2020");
  cliente.SetDT_Cadastro(u"05/06/2010");
  cliente.SetDT_ValCad(u"07/08/2030");
  const Insercao ins = DesmontaInsercao(cliente.MontaSqlInsere());
  ASSERT_EQ(ins.colunas.size(), 54u);
  EXPECT_EQ(std::vector<std::u16string>(ins.colunas.begin() + 46, ins.colunas.begin() + 50),
            (std::vector<std::u16string>{u"cliente.dt_nascimento", u"cliente.dt_ultvenda", u"cliente.dt_cadastro",
                                         u"cliente.dt_valcad"}));
  EXPECT_EQ(std::vector<std::u16string>(ins.valores.begin() + 46, ins.valores.begin() + 50),
            (std::vector<std::u16string>{u"'01.02.1980'", u"'03.04.2020'", u"'05.06.2010'", u"'07.08.2030'"}));
  cliente.ExecutaSql(1);
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT DT_NASCIMENTO, DT_ULTVENDA, DT_CADASTRO, DT_VALCAD FROM CLIENTE"),
            (std::vector<std::vector<std::u16string>>{{u"01/02/1980", u"03/04/2020", u"05/06/2010", u"07/08/2030"}}));
}

TEST_F(ClienteNoBanco, LimiteCreditoSemAspasComPonto) {
  TConverteCliente cliente(&par.destino.banco);
  struct Caso {
    double valor;
    std::u16string texto;
  };
  for (const Caso& c :
       {Caso{0, u"0"}, Caso{1500.5, u"1500.5"}, Caso{-0.25, u"-0.25"}, Caso{1234567.89, u"1234567.89"}}) {
    cliente.SetLimiteCredito(c.valor);
    const Insercao ins = DesmontaInsercao(cliente.MontaSqlInsere());
    EXPECT_EQ(ins.colunas.at(43), u"cliente.limitecredito");
    EXPECT_EQ(ins.valores.at(43), c.texto);
    EXPECT_EQ(DesmontaAtualizacao(cliente.AtualizaCliente()).valores.at(u"cliente.limitecredito"), c.texto);
  }
  cliente.SetCodCliente(u"1");
  cliente.SetLimiteCredito(1500.5);
  cliente.ExecutaSql(1);
  Confirma();
  EXPECT_EQ(Valor(u"SELECT COUNT(*) FROM CLIENTE WHERE LIMITECREDITO = 1500.5"), u"1");
}

TEST_F(ClienteNoBanco, AtualizacaoCobreTodasAsColunasEDesbloqueia) {
  RelogioFixo relogio;
  TConverteCliente cliente(&par.destino.banco);
  PreencheTudo(cliente);
  const Atualizacao upd = DesmontaAtualizacao(cliente.AtualizaCliente());
  for (const auto& [coluna, valor] : ValoresDePreencheTudo()) {
    if (coluna == u"cliente.codcliente") continue;
    ASSERT_TRUE(upd.valores.count(coluna)) << texto::ParaUtf8(coluna);
    EXPECT_EQ(upd.valores.at(coluna), valor) << texto::ParaUtf8(coluna);
  }
  EXPECT_EQ(upd.valores.count(u"cliente.codcliente"), 0u);
  EXPECT_EQ(upd.ordem.front(), u"cliente.nome");
  EXPECT_EQ(upd.valores.at(u"cliente.dt_nascimento"), u"NULL");
  EXPECT_EQ(upd.valores.at(u"cliente.dt_ultvenda"), u"NULL");
  EXPECT_EQ(upd.valores.at(u"cliente.dt_cadastro"), u"'29.02.2024'");
  EXPECT_EQ(upd.valores.at(u"cliente.dt_valcad"), u"NULL");
  EXPECT_EQ(upd.valores.at(u"cliente.ativo"), u"'S'");
  // CliBloqueado holds S, the update writes N all the same.
  EXPECT_EQ(upd.valores.at(u"cliente.clibloqueado"), u"\"N\"");
  EXPECT_EQ(upd.valores.at(u"cliente.maladiretaeletr"), u"\"N\"");
  EXPECT_EQ(upd.valores.at(u"cliente.protestarcliente"), u"\"N\"");
  EXPECT_EQ(upd.ordem.size(), 53u);
  EXPECT_EQ(upd.condicao, u"where cliente.codcliente = '00000042'");
  EXPECT_NE(Compacta(cliente.AtualizaCliente()).find(u"cliente.dt_nascimento = NULL , cliente.dt_ultvenda = NULL , "),
            std::u16string::npos);
}

TEST_F(ClienteNoBanco, AtualizacaoGravaOsValoresEAnulaAsDatasVazias) {
  RelogioFixo relogio;
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"42");
  cliente.SetNome(u"ANTIGO");
  cliente.SetCliBloqueado(u"S");
  cliente.SetDT_Nascimento(u"01/02/1980");
  cliente.SetDt_Ult_Venda(u"03/04/2020");
  cliente.SetDT_ValCad(u"07/08/2030");
  cliente.ExecutaSql(1);
  cliente.SetCodCliente(u"43");
  cliente.SetNome(u"OUTRO");
  cliente.SetCliBloqueado(u"S");
  cliente.ExecutaSql(1);

  // Dt_Ult_Venda and DT_ValCad survive the reset; empty them with texts that are no dates.
  PreencheTudo(cliente);
  cliente.SetDt_Ult_Venda(u"abc");
  cliente.SetDT_ValCad(u"abc");
  cliente.SetNome(u"NOVO");
  ASSERT_TRUE(cliente.ExecutaSql(2));
  EXPECT_EQ(cliente.CodCliente(), u"00000000");
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT CODCLIENTE, NOME, CLIBLOQUEADO, MALADIRETAELETR, PROTESTARCLIENTE, DT_CADASTRO, "
                     u"CODCIDADEENT, LIMITECREDITO FROM CLIENTE ORDER BY CODCLIENTE"),
            (std::vector<std::vector<std::u16string>>{
                {u"00000042", u"NOVO", u"N", u"N", u"N", u"29/02/2024", u"00002", u"1500,5"},
                {u"00000043", u"OUTRO", u"S", u"N", u"N", u"29/02/2024", u"", u"0"}}));
  EXPECT_EQ(Valor(u"SELECT COUNT(*) FROM CLIENTE WHERE CODCLIENTE = '00000042' AND DT_NASCIMENTO IS NULL AND "
                  u"DT_ULTVENDA IS NULL AND DT_VALCAD IS NULL"),
            u"1");
}

TEST_F(ClienteNoBanco, SucessoLimpaFalhaMantemOsValores) {
  RelogioFixo relogio;
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"7");
  cliente.SetNome(u"PRIMEIRO");
  cliente.SetContato(u"CONTATO");
  cliente.SetPessoa_FJ(u"J");
  ASSERT_TRUE(cliente.ExecutaSql(1));
  EXPECT_EQ(cliente.CodCliente(), u"00000000");
  EXPECT_EQ(cliente.Nome(), u"");
  EXPECT_EQ(cliente.Pessoa_FJ(), u"F");
  EXPECT_EQ(cliente.DT_Cadastro(), kHojeComPontos);
  EXPECT_EQ(cliente.Contato(), u"CONTATO");

  cliente.SetCodCliente(u"7");
  cliente.SetNome(u"REPETIDO");
  cliente.SetPessoa_FJ(u"J");
  EXPECT_THROW(cliente.ExecutaSql(1), EIBError);
  EXPECT_EQ(cliente.CodCliente(), u"00000007");
  EXPECT_EQ(cliente.Nome(), u"REPETIDO");
  EXPECT_EQ(cliente.Pessoa_FJ(), u"J");
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT NOME FROM CLIENTE"), (std::vector<std::vector<std::u16string>>{{u"PRIMEIRO"}}));
}

TEST_F(ClienteNoBanco, DialetoTresRecusaAsConstantesEntreAspasDuplas) {
  const auto arquivo = par.pasta.Caminho() / "DIALETO3.FB";
  apoio::CriaBanco(arquivo, 3);
  apoio::Conexao conexao;
  conexao.Abre(arquivo);
  ferramentas::ExecutaScript(conexao.banco, texto::DeUtf8(esquemas::Destino()));
  ASSERT_EQ(conexao.banco.SQLDialect(), 3);

  TConverteCliente cliente(&conexao.banco);
  cliente.SetCodCliente(u"1");
  cliente.SetNome(u"NOME");
  try {
    cliente.ExecutaSql(1);
    FAIL() << "the insert ran on a dialect-3 connection";
  } catch (const EIBError& e) {
    // The server names the double-quoted N as an unknown column.
    EXPECT_NE(e.Mensagem().find(u"Column unknown"), std::u16string::npos) << e.what();
  }
  EXPECT_EQ(cliente.Nome(), u"NOME");
  EXPECT_THROW(cliente.GravaNCliente(1), EIBError);
  if (conexao.transacao.Active()) conexao.transacao.Commit();
  EXPECT_EQ(apoio::ContaLinhas(arquivo, u"CLIENTE"), 0);
}

TEST_F(ClienteNoBanco, GravaNClienteComEmpresa00) {
  TConverteCliente cliente(&par.destino.banco);
  cliente.GravaNCliente(150);
  EXPECT_NE(Compacta(cliente.StatementDestino()->SQL().Text()).find(u"Values (\"00\",150)"), std::u16string::npos);
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT CODEMPRESA, NUMEROCLIENTES FROM NCLIENTE"),
            (std::vector<std::vector<std::u16string>>{{u"00", u"150"}}));
}

TEST_F(ClienteNoBanco, LimpaTabelaEsvaziaEConfirmaTudoOQueVeioAntes) {
  TConverteCliente cliente(&par.destino.banco);
  cliente.SetCodCliente(u"1");
  cliente.ExecutaSql(1);
  cliente.SetCodCliente(u"2");
  cliente.ExecutaSql(1);
  Confirma();
  cliente.SetCodCliente(u"3");
  cliente.ExecutaSql(1);
  cliente.GravaNCliente(3);
  ASSERT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"NCLIENTE"), 0);

  cliente.LimpaTabela();

  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(cliente.StatementAuxiliar()->SQL().Text(), u"Commit;\r\n");
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CLIENTE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"NCLIENTE"), 1);
  // The next statement starts a new transaction, which a rollback undoes alone.
  cliente.SetCodCliente(u"4");
  cliente.ExecutaSql(1);
  EXPECT_TRUE(par.destino.transacao.Active());
  par.destino.transacao.Rollback();
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CLIENTE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"NCLIENTE"), 1);
}

}  // namespace
