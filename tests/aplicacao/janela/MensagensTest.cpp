// The real modal boxes and the real open-file dialog, answered by timers, and
// the window's processing of pending events.
#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "ApoioJanela.h"
#include "aplicacao/janela/Aplicacao.h"
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

  // Qt's own texts read in Portuguese; the box's caption, text and its one
  // button keep the program's words.
  void TextosDoQtEmPortugues() {
    auto* aplicacao = dynamic_cast<janela::TAplicacao*>(QCoreApplication::instance());
    QVERIFY(aplicacao);
    QVERIFY2(aplicacao->QtEmPortugues(), "Qt's pt_BR translation (qt6-translations-l10n) was not loaded");

    janela::Caixa caixa{QMessageBox::Information, QStringLiteral("Information"),
                        QStringLiteral("Conversão concluída com sucesso!"), QMessageBox::Ok};
    caixa.detalhes = QStringLiteral("CIDADES: 3 lidos");
    auto box = janela::CriaCaixa(caixa, nullptr);
    QStringList textos;
    for (QAbstractButton* botao : box->findChildren<QAbstractButton*>()) {
      textos << botao->text().remove(QLatin1Char('&'));
    }
    QVERIFY2(!textos.contains(QStringLiteral("Show Details...")), qPrintable(textos.join(u'|')));
    QVERIFY2(textos.contains(QStringLiteral("Mostrar detalhes...")), qPrintable(textos.join(u'|')));
    QCOMPARE(box->button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
    QCOMPARE(box->windowTitle(), QStringLiteral("Information"));

    auto fechar = janela::CriaCaixa(
        {QMessageBox::Critical, QStringLiteral("Error"), QStringLiteral("Style 'X' not found"), QMessageBox::Close},
        nullptr);
    QCOMPARE(fechar->button(QMessageBox::Close)->text(), QStringLiteral("Close"));

    // The window's open-file dialog: its labels are Qt's.
    TFPrincipal w;
    QStringList rotulos;
    QTimer::singleShot(0, [&] {
      auto* dialogo = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!dialogo) return;
      for (QLabel* rotulo : dialogo->findChildren<QLabel*>()) rotulos << rotulo->text();
      dialogo->reject();
    });
    w.btnAbrirOrigemClick();
    QVERIFY(!rotulos.isEmpty());
    for (const char* ingles : {"Look in:", "File &name:", "Files of type:"}) {
      QVERIFY2(!rotulos.contains(QLatin1String(ingles)), qPrintable(rotulos.join(u'|')));
    }
  }
};

}  // namespace

int apoio_janela::RodaTestesMensagens(int argc, char** argv) {
  TesteMensagens t;
  return QTest::qExec(&t, argc, argv);
}

#include "MensagensTest.moc"
