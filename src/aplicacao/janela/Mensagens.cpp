#include "aplicacao/janela/Mensagens.h"

#include <QApplication>
#include <QCoreApplication>
#include <QPushButton>
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

void TInterfaceQt::ProcessaEventosPendentes() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

}  // namespace janela
