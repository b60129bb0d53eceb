#pragma once
// The workstation settings the converter runs with. The program serves
// Portuguese-language (Brazil) workstations, so they are fixed here, in one
// place: ANSI code page Windows-1252, short date dd/mm/yyyy, long time
// hh:mm:ss, decimal separator ",".
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace regional {

inline constexpr const char* CodePageAnsi = "WINDOWS-1252";
inline constexpr char16_t SeparadorData = u'/';
inline constexpr char16_t SeparadorHora = u':';
inline constexpr char16_t SeparadorDecimal = u',';

struct DataHora {
  int ano = 1899;
  int mes = 12;
  int dia = 30;
  int hora = 0;
  int minuto = 0;
  int segundo = 0;
  int milissegundo = 0;

  bool TemHora() const { return hora != 0 || minuto != 0 || segundo != 0 || milissegundo != 0; }
  friend bool operator==(const DataHora&, const DataHora&) = default;
};

bool DataValida(int ano, int mes, int dia);

// Days since 30 December 1899 (the date serial) and back.
std::int64_t SerialDaData(int ano, int mes, int dia);
DataHora DataDoSerial(std::int64_t serial);

// Short date (dd/mm/yyyy), long time (hh:mm:ss), and the two joined by a blank
// when the time of day is not 00:00:00.
std::u16string FormataDataCurta(const DataHora& d);
std::u16string FormataHoraLonga(const DataHora& d);
std::u16string FormataDataHora(const DataHora& d);

// Reads a date with an optional time in the short date format: day, month and
// year separated by "/", then optionally hh, hh:mm or hh:mm:ss. Empty when the text
// is not one.
std::optional<DataHora> LeDataHora(std::u16string_view valor);

// A floating number in general format with up to 15 significant digits, the
// given decimal separator and no thousands separator.
std::u16string FormataReal(double valor, char16_t separadorDecimal = SeparadorDecimal);

// Reads a decimal number written with the workstation's decimal separator.
std::optional<double> LeReal(std::u16string_view valor);

// File names on this system are UTF-8, and the database client library reads
// them in the process's character type (LC_CTYPE), which a program starts
// with as "C" (ASCII) and the library fixes at its first use. Makes the
// character type UTF-8 when it is not; the rest of the locale stays as it is.
// Called before the client library's first use.
void UsaNomesDeArquivoUtf8();

// The current date and time. Tests pin it with FixaAgora.
DataHora Agora();
DataHora Hoje();
void FixaAgora(std::optional<DataHora> instante);

}  // namespace regional
