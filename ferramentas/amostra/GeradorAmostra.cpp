#include "amostra/GeradorAmostra.h"

#include <array>
#include <random>
#include <string>
#include <vector>

#include "aplicacao/nucleo/ConfiguracaoConexao.h"
#include "Esquemas.h"
#include "comum/CriacaoBanco.h"
#include "comum/ExecutorScript.h"
#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace amostra {

namespace {

namespace fs = std::filesystem;
using texto::IntParaTexto;

// Draws from a fixed generator with plain arithmetic, so the data does not
// depend on the standard library's distributions.
class Sorteio {
 public:
  explicit Sorteio(std::uint32_t semente) : gerador_(semente) {}
  // 0 .. n-1
  int Ate(int n) { return static_cast<int>(gerador_() % static_cast<std::uint32_t>(n)); }
  bool Chance(int porcento) { return Ate(100) < porcento; }
  template <typename T, std::size_t N>
  const T& Um(const std::array<T, N>& opcoes) {
    return opcoes[static_cast<std::size_t>(Ate(static_cast<int>(N)))];
  }
  std::u16string Digitos(int n) {
    std::u16string s;
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char16_t>(u'0' + Ate(10)));
    return s;
  }

 private:
  std::mt19937 gerador_;
};

const std::array<const char16_t*, 24> kCidades = {
    u"BELO HORIZONTE", u"Contagem",        u"São João del-Rei", u"Conceição do Mato Dentro", u"Betim",
    u"Sete Lagoas",    u"Juiz de Fora",    u"Uberlândia",       u"Governador Valadares",     u"Ipatinga",
    u"Montes Claros",  u"Poços de Caldas", u"Divinópolis",      u"Santa Luzia",              u"Pará de Minas",
    u"Itaúna",         u"Nova Lima",       u"Sabará",           u"Ouro Preto",               u"Mariana",
    u"Lagoa Santa",    u"Vespasiano",      u"Brumadinho",       u"Itabira"};

// Cities that appear in clients and suppliers but not in RECDB001.
const std::array<const char16_t*, 8> kCidadesNovas = {u"São Paulo",  u"Rio de Janeiro", u"Vitória",  u"Goiânia",
                                                       u"D'Ávila",    u"Curitiba",       u"Brasília", u"Salvador"};

const std::array<const char16_t*, 16> kNomes = {u"José",     u"Maria",   u"João",   u"Ana",     u"Antônio", u"Francisca",
                                                u"Luís",     u"Márcia",  u"Sérgio", u"Cecília", u"Raimundo", u"Lúcia",
                                                u"Benedito", u"Conceição", u"Joaquim", u"Inês"};
const std::array<const char16_t*, 12> kSobrenomes = {u"da Silva", u"Souza",   u"D'Ávila",  u"Gonçalves",
                                                     u"Araújo",   u"Pereira", u"O'Neill",  u"Conceição",
                                                     u"Magalhães", u"Peçanha", u"Lima",    u"Brandão"};
const std::array<const char16_t*, 10> kEmpresas = {u"Gráfica",       u"Papelaria", u"Comércio de Papéis",
                                                   u"Tintas & Cores", u"Distribuidora", u"Indústria Gráfica",
                                                   u"Editora",       u"Serigrafia", u"Encadernação",
                                                   u"Artes Visuais"};
const std::array<const char16_t*, 8> kRuas = {u"Rua da Bahia",   u"Av. Afonso Pena", u"Rua Espírito Santo",
                                              u"Av. Amazonas",   u"Rua dos Caetés",  u"Praça Sete",
                                              u"Rua São Paulo",  u"Av. do Contorno"};
const std::array<const char16_t*, 8> kBairros = {u"Centro",  u"Savassi",       u"Funcionários", u"Lourdes",
                                                 u"Floresta", u"Santa Efigênia", u"Barro Preto",  u"  Prado  "};

// Upper case as the legacy system typed its cities: accented letters too.
std::u16string Maiusculas(std::u16string v) {
  for (auto& c : v) {
    if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c = static_cast<char16_t>(c - 0x20);
  }
  return v;
}

std::u16string Nome(Sorteio& s) { return std::u16string(s.Um(kNomes)) + u" " + s.Um(kSobrenomes); }

std::u16string Cpf(Sorteio& s) {
  std::u16string d = s.Digitos(11);
  switch (s.Ate(3)) {
    case 0:
      return d;
    case 1:
      return d.substr(0, 3) + u"." + d.substr(3, 3) + u"." + d.substr(6, 3) + u"-" + d.substr(9, 2);
    default:
      return u" " + d.substr(0, 3) + u"." + d.substr(3, 3) + u"." + d.substr(6, 3) + u"-" + d.substr(9, 2) + u" ";
  }
}

std::u16string Cnpj(Sorteio& s) {
  std::u16string d = s.Digitos(14);
  if (s.Chance(40)) return d;
  return d.substr(0, 2) + u"." + d.substr(2, 3) + u"." + d.substr(5, 3) + u"/" + d.substr(8, 4) + u"-" +
         d.substr(12, 2);
}

std::u16string Cep(Sorteio& s) {
  std::u16string d = s.Digitos(8);
  return s.Chance(50) ? d : d.substr(0, 2) + u"." + d.substr(2, 3) + u"-" + d.substr(5, 3);
}

std::u16string Fone(Sorteio& s, bool celular) {
  std::u16string d(celular ? u"9" : u"3");
  d += s.Digitos(celular ? 8 : 7);
  switch (s.Ate(4)) {
    case 0:
      return d;
    case 1:
      return u"(31) " + d.substr(0, d.size() - 4) + u"-" + d.substr(d.size() - 4);
    case 2:
      return u"031 " + d;
    default:
      return u"31" + d;
  }
}

std::u16string Ie(Sorteio& s) {
  switch (s.Ate(6)) {
    case 0:
      return u"ISENTO";
    case 1:
      return u"Isento";
    case 2:
      return u"isenta";
    case 3:
      return s.Digitos(13);
    default:
      return s.Digitos(3) + u"." + s.Digitos(3) + u"." + s.Digitos(3) + u"/" + s.Digitos(4);
  }
}

std::u16string Data(Sorteio& s) {
  int ano = 1950 + s.Ate(70);
  int mes = 1 + s.Ate(12);
  int dia = 1 + s.Ate(28);
  auto dois = [](int n) {
    std::u16string s(n < 10 ? u"0" : u"");
    return s + IntParaTexto(n);
  };
  return dois(dia) + u"/" + dois(mes) + u"/" + IntParaTexto(ano);
}

// NULL with the given chance, otherwise the value.
struct Valor {
  bool nulo;
  std::u16string texto;
};

Valor Talvez(Sorteio& s, int chanceNulo, std::u16string v) { return {s.Chance(chanceNulo), std::move(v)}; }

// A city name as the legacy rows write it: known or new, in varied case,
// "BHTE", blank or NULL.
Valor CidadeDaLinha(Sorteio& s) {
  int r = s.Ate(100);
  if (r < 5) return {true, u""};
  if (r < 8) return {false, u""};
  if (r < 10) return {false, u"   "};
  if (r < 14) return {false, u"BHTE"};
  if (r < 24) return {false, s.Um(kCidadesNovas)};
  // Mostly as RECDB001 has it; otherwise in other letter cases, which the
  // lookup does not match and appends as new cities.
  std::u16string c = s.Um(kCidades);
  if (s.Chance(75)) c = Maiusculas(c);
  return {false, c};
}

Valor Uf(Sorteio& s) {
  static const std::array<const char16_t*, 6> ufs = {u"MG", u"mg", u"SP", u"RJ", u"MG ", u"Mg"};
  return Talvez(s, 5, s.Um(ufs));
}

// Names that the converters skip: NULL, empty, blanks, and what the name's
// setter removes (double quotes for clients, apostrophes for suppliers).
bool NomeVazio(Sorteio& s, Valor& nome, const char16_t* soRemoviveis) {
  int r = s.Ate(100);
  if (r >= 3) return false;
  static const std::array<const char16_t*, 2> brancos = {u"", u"   "};
  if (r == 0) {
    nome = Valor{true, u""};
  } else if (r == 1) {
    nome = Valor{false, soRemoviveis};
  } else {
    nome = Valor{false, s.Um(brancos)};
  }
  return true;
}

class Inseridor {
 public:
  Inseridor(TIBDatabase& banco, const std::u16string& sql) {
    q_.SetDatabase(&banco);
    q_.SQL().SetText(sql);
  }
  void Define(const char16_t* nome, const Valor& v) {
    if (v.nulo) {
      q_.ParamByName(nome).Clear();
    } else {
      q_.ParamByName(nome).SetAsString(v.texto);
    }
  }
  void Define(const char16_t* nome, const std::u16string& v) { Define(nome, Valor{false, v}); }
  void Executa() { q_.ExecSQL(); }

 private:
  TIBQuery q_;
};

void GeraCidades(TIBDatabase& banco, Sorteio& s, int n) {
  Inseridor ins(banco, u"INSERT INTO RECDB001 (CODIGO, DESCRICAO) VALUES (:CODIGO, :DESCRICAO)");
  for (int i = 1; i <= n; ++i) {
    std::u16string nome = Maiusculas(kCidades[static_cast<std::size_t>(i - 1) % kCidades.size()]);
    if (i > static_cast<int>(kCidades.size())) nome += u" " + IntParaTexto(i);
    // Some codes come zero-padded already; none is longer than the five characters kept.
    ins.Define(u"CODIGO", s.Chance(20) ? TConversao::StrZero(IntParaTexto(i), 5) : IntParaTexto(i));
    ins.Define(u"DESCRICAO", Talvez(s, 2, nome));
    ins.Executa();
  }
}

int GeraClientes(TIBDatabase& banco, Sorteio& s, int n) {
  Inseridor ins(banco,
                u"INSERT INTO RECDB004 (CODIGO, PESSOA, RAZAO_SOCIAL, NOME_FANTASIA, CGC, CPF, CELULAR, FONE, FAX, "
                u"BLOQUEADO, EMAIL, CONTATO, IE, DT_CADASTRO, DT_NASC, ENDERECO, BAIRRO, UF, CEP, NUMEROCASA, "
                u"NOME_PAI, NOME_MAE, ESTADO_CIVIL, OBS, CIDADE) VALUES (:CODIGO, :PESSOA, :RAZAO_SOCIAL, "
                u":NOME_FANTASIA, :CGC, :CPF, :CELULAR, :FONE, :FAX, :BLOQUEADO, :EMAIL, :CONTATO, :IE, "
                u":DT_CADASTRO, :DT_NASC, :ENDERECO, :BAIRRO, :UF, :CEP, :NUMEROCASA, :NOME_PAI, :NOME_MAE, "
                u":ESTADO_CIVIL, :OBS, :CIDADE)");
  int semNome = 0;
  for (int i = 1; i <= n; ++i) {
    bool juridica = s.Chance(40);
    // Codes stay unique once cut to 8, padded and stripped of their mask.
    std::u16string codigo = IntParaTexto(i);
    if (s.Chance(10) && codigo.size() >= 3) codigo = codigo.substr(0, 1) + u"-" + codigo.substr(1);
    ins.Define(u"CODIGO", codigo);
    ins.Define(u"PESSOA", Talvez(s, 5, juridica ? (s.Chance(50) ? u"J" : u"JURIDICA") : u"F"));
    Valor nome{false, juridica ? std::u16string(s.Um(kEmpresas)) + u" " + s.Um(kSobrenomes) + u" Ltda" : Nome(s)};
    if (s.Chance(5)) nome.texto = u"  " + nome.texto + u"  ";
    if (s.Chance(4)) nome.texto = u"\"" + nome.texto + u"\"";
    if (NomeVazio(s, nome, u"\"\" \"")) ++semNome;
    ins.Define(u"RAZAO_SOCIAL", nome);
    ins.Define(u"NOME_FANTASIA", Talvez(s, 30, juridica ? std::u16string(s.Um(kEmpresas)) : Nome(s)));
    // CPF and CGC: one of them, both, or neither; a CPF of punctuation only falls back to the CGC.
    int doc = s.Ate(10);
    ins.Define(u"CPF", doc < 4 ? Valor{false, Cpf(s)} : doc == 4 ? Valor{false, u"...-"} : Valor{s.Chance(50), u""});
    ins.Define(u"CGC", doc >= 3 && doc < 9 ? Valor{false, Cnpj(s)} : Valor{true, u""});
    ins.Define(u"CELULAR", Talvez(s, 30, Fone(s, true)));
    ins.Define(u"FONE", Talvez(s, 15, Fone(s, false)));
    ins.Define(u"FAX", Talvez(s, 70, Fone(s, false)));
    ins.Define(u"BLOQUEADO", Talvez(s, 20, s.Chance(90) ? u"N" : u"S"));
    ins.Define(u"EMAIL", Talvez(s, 40, u"contato" + IntParaTexto(i) + u"@exemplo.com.br"));
    ins.Define(u"CONTATO", Talvez(s, 50, Nome(s)));
    ins.Define(u"IE", Talvez(s, 20, Ie(s)));
    ins.Define(u"DT_CADASTRO", Talvez(s, 20, Data(s)));
    ins.Define(u"DT_NASC", Talvez(s, 60, Data(s)));
    ins.Define(u"ENDERECO", Talvez(s, 5, std::u16string(s.Um(kRuas)) + u", " + IntParaTexto(1 + s.Ate(3000))));
    ins.Define(u"BAIRRO", Talvez(s, 10, s.Um(kBairros)));
    ins.Define(u"UF", Uf(s));
    ins.Define(u"CEP", Talvez(s, 10, Cep(s)));
    ins.Define(u"NUMEROCASA", Talvez(s, 30, IntParaTexto(1 + s.Ate(99999))));
    ins.Define(u"NOME_PAI", Talvez(s, 60, Nome(s)));
    ins.Define(u"NOME_MAE", Talvez(s, 50, Nome(s)));
    ins.Define(u"ESTADO_CIVIL", Talvez(s, 40, s.Chance(50) ? u"Casado(a)" : u"Solteiro(a)"));
    ins.Define(u"OBS", Talvez(s, 70, u"Cliente desde o balcão; paga em dia. Observação nº " + IntParaTexto(i)));
    ins.Define(u"CIDADE", CidadeDaLinha(s));
    ins.Executa();
  }
  return semNome;
}

int GeraFornecedores(TIBDatabase& banco, Sorteio& s, int n) {
  Inseridor ins(banco,
                u"INSERT INTO PAGDB003 (CODIGO, RAZAO_SOCIAL, NOME_FANTASIA, CGC, IE, ENDERECO, BAIRRO, CIDADE, UF, "
                u"FONE, FAX, EMAIL, OBS, CONTATO) VALUES (:CODIGO, :RAZAO_SOCIAL, :NOME_FANTASIA, :CGC, :IE, "
                u":ENDERECO, :BAIRRO, :CIDADE, :UF, :FONE, :FAX, :EMAIL, :OBS, :CONTATO)");
  int semNome = 0;
  for (int i = 1; i <= n; ++i) {
    ins.Define(u"CODIGO", s.Chance(10) ? TConversao::StrZero(IntParaTexto(i), 6) : IntParaTexto(i));
    Valor nome{false, std::u16string(s.Um(kEmpresas)) + u" " + s.Um(kSobrenomes) + u" & Cia"};
    if (s.Chance(5)) nome.texto = u" " + nome.texto + u" ";
    if (NomeVazio(s, nome, u" '' ")) ++semNome;
    ins.Define(u"RAZAO_SOCIAL", nome);
    ins.Define(u"NOME_FANTASIA", Talvez(s, 30, s.Um(kEmpresas)));
    ins.Define(u"CGC", Talvez(s, 15, Cnpj(s)));
    ins.Define(u"IE", Talvez(s, 20, Ie(s)));
    ins.Define(u"ENDERECO", Talvez(s, 5, std::u16string(s.Um(kRuas)) + u", " + IntParaTexto(1 + s.Ate(3000))));
    ins.Define(u"BAIRRO", Talvez(s, 10, s.Um(kBairros)));
    ins.Define(u"CIDADE", CidadeDaLinha(s));
    ins.Define(u"UF", Uf(s));
    ins.Define(u"FONE", Talvez(s, 15, Fone(s, false)));
    ins.Define(u"FAX", Talvez(s, 60, Fone(s, false)));
    ins.Define(u"EMAIL", Talvez(s, 40, u"vendas" + IntParaTexto(i) + u"@fornecedor.com.br"));
    ins.Define(u"OBS", Talvez(s, 70, u"Prazo de 28 dias; frete por conta do fornecedor"));
    ins.Define(u"CONTATO", Talvez(s, 40, Nome(s)));
    ins.Executa();
  }
  return semNome;
}

void Prepara(TIBDatabase& banco, TIBTransaction& transacao, const fs::path& arquivo) {
  ConfiguraConexao(banco, transacao);
  banco.SetDatabaseName(texto::DeUtf8(arquivo.string()));
  banco.SetConnected(true);
}

void CriaVazio(const fs::path& arquivo, int dialeto, const char* esquema) {
  std::error_code ec;
  fs::remove(arquivo, ec);
  ferramentas::CriaBanco(arquivo, dialeto, "SYSDBA", "quillsand");
  TIBDatabase banco;
  TIBTransaction transacao;
  Prepara(banco, transacao, arquivo);
  ferramentas::ExecutaScript(banco, texto::DeUtf8(esquema));
}

}  // namespace

Resultado Gera(const fs::path& pasta, const Parametros& p, std::ostream& relatorio) {
  fs::create_directories(pasta);
  Resultado r{pasta / "LEGADO.FDB", pasta / "VESTREL.FB"};
  CriaVazio(r.origem, 3, esquemas::Origem());
  CriaVazio(r.destino, 1, esquemas::Destino());

  Sorteio s(p.semente);
  TIBDatabase banco;
  TIBTransaction transacao;
  Prepara(banco, transacao, r.origem);
  GeraCidades(banco, s, p.cidades);
  int clientesSemNome = GeraClientes(banco, s, p.clientes);
  int fornecedoresSemNome = GeraFornecedores(banco, s, p.fornecedores);
  transacao.Commit();

  relatorio << "Origem:  " << r.origem.string() << "\n"
            << "  RECDB001 (cidades):      " << p.cidades << " linhas\n"
            << "  RECDB004 (clientes):     " << p.clientes << " linhas, " << clientesSemNome << " sem nome\n"
            << "  PAGDB003 (fornecedores): " << p.fornecedores << " linhas, " << fornecedoresSemNome
            << " sem nome\n"
            << "Destino: " << r.destino.string() << " (vazio)\n"
            << "Semente: " << p.semente << "\n";
  return r;
}

}  // namespace amostra
