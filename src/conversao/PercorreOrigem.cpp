#include "conversao/PercorreOrigem.h"

#include <cstdint>

#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"
#include "conversao/Interrupcao.h"

void PercorreOrigem(TIBQuery& qryBusca, const std::u16string& entidade, ui::TGauge& Barra, ui::TLabel& lblInfo,
                    const std::function<void()>& ConverteLinha) {
  // Last fetches the whole result, only to learn the row count.
  qryBusca.Last();
  Barra.SetMaxValue(qryBusca.RecordCount());
  qryBusca.First();
  std::int32_t vContaRegistro = 1;
  while (!qryBusca.Eof()) {
    lblInfo.SetCaption(u"Convertendo " + entidade + u" - Registro " + texto::IntParaTexto(vContaRegistro) + u" de " +
                       texto::IntParaTexto(Barra.MaxValue()));
    ui::ProcessMessages();
    interrupcao::Verifica();
    ConverteLinha();
    ++vContaRegistro;
    qryBusca.Next();
    Barra.AddProgress(1);
  }
  lblInfo.SetCaption(u"");
  Barra.SetProgress(0);
  Barra.SetMaxValue(0);
}
