#include "comum/ConfiguracaoRegional.h"

#include <langinfo.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

#include "comum/Texto.h"

namespace regional {

void UsaNomesDeArquivoUtf8() {
  if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) std::setlocale(LC_CTYPE, "C.UTF-8");
}

namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
constexpr std::int64_t DiasDoCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilDosDias(std::int64_t z, int& ano, int& mes, int& dia) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = yoe + era * 400;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  dia = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  ano = static_cast<int>(y + (mes <= 2));
}

constexpr std::int64_t kDiasAte1899 = DiasDoCivil(1899, 12, 30);

std::u16string DoisDigitos(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return texto::DeUtf8(buf);
}

std::optional<DataHora>& Fixado() {
  static std::optional<DataHora> fixado;
  return fixado;
}

// Reads an unsigned run of digits starting at i.
bool LeNumero(std::u16string_view v, std::size_t& i, int& n, int maxDigitos) {
  std::size_t ini = i;
  n = 0;
  while (i < v.size() && v[i] >= u'0' && v[i] <= u'9' && i - ini < static_cast<std::size_t>(maxDigitos)) {
    n = n * 10 + (v[i] - u'0');
    ++i;
  }
  return i > ini && !(i < v.size() && v[i] >= u'0' && v[i] <= u'9');
}

}  // namespace

bool DataValida(int ano, int mes, int dia) {
  static const int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1) return false;
  int max = kDias[mes - 1];
  if (mes == 2 && ((ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0)) max = 29;
  return dia <= max;
}

std::int64_t SerialDaData(int ano, int mes, int dia) { return DiasDoCivil(ano, mes, dia) - kDiasAte1899; }

DataHora DataDoSerial(std::int64_t serial) {
  DataHora d;
  CivilDosDias(serial + kDiasAte1899, d.ano, d.mes, d.dia);
  return d;
}

std::u16string FormataDataCurta(const DataHora& d) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d.dia, d.mes, d.ano);
  return texto::Substitui(texto::DeUtf8(buf), u'/', SeparadorData);
}

std::u16string FormataHoraLonga(const DataHora& d) {
  return DoisDigitos(d.hora) + SeparadorHora + DoisDigitos(d.minuto) + SeparadorHora + DoisDigitos(d.segundo);
}

std::u16string FormataDataHora(const DataHora& d) {
  if (!d.TemHora()) return FormataDataCurta(d);
  return FormataDataCurta(d) + u" " + FormataHoraLonga(d);
}

std::optional<DataHora> LeDataHora(std::u16string_view valor) {
  std::u16string v = texto::Trim(valor);
  std::size_t i = 0;
  DataHora d;
  if (!LeNumero(v, i, d.dia, 2) || i >= v.size() || v[i] != SeparadorData) return std::nullopt;
  ++i;
  if (!LeNumero(v, i, d.mes, 2) || i >= v.size() || v[i] != SeparadorData) return std::nullopt;
  ++i;
  std::size_t iniAno = i;
  if (!LeNumero(v, i, d.ano, 4)) return std::nullopt;
  if (i - iniAno <= 2) {
    // Two-digit years fall in the fifty years around the current year.
    int atual = Hoje().ano;
    int seculo = atual / 100 * 100;
    d.ano += seculo;
    if (d.ano > atual + 50) d.ano -= 100;
    if (d.ano <= atual - 50) d.ano += 100;
  }
  if (!DataValida(d.ano, d.mes, d.dia)) return std::nullopt;
  if (i < v.size()) {
    if (v[i] != u' ') return std::nullopt;
    while (i < v.size() && v[i] == u' ') ++i;
    if (!LeNumero(v, i, d.hora, 2)) return std::nullopt;
    if (i < v.size() && v[i] == SeparadorHora) {
      ++i;
      if (!LeNumero(v, i, d.minuto, 2)) return std::nullopt;
      if (i < v.size() && v[i] == SeparadorHora) {
        ++i;
        if (!LeNumero(v, i, d.segundo, 2)) return std::nullopt;
      }
    }
    if (i != v.size()) return std::nullopt;
    if (d.hora > 23 || d.minuto > 59 || d.segundo > 59) return std::nullopt;
  }
  return d;
}

std::u16string FormataReal(double valor, char16_t separadorDecimal) {
  if (std::isnan(valor)) return u"NAN";
  if (std::isinf(valor)) return valor > 0 ? u"INF" : u"-INF";
  // to_chars does not depend on the C locale, which a window toolkit may change.
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, valor, std::chars_format::general, 15);
  std::u16string saida;
  for (const char* p = buf; p != r.ptr; ++p) {
    if (*p == '.') {
      saida.push_back(separadorDecimal);
    } else if (*p == 'e') {
      saida.push_back(u'E');
    } else {
      saida.push_back(static_cast<char16_t>(*p));
    }
  }
  return saida;
}

std::optional<double> LeReal(std::u16string_view valor) {
  std::u16string v = texto::Trim(valor);
  if (v.empty()) return std::nullopt;
  std::string ascii;
  bool viuDigito = false;
  bool viuSeparador = false;
  bool viuExpoente = false;
  for (std::size_t i = 0; i < v.size(); ++i) {
    char16_t c = v[i];
    if (c >= u'0' && c <= u'9') {
      viuDigito = true;
      ascii.push_back(static_cast<char>(c));
    } else if (c == SeparadorDecimal && !viuSeparador && !viuExpoente) {
      viuSeparador = true;
      ascii.push_back('.');
    } else if ((c == u'+' || c == u'-') && (i == 0 || v[i - 1] == u'E' || v[i - 1] == u'e')) {
      ascii.push_back(static_cast<char>(c));
    } else if ((c == u'E' || c == u'e') && viuDigito && !viuExpoente && i + 1 < v.size()) {
      viuExpoente = true;
      ascii.push_back('E');
    } else {
      return std::nullopt;
    }
  }
  if (!viuDigito) return std::nullopt;
  if (!ascii.empty() && ascii[0] == '+') ascii.erase(0, 1);
  double r = 0;
  auto res = std::from_chars(ascii.data(), ascii.data() + ascii.size(), r);
  if (res.ec != std::errc() || res.ptr != ascii.data() + ascii.size()) return std::nullopt;
  return r;
}

DataHora Agora() {
  if (Fixado()) return *Fixado();
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  DataHora d;
  d.ano = tm.tm_year + 1900;
  d.mes = tm.tm_mon + 1;
  d.dia = tm.tm_mday;
  d.hora = tm.tm_hour;
  d.minuto = tm.tm_min;
  d.segundo = tm.tm_sec;
  return d;
}

DataHora Hoje() {
  DataHora d = Agora();
  d.hora = d.minuto = d.segundo = d.milissegundo = 0;
  return d;
}

void FixaAgora(std::optional<DataHora> instante) { Fixado() = instante; }

}  // namespace regional
