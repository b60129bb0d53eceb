// The program's entry: the main window of the converter.
#include <unistd.h>

#include <QCoreApplication>
#include <QMetaObject>

#include "aplicacao/janela/Aplicacao.h"
#include "conversao/Interrupcao.h"

int main(int argc, char** argv) {
  // Outside a run a signal closes the program as the window's close would;
  // during a run the run stops first (the window then closes itself).
  interrupcao::Instala([](int sinal) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) _exit(interrupcao::StatusDeSaida(sinal));
    QMetaObject::invokeMethod(
        app, [sinal] { QCoreApplication::exit(interrupcao::StatusDeSaida(sinal)); }, Qt::QueuedConnection);
  });
  janela::TAplicacao aplicacao(argc, argv);
  return janela::ExecutaPrograma(janela::kTemaPadrao);
}
