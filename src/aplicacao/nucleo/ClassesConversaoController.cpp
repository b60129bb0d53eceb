#include "aplicacao/nucleo/ClassesConversaoController.h"

#include "aplicacao/nucleo/AvisoDeBloqueio.h"
#include "aplicacao/nucleo/VerificacaoPrevia.h"
#include "cidades/CidadesController.h"
#include "clientes/ClientesController.h"
#include "comum/Erro.h"
#include "comum/InterfaceUsuario.h"
#include "conversao/Interrupcao.h"
#include "conversao/classConversao.h"
#include "fornecedores/FornecedoresController.h"

bool TClassesConversaoController::FEfetuaConversao(const comum::TStringList& MParams, TIBDatabase& BDOrigem,
                                                   TIBTransaction& /*TransacaoOrigem*/, TIBDatabase& BDDestino,
                                                   TIBTransaction& Transacao, ui::TGauge& Barra, ui::TLabel& lblInfo) {
  bool Result = false;
  TConversao Conversao(&BDDestino);
  Barra.SetProgress(0);
  TConversao::PIniciaTransacao(Transacao);
  interrupcao::RodadaEmCurso rodada;
  TAvisoDeBloqueio avisoDeBloqueio(lblInfo);
  try {
    verificacao::Tabelas tabelas;
    tabelas.cidades = MParams.Values(u"CIDADES") == u"S";
    tabelas.clientes = MParams.Values(u"CLIENTES") == u"S";
    tabelas.fornecedores = MParams.Values(u"FORNECEDORES") == u"S";
    verificacao::VerificaAntesDeConverter(BDOrigem, BDDestino, tabelas);
    if (tabelas.cidades) PConverteCidades(BDOrigem, BDDestino, Barra, lblInfo);
    if (tabelas.clientes) PConverteClientes(BDOrigem, BDDestino, Barra, lblInfo);
    if (tabelas.fornecedores) PConverteFornecedores(BDOrigem, BDDestino, Barra, lblInfo);
    // A signal that came after the last row still undoes the run.
    interrupcao::Verifica();
    TConversao::PConfirmaTransacao(Transacao);
    ui::MostraMensagem(ui::TipoMensagem::Informacao, u"Conversão concluída com sucesso!");
    Result = true;
    Barra.SetProgress(0);
  } catch (const std::exception& e) {
    // Whatever failed after a signal, the operator is told what happened.
    std::u16string motivo = interrupcao::SinalRecebido() ? interrupcao::Mensagem : comum::MensagemDe(e);
    try {
      TConversao::PCancelaTransacao(Transacao);
    } catch (const std::exception& e2) {
      // The run's error is the one the operator needs; the failed rollback is added to it.
      motivo += u"\r" + comum::MensagemDe(e2);
    }
    ui::MostraMensagem(ui::TipoMensagem::Erro, u"Ocorreu um erro durante a conversão! Motivo: " + motivo);
    Barra.SetProgress(0);
    Barra.SetMaxValue(0);
  }
  return Result;
}

void TClassesConversaoController::PConverteCidades(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra,
                                                   ui::TLabel& lblInfo) {
  TClassPreencheDadosCidades Leitor;
  Leitor.PreencheDadosCidades(BDOrigem, BDVestrel, Barra, lblInfo);
}

void TClassesConversaoController::PConverteClientes(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel, ui::TGauge& Barra,
                                                    ui::TLabel& lblInfo) {
  TClassPreencheDadosClientes Leitor;
  Leitor.PreencheDadosClientes(BDOrigem, BDVestrel, Barra, lblInfo);
}

void TClassesConversaoController::PConverteFornecedores(TIBDatabase& BDOrigem, TIBDatabase& BDVestrel,
                                                        ui::TGauge& Barra, ui::TLabel& lblInfo) {
  TClassPreencheDadosFornecedores Leitor;
  Leitor.PreencheConverteFornecedores(BDOrigem, BDVestrel, Barra, lblInfo);
}

void pIniciaListaParametros(comum::TStringList& MParams) {
  MParams.Add(u"CIDADES");
  MParams.Add(u"CLIENTES");
  MParams.Add(u"FORNECEDORES");
  MParams.Add(u"CAMINHO BD DESTINO");
  MParams.Add(u"CAMINHO BD ORIGEM");
}

void pCarregaParametros(comum::TStringList& MParams, bool cidades, bool clientes, bool fornecedores) {
  if (cidades) MParams.SetValues(u"CIDADES", u"S");
  if (clientes) MParams.SetValues(u"CLIENTES", u"S");
  if (fornecedores) MParams.SetValues(u"FORNECEDORES", u"S");
}
