// The real modal boxes and the real open-file dialog, answered by timers, and
// the window's processing of pending events.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "ApoioJanela.h"
#include "comum/InterfaceUsuario.h"

namespace {

// Something that counts the events it gets.
class Contador : public QObject {
 public:
  int eventos = 0;
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) ++eventos;
    return QObject::event(e);
  }
};

class TesteMensagens : public QObject {
  Q_OBJECT

 private slots:
  void Caixa_data() {
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("icone");
    QTest::addColumn<QString>("titulo");
    QTest::newRow("aviso") << int(ui::TipoMensagem::Aviso) << int(QMessageBox::Warning) << "Warning";
    QTest::newRow("erro") << int(ui::TipoMensagem::Erro) << int(QMessageBox::Critical) << "Error";
    QTest::newRow("informacao") << int(ui::TipoMensagem::Informacao) << int(QMessageBox::Information) << "Information";
  }
  void Caixa() {
    QFETCH(int, tipo);
    QFETCH(int, icone);
    QFETCH(QString, titulo);
    const auto t = static_cast<ui::TipoMensagem>(tipo);
    QCOMPARE(janela::LegendaDoTipo(t), titulo);
    QCOMPARE(int(janela::IconeDoTipo(t)), icone);
    auto box = janela::CriaCaixa({janela::IconeDoTipo(t), titulo, QStringLiteral("um\rdois\r\ntrês <b>"),
                                  QMessageBox::Ok, QStringLiteral("rodapé")},
                                 nullptr);
    QCOMPARE(int(box->icon()), icone);
    QCOMPARE(box->windowTitle(), titulo);
    QCOMPARE(box->text(), QStringLiteral("um\ndois\ntrês <b>"));
    QCOMPARE(box->informativeText(), QStringLiteral("rodapé"));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons()[0]->text().remove(QLatin1Char('&')), QStringLiteral("OK"));
  }

  void BotaoFechar() {
    auto box = janela::CriaCaixa(
        {QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Style 'X' not found"), QMessageBox::Close},
        nullptr);
    QCOMPARE(box->buttons().size(), 1);
    QCOMPARE(box->buttons()[0]->text().remove(QLatin1Char('&')), QStringLiteral("Close"));
  }

  // Through the window's interface, a real modal box that the operator closes.
  void CaixaModalReal() {
    janela::TInterfaceQt interface;
    ui::IInterfaceUsuario* anterior = ui::DefineInterfaceUsuario(&interface);
    QString vista;
    QString titulo;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      vista = box->text();
      titulo = box->windowTitle();
      box->buttons().first()->click();
    });
    ui::MostraMensagem(ui::TipoMensagem::Informacao, u"Conversão concluída com sucesso!");
    ui::DefineInterfaceUsuario(anterior);
    QCOMPARE(vista, QStringLiteral("Conversão concluída com sucesso!"));
    QCOMPARE(titulo, QStringLiteral("Information"));
  }

  void ProcessaEventosPendentes() {
    janela::TInterfaceQt interface;
    ui::IInterfaceUsuario* anterior = ui::DefineInterfaceUsuario(&interface);
    Contador c;
    QCoreApplication::postEvent(&c, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&c, new QEvent(QEvent::User));
    ui::ProcessMessages();
    ui::DefineInterfaceUsuario(anterior);
    QCOMPARE(c.eventos, 2);
  }

  // The window's own dialog: the executable's folder and the side's filter.
  void DialogoRealDaJanela() {
    TFPrincipal w;
    QString pasta;
    QStringList filtros;
    QTimer::singleShot(0, [&] {
      auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialogo) return;
      pasta = dialogo->directory().absolutePath();
      filtros = dialogo->nameFilters();
      dialogo->reject();
    });
    w.btnAbrirVestrelClick();
    QCOMPARE(pasta, QCoreApplication::applicationDirPath());
    QCOMPARE(filtros, QStringList{QStringLiteral("*.FB")});
    QCOMPARE(w.edtCaminhoBDDestino->text(), QString());
    QVERIFY(!w.ibdVestrel.Connected());
  }
};

}  // namespace

int apoio_janela::RodaTestesMensagens(int argc, char** argv) {
  TesteMensagens t;
  return QTest::qExec(&t, argc, argv);
}

#include "MensagensTest.moc"
