// The client conversion from end to end: RECDB004 of a real source file turned
// into CLIENTE and COMPCLIE by the batch runner, and the progress the reader
// reports through the run controller.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "aplicacao/nucleo/ClassesConversaoController.h"
#include "apoio/BancosTeste.h"
#include "apoio/Lote.h"
#include "apoio/Progresso.h"
#include "banco/IBQuery.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"

namespace {

namespace fs = std::filesystem;

using Linhas = std::vector<std::vector<std::u16string>>;

// How the queries below show a NULL (apoio::Consulta reads it as empty text,
// which would hide an empty text written where a NULL belongs).
const char16_t* const kNulo = u"<nulo>";
// Stands for the date of the run in the expected rows.
const char16_t* const kHoje = u"<hoje>";

// ---- running things -------------------------------------------------------

using Resultado = apoio::ResultadoLote;
using apoio::RodaLote;

// Several statements in one connection, committed together and closed.
void ExecutaTodos(const fs::path& arquivo, const std::vector<std::u16string>& comandos) {
  apoio::Conexao c;
  c.Abre(arquivo);
  TIBQuery q;
  q.SetDatabase(&c.banco);
  for (const auto& sql : comandos) {
    q.Close();
    q.SQL().SetText(sql);
    q.ExecSQL();
  }
  c.transacao.Commit();
}

Linhas ConsultaComNulos(const fs::path& arquivo, const std::u16string& sql) {
  apoio::Conexao c;
  c.Abre(arquivo);
  TIBQuery q;
  q.SetDatabase(&c.banco);
  q.SQL().SetText(sql);
  q.Open();
  Linhas linhas;
  while (!q.Eof()) {
    std::vector<std::u16string> linha;
    for (int i = 0; i < q.FieldCount(); ++i) {
      linha.push_back(q.Fields(i).IsNull() ? std::u16string(kNulo) : q.Fields(i).AsString());
    }
    linhas.push_back(std::move(linha));
    q.Next();
  }
  q.Close();
  c.transacao.Commit();
  return linhas;
}

// Rows keyed by their first column.
std::map<std::u16string, std::vector<std::u16string>> PorChave(const Linhas& linhas) {
  std::map<std::u16string, std::vector<std::u16string>> m;
  for (const auto& l : linhas) m[l.at(0)] = l;
  return m;
}

std::string U8(const std::u16string& t) { return texto::ParaUtf8(t); }

// ---- the legacy rows ------------------------------------------------------

// One RECDB004 row; nullptr is NULL. Dates are ISO texts.
struct LinhaOrigem {
  const char16_t* codigo = nullptr;
  const char16_t* pessoa = nullptr;
  const char16_t* razaoSocial = nullptr;
  const char16_t* nomeFantasia = nullptr;
  const char16_t* cgc = nullptr;
  const char16_t* cpf = nullptr;
  const char16_t* celular = nullptr;
  const char16_t* fone = nullptr;
  const char16_t* fax = nullptr;
  const char16_t* bloqueado = nullptr;
  const char16_t* email = nullptr;
  const char16_t* contato = nullptr;
  const char16_t* ie = nullptr;
  const char16_t* dtCadastro = nullptr;
  const char16_t* dtNasc = nullptr;
  const char16_t* endereco = nullptr;
  const char16_t* bairro = nullptr;
  const char16_t* uf = nullptr;
  const char16_t* cep = nullptr;
  const char16_t* numeroCasa = nullptr;
  const char16_t* nomePai = nullptr;
  const char16_t* nomeMae = nullptr;
  const char16_t* estadoCivil = nullptr;
  const char16_t* obs = nullptr;
  const char16_t* cidade = nullptr;
};

std::u16string Literal(const char16_t* v) {
  if (v == nullptr) return u"NULL";
  std::u16string r = u"'";
  for (const char16_t* p = v; *p; ++p) {
    if (*p == u'\'') r += u'\'';
    r += *p;
  }
  return r + u"'";
}

std::u16string InsercaoOrigem(const LinhaOrigem& o) {
  const char16_t* valores[] = {
      o.codigo,    o.pessoa,     o.razaoSocial, o.nomeFantasia, o.cgc,         o.cpf,    o.celular,  o.fone,   o.fax,
      o.bloqueado, o.email,      o.contato,     o.ie,           o.dtCadastro,  o.dtNasc, o.endereco, o.bairro, o.uf,
      o.cep,       o.numeroCasa, o.nomePai,     o.nomeMae,      o.estadoCivil, o.obs,    o.cidade};
  std::u16string sql =
      u"INSERT INTO RECDB004 (CODIGO, PESSOA, RAZAO_SOCIAL, NOME_FANTASIA, CGC, CPF, CELULAR, FONE, FAX, "
      u"BLOQUEADO, EMAIL, CONTATO, IE, DT_CADASTRO, DT_NASC, ENDERECO, BAIRRO, UF, CEP, NUMEROCASA, NOME_PAI, "
      u"NOME_MAE, ESTADO_CIVIL, OBS, CIDADE) VALUES (";
  bool primeiro = true;
  for (const char16_t* v : valores) {
    if (!primeiro) sql += u", ";
    sql += Literal(v);
    primeiro = false;
  }
  return sql + u")";
}

void GravaOrigem(const fs::path& arquivo, const std::vector<LinhaOrigem>& linhas) {
  std::vector<std::u16string> comandos;
  for (const auto& l : linhas) comandos.push_back(InsercaoOrigem(l));
  ExecutaTodos(arquivo, comandos);
}

// ---- the expected rows ----------------------------------------------------

// One CLIENTE row with its COMPCLIE row, written out by hand. The delivery
// columns repeat the main ones and the billing columns too, except where a
// value is given for them.
struct ClienteEsperado {
  const char16_t* codCliente = nullptr;
  const char16_t* nome = u"";
  const char16_t* nomeFantasia = u"";
  const char16_t* pessoa = u"";
  const char16_t* cgcCpf = u"";
  const char16_t* celular = u"";
  const char16_t* fone = u"";
  const char16_t* fax = u"";
  const char16_t* cliBloqueado = u"";
  const char16_t* email = u"";
  const char16_t* contato = u"";
  const char16_t* inscEst = u"";
  const char16_t* dtCadastro = kHoje;
  const char16_t* dtNascimento = kNulo;
  const char16_t* endereco = u"";
  const char16_t* bairro = u"";
  const char16_t* estado = u"";
  const char16_t* codCidade = u"";
  const char16_t* cep = u"";
  const char16_t* campoLivre3 = u"";
  const char16_t* campoLivre4 = u"";
  const char16_t* campoLivre5 = u"";
  const char16_t* observacao = u"";
  const char16_t* bairroCob = nullptr;
  const char16_t* estadoEnt = nullptr;
  const char16_t* estadoCob = nullptr;
  // COMPCLIE
  const char16_t* codCompl = nullptr;
  const char16_t* enderecoNfe = u"";
  const char16_t* numeroNfe = u"";
};

// Every CLIENTE column, in the order of ValoresCliente.
const char16_t* const kColunasCliente[] = {
    u"CODCLIENTE",    u"NOME",          u"NOMEFANTASIA", u"PESSOA_FJ",     u"CGCCPF",          u"CELULAR",
    u"FONE",          u"FAX",           u"CLIBLOQUEADO", u"EMAIL",         u"CONTATO",         u"INSCEST",
    u"DT_CADASTRO",   u"DT_NASCIMENTO", u"ENDERECO",     u"BAIRRO",        u"ESTADO",          u"CODCIDADE",
    u"CEP",           u"CAMPOLIVRE3",   u"CAMPOLIVRE4",  u"CAMPOLIVRE5",   u"OBSERVACAO",      u"ENDERECOENT",
    u"BAIRROENT",     u"ESTADOENT",     u"CODCIDADEENT", u"CEPENT",        u"ENDERECOCOB",     u"BAIRROCOB",
    u"ESTADOCOB",     u"CODCIDADECOB",  u"CEPCOB",       u"PREFIXCELULAR", u"HOMEPAGE",        u"CAMPOLIVRE1",
    u"CAMPOLIVRE2",   u"CAMPOLIVRE6",   u"CAMPOLIVRE7",  u"CAMPOLIVRE8",   u"CAMPOLIVRE9",     u"CAMPOLIVRE10",
    u"CODFORNEC",     u"CODSEGMENTO",   u"CODCLASCLI",   u"CODVENDEND1",   u"CODPAIS",         u"NOMESOCIO",
    u"LIMITECREDITO", u"DT_ULTVENDA",   u"DT_VALCAD",    u"ATIVO",         u"MALADIRETAELETR", u"PROTESTARCLIENTE"};

std::u16string SelectDe(const char16_t* const* colunas, std::size_t n, const std::u16string& tabela) {
  std::u16string sql = u"SELECT ";
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0) sql += u", ";
    sql += colunas[i];
  }
  return sql + u" FROM " + tabela;
}

std::vector<std::u16string> ValoresCliente(const ClienteEsperado& e, const std::u16string& hoje) {
  auto ou = [](const char16_t* v, const char16_t* padrao) { return std::u16string(v ? v : padrao); };
  const std::u16string dtCadastro = std::u16string(e.dtCadastro) == kHoje ? hoje : std::u16string(e.dtCadastro);
  return {e.codCliente, e.nome, e.nomeFantasia, e.pessoa, e.cgcCpf, e.celular, e.fone, e.fax, e.cliBloqueado, e.email,
          e.contato, e.inscEst, dtCadastro, e.dtNascimento, e.endereco, e.bairro, e.estado, e.codCidade, e.cep,
          e.campoLivre3, e.campoLivre4, e.campoLivre5, e.observacao,
          // delivery
          e.endereco, e.bairro, ou(e.estadoEnt, e.estado), e.codCidade, e.cep,
          // billing
          e.endereco, ou(e.bairroCob, e.bairro), ou(e.estadoCob, e.estado), e.codCidade, e.cep,
          // columns no legacy column feeds
          u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"", u"0", kNulo, kNulo, u"S", u"N",
          u"N"};
}

const char16_t* const kColunasCompl[] = {u"CODCLIENTE", u"REFCOMERCIAIS", u"REFBANCARIAS", u"USUARIO",
                                         u"DATA_LIB",   u"ENDERECONFE",   u"NUMERONFE",    u"COMPLEMENTONFE"};

std::vector<std::u16string> ValoresCompl(const ClienteEsperado& e) {
  return {e.codCompl, u"", u"", u"", u"01/01/1900", e.enderecoNfe, e.numeroNfe, u""};
}

// ---- the varied legacy table and what it must become ----------------------

// Cities the destination holds before the run (names as the lookup stores
// them: ASCII letters upper-cased, accented ones kept).
const std::vector<std::u16string> kCidadesAntes = {
    u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00010', 'BELO HORIZONTE', 'MG')",
    u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00015', 'CONTAGEM', 'MG')",
    u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00020', 'SãO JOSé', 'SC')",
};

const char16_t kMae71[] = u"Maria Auxiliadora dos Santos Pereira de Albuquerque e Vasconcelos Filha";
const char16_t kObs123[] =
    u"Cliente antigo da loja, compra sempre à vista; prefere ser atendido pela manhã e pede nota fiscal com o "
    u"endereço de entrega";
const char16_t kEndereco80[] = u"   Avenida Presidente Juscelino Kubitschek de Oliveira, 4500, Bloco B, Apto 1201";
const char16_t kBairro36[] = u"  Jardim das Oliveiras e Palmeiras 2";
const char16_t kFantasia57[] = u"     Distribuidora de Bebidas e Alimentos Bom Preço Ltda.";
const char16_t kEmail66[] = u"comercial.distribuidora.bompreco.atendimento@exemplo-grande.com.br";

std::vector<LinhaOrigem> OrigemVariada() {
  return {
      // 1: everything filled and masked; the city is in CIDADES.
      {.codigo = u"1",
       .pessoa = u"F",
       .razaoSocial = u"José da Silva",
       .nomeFantasia = u"Zé",
       .cpf = u"123.456.789-09",
       .celular = u"(31) 9 9999-8888",
       .fone = u"(31) 3333-4444",
       .fax = u"(31) 3333-5555",
       .bloqueado = u"N",
       .email = u"jose@exemplo.com.br",
       .contato = u"Maria",
       .ie = u"ISENTO",
       .dtCadastro = u"2010-03-25",
       .dtNasc = u"1980-12-31",
       .endereco = u"Rua das Flores, 100",
       .bairro = u"Centro",
       .uf = u"mg",
       .cep = u"30.140-071",
       .numeroCasa = u"100",
       .nomePai = u"João da Silva",
       .nomeMae = u"Ana da Silva",
       .estadoCivil = u"Casado",
       .obs = u"Bom pagador",
       .cidade = u"Belo Horizonte"},
      // 2: unmasked values, CGC because CPF is NULL, padded texts, no dates.
      {.codigo = u"2",
       .pessoa = u"J",
       .razaoSocial = u"Padaria Pão Quente Ltda",
       .nomeFantasia = u"  Pão Quente  ",
       .cgc = u"12.345.678/0001-95",
       .celular = u"31988887777",
       .fone = u"3133334444",
       .fax = u"3133334445",
       .bloqueado = u"S",
       .email = u"  contato@paoquente.com  ",
       .contato = u"  Sr. Antônio  ",
       .ie = u"062.123.456/0099",
       .endereco = u"Av. Afonso Pena, 1500",
       .bairro = u"Funcionários",
       .uf = u"MG",
       .cep = u"30130005",
       .numeroCasa = u"1500",
       .cidade = u"Contagem"},
      // 3: CPF of punctuation only; quotes in name and address; BHTE of another state.
      {.codigo = u"12-34",
       .pessoa = u"Juridica",
       .razaoSocial = u"Comercial \"Boa Vista\" S/A",
       .cgc = u"98.765.432/0001-10",
       .cpf = u"...-",
       .ie = u"Isento",
       .dtCadastro = u"2015-01-02",
       .endereco = u"  Rua \"A\", 10  ",
       .bairro = u"  Centro  ",
       .uf = u" sp",
       .cep = u"01310-100",
       .numeroCasa = u"123456",
       .cidade = u"BHTE"},
      // 4: blank CPF; quotes around parts of several texts; a new city with an accent.
      {.codigo = u"4",
       .razaoSocial = u"  Maria   Aparecida da Conceição  ",
       .nomeFantasia = u"\"Cantinho\" da Maria",
       .cgc = u"111.222.333-44",
       .cpf = u"   ",
       .celular = u"(31) 98765-4321",
       .fone = u"\"31\" 3333-4444",
       .fax = u" (31) 3333-5555/(31) 3333-6666",
       .bloqueado = u"Sim",
       .email = u"\"maria\"@x.com",
       .contato = u"  \"Zé\"  ",
       .ie = u"isenta",
       .dtCadastro = u"2001-07-04",
       .dtNasc = u"1975-05-20",
       .endereco = u"Rua D'Ajuda, 5",
       .uf = u"MG",
       .cep = u"30140071",
       .numeroCasa = u"\"12\"",
       .nomePai = u"José \"Zé\" Souza",
       .nomeMae = kMae71,
       .estadoCivil = u"  Viúva  ",
       .obs = kObs123,
       .cidade = u"Conceição"},
      // 5: no name: skipped, but its new city is still created.
      {.codigo = u"5",
       .pessoa = u"F",
       .cpf = u"999.999.999-99",
       .dtCadastro = u"2020-02-02",
       .endereco = u"Rua Pulada, 1",
       .uf = u"MG",
       .cidade = u"Ipatinga"},
      // 6: blank name, with the code of row 1: skipped, so no collision.
      {.codigo = u"1", .razaoSocial = u"   ", .uf = u"SP"},
      // 7: a name of quotes and blanks, with a city of CIDADES: skipped.
      {.codigo = u"7", .razaoSocial = u"\"\" \"  \"", .uf = u"sc", .cidade = u"São José"},
      // 8: blank CIDADE right after skipped rows with cities: no city codes.
      {.codigo = u"8",
       .razaoSocial = u"Oficina do Zé",
       .bairro = u"\"Barreiro\"",
       .uf = u"\"m\"g",
       .cep = u"30.140071",
       .cidade = u"   "},
      // 9: CPF of letters wins over CGC and gives nothing; accented city found.
      {.codigo = u"9",
       .pessoa = u"F",
       .razaoSocial = u"João \"Jota\" D'Ávila",
       .cgc = u"11.111.111/0001-11",
       .cpf = u"ABC",
       .dtNasc = u"2000-02-29",
       .uf = u"sc",
       .cidade = u"São José"},
      // 10: bhte is not BHTE: a city of its own.
      {.codigo = u"10", .razaoSocial = u"Cliente bhte", .uf = u"MG", .cidade = u"bhte"},
      // 11: the city row 4 created.
      {.codigo = u"11", .razaoSocial = u"Cliente Conceição", .uf = u"mg", .cidade = u"Conceição"},
      // 12: same name, other state: another city.
      {.codigo = u"12", .razaoSocial = u"Cliente Conceição BA", .uf = u"ba", .cidade = u"Conceição"},
      // 13: apostrophe in the city.
      {.codigo = u"13", .razaoSocial = u"Cliente Olhos D'Água", .uf = u"mg", .cidade = u"Olhos D'Água"},
      // 14, 15: a city without state, created once.
      {.codigo = u"14", .razaoSocial = u"Cliente Itabira", .cidade = u"Itabira"},
      {.codigo = u"15", .razaoSocial = u"Cliente Itabira 2", .cidade = u"Itabira"},
      // 16 to 20: codes.
      {.razaoSocial = u"Sem Código"},
      {.codigo = u" 42 ", .razaoSocial = u"Código com brancos"},
      {.codigo = u"123456789", .razaoSocial = u"Código longo"},
      {.codigo = u"\"77\"", .razaoSocial = u"Código entre aspas"},
      {.codigo = u"A19", .razaoSocial = u"Código com letra"},
      // 21: a long name.
      {.codigo = u"21", .razaoSocial = u"   Construtora e Incorporadora Horizonte Azul Empreendimentos Ltda ME Sul"},
      // 22: a CPF that reads ISENTO.
      {.codigo = u"22", .razaoSocial = u"Cliente CPF isento", .cgc = u"12.345.678/0001-95", .cpf = u"isento"},
      // 23: blanks around an exempt IE stay; a CPF with blanks.
      {.codigo = u"23", .razaoSocial = u"Cliente IE com brancos", .cpf = u"123 456 789 09", .ie = u" Isento "},
      // 24: an IE that is not exactly ISENTO; a long state.
      {.codigo = u"24", .razaoSocial = u"Cliente IE com ponto", .ie = u"ISENTO.", .uf = u"Minas"},
      // 25: a name and nothing else.
      {.codigo = u"25", .razaoSocial = u"Só Nome"},
      // 26: numbers longer than their columns.
      {.codigo = u"26",
       .razaoSocial = u"Cliente números longos",
       .cgc = u"12345678901234567890",
       .celular = u"55 31 99999 8888 123456789",
       .fone = u"(031) 3333-4444 / 3222-1111",
       .fax = u"(31)3333-5555",
       .ie = u"12345678901234567890",
       .cep = u"30140-0719"},
      // 27: texts longer than their columns, with blanks in front.
      {.codigo = u"27",
       .razaoSocial = u"Cliente textos longos",
       .nomeFantasia = kFantasia57,
       .email = kEmail66,
       .endereco = kEndereco80,
       .bairro = kBairro36},
      // 28: one-letter flags between quotes; the city of CIDADES.
      {.codigo = u"28",
       .pessoa = u"\"J\"",
       .razaoSocial = u"Cliente aspas curtas",
       .bloqueado = u"\"S\"",
       .uf = u"MG",
       .cidade = u"Contagem"},
      // 29: NULL CIDADE right after a written row with a city.
      {.codigo = u"29", .razaoSocial = u"Cliente sem cidade", .uf = u"MG"},
      // 30: a lone quote as name: skipped, its new city created.
      {.codigo = u"30", .razaoSocial = u"\"", .uf = u"MG", .cidade = u"Sabará"},
      // 31: NULL CIDADE right after that skipped row.
      {.codigo = u"31", .razaoSocial = u"Cliente após pulado", .uf = u"MG"},
      // 32: the city row 30 created.
      {.codigo = u"32", .razaoSocial = u"Cliente Sabará", .uf = u"mg", .cidade = u"Sabará"},
  };
}

std::vector<ClienteEsperado> ClientesEsperados() {
  return {
      {.codCliente = u"00000001",
       .nome = u"José da Silva",
       .nomeFantasia = u"Zé",
       .pessoa = u"F",
       .cgcCpf = u"12345678909",
       .celular = u"31999998888",
       .fone = u"3133334444",
       .fax = u"3133335555",
       .cliBloqueado = u"N",
       .email = u"jose@exemplo.com.br",
       .contato = u"Maria",
       .inscEst = u"ISENTO",
       .dtCadastro = u"25/03/2010",
       .dtNascimento = u"31/12/1980",
       .endereco = u"Rua das Flores, 100",
       .bairro = u"Centro",
       .estado = u"MG",
       .codCidade = u"00010",
       .cep = u"30140071",
       .campoLivre3 = u"João da Silva",
       .campoLivre4 = u"Ana da Silva",
       .campoLivre5 = u"Casado",
       .observacao = u"Bom pagador",
       .codCompl = u"00000001",
       .enderecoNfe = u"Rua das Flores, 100",
       .numeroNfe = u"100"},
      {.codCliente = u"00000002",
       .nome = u"Padaria Pão Quente Ltda",
       .nomeFantasia = u"Pão Quente",
       .pessoa = u"J",
       .cgcCpf = u"12345678000195",
       .celular = u"31988887777",
       .fone = u"3133334444",
       .fax = u"3133334445",
       .cliBloqueado = u"S",
       .email = u"contato@paoquente.com",
       .contato = u"Sr. Antônio",
       .inscEst = u"0621234560099",
       .endereco = u"Av. Afonso Pena, 1500",
       .bairro = u"Funcionários",
       .estado = u"MG",
       .codCidade = u"00015",
       .cep = u"30130005",
       .codCompl = u"00000002",
       .enderecoNfe = u"Av. Afonso Pena, 1500",
       .numeroNfe = u"1500"},
      {.codCliente = u"0001234",
       .nome = u"Comercial Boa Vista S/A",
       .pessoa = u"J",
       .cgcCpf = u"98765432000110",
       .inscEst = u"ISENTO",
       .dtCadastro = u"02/01/2015",
       .endereco = u"Rua A, 10",
       .bairro = u"  Centro  ",
       .estado = u" S",
       .codCidade = u"00010",
       .cep = u"01310100",
       .bairroCob = u"Centro",
       .estadoEnt = u"SP",
       .codCompl = u"00001234",
       .enderecoNfe = u"  Rua \"A\", 10  ",
       .numeroNfe = u"12345"},
      {.codCliente = u"00000004",
       .nome = u"Maria   Aparecida da Conceição",
       .nomeFantasia = u"Cantinho da Maria",
       .cgcCpf = u"11122233344",
       .celular = u"31987654321",
       .fone = u"3133334444",
       .fax = u"3133335555313333",
       .cliBloqueado = u"S",
       .email = u"maria@x.com",
       .contato = u"Zé",
       .dtCadastro = u"04/07/2001",
       .dtNascimento = u"20/05/1975",
       .endereco = u"Rua D'Ajuda, 5",
       .estado = u"MG",
       .codCidade = u"00021",
       .cep = u"30140071",
       .campoLivre3 = u"José Zé Souza",
       .campoLivre4 = u"Maria Auxiliadora dos Santos Pereira de Albuquerque e Vascon",
       .campoLivre5 = u"  Viúva  ",
       .observacao =
           u"Cliente antigo da loja, compra sempre à vista; prefere ser atendido pela manhã e pede nota fiscal co",
       .codCompl = u"00000004",
       .enderecoNfe = u"Rua D'Ajuda, 5",
       .numeroNfe = u"\"12\""},
      {.codCliente = u"00000008",
       .nome = u"Oficina do Zé",
       .bairro = u"Barreiro",
       .estado = u"M",
       .cep = u"30140071",
       .estadoEnt = u"MG",
       .estadoCob = u"MG",
       .codCompl = u"00000008"},
      {.codCliente = u"00000009",
       .nome = u"João Jota D'Ávila",
       .pessoa = u"F",
       .dtNascimento = u"29/02/2000",
       .estado = u"SC",
       .codCidade = u"00020",
       .codCompl = u"00000009"},
      {.codCliente = u"00000010",
       .nome = u"Cliente bhte",
       .estado = u"MG",
       .codCidade = u"00023",
       .codCompl = u"00000010"},
      {.codCliente = u"00000011",
       .nome = u"Cliente Conceição",
       .estado = u"MG",
       .codCidade = u"00021",
       .codCompl = u"00000011"},
      {.codCliente = u"00000012",
       .nome = u"Cliente Conceição BA",
       .estado = u"BA",
       .codCidade = u"00024",
       .codCompl = u"00000012"},
      {.codCliente = u"00000013",
       .nome = u"Cliente Olhos D'Água",
       .estado = u"MG",
       .codCidade = u"00025",
       .codCompl = u"00000013"},
      {.codCliente = u"00000014", .nome = u"Cliente Itabira", .codCidade = u"00026", .codCompl = u"00000014"},
      {.codCliente = u"00000015", .nome = u"Cliente Itabira 2", .codCidade = u"00026", .codCompl = u"00000015"},
      {.codCliente = u"00000000", .nome = u"Sem Código", .codCompl = u"00000000"},
      {.codCliente = u"000042", .nome = u"Código com brancos", .codCompl = u"00000042"},
      {.codCliente = u"12345678", .nome = u"Código longo", .codCompl = u"12345678"},
      {.codCliente = u"00000077", .nome = u"Código entre aspas", .codCompl = u"00000077"},
      {.codCliente = u"0000019", .nome = u"Código com letra", .codCompl = u"00000019"},
      {.codCliente = u"00000021",
       .nome = u"Construtora e Incorporadora Horizonte Azul Empreendimentos L",
       .codCompl = u"00000021"},
      {.codCliente = u"00000022", .nome = u"Cliente CPF isento", .cgcCpf = u"ISENTO", .codCompl = u"00000022"},
      {.codCliente = u"00000023",
       .nome = u"Cliente IE com brancos",
       .cgcCpf = u"12345678909",
       .inscEst = u" ISENTO ",
       .codCompl = u"00000023"},
      {.codCliente = u"00000024", .nome = u"Cliente IE com ponto", .estado = u"MI", .codCompl = u"00000024"},
      {.codCliente = u"00000025", .nome = u"Só Nome", .codCompl = u"00000025"},
      {.codCliente = u"00000026",
       .nome = u"Cliente números longos",
       .cgcCpf = u"123456789012345678",
       .celular = u"55319999988881234567",
       .fone = u"03133334444",
       .fax = u"3133335555",
       .inscEst = u"123456789012345",
       .cep = u"30140071",
       .codCompl = u"00000026"},
      {.codCliente = u"00000027",
       .nome = u"Cliente textos longos",
       .nomeFantasia = u"Distribuidora de Bebidas e Alimentos Bom Preço Ltd",
       .email = u"comercial.distribuidora.bompreco.atendimento@exemplo-grande.",
       .endereco = u"Avenida Presidente Juscelino Kubitschek de Oliveira, 4500, B",
       .bairro = u"  Jardim das Oliveiras e Palme",
       .bairroCob = u"Jardim das Oliveiras e Palmeir",
       .codCompl = u"00000027",
       .enderecoNfe = u"   Avenida Presidente Juscelino Kubitschek de Oliveira, 4500"},
      {.codCliente = u"00000028",
       .nome = u"Cliente aspas curtas",
       .pessoa = u"J",
       .cliBloqueado = u"S",
       .estado = u"MG",
       .codCidade = u"00015",
       .codCompl = u"00000028"},
      {.codCliente = u"00000029", .nome = u"Cliente sem cidade", .estado = u"MG", .codCompl = u"00000029"},
      {.codCliente = u"00000031", .nome = u"Cliente após pulado", .estado = u"MG", .codCompl = u"00000031"},
      {.codCliente = u"00000032",
       .nome = u"Cliente Sabará",
       .estado = u"MG",
       .codCidade = u"00027",
       .codCompl = u"00000032"},
  };
}

// ---- one run over the varied table, shared by the checks below -----------

class ConversaoClientesLote : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pasta_ = std::make_unique<apoio::PastaTemporaria>();
    origem_ = pasta_->Caminho() / "LEGADO.FDB";
    destino_ = pasta_->Caminho() / "VESTREL.FB";
    apoio::CriaBancoOrigem(origem_);
    apoio::CriaBancoDestino(destino_);
    GravaOrigem(origem_, OrigemVariada());
    std::vector<std::u16string> destino = kCidadesAntes;
    // What the run must clear, and what it must leave alone.
    destino.push_back(u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('99999999', 'ANTIGO')");
    destino.push_back(u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'ANTIGO COM O MESMO CODIGO')");
    destino.push_back(u"INSERT INTO COMPCLIE (CODCLIENTE, ENDERECONFE) VALUES ('99999999', 'ANTIGO')");
    destino.push_back(u"INSERT INTO COMPCLIE (CODCLIENTE, ENDERECONFE) VALUES ('00000001', 'ANTIGO')");
    destino.push_back(u"INSERT INTO NCLIENTE (CODEMPRESA, NUMEROCLIENTES) VALUES ('00', 7)");
    ExecutaTodos(destino_, destino);

    hojeAntes_ = regional::FormataDataCurta(regional::Hoje());
    resultado_ =
        RodaLote(pasta_->Caminho(), {"--origem", origem_.string(), "--destino", destino_.string(), "--clientes"});
    hojeDepois_ = regional::FormataDataCurta(regional::Hoje());
  }

  static void TearDownTestSuite() { pasta_.reset(); }

  void SetUp() override {
    ASSERT_EQ(resultado_.status, 0) << resultado_.erros;
    if (hojeAntes_ != hojeDepois_) GTEST_SKIP() << "the run crossed midnight";
  }

  static inline std::unique_ptr<apoio::PastaTemporaria> pasta_;
  static inline fs::path origem_;
  static inline fs::path destino_;
  static inline Resultado resultado_;
  static inline std::u16string hojeAntes_;
  static inline std::u16string hojeDepois_;
};

TEST_F(ConversaoClientesLote, TerminaComSucessoContandoTodasAsLinhas) {
  EXPECT_EQ(resultado_.saida, "Conversão concluída com sucesso!\n");
  // Skipped rows count too: 32 source rows, 28 of them written.
  EXPECT_EQ(resultado_.erros.rfind("Convertendo Clientes - Registro 32 de 32 - 32 registros em ", 0), 0u)
      << resultado_.erros;
  EXPECT_NE(resultado_.erros.find("\nClientes (RECDB004): 32 lidas, 28 gravadas em CLIENTE, 28 em COMPCLIE, "
                                  "4 ignoradas, "),
            std::string::npos)
      << resultado_.erros;
}

TEST_F(ConversaoClientesLote, CadaClienteColunaPorColuna) {
  const std::size_t nColunas = std::size(kColunasCliente);
  const auto reais = PorChave(ConsultaComNulos(destino_, SelectDe(kColunasCliente, nColunas, u"CLIENTE")));
  std::map<std::u16string, std::vector<std::u16string>> esperados;
  for (const auto& e : ClientesEsperados()) {
    ASSERT_TRUE(esperados.emplace(e.codCliente, ValoresCliente(e, hojeAntes_)).second) << U8(e.codCliente);
  }
  // Nothing of what was there before, no skipped row, every named row once.
  std::vector<std::u16string> chavesReais, chavesEsperadas;
  for (const auto& [k, v] : reais) chavesReais.push_back(k);
  for (const auto& [k, v] : esperados) chavesEsperadas.push_back(k);
  ASSERT_EQ(chavesReais, chavesEsperadas);

  for (const auto& [codigo, esperado] : esperados) {
    const auto& real = reais.at(codigo);
    ASSERT_EQ(real.size(), nColunas);
    ASSERT_EQ(esperado.size(), nColunas);
    for (std::size_t i = 0; i < nColunas; ++i) {
      EXPECT_EQ(U8(real[i]), U8(esperado[i])) << "CLIENTE " << U8(codigo) << ", " << U8(kColunasCliente[i]);
    }
  }
}

TEST_F(ConversaoClientesLote, ComplementoDeCadaCliente) {
  const std::size_t nColunas = std::size(kColunasCompl);
  const auto reais = PorChave(ConsultaComNulos(destino_, SelectDe(kColunasCompl, nColunas, u"COMPCLIE")));
  std::map<std::u16string, std::vector<std::u16string>> esperados;
  for (const auto& e : ClientesEsperados()) {
    ASSERT_TRUE(esperados.emplace(e.codCompl, ValoresCompl(e)).second) << U8(e.codCompl);
  }
  std::vector<std::u16string> chavesReais, chavesEsperadas;
  for (const auto& [k, v] : reais) chavesReais.push_back(k);
  for (const auto& [k, v] : esperados) chavesEsperadas.push_back(k);
  ASSERT_EQ(chavesReais, chavesEsperadas);

  for (const auto& [codigo, esperado] : esperados) {
    const auto& real = reais.at(codigo);
    ASSERT_EQ(real.size(), nColunas);
    for (std::size_t i = 0; i < nColunas; ++i) {
      EXPECT_EQ(U8(real[i]), U8(esperado[i])) << "COMPCLIE " << U8(codigo) << ", " << U8(kColunasCompl[i]);
    }
  }
}

TEST_F(ConversaoClientesLote, NClienteIntocado) {
  EXPECT_EQ(ConsultaComNulos(destino_, u"SELECT CODEMPRESA, NUMEROCLIENTES FROM NCLIENTE"), (Linhas{{u"00", u"7"}}));
}

TEST_F(ConversaoClientesLote, CidadesCriadasUmaVezPorNomeEEstado) {
  // Skipped rows' cities included; found cities not created again.
  EXPECT_EQ(ConsultaComNulos(destino_, u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"),
            (Linhas{{u"00010", u"BELO HORIZONTE", u"MG"},
                    {u"00015", u"CONTAGEM", u"MG"},
                    {u"00020", u"SãO JOSé", u"SC"},
                    {u"00021", u"CONCEIçãO", u"MG"},
                    {u"00022", u"IPATINGA", u"MG"},
                    {u"00023", u"BHTE", u"MG"},
                    {u"00024", u"CONCEIçãO", u"BA"},
                    {u"00025", u"OLHOS D'ÁGUA", u"MG"},
                    {u"00026", u"ITABIRA", u""},
                    {u"00027", u"SABARá", u"MG"}}));
}

// ---- runs of their own ----------------------------------------------------

class ConversaoClientesArquivos : public ::testing::Test {
 protected:
  void SetUp() override {
    origem = pasta.Caminho() / "LEGADO.FDB";
    destino = pasta.Caminho() / "VESTREL.FB";
    apoio::CriaBancoOrigem(origem);
    apoio::CriaBancoDestino(destino);
  }

  Resultado Roda(std::vector<std::string> tabelas) {
    std::vector<std::string> args = {"--origem", origem.string(), "--destino", destino.string()};
    args.insert(args.end(), tabelas.begin(), tabelas.end());
    return RodaLote(pasta.Caminho(), args);
  }

  apoio::PastaTemporaria pasta;
  fs::path origem;
  fs::path destino;
};

TEST_F(ConversaoClientesArquivos, CodigosDeCidadeSoDaPropriaLinha) {
  GravaOrigem(origem, {
                          {.codigo = u"1", .razaoSocial = u"Com cidade", .uf = u"MG", .cidade = u"Betim"},
                          {.codigo = u"2", .razaoSocial = u"Branca após escrita", .uf = u"MG", .cidade = u"  "},
                          {.codigo = u"3", .uf = u"MG", .cidade = u"Sete Lagoas"},
                          {.codigo = u"4", .razaoSocial = u"Branca após pulada", .uf = u"MG", .cidade = u"   "},
                          {.codigo = u"5", .razaoSocial = u"  ", .uf = u"MG", .cidade = u"Betim"},
                          {.codigo = u"6", .razaoSocial = u"Nula após pulada", .uf = u"MG"},
                          {.codigo = u"7", .razaoSocial = u"\"\"", .uf = u"MG", .cidade = u"Sete Lagoas"},
                          {.codigo = u"8", .razaoSocial = u"Aspas", .uf = u"\"", .cidade = u"\t"},
                          {.codigo = u"9", .razaoSocial = u"Cidade da pulada", .uf = u"mg", .cidade = u"Sete Lagoas"},
                      });
  Resultado r = Roda({"--clientes"});
  ASSERT_EQ(r.status, 0) << r.erros;
  EXPECT_EQ(r.saida, "Conversão concluída com sucesso!\n");
  EXPECT_EQ(ConsultaComNulos(destino,
                             u"SELECT CODCLIENTE, CODCIDADE, CODCIDADEENT, CODCIDADECOB FROM CLIENTE "
                             u"ORDER BY CODCLIENTE"),
            (Linhas{{u"00000001", u"00001", u"00001", u"00001"},
                    {u"00000002", u"", u"", u""},
                    {u"00000004", u"", u"", u""},
                    {u"00000006", u"", u"", u""},
                    {u"00000008", u"", u"", u""},
                    {u"00000009", u"00002", u"00002", u"00002"}}));
  // The skipped row's city was appended all the same, once.
  EXPECT_EQ(ConsultaComNulos(destino, u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"),
            (Linhas{{u"00001", u"BETIM", u"MG"}, {u"00002", u"SETE LAGOAS", u"MG"}}));
}

struct CasoFalha {
  const char* nome;
  const char16_t* primeiro;
  const char16_t* segundo;
  // The table whose key the second row repeats, and the key.
  const char* tabela;
  const char* chave;
};

class ConversaoClientesFalha : public ConversaoClientesArquivos, public ::testing::WithParamInterface<CasoFalha> {};

TEST_P(ConversaoClientesFalha, DeixaClientesVaziosECidadesConvertidas) {
  const CasoFalha& caso = GetParam();
  ExecutaTodos(origem, {u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('1', 'BELO HORIZONTE')",
                        u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('2', 'CONTAGEM')",
                        u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES ('3', 'SãO JOãO DEL-REI')"});
  GravaOrigem(origem, {
                          {.codigo = u"100", .razaoSocial = u"Primeiro", .uf = u"MG", .cidade = u"Contagem"},
                          // A new city, appended only in the transaction the failure rolls back.
                          {.codigo = u"101", .razaoSocial = u"Segundo", .uf = u"MG", .cidade = u"Ipatinga"},
                          {.codigo = caso.primeiro, .razaoSocial = u"Terceiro"},
                          {.codigo = caso.segundo, .razaoSocial = u"Quarto"},
                          {.codigo = u"102", .razaoSocial = u"Nunca lido"},
                      });
  ExecutaTodos(destino, {u"INSERT INTO CIDADES (CODCIDADE, CIDADE, ESTADO) VALUES ('00099', 'VELHA', 'MG')",
                         u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('99999999', 'ANTIGO')",
                         u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('99999999')"});

  Resultado r = Roda({"--cidades", "--clientes"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.saida, "");
  EXPECT_EQ(apoio::SemTempos(r.erros).rfind("Convertendo Cidades - Registro 3 de 3 - 3 registros em T s\n", 0), 0u)
      << r.erros;
  const std::string prefixo = "Ocorreu um erro durante a conversão! Motivo: ";
  const auto p = r.erros.find(prefixo);
  ASSERT_NE(p, std::string::npos) << r.erros;
  const std::string motivo = r.erros.substr(p + prefixo.size());
  EXPECT_NE(motivo.find("PRIMARY or UNIQUE KEY"), std::string::npos) << motivo;
  EXPECT_NE(motivo.find(std::string("\"") + caso.tabela + "\""), std::string::npos) << motivo;
  EXPECT_NE(motivo.find(std::string("'") + caso.chave + "'"), std::string::npos) << motivo;

  EXPECT_EQ(apoio::ContaLinhas(destino, u"CLIENTE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(destino, u"COMPCLIE"), 0);
  EXPECT_EQ(ConsultaComNulos(destino, u"SELECT CODCIDADE, CIDADE, ESTADO FROM CIDADES ORDER BY CODCIDADE"),
            (Linhas{{u"00001", u"BELO HORIZONTE", u"MG"},
                    {u"00002", u"CONTAGEM", u"MG"},
                    {u"00003", u"SãO JOãO DEL-REI", u"MG"}}));
}

INSTANTIATE_TEST_SUITE_P(Clientes, ConversaoClientesFalha,
                         ::testing::Values(
                             // 7 and 007 are both 00000007.
                             CasoFalha{"MesmoCodigoNoCliente", u"7", u"007", "CLIENTE", "00000007"},
                             // 0001234 and 00001234 differ in CLIENTE, but the complement pads both to 00001234.
                             CasoFalha{"MesmoCodigoSoNoComplemento", u"12-34", u"1234", "COMPCLIE", "00001234"}),
                         [](const ::testing::TestParamInfo<CasoFalha>& i) { return std::string(i.param.nome); });

// ---- through the run controller, in this process -------------------------

TEST(ConversaoClientesControlador, ProgressoDeCadaLinhaInclusiveAsPuladas) {
  apoio::ParDeBancos par;
  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
  GravaOrigem(par.arquivoOrigem, {
                                     {.codigo = u"1", .razaoSocial = u"Um"},
                                     {.codigo = u"2"},
                                     {.codigo = u"3", .razaoSocial = u"Três"},
                                     {.codigo = u"4", .razaoSocial = u" \" \" "},
                                     {.codigo = u"5", .razaoSocial = u"Cinco"},
                                 });
  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, false, true, false);

  TClassesConversaoController controlador;
  EXPECT_TRUE(controlador.FEfetuaConversao(params, par.origem.banco, par.origem.transacao, par.destino.banco,
                                           par.destino.transacao, progresso.Barra, progresso.lblInfo));

  EXPECT_EQ(
      progresso.legendas,
      (std::vector<std::u16string>{u"Convertendo Clientes - Registro 1 de 5", u"Convertendo Clientes - Registro 2 de 5",
                                   u"Convertendo Clientes - Registro 3 de 5", u"Convertendo Clientes - Registro 4 de 5",
                                   u"Convertendo Clientes - Registro 5 de 5", u""}));
  // Each caption is set before its row advances the gauge; the label is
  // cleared while the gauge still shows the whole table.
  EXPECT_EQ(progresso.progressoNaLegenda, (std::vector<int>{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(progresso.estados,
            (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {0, 5}, {0, 0}}));
  EXPECT_EQ(progresso.lblInfo.Caption(), u"");
  // Once before the rows and once for each.
  EXPECT_EQ(interface.eventos, 6);
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Informacao);
  EXPECT_EQ(interface.mensagens[0].texto, u"Conversão concluída com sucesso!");
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::Consulta(par.arquivoDestino, u"SELECT CODCLIENTE, NOME FROM CLIENTE ORDER BY CODCLIENTE"),
            (Linhas{{u"00000001", u"Um"}, {u"00000003", u"Três"}, {u"00000005", u"Cinco"}}));
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 3);
}

TEST(ConversaoClientesControlador, OrigemVaziaSoEsvaziaEZeraOProgresso) {
  apoio::ParDeBancos par;
  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
  apoio::Executa(par.arquivoDestino, u"INSERT INTO CLIENTE (CODCLIENTE, NOME) VALUES ('00000001', 'ANTIGO')");
  apoio::Executa(par.arquivoDestino, u"INSERT INTO COMPCLIE (CODCLIENTE) VALUES ('00000001')");
  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, false, true, false);

  TClassesConversaoController controlador;
  EXPECT_TRUE(controlador.FEfetuaConversao(params, par.origem.banco, par.origem.transacao, par.destino.banco,
                                           par.destino.transacao, progresso.Barra, progresso.lblInfo));
  EXPECT_EQ(progresso.legendas, (std::vector<std::u16string>{u""}));
  EXPECT_EQ(progresso.estados, (std::vector<std::pair<int, int>>{{0, 0}}));
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CLIENTE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 0);
}

TEST(ConversaoClientesControlador, FalhaDeixaALegendaDaLinhaQueFalhou) {
  apoio::ParDeBancos par;
  apoio::ProgressoGravado progresso;
  apoio::InterfaceGravada interface;
  GravaOrigem(par.arquivoOrigem, {
                                     {.codigo = u"7", .razaoSocial = u"Sete"},
                                     {.codigo = u"007", .razaoSocial = u"Sete de novo"},
                                     {.codigo = u"8", .razaoSocial = u"Nunca lido"},
                                 });
  comum::TStringList params;
  pIniciaListaParametros(params);
  pCarregaParametros(params, false, true, false);

  TClassesConversaoController controlador;
  EXPECT_FALSE(controlador.FEfetuaConversao(params, par.origem.banco, par.origem.transacao, par.destino.banco,
                                            par.destino.transacao, progresso.Barra, progresso.lblInfo));
  // Only the normal end of the table clears the label; the controller resets the gauge.
  EXPECT_EQ(progresso.legendas, (std::vector<std::u16string>{u"Convertendo Clientes - Registro 1 de 3",
                                                             u"Convertendo Clientes - Registro 2 de 3"}));
  EXPECT_EQ(progresso.lblInfo.Caption(), u"Convertendo Clientes - Registro 2 de 3");
  EXPECT_EQ(progresso.Barra.Progress(), 0);
  EXPECT_EQ(progresso.Barra.MaxValue(), 0);
  ASSERT_EQ(interface.mensagens.size(), 1u);
  EXPECT_EQ(interface.mensagens[0].tipo, ui::TipoMensagem::Erro);
  EXPECT_EQ(interface.mensagens[0].texto.rfind(u"Ocorreu um erro durante a conversão! Motivo: ", 0), 0u);
  EXPECT_FALSE(par.destino.transacao.Active());
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"CLIENTE"), 0);
  EXPECT_EQ(apoio::ContaLinhas(par.arquivoDestino, u"COMPCLIE"), 0);
}

}  // namespace
