#pragma once
// TClassPreencheDadosFornecedores: converts PAGDB003 of the source into
// FORNECE of the destination, reporting progress on the gauge and the label.
#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "comum/Progresso.h"

class TClassPreencheDadosFornecedores {
 public:
  TIBQuery& BuscaFornecedoresBDOrigem(TIBQuery& qryBusca);
  // Empties FORNECE (committed at once), then writes every supplier that has
  // a name in the destination's current transaction. Errors go to the caller.
  void PreencheConverteFornecedores(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, ui::TGauge& Barra,
                                    ui::TLabel& lblInfo);
};
