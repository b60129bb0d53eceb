// The client complement converter: its setters, the parameterised insert into
// COMPCLIE and the clearing of the table, against a real destination database.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "apoio/BancosTeste.h"
#include "banco/IBErro.h"
#include "clientes/ComplClientes.h"
#include "comum/Erro.h"
#include "comum/Texto.h"

namespace {

using Linhas = std::vector<std::vector<std::u16string>>;
using Setter = void (TConverteCompClie::*)(const std::u16string&);
using Getter = const std::u16string& (TConverteCompClie::*)() const;

std::u16string Sequencia(std::size_t n) {
  std::u16string s;
  for (std::size_t i = 0; i < n; ++i) s.push_back(static_cast<char16_t>(u'a' + i % 26));
  return s;
}

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

#define PROP(nome) #nome, &TConverteCompClie::Set##nome, &TConverteCompClie::nome

std::vector<CasoSetter> CasosSetters() {
  const std::u16string aspas = u"Rua \"Sete\" d'Agua ";
  return {
      {PROP(Codcliente), u"00000123", u"00000123"},
      // The client code that lost a mask character is padded back to 8.
      {PROP(Codcliente), u"0001234", u"00001234"},
      {PROP(Codcliente), u"  123  ", u"00000123"},
      {PROP(Codcliente), u"123456789", u"12345678"},
      {PROP(Codcliente), u"", u"00000000"},
      {PROP(Codcliente), u"12 4", u"000012 4"},
      {PROP(EnderecoNfe), Sequencia(80), Sequencia(60)},
      {PROP(EnderecoNfe), aspas, aspas},
      {PROP(NumeroNfe), u"123456", u"12345"},
      {PROP(NumeroNfe), u" 12 ", u" 12 "},
      {PROP(ComplementoNfe), Sequencia(70), Sequencia(60)},
      {PROP(Usuario), u"SYSDBA-ADMIN", u"SYSDBA-ADM"},
      {PROP(Data_lib), u"25/03/2010 10:00", u"25/03/2010"},
      {PROP(RefComerciais), u" \"x\" ", u" \"x\" "},
      {PROP(RefBancarias), Sequencia(300), Sequencia(300)},
  };
}

#undef PROP

class SettersComplCliente : public ::testing::TestWithParam<CasoSetter> {};

TEST_P(SettersComplCliente, GuardaOValorCortado) {
  const CasoSetter& c = GetParam();
  TIBDatabase desconectado;
  TConverteCompClie complemento(&desconectado);
  (complemento.*c.set)(c.entrada);
  EXPECT_EQ((complemento.*c.get)(), c.esperado);
}

INSTANTIATE_TEST_SUITE_P(ComplCliente, SettersComplCliente, ::testing::ValuesIn(CasosSetters()));

void EsperaValoresIniciais(const TConverteCompClie& c) {
  EXPECT_EQ(c.Codcliente(), u"");
  EXPECT_EQ(c.RefComerciais(), u"");
  EXPECT_EQ(c.RefBancarias(), u"");
  EXPECT_EQ(c.Usuario(), u"");
  EXPECT_EQ(c.Data_lib(), u"01/01/1900");
  EXPECT_EQ(c.EnderecoNfe(), u"");
  EXPECT_EQ(c.NumeroNfe(), u"");
  EXPECT_EQ(c.ComplementoNfe(), u"");
}

TEST(ComplClienteValores, ValoresLogoAposACriacao) {
  TIBDatabase desconectado;
  TConverteCompClie complemento(&desconectado);
  EXPECT_FALSE(desconectado.Connected());
  EXPECT_EQ(complemento.StatementDestino()->Database(), &desconectado);
  EsperaValoresIniciais(complemento);
}

class ComplClienteNoBanco : public ::testing::Test {
 protected:
  void Confirma() {
    if (par.destino.transacao.Active()) par.destino.transacao.Commit();
  }
  Linhas Consulta(const std::u16string& sql) { return apoio::Consulta(par.arquivoDestino, sql); }

  void Preenche(TConverteCompClie& c, const std::u16string& codigo) {
    c.SetCodcliente(codigo);
    c.SetRefComerciais(u"REF COM");
    c.SetRefBancarias(u"REF BANC");
    c.SetUsuario(u"USR");
    c.SetData_lib(u"25/03/2010");
    c.SetEnderecoNfe(u"RUA A");
    c.SetNumeroNfe(u"10");
    c.SetComplementoNfe(u"APTO 1");
  }

  apoio::ParDeBancos par;
};

TEST_F(ComplClienteNoBanco, GravaCadaValorEmSuaColuna) {
  TConverteCompClie complemento(&par.destino.banco);
  Preenche(complemento, u"0001234");
  ASSERT_TRUE(complemento.ExecutaSql());
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT CODCLIENTE, REFCOMERCIAIS, REFBANCARIAS, USUARIO, DATA_LIB, ENDERECONFE, NUMERONFE, "
                     u"COMPLEMENTONFE FROM COMPCLIE"),
            (Linhas{{u"00001234", u"REF COM", u"REF BANC", u"USR", u"25/03/2010", u"RUA A", u"10", u"APTO 1"}}));
}

TEST_F(ComplClienteNoBanco, SemDataLibGravaPrimeiroDeJaneiroDe1900ETextosVazios) {
  TConverteCompClie complemento(&par.destino.banco);
  complemento.SetCodcliente(u"1");
  complemento.ExecutaSql();
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT DATA_LIB, EXTRACT(DAY FROM DATA_LIB), EXTRACT(MONTH FROM DATA_LIB), "
                     u"EXTRACT(YEAR FROM DATA_LIB) FROM COMPCLIE"),
            (Linhas{{u"01/01/1900", u"1", u"1", u"1900"}}));
  // Empty values are bound as empty texts, not as NULL.
  EXPECT_EQ(Consulta(u"SELECT COUNT(*) FROM COMPCLIE WHERE REFCOMERCIAIS = '' AND REFBANCARIAS = '' AND "
                     u"USUARIO = '' AND ENDERECONFE = '' AND NUMERONFE = '' AND COMPLEMENTONFE = ''"),
            (Linhas{{u"1"}}));
}

TEST_F(ComplClienteNoBanco, AspasDoEnderecoChegamIntactas) {
  TConverteCompClie complemento(&par.destino.banco);
  const std::u16string endereco = u"Rua \"Sete\" d'Agua, " + Sequencia(70);
  complemento.SetCodcliente(u"1");
  complemento.SetEnderecoNfe(endereco);
  complemento.SetNumeroNfe(u"123456");
  complemento.ExecutaSql();
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT ENDERECONFE, NUMERONFE FROM COMPCLIE"), (Linhas{{endereco.substr(0, 60), u"12345"}}));
}

TEST_F(ComplClienteNoBanco, SucessoLimpaFalhaMantemOsValores) {
  TConverteCompClie complemento(&par.destino.banco);
  Preenche(complemento, u"7");
  ASSERT_TRUE(complemento.ExecutaSql());
  EsperaValoresIniciais(complemento);

  Preenche(complemento, u"7");
  complemento.SetUsuario(u"OUTRO");
  EXPECT_THROW(complemento.ExecutaSql(), EIBError);
  EXPECT_EQ(complemento.Codcliente(), u"00000007");
  EXPECT_EQ(complemento.Usuario(), u"OUTRO");
  EXPECT_EQ(complemento.Data_lib(), u"25/03/2010");
  Confirma();
  EXPECT_EQ(Consulta(u"SELECT USUARIO FROM COMPCLIE"), (Linhas{{u"USR"}}));
}

TEST_F(ComplClienteNoBanco, DataLibQueNaoEDataFalhaAntesDeGravar) {
  TConverteCompClie complemento(&par.destino.banco);
  for (const std::u16string data : {u"31/02/2010", u"abc", u"", u"2010-03-25", u"1/1/1900 1"}) {
    complemento.SetCodcliente(u"1");
    complemento.SetData_lib(data);
    try {
      complemento.ExecutaSql();
      ADD_FAILURE() << "accepted " << texto::ParaUtf8(data);
    } catch (const comum::Erro& e) {
      EXPECT_EQ(e.Mensagem(), u"''" + data + u"'' is not a valid date");
    }
    EXPECT_EQ(complemento.Codcliente(), u"00000001");
    EXPECT_EQ(complemento.Data_lib(), data);
  }
  Confirma();
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 0);
}

TEST_F(ComplClienteNoBanco, LimpaTabelaEsvaziaEConfirma) {
  TConverteCompClie complemento(&par.destino.banco);
  complemento.SetCodcliente(u"1");
  complemento.ExecutaSql();
  complemento.SetCodcliente(u"2");
  complemento.ExecutaSql();
  Confirma();
  ASSERT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 2);

  complemento.LimpaTabela();

  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 0);
}

TEST_F(ComplClienteNoBanco, LimpaTabelaVaziaAindaConfirmaOQueVeioAntes) {
  TIBQuery outra;
  outra.SetDatabase(&par.destino.banco);
  outra.SQL().SetText(u"INSERT INTO NCLIENTE (CODEMPRESA, NUMEROCLIENTES) VALUES ('00', 1)");
  outra.ExecSQL();
  ASSERT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"NCLIENTE"), 0);

  TConverteCompClie complemento(&par.destino.banco);
  complemento.LimpaTabela();

  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(complemento.StatementAuxiliar()->SQL().Text(), u"Commit;\r\n");
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"NCLIENTE"), 1);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 0);
}

}  // namespace
