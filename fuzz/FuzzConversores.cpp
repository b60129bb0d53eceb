// The client, client complement and supplier converters: any sequence of
// values through their setters, then the statements built from what they
// hold. Each setter must keep its value within its column's rules and leave
// the other values alone, and every statement must carry each value, exactly,
// in its own column, whatever quotes, markers or line breaks the values hold.
// The converters are bound to a connection that never connects.
//
// Input: the credit limit (8 bytes), then the text (see Entrada.h), cut into
// parts at U+001E; the first character of a part chooses the setter, the rest
// is the value.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "Entrada.h"
#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "clientes/Cliente.h"
#include "clientes/ComplClientes.h"
#include "comum/CodePage.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"
#include "comum/TrechoSql.h"
#include "fornecedores/Fornecedor.h"

namespace {

using fuzz::Falha;
using fuzz::SoDigitosAscii;
using fuzz::Visivel;

// ---- the rules of the stored values ----

enum Regra : unsigned {
  kSemAspas = 1u << 0,         // no double quote
  kSemApostrofo = 1u << 1,     // no single quote
  kInicioAparado = 1u << 2,    // empty, or the first character is no blank
  kAparado = 1u << 3,          // no blank at either end
  kDigitos = 1u << 4,          // ASCII digits only
  kDigitosOuIsento = 1u << 5,  // ASCII digits only, or blanks around a beginning of ISENTO
  kMaiusculas = 1u << 6,       // no ASCII lower-case letter
  kSemBarra = 1u << 7,         // no "/": dates go with "."
  kNaoVazio = 1u << 8,
  kSemPontuacao = 1u << 9,  // none of ( ) - . / '
};

struct Limites {
  unsigned regras = 0;
  int maximo = -1;            // the longest value; -1: no limit
  int exato = -1;             // the only length, when not -1
  bool vazioOuExato = false;  // with exato: or empty
};

bool Branco(char16_t c) { return c <= 32; }

std::optional<std::string> Viola(const std::u16string& v, const Limites& r) {
  const auto n = static_cast<int>(v.size());
  if (r.maximo >= 0 && n > r.maximo) return "longer than " + std::to_string(r.maximo);
  if (r.exato >= 0 && n != r.exato && !(r.vazioOuExato && n == 0)) return "not " + std::to_string(r.exato) + " long";
  if ((r.regras & kSemAspas) && v.find(u'"') != std::u16string::npos) return "a double quote";
  if ((r.regras & kSemApostrofo) && v.find(u'\'') != std::u16string::npos) return "a single quote";
  if ((r.regras & kInicioAparado) && !v.empty() && Branco(v.front())) return "a blank in front";
  if ((r.regras & kAparado) && texto::Trim(v) != v) return "blanks at the ends";
  if ((r.regras & kDigitos) && !SoDigitosAscii(v)) return "not digits only";
  if (r.regras & kDigitosOuIsento) {
    const std::u16string t = texto::Trim(v);
    if (!SoDigitosAscii(v) && std::u16string_view(u"ISENTO").substr(0, t.size()) != t)
      return "neither digits nor ISENTO";
  }
  if (r.regras & kMaiusculas) {
    for (char16_t c : v) {
      if (c >= u'a' && c <= u'z') return "a lower-case letter";
    }
  }
  if ((r.regras & kSemBarra) && v.find(u'/') != std::u16string::npos) return "a slash";
  if ((r.regras & kNaoVazio) && v.empty()) return "empty";
  if ((r.regras & kSemPontuacao) && v.find_first_of(u"()-./'") != std::u16string::npos) return "punctuation";
  return std::nullopt;
}

// The value a setter must store exactly, when the rules alone do not say it.
using Exato = std::function<std::optional<std::u16string>(const std::u16string& entrada)>;

template <typename Conversor>
struct Propriedade {
  const char* nome;
  void (Conversor::*set)(const std::u16string&);
  const std::u16string& (Conversor::*get)() const;
  Limites limites;
  Exato exato;
};

std::u16string SemAspasDuplas(const std::u16string& v) { return texto::RemoveTodos(v, u'"'); }
std::u16string SemApostrofos(const std::u16string& v) { return texto::RemoveTodos(v, u'\''); }

Exato SoTiraAspas() {
  return [](const std::u16string& v) { return SemAspasDuplas(v); };
}
Exato Igual() {
  return [](const std::u16string& v) { return v; };
}
Exato Primeiros(int n) {
  return [n](const std::u16string& v) { return texto::Primeiros(v, n); };
}

#define CLI(nome) #nome, &TConverteCliente::Set##nome, &TConverteCliente::nome

const std::vector<Propriedade<TConverteCliente>>& PropriedadesCliente() {
  const unsigned A = kSemAspas;
  static const std::vector<Propriedade<TConverteCliente>> lista = {
      {CLI(CodCliente), {A | kDigitosOuIsento, 8}, {}},
      {CLI(CodFornec), {A}, SoTiraAspas()},
      {CLI(Nome), {A | kInicioAparado, 60}, {}},
      {CLI(Contato), {A | kInicioAparado, 50}, {}},
      {CLI(NomeFantasia), {A | kInicioAparado, 50}, {}},
      {CLI(Endereco), {A | kInicioAparado, 60}, {}},
      {CLI(EnderecoEntr), {A | kInicioAparado, 60}, {}},
      {CLI(EnderecoCob), {A | kInicioAparado, 60}, {}},
      {CLI(Bairro), {A, 30}, {}},
      {CLI(BairroEntr), {A, 30}, {}},
      {CLI(BairroCob), {A | kInicioAparado, 30}, {}},
      {CLI(CodCidade), {A, -1, 5, true}, {}},
      {CLI(NomeCidade), {A, 30}, {}},
      {CLI(CodCidadeEntr), {A, -1, 5, true}, {}},
      {CLI(NomeCidadeEntr), {A, 30}, {}},
      {CLI(CodCidadeCob), {A, -1, 5, true}, {}},
      {CLI(NomeCidadeCob), {A, 30}, {}},
      {CLI(Estado), {A | kMaiusculas, 2}, {}},
      {CLI(EstadoEntr), {A | kMaiusculas | kInicioAparado, 2}, {}},
      {CLI(EstadoCob), {A | kMaiusculas, 2}, {}},
      {CLI(Cep), {A | kDigitosOuIsento, 8}, {}},
      {CLI(CepEntr), {A | kDigitosOuIsento, 8}, {}},
      {CLI(CepCob), {A | kDigitosOuIsento, 8}, {}},
      {CLI(CgcCpf), {A | kDigitosOuIsento, 18}, {}},
      {CLI(InscEst), {A | kDigitosOuIsento, 15}, {}},
      {CLI(InscMunicipal), {A | kDigitosOuIsento, 15}, {}},
      {CLI(Pessoa_FJ), {A, 1}, {}},
      {CLI(Fone), {A | kDigitos, 16}, {}},
      {CLI(Fax), {A | kDigitos, 16}, {}},
      {CLI(PrefixCelular), {A, 4}, {}},
      {CLI(Celular), {A | kDigitos, 20}, {}},
      {CLI(Email), {A | kInicioAparado, 60}, {}},
      {CLI(HomePage), {A | kInicioAparado, 30}, {}},
      {CLI(Ativo), {A, 1}, {}},
      {CLI(NomeMae), {A}, SoTiraAspas()},
      {CLI(NomePai), {A}, SoTiraAspas()},
      {CLI(CliBloqueado), {A, 1}, {}},
      {CLI(MalaDiretaEletr), {A}, SoTiraAspas()},
      {CLI(ProtestarCliente), {A}, SoTiraAspas()},
      // An empty birth date stays empty; the others read an empty text as today.
      {CLI(DT_Nascimento),
       {kSemBarra},
       [](const std::u16string& v) -> std::optional<std::u16string> {
         if (v.empty()) return std::u16string();
         return std::nullopt;
       }},
      {CLI(DT_Cadastro), {kSemBarra | kNaoVazio}, {}},
      {CLI(Dt_Ult_Venda), {kSemBarra}, {}},
      {CLI(DT_ValCad), {kSemBarra}, {}},
      {CLI(Observacao), {A, 100}, {}},
      {CLI(CampoLivre1), {A, 20}, {}},
      {CLI(CampoLivre2), {A, 20}, {}},
      {CLI(CampoLivre3), {A, 60}, {}},
      {CLI(CampoLivre4), {A, 60}, {}},
      {CLI(CampoLivre5), {A, 40}, {}},
      {CLI(CampoLivre6), {A, 40}, {}},
      {CLI(CampoLivre7), {A, 40}, {}},
      {CLI(CampoLivre8), {A, 40}, {}},
      {CLI(CampoLivre9), {A, 40}, {}},
      {CLI(CampoLivre10), {A, 40}, {}},
      {CLI(CodPais), {A | kDigitos, 4}, {}},
      {CLI(NomeSocio), {A, 50}, {}},
      {CLI(CodSegmento), {A}, SoTiraAspas()},
      {CLI(CodClasCli), {A}, {}},
      {CLI(CodVendend1), {A}, SoTiraAspas()},
  };
  return lista;
}

#undef CLI
#define FOR(nome) #nome, &TConverteFornece::Set##nome, &TConverteFornece::nome

const std::vector<Propriedade<TConverteFornece>>& PropriedadesFornecedor() {
  const unsigned S = kSemApostrofo;
  static const std::vector<Propriedade<TConverteFornece>> lista = {
      {FOR(CodFornec), {S, -1, 6}, {}},
      // Empty until a value is given: the reset leaves it alone.
      {FOR(CodCliente), {S, -1, 8, true}, {}},
      {FOR(Nome), {S | kInicioAparado, 50}, {}},
      {FOR(NomeFantasia), {S | kInicioAparado, 40}, {}},
      {FOR(Contato), {S | kInicioAparado, 30}, {}},
      {FOR(Endereco), {S, 50}, [](const std::u16string& v) { return texto::Primeiros(SemApostrofos(v), 50); }},
      {FOR(Bairro), {S | kInicioAparado, 30}, {}},
      {FOR(Cep), {S | kSemPontuacao, 9}, {}},
      {FOR(CodCidade), {S, -1, 5, true}, {}},
      // Held, never written.
      {FOR(NomeCidade), {S | kInicioAparado, 30}, {}},
      {FOR(Numero), {S, 10}, [](const std::u16string& v) { return texto::Primeiros(SemApostrofos(v), 10); }},
      {FOR(Complemento), {S | kAparado, 60}, {}},
      {FOR(Estado), {S, 2}, [](const std::u16string& v) { return texto::Primeiros(SemApostrofos(v), 2); }},
      {FOR(InscMunicipal), {S | kDigitosOuIsento, 15}, {}},
      {FOR(Pessoa_FJ), {S, 1}, {}},
      {FOR(CgcCpf), {S | kDigitosOuIsento, 14}, {}},
      {FOR(InscEst), {S | kDigitosOuIsento, 15}, {}},
      {FOR(Fone), {S | kDigitos, 16}, {}},
      {FOR(Fax), {S | kDigitos, 16}, {}},
      {FOR(Celular), {S | kDigitos, 16}, {}},
      {FOR(Email), {S | kAparado}, {}},
      {FOR(HomePage), {S, 30}, {}},
      {FOR(CampoLivre1), {S | kInicioAparado, 20}, {}},
      {FOR(CampoLivre2), {S | kInicioAparado, 20}, {}},
      {FOR(Observacao), {S, 100}, {}},
      // The one value that may hold an apostrophe.
      {FOR(Ativo), {kMaiusculas, 1}, {}},
      {FOR(TipoFornece), {S}, [](const std::u16string& v) { return SemApostrofos(v); }},
      {FOR(ContaCx), {S | kInicioAparado, 7}, {}},
      {FOR(CTCTbred), {S | kInicioAparado, 7}, {}},
  };
  return lista;
}

#undef FOR
#define COM(nome) #nome, &TConverteCompClie::Set##nome, &TConverteCompClie::nome

// The complement's values reach the database as parameters: only cut.
const std::vector<Propriedade<TConverteCompClie>>& PropriedadesComplemento() {
  static const std::vector<Propriedade<TConverteCompClie>> lista = {
      {COM(Codcliente), {0, -1, 8, true}, {}}, {COM(RefComerciais), {}, Igual()},
      {COM(RefBancarias), {}, Igual()},        {COM(Usuario), {0, 10}, Primeiros(10)},
      {COM(Data_lib), {0, 10}, Primeiros(10)}, {COM(EnderecoNfe), {0, 60}, Primeiros(60)},
      {COM(NumeroNfe), {0, 5}, Primeiros(5)},  {COM(ComplementoNfe), {0, 60}, Primeiros(60)},
  };
  return lista;
}

#undef COM

template <typename Conversor>
std::vector<std::u16string> Valores(const Conversor& c, const std::vector<Propriedade<Conversor>>& props) {
  std::vector<std::u16string> v;
  v.reserve(props.size());
  for (const auto& p : props) v.push_back((c.*p.get)());
  return v;
}

template <typename Conversor>
void VerificaValor(const Conversor& c, const Propriedade<Conversor>& p) {
  const std::u16string& v = (c.*p.get)();
  if (auto erro = Viola(v, p.limites)) Falha(std::string(p.nome) + " holds " + Visivel(v) + ": " + *erro);
}

template <typename Conversor>
void Atribui(Conversor& c, const std::vector<Propriedade<Conversor>>& props, std::size_t indice,
             const std::u16string& valor) {
  const Propriedade<Conversor>& p = props[indice];
  const std::vector<std::u16string> antes = Valores(c, props);
  (c.*p.set)(valor);
  const std::vector<std::u16string> depois = Valores(c, props);
  auto onde = [&] { return std::string(p.nome) + " <- " + Visivel(valor); };
  for (std::size_t j = 0; j < props.size(); ++j) {
    // Each setter writes only its own value.
    if (j != indice) {
      FUZZ_VERIFICA(antes[j] == depois[j], onde() + " changed " + props[j].nome);
    }
  }
  VerificaValor(c, p);
  if (p.exato) {
    if (const auto esperado = p.exato(valor)) {
      FUZZ_VERIFICA((c.*p.get)() == *esperado,
                    onde() + " -> " + Visivel((c.*p.get)()) + ", expected " + Visivel(*esperado));
    }
  }
}

// ---- statements read back ----

struct Token {
  enum Tipo { Palavra, Texto, TextoDuplo, Sinal } tipo;
  std::u16string valor;  // quoted texts undoubled and without their quotes
  friend bool operator==(const Token&, const Token&) = default;
};

std::string Mostra(const Token& t) {
  const char* tipos[] = {"word", "text", "double-quoted", "sign"};
  return std::string(tipos[t.tipo]) + " " + Visivel(t.valor);
}

// The statement as the layer sees it: words, quoted texts (a doubled quote is
// two stretches that touch), the signs ( ) , =. A comment is an error here.
std::vector<Token> Tokens(const std::u16string& sql) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  auto fimDePalavra = [](char16_t c) {
    return Branco(c) || c == u'(' || c == u')' || c == u',' || c == u'=' || c == u'\'' || c == u'"';
  };
  while (i < sql.size()) {
    const char16_t c = sql[i];
    if (Branco(c)) {
      ++i;
    } else if (c == u'\'' || c == u'"') {
      Token t{c == u'\'' ? Token::Texto : Token::TextoDuplo, {}};
      bool primeiro = true;
      while (i < sql.size() && sql[i] == c) {
        const std::size_t fim = sql::FimDoTrecho(sql, i);
        if (fim - i < 2 || sql[fim - 1] != c) Falha("an unclosed quote in " + Visivel(sql));
        if (!primeiro) t.valor.push_back(c);
        t.valor.append(sql, i + 1, fim - i - 2);
        primeiro = false;
        i = fim;
        if (c == u'"') break;
      }
      tokens.push_back(std::move(t));
    } else if (c == u'(' || c == u')' || c == u',' || c == u'=') {
      tokens.push_back({Token::Sinal, std::u16string(1, c)});
      ++i;
    } else {
      if (sql::FimDoTrecho(sql, i) != i) Falha("a comment in " + Visivel(sql));
      std::size_t fim = i;
      while (fim < sql.size() && !fimDePalavra(sql[fim]) && sql::FimDoTrecho(sql, fim) == fim) ++fim;
      if (fim == i) ++fim;
      tokens.push_back({Token::Palavra, sql.substr(i, fim - i)});
      i = fim;
    }
  }
  return tokens;
}

// What a column must receive.
using Esperados = std::map<std::u16string, Token>;

Token Texto(const std::u16string& v) { return {Token::Texto, v}; }
Token Palavra(const std::u16string& v) { return {Token::Palavra, v}; }
const Token kN{Token::TextoDuplo, u"N"};

class Leitor {
 public:
  Leitor(const std::u16string& sql) : sql_(sql), tokens_(Tokens(sql)) {}

  const Token& Proximo() {
    if (i_ >= tokens_.size()) Falha("the statement ends too soon: " + Visivel(sql_));
    return tokens_[i_++];
  }
  void Espera(const Token& t) {
    const Token& lido = Proximo();
    if (!(lido == t)) Falha("expected " + Mostra(t) + ", read " + Mostra(lido) + " in " + Visivel(sql_));
  }
  void EsperaPalavra(const std::u16string& p) {
    const Token& lido = Proximo();
    if (lido.tipo != Token::Palavra || !texto::IgualSemCaixa(lido.valor, p)) {
      Falha("expected " + Visivel(p) + ", read " + Mostra(lido) + " in " + Visivel(sql_));
    }
  }
  bool Fim() const { return i_ == tokens_.size(); }
  const std::u16string& Sql() const { return sql_; }

  // "( a , b , ... )": the items, each one token.
  std::vector<Token> Lista() {
    Espera({Token::Sinal, u"("});
    std::vector<Token> itens;
    for (;;) {
      itens.push_back(Proximo());
      const Token& s = Proximo();
      if (s == Token{Token::Sinal, u")"}) return itens;
      if (!(s == Token{Token::Sinal, u","})) Falha("expected , or ), read " + Mostra(s) + " in " + Visivel(sql_));
    }
  }

 private:
  std::u16string sql_;
  std::vector<Token> tokens_;
  std::size_t i_ = 0;
};

void ComparaColunas(const Leitor& leitor, const std::vector<std::pair<std::u16string, Token>>& lidos,
                    const Esperados& esperados) {
  std::set<std::u16string> vistas;
  for (const auto& [coluna, valor] : lidos) {
    const std::u16string nome = texto::LowerCase(coluna);
    if (!vistas.insert(nome).second) Falha("column " + Visivel(nome) + " twice in " + Visivel(leitor.Sql()));
    const auto it = esperados.find(nome);
    if (it == esperados.end()) Falha("unexpected column " + Visivel(nome) + " in " + Visivel(leitor.Sql()));
    if (!(valor == it->second)) {
      Falha("column " + Visivel(nome) + " gets " + Mostra(valor) + ", expected " + Mostra(it->second) + " in " +
            Visivel(leitor.Sql()));
    }
  }
  for (const auto& [nome, valor] : esperados) {
    if (!vistas.count(nome)) Falha("column " + Visivel(nome) + " missing in " + Visivel(leitor.Sql()));
  }
}

// INSERT INTO tabela ( colunas ) VALUES ( valores ): one value per column, each
// the expected one.
void VerificaInsercao(const std::u16string& sql, const std::u16string& tabela, const Esperados& esperados) {
  Leitor l(sql);
  l.EsperaPalavra(u"Insert");
  l.EsperaPalavra(u"Into");
  l.EsperaPalavra(tabela);
  const std::vector<Token> colunas = l.Lista();
  l.EsperaPalavra(u"Values");
  const std::vector<Token> valores = l.Lista();
  FUZZ_VERIFICA(l.Fim(), Visivel(sql));
  FUZZ_VERIFICA(colunas.size() == valores.size(), std::to_string(colunas.size()) + " columns, " +
                                                      std::to_string(valores.size()) + " values: " + Visivel(sql));
  std::vector<std::pair<std::u16string, Token>> pares;
  for (std::size_t i = 0; i < colunas.size(); ++i) {
    FUZZ_VERIFICA(colunas[i].tipo == Token::Palavra, Mostra(colunas[i]));
    pares.emplace_back(colunas[i].valor, valores[i]);
  }
  ComparaColunas(l, pares, esperados);
}

// UPDATE tabela SET coluna = valor, ... WHERE chave = valor.
void VerificaAtualizacao(const std::u16string& sql, const std::u16string& tabela, const Esperados& esperados,
                         const std::u16string& chave, const Token& valorChave) {
  Leitor l(sql);
  l.EsperaPalavra(u"Update");
  l.EsperaPalavra(tabela);
  l.EsperaPalavra(u"set");
  std::vector<std::pair<std::u16string, Token>> pares;
  for (;;) {
    const Token coluna = l.Proximo();
    FUZZ_VERIFICA(coluna.tipo == Token::Palavra, Mostra(coluna) + " in " + Visivel(sql));
    l.Espera({Token::Sinal, u"="});
    pares.emplace_back(coluna.valor, l.Proximo());
    const Token s = l.Proximo();
    if (s.tipo == Token::Palavra && texto::IgualSemCaixa(s.valor, u"where")) break;
    FUZZ_VERIFICA(s == (Token{Token::Sinal, u","}), Mostra(s) + " in " + Visivel(sql));
  }
  l.EsperaPalavra(chave);
  l.Espera({Token::Sinal, u"="});
  l.Espera(valorChave);
  FUZZ_VERIFICA(l.Fim(), Visivel(sql));
  ComparaColunas(l, pares, esperados);
}

// How many characters of each kind that shapes a statement: quotes, signs,
// blanks (line breaks included).
std::vector<std::size_t> Estrutura(const std::u16string& sql) {
  const std::u16string_view sinais = u"'\"(),=-/*:";
  std::vector<std::size_t> n(sinais.size() + 1, 0);
  for (char16_t c : sql) {
    if (Branco(c)) {
      ++n.back();
    } else if (auto p = sinais.find(c); p != std::u16string_view::npos) {
      ++n[p];
    }
  }
  return n;
}

// The statement as the layer takes it: one line whatever line breaks the
// values hold, no parameter marker, and the same structure once in the code
// page (no character becomes a quote there).
void VerificaNoObjeto(TIBQuery& q, const std::u16string& sql) {
  q.SQL().SetText(sql);
  FUZZ_VERIFICA(q.ParamCount() == 0, Visivel(sql));
  FUZZ_VERIFICA(q.SQL().Count() == 1 && q.SQL()[0] == sql, Visivel(sql));
  const std::u16string ansi = codepage::DeAnsi(codepage::ParaAnsi(sql));
  FUZZ_VERIFICA(Estrutura(ansi) == Estrutura(sql), Visivel(sql) + " in the code page: " + Visivel(ansi));
}

Esperados ColunasDoCliente(const TConverteCliente& c) {
  Esperados e;
  const std::pair<const char16_t*, const std::u16string&> textos[] = {
      {u"codcliente", c.CodCliente()},
      {u"nome", c.Nome()},
      {u"nomefantasia", c.NomeFantasia()},
      {u"endereco", c.Endereco()},
      {u"bairro", c.Bairro()},
      {u"codcidade", c.CodCidade()},
      {u"estado", c.Estado()},
      {u"cep", c.Cep()},
      {u"cgccpf", c.CgcCpf()},
      {u"inscest", c.InscEst()},
      {u"pessoa_fj", c.Pessoa_FJ()},
      {u"fone", c.Fone()},
      {u"fax", c.Fax()},
      {u"prefixcelular", c.PrefixCelular()},
      {u"celular", c.Celular()},
      {u"campolivre1", c.CampoLivre1()},
      {u"campolivre2", c.CampoLivre2()},
      {u"campolivre3", c.CampoLivre3()},
      {u"campolivre4", c.CampoLivre4()},
      {u"campolivre5", c.CampoLivre5()},
      {u"campolivre6", c.CampoLivre6()},
      {u"campolivre7", c.CampoLivre7()},
      {u"campolivre8", c.CampoLivre8()},
      {u"campolivre9", c.CampoLivre9()},
      {u"campolivre10", c.CampoLivre10()},
      {u"observacao", c.Observacao()},
      {u"email", c.Email()},
      {u"homepage", c.HomePage()},
      {u"enderecocob", c.EnderecoCob()},
      {u"bairrocob", c.BairroCob()},
      {u"cepcob", c.CepCob()},
      {u"codcidadecob", c.CodCidadeCob()},
      {u"estadocob", c.EstadoCob()},
      {u"enderecoent", c.EnderecoEntr()},
      {u"bairroent", c.BairroEntr()},
      {u"cepent", c.CepEntr()},
      {u"codcidadeent", c.CodCidadeEntr()},
      {u"estadoent", c.EstadoEntr()},
      {u"codfornec", c.CodFornec()},
      {u"contato", c.Contato()},
      {u"codsegmento", c.CodSegmento()},
      {u"codclascli", c.CodClasCli()},
      {u"codvendend1", c.CodVendend1()},
      {u"codpais", c.CodPais()},
      {u"nomesocio", c.NomeSocio()},
      {u"ativo", c.Ativo()},
      {u"clibloqueado", c.CliBloqueado()},
      {u"dt_nascimento", c.DT_Nascimento()},
      {u"dt_ultvenda", c.Dt_Ult_Venda()},
      {u"dt_cadastro", c.DT_Cadastro()},
      {u"dt_valcad", c.DT_ValCad()},
  };
  for (const auto& [coluna, valor] : textos) e.emplace(std::u16string(u"cliente.") + coluna, Texto(valor));
  // The credit limit goes unquoted, with "." for decimals.
  e.emplace(u"cliente.limitecredito", Palavra(regional::FormataReal(c.LimiteCredito(), u'.')));
  // Two flags are always the dialect 1 text constant "N".
  e.emplace(u"cliente.maladiretaeletr", kN);
  e.emplace(u"cliente.protestarcliente", kN);
  return e;
}

void VerificaCliente(TConverteCliente& c) {
  const Esperados todas = ColunasDoCliente(c);

  // The insert leaves an empty date's column out, so it stays NULL.
  Esperados insercao = todas;
  for (const char16_t* data :
       {u"cliente.dt_nascimento", u"cliente.dt_ultvenda", u"cliente.dt_cadastro", u"cliente.dt_valcad"}) {
    if (insercao.at(data).valor.empty()) insercao.erase(data);
  }
  const std::u16string insere = c.MontaSqlInsere();
  VerificaInsercao(insere, u"Cliente", insercao);
  VerificaNoObjeto(*c.StatementDestino(), insere);

  // The update sets every column but the key, empties the empty dates and
  // always unblocks the client.
  Esperados atualizacao = todas;
  atualizacao.erase(u"cliente.codcliente");
  for (const char16_t* data :
       {u"cliente.dt_nascimento", u"cliente.dt_ultvenda", u"cliente.dt_cadastro", u"cliente.dt_valcad"}) {
    if (atualizacao.at(data).valor.empty()) atualizacao.at(data) = Palavra(u"NULL");
  }
  atualizacao.at(u"cliente.clibloqueado") = kN;
  const std::u16string atualiza = c.AtualizaCliente();
  VerificaAtualizacao(atualiza, u"Cliente", atualizacao, u"cliente.codcliente", Texto(c.CodCliente()));
  VerificaNoObjeto(*c.StatementDestino(), atualiza);
}

void VerificaFornecedor(TConverteFornece& f) {
  Esperados e;
  const std::pair<const char16_t*, const std::u16string&> textos[] = {
      {u"codfornec", f.CodFornec()},
      {u"nome", f.Nome()},
      {u"nomefantasia", f.NomeFantasia()},
      {u"contato", f.Contato()},
      {u"endereco", f.Endereco()},
      {u"bairro", f.Bairro()},
      {u"cep", f.Cep()},
      {u"codcidade", f.CodCidade()},
      {u"numero", f.Numero()},
      {u"complemento", f.Complemento()},
      {u"estado", f.Estado()},
      {u"inscmunicipal", f.InscMunicipal()},
      {u"pessoa_fj", f.Pessoa_FJ()},
      {u"cgccpf", f.CgcCpf()},
      {u"inscest", f.InscEst()},
      {u"observacao", f.Observacao()},
      {u"fone", f.Fone()},
      {u"fax", f.Fax()},
      {u"celular", f.Celular()},
      {u"email", f.Email()},
      {u"homepage", f.HomePage()},
      {u"campolivre1", f.CampoLivre1()},
      {u"campolivre2", f.CampoLivre2()},
      {u"codcliente", f.CodCliente()},
      {u"ativo", f.Ativo()},
      {u"tipofornece", f.TipoFornece()},
      {u"contacx", f.ContaCx()},
      {u"ctctbred", f.CTCTbred()},
  };
  for (const auto& [coluna, valor] : textos) e.emplace(std::u16string(u"fornece.") + coluna, Texto(valor));
  const std::u16string sql = f.MontaSql();
  VerificaInsercao(sql, u"fornece", e);
  VerificaNoObjeto(*f.StatementDestino(), sql);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The date setters read an empty date as today.
  regional::FixaAgora(regional::DataHora{2024, 2, 29, 13, 45, 10, 0});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::Entrada e(dados, tamanho);
  const double limite = e.Real();
  const std::vector<std::u16string> partes = fuzz::Partes(e.Texto());

  TIBDatabase banco;
  TConverteCliente cliente(&banco);
  TConverteCompClie complemento(&banco);
  TConverteFornece fornecedor(&banco);

  // The values right after creation keep the rules too.
  for (const auto& p : PropriedadesCliente()) VerificaValor(cliente, p);
  for (const auto& p : PropriedadesFornecedor()) VerificaValor(fornecedor, p);
  for (const auto& p : PropriedadesComplemento()) VerificaValor(complemento, p);

  cliente.SetLimiteCredito(limite);
  const std::size_t nCliente = PropriedadesCliente().size();
  const std::size_t nFornecedor = PropriedadesFornecedor().size();
  const std::size_t nComplemento = PropriedadesComplemento().size();
  for (const std::u16string& parte : partes) {
    if (parte.empty()) continue;
    const std::size_t escolha = parte.front() % (nCliente + nFornecedor + nComplemento);
    const std::u16string valor = parte.substr(1);
    if (escolha < nCliente) {
      Atribui(cliente, PropriedadesCliente(), escolha, valor);
    } else if (escolha < nCliente + nFornecedor) {
      Atribui(fornecedor, PropriedadesFornecedor(), escolha - nCliente, valor);
    } else {
      Atribui(complemento, PropriedadesComplemento(), escolha - nCliente - nFornecedor, valor);
    }
  }

  VerificaCliente(cliente);
  VerificaFornecedor(fornecedor);

  // Reset: back within the rules (the statements of the initial values are
  // those of an input without parts).
  cliente.LimpaVariavel();
  fornecedor.LimpaVariavel();
  complemento.LimpaVariavel();
  for (const auto& p : PropriedadesCliente()) VerificaValor(cliente, p);
  for (const auto& p : PropriedadesFornecedor()) VerificaValor(fornecedor, p);
  for (const auto& p : PropriedadesComplemento()) VerificaValor(complemento, p);
  FUZZ_VERIFICA(complemento.Data_lib() == u"01/01/1900", Visivel(complemento.Data_lib()));
  return 0;
}
