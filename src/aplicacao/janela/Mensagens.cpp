#include "aplicacao/janela/Mensagens.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QGridLayout>
#include <QPushButton>
#include <QSpacerItem>
#include <cstdio>

#include "conversao/Interrupcao.h"

namespace janela {

namespace {

ExibidorDeCaixas& exibidor() {
  static ExibidorDeCaixas e;
  return e;
}

// Boxes stand over the window that is in front, when there is one.
QWidget* PaiDaCaixa() {
  QWidget* ativa = QApplication::activeWindow();
  if (ativa && ativa->isVisible()) return ativa;
  return nullptr;
}

void ExibeCaixaReal(const Caixa& caixa) {
  std::unique_ptr<QMessageBox> box = CriaCaixa(caixa, PaiDaCaixa());
  box->exec();
}

}  // namespace

ExibidorDeCaixas DefineExibidorDeCaixas(ExibidorDeCaixas novo) {
  ExibidorDeCaixas anterior = std::move(exibidor());
  exibidor() = std::move(novo);
  return anterior;
}

void ExibeCaixa(const Caixa& caixa) {
  if (exibidor()) {
    exibidor()(caixa);
  } else {
    ExibeCaixaReal(caixa);
  }
}

std::unique_ptr<QMessageBox> CriaCaixa(const Caixa& caixa, QWidget* pai) {
  QString texto = caixa.texto;
  texto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  texto.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  auto box = std::make_unique<QMessageBox>(caixa.icone, caixa.titulo, QString(), caixa.botao, pai);
  box->setTextFormat(Qt::PlainText);
  box->setText(texto);
  box->setInformativeText(caixa.detalhe);
  if (!caixa.detalhes.isEmpty()) {
    box->setDetailedText(caixa.detalhes);
    // The details are a line per table: a box as narrow as its text would
    // break every one of them.
    if (auto* grade = qobject_cast<QGridLayout*>(box->layout())) {
      grade->addItem(new QSpacerItem(640, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grade->rowCount(), 0, 1,
                     grade->columnCount());
    }
  }
  // The box's one button keeps its English word ("OK", "Close") while Qt's
  // own texts around it are translated.
  if (QAbstractButton* botao = box->button(caixa.botao)) {
    if (caixa.botao == QMessageBox::Ok) botao->setText(QStringLiteral("OK"));
    if (caixa.botao == QMessageBox::Close) botao->setText(QStringLiteral("Close"));
  }
  box->setDefaultButton(caixa.botao);
  box->setEscapeButton(caixa.botao);
  return box;
}

QString LegendaDoTipo(ui::TipoMensagem tipo) {
  switch (tipo) {
    case ui::TipoMensagem::Aviso:
      return QStringLiteral("Warning");
    case ui::TipoMensagem::Erro:
      return QStringLiteral("Error");
    case ui::TipoMensagem::Informacao:
      return QStringLiteral("Information");
  }
  return QString();
}

QMessageBox::Icon IconeDoTipo(ui::TipoMensagem tipo) {
  switch (tipo) {
    case ui::TipoMensagem::Aviso:
      return QMessageBox::Warning;
    case ui::TipoMensagem::Erro:
      return QMessageBox::Critical;
    case ui::TipoMensagem::Informacao:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

void TInterfaceQt::MostraMensagem(ui::TipoMensagem tipo, const std::u16string& texto) {
  // A program ending on a signal does not wait for a click.
  if (interrupcao::SinalRecebido()) {
    std::fprintf(stderr, "%s\n", QString::fromStdU16String(texto).replace(u'\r', u'\n').toUtf8().constData());
    return;
  }
  ExibeCaixa({IconeDoTipo(tipo), LegendaDoTipo(tipo), QString::fromStdU16String(texto), QMessageBox::Ok});
}

void TInterfaceQt::MostraMensagemComDetalhes(ui::TipoMensagem tipo, const std::u16string& texto,
                                             const std::u16string& detalhes) {
  if (interrupcao::SinalRecebido()) {
    MostraMensagem(tipo, texto);
    std::fprintf(stderr, "%s", QString::fromStdU16String(detalhes).toUtf8().constData());
    return;
  }
  Caixa caixa{IconeDoTipo(tipo), LegendaDoTipo(tipo), QString::fromStdU16String(texto), QMessageBox::Ok};
  caixa.detalhes = QString::fromStdU16String(detalhes);
  ExibeCaixa(caixa);
}

void TInterfaceQt::ProcessaEventosPendentes() {
  // The readers ask once per row, thousands of times a second; fifty times a
  // second keeps the window answering and drawn without slowing the run.
  const auto agora = std::chrono::steady_clock::now();
  if (agora - processado_ < std::chrono::milliseconds(20)) return;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  processado_ = std::chrono::steady_clock::now();
}

}  // namespace janela
