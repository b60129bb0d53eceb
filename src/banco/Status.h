#pragma once
// Turns a failed client call's status vector into the layer's error.
#include <ibase.h>

#include "banco/IBErro.h"

namespace banco {

// The server's message: one line per message of the vector, joined by CR LF,
// without the full stop at the very end.
EIBError ErroDoStatus(const ISC_STATUS* status);

// Raises ErroDoStatus when the vector reports a failure.
inline void Verifica(const ISC_STATUS* status) {
  if (status[0] == 1 && status[1] != 0) throw ErroDoStatus(status);
}

inline bool Falhou(const ISC_STATUS* status) { return status[0] == 1 && status[1] != 0; }

// Whether the error codes of the vector include codigo.
bool Contem(const ISC_STATUS* status, ISC_STATUS codigo);

}  // namespace banco
