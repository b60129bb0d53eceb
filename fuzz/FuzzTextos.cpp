// The text normalisation of TConversao and the core's text helpers, on any
// text: each function must keep the guarantee its header or its callers rely
// on.
//
// Input: two bytes of count (StrZero, Primeiros), eight bytes of integer
// (IntParaTexto), then the text (see Entrada.h); a U+001E in the text starts
// the second text, used by the comparisons.
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "Entrada.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

using fuzz::Conta;
using fuzz::SoDigitosAscii;
using fuzz::Subsequencia;
using fuzz::Visivel;

bool TemAlgum(std::u16string_view s, std::u16string_view caracteres) {
  return s.find_first_of(caracteres) != std::u16string_view::npos;
}

std::u16string SoDigitos(std::u16string_view s) {
  std::u16string r;
  for (char16_t c : s) {
    if (c >= u'0' && c <= u'9') r.push_back(c);
  }
  return r;
}

// The characters FRetiraAcento changes besides the ASCII lower-case letters.
constexpr std::u16string_view kComAcento =
    u"\u00C0\u00C1\u00C2\u00C3\u00C4\u00E0\u00E1\u00E2\u00E3\u00E4\u00C8\u00C9\u00CA\u00CC\u00CD\u00CE\u00D2\u00D3"
    u"\u00D4\u00D5\u00D6\u00D9\u00DA\u00DC\u00C7\u00E7:;";

void VerificaTiraMascara(const std::u16string& s) {
  const std::u16string r = TConversao::TiraMascara(s);
  const std::u16string maiusculo = texto::UpperCase(s);
  if (texto::Trim(maiusculo) == u"ISENTO") {
    // The exemption word keeps its blanks.
    FUZZ_VERIFICA(r == maiusculo, Visivel(s) + " -> " + Visivel(r));
  } else if (maiusculo.find(u"ISEN") != std::u16string::npos) {
    FUZZ_VERIFICA(r.empty(), Visivel(s) + " -> " + Visivel(r));
  } else {
    FUZZ_VERIFICA(r == SoDigitos(s), Visivel(s) + " -> " + Visivel(r));
  }
}

void VerificaSoNumero(const std::u16string& s) {
  const std::u16string r = TConversao::FSoNumero(s);
  FUZZ_VERIFICA(SoDigitosAscii(r), Visivel(r));
  std::size_t digitos = 0;
  for (char16_t c = u'0'; c <= u'9'; ++c) digitos += Conta(s, c);
  FUZZ_VERIFICA(r.size() == digitos, "a digit lost or invented: " + Visivel(s) + " -> " + Visivel(r));
  FUZZ_VERIFICA(Subsequencia(r, s), Visivel(s) + " -> " + Visivel(r));
}

void VerificaRemoveCaracter(const std::u16string& s) {
  const std::u16string seis = u"()-./'";
  const std::u16string r = TConversao::FRemoveCaracter(s);
  FUZZ_VERIFICA(!TemAlgum(r, seis), Visivel(s) + " -> " + Visivel(r));
  // Removals and cuts only: nothing added, nothing reordered.
  FUZZ_VERIFICA(Subsequencia(r, s), Visivel(s) + " -> " + Visivel(r));
  if (!TemAlgum(s, seis)) {
    FUZZ_VERIFICA(r == s, Visivel(s) + " -> " + Visivel(r));
  } else {
    FUZZ_VERIFICA(r == texto::Trim(r), "not trimmed after a removal: " + Visivel(s) + " -> " + Visivel(r));
  }
}

void VerificaTelefone(const std::u16string& s) {
  const std::u16string r = TConversao::FValidaTelefone(s);
  FUZZ_VERIFICA(!TemAlgum(r, u"()-./' "), Visivel(s) + " -> " + Visivel(r));
  // Only the area code 31 may be added, in front of a local number of eight.
  const bool comDdd = r.size() == 10 && r.compare(0, 2, u"31") == 0 && Subsequencia(r.substr(2), s);
  FUZZ_VERIFICA(Subsequencia(r, s) || comDdd, Visivel(s) + " -> " + Visivel(r));
}

void VerificaVirgulaPonto(const std::u16string& s) {
  const std::u16string r = TConversao::FVirgulaPonto(s);
  FUZZ_VERIFICA(!r.empty(), Visivel(s));
  FUZZ_VERIFICA(r.find(u',') == std::u16string::npos, Visivel(s) + " -> " + Visivel(r));
  if (s.empty()) {
    FUZZ_VERIFICA(r == u"0.00", Visivel(r));
  } else if (s.find(u',') == std::u16string::npos) {
    FUZZ_VERIFICA(r == s, Visivel(s) + " -> " + Visivel(r));
  } else {
    // Each comma becomes a point; what follows may be cut and trimmed.
    FUZZ_VERIFICA(Subsequencia(r, texto::Substitui(s, u',', u'.')), Visivel(s) + " -> " + Visivel(r));
  }
}

void VerificaRetiraAcento(const std::u16string& s) {
  const std::u16string r = TConversao::FRetiraAcento(s);
  FUZZ_VERIFICA(r.size() == s.size(), Visivel(s) + " -> " + Visivel(r));
  for (std::size_t i = 0; i < r.size(); ++i) {
    const char16_t c = s[i];
    const bool muda = (c >= u'a' && c <= u'z') || kComAcento.find(c) != std::u16string_view::npos;
    if (muda) {
      FUZZ_VERIFICA((r[i] >= u'A' && r[i] <= u'Z') || r[i] == u'.', Visivel(s) + " -> " + Visivel(r));
    } else {
      FUZZ_VERIFICA(r[i] == c, "an unrelated character changed: " + Visivel(s) + " -> " + Visivel(r));
    }
  }
}

void VerificaRetiraTraco(const std::u16string& s) {
  const std::u16string r = TConversao::FRetiraTraco(s);
  FUZZ_VERIFICA(r.size() == s.size() - Conta(s, u'-'), Visivel(s) + " -> " + Visivel(r));
  FUZZ_VERIFICA(r.find(u'-') == std::u16string::npos && Subsequencia(r, s), Visivel(s) + " -> " + Visivel(r));
}

void VerificaStrZero(const std::u16string& s, std::int32_t qtd) {
  const std::u16string r = TConversao::StrZero(s, qtd);
  const std::size_t esperado = qtd > 0 ? std::max(s.size(), static_cast<std::size_t>(qtd)) : s.size();
  FUZZ_VERIFICA(r.size() == esperado, Visivel(s) + " padded to " + std::to_string(qtd) + " -> " + Visivel(r));
  // Never cuts, never trims: the value is the tail, zeros before it.
  FUZZ_VERIFICA(r.compare(r.size() - s.size(), s.size(), s) == 0, Visivel(r));
  FUZZ_VERIFICA(r.find_first_not_of(u'0') >= r.size() - s.size() || r.size() == s.size(), Visivel(r));
}

void VerificaQuotedStr(const std::u16string& s) {
  const std::u16string q = QuotedStr(s);
  FUZZ_VERIFICA(q.size() == s.size() + 2 + Conta(s, u'\''), Visivel(s) + " -> " + Visivel(q));
  FUZZ_VERIFICA(q.front() == u'\'' && q.back() == u'\'', Visivel(q));
  // Undoubling the inner quotes gives the value back.
  std::u16string volta;
  for (std::size_t i = 1; i + 1 < q.size(); ++i) {
    volta.push_back(q[i]);
    if (q[i] == u'\'') {
      FUZZ_VERIFICA(q[i + 1] == u'\'' && i + 2 < q.size(), "an inner quote is not doubled: " + Visivel(q));
      ++i;
    }
  }
  FUZZ_VERIFICA(volta == s, Visivel(s) + " -> " + Visivel(q) + " -> " + Visivel(volta));
}

void VerificaFuncoesDeConversao(const std::u16string& s, std::int32_t qtd) {
  VerificaTiraMascara(s);
  VerificaSoNumero(s);
  VerificaRemoveCaracter(s);
  VerificaTelefone(s);
  VerificaVirgulaPonto(s);
  VerificaRetiraAcento(s);
  VerificaRetiraTraco(s);
  FUZZ_VERIFICA(TConversao::FRetornaFJ(s) == (s.size() > 11 ? u"J" : u"F"), Visivel(s));
  VerificaStrZero(s, qtd);
  VerificaQuotedStr(s);
}

// ---- texto:: ----

bool Branco(char16_t c) { return c <= 32; }

void VerificaAparos(const std::u16string& s) {
  const std::u16string t = texto::Trim(s);
  const std::u16string d = texto::TrimDireita(s);
  FUZZ_VERIFICA(t.empty() || (!Branco(t.front()) && !Branco(t.back())), Visivel(s) + " -> " + Visivel(t));
  FUZZ_VERIFICA(d.empty() || !Branco(d.back()), Visivel(s) + " -> " + Visivel(d));
  FUZZ_VERIFICA(s.compare(0, d.size(), d) == 0, "TrimDireita is not a prefix: " + Visivel(d));
  FUZZ_VERIFICA(s.find(t) != std::u16string::npos, "Trim is not a part of the text: " + Visivel(t));
  FUZZ_VERIFICA(texto::Trim(d) == t && texto::Trim(t) == t, Visivel(s));
  // Only blanks went.
  for (char16_t c : s.substr(d.size())) FUZZ_VERIFICA(Branco(c), Visivel(s) + " -> " + Visivel(d));
}

void VerificaCaixa(const std::u16string& s) {
  const std::u16string m = texto::UpperCase(s);
  const std::u16string n = texto::LowerCase(s);
  FUZZ_VERIFICA(m.size() == s.size() && n.size() == s.size(), Visivel(s));
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c >= u'a' && c <= u'z') {
      FUZZ_VERIFICA(m[i] == c - u'a' + u'A' && n[i] == c, Visivel(s));
    } else if (c >= u'A' && c <= u'Z') {
      FUZZ_VERIFICA(m[i] == c && n[i] == c - u'A' + u'a', Visivel(s));
    } else {
      // Accented letters stay as they are.
      FUZZ_VERIFICA(m[i] == c && n[i] == c, Visivel(s));
    }
  }
  FUZZ_VERIFICA(texto::IgualSemCaixa(s, m) && texto::IgualSemCaixa(n, s) && texto::IgualSemCaixa(m, n), Visivel(s));
}

void VerificaComparacoes(const std::u16string& a, const std::u16string& b) {
  FUZZ_VERIFICA(texto::IgualSemCaixa(a, b) == (texto::UpperCase(a) == texto::UpperCase(b)),
                Visivel(a) + " vs " + Visivel(b));
  FUZZ_VERIFICA(texto::IgualSemCaixa(a, b) == texto::IgualSemCaixa(b, a), Visivel(a) + " vs " + Visivel(b));
  FUZZ_VERIFICA(texto::Contem(a, b) == (a.find(b) != std::u16string::npos), Visivel(a) + " vs " + Visivel(b));
  FUZZ_VERIFICA(texto::Contem(a + b, b) && texto::Contem(a + b, a), Visivel(a) + " vs " + Visivel(b));
  if (!b.empty()) {
    const char16_t c = b.front();
    FUZZ_VERIFICA(texto::Contem(a, c) == (a.find(c) != std::u16string::npos), Visivel(a));
    const std::u16string sem = texto::RemoveTodos(a, c);
    FUZZ_VERIFICA(sem.size() == a.size() - Conta(a, c) && Conta(sem, c) == 0 && Subsequencia(sem, a), Visivel(a));
    const char16_t para = b.size() > 1 ? b[1] : u'#';
    const std::u16string troca = texto::Substitui(a, c, para);
    FUZZ_VERIFICA(troca.size() == a.size(), Visivel(a));
    for (std::size_t i = 0; i < a.size(); ++i) FUZZ_VERIFICA(troca[i] == (a[i] == c ? para : a[i]), Visivel(a));
  }
}

void VerificaPrimeiros(const std::u16string& s, int n) {
  const std::u16string p = texto::Primeiros(s, n);
  const std::size_t esperado = n <= 0 ? 0 : std::min(s.size(), static_cast<std::size_t>(n));
  FUZZ_VERIFICA(p.size() == esperado && s.compare(0, p.size(), p) == 0, Visivel(s) + " " + std::to_string(n));
}

void VerificaUtf8(const std::u16string& s, std::string_view bytes) {
  // Every UTF-16 string, lone surrogates included, comes back from UTF-8.
  const std::string u8 = texto::ParaUtf8(s);
  FUZZ_VERIFICA(texto::DeUtf8(u8) == s, Visivel(s) + " -> " + Visivel(texto::DeUtf8(u8)));
  // Any bytes can be read; a character never takes more units than its bytes.
  const std::u16string lido = texto::DeUtf8(bytes);
  FUZZ_VERIFICA(lido.size() <= bytes.size(), Visivel(lido));
  const std::string reescrito = texto::ParaUtf8(lido);
  FUZZ_VERIFICA(texto::DeUtf8(reescrito) == lido, Visivel(lido));
}

// The decimal integer the workstation reads: blanks, sign, digits, 32 bits.
std::optional<std::int32_t> InteiroDeReferencia(std::u16string_view v) {
  std::size_t i = 0;
  while (i < v.size() && v[i] == u' ') ++i;
  bool negativo = false;
  if (i < v.size() && (v[i] == u'-' || v[i] == u'+')) negativo = v[i++] == u'-';
  if (i == v.size()) return std::nullopt;
  std::u16string_view digitos = v.substr(i);
  if (!SoDigitosAscii(digitos)) return std::nullopt;
  while (digitos.size() > 1 && digitos.front() == u'0') digitos.remove_prefix(1);
  if (digitos.size() > 10) return std::nullopt;
  std::int64_t n = 0;
  for (char16_t c : digitos) n = n * 10 + (c - u'0');
  if (negativo) n = -n;
  if (n < std::numeric_limits<std::int32_t>::min() || n > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(n);
}

void VerificaInteiros(const std::u16string& s, std::int64_t n) {
  std::int32_t lido = 12345;
  const bool ok = texto::LeInteiro(s, lido);
  const std::optional<std::int32_t> ref = InteiroDeReferencia(s);
  FUZZ_VERIFICA(ok == ref.has_value(), Visivel(s));
  if (ok) FUZZ_VERIFICA(lido == *ref, Visivel(s) + " read as " + std::to_string(lido));

  const std::u16string t = texto::IntParaTexto(n);
  FUZZ_VERIFICA(t == texto::DeUtf8(std::to_string(n)), Visivel(t));
  const bool cabe = n >= std::numeric_limits<std::int32_t>::min() && n <= std::numeric_limits<std::int32_t>::max();
  std::int32_t volta = 0;
  FUZZ_VERIFICA(texto::LeInteiro(t, volta) == cabe, Visivel(t));
  if (cabe) FUZZ_VERIFICA(volta == n, Visivel(t));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // FValidaData is not called here, but a fixed clock keeps every run alike.
  regional::FixaAgora(regional::DataHora{2024, 2, 29, 13, 45, 10, 0});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::Entrada e(dados, tamanho);
  const std::int16_t qtd = e.Inteiro16();
  const std::int64_t inteiro = e.Inteiro64();
  const std::uint8_t forma = e.Byte();
  const std::string_view bytes = e.Resto();
  const std::u16string texto = fuzz::Decodifica(static_cast<fuzz::Forma>(forma % 4), bytes);
  const std::vector<std::u16string> partes = fuzz::Partes(texto);
  const std::u16string& a = partes[0];
  const std::u16string b = partes.size() > 1 ? partes[1] : std::u16string();

  VerificaFuncoesDeConversao(texto, qtd);
  if (partes.size() > 1) VerificaFuncoesDeConversao(a, qtd);

  VerificaAparos(texto);
  VerificaCaixa(texto);
  VerificaComparacoes(a, b);
  VerificaComparacoes(b, a);
  VerificaPrimeiros(texto, qtd);
  VerificaUtf8(texto, bytes);
  VerificaInteiros(a, inteiro);
  return 0;
}
