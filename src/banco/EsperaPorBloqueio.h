#pragma once
// Waiting on a row that another session holds locked. Transactions wait for
// such a row as long as it takes (as with the server's defaults), but in
// steps of a few seconds: after each step without the lock, the installed
// notice is called with true, and once the statement goes through, with
// false. A notice that raises stops the wait and the statement with its error.
#include <functional>

namespace banco {

// The seconds of one step of waiting.
inline constexpr int kSegundosPorEspera = 3;

// Installs the notice (an empty function removes it) and returns the previous one.
std::function<void(bool esperando)> DefineAvisoDeEspera(std::function<void(bool esperando)> aviso);

// Calls the notice, when one is installed.
void AvisaEspera(bool esperando);

}  // namespace banco
