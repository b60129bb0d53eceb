// Screenshots of the window, kept as test artefacts inside the build folder:
// at start and during a run. On a real X server the picture is what the
// screen shows; elsewhere the window's own rendering.
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTest>

#include "ApoioJanela.h"
#include "aplicacao/janela/Aplicacao.h"
#include "aplicacao/janela/ControlesProgresso.h"

#ifndef CONVERSOR_ARTEFATOS
#define CONVERSOR_ARTEFATOS "artefatos"
#endif

namespace {

QImage Captura(TFPrincipal& w) {
  QCoreApplication::processEvents();
  QPixmap tela;
  if (QGuiApplication::platformName() == QLatin1String("xcb")) tela = w.screen()->grabWindow(w.winId());
  if (tela.isNull() || tela.size() != w.size()) tela = w.grab();
  return tela.toImage();
}

QString Salva(const QImage& imagem, const QString& nome) {
  QDir().mkpath(QStringLiteral(CONVERSOR_ARTEFATOS));
  const QString arquivo =
      QStringLiteral(CONVERSOR_ARTEFATOS "/janela-%1-%2.png").arg(QGuiApplication::platformName(), nome);
  return imagem.save(arquivo) ? arquivo : QString();
}

class TesteCaptura : public QObject {
  Q_OBJECT

 private slots:
  void init() { janela::SelecionaTema(janela::kTemaPadrao); }
  void cleanup() { janela::RemoveTema(); }

  void Inicio() {
    TFPrincipal w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QImage imagem = Captura(w);
    QCOMPARE(imagem.size(), QSize(623, 313));
    QVERIFY(!Salva(imagem, QStringLiteral("inicio")).isEmpty());
    // The white header, the theme's grey below it, the empty gauge.
    QCOMPARE(QColor(imagem.pixel(300, 60)), QColor(Qt::white));
    QCOMPARE(QColor(imagem.pixel(100, 300)), QColor(0xdf, 0xe3, 0xe5));
    QCOMPARE(QColor(imagem.pixel(5, 272)), QColor(Qt::black));
    QCOMPARE(QColor(imagem.pixel(40, 268)), QColor(Qt::white));
  }

  void DuranteAExecucao() {
    TFPrincipal w;
    w.edtCaminhoBDOrigem->setText(QStringLiteral("/dados/LEGADO.FDB"));
    w.edtCaminhoBDDestino->setText(QStringLiteral("/dados/VESTREL.FB"));
    w.chkCidades->setChecked(true);
    w.chkCLientes->setChecked(true);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.DesabilitaBotoes();
    w.Barra->SetMaxValue(250);
    w.Barra->SetProgress(105);
    w.lblInfo->SetCaption(u"Convertendo Clientes - Registro 105 de 250");
    const QImage imagem = Captura(w);
    QVERIFY(!Salva(imagem, QStringLiteral("execucao")).isEmpty());
    QCOMPARE(w.Barra->Texto(), QStringLiteral("42%"));
    QCOMPARE(QColor(imagem.pixel(40, 268)), QColor(Qt::black));
    QCOMPARE(QColor(imagem.pixel(580, 268)), QColor(Qt::white));
  }
};

}  // namespace

int apoio_janela::RodaTestesCaptura(int argc, char** argv) {
  TesteCaptura t;
  return QTest::qExec(&t, argc, argv);
}

#include "CapturaTest.moc"
