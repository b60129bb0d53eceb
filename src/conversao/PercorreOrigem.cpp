#include "conversao/PercorreOrigem.h"

#include <cstdint>

#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"
#include "conversao/Interrupcao.h"
#include "conversao/Relatorio.h"

namespace {

// The rows of the open statement, counted by the server in the same
// transaction, so the count and the rows come from the same snapshot; the
// rows themselves are then read one at a time, never all held.
std::int32_t ContaLinhas(TIBQuery& qryBusca) {
  TIBQuery conta;
  conta.SetDatabase(qryBusca.Database());
  conta.SetTransaction(qryBusca.Transaction());
  conta.SQL().SetText(u"SELECT COUNT(*) FROM (" + qryBusca.SQL().Text() + u")");
  conta.Open();
  const std::int32_t n = conta.Fields(0).AsInteger();
  conta.Close();
  return n;
}

}  // namespace

void PercorreOrigem(TIBQuery& qryBusca, const std::u16string& entidade, const std::u16string& campoCodigo,
                    ui::TGauge& Barra, ui::TLabel& lblInfo, const std::function<void()>& ConverteLinha) {
  Barra.SetMaxValue(ContaLinhas(qryBusca));
  qryBusca.SetUniDirectional(true);
  std::int32_t vContaRegistro = 1;
  while (!qryBusca.Eof()) {
    lblInfo.SetCaption(u"Convertendo " + entidade + u" - Registro " + texto::IntParaTexto(vContaRegistro) + u" de " +
                       texto::IntParaTexto(Barra.MaxValue()));
    ui::ProcessMessages();
    interrupcao::Verifica();
    relatorio::IniciaLinha(vContaRegistro, qryBusca.FieldByName(campoCodigo).AsString());
    ConverteLinha();
    ++vContaRegistro;
    qryBusca.Next();
    Barra.AddProgress(1);
  }
  lblInfo.SetCaption(u"");
  Barra.SetProgress(0);
  Barra.SetMaxValue(0);
}
