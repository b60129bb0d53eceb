// Dates and numbers as the workstation reads and writes them, the date
// serials, the client library's date codec and FValidaData, on any input.
//
// Input: the current date (4 bytes), a date serial (4), a date's parts (4), a
// time of the client library (4), a double (8), then the text (see Entrada.h).
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "Entrada.h"
#include "banco/Datas.h"
#include "comum/ConfiguracaoRegional.h"
#include "comum/Texto.h"
#include "conversao/classConversao.h"

namespace {

using fuzz::SoDigitosAscii;
using fuzz::Visivel;
using regional::DataHora;

std::string Mostra(const DataHora& d) {
  return std::to_string(d.ano) + "-" + std::to_string(d.mes) + "-" + std::to_string(d.dia) + " " +
         std::to_string(d.hora) + ":" + std::to_string(d.minuto) + ":" + std::to_string(d.segundo) + "." +
         std::to_string(d.milissegundo);
}

std::string Mostra(const std::optional<DataHora>& d) { return d ? Mostra(*d) : std::string("(none)"); }

DataHora SoData(int ano, int mes, int dia) {
  DataHora d;
  d.ano = ano;
  d.mes = mes;
  d.dia = dia;
  return d;
}

bool Bissexto(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }

int DiasDoMes(int ano, int mes) {
  constexpr int kDias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return mes == 2 && Bissexto(ano) ? 29 : kDias[mes - 1];
}

DataHora DiaSeguinte(DataHora d) {
  if (d.dia < DiasDoMes(d.ano, d.mes)) {
    ++d.dia;
  } else if (d.mes < 12) {
    d.dia = 1;
    ++d.mes;
  } else {
    d.dia = 1;
    d.mes = 1;
    ++d.ano;
  }
  return d;
}

// Serials and the calendar: every serial a database date can hold goes to a
// date and back, and the next serial is the next day.
void VerificaSerial(std::int64_t serial) {
  const DataHora d = regional::DataDoSerial(serial);
  FUZZ_VERIFICA(!d.TemHora(), Mostra(d));
  FUZZ_VERIFICA(d.mes >= 1 && d.mes <= 12 && d.dia >= 1 && d.dia <= DiasDoMes(d.ano, d.mes),
                std::to_string(serial) + " -> " + Mostra(d));
  FUZZ_VERIFICA(regional::SerialDaData(d.ano, d.mes, d.dia) == serial, std::to_string(serial) + " -> " + Mostra(d));
  const DataHora seguinte = regional::DataDoSerial(serial + 1);
  FUZZ_VERIFICA(seguinte == DiaSeguinte(d), Mostra(d) + " then " + Mostra(seguinte));
  if (d.ano >= 1 && d.ano <= 9999) FUZZ_VERIFICA(regional::DataValida(d.ano, d.mes, d.dia), Mostra(d));
}

void VerificaCodecDoBanco(std::int32_t dataBanco, std::uint32_t horaBruta) {
  const DataHora d = banco::DecodificaData(dataBanco);
  FUZZ_VERIFICA(banco::CodificaData(d) == dataBanco, std::to_string(dataBanco) + " -> " + Mostra(d));
  // 17 November 1858 is day 0 of the client library.
  if (dataBanco == 0) FUZZ_VERIFICA(d == SoData(1858, 11, 17), Mostra(d));

  // Times of day in ten-thousandths of a second; the codec keeps milliseconds.
  const ISC_TIME t = horaBruta % (24u * 3600u * 10000u);
  DataHora h;
  banco::DecodificaHora(t, h);
  FUZZ_VERIFICA(h.hora < 24 && h.minuto < 60 && h.segundo < 60 && h.milissegundo < 1000, Mostra(h));
  FUZZ_VERIFICA(banco::CodificaHora(h) == t - t % 10, std::to_string(t) + " -> " + Mostra(h));
}

// A date from any parts: valid exactly when the calendar brings it back.
void VerificaPartes(int ano, int mes, int dia, int hora, int minuto, int segundo) {
  const bool valida = regional::DataValida(ano, mes, dia);
  bool volta = false;
  if (mes >= 1 && mes <= 12) {
    // The serial takes days past the month's end to the next month, so only
    // a real day comes back as itself.
    volta = regional::DataDoSerial(regional::SerialDaData(ano, mes, dia)) == SoData(ano, mes, dia);
  }
  FUZZ_VERIFICA(valida == (volta && ano >= 1 && ano <= 9999),
                std::to_string(ano) + "-" + std::to_string(mes) + "-" + std::to_string(dia));
  if (!valida) return;

  DataHora d = SoData(ano, mes, dia);
  const std::u16string curta = regional::FormataDataCurta(d);
  FUZZ_VERIFICA(curta.size() == 10 && curta[2] == regional::SeparadorData && curta[5] == regional::SeparadorData,
                Visivel(curta));
  FUZZ_VERIFICA(regional::LeDataHora(curta) == d, Visivel(curta) + " read as " + Mostra(regional::LeDataHora(curta)));
  FUZZ_VERIFICA(regional::FormataDataHora(d) == curta, Visivel(regional::FormataDataHora(d)));

  d.hora = hora;
  d.minuto = minuto;
  d.segundo = segundo;
  const std::u16string completa = regional::FormataDataHora(d);
  FUZZ_VERIFICA(regional::LeDataHora(completa) == d,
                Visivel(completa) + " read as " + Mostra(regional::LeDataHora(completa)));
}

// The short date format read on its own terms: d/m/y with one or two digits
// for day and month and one to four for the year, then optionally blanks and
// h, h:m or h:m:s with one or two digits each; blanks around the whole text.
// A year of one or two digits is the one of the hundred years around the
// current year (more than 50 before it, at most 50 after) that ends in them.
std::optional<DataHora> DataDeReferencia(std::u16string_view texto, int anoAtual) {
  const std::u16string v = texto::Trim(texto);
  std::size_t i = 0;
  auto numero = [&](int maxDigitos, int& n) {
    const std::size_t ini = i;
    while (i < v.size() && v[i] >= u'0' && v[i] <= u'9') ++i;
    const std::size_t lidos = i - ini;
    if (lidos < 1 || lidos > static_cast<std::size_t>(maxDigitos)) return false;
    n = 0;
    for (std::size_t k = ini; k < i; ++k) n = n * 10 + (v[k] - u'0');
    return true;
  };
  auto separador = [&](char16_t c) {
    if (i < v.size() && v[i] == c) {
      ++i;
      return true;
    }
    return false;
  };
  DataHora d;
  if (!numero(2, d.dia) || !separador(u'/') || !numero(2, d.mes) || !separador(u'/')) return std::nullopt;
  const std::size_t iniAno = i;
  if (!numero(4, d.ano)) return std::nullopt;
  if (i - iniAno <= 2) {
    const int inicio = anoAtual - 49;
    d.ano = inicio + (((d.ano - inicio) % 100) + 100) % 100;
  }
  if (!regional::DataValida(d.ano, d.mes, d.dia)) return std::nullopt;
  if (i == v.size()) return d;
  if (v[i] != u' ') return std::nullopt;
  while (i < v.size() && v[i] == u' ') ++i;
  if (!numero(2, d.hora)) return std::nullopt;
  if (separador(u':')) {
    if (!numero(2, d.minuto)) return std::nullopt;
    if (separador(u':') && !numero(2, d.segundo)) return std::nullopt;
  }
  if (i != v.size() || d.hora > 23 || d.minuto > 59 || d.segundo > 59) return std::nullopt;
  return d;
}

void VerificaLeitura(const std::u16string& s, int anoAtual) {
  const std::optional<DataHora> d = regional::LeDataHora(s);
  const std::optional<DataHora> ref = DataDeReferencia(s, anoAtual);
  FUZZ_VERIFICA(d == ref, Visivel(s) + " read as " + Mostra(d) + ", expected " + Mostra(ref));
  if (!d) return;
  FUZZ_VERIFICA(d->milissegundo == 0, Mostra(*d));
  // What was read is written in the same format and read back alike.
  const std::u16string escrito = regional::FormataDataHora(*d);
  FUZZ_VERIFICA(regional::LeDataHora(escrito) == d, Visivel(s) + " -> " + Visivel(escrito));
}

// The day of a date serial text, as FValidaData takes it: a number read with
// the decimal separator, cut towards zero, within 01/01/0100 .. 31/12/9999.
std::optional<std::int64_t> SerialDeReferencia(const std::u16string& s) {
  const std::optional<double> x = regional::LeReal(s);
  if (!x || !std::isfinite(*x)) return std::nullopt;
  const double dia = std::trunc(*x);
  if (dia < regional::SerialDaData(100, 1, 1) || dia > regional::SerialDaData(9999, 12, 31)) return std::nullopt;
  return static_cast<std::int64_t>(dia);
}

void VerificaValidaData(const std::u16string& s, const DataHora& hoje) {
  std::u16string data = s;
  const std::u16string r = TConversao::FValidaData(data);
  FUZZ_VERIFICA(r == data, "the caller's variable differs from the result: " + Visivel(s));
  if (s.empty() || s == u"  -   -") {
    FUZZ_VERIFICA(r == regional::FormataDataCurta(hoje), Visivel(s) + " -> " + Visivel(r));
  } else if (s.find(u'/') != std::u16string::npos) {
    FUZZ_VERIFICA(r == texto::Substitui(s, u'/', u'.'), Visivel(s) + " -> " + Visivel(r));
  } else if (s.find(u'-') != std::u16string::npos) {
    FUZZ_VERIFICA(r == texto::Substitui(s, u'-', u'.'), Visivel(s) + " -> " + Visivel(r));
  } else if (s.find(u'.') != std::u16string::npos) {
    FUZZ_VERIFICA(r == s, Visivel(s) + " -> " + Visivel(r));
  } else {
    const std::optional<std::int64_t> serial = SerialDeReferencia(s);
    if (!serial) {
      FUZZ_VERIFICA(r.empty(), Visivel(s) + " -> " + Visivel(r));
    } else {
      // Always DD/MM/YYYY, a real day, the serial's own.
      const DataHora d = regional::DataDoSerial(*serial);
      FUZZ_VERIFICA(r == regional::FormataDataCurta(d), Visivel(s) + " -> " + Visivel(r));
      FUZZ_VERIFICA(r.size() == 10 && regional::LeDataHora(r) == d, Visivel(s) + " -> " + Visivel(r));
    }
  }
}

void VerificaReal(double x, const std::u16string& s) {
  const std::u16string escrito = regional::FormataReal(x);
  FUZZ_VERIFICA(escrito == texto::Substitui(regional::FormataReal(x, u'.'), u'.', u','), Visivel(escrito));
  if (std::isnan(x)) {
    FUZZ_VERIFICA(escrito == u"NAN", Visivel(escrito));
  } else if (std::isinf(x)) {
    FUZZ_VERIFICA(escrito == (x > 0 ? u"INF" : u"-INF"), Visivel(escrito));
  } else if (std::fabs(x) <= 1.7976931348623e308) {
    // Fifteen significant digits survive a trip through a double, so what is
    // written reads back as a number that is written the same way. (The very
    // largest doubles are left out: at fifteen digits they round up past the
    // largest double and read as out of range.)
    const std::optional<double> lido = regional::LeReal(escrito);
    FUZZ_VERIFICA(lido.has_value(), Visivel(escrito));
    const int classe = std::fpclassify(x);
    if (classe == FP_NORMAL || classe == FP_ZERO) {
      FUZZ_VERIFICA(regional::FormataReal(*lido) == escrito,
                    Visivel(escrito) + " -> " + Visivel(regional::FormataReal(*lido)));
      FUZZ_VERIFICA(std::fabs(*lido - x) <= std::fabs(x) * 1e-14, Visivel(escrito));
    }
  }

  // Any text: a number only when it is made of a number's characters.
  const std::optional<double> lido = regional::LeReal(s);
  if (lido) {
    const std::u16string t = texto::Trim(s);
    FUZZ_VERIFICA(t.find_first_not_of(u"0123456789,+-Ee") == std::u16string::npos, Visivel(s));
    FUZZ_VERIFICA(t.find_first_of(u"0123456789") != std::u16string::npos, Visivel(s));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dados, std::size_t tamanho) {
  fuzz::Entrada e(dados, tamanho);
  // The current date decides the century of two-digit years and the date of
  // an empty FValidaData.
  const int anoAtual = 1 + static_cast<int>(e.Natural(2) % 9999);
  const int mesAtual = 1 + e.Byte() % 12;
  const int diaAtual = 1 + e.Byte() % DiasDoMes(anoAtual, mesAtual);
  const DataHora agora{anoAtual, mesAtual, diaAtual, 13, 45, 10, 0};
  regional::FixaAgora(agora);

  const std::int32_t dataBanco = e.Inteiro32();
  const int ano = e.Inteiro16() % 10010;
  const int mes = e.Byte() % 15;
  const std::uint8_t diaHora = e.Byte();
  const std::uint32_t horaBruta = static_cast<std::uint32_t>(e.Natural(4));
  const double real = e.Real();
  const std::u16string s = e.Texto();

  VerificaSerial(dataBanco);
  VerificaSerial(static_cast<std::int64_t>(dataBanco) - 15018);
  VerificaCodecDoBanco(dataBanco, horaBruta);
  VerificaPartes(ano, mes, diaHora % 33, horaBruta % 24, (horaBruta >> 5) % 60, (horaBruta >> 11) % 60);
  VerificaLeitura(s, anoAtual);
  VerificaValidaData(s, SoData(anoAtual, mesAtual, diaAtual));
  VerificaReal(real, s);

  regional::FixaAgora(std::nullopt);
  return 0;
}
