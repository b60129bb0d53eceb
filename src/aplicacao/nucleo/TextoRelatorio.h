#pragma once
// A run's report as people and spreadsheets read it: the summary (one line
// per table, for the final box's details and the batch runner's standard
// error), the whole report as text, and the whole report as CSV. Lines end
// in a line feed.
#include <string>

#include "conversao/Relatorio.h"

namespace textorelatorio {

std::u16string Resumo(const relatorio::TRelatorio& r);

// Every skipped row and every created reference row, after the summary.
std::u16string Completo(const relatorio::TRelatorio& r);

// One record per line, fields separated by ";" (the separator spreadsheets
// use where the decimal mark is ","), quoted when they hold ";", quotes or
// line breaks. The first line names the fields.
std::u16string Csv(const relatorio::TRelatorio& r);

// What a table holds after the run: "convertida e confirmada", "deixada como
// estava" or "esvaziada e deixada vazia".
std::u16string TextoDaSituacao(relatorio::Situacao situacao);

// Seconds with two decimals and a decimal comma: "12,34".
std::u16string Segundos(double s);
// Whole rows per second over s seconds ("-" when s is too short to tell).
std::u16string PorSegundo(std::int64_t linhas, double s);

}  // namespace textorelatorio
