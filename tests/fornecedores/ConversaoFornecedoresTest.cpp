// The supplier conversion end to end: a varied PAGDB003 through the batch
// runner, every FORNECE row and every city compared with values worked out by
// hand; and, in this process, the reader through the run controller.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"
#include "apoio/Progresso.h"
#include "comum/Texto.h"
#include "fornecedores/FornecedoresController.h"

namespace {

namespace fs = std::filesystem;
using Linhas = std::vector<std::vector<std::u16string>>;
using Texto = std::optional<std::u16string>;

// ---------------------------------------------------------------- helpers

using Saida = apoio::ResultadoLote;
using apoio::RodaLote;

std::u16string Literal(const Texto& v) {
  if (!v) return u"NULL";
  std::u16string r = u"'";
  for (char16_t c : *v) r += c == u'\'' ? std::u16string(u"''") : std::u16string(1, c);
  return r + u"'";
}

std::u16string Repete(const std::u16string& s, int n) {
  std::u16string r;
  for (int i = 0; i < n; ++i) r += s;
  return r;
}

// One legacy supplier; a column left out is NULL.
struct LinhaOrigem {
  Texto codigo{};
  Texto razao{};
  Texto fantasia{};
  Texto cgc{};
  Texto ie{};
  Texto endereco{};
  Texto bairro{};
  Texto cidade{};
  Texto uf{};
  Texto fone{};
  Texto fax{};
  Texto email{};
  Texto obs{};
  Texto contato{};
};

std::u16string Insercao(const LinhaOrigem& l) {
  return u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL, NOME_FANTASIA, CGC, IE, ENDERECO, BAIRRO, CIDADE, UF, FONE, "
         u"FAX, EMAIL, OBS, CONTATO) VALUES (" +
         Literal(l.codigo) + u", " + Literal(l.razao) + u", " + Literal(l.fantasia) + u", " + Literal(l.cgc) + u", " +
         Literal(l.ie) + u", " + Literal(l.endereco) + u", " + Literal(l.bairro) + u", " + Literal(l.cidade) + u", " +
         Literal(l.uf) + u", " + Literal(l.fone) + u", " + Literal(l.fax) + u", " + Literal(l.email) + u", " +
         Literal(l.obs) + u", " + Literal(l.contato) + u")";
}

// Runs the statements in one connection and one transaction, then closes it.
void ExecutaTodos(const fs::path& arquivo, const std::vector<std::u16string>& sqls) {
  apoio::Conexao c;
  c.Abre(arquivo);
  for (const auto& sql : sqls) {
    TIBQuery q;
    q.SetDatabase(&c.banco);
    q.SQL().SetText(sql);
    q.ExecSQL();
  }
  c.transacao.Commit();
}

void GravaOrigem(const fs::path& arquivo, const std::vector<LinhaOrigem>& linhas) {
  std::vector<std::u16string> sqls;
  for (const auto& l : linhas) sqls.push_back(Insercao(l));
  ExecutaTodos(arquivo, sqls);
}

// The 28 written columns, in the order of the insert.
const std::vector<std::string> kColunas = {
    "CODFORNEC",   "NOME",        "NOMEFANTASIA", "CONTATO", "ENDERECO",      "BAIRRO",    "CEP",
    "CODCIDADE",   "NUMERO",      "COMPLEMENTO",  "ESTADO",  "INSCMUNICIPAL", "PESSOA_FJ", "CGCCPF",
    "INSCEST",     "OBSERVACAO",  "FONE",         "FAX",     "CELULAR",       "EMAIL",     "HOMEPAGE",
    "CAMPOLIVRE1", "CAMPOLIVRE2", "CODCLIENTE",   "ATIVO",   "TIPOFORNECE",   "CONTACX",   "CTCTBRED"};

std::u16string ListaColunas(const char16_t* separador) {
  std::u16string r;
  for (const auto& c : kColunas) r += (r.empty() ? u"" : separador) + texto::DeUtf8(c);
  return r;
}

using Esperado = std::vector<std::pair<std::string, std::u16string>>;

// A written supplier: Pessoa_FJ "J", every column not named empty text.
std::vector<std::u16string> Fornecedor(const Esperado& valores) {
  std::vector<std::u16string> linha(kColunas.size());
  linha[12] = u"J";
  for (const auto& [coluna, valor] : valores) {
    std::size_t i = 0;
    while (i < kColunas.size() && kColunas[i] != coluna) ++i;
    if (i == kColunas.size()) {
      ADD_FAILURE() << "coluna desconhecida " << coluna;
      continue;
    }
    linha[i] = valor;
  }
  return linha;
}

Linhas LeFornecedores(const fs::path& destino) {
  return apoio::Consulta(destino, u"SELECT " + ListaColunas(u", ") + u" FROM FORNECE ORDER BY CODFORNEC");
}

int FornecedoresComNulo(const fs::path& destino) {
  auto r =
      apoio::Consulta(destino, u"SELECT COUNT(*) FROM FORNECE WHERE " + ListaColunas(u" IS NULL OR ") + u" IS NULL");
  int n = -1;
  texto::LeInteiro(r.at(0).at(0), n);
  return n;
}

void ComparaFornecedores(const Linhas& obtidas, const std::vector<std::vector<std::u16string>>& esperadas) {
  ASSERT_EQ(obtidas.size(), esperadas.size());
  for (std::size_t l = 0; l < esperadas.size(); ++l) {
    ASSERT_EQ(obtidas[l].size(), kColunas.size());
    for (std::size_t c = 0; c < kColunas.size(); ++c) {
      EXPECT_EQ(texto::ParaUtf8(obtidas[l][c]), texto::ParaUtf8(esperadas[l][c]))
          << "fornecedor " << texto::ParaUtf8(esperadas[l][0]) << ", coluna " << kColunas[c];
    }
  }
}

std::vector<std::vector<std::string>> Utf8(const Linhas& linhas) {
  std::vector<std::vector<std::string>> r;
  for (const auto& l : linhas) {
    r.emplace_back();
    for (const auto& v : l) r.back().push_back(texto::ParaUtf8(v));
  }
  return r;
}

// ------------------------------------------- a varied PAGDB003 through the batch runner

// Source rows in reading order. Cities already in the destination: 00003
// BELO HORIZONTE / MG and 00010 CONTAGEM / MG, so new cities start at 00011.
std::vector<LinhaOrigem> LinhasVariadas() {
  return {
      // 1: every column masked, padded or accented.
      {.codigo = u"45",
       .razao = u" D'AVILA & CIA ",
       .fantasia = u"  Ótica D'Ávila  ",
       .cgc = u"12.345.678/0001-90",
       .ie = u"0623.0790.4008.1999",
       .endereco = u"  Rua da Bahia, 1148  ",
       .bairro = u" Centro ",
       .cidade = u"CONTAGEM",
       .uf = u"MG",
       .fone = u"(31) 3333-4444",
       .fax = u"(31) 3333-4445 ramal 12",
       .email = u"  compras@davila.com.br ",
       .obs = u" Entrega às terças ",
       .contato = u" José D'Ávila "},
      // 2: only a name; right after a written row.
      {.razao = u"SO O NOME"},
      // 3: nameless (NULL) with a new city and other values.
      {.codigo = u"3",
       .cgc = u"11.111.111/0001-11",
       .ie = u"111",
       .endereco = u"RUA PULADA",
       .cidade = u"Sete Lagoas",
       .uf = u"mg",
       .fone = u"1111",
       .contato = u"PULADO"},
      // 4: named, NULL city, right after the skipped row with a city.
      {.codigo = u"4", .razao = u"FORNECEDOR SEM CIDADE", .uf = u"SP"},
      // 5: empty name with a new city.
      {.codigo = u"5", .razao = u"", .cidade = u"Ipatinga", .uf = u"MG"},
      // 6: named, empty city, after the skipped row.
      {.codigo = u"6", .razao = u"FORNECEDOR CIDADE VAZIA", .cidade = u"", .uf = u""},
      // 7: a name of blanks and an empty city: no lookup at all.
      {.codigo = u"7", .razao = u"   ", .cidade = u"", .uf = u"MG"},
      // 8: a name of apostrophes only, with a new city.
      {.codigo = u"8", .razao = u"''", .cidade = u"Betim", .uf = u"MG"},
      // 9: a city of blanks goes to the lookup.
      {.codigo = u"9", .razao = u"CIDADE EM BRANCO", .cidade = u"   ", .uf = u"MG"},
      // 10: BHTE in another state resolves to BELO HORIZONTE.
      {.codigo = u"10", .razao = u"BHTE EM SP", .cidade = u"BHTE", .uf = u"SP"},
      // 11: lower-case bhte is a city of its own.
      {.codigo = u"11", .razao = u"bhte minusculo", .cidade = u"bhte", .uf = u"mg"},
      // 12: a state of three characters; accents in the city.
      {.codigo = u"12", .razao = u"São João Ferragens", .cidade = u"São João del-Rei", .uf = u"mgx"},
      // 13: a city present in other letter case; a tax number of 15 digits.
      {.codigo = u"13",
       .razao = u"CONTAGEM MINUSCULA",
       .cgc = u"12.345.678/0001-905",
       .cidade = u"Contagem",
       .uf = u"MG"},
      // 14: the city that the skipped row 3 created.
      {.codigo = u"14", .razao = u"SETE LAGOAS LTDA", .cidade = u"SETE LAGOAS", .uf = u"MG"},
      // 15: every limit exceeded.
      {.codigo = u"1234567",
       .razao = u"  " + Repete(u"ABCDEFGHIJ", 7),
       .fantasia = u"  " + Repete(u"0123456789", 4) + u"01234  ",
       .cgc = u"isento",
       .ie = u" isento ",
       .endereco = u" " + Repete(u"Avenida ", 8),
       .bairro = u"  " + Repete(u"Bairro ", 5),
       .cidade = u"Nova Lima",
       .uf = u"M",
       .fone = u"+55 (31) 98765-4321",
       .fax = u"",
       .email = u" " + Repete(u"x", 90) + u"@ex.com ",
       .obs = u" " + Repete(u"Observação ", 14),
       .contato = u"  " + Repete(u"Contato ", 5)},
      // 16: apostrophes everywhere; a CPF in CGC.
      {.codigo = u"16",
       .razao = u"O'Brien D'Ávila",
       .fantasia = u"'Fantasia'",
       .cgc = u"123.456.789-01",
       .ie = u"ISENTA",
       .endereco = u"Rua D'Abadia, 5",
       .bairro = u"Santa Efigênia",
       .cidade = u"Olhos D'Água",
       .uf = u"MG",
       .fone = u"3333'4444",
       .fax = u"(31)'3333-0000",
       .email = u"o'brien@x.com",
       .obs = u"Obs com 'aspas'",
       .contato = u"'"},
      // 17: control characters around the name; a state with a leading blank.
      {.codigo = u"17", .razao = u"\tACME LTDA\r\n", .uf = u" mg"},
      // 18: the last row is skipped, its city is still created.
      {.codigo = u"18", .cidade = u"Itabira", .uf = u"MG"},
  };
}

std::vector<std::vector<std::u16string>> FornecedoresEsperados() {
  return {
      Fornecedor({{"CODFORNEC", u"000000"}, {"NOME", u"SO O NOME"}}),
      Fornecedor({{"CODFORNEC", u"000004"}, {"NOME", u"FORNECEDOR SEM CIDADE"}, {"ESTADO", u"SP"}}),
      Fornecedor({{"CODFORNEC", u"000006"}, {"NOME", u"FORNECEDOR CIDADE VAZIA"}}),
      Fornecedor({{"CODFORNEC", u"000009"}, {"NOME", u"CIDADE EM BRANCO"}, {"CODCIDADE", u"00014"}, {"ESTADO", u"MG"}}),
      Fornecedor({{"CODFORNEC", u"000010"}, {"NOME", u"BHTE EM SP"}, {"CODCIDADE", u"00003"}, {"ESTADO", u"SP"}}),
      Fornecedor({{"CODFORNEC", u"000011"}, {"NOME", u"bhte minusculo"}, {"CODCIDADE", u"00015"}, {"ESTADO", u"mg"}}),
      Fornecedor(
          {{"CODFORNEC", u"000012"}, {"NOME", u"São João Ferragens"}, {"CODCIDADE", u"00016"}, {"ESTADO", u"mg"}}),
      Fornecedor({{"CODFORNEC", u"000013"},
                  {"NOME", u"CONTAGEM MINUSCULA"},
                  {"CODCIDADE", u"00010"},
                  {"ESTADO", u"MG"},
                  {"CGCCPF", u"12345678000190"}}),
      Fornecedor({{"CODFORNEC", u"000014"}, {"NOME", u"SETE LAGOAS LTDA"}, {"CODCIDADE", u"00011"}, {"ESTADO", u"MG"}}),
      Fornecedor({{"CODFORNEC", u"000016"},
                  {"NOME", u"OBrien DÁvila"},
                  {"NOMEFANTASIA", u"Fantasia"},
                  {"ENDERECO", u"Rua DAbadia, 5"},
                  {"BAIRRO", u"Santa Efigênia"},
                  {"CODCIDADE", u"00018"},
                  {"ESTADO", u"MG"},
                  {"CGCCPF", u"12345678901"},
                  {"OBSERVACAO", u"Obs com aspas"},
                  {"FONE", u"33334444"},
                  {"FAX", u"3133330000"},
                  {"EMAIL", u"obrien@x.com"}}),
      Fornecedor({{"CODFORNEC", u"000017"}, {"NOME", u"ACME LTDA"}, {"ESTADO", u" m"}}),
      Fornecedor({{"CODFORNEC", u"000045"},
                  {"NOME", u"DAVILA & CIA"},
                  {"NOMEFANTASIA", u"Ótica DÁvila"},
                  {"CONTATO", u"José DÁvila"},
                  {"ENDERECO", u"  Rua da Bahia, 1148  "},
                  {"BAIRRO", u"Centro"},
                  {"CODCIDADE", u"00010"},
                  {"ESTADO", u"MG"},
                  {"CGCCPF", u"12345678000190"},
                  {"INSCEST", u"062307904008199"},
                  {"OBSERVACAO", u" Entrega às terças "},
                  {"FONE", u"3133334444"},
                  {"FAX", u"3133334445"},
                  {"EMAIL", u"compras@davila.com.br"}}),
      Fornecedor({{"CODFORNEC", u"123456"},
                  {"NOME", Repete(u"ABCDEFGHIJ", 5)},
                  {"NOMEFANTASIA", Repete(u"0123456789", 4)},
                  {"CONTATO", u"Contato Contato Contato Contat"},
                  {"ENDERECO", u" " + Repete(u"Avenida ", 6) + u"A"},
                  {"BAIRRO", u"Bairro Bairro Bairro Bairro Ba"},
                  {"CODCIDADE", u"00017"},
                  {"ESTADO", u"M"},
                  {"CGCCPF", u"ISENTO"},
                  {"INSCEST", u" ISENTO "},
                  {"OBSERVACAO", u" " + Repete(u"Observação ", 9)},
                  {"FONE", u"5531987654"},
                  {"EMAIL", Repete(u"x", 90) + u"@ex.com"}}),
  };
}

class FornecedoresPeloLote : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta_ = new apoio::PastaTemporaria();
    origem_ = pasta_->Caminho() / "LEGADO.FDB";
    destino_ = pasta_->Caminho() / "VESTREL.FB";
    apoio::CriaBancoOrigem(origem_);
    apoio::CriaBancoDestino(destino_);
    GravaOrigem(origem_, LinhasVariadas());
    ExecutaTodos(destino_, {u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00003', 'BELO HORIZONTE', 'MG')",
                            u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00010', 'CONTAGEM', 'MG')",
                            u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('999999', 'DE UMA CONVERSAO ANTERIOR')"});
    saida_ = new Saida(
        RodaLote(pasta_->Caminho(), {"--origem", origem_.string(), "--destino", destino_.string(), "--fornecedores"}));
  }
  static void TearDownTestSuite() {
    delete saida_;
    saida_ = nullptr;
    delete pasta_;
    pasta_ = nullptr;
  }

  static apoio::PastaTemporaria* pasta_;
  static fs::path origem_;
  static fs::path destino_;
  static Saida* saida_;
};

apoio::PastaTemporaria* FornecedoresPeloLote::pasta_ = nullptr;
fs::path FornecedoresPeloLote::origem_;
fs::path FornecedoresPeloLote::destino_;
Saida* FornecedoresPeloLote::saida_ = nullptr;

TEST_F(FornecedoresPeloLote, TerminaComSucesso) {
  EXPECT_EQ(saida_->status, 0) << saida_->erros;
  EXPECT_EQ(saida_->saida, "Conversão concluída com sucesso!\n");
  // Skipped rows count in the row number too.
  EXPECT_EQ(saida_->erros.rfind("Convertendo Fornecedores - Registro 18 de 18 - 18 registros em ", 0), 0u)
      << saida_->erros;
  EXPECT_NE(saida_->erros.find("\nFornecedores (PAGDB003): 18 lidas, 13 gravadas em FORNECE, 5 ignoradas, "),
            std::string::npos)
      << saida_->erros;
}

TEST_F(FornecedoresPeloLote, CadaFornecedorColunaPorColuna) {
  // The supplier of an earlier conversion is gone; only the named rows are written.
  ComparaFornecedores(LeFornecedores(destino_), FornecedoresEsperados());
}

TEST_F(FornecedoresPeloLote, ColunasNaoAtribuidasSaoTextoVazioNuncaNulo) {
  EXPECT_EQ(FornecedoresComNulo(destino_), 0);
  auto r = apoio::Consulta(destino_,
                           u"SELECT COUNT(*) FROM FORNECE WHERE CEP = '' AND NUMERO = '' AND COMPLEMENTO = '' AND "
                           u"INSCMUNICIPAL = '' AND CELULAR = '' AND HOMEPAGE = '' AND CAMPOLIVRE1 = '' AND "
                           u"CAMPOLIVRE2 = '' AND CODCLIENTE = '' AND TIPOFORNECE = '' AND CONTACX = '' AND "
                           u"CTCTBRED = '' AND PESSOA_FJ = 'J'");
  EXPECT_EQ(texto::ParaUtf8(r.at(0).at(0)), "13");
}

TEST_F(FornecedoresPeloLote, CidadesDasLinhasGravadasEPuladas) {
  // Skipped rows with a CIDADE still append their city (3, 5, 8 and the last
  // row); the empty CIDADE of row 7 does not; the blanks of row 9 make a city
  // of blanks; the state of three characters goes to the lookup whole.
  auto linhas = apoio::Consulta(destino_, u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE");
  std::vector<std::vector<std::string>> esperado = {
      {"00003", "BELO HORIZONTE", "MG"}, {"00010", "CONTAGEM", "MG"},
      {"00011", "SETE LAGOAS", "MG"},    {"00012", "IPATINGA", "MG"},
      {"00013", "BETIM", "MG"},          {"00014", "   ", "MG"},
      {"00015", "BHTE", "MG"},           {"00016", "SãO JOãO DEL-REI", "MGX"},
      {"00017", "NOVA LIMA", "M"},       {"00018", "OLHOS D'ÁGUA", "MG"},
      {"00019", "ITABIRA", "MG"}};
  EXPECT_EQ(Utf8(linhas), esperado);
}

// ------------------------------------------------------- the reader in this process

class FornecedoresNoProcesso : public ::testing::Test {
 protected:
  bool RodaControlador() {
    comum::TStringList p;
    pIniciaListaParametros(p);
    pCarregaParametros(p, false, false, true);
    TClassesConversaoController controlador;
    return controlador.FEfetuaConversao(p, par.origem.banco, par.origem.transacao, par.destino.banco,
                                        par.destino.transacao, progresso.Barra, progresso.lblInfo);
  }

  apoio::ParDeBancos par;
  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
};

TEST_F(FornecedoresNoProcesso, CodigoDeCidadeDeLinhaPuladaNaoPassaAdiante) {
  GravaOrigem(par.arquivoOrigem, {{.codigo = u"1", .cidade = u"Betim", .uf = u"MG"},
                                  {.codigo = u"2", .razao = u"SEM CIDADE NULA", .uf = u"MG"},
                                  {.codigo = u"3", .razao = u"  ", .cidade = u"Contagem", .uf = u"MG"},
                                  {.codigo = u"4", .razao = u"''", .cidade = u"Ipatinga", .uf = u"MG"},
                                  {.codigo = u"5", .razao = u"SEM CIDADE VAZIA", .cidade = u"", .uf = u"MG"},
                                  {.codigo = u"6", .razao = u"COM CIDADE", .cidade = u"Betim", .uf = u"MG"}});
  TClassPreencheDadosFornecedores leitor;
  leitor.PreencheConverteFornecedores(par.origem.banco, par.destino.banco, progresso.Barra, progresso.lblInfo);
  par.destino.transacao.Commit();

  auto linhas =
      apoio::Consulta(par.arquivoDestino, u"SELECT CODFORNEC, NOME, CODCIDADE FROM FORNECE ORDER BY CODFORNEC");
  std::vector<std::vector<std::string>> esperado = {
      {"000002", "SEM CIDADE NULA", ""}, {"000005", "SEM CIDADE VAZIA", ""}, {"000006", "COM CIDADE", "00001"}};
  EXPECT_EQ(Utf8(linhas), esperado);
  EXPECT_EQ(FornecedoresComNulo(par.arquivoDestino), 0);
  EXPECT_EQ(Utf8(apoio::Consulta(par.arquivoDestino, u"SELECT CODCIDADE, CIDADE FROM CIDADES ORDER BY 1")),
            (std::vector<std::vector<std::string>>{{"00001", "BETIM"}, {"00002", "CONTAGEM"}, {"00003", "IPATINGA"}}));
}

TEST_F(FornecedoresNoProcesso, LegendaEBarraContamTodasAsLinhas) {
  GravaOrigem(par.arquivoOrigem, {{.codigo = u"1", .razao = u"PRIMEIRO"},
                                  {.codigo = u"2"},
                                  {.codigo = u"3", .razao = u"TERCEIRO"},
                                  {.codigo = u"4", .razao = u"''''"}});
  EXPECT_TRUE(RodaControlador());

  std::vector<std::u16string> legendas = {
      u"Convertendo Fornecedores - Registro 1 de 4", u"Convertendo Fornecedores - Registro 2 de 4",
      u"Convertendo Fornecedores - Registro 3 de 4", u"Convertendo Fornecedores - Registro 4 de 4", u""};
  EXPECT_EQ(progresso.legendas, legendas);
  // Each caption is set before its row advances the gauge.
  EXPECT_EQ(progresso.progressoNaLegenda, (std::vector<int>{0, 1, 2, 3, 4}));
  std::vector<std::pair<int, int>> estados = {{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}, {0, 4}, {0, 0}};
  EXPECT_EQ(progresso.estados, estados);
  EXPECT_EQ(progresso.lblInfo.Caption(), u"");
  EXPECT_EQ(progresso.Barra.Progress(), 0);
  EXPECT_EQ(progresso.Barra.MaxValue(), 0);
  EXPECT_EQ(interface.eventos, 4);
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Informacao);
  EXPECT_EQ(interface.mensagens[0].texto, u"Conversão concluída com sucesso!");
  EXPECT_EQ(apoio::Consulta(par.arquivoDestino, u"SELECT CODFORNEC FROM FORNECE ORDER BY 1"),
            (Linhas{{u"000001"}, {u"000003"}}));
}

TEST_F(FornecedoresNoProcesso, OrigemVaziaAindaEsvaziaEConfirma) {
  apoio::Executa(par.arquivoDestino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000001', 'VELHO')");
  // The reader alone, without the controller's final commit: the emptying is
  // committed by the reader itself.
  TClassPreencheDadosFornecedores leitor;
  leitor.PreencheConverteFornecedores(par.origem.banco, par.destino.banco, progresso.Barra, progresso.lblInfo);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"FORNECE"), 0);
  for (const auto& legenda : progresso.legendas) EXPECT_EQ(legenda, u"");
  EXPECT_EQ(progresso.lblInfo.Caption(), u"");
  EXPECT_EQ(progresso.Barra.Progress(), 0);
  EXPECT_EQ(progresso.Barra.MaxValue(), 0);
  EXPECT_EQ(interface.eventos, 0);

  // And through the controller.
  apoio::Executa(par.arquivoDestino, u"INSERT INTO FORNECE (CODFORNEC, NOME) VALUES ('000002', 'OUTRO')");
  EXPECT_TRUE(RodaControlador());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"FORNECE"), 0);
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(progresso.Barra.MaxValue(), 0);
}

}  // namespace
