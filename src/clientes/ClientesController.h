#pragma once
// TClassPreencheDadosClientes: converts RECDB004 of the source into CLIENTE
// and COMPCLIE of the destination, reporting progress on the gauge and the
// label.
#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "comum/Progresso.h"

class TClassPreencheDadosClientes {
 public:
  TIBQuery& BuscaClientesBDOrigem(TIBQuery& qryBusca);
  // Empties CLIENTE and COMPCLIE (each committed at once), then writes every
  // client that has a name, with its complement row, in the destination's
  // current transaction. Errors go to the caller.
  void PreencheDadosClientes(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, ui::TGauge& Barra, ui::TLabel& lblInfo);
};
