// The core's own text helpers that everything else stands on: the line list
// of statement texts, the code page and the reading of dates.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "comum/CodePage.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/ListaTexto.h"
#include "comum/TrechoSql.h"

namespace {

using comum::TStringList;

std::vector<std::u16string> Linhas(const std::u16string& texto, TStringList::Divisao divisao) {
  TStringList l(divisao);
  l.SetText(texto);
  return l.Linhas();
}

TEST(ListaTexto, QuebrasDentroDeAspasEComentariosFicamNaLinha) {
  using D = TStringList::Divisao;
  struct Caso {
    std::u16string texto;
    std::vector<std::u16string> emCadaQuebra;
    std::vector<std::u16string> foraDeAspas;
  };
  const std::vector<Caso> casos = {
      {u"A\r\nB\nC\rD\r\n", {u"A", u"B", u"C", u"D"}, {u"A", u"B", u"C", u"D"}},
      {u"X = 'a\nb'\nY", {u"X = 'a", u"b'", u"Y"}, {u"X = 'a\nb'", u"Y"}},
      {u"'a''\r\n''b'", {u"'a''", u"''b'"}, {u"'a''\r\n''b'"}},
      {u"\"x\ry\"", {u"\"x", u"y\""}, {u"\"x\ry\""}},
      {u"-- it's\nSELECT '\n'", {u"-- it's", u"SELECT '", u"'"}, {u"-- it's", u"SELECT '\n'"}},
      {u"/* a\n'b */ X\n", {u"/* a", u"'b */ X"}, {u"/* a\n'b */ X"}},
      {u"'open\nend", {u"'open", u"end"}, {u"'open\nend"}},
      {u"", {}, {}},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(Linhas(c.texto, D::EmCadaQuebra), c.emCadaQuebra);
    EXPECT_EQ(Linhas(c.texto, D::ForaDeAspas), c.foraDeAspas);
  }
  TStringList sql(D::ForaDeAspas);
  sql.SetText(u"INSERT INTO T VALUES ('a\nb')\nCOMMIT");
  EXPECT_EQ(sql.Text(), u"INSERT INTO T VALUES ('a\nb')\r\nCOMMIT\r\n");
}

TEST(TrechoSql, FimDeAspasEComentarios) {
  const std::u16string t = u"a 'b''c' \"d\" -- e\nf /* g */ '";
  EXPECT_EQ(sql::FimDoTrecho(t, 0), 0u);
  EXPECT_EQ(sql::FimDoTrecho(t, 2), 5u);   // 'b'
  EXPECT_EQ(sql::FimDoTrecho(t, 5), 8u);   // 'c'
  EXPECT_EQ(sql::FimDoTrecho(t, 9), 12u);  // "d"
  EXPECT_EQ(t[sql::FimDoTrecho(t, 13)], u'\n');
  EXPECT_EQ(t.substr(sql::FimDoTrecho(t, 20) - 2, 2), u"*/");
  EXPECT_EQ(sql::FimDoTrecho(t, t.size() - 1), t.size());  // an unclosed quote runs to the end
  EXPECT_EQ(sql::FimDoTrecho(t, t.size()), t.size());
}

TEST(CodePage, TodoByteVoltaComoEra) {
  std::string todos;
  for (int b = 0; b < 256; ++b) todos.push_back(static_cast<char>(b));
  const std::u16string texto = codepage::DeAnsi(todos);
  ASSERT_EQ(texto.size(), 256u);
  EXPECT_EQ(codepage::ParaAnsi(texto), todos);
  // The five bytes without a character are the control characters of the same number.
  for (char16_t c : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) EXPECT_EQ(texto[c], c);
  EXPECT_EQ(texto[0x80], u'€');
  EXPECT_EQ(texto[0xC7], u'Ç');
  EXPECT_EQ(codepage::ParaAnsi(u"ÁGUA € Ç"), "\xC1GUA \x80 \xC7");
}

TEST(CodePage, CaracterForaDaPaginaViraInterrogacao) {
  EXPECT_EQ(codepage::ParaAnsi(u"a\u0100b"), "a?b");
  EXPECT_EQ(codepage::ParaAnsi(u"x\U0001F600y"), "x?y");               // one character, one "?"
  EXPECT_EQ(codepage::ParaAnsi(std::u16string(u"\xD800z", 2)), "?z");  // a lone surrogate
}

TEST(ConfiguracaoRegional, LeituraDeDataEHora) {
  regional::FixaAgora(regional::DataHora{2026, 12, 9});
  struct Caso {
    std::u16string texto;
    bool valida;
    regional::DataHora esperada;
  };
  const std::vector<Caso> casos = {
      {u"25/03/2010", true, {2010, 3, 25}},
      {u" 1/2/2003 ", true, {2003, 2, 1}},
      {u"29/02/2024", true, {2024, 2, 29}},
      {u"29/02/2023", false, {}},
      {u"31/04/2010", false, {}},
      {u"25/03/10", true, {2010, 3, 25}},
      {u"25/03/80", true, {1980, 3, 25}},
      {u"25/03/2010 13:45", true, {2010, 3, 25, 13, 45}},
      {u"25/03/2010 13:45:07", true, {2010, 3, 25, 13, 45, 7}},
      {u"25/03/2010 24:00", false, {}},
      {u"25/03/2010x", false, {}},
      {u"25.03.2010", false, {}},
      {u"2010-03-25", false, {}},
      {u"", false, {}},
      {u"//", false, {}},
  };
  for (const auto& c : casos) {
    auto d = regional::LeDataHora(c.texto);
    EXPECT_EQ(d.has_value(), c.valida) << std::string(c.texto.begin(), c.texto.end());
    if (d && c.valida) {
      EXPECT_EQ(*d, c.esperada);
    }
  }
  regional::FixaAgora(std::nullopt);
}

}  // namespace
