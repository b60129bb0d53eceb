#pragma once
// Program start-up: the application object with the default error report,
// the visual theme, the creation of the main window and the event loop.
#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTranslator>
#include <exception>
#include <memory>

class TFPrincipal;

namespace janela {

// The theme the program selects at start-up.
inline const QString kTemaPadrao = QStringLiteral("Turquoise Gray");

// The application object. An error that escapes an event handler is shown
// by the default error report and the event loop goes on. Qt's own texts
// (the file dialog, the message boxes' details button) are in Brazilian
// Portuguese whatever the machine's language, when Qt's translations are
// installed; the program's own texts are not translated.
class TAplicacao : public QApplication {
 public:
  TAplicacao(int& argc, char** argv);
  bool notify(QObject* receptor, QEvent* evento) override;
  const QString& Titulo() const { return titulo_; }
  // Whether Qt's Brazilian Portuguese translation was found and installed.
  bool QtEmPortugues() const { return qtEmPortugues_; }

 private:
  QString titulo_;
  QTranslator traducaoQt_;
  bool qtEmPortugues_ = false;
};

// The file name of the executable without its folder, cut before its first
// ".", every letter after the first in lower case.
QString TituloDaAplicacao(const QString& caminhoExecutavel);
// The running program's title (the default error report's caption).
QString TituloAplicacao();

// The message with a "." appended when its last character comes after "."
// in character order (a letter or a digit, for example).
QString ComPontoFinal(const QString& mensagem);

// "Versão 1.0.0": the line under the message of the error reports, so that
// a report says which version failed.
QString LinhaDaVersao();

// The default error report: a box with the program's title as caption, the
// error icon, one OK button, the message and the version line under it;
// returns when it is closed.
void ReportaErro(const QString& mensagem);
void ReportaErro(const std::exception& erro);
void ReportaErroDesconhecido();

// Runs an event handler, sending what escapes it to the default error report.
template <typename F>
void Protegido(F&& manipulador) {
  try {
    manipulador();
  } catch (const std::exception& e) {
    ReportaErro(e);
  } catch (...) {
    ReportaErroDesconhecido();
  }
}

// The names of the themes the program carries.
QStringList TemasDisponiveis();
// Selects the theme of that name, compared without regard to case, for every
// window from now on. When there is none, shows "Style '%s' not found" with a
// "Close" button and leaves the standard look; false then.
bool SelecionaTema(const QString& nome);
// The name of the theme in use; empty with the standard look.
QString TemaAtivo();
// Back to the standard look.
void RemoveTema();

// The text of the "Application Error" box: the error's kind and its message.
// The box shows the version line under it.
QString TextoDeErroDeAplicacao(const std::exception& erro);

// Start-up up to the event loop: selects the theme and creates the main
// window. When that fails, shows the "Application Error" box and gives null.
std::unique_ptr<TFPrincipal> IniciaPrograma(const QString& tema);

// The whole program on an existing application object: start-up, the event
// loop until the main window closes, and the orderly end. Returns the exit
// code: 1 when start-up failed.
int ExecutaPrograma(const QString& tema = kTemaPadrao);

}  // namespace janela
