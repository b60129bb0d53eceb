#include "aplicacao/nucleo/ClassesConversaoController.h"

#include <chrono>

#include "aplicacao/nucleo/AvisoDeBloqueio.h"
#include "aplicacao/nucleo/TextoRelatorio.h"
#include "aplicacao/nucleo/VerificacaoPrevia.h"
#include "cidades/CidadesController.h"
#include "clientes/ClientesController.h"
#include "comum/Erro.h"
#include "comum/InterfaceUsuario.h"
#include "conversao/Interrupcao.h"
#include "conversao/classConversao.h"
#include "fornecedores/FornecedoresController.h"

namespace {

// Whatever way the run leaves, the dry-run switch is put back.
class ModoSimulacao {
 public:
  explicit ModoSimulacao(bool ligado) : anterior_(TConversao::Simulacao) { TConversao::Simulacao = ligado; }
  ~ModoSimulacao() { TConversao::Simulacao = anterior_; }
  ModoSimulacao(const ModoSimulacao&) = delete;
  ModoSimulacao& operator=(const ModoSimulacao&) = delete;

 private:
  bool anterior_;
};

// COMMIT of a finished table: its rows are committed before the next table's
// emptying starts, so whatever fails later (a delete refused by a trigger or a
// lock, a row, a signal) leaves the tables already finished converted. The
// readers have sent every row when they return. Not in a dry run.
void ConfirmaTabelaConcluida(TIBTransaction& Transacao) {
  if (TConversao::Simulacao) return;
  TConversao::PConfirmaTransacao(Transacao);
  relatorio::Confirmou();
}

// One table's conversion, after the tables before it, as one step of the
// report. The run's final commit or rollback covers only the last one.
class SequenciaDeTabelas {
 public:
  explicit SequenciaDeTabelas(TIBTransaction& Transacao) : transacao_(Transacao) {}

  template <typename Conversao>
  void Converte(const char16_t* nome, const char16_t* origem, Conversao&& converte) {
    if (algumaConcluida_) ConfirmaTabelaConcluida(transacao_);
    relatorio::IniciaTabela(nome, origem);
    converte();
    relatorio::TerminaTabela();
    algumaConcluida_ = true;
  }

 private:
  TIBTransaction& transacao_;
  bool algumaConcluida_ = false;
};

}  // namespace

bool TClassesConversaoController::FEfetuaConversao(const comum::TStringList& MParams, TIBDatabase& BDOrigem,
                                                   TIBTransaction& /*TransacaoOrigem*/, TIBDatabase& BDDestino,
                                                   TIBTransaction& Transacao, ui::TGauge& Barra, ui::TLabel& lblInfo) {
  bool Result = false;
  relatorio_ = relatorio::TRelatorio{};
  relatorio_.origem = BDOrigem.DatabaseName();
  relatorio_.destino = BDDestino.DatabaseName();
  relatorio_.simulacao = simulacao_;
  relatorio_.inicio = regional::Agora();
  const auto inicio = std::chrono::steady_clock::now();
  relatorio::Gravacao gravacao(relatorio_);
  ModoSimulacao modo(simulacao_);

  TConversao Conversao(&BDDestino);
  Barra.SetProgress(0);
  TConversao::PIniciaTransacao(Transacao);
  interrupcao::RodadaEmCurso rodada;
  TAvisoDeBloqueio avisoDeBloqueio(lblInfo);
  ui::TipoMensagem tipo = ui::TipoMensagem::Informacao;
  std::u16string mensagem;
  try {
    verificacao::Tabelas tabelas;
    tabelas.cidades = MParams.Values(u"CIDADES") == u"S";
    tabelas.clientes = MParams.Values(u"CLIENTES") == u"S";
    tabelas.fornecedores = MParams.Values(u"FORNECEDORES") == u"S";
    if (tabelas.cidades) relatorio_.marcadas.push_back(u"cidades");
    if (tabelas.clientes) relatorio_.marcadas.push_back(u"clientes");
    if (tabelas.fornecedores) relatorio_.marcadas.push_back(u"fornecedores");
    verificacao::VerificaAntesDeConverter(BDOrigem, BDDestino, tabelas);
    SequenciaDeTabelas rodada(Transacao);
    if (tabelas.cidades)
      rodada.Converte(u"Cidades", u"RECDB001", [&] { PConverteCidades(BDOrigem, BDDestino, Barra, lblInfo); });
    if (tabelas.clientes)
      rodada.Converte(u"Clientes", u"RECDB004", [&] { PConverteClientes(BDOrigem, BDDestino, Barra, lblInfo); });
    if (tabelas.fornecedores)
      rodada.Converte(u"Fornecedores", u"PAGDB003",
                      [&] { PConverteFornecedores(BDOrigem, BDDestino, Barra, lblInfo); });
    // A signal that came after the last row still undoes the last table.
    interrupcao::Verifica();
    if (simulacao_) {
      TConversao::PCancelaTransacao(Transacao);
      mensagem = u"Simulação concluída com sucesso! Nada foi gravado no banco de dados de destino.";
    } else {
      TConversao::PConfirmaTransacao(Transacao);
      relatorio::ConfirmouTudo();
      mensagem = u"Conversão concluída com sucesso!";
    }
    relatorio_.resultado = relatorio::Resultado::Sucesso;
    Result = true;
  } catch (const std::exception& e) {
    // Whatever failed after a signal, the operator is told what happened.
    const bool interrompida = interrupcao::SinalRecebido() != 0;
    std::u16string motivo = interrompida ? interrupcao::Mensagem : comum::MensagemDe(e);
    relatorio::Falhou(motivo);
    relatorio_.resultado = interrompida ? relatorio::Resultado::Interrompida : relatorio::Resultado::Erro;
    try {
      TConversao::PCancelaTransacao(Transacao);
    } catch (const std::exception& e2) {
      // The run's error is the one the operator needs; the failed rollback is added to it.
      motivo += u"\r" + comum::MensagemDe(e2);
      relatorio_.falha->motivo = motivo;
    }
    tipo = ui::TipoMensagem::Erro;
    mensagem = u"Ocorreu um erro durante a conversão! Motivo: " + motivo;
  }
  relatorio_.segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
  std::u16string detalhes = textorelatorio::Resumo(relatorio_);
  if (AoTerminar) {
    try {
      const std::u16string mais = AoTerminar(relatorio_);
      if (!mais.empty()) detalhes += u"\n" + mais;
    } catch (const std::exception& e) {
      detalhes += u"\nO relatório não pôde ser gravado: " + comum::MensagemDe(e);
    }
  }
  ui::MostraMensagem(tipo, mensagem, detalhes);
  Barra.SetProgress(0);
  if (!Result) Barra.SetMaxValue(0);
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
