// Screenshots of the window, kept as test artefacts inside the build folder:
// at start, during a run, and the final box with its details open. On a real X server the picture is what the
// screen shows; elsewhere the window's own rendering.
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextEdit>
#include <QScreen>
#include <QTest>

#include "ApoioJanela.h"
#include "aplicacao/janela/Aplicacao.h"
#include "aplicacao/janela/ControlesProgresso.h"
#include "aplicacao/janela/Mensagens.h"
#include "aplicacao/nucleo/TextoRelatorio.h"

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

  // The success box keeps its text; the summary of the run and the report's
  // file are under "Show Details...".
  void CaixaFinalComDetalhes() {
    relatorio::TRelatorio r;
    r.resultado = relatorio::Resultado::Sucesso;
    r.segundos = 3.77;
    relatorio::Tabela cidades{u"Cidades", u"RECDB001", 250, {{u"CIDADES", 250}}, {}, {}, 0.04, true, true};
    relatorio::Tabela clientes{u"Clientes", u"RECDB004", 2000, {{u"CLIENTE", 1931}, {u"COMPCLIE", 1931}},
                               {},          {},          3.41, true,          true};
    clientes.ignoradas.resize(69);
    clientes.criadas.resize(128, {u"CIDADES", u"00251", u"CURITIBA", u"PR"});
    relatorio::Tabela fornecedores{u"Fornecedores", u"PAGDB003", 300, {{u"FORNECE", 293}}, {}, {}, 0.25, true, true};
    fornecedores.ignoradas.resize(7);
    fornecedores.criadas.resize(5, {u"CIDADES", u"00379", u"ITABIRA", u"MG"});
    r.tabelas = {cidades, clientes, fornecedores};
    janela::Caixa caixa{QMessageBox::Information, QStringLiteral("Information"),
                        QStringLiteral("Conversão concluída com sucesso!"), QMessageBox::Ok};
    caixa.detalhes = QString::fromStdU16String(textorelatorio::Resumo(r)) +
                     QStringLiteral("Relatório completo: /dados/VESTREL.FB.2026-12-09_21-37-25.relatorio.txt");
    auto box = janela::CriaCaixa(caixa, nullptr);
    box->show();
    QVERIFY(QTest::qWaitForWindowExposed(box.get()));
    QAbstractButton* mostra = nullptr;
    for (QAbstractButton* b : box->buttons())
      if (box->buttonRole(b) == QMessageBox::ActionRole) mostra = b;
    QVERIFY(mostra != nullptr);
    mostra->click();
    QCoreApplication::processEvents();
    auto* area = box->findChild<QTextEdit*>();
    QVERIFY(area != nullptr && area->isVisible());
    QVERIFY(area->toPlainText().contains(QStringLiteral("69 ignoradas, 128 criadas em CIDADES")));
    QCOMPARE(box->text(), QStringLiteral("Conversão concluída com sucesso!"));
    box->adjustSize();
    QCoreApplication::processEvents();
    QPixmap tela;
    if (QGuiApplication::platformName() == QLatin1String("xcb")) tela = box->screen()->grabWindow(box->winId());
    if (tela.isNull() || tela.size() != box->size()) tela = box->grab();
    QVERIFY(!Salva(tela.toImage(), QStringLiteral("caixa-final-detalhes")).isEmpty());
  }
};

}  // namespace

int apoio_janela::RodaTestesCaptura(int argc, char** argv) {
  TesteCaptura t;
  return QTest::qExec(&t, argc, argv);
}

#include "CapturaTest.moc"
