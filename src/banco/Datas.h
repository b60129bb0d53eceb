#pragma once
// Dates and times in the client library's representation: days counted from
// 17 November 1858, times in ten-thousandths of a second since midnight.
#include <ibase.h>

#include "comum/ConfiguracaoRegional.h"

namespace banco {

ISC_DATE CodificaData(const regional::DataHora& d);
ISC_TIME CodificaHora(const regional::DataHora& d);
regional::DataHora DecodificaData(ISC_DATE d);
// Fills the time of day of d.
void DecodificaHora(ISC_TIME t, regional::DataHora& d);

}  // namespace banco
