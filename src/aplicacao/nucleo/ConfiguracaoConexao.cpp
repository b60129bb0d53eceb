#include "aplicacao/nucleo/ConfiguracaoConexao.h"

void ConfiguraConexao(TIBDatabase& banco, TIBTransaction& transacao) {
  banco.Params().Add(u"user_name=SYSDBA");
  banco.Params().Add(u"password=quillsand");
  banco.SetLoginPrompt(false);
  banco.SetDefaultTransaction(&transacao);
  banco.SetServerType(u"IBServer");
  transacao.SetDefaultDatabase(&banco);
}
