// The progress gauge and label: the value rules and what is drawn.
#include <QImage>
#include <QTest>

#include "ApoioJanela.h"
#include "aplicacao/janela/ControlesProgresso.h"
#include "comum/Erro.h"

namespace {

QImage Desenho(janela::TBarra& barra) { return barra.grab().toImage(); }

class TesteBarra : public QObject {
  Q_OBJECT

 private slots:
  void Inicio() {
    janela::TBarra barra;
    QCOMPARE(barra.Progress(), 0);
    QCOMPARE(barra.MaxValue(), 100);
    QCOMPARE(barra.MinValue(), 0);
    QCOMPARE(barra.Texto(), QStringLiteral("0%"));
  }

  void MaximoZeroComProgressoCinco() {
    janela::TBarra barra;
    barra.SetProgress(5);
    QCOMPARE(barra.Texto(), QStringLiteral("5%"));
    barra.SetMaxValue(0);
    QCOMPARE(barra.Progress(), 0);
    QCOMPARE(barra.MaxValue(), 0);
    QCOMPARE(barra.Texto(), QStringLiteral("0%"));
    QCOMPARE(barra.PercentualMostrado(), 0);
  }

  void Percentual_data() {
    QTest::addColumn<int>("maximo");
    QTest::addColumn<int>("progresso");
    QTest::addColumn<QString>("texto");
    QTest::newRow("metade") << 100 << 50 << QStringLiteral("50%");
    QTest::newRow("um de tres, cortado") << 3 << 1 << QStringLiteral("33%");
    QTest::newRow("dois de tres, cortado") << 3 << 2 << QStringLiteral("66%");
    QTest::newRow("tudo") << 7 << 7 << QStringLiteral("100%");
    QTest::newRow("acima do maximo fica no maximo") << 10 << 25 << QStringLiteral("100%");
    QTest::newRow("abaixo de zero fica em zero") << 10 << -3 << QStringLiteral("0%");
    QTest::newRow("maximo grande sem estouro") << 2147483647 << 2147483646 << QStringLiteral("99%");
  }
  void Percentual() {
    QFETCH(int, maximo);
    QFETCH(int, progresso);
    QFETCH(QString, texto);
    janela::TBarra barra;
    barra.SetMaxValue(maximo);
    barra.SetProgress(progresso);
    QCOMPARE(barra.Texto(), texto);
  }

  void MaximoAbaixoDoMinimoFalha() {
    janela::TBarra barra;
    barra.SetProgress(40);
    try {
      barra.SetMaxValue(-1);
      QFAIL("no error");
    } catch (const comum::Erro& e) {
      QCOMPARE(QString::fromStdU16String(e.Mensagem()), QStringLiteral("Value must be between 1 and 2147483647"));
    }
    QCOMPARE(barra.MaxValue(), 100);
    QCOMPARE(barra.Progress(), 40);
  }

  void AddProgressAcumulaEPara() {
    janela::TBarra barra;
    barra.SetMaxValue(4);
    for (int i = 0; i < 6; ++i) barra.AddProgress(1);
    QCOMPARE(barra.Progress(), 4);
    QCOMPARE(barra.Texto(), QStringLiteral("100%"));
  }

  // The filled part is black, the rest white, inside a single border.
  void DesenhoPreenchido() {
    janela::TBarra barra;
    barra.resize(611, 15);
    barra.SetProgress(50);
    QCOMPARE(barra.PercentualMostrado(), 50);
    QImage img = Desenho(barra);
    QCOMPARE(img.size(), QSize(611, 15));
    QCOMPARE(QColor(img.pixel(0, 7)), QColor(Qt::black));    // border
    QCOMPARE(QColor(img.pixel(610, 7)), QColor(Qt::black));  // border
    QCOMPARE(QColor(img.pixel(20, 2)), QColor(Qt::black));   // filled
    QCOMPARE(QColor(img.pixel(590, 2)), QColor(Qt::white));  // empty
    barra.SetMaxValue(0);
    img = Desenho(barra);
    QCOMPARE(QColor(img.pixel(20, 2)), QColor(Qt::white));
  }

  // The percentage is written in the middle: both colours appear there.
  void DesenhoTextoCentrado() {
    janela::TBarra barra;
    barra.resize(611, 15);
    QImage vazio = Desenho(barra);
    int escuros = 0;
    for (int x = 280; x < 330; ++x)
      for (int y = 2; y < 13; ++y) escuros += QColor(vazio.pixel(x, y)).lightness() < 128;
    QVERIFY2(escuros > 5, "no text in the middle of the bar");
    int foraDoMeio = 0;
    for (int x = 20; x < 200; ++x)
      for (int y = 2; y < 13; ++y) foraDoMeio += QColor(vazio.pixel(x, y)).lightness() < 128;
    QCOMPARE(foraDoMeio, 0);
  }

  void RotuloAjustaAoTexto() {
    janela::TRotulo rotulo;
    rotulo.setGeometry(8, 248, 3, 13);
    int avisos = 0;
    rotulo.AoMudar = [&] { ++avisos; };
    rotulo.SetCaption(u"Convertendo Cidades - Registro 1 de 2");
    QCOMPARE(rotulo.text(), QStringLiteral("Convertendo Cidades - Registro 1 de 2"));
    QCOMPARE(rotulo.pos(), QPoint(8, 248));
    QVERIFY(rotulo.width() > 100);
    QCOMPARE(avisos, 1);
    rotulo.SetCaption(u"");
    QCOMPARE(rotulo.text(), QString());
    QVERIFY(rotulo.width() < 20);
  }

  // Shown, captions that come faster than it is drawn keep their text at
  // once and get their size with the next processing of events, so the last
  // one (a failed run's row, under the error box) is never cut.
  void RotuloRapidoFicaComOTamanhoDoUltimo() {
    QWidget janela;
    janela.resize(600, 40);
    janela::TRotulo rotulo(&janela);
    rotulo.move(8, 10);
    janela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&janela));
    rotulo.SetCaption(u"Convertendo Clientes - Registro 9 de 10");
    rotulo.SetCaption(u"Convertendo Clientes - Registro 10 de 10 (e um texto bem mais longo)");
    QCOMPARE(rotulo.text(), QStringLiteral("Convertendo Clientes - Registro 10 de 10 (e um texto bem mais longo)"));
    QCoreApplication::processEvents();
    QCOMPARE(rotulo.size(), rotulo.sizeHint());
    QCOMPARE(rotulo.pos(), QPoint(8, 10));
  }
};

}  // namespace

int apoio_janela::RodaTestesBarra(int argc, char** argv) {
  TesteBarra t;
  return QTest::qExec(&t, argc, argv);
}

#include "BarraTest.moc"
