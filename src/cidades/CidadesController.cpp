#include "cidades/CidadesController.h"

#include "cidades/Cidade.h"
#include "conversao/PercorreOrigem.h"
#include "conversao/Relatorio.h"

TIBQuery& TClassPreencheDadosCidades::BuscaCidadesBDOrigem(TIBQuery& qryBusca) {
  qryBusca.SQL().Clear();
  qryBusca.SQL().SetText(u" SELECT CODIGO, DESCRICAO FROM RECDB001 ");
  qryBusca.Open();
  return qryBusca;
}

void TClassPreencheDadosCidades::PreencheDadosCidades(TIBDatabase& DbOrigem, TIBDatabase& DbDestino, ui::TGauge& Barra,
                                                      ui::TLabel& lblInfo) {
  TConverteCidades ConverteCidades(&DbDestino);
  TIBQuery qryBusca;
  qryBusca.SetDatabase(&DbOrigem);
  // The source rows are opened first: a table that cannot be read leaves the
  // destination's table as it was.
  BuscaCidadesBDOrigem(qryBusca);
  ConverteCidades.LimpaTabela();
  PercorreOrigem(qryBusca, u"Cidades", u"CODIGO", Barra, lblInfo, [&] {
    ConverteCidades.SetCodCidade(qryBusca.FieldByName(u"CODIGO").AsString());
    ConverteCidades.SetCidade(qryBusca.FieldByName(u"DESCRICAO").AsString());
    ConverteCidades.SetEstado(u"MG");
    ConverteCidades.ExecutaSql(&DbDestino);
    relatorio::Gravou(u"CIDADES");
  });
}
