#include "cidades/CidadesController.h"

#include <cstdint>

#include "cidades/Cidade.h"
#include "comum/InterfaceUsuario.h"
#include "comum/Texto.h"

TIBQuery& TClassPreencheDadosCidades::BuscaCidadesBDOrigem(TIBQuery& qryBusca) {
  qryBusca.SQL().Clear();
  qryBusca.SQL().SetText(u" SELECT CODIGO, DESCRICAO FROM RECDB001 ");
  qryBusca.Open();
  return qryBusca;
}

void TClassPreencheDadosCidades::PreencheDadosCidades(TIBDatabase& DbOrigem, TIBDatabase& DbDestino,
                                                      ui::TGauge& Barra, ui::TLabel& lblInfo) {
  TConverteCidades ConverteCidades(&DbDestino);
  TIBQuery qryBusca;
  qryBusca.SetDatabase(&DbOrigem);
  std::int32_t vContaRegistro = 1;

  ConverteCidades.LimpaTabela();
  BuscaCidadesBDOrigem(qryBusca);
  qryBusca.Last();
  Barra.SetMaxValue(qryBusca.RecordCount());
  qryBusca.First();
  while (!qryBusca.Eof()) {
    lblInfo.SetCaption(u"Convertendo Cidades - Registro " + texto::IntParaTexto(vContaRegistro) + u" de " +
                       texto::IntParaTexto(Barra.MaxValue()));
    ui::ProcessMessages();
    ConverteCidades.SetCodCidade(qryBusca.FieldByName(u"CODIGO").AsString());
    ConverteCidades.SetCidade(qryBusca.FieldByName(u"DESCRICAO").AsString());
    ConverteCidades.SetEstado(u"MG");
    ConverteCidades.ExecutaSql(&DbDestino);
    ++vContaRegistro;
    qryBusca.Next();
    Barra.AddProgress(1);
  }
  lblInfo.SetCaption(u"");
  Barra.SetProgress(0);
  Barra.SetMaxValue(0);
}
