// Statement texts in the database layer: the stretches that are not statement
// (quoted text, comments), the split into lines in both modes, the named
// parameter markers a statement object finds, and the name=value lines, on
// any text. Nothing here connects to a database.
//
// Input: one byte of options, then the text (see Entrada.h); a U+001E in the
// text starts the second text (a value quoted into a statement, a name=value
// pair).
#include <cstdint>
#include <string>
#include <vector>

#include "Entrada.h"
#include "banco/IBDatabase.h"
#include "banco/IBErro.h"
#include "banco/IBQuery.h"
#include "comum/ListaTexto.h"
#include "comum/Texto.h"
#include "comum/TrechoSql.h"
#include "conversao/classConversao.h"

namespace {

using comum::TStringList;
using fuzz::Visivel;

bool Quebra(char16_t c) { return c == u'\r' || c == u'\n'; }

// ---- stretches ----

// What FimDoTrecho promises for position i.
void VerificaTrecho(const std::u16string& t, std::size_t i) {
  const std::size_t fim = sql::FimDoTrecho(t, i);
  // Built only when a check fails: the text may be long.
  auto onde = [&] { return Visivel(t) + " at " + std::to_string(i) + " -> " + std::to_string(fim); };
  if (i >= t.size()) {
    FUZZ_VERIFICA(fim == i, onde());
    return;
  }
  FUZZ_VERIFICA(fim >= i && fim <= t.size(), onde());
  const char16_t c = t[i];
  const char16_t seguinte = i + 1 < t.size() ? t[i + 1] : u'\0';
  if (c == u'\'' || c == u'"') {
    // Up to the next quote of the same kind, or to the end when unclosed.
    const std::size_t fecha = t.find(c, i + 1);
    FUZZ_VERIFICA(fim == (fecha == std::u16string::npos ? t.size() : fecha + 1), onde());
  } else if (c == u'-' && seguinte == u'-') {
    // Up to the line break, which is not part of it.
    FUZZ_VERIFICA(fim >= i + 2, onde());
    for (std::size_t k = i; k < fim; ++k) FUZZ_VERIFICA(!Quebra(t[k]), onde());
    FUZZ_VERIFICA(fim == t.size() || Quebra(t[fim]), onde());
  } else if (c == u'/' && seguinte == u'*') {
    const std::size_t fecha = t.find(u"*/", i + 2);
    FUZZ_VERIFICA(fim == (fecha == std::u16string::npos ? t.size() : fecha + 2), onde());
  } else {
    FUZZ_VERIFICA(fim == i, onde());
  }
}

// Whether the text ends inside a quote or a /* comment that never closes.
bool TerminaAberto(const std::u16string& t) {
  std::size_t i = 0;
  while (i < t.size()) {
    const std::size_t fim = sql::FimDoTrecho(t, i);
    if (fim == i) {
      ++i;
      continue;
    }
    if (fim == t.size()) {
      const char16_t c = t[i];
      if (c == u'\'' || c == u'"') return fim - i < 2 || t[fim - 1] != c;
      if (c == u'/') return fim - i < 4 || t.compare(fim - 2, 2, u"*/") != 0;
      return false;  // a "--" comment may end with the text
    }
    i = fim;
  }
  return false;
}

// ---- lines ----

std::vector<std::u16string> Linhas(const std::u16string& texto, TStringList::Divisao divisao) {
  TStringList l(divisao);
  l.SetText(texto);
  return l.Linhas();
}

void VerificaEmCadaQuebra(const std::u16string& t) {
  const auto linhas = Linhas(t, TStringList::Divisao::EmCadaQuebra);
  std::u16string juntas;
  for (const auto& l : linhas) {
    for (char16_t c : l) FUZZ_VERIFICA(!Quebra(c), "a line break inside a line: " + Visivel(t));
    juntas += l;
  }
  // Only the breaks go: CR LF, LF or CR each end one line.
  std::u16string semQuebras;
  std::size_t quebras = 0;
  for (std::size_t i = 0; i < t.size(); ++i) {
    if (Quebra(t[i])) {
      ++quebras;
      if (t[i] == u'\r' && i + 1 < t.size() && t[i + 1] == u'\n') ++i;
    } else {
      semQuebras.push_back(t[i]);
    }
  }
  FUZZ_VERIFICA(juntas == semQuebras, Visivel(t));
  const bool ultimaSemQuebra = !t.empty() && !Quebra(t.back());
  FUZZ_VERIFICA(linhas.size() == quebras + (ultimaSemQuebra ? 1 : 0), Visivel(t));

  TStringList l;
  l.SetText(t);
  const std::u16string texto = l.Text();
  FUZZ_VERIFICA(Linhas(texto, TStringList::Divisao::EmCadaQuebra) == linhas, Visivel(t));
}

// Each line of a statement text: no line break outside its stretches.
void VerificaLinhaDeComando(const std::u16string& linha, const std::u16string& t) {
  for (std::size_t i = 0; i < linha.size(); ++i) {
    const std::size_t fim = sql::FimDoTrecho(linha, i);
    if (fim > i) {
      i = fim - 1;
    } else {
      FUZZ_VERIFICA(!Quebra(linha[i]), "a line break outside quotes inside a line: " + Visivel(t));
    }
  }
}

void VerificaForaDeAspas(const std::u16string& t) {
  const auto linhas = Linhas(t, TStringList::Divisao::ForaDeAspas);
  std::size_t soma = 0;
  for (const auto& l : linhas) {
    VerificaLinhaDeComando(l, t);
    soma += l.size();
  }
  FUZZ_VERIFICA(soma <= t.size(), Visivel(t));
  // A text without breaks outside quotes is one line, as it was.
  if (!t.empty() && linhas.size() == 1 && !Quebra(t.back())) FUZZ_VERIFICA(linhas[0] == t, Visivel(t));

  // Joined with CR LF and split again, the lines come back; a text left inside
  // an unclosed quote or comment takes the final CR LF into it.
  TStringList l(TStringList::Divisao::ForaDeAspas);
  l.SetText(t);
  const std::u16string texto = l.Text();
  auto denovo = Linhas(texto, TStringList::Divisao::ForaDeAspas);
  if (TerminaAberto(t) && !denovo.empty()) {
    auto& ultima = denovo.back();
    FUZZ_VERIFICA(ultima.size() >= 2 && ultima.compare(ultima.size() - 2, 2, u"\r\n") == 0, Visivel(t));
    ultima.resize(ultima.size() - 2);
  }
  FUZZ_VERIFICA(denovo == linhas, Visivel(t) + " joined as " + Visivel(texto));
}

void VerificaValores(const std::u16string& nome, const std::u16string& valor, const std::u16string& t) {
  TStringList l;
  l.SetText(t);
  const int antes = l.Count();
  bool tinha = false;
  for (const auto& linha : l.Linhas()) {
    if (linha.find(u'=') != std::u16string::npos && texto::IgualSemCaixa(TStringList::NomeDaLinha(linha), nome)) {
      tinha = true;
    }
  }
  int avisos = 0;
  l.AoMudar = [&avisos] { ++avisos; };
  l.SetValues(nome, valor);
  FUZZ_VERIFICA(avisos == 1, Visivel(nome));
  FUZZ_VERIFICA(l.Count() == antes + (tinha ? 0 : 1), Visivel(nome) + " in " + Visivel(t));
  // A name with "=" in it cannot be found again: the line's name ends there.
  if (nome.find(u'=') == std::u16string::npos) {
    FUZZ_VERIFICA(l.Values(nome) == valor, Visivel(nome) + " = " + Visivel(valor) + " in " + Visivel(t));
    FUZZ_VERIFICA(l.Values(texto::LowerCase(nome)) == valor, Visivel(nome));
  }
}

// ---- parameter markers ----

bool InicioDeNome(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_'; }
bool ParteDeNome(char16_t c) { return InicioDeNome(c) || (c >= u'0' && c <= u'9') || c == u'$'; }

// The markers of a statement text: ":" and a name, outside quotes and comments.
std::vector<std::u16string> Marcadores(const std::u16string& t) {
  std::vector<std::u16string> nomes;
  std::size_t i = 0;
  while (i < t.size()) {
    const std::size_t fim = sql::FimDoTrecho(t, i);
    if (fim > i) {
      i = fim;
      continue;
    }
    if (t[i] == u':' && i + 1 < t.size() && InicioDeNome(t[i + 1])) {
      std::size_t f = i + 1;
      while (f < t.size() && ParteDeNome(t[f])) ++f;
      nomes.push_back(t.substr(i + 1, f - i - 1));
      i = f;
    } else {
      ++i;
    }
  }
  return nomes;
}

void VerificaParametros(TIBQuery& q, const std::u16string& t, bool porLinhas) {
  if (porLinhas) {
    q.SQL().Clear();
    for (const auto& l : Linhas(t, TStringList::Divisao::EmCadaQuebra)) q.SQL().Add(l);
  } else {
    q.SQL().SetText(t);
  }
  const std::vector<std::u16string> nomes = Marcadores(q.SQL().Text());
  FUZZ_VERIFICA(
      q.ParamCount() == static_cast<int>(nomes.size()),
      Visivel(t) + ": " + std::to_string(q.ParamCount()) + " parameters, " + std::to_string(nomes.size()) + " markers");
  for (int i = 0; i < q.ParamCount(); ++i) {
    FUZZ_VERIFICA(q.Params(i).Name() == nomes[static_cast<std::size_t>(i)], Visivel(t));
    FUZZ_VERIFICA(q.Params(i).IsNull(), Visivel(t));
    // ParamByName gives the first of that name, whatever its case.
    TParam& p = q.ParamByName(texto::LowerCase(nomes[static_cast<std::size_t>(i)]));
    FUZZ_VERIFICA(texto::IgualSemCaixa(p.Name(), nomes[static_cast<std::size_t>(i)]) && &p <= &q.Params(i), Visivel(t));
  }

  // A value given to every marker carries over when the text is set again: a
  // name takes the value of the first one of that name.
  for (int i = 0; i < q.ParamCount(); ++i) q.Params(i).SetAsString(texto::IntParaTexto(i));
  q.SQL().SetText(q.SQL().Text());
  FUZZ_VERIFICA(q.ParamCount() == static_cast<int>(nomes.size()), Visivel(t));
  for (int i = 0; i < q.ParamCount(); ++i) {
    std::size_t primeiro = 0;
    while (!texto::IgualSemCaixa(nomes[primeiro], nomes[static_cast<std::size_t>(i)])) ++primeiro;
    FUZZ_VERIFICA(
        !q.Params(i).IsNull() && q.Params(i).AsString() == texto::IntParaTexto(static_cast<std::int64_t>(primeiro)),
        Visivel(t) + " parameter " + std::to_string(i));
  }

  bool falhou = false;
  try {
    q.ParamByName(u"?nenhum");
  } catch (const EIBClientError&) {
    falhou = true;
  }
  FUZZ_VERIFICA(falhou, "a parameter without a marker was found: " + Visivel(t));
}

// A quoted value cannot add, hide or break a marker of the statement around it.
void VerificaValorCitado(TIBQuery& q, const std::u16string& valor) {
  const std::u16string sql = u"UPDATE T SET A = " + QuotedStr(valor) + u" WHERE B = :CHAVE -- ':X'\n AND C = :c";
  q.SQL().SetText(sql);
  FUZZ_VERIFICA(q.ParamCount() == 2, Visivel(sql));
  FUZZ_VERIFICA(q.Params(0).Name() == u"CHAVE" && q.Params(1).Name() == u"c", Visivel(sql));
  // The quoted value keeps its line breaks: the statement is two lines.
  FUZZ_VERIFICA(q.SQL().Count() == 2, Visivel(sql));
  FUZZ_VERIFICA(q.SQL()[0] == u"UPDATE T SET A = " + QuotedStr(valor) + u" WHERE B = :CHAVE -- ':X'", Visivel(sql));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::Entrada e(dados, tamanho);
  const std::uint8_t opcoes = e.Byte();
  const std::u16string t = e.Texto();
  const std::vector<std::u16string> partes = fuzz::Partes(t);

  // Every position of a short text; of a long one, the first and the last
  // thousand (each check may scan to the end).
  for (std::size_t i = 0; i <= t.size(); ++i) {
    if (i == 1000 && t.size() > 2000) i = t.size() - 1000;
    VerificaTrecho(t, i);
  }
  VerificaTrecho(t, t.size() + 1 + opcoes);

  VerificaEmCadaQuebra(t);
  VerificaForaDeAspas(t);
  if (partes.size() > 1) VerificaValores(partes[0], partes[1], partes.size() > 2 ? partes[2] : std::u16string());

  // A statement object bound to a connection that never connects.
  TIBDatabase banco;
  TIBQuery q;
  q.SetDatabase(&banco);
  VerificaParametros(q, t, (opcoes & 1) != 0);
  VerificaValorCitado(q, partes.back());
  return 0;
}
