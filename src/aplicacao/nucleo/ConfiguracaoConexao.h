#pragma once
// The connection settings of the program: SYSDBA with the fixed password, no
// login prompt, the standard client library, and a default transaction. The
// window's two connections, the batch runner's and the tools' all use them.
#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"

// Loads the client library (ServerType), so a missing library fails here.
void ConfiguraConexao(TIBDatabase& banco, TIBTransaction& transacao);
