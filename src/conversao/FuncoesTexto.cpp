// Text normalisation of TConversao: masks, dates, phone numbers and accents of
// the legacy values, before they reach the destination.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

bool EhDigito(char16_t c) { return c >= u'0' && c <= u'9'; }

std::u16string SoDigitos(std::u16string_view valor) {
  std::u16string saida;
  saida.reserve(valor.size());
  for (char16_t c : valor) {
    if (EhDigito(c)) saida.push_back(c);
  }
  return saida;
}

// Date serials the legacy system can hold: 01/01/0100 up to 31/12/9999.
constexpr double kMenorSerial = -657434.0;
constexpr double kSerialAposUltimo = 2958466.0;

// A serial always comes out as DD/MM/YYYY, whatever the short date format, with
// only the separator taken from the workstation.
std::u16string FormataSerial(std::int64_t serial) {
  const regional::DataHora d = regional::DataDoSerial(serial);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.dia, d.mes, d.ano);
  return texto::Substitui(texto::DeUtf8(buf), u'/', regional::SeparadorData);
}

// The date serial of a text such as "41633" or "41633,75"; empty when the text
// is no number or lies outside the dates the system accepts.
std::optional<std::int64_t> LeSerial(std::u16string_view valor) {
  const std::optional<double> numero = regional::LeReal(valor);
  if (!numero || !std::isfinite(*numero)) return std::nullopt;
  // The fraction is the time of day; the day is the number cut towards zero.
  const double dia = std::trunc(*numero);
  if (dia < kMenorSerial || dia >= kSerialAposUltimo) return std::nullopt;
  return static_cast<std::int64_t>(dia);
}

// Drops the first occurrence of c, keeping at most the janela characters after
// it, and trims what is left. Repeated until c is gone.
std::u16string RemoveComJanela(std::u16string valor, char16_t c, int janela) {
  for (auto p = valor.find(c); p != std::u16string::npos; p = valor.find(c)) {
    const std::u16string depois = texto::Primeiros(std::u16string_view(valor).substr(p + 1), janela);
    valor = texto::Trim(valor.substr(0, p) + depois);
  }
  return valor;
}

char16_t SemAcento(char16_t c) {
  if ((c >= u'\u00C0' && c <= u'\u00C4') || (c >= u'\u00E0' && c <= u'\u00E4')) return u'A';
  if (c >= u'\u00C8' && c <= u'\u00CA') return u'E';
  if (c >= u'\u00CC' && c <= u'\u00CE') return u'I';
  if (c >= u'\u00D2' && c <= u'\u00D6') return u'O';
  if (c == u'\u00D9' || c == u'\u00DA' || c == u'\u00DC') return u'U';
  if (c == u'\u00C7' || c == u'\u00E7') return u'C';
  if (c == u':' || c == u';') return u'.';
  return c;
}

}  // namespace

std::u16string TConversao::TiraMascara(const std::u16string& Valor) {
  std::u16string v = texto::UpperCase(Valor);
  // Exempt registrations keep their word, blanks and all.
  if (texto::Trim(v) == u"ISENTO") return v;
  // Misspelt exemptions ("ISENTA", "ISENTO.") carry no number to keep.
  if (texto::Contem(v, u"ISEN")) return {};
  return SoDigitos(v);
}

std::u16string TConversao::FValidaData(std::u16string& Data) {
  if (Data.empty() || Data == u"  -   -") {
    // No date, or the legacy edit mask left blank: the record dates from today.
    Data = regional::FormataDataCurta(regional::Hoje());
  } else if (texto::Contem(Data, u'/')) {
    Data = texto::Substitui(Data, u'/', u'.');
  } else if (texto::Contem(Data, u'-')) {
    Data = texto::Substitui(Data, u'-', u'.');
  } else if (texto::Contem(Data, u'.')) {
    // Already in the form the destination takes.
  } else {
    // A bare number is a date serial, as the legacy system stores some dates.
    const std::optional<std::int64_t> serial = LeSerial(Data);
    Data = serial ? FormataSerial(*serial) : std::u16string();
  }
  return Data;
}

std::u16string TConversao::FValidaTelefone(const std::u16string& Tel) {
  std::u16string t = FRemoveCaracter(texto::Trim(Tel));
  // Walks over the leading zeros, each time cutting the text at the current
  // position; one zero of the run is left for the step below.
  for (std::size_t p = 1; p <= t.size() && t[p - 1] == u'0'; ++p) {
    t = t.substr(p - 1);
  }
  t = texto::RemoveTodos(t, u' ');
  // A local number without area code belongs to the region's code 31.
  if (t.size() == 8) t = u"31" + t;
  if (!t.empty() && t[0] == u'0') t.erase(0, 1);
  return t;
}

std::u16string TConversao::FVirgulaPonto(const std::u16string& Valor) {
  if (Valor.empty()) return u"0.00";
  std::u16string v = Valor;
  for (auto p = v.find(u','); p != std::u16string::npos; p = v.find(u',')) {
    v = texto::Trim(v.substr(0, p) + u"." + texto::Primeiros(std::u16string_view(v).substr(p + 1), 50));
  }
  return v;
}

std::u16string TConversao::FRemoveCaracter(const std::u16string& Valor) {
  std::u16string v = Valor;
  // The order matters: each removal keeps only the next 100 characters.
  for (char16_t c : std::u16string_view(u"()-./'")) {
    v = RemoveComJanela(std::move(v), c, 100);
  }
  return v;
}

std::u16string TConversao::FRetiraAcento(const std::u16string& Valor) {
  std::u16string v = texto::UpperCase(Valor);
  for (char16_t& c : v) c = SemAcento(c);
  return v;
}

std::u16string TConversao::FRetiraTraco(const std::u16string& Valor) { return texto::RemoveTodos(Valor, u'-'); }

std::u16string TConversao::FSoNumero(const std::u16string& MNumero) { return SoDigitos(MNumero); }

std::u16string TConversao::FRetornaFJ(const std::u16string& sCNPJ_CPF) {
  // A CPF has 11 digits; anything longer is taken for a CNPJ, mask included.
  return sCNPJ_CPF.size() > 11 ? u"J" : u"F";
}
