// Program start-up: the title, the theme, the main window, the default error
// report and the failure before the event loop.
#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "ApoioJanela.h"
#include "aplicacao/janela/Aplicacao.h"
#include "aplicacao/janela/Fontes.h"
#include "banco/Biblioteca.h"
#include "comum/Erro.h"
#include "comum/Versao.h"

namespace {

const QString kLinhaDaVersao = QStringLiteral("Versão ") + QLatin1String(comum::kVersao);

QList<QWidget*> JanelasVisiveis() {
  QList<QWidget*> visiveis;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) visiveis << w;
  return visiveis;
}

// An object whose event handler fails.
class Falhador : public QObject {
 public:
  explicit Falhador(std::u16string mensagem) : mensagem_(std::move(mensagem)) {}
  int eventos = 0;
  bool event(QEvent* e) override {
    if (e->type() != QEvent::User) return QObject::event(e);
    ++eventos;
    throw comum::Erro(mensagem_);
  }

 private:
  std::u16string mensagem_;
};

class TesteInicio : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    qApp->setStyleSheet(QString());
    janela::RemoveTema();
  }

  void cleanup() { banco::DefineNomeBibliotecaCliente(banco::NomePadraoBibliotecaCliente()); }

  void Titulo_data() {
    QTest::addColumn<QString>("executavel");
    QTest::addColumn<QString>("titulo");
    QTest::newRow("nome do programa") << "/opt/bin/conversor-zorvan-grafica"
                                      << "conversor-zorvan-grafica";
    QTest::newRow("extensao e maiusculas") << "C:/Prog/ConversorZorvanGrafica.exe"
                                           << "Conversorzorvangrafica";
    QTest::newRow("corta no primeiro ponto") << "/x/PROG.V2.EXE"
                                             << "Prog";
    QTest::newRow("ponto na pasta nao conta") << "/a.b/Zorvan"
                                              << "Zorvan";
    QTest::newRow("uma letra") << "/x/z.exe"
                               << "z";
    QTest::newRow("acentos") << "/x/ÉCRAN.bin"
                             << "Écran";
  }
  void Titulo() {
    QFETCH(QString, executavel);
    QFETCH(QString, titulo);
    QCOMPARE(janela::TituloDaAplicacao(executavel), titulo);
  }

  void TituloDoProgramaEmExecucao() { QCOMPARE(janela::TituloAplicacao(), QStringLiteral("janela-testes")); }

  void Versao() { QCOMPARE(QCoreApplication::applicationVersion(), QLatin1String(comum::kVersao)); }

  // Only a regular face of the family asked for: fontconfig's nearest match
  // is always some font.
  void FonteRegularPelaFamilia() {
    const std::string regular = "/usr/share/wine/fonts/tahoma.ttf";
    const std::string negrito = "/usr/share/wine/fonts/tahomabd.ttf";
    if (!QFileInfo::exists(QString::fromStdString(regular)) || !QFileInfo::exists(QString::fromStdString(negrito)))
      QSKIP("fonts-wine is not installed");
    std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)> config(FcConfigCreate(), FcConfigDestroy);
    QVERIFY(FcConfigAppFontAddFile(config.get(), reinterpret_cast<const FcChar8*>(negrito.c_str())));
    QCOMPARE(janela::ArquivoDaFonteRegular("Tahoma", config.get()), std::string());
    QVERIFY(FcConfigAppFontAddFile(config.get(), reinterpret_cast<const FcChar8*>(regular.c_str())));
    QCOMPARE(janela::ArquivoDaFonteRegular("Tahoma", config.get()), regular);
    QCOMPARE(janela::ArquivoDaFonteRegular("Verdana", config.get()), std::string());
  }

  void PontoFinal_data() {
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("mostrada");
    QTest::newRow("letra") << "Database name is missing"
                           << "Database name is missing.";
    QTest::newRow("exclamacao") << "Conversão concluída com sucesso!"
                                << "Conversão concluída com sucesso!";
    QTest::newRow("digito") << "Registro 9"
                            << "Registro 9.";
    QTest::newRow("ponto") << "Fim."
                           << "Fim.";
    QTest::newRow("parentese") << "valor (a)"
                               << "valor (a)";
    QTest::newRow("barra depois do ponto") << "/tmp/"
                                           << "/tmp/.";
    QTest::newRow("acentuada") << "conexão"
                               << "conexão.";
    QTest::newRow("espaco final") << "Verifique! "
                                  << "Verifique! ";
    QTest::newRow("vazia") << ""
                           << "";
  }
  void PontoFinal() {
    QFETCH(QString, mensagem);
    QFETCH(QString, mostrada);
    QCOMPARE(janela::ComPontoFinal(mensagem), mostrada);
  }

  // An error escaping an event handler: the report's box, and the loop goes on.
  void RelatorioPadraoDeErros() {
    apoio_janela::CaixasGravadas caixas;
    Falhador f(u"Database name is missing");
    QCoreApplication::postEvent(&f, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&f, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(f.eventos, 2);
    QCOMPARE(caixas.caixas.size(), size_t{2});
    QCOMPARE(caixas.caixas[0].texto, QStringLiteral("Database name is missing."));
    QCOMPARE(caixas.caixas[0].detalhe, kLinhaDaVersao);
    QCOMPARE(caixas.caixas[0].titulo, janela::TituloAplicacao());
    QCOMPARE(caixas.caixas[0].icone, QMessageBox::Critical);
    QCOMPARE(caixas.caixas[0].botao, QMessageBox::Ok);

    Falhador g(u"Falhou!");
    QEvent evento(QEvent::User);
    QCoreApplication::sendEvent(&g, &evento);
    QCOMPARE(caixas.caixas.size(), size_t{3});
    QCOMPARE(caixas.caixas[2].texto, QStringLiteral("Falhou!"));
  }

  void TemaEJanelaPrincipal() {
    apoio_janela::CaixasGravadas caixas;
    QVERIFY(janela::TemasDisponiveis().contains(QStringLiteral("Turquoise Gray")));
    std::unique_ptr<TFPrincipal> w = janela::IniciaPrograma(janela::kTemaPadrao);
    QVERIFY(w);
    QVERIFY(caixas.caixas.empty());
    QCOMPARE(FPrincipal, w.get());
    QCOMPARE(janela::TemaAtivo(), QStringLiteral("Turquoise Gray"));
    QVERIFY(qApp->styleSheet().contains(QStringLiteral("Turquoise Gray")));
    // Creating the window connects nothing.
    QVERIFY(!w->ibdOrigem.Connected());
    QVERIFY(!w->ibdVestrel.Connected());
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(JanelasVisiveis(), QList<QWidget*>{w.get()});
    // The theme's grey is the window's background.
    QImage imagem = w->grab().toImage();
    QCOMPARE(QColor(imagem.pixel(100, 300)), QColor(0xdf, 0xe3, 0xe5));
    QCOMPARE(QColor(imagem.pixel(300, 60)), QColor(Qt::white));
  }

  void TemaSemDiferencaDeMaiusculas() {
    apoio_janela::CaixasGravadas caixas;
    QVERIFY(janela::SelecionaTema(QStringLiteral("tURQUOISE gray")));
    QVERIFY(caixas.caixas.empty());
    QCOMPARE(janela::TemaAtivo(), QStringLiteral("Turquoise Gray"));
  }

  void TemaInexistente() {
    apoio_janela::CaixasGravadas caixas;
    std::unique_ptr<TFPrincipal> w = janela::IniciaPrograma(QStringLiteral("Carbon"));
    QCOMPARE(caixas.caixas.size(), size_t{1});
    QCOMPARE(caixas.caixas[0].texto, QStringLiteral("Style 'Carbon' not found"));
    QCOMPARE(caixas.caixas[0].botao, QMessageBox::Close);
    QCOMPARE(caixas.caixas[0].icone, QMessageBox::Critical);
    // The program goes on with the standard look.
    QVERIFY(w);
    QCOMPARE(janela::TemaAtivo(), QString());
    QCOMPARE(qApp->styleSheet(), QString());
  }

  void BibliotecaClienteAusente() {
    apoio_janela::CaixasGravadas caixas;
    banco::DefineNomeBibliotecaCliente("libnao-existe.so");
    QCOMPARE(janela::ExecutaPrograma(janela::kTemaPadrao), 1);
    QCOMPARE(caixas.caixas.size(), size_t{1});
    const janela::Caixa& c = caixas.caixas[0];
    QCOMPARE(c.titulo, QStringLiteral("Application Error"));
    QCOMPARE(c.detalhe, kLinhaDaVersao);
    QCOMPARE(c.icone, QMessageBox::Critical);
    QCOMPARE(c.botao, QMessageBox::Ok);
    QVERIFY2(c.texto.contains(QStringLiteral("EIBClientError")), qPrintable(c.texto));
    QVERIFY2(c.texto.contains(QStringLiteral("InterBase library libnao-existe.so not found in the path. Please install "
                                             "InterBase to use this functionality")),
             qPrintable(c.texto));
    QCOMPARE(FPrincipal, nullptr);
    QVERIFY(JanelasVisiveis().isEmpty());
  }

  // The whole program: the loop runs until the main window closes.
  void ProgramaCompleto() {
    apoio_janela::CaixasGravadas caixas;
    qApp->setQuitOnLastWindowClosed(true);
    QList<QWidget*> visiveis;
    QString tema;
    QTimer::singleShot(0, [&] {
      visiveis = JanelasVisiveis();
      tema = janela::TemaAtivo();
      QTest::mouseClick(FPrincipal->btnSair, Qt::LeftButton);
    });
    const int codigo = janela::ExecutaPrograma(janela::kTemaPadrao);
    qApp->setQuitOnLastWindowClosed(false);
    QCOMPARE(codigo, 0);
    QCOMPARE(visiveis.size(), 1);
    QCOMPARE(tema, QStringLiteral("Turquoise Gray"));
    QCOMPARE(FPrincipal, nullptr);
    QVERIFY(caixas.caixas.empty());
  }
};

}  // namespace

int apoio_janela::RodaTestesInicio(int argc, char** argv) {
  TesteInicio t;
  return QTest::qExec(&t, argc, argv);
}

#include "InicioTest.moc"
