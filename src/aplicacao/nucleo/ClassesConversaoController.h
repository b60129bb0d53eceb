#pragma once
// TClassesConversaoController: one conversion run. Converts the ticked tables
// in the fixed order cities, clients, suppliers inside the destination
// transaction, commits at the end or rolls back on the first error, and tells
// the operator the outcome.
#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"
#include "comum/ListaTexto.h"
#include "comum/Progresso.h"

class TClassesConversaoController {
 public:
  // MParams: lines of which "CIDADES=S", "CLIENTES=S", "FORNECEDORES=S" (name
  // without regard to case, value exactly "S") select the tables. Returns true
  // when every selected conversion finished and the commit went through.
  // Errors of the run are caught and reported; only a failure to start the
  // destination transaction goes to the caller.
  bool FEfetuaConversao(const comum::TStringList& MParams, TIBDatabase& BDOrigem, TIBTransaction& TransacaoOrigem,
                        TIBDatabase& BDDestino, TIBTransaction& Transacao, ui::TGauge& Barra, ui::TLabel& lblInfo);

 private:
  void PConverteCidades(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra, ui::TLabel& lblInfo);
  void PConverteClientes(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra, ui::TLabel& lblInfo);
  void PConverteFornecedores(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra, ui::TLabel& lblInfo);
};

// The parameter list of the window: the five names alone, then "S" for each
// ticked table in the order cities, clients, suppliers.
void pIniciaListaParametros(comum::TStringList& MParams);
void pCarregaParametros(comum::TStringList& MParams, bool cidades, bool clientes, bool fornecedores);
