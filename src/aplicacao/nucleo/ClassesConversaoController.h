#pragma once
// TClassesConversaoController: one conversion run. Converts the ticked tables
// in the fixed order cities, clients, suppliers inside the destination
// transaction, commits each finished table before the next one starts and the
// last one at the end, rolls back on the first error what was not committed,
// and tells the operator the outcome.
#include <functional>
#include <string>

#include "banco/IBDatabase.h"
#include "banco/IBTransaction.h"
#include "comum/ListaTexto.h"
#include "comum/Progresso.h"
#include "conversao/Relatorio.h"

class TClassesConversaoController {
 public:
  // MParams: lines of which "CIDADES=S", "CLIENTES=S", "FORNECEDORES=S" (name
  // without regard to case, value exactly "S") select the tables. Returns true
  // when every selected conversion finished and the commit went through.
  // Errors of the run are caught and reported; only a failure to start the
  // destination transaction goes to the caller.
  bool FEfetuaConversao(const comum::TStringList& MParams, TIBDatabase& BDOrigem, TIBTransaction& TransacaoOrigem,
                        TIBDatabase& BDDestino, TIBTransaction& Transacao, ui::TGauge& Barra, ui::TLabel& lblInfo);

  // A dry run: every check, lookup and insert of a run, but no statement that
  // commits is sent and the run's work is rolled back at the end, so the
  // destination stays exactly as it was. Its report is that of the real run.
  void SetSimulacao(bool simulacao) { simulacao_ = simulacao; }
  bool Simulacao() const { return simulacao_; }

  // What the last run did, gathered as it went.
  const relatorio::TRelatorio& Relatorio() const { return relatorio_; }

  // Called once the run is over (committed or rolled back), before the final
  // box; what it returns is added to the box's details. The window writes the
  // report's file here and names it.
  std::function<std::u16string(const relatorio::TRelatorio&)> AoTerminar;

 private:
  bool simulacao_ = false;
  relatorio::TRelatorio relatorio_;

  void PConverteCidades(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra, ui::TLabel& lblInfo);
  void PConverteClientes(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra, ui::TLabel& lblInfo);
  void PConverteFornecedores(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra, ui::TLabel& lblInfo);
};

// The parameter list of the window: the five names alone, then "S" for each
// ticked table in the order cities, clients, suppliers.
void pIniciaListaParametros(comum::TStringList& MParams);
void pCarregaParametros(comum::TStringList& MParams, bool cidades, bool clientes, bool fornecedores);
