#include "banco/Status.h"

#include <cstring>

#include "banco/BibliotecaCliente.h"
#include "comum/CodePage.h"

namespace banco {

EIBError ErroDoStatus(const ISC_STATUS* status) {
  const auto& fb = Cliente();
  std::string mensagem;
  const ISC_STATUS* p = status;
  char buffer[1024];
  bool primeira = true;
  while (true) {
    ISC_LONG n = fb.interpret(buffer, sizeof buffer, &p);
    if (n <= 0) break;
    std::string linha(buffer, static_cast<std::size_t>(n));
    if (!primeira && !(!mensagem.empty() && mensagem.back() == '\n')) mensagem += "\r\n";
    mensagem += linha;
    primeira = false;
  }
  if (!mensagem.empty() && mensagem.back() == '.') mensagem.pop_back();
  ISC_STATUS copia[ISC_STATUS_LENGTH];
  std::memcpy(copia, status, sizeof copia);
  std::int32_t sqlcode = fb.sqlcode(copia);
  return EIBError(codepage::DeAnsi(mensagem), sqlcode, status[1]);
}

bool Contem(const ISC_STATUS* status, ISC_STATUS codigo) {
  // Clusters of (kind, value); error codes are the isc_arg_gds ones.
  for (const ISC_STATUS* p = status; *p != isc_arg_end;) {
    const ISC_STATUS tipo = *p++;
    if (tipo == isc_arg_gds && *p == codigo) return true;
    p += tipo == isc_arg_cstring ? 2 : 1;
  }
  return false;
}

}  // namespace banco
