// Text normalisation of TConversao: known values of every function, and random
// texts that none of them may choke on.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "apoio/RelogioFixo.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

using Funcao = std::u16string (*)(const std::u16string&);

// A fixed "now" with a time of day, on a leap day, so that a date built from
// the clock instead of from today's date shows up.
const regional::DataHora kAgora{2024, 2, 29, 13, 45, 10, 0};
const std::u16string kHoje = u"29/02/2024";

using apoio::RelogioFixo;

// UTF-8 with control characters spelled out, for failure messages.
std::string Visivel(std::u16string_view s) {
  std::string saida = "\xC2\xAB";
  for (char16_t c : s) {
    if (c < 32 || c == 127) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned>(c));
      saida += buf;
    } else {
      saida += texto::ParaUtf8(std::u16string_view(&c, 1));
    }
  }
  return saida + "\xC2\xBB";
}

std::u16string Repete(char16_t c, std::size_t n) { return std::u16string(n, c); }

bool SoDigitosAscii(std::u16string_view s) {
  for (char16_t c : s) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

std::size_t Conta(std::u16string_view s, char16_t c) {
  std::size_t n = 0;
  for (char16_t x : s) n += x == c;
  return n;
}

bool TemAlgum(std::u16string_view s, std::u16string_view caracteres) {
  return s.find_first_of(caracteres) != std::u16string_view::npos;
}

// FValidaData through a copy, checking that the caller's variable ends with the
// same text the function returns.
std::u16string ValidaData(const std::u16string& valor) {
  std::u16string data = valor;
  const std::u16string resultado = TConversao::FValidaData(data);
  EXPECT_EQ(data, resultado) << "in/out variable differs from the result for " << Visivel(valor);
  return resultado;
}

struct Caso {
  const char* funcao;
  Funcao f;
  std::u16string entrada;
  std::u16string esperado;
};

void PrintTo(const Caso& c, std::ostream* os) {
  *os << c.funcao << "(" << Visivel(c.entrada) << ") -> " << Visivel(c.esperado);
}

std::vector<Caso> Casos() {
  std::vector<Caso> casos;
  auto add = [&casos](const char* funcao, Funcao f, std::vector<std::pair<std::u16string, std::u16string>> pares) {
    for (auto& [entrada, esperado] : pares) casos.push_back({funcao, f, std::move(entrada), std::move(esperado)});
  };

  add("TiraMascara", &TConversao::TiraMascara,
      {
          {u"12.345.678/0001-90", u"12345678000190"},
          {u" isento ", u" ISENTO "},
          {u"ISENTA", u""},
          {u"ISENTO.", u""},
          {u"(31) 3333-4444", u"3133334444"},
          {u"Isento", u"ISENTO"},
          {u"\tisento\r\n", u"\tISENTO\r\n"},
          // A no-break space (code 160) is not trimmed, so this is not the exact word.
          {u"\u00A0ISENTO", u""},
          {u"123 isen 456", u""},
          {u"ISENTO ISENTO", u""},
          {u"", u""},
          {u"abc", u""},
          {u"ie: 062.307.904/0081", u"0623079040081"},
          // Only ASCII digits count: superscript, full-width and Arabic-Indic digits go.
          {u"1\u00B23\uFF14\u0665", u"13"},
      });

  add("FSoNumero", &TConversao::FSoNumero,
      {
          {u"(31) 9999-8888", u"3199998888"},
          {u"", u""},
          {u"a1b2c3", u"123"},
          {u"ISENTO", u""},
          {u"0 0", u"00"},
          {u"\uFF11\uFF12\u00B9\u0661", u""},
      });

  add("FRemoveCaracter", &TConversao::FRemoveCaracter,
      {
          {u"(031) 3333-4444", u"031 33334444"},
          {u"  123  ", u"  123  "},
          {u" 12-3 ", u"123"},
          {u"12.345.678/0001-90", u"12345678000190"},
          {u"D'Ávila", u"DÁvila"},
          {u"a - b", u"a  b"},
          {u"( 12 )", u"12"},
          {u"\t-x\n", u"x"},
          {u"\"x\"", u"\"x\""},
          {u"-", u""},
          // At most 100 characters survive after a removed one.
          {u"-" + Repete(u'1', 150), Repete(u'1', 100)},
          {u"-" + Repete(u'1', 100), Repete(u'1', 100)},
          {u"12-" + Repete(u'3', 99), u"12" + Repete(u'3', 99)},
          // "(" is removed before "-", so the cut made at "-" falls after "b".
          {u"-" + Repete(u'a', 99) + u"(bc", Repete(u'a', 99) + u"b"},
          // The window drops the "y" and the trim then takes the blanks.
          {u"x-" + Repete(u' ', 100) + u"y", u"x"},
      });

  add("FValidaData", &ValidaData,
      {
          {u"25/12/2013", u"25.12.2013"},
          {u"2013-12-25", u"2013.12.25"},
          {u"25.12.2013", u"25.12.2013"},
          {u"41633", u"25/12/2013"},
          {u"0", u"30/12/1899"},
          {u"abc", u""},
          {u"99999999", u""},
          {u"", kHoje},
          {u"  -   -", kHoje},
          {u"  /  /    ", u"  .  .    "},
          // Only the exact seven-character mask means "no date".
          {u"  -   - ", u"  .   . "},
          // The first separator found decides alone.
          {u"25/12-2013", u"25.12-2013"},
          {u"2013-12.25", u"2013.12.25"},
          {u"-1", u".1"},
          // Serials: the fraction is a time of day and is dropped.
          {u"41633,75", u"25/12/2013"},
          {u"1,5", u"31/12/1899"},
          {u"12,5", u"11/01/1900"},
          {u" 7 ", u"06/01/1900"},
          {u"36526", u"01/01/2000"},
          // 1900 is no leap year in this calendar.
          {u"60", u"28/02/1900"},
          {u"61", u"01/03/1900"},
          {u"2958465", u"31/12/9999"},
          {u"2958465,99", u"31/12/9999"},
          {u"2958466", u""},
          {u"99999999999999999999999", u""},
          {u"1E400", u""},
          {u"41633,75,1", u""},
          {u"4 1633", u""},
          {u"abc41633", u""},
          {u",", u""},
          {u" ", u""},
          {u"\u0664\u0661\u0666\u0663\u0663", u""},
      });

  add("FValidaTelefone", &TConversao::FValidaTelefone,
      {
          {u"3333-4444", u"3133334444"},
          {u"031 3333 4444", u"3133334444"},
          {u"0031 3333 4444", u"3133334444"},
          {u"0000", u""},
          {u"0031", u"31"},
          {u"000", u"0"},
          {u"00", u""},
          {u"", u""},
          {u" (31) 3333-4444 ", u"3133334444"},
          {u"3333 4444", u"3133334444"},
          // Nine characters when the length is checked; the zero goes only afterwards.
          {u"0 3333 4444", u"33334444"},
          {u"(031)3333.4444", u"3133334444"},
          {u"0800 123 4567", u"8001234567"},
      });

  add("FVirgulaPonto", &TConversao::FVirgulaPonto,
      {
          {u"", u"0.00"},
          {u"1,5", u"1.5"},
          {u"1,234,56", u"1.234.56"},
          {u" 1,5 ", u"1.5"},
          {u" 15 ", u" 15 "},
          {u",", u"."},
          {u"a,   ", u"a."},
          {u"1, 2", u"1. 2"},
          {u"1," + Repete(u'0', 60), u"1." + Repete(u'0', 50)},
          {u"1," + Repete(u'0', 50), u"1." + Repete(u'0', 50)},
          {u"1,2," + Repete(u'9', 60), u"1.2." + Repete(u'9', 48)},
      });

  add("FRetiraAcento", &TConversao::FRetiraAcento,
      {
          {u"São José; ação", u"SAO JOSé. ACAO"},
          {u"ÀÁÂÃÄàáâãä", u"AAAAAAAAAA"},
          {u"ÈÉÊËèéê", u"EEEËèéê"},
          {u"ÌÍÎÏìí", u"IIIÏìí"},
          {u"ÒÓÔÕÖòõ", u"OOOOOòõ"},
          {u"ÙÚÛÜùü", u"UUÛUùü"},
          {u"Çç", u"CC"},
          {u"Ññ", u"Ññ"},
          {u"ÅÆ×ØÝ", u"ÅÆ×ØÝ"},
          {u"a:b;c", u"A.B.C"},
          {u"", u""},
      });

  add("FRetiraTraco", &TConversao::FRetiraTraco,
      {
          {u"12-34--5", u"12345"},
          {u"", u""},
          {u" - ", u"  "},
          {u"\u2014\u2013", u"\u2014\u2013"},
      });

  add("FRetornaFJ", &TConversao::FRetornaFJ,
      {
          {u"12345678901", u"F"},
          {u"123.456.789-01", u"J"},
          {u"", u"F"},
          {u"123456789012", u"J"},
          {u"12345678901 ", u"J"},
          {u"12.345.678/0001-90", u"J"},
      });

  return casos;
}

class FuncoesTextoValores : public ::testing::TestWithParam<Caso> {
 protected:
  void SetUp() override { regional::FixaAgora(kAgora); }
  void TearDown() override { regional::FixaAgora(std::nullopt); }
};

TEST_P(FuncoesTextoValores, DaOResultadoConhecido) {
  const Caso& c = GetParam();
  const std::u16string obtido = c.f(c.entrada);
  EXPECT_EQ(obtido, c.esperado) << c.funcao << "(" << Visivel(c.entrada) << ") gave " << Visivel(obtido)
                                << ", expected " << Visivel(c.esperado);
}

INSTANTIATE_TEST_SUITE_P(Tabela, FuncoesTextoValores, ::testing::ValuesIn(Casos()),
                         [](const ::testing::TestParamInfo<Caso>& info) {
                           return std::string(info.param.funcao) + "_" + std::to_string(info.index);
                         });

TEST(FuncoesTextoValidaData, DeixaOTextoFinalNaVariavelDoChamador) {
  RelogioFixo relogio(kAgora);
  std::u16string data = u"41633";
  const std::u16string retorno = TConversao::FValidaData(data);
  EXPECT_EQ(data, u"25/12/2013");
  EXPECT_EQ(retorno, u"25/12/2013");

  data = u"abc";
  EXPECT_EQ(TConversao::FValidaData(data), u"");
  EXPECT_EQ(data, u"");
}

TEST(FuncoesTextoValidaData, DataVaziaVemDoRelogioDoDia) {
  {
    RelogioFixo relogio(regional::DataHora{2001, 1, 5, 23, 59, 59, 999});
    std::u16string data;
    EXPECT_EQ(TConversao::FValidaData(data), u"05/01/2001");
    data = u"  -   -";
    EXPECT_EQ(TConversao::FValidaData(data), u"05/01/2001");
  }
  {
    RelogioFixo relogio(regional::DataHora{2030, 11, 12, 0, 0, 0, 0});
    std::u16string data;
    EXPECT_EQ(TConversao::FValidaData(data), u"12/11/2030");
  }
}

TEST(FuncoesTextoValidaData, SerialUsaOSeparadorDeDataDaEstacao) {
  std::u16string data = u"41633";
  const std::u16string esperado =
      std::u16string(u"25") + regional::SeparadorData + u"12" + regional::SeparadorData + u"2013";
  EXPECT_EQ(TConversao::FValidaData(data), esperado);
}

// Random texts built from the pieces legacy values are made of.
class GeradorDeTextos {
 public:
  explicit GeradorDeTextos(std::uint32_t semente) : gerador_(semente) {}

  std::u16string Proximo() {
    // Some texts look like a number, so that date serials get exercised, and
    // some are the exemption word among blanks.
    switch (Sorteia(8)) {
      case 0:
      case 1:
        return Monta(kPecasNumericas, 12);
      case 2:
        return Monta(kBrancos, 3) + (Sorteia(2) == 0 ? u"ISENTO" : u"Isento") + Monta(kBrancos, 3);
      default:
        return Monta(kPecas, 60);
    }
  }

 private:
  std::u16string Monta(const std::vector<std::u16string>& pecas, std::uint32_t maxPecas) {
    std::u16string s;
    const std::uint32_t n = Sorteia(maxPecas + 1);
    for (std::uint32_t i = 0; i < n; ++i) s += pecas[Sorteia(static_cast<std::uint32_t>(pecas.size()))];
    return s;
  }

  std::uint32_t Sorteia(std::uint32_t limite) { return static_cast<std::uint32_t>(gerador_() % limite); }

  std::mt19937 gerador_;
  const std::vector<std::u16string> kPecas = {
      u"0",      u"1",      u"2",      u"3",      u"4",      u"5",    u"6",    u"7",       u"8",          u"9",
      u"a",      u"z",      u"A",      u"Z",      u"e",      u"E",    u"ã",    u"é",       u"Ç",          u"Ü",
      u"ñ",      u"\"",     u"'",      u"/",      u"-",      u".",    u",",    u"(",       u")",          u":",
      u";",      u"+",      u" ",      u"  ",     u"\t",     u"\r",   u"\n",   u"\x01",    u"\x1F",       u"\u00A0",
      u"\uFF11", u"\u0661", u"\u2014", u"ISENTO", u"isento", u"ISEN", u"Isen", u"  -   -", u"1234567890", u"0000"};
  const std::vector<std::u16string> kBrancos = {u" ", u"\t", u"\r\n", u"\x01", u"\x1F", u"\u00A0"};
  const std::vector<std::u16string> kPecasNumericas = {u"0", u"1", u"2",     u"3", u"4", u"5", u"6", u"7",
                                                       u"8", u"9", u"99999", u",", u" ", u"E", u"+"};
};

TEST(FuncoesTextoPropriedades, TextosAleatoriosRespeitamAsGarantiasDeCadaFuncao) {
  RelogioFixo relogio(kAgora);
  GeradorDeTextos gerador(20240229u);
  const std::u16string seisCaracteres = u"()-./'";
  int isentos = 0;
  int seriais = 0;

  for (int i = 0; i < 5000; ++i) {
    const std::u16string s = gerador.Proximo();
    SCOPED_TRACE("entrada " + Visivel(s));
    std::u16string r;

    ASSERT_NO_THROW(r = TConversao::FSoNumero(s));
    ASSERT_TRUE(SoDigitosAscii(r)) << Visivel(r);
    std::size_t digitos = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c) digitos += Conta(s, c);
    ASSERT_EQ(r.size(), digitos) << "a digit was lost or invented: " << Visivel(r);
    const std::u16string soNumero = r;

    ASSERT_NO_THROW(r = TConversao::TiraMascara(s));
    if (texto::Trim(r) == u"ISENTO") {
      ++isentos;
      ASSERT_EQ(r, texto::UpperCase(s));
    } else {
      ASSERT_TRUE(SoDigitosAscii(r)) << Visivel(r);
      if (!texto::Contem(texto::UpperCase(s), u"ISEN")) {
        ASSERT_EQ(r, soNumero);
      }
    }

    ASSERT_NO_THROW(r = TConversao::FRemoveCaracter(s));
    ASSERT_FALSE(TemAlgum(r, seisCaracteres)) << Visivel(r);
    ASSERT_LE(r.size(), s.size());
    if (!TemAlgum(s, seisCaracteres)) {
      ASSERT_EQ(r, s);
    } else {
      ASSERT_EQ(r, texto::Trim(r)) << "not trimmed after a removal: " << Visivel(r);
    }

    ASSERT_NO_THROW(r = TConversao::FValidaTelefone(s));
    ASSERT_FALSE(TemAlgum(r, seisCaracteres)) << Visivel(r);
    ASSERT_FALSE(texto::Contem(r, u' ')) << Visivel(r);

    ASSERT_NO_THROW(r = TConversao::FVirgulaPonto(s));
    ASSERT_FALSE(texto::Contem(r, u',')) << Visivel(r);
    ASSERT_FALSE(r.empty());
    if (!s.empty() && !texto::Contem(s, u',')) {
      ASSERT_EQ(r, s);
    }

    ASSERT_NO_THROW(r = TConversao::FRetiraAcento(s));
    ASSERT_EQ(r.size(), s.size());
    ASSERT_FALSE(TemAlgum(r,
                          u"abcdefghijklmnopqrstuvwxyz:;\u00C0\u00C1\u00C2\u00C3\u00C4\u00E0\u00E1\u00E2\u00E3"
                          u"\u00E4\u00C8\u00C9\u00CA\u00CC\u00CD\u00CE\u00D2\u00D3\u00D4\u00D5\u00D6\u00D9"
                          u"\u00DA\u00DC\u00C7\u00E7"))
        << Visivel(r);

    ASSERT_NO_THROW(r = TConversao::FRetiraTraco(s));
    ASSERT_EQ(r.size(), s.size() - Conta(s, u'-'));
    ASSERT_FALSE(texto::Contem(r, u'-'));

    ASSERT_NO_THROW(r = TConversao::FRetornaFJ(s));
    ASSERT_EQ(r, s.size() > 11 ? u"J" : u"F");

    std::u16string data = s;
    ASSERT_NO_THROW(r = TConversao::FValidaData(data));
    ASSERT_EQ(r, data);
    const bool temSeparador = TemAlgum(s, u"/-.");
    if (!s.empty() && s != u"  -   -" && !temSeparador && !r.empty()) {
      // A serial turned into a date must be a real day in DD/MM/YYYY form.
      ++seriais;
      ASSERT_EQ(r.size(), 10u) << Visivel(r);
      ASSERT_TRUE(regional::LeDataHora(r).has_value()) << Visivel(r);
    }
    if (temSeparador && s != u"  -   -") {
      ASSERT_EQ(r.size(), s.size()) << Visivel(r);
      ASSERT_FALSE(texto::Contem(r, u'/')) << Visivel(r);
    }
  }
  // The generator must have reached the interesting branches.
  EXPECT_GT(isentos, 100);
  EXPECT_GT(seriais, 100);
}

}  // namespace
