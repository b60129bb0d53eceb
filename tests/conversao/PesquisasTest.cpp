// The reference-table lookups of TConversao against a real destination
// database: what they find, what they create, with which code, and in which
// transaction.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "apoio/BancosTeste.h"
#include "comum/Erro.h"
#include "conversao/classConversao.h"

namespace {

using Linhas = std::vector<std::vector<std::u16string>>;

std::u16string ErroDe(const std::function<void()>& f) {
  try {
    f();
  } catch (const comum::Erro& e) {
    return e.Mensagem();
  }
  return u"(no error)";
}

class Pesquisas : public ::testing::Test {
 protected:
  // Committed through a connection of its own: call before the first lookup,
  // whose snapshot would not see it otherwise.
  void Semeia(const std::u16string& sql) { apoio::Executa(par.arquivoDestino, sql); }

  // Read inside the run's transaction, so rows not yet committed show.
  Linhas Le(const std::u16string& sql) {
    TIBQuery q;
    q.SetDatabase(&par.destino.banco);
    q.SQL().SetText(sql);
    q.Open();
    Linhas linhas;
    for (; !q.Eof(); q.Next()) {
      std::vector<std::u16string> linha;
      for (int i = 0; i < q.FieldCount(); ++i) linha.push_back(q.Fields(i).AsString());
      linhas.push_back(std::move(linha));
    }
    return linhas;
  }

  Linhas Cidades() { return Le(u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"); }
  std::u16string TextoAuxiliar() { return conv.StatementAuxiliar()->SQL().Text(); }

  apoio::ParDeBancos par;
  TConversao conv{&par.destino.banco};
};

// --- FCidade -------------------------------------------------------------

// The statements as written: the tests that look at them turn the lookup's
// memory off (MemoriaDeCidades shows that it answers the same).
struct SoComandos {
  bool antes = TConversao::LembraCidades;
  SoComandos() { TConversao::LembraCidades = false; }
  ~SoComandos() { TConversao::LembraCidades = antes; }
};

TEST_F(Pesquisas, CidadeExistenteDevolveOCodigoSemGravar) {
  SoComandos comandos;
  Semeia(u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00007', 'UBERABA', 'MG')");
  EXPECT_EQ(conv.FCidade(u"Uberaba", u"mg"), u"00007");
  EXPECT_EQ(Cidades().size(), 1u);
  // Left open on the search result.
  EXPECT_TRUE(conv.StatementAuxiliar()->Active());
}

TEST_F(Pesquisas, CidadeNovaRecebeOProximoCodigo) {
  struct Caso {
    const char16_t* maior;  // nullptr: empty table
    const char16_t* esperado;
  };
  for (const Caso& c : {Caso{nullptr, u"00001"}, Caso{u"00041", u"00042"}, Caso{u"99999", u"100000"}}) {
    apoio::ParDeBancos outro;
    if (c.maior)
      apoio::Executa(outro.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('" +
                                               std::u16string(c.maior) + u"', 'X', 'XX')");
    TConversao c2(&outro.destino.banco);
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.esperado)));
    EXPECT_EQ(c2.FCidade(u"Contagem", u"mg"), c.esperado);
    auto linhas = apoio::Consulta(outro.arquivoDestino, u"SELECT COUNT(*) FROM CIDADES");  // nothing committed
    EXPECT_EQ(linhas.at(0).at(0), c.maior ? u"1" : u"0");
    outro.destino.transacao.Commit();
    auto criada = apoio::Consulta(outro.arquivoDestino, u"SELECT CIDADE, ESTADO FROM CIDADES WHERE CODCIDADE = '" +
                                                            std::u16string(c.esperado) + u"'");
    EXPECT_EQ(criada, (Linhas{{u"CONTAGEM", u"MG"}}));
  }
}

TEST_F(Pesquisas, CidadeComApostrofoEBuscadaComAspasDobradas) {
  SoComandos comandos;
  Semeia(u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00003', 'D''AVILA', 'MG')");
  EXPECT_EQ(conv.FCidade(u"d'avila", u"mg"), u"00003");
  EXPECT_NE(TextoAuxiliar().find(u"CIDADE = 'D''AVILA' AND ESTADO = 'MG'"), std::u16string::npos)
      << testing::PrintToString(TextoAuxiliar());

  EXPECT_EQ(conv.FCidade(u"SANT'ANA", u"RS"), u"00004");
  EXPECT_EQ(conv.FCidade(u"Sant'Ana", u"rs"), u"00004");
  EXPECT_EQ(Cidades().back(), (std::vector<std::u16string>{u"00004", u"SANT'ANA", u"RS"}));
}

TEST_F(Pesquisas, CidadeSoMaiusculasAsciiESemTrim) {
  EXPECT_EQ(conv.FCidade(u"São Paulo", u"sp"), u"00001");
  EXPECT_EQ(conv.FCidade(u"SãO PAULO", u"SP"), u"00001");
  EXPECT_EQ(conv.FCidade(u"BELO HORIZONTE ", u"MG"), u"00002");
  // Sent again rather than answered from memory, so that its text can be seen.
  TConversao::LembraCidades = false;
  EXPECT_EQ(conv.FCidade(u"BELO HORIZONTE ", u"MG"), u"00002");
  TConversao::LembraCidades = true;
  EXPECT_NE(TextoAuxiliar().find(u"CIDADE = 'BELO HORIZONTE ' AND"), std::u16string::npos)
      << testing::PrintToString(TextoAuxiliar());
  EXPECT_EQ(Cidades(), (Linhas{{u"00001", u"SãO PAULO", u"SP"}, {u"00002", u"BELO HORIZONTE ", u"MG"}}));
  // The server's equality ignores trailing blanks, so the name without the
  // blank is the same row.
  EXPECT_EQ(conv.FCidade(u"BELO HORIZONTE", u"MG"), u"00002");
}

TEST_F(Pesquisas, CidadeBhteSoComAGrafiaExata) {
  Semeia(u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00010', 'BELO HORIZONTE', 'MG')");
  Semeia(u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00020', 'BHTE', 'RJ')");
  struct Caso {
    const char16_t* cidade;
    const char16_t* estado;
    const char16_t* codigo;
    std::size_t linhas;
  };
  for (const Caso& c : {Caso{u"BHTE", u"SP", u"00010", 2},   // any state's Belo Horizonte
                        Caso{u"BHTE", u"rj", u"00020", 2},   // a BHTE row of the state wins
                        Caso{u"bhte", u"SP", u"00021", 3},   // not exactly BHTE: created
                        Caso{u" BHTE", u"SP", u"00022", 4},  // not trimmed either
                        Caso{u"bhte", u"sp", u"00021", 4}}) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.cidade)));
    EXPECT_EQ(conv.FCidade(c.cidade, c.estado), c.codigo);
    EXPECT_EQ(Cidades().size(), c.linhas);
  }
  EXPECT_EQ(Cidades().at(2), (std::vector<std::u16string>{u"00021", u"BHTE", u"SP"}));
}

// Rows stored with the highest codes first: the answers are those of the
// codes, never of where the rows lie, with and without the lookup's memory.
TEST_F(Pesquisas, CidadeBhteEDuplicadasPelosCodigosNaoPelaOrdemGravada) {
  for (const char16_t* linha :
       {u"'00090', 'BELO HORIZONTE', 'RJ'", u"'00070', 'BELO HORIZONTE', 'SP'", u"'00080', 'BELO HORIZONTE', 'MG'",
        u"'00060', 'BELO HORIZONTE  ', 'MG'", u"'00050', 'BELO HORIZONTE', NULL", u"'00045', 'BETIM', 'MG'",
        u"'00040', 'BETIM', 'MG'", u"'00042', 'BETIM', 'MG'"}) {
    Semeia(u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES (" + std::u16string(linha) + u")");
  }
  for (const bool lembra : {false, true}) {
    SCOPED_TRACE(lembra ? "com memoria" : "so comandos");
    const bool antes = TConversao::LembraCidades;
    TConversao::LembraCidades = lembra;
    TConversao c(&par.destino.banco);
    EXPECT_EQ(c.FCidade(u"BHTE", u"MG"), u"00060");  // its own state's lowest
    EXPECT_EQ(c.FCidade(u"BHTE", u"sp"), u"00070");
    EXPECT_EQ(c.FCidade(u"BHTE", u"PR"), u"00050");  // no own: the lowest of all
    EXPECT_EQ(c.FCidade(u"Betim", u"MG"), u"00040");
    TConversao::LembraCidades = antes;
  }
  // A Belo Horizonte the run creates in the client's state takes over from
  // the lowest of the others.
  const std::size_t antes = Cidades().size();
  EXPECT_EQ(conv.FCidade(u"BHTE", u"ES"), u"00050");
  EXPECT_EQ(conv.FCidade(u"Belo Horizonte", u"ES"), u"00091");
  EXPECT_EQ(conv.FCidade(u"BHTE", u"ES"), u"00091");
  EXPECT_EQ(Cidades().size(), antes + 1);
}

TEST_F(Pesquisas, CidadeBhteSemBeloHorizonteCriaBhte) {
  EXPECT_EQ(conv.FCidade(u"BHTE", u"MG"), u"00001");
  EXPECT_EQ(Cidades(), (Linhas{{u"00001", u"BHTE", u"MG"}}));
}

TEST_F(Pesquisas, CidadeCriadaSaiComORollbackDaTransacao) {
  EXPECT_EQ(conv.FCidade(u"Betim", u"MG"), u"00001");
  ASSERT_TRUE(par.destino.transacao.Active());
  par.destino.transacao.Rollback();
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 0);
  EXPECT_TRUE(Cidades().empty());
}

// --- Lookups that compute their code from the highest one ---------------

struct Familia {
  const char* nome;
  std::function<std::u16string(TConversao&, const std::u16string&)> pesquisa;
  const char16_t* tabela;
  const char16_t* colunaCodigo;
  const char16_t* colunaNome;
  const char16_t* primeiro;
  const char16_t* segundo;
  std::size_t corte;  // 0: not cut
};

const std::vector<Familia>& Familias() {
  static const std::vector<Familia> f{
      {"FGrupo", [](TConversao& c, const std::u16string& v) { return c.FGrupo(v); }, u"GRUPROD", u"CODGRUPO",
       u"DESCRICAO", u"001", u"002", 0},
      {"FPais", [](TConversao& c, const std::u16string& v) { return c.FPais(v); }, u"PAISES", u"CODPAIS", u"NOMEPAIS",
       u"0001", u"0002", 60},
      {"FClasCli", [](TConversao& c, const std::u16string& v) { return c.FClasCli(v); }, u"CLASCLI", u"CODCLASCLI",
       u"DESCRICAO", u"001", u"002", 20},
      {"FLocalProd", [](TConversao& c, const std::u16string& v) { return c.FLocalProd(v); }, u"LOCALPROD", u"CODLOCAL",
       u"DESCRICAO", u"00000001", u"00000002", 20},
      {"FRetornaCodClasFis", [](TConversao& c, const std::u16string& v) { return c.FRetornaCodClasFis(v); },
       u"CLASFISC", u"CODCLASFIS", u"CODIGONCM", u"0001", u"0002", 0},
  };
  return f;
}

TEST(PesquisasFamilia, PrimeiroCodigoProximoEBuscaDeNovo) {
  for (const Familia& f : Familias()) {
    SCOPED_TRACE(f.nome);
    apoio::ParDeBancos par;
    TConversao conv(&par.destino.banco);
    EXPECT_EQ(f.pesquisa(conv, u"Um'a"), f.primeiro);
    EXPECT_EQ(f.pesquisa(conv, u"Dois"), f.segundo);
    EXPECT_EQ(f.pesquisa(conv, u"Um'a"), f.primeiro);
    par.destino.transacao.Commit();
    EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, f.tabela), 2);
  }
}

TEST(PesquisasFamilia, MaiorCodigoQueNaoENumeroFalha) {
  for (const Familia& f : Familias()) {
    SCOPED_TRACE(f.nome);
    apoio::ParDeBancos par;
    apoio::Executa(par.arquivoDestino,
                   u"INSERT INTO " + std::u16string(f.tabela) + u" (" + f.colunaCodigo + u") VALUES ('AB')");
    TConversao conv(&par.destino.banco);
    EXPECT_EQ(ErroDe([&] { f.pesquisa(conv, u"X"); }), u"''AB'' is not a valid integer value");
  }
  apoio::ParDeBancos par;
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CIDADES (CODCIDADE) VALUES ('0004A')");
  TConversao conv(&par.destino.banco);
  EXPECT_EQ(ErroDe([&] { conv.FCidade(u"X", u"MG"); }), u"''0004A'' is not a valid integer value");
}

TEST(PesquisasFamilia, NomesMaiusculosECortadosNaLargura) {
  const std::u16string longo = u"rio " + std::u16string(70, u'x');
  for (const Familia& f : Familias()) {
    if (f.corte == 0) continue;
    SCOPED_TRACE(f.nome);
    apoio::ParDeBancos par;
    TConversao conv(&par.destino.banco);
    EXPECT_EQ(f.pesquisa(conv, longo), f.primeiro);
    // Same first characters: the same row.
    EXPECT_EQ(f.pesquisa(conv, longo + u"yz"), f.primeiro);
    par.destino.transacao.Commit();
    auto nome = apoio::Consulta(par.arquivoDestino, u"SELECT " + std::u16string(f.colunaNome) + u" FROM " + f.tabela)
                    .at(0)
                    .at(0);
    EXPECT_EQ(nome, (u"RIO " + std::u16string(70, u'X')).substr(0, f.corte));
  }
}

TEST_F(Pesquisas, GrupoNaoCortaADescricao) {
  EXPECT_EQ(conv.FGrupo(u"ferragens"), u"001");
  EXPECT_EQ(Le(u"SELECT DESCRICAO FROM GRUPROD"), (Linhas{{u"FERRAGENS"}}));
  EXPECT_EQ(ErroDe([&] { conv.FGrupo(std::u16string(31, u'g')); }),
            u"Trying to store a string of length 31 into a field that can only contain 30");
}

// --- FRetornaCodClasFis ----------------------------------------------------

TEST_F(Pesquisas, ClasFisVaziaCria0001ComNatureza999) {
  EXPECT_EQ(conv.FRetornaCodClasFis(u" 8471.30.12 "), u"0001");
  EXPECT_EQ(Le(u"SELECT CODCLASFIS, CODIGONCM, CODNBM, CODNATRECEITA FROM CLASFISC"),
            (Linhas{{u"0001", u"8471.30.", u"8471.30.", u"999"}}));
  // The search compares the text exactly as passed.
  EXPECT_EQ(conv.FRetornaCodClasFis(u"8471.30."), u"0001");
  EXPECT_EQ(conv.FRetornaCodClasFis(u" 8471.30.12 "), u"0002");
}

TEST_F(Pesquisas, ClasFisGravaSoQuatroCaracteresDoCodigo) {
  Semeia(u"INSERT INTO CLASFISC (CODCLASFIS, CODIGONCM) VALUES ('9999', '1')");
  EXPECT_EQ(conv.FRetornaCodClasFis(u"2"), u"10000");
  EXPECT_EQ(Le(u"SELECT CODCLASFIS FROM CLASFISC WHERE CODIGONCM = '2'"), (Linhas{{u"1000"}}));
}

// --- FFabricante -----------------------------------------------------------

TEST_F(Pesquisas, FabricanteVazioNaoGravaNada) {
  apoio::InterfaceGravada ui;
  EXPECT_EQ(conv.FFabricante(u""), u"");
  EXPECT_TRUE(Le(u"SELECT * FROM CADFABR").empty());
  EXPECT_TRUE(ui.mensagens.empty());
}

TEST_F(Pesquisas, FabricanteCriadoEConfirmadoComOQueEstavaPendente) {
  apoio::InterfaceGravada ui;
  EXPECT_EQ(conv.FCidade(u"Betim", u"MG"), u"00001");
  EXPECT_EQ(conv.FFabricante(u"Acme"), u"00001");
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::Consulta(par.arquivoDestino, u"SELECT CODFABRIC, DESCRICAO FROM CADFABR"),
            (Linhas{{u"00001", u"Acme"}}));
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CIDADES"), 1);
  // Found again as passed; not upper-cased, so another spelling is another row.
  EXPECT_EQ(conv.FFabricante(u"Acme"), u"00001");
  EXPECT_EQ(conv.FFabricante(u"ACME"), u"00002");
  EXPECT_TRUE(ui.mensagens.empty());
}

TEST_F(Pesquisas, FabricanteComparaOsPrimeiros30) {
  const std::u16string nome(30, u'f');
  EXPECT_EQ(conv.FFabricante(nome + u"abc"), u"00001");
  EXPECT_EQ(conv.FFabricante(nome), u"00001");
  EXPECT_EQ(apoio::Consulta(par.arquivoDestino, u"SELECT DESCRICAO FROM CADFABR"), (Linhas{{nome}}));
}

TEST_F(Pesquisas, FabricanteMostraOErroEDevolveOCodigoAteAli) {
  struct Caso {
    const char16_t* maior;
    const char16_t* codigo;
    const char16_t* motivo;
  };
  for (const Caso& c :
       {Caso{u"XYZ", u"", u"''XYZ'' is not a valid integer value"},
        Caso{u"999999", u"1000000", u"Trying to store a string of length 7 into a field that can only contain 6"}}) {
    SCOPED_TRACE(testing::PrintToString(std::u16string(c.maior)));
    apoio::ParDeBancos outro;
    apoio::Executa(outro.arquivoDestino,
                   u"INSERT INTO CADFABR (CODFABRIC, DESCRICAO) VALUES ('" + std::u16string(c.maior) + u"', 'A')");
    TConversao c2(&outro.destino.banco);
    apoio::InterfaceGravada ui;
    EXPECT_EQ(c2.FFabricante(u"Nova"), c.codigo);
    ASSERT_EQ(ui.mensagens.size(), 1u);
    EXPECT_EQ(ui.mensagens[0].tipo, ui::TipoMensagem::Aviso);
    EXPECT_EQ(ui.mensagens[0].texto, u"Erro ao converter Fabricante. Motivo: \r" + std::u16string(c.motivo));
    EXPECT_EQ(apoio::ContaLinhas(outro.arquivoDestino, u"CADFABR"), 1);
  }
}

// --- FUnidade --------------------------------------------------------------

TEST_F(Pesquisas, UnidadeSaoOsDoisPrimeirosEmMaiusculas) {
  Semeia(u"INSERT INTO UNIDADES (UNIDADE) VALUES ('UN')");
  apoio::InterfaceGravada ui;
  EXPECT_EQ(conv.FUnidade(u"kg"), u"KG");
  EXPECT_EQ(conv.FUnidade(u"litro"), u"LI");
  EXPECT_EQ(conv.FUnidade(u"un"), u"UN");
  EXPECT_EQ(conv.FUnidade(u"KG"), u"KG");
  EXPECT_EQ(Le(u"SELECT UNIDADE FROM UNIDADES ORDER BY UNIDADE"), (Linhas{{u"KG"}, {u"LI"}, {u"UN"}}));
  EXPECT_TRUE(ui.mensagens.empty());
}

TEST_F(Pesquisas, UnidadeComErroAvisaEDevolveAMesma) {
  Semeia(u"DROP TABLE UNIDADES");
  apoio::InterfaceGravada ui;
  EXPECT_EQ(conv.FUnidade(u"cx"), u"CX");
  ASSERT_EQ(ui.mensagens.size(), 1u);
  EXPECT_EQ(ui.mensagens[0].tipo, ui::TipoMensagem::Aviso);
  EXPECT_EQ(ui.mensagens[0].texto, u"Erro ao converter Unidade.");
}

// --- Lookups with the caller's code ---------------------------------------

TEST_F(Pesquisas, GrupoPredefinidoAchaOuCriaPeloCodigoPreenchido) {
  Semeia(u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('007', 'ANTIGO')");
  EXPECT_EQ(conv.FGrupoComCodigoPredefinido(u"7", u"outro"), u"7");
  EXPECT_EQ(conv.FGrupoComCodigoPredefinido(u"5", u"parafusos " + std::u16string(30, u'p')), u"5");
  EXPECT_EQ(conv.FGrupoComCodigoPredefinido(u"005", u"x"), u"005");
  EXPECT_EQ(Le(u"SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO"),
            (Linhas{{u"005", u"PARAFUSOS " + std::u16string(20, u'P')}, {u"007", u"ANTIGO"}}));
}

TEST_F(Pesquisas, SubGrupoPredefinidoAchaOuCria) {
  Semeia(u"INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO) VALUES ('002', '007', 'ANTIGO')");
  EXPECT_EQ(conv.FSubGrupoComCodigoPredefinido(u"2", u"7", u"outro"), u"7");
  EXPECT_EQ(conv.FSubGrupoComCodigoPredefinido(u"2", u"8", u"novo"), u"8");
  // The search uses the whole padded code, the insert only its last three.
  EXPECT_EQ(conv.FSubGrupoComCodigoPredefinido(u"1234", u"56789", u"longo"), u"56789");
  EXPECT_EQ(Le(u"SELECT CODGRUPO, CODSUBGRUPO, DESCRICAO FROM SUBGRUP ORDER BY CODGRUPO, CODSUBGRUPO"),
            (Linhas{{u"002", u"007", u"ANTIGO"}, {u"002", u"008", u"NOVO"}, {u"234", u"789", u"LONGO"}}));
}

// A code that is not digits is a value, never part of the statement.
TEST_F(Pesquisas, CodigoPredefinidoNaoViraSql) {
  Semeia(u"INSERT INTO GRUPROD (CODGRUPO, DESCRICAO) VALUES ('001', 'A')");
  Semeia(u"INSERT INTO SUBGRUP (CODGRUPO, CODSUBGRUPO, DESCRICAO) VALUES ('001', '001', 'A')");
  const std::u16string longo8 = u"Trying to store a string of length 8 into a field that can only contain 6";
  const std::u16string longo26 = u"Trying to store a string of length 26 into a field that can only contain 6";

  EXPECT_EQ(ErroDe([&] { conv.FGrupoComCodigoPredefinido(u"1 OR 1=1", u"x"); }), longo8);
  EXPECT_EQ(ErroDe([&] { conv.FGrupoComCodigoPredefinido(u"5'; DELETE FROM GRUPROD --", u"x"); }), longo26);
  EXPECT_EQ(ErroDe([&] { conv.FSubGrupoComCodigoPredefinido(u"1", u"1 OR 1=1", u"x"); }), longo8);
  EXPECT_EQ(ErroDe([&] { conv.FSubGrupoComCodigoPredefinido(u"5'; DELETE FROM SUBGRUP --", u"1", u"x"); }), longo26);

  // Short enough to fit: each makes a row of its own.
  EXPECT_EQ(conv.FGrupoComCodigoPredefinido(u"1 OR 1", u"x"), u"1 OR 1");
  EXPECT_EQ(conv.FGrupoComCodigoPredefinido(u"1'--", u"y"), u"1'--");
  EXPECT_EQ(conv.FSubGrupoComCodigoPredefinido(u"1", u"1'--", u"z"), u"1'--");
  EXPECT_EQ(Le(u"SELECT CODGRUPO, DESCRICAO FROM GRUPROD ORDER BY CODGRUPO"),
            (Linhas{{u"001", u"A"}, {u"1 OR 1", u"X"}, {u"1'--", u"Y"}}));
  // The subgroup's insert keeps the last three characters of its code.
  EXPECT_EQ(Le(u"SELECT CODGRUPO, CODSUBGRUPO, DESCRICAO FROM SUBGRUP ORDER BY CODSUBGRUPO"),
            (Linhas{{u"001", u"'--", u"Z"}, {u"001", u"001", u"A"}}));
}

}  // namespace
