#pragma once
// Errors of the database access layer. A server error carries the client
// library's reading of the status vector; the layer's own errors carry their
// fixed English texts.
#include <cstdint>
#include <string>

#include "comum/Erro.h"

class EIBError : public comum::Erro {
 public:
  EIBError(std::u16string mensagem, std::int32_t sqlCode, std::int64_t codigoErro)
      : comum::Erro(std::move(mensagem)), sqlCode_(sqlCode), codigoErro_(codigoErro) {}
  std::int32_t SQLCode() const { return sqlCode_; }
  // The first error code of the status vector (isc_... number).
  std::int64_t IBErrorCode() const { return codigoErro_; }

 private:
  std::int32_t sqlCode_;
  std::int64_t codigoErro_;
};

// Whether the server refused a bound value as it put it into its marker's
// type (a text that is no date, a text too long): the statement itself never
// ran, so nothing of it was done.
bool ValorLigadoRecusado(const EIBError& erro);

// An error the layer raises itself, with one of its fixed texts.
class EIBClientError : public comum::Erro {
 public:
  using comum::Erro::Erro;
};
