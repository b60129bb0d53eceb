#pragma once
// TClassPreencheDadosCidades: converts RECDB001 of the source into CIDADES of
// the destination, reporting progress on the gauge and the label.
#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "comum/Progresso.h"

class TClassPreencheDadosCidades {
 public:
  TIBQuery& BuscaCidadesBDOrigem(TIBQuery& qryBusca);
  // Empties CIDADES (committed at once), then writes one row per source row in
  // the destination's current transaction. Errors go to the caller.
  void PreencheDadosCidades(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, ui::TGauge& Barra, ui::TLabel& lblInfo);
};
