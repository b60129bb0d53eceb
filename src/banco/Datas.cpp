#include "banco/Datas.h"

#include <cstdint>

namespace banco {

namespace {

// 17 November 1858 is serial -15018 of the workstation's date serials.
constexpr std::int64_t kDiasMjd = -15018;

}  // namespace

ISC_DATE CodificaData(const regional::DataHora& d) {
  return static_cast<ISC_DATE>(regional::SerialDaData(d.ano, d.mes, d.dia) - kDiasMjd);
}

ISC_TIME CodificaHora(const regional::DataHora& d) {
  return static_cast<ISC_TIME>(((d.hora * 60 + d.minuto) * 60 + d.segundo) * 10000 + d.milissegundo * 10);
}

regional::DataHora DecodificaData(ISC_DATE d) {
  return regional::DataDoSerial(static_cast<std::int64_t>(d) + kDiasMjd);
}

void DecodificaHora(ISC_TIME t, regional::DataHora& d) {
  d.hora = static_cast<int>(t / (3600 * 10000));
  d.minuto = static_cast<int>(t / (60 * 10000) % 60);
  d.segundo = static_cast<int>(t / 10000 % 60);
  d.milissegundo = static_cast<int>(t % 10000 / 10);
}

}  // namespace banco
