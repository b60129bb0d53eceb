#include "conversao/classConversao.h"

#include "conversao/Relatorio.h"

#include "comum/Erro.h"
#include "comum/Texto.h"
#include "comum/InterfaceUsuario.h"

TConversao::TConversao(TIBDatabase* cBanco) : cnBanco(cBanco) {
  QDestino = std::make_unique<TIBQuery>();
  QDestino->SetDatabase(cnBanco);
  QAuxiliar = std::make_unique<TIBQuery>();
  QAuxiliar->SetDatabase(cnBanco);
  ErroGravacao = false;
}

TConversao::~TConversao() = default;

std::u16string TConversao::StrZero(const std::u16string& Valor, std::int32_t Qtd) {
  auto n = static_cast<std::int64_t>(Valor.size());
  if (Qtd > n) return std::u16string(static_cast<std::size_t>(Qtd - n), u'0') + Valor;
  return Valor;
}

void TConversao::PIniciaTransacao(TIBTransaction& Transacao) {
  if (!Transacao.Active()) Transacao.StartTransaction();
}

void TConversao::PConfirmaTransacao(TIBTransaction& Transacao) {
  if (Transacao.Active()) Transacao.Commit();
}

void TConversao::PCancelaTransacao(TIBTransaction& Transacao) {
  if (Transacao.Active()) Transacao.Rollback();
}

void TConversao::PLimpaTabela(const std::u16string& NomeTabela) {
  TIBQuery q;
  try {
    q.SetDatabase(cnBanco);
    q.SQL().SetText(u"DELETE FROM " + NomeTabela);
    q.ExecSQL();
    // Commits the whole default transaction of the destination.
    q.SQL().SetText(u"COMMIT");
    q.ExecSQL();
  } catch (const std::exception& e) {
    ErroGravacao = true;
    ui::MostraMensagem(ui::TipoMensagem::Erro, u"Erro na Exclusão da tabela " + NomeTabela + u"." + u"\r" +
                                                   comum::MensagemDe(e) + u"\r" +
                                                   u"Verifique se a tabela está em Transação.");
  }
}

void TConversao::EsvaziaTabela(const std::u16string& textoDelete, const std::u16string& textoCommit) {
  QAuxiliar->Close();
  QAuxiliar->SQL().SetText(textoDelete);
  QAuxiliar->ExecSQL();
  if (Simulacao) return;
  QAuxiliar->Close();
  QAuxiliar->SQL().SetText(textoCommit);
  QAuxiliar->ExecSQL();
  relatorio::EsvaziamentoConfirmado();
}

namespace {

void AlteraTrigger(TIBDatabase& DbDestino, TIBTransaction& Transacao, const std::u16string& comando,
                   const std::u16string& mensagemErro) {
  TIBQuery q;
  try {
    q.SetDatabase(&DbDestino);
    TConversao::PIniciaTransacao(Transacao);
    q.SQL().Clear();
    q.SQL().Add(comando);
    q.ExecSQL();
    TConversao::PConfirmaTransacao(Transacao);
  } catch (const std::exception& e) {
    ui::MostraMensagem(ui::TipoMensagem::Aviso, mensagemErro + comum::MensagemDe(e));
    try {
      TConversao::PCancelaTransacao(Transacao);
    } catch (const std::exception&) {
      // The warning above already told the operator; nothing more to roll back.
    }
  }
}

}  // namespace

void TConversao::DesativaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao) {
  AlteraTrigger(DbDestino, Transacao, u"ALTER TRIGGER PRODUTO_BI0 INACTIVE", u"Erro ao desativar as Triggers: ");
}

void TConversao::AtivaTriggers(TIBDatabase& DbDestino, TIBTransaction& Transacao) {
  AlteraTrigger(DbDestino, Transacao, u"ALTER TRIGGER PRODUTO_BI0 ACTIVE", u"Erro ao ativar as Triggers: ");
}

std::u16string QuotedStr(const std::u16string& valor) {
  std::u16string r;
  r.reserve(valor.size() + 2);
  r.push_back(u'\'');
  for (char16_t c : valor) {
    r.push_back(c);
    if (c == u'\'') r.push_back(u'\'');
  }
  r.push_back(u'\'');
  return r;
}

std::u16string TValoresDoComando::Marcador(const std::u16string& valor) {
  valores_.push_back(valor);
  return u":V" + texto::IntParaTexto(static_cast<std::int64_t>(valores_.size()));
}

std::u16string TValoresDoComando::Texto(const std::u16string& valor) {
  return marcadores_ ? Marcador(valor) : QuotedStr(valor);
}

std::u16string TValoresDoComando::Numero(const std::u16string& valor) {
  return marcadores_ ? Marcador(valor) : valor;
}

void TValoresDoComando::PoeEm(TIBQuery& query, const std::u16string& texto) const {
  query.SQL().SetText(texto);
  for (std::size_t i = 0; i < valores_.size(); ++i) query.Params(static_cast<int>(i)).SetAsLiteral(valores_[i]);
}
