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

}  // namespace banco
