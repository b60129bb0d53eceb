// conversor-lote: converts the legacy tables without the window.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "conversao/Interrupcao.h"
#include "lote/Lote.h"

int main(int argc, char** argv) {
  // Before the connections are made nothing has changed: a signal then ends
  // the program at once. During a run it is the run that stops and rolls back.
  interrupcao::Instala([](int sinal) {
    static const char mensagem[] = "\nConversão interrompida pelo operador.\n";
    (void)!write(STDERR_FILENO, mensagem, sizeof mensagem - 1);
    _exit(interrupcao::StatusDeSaida(sinal));
  });
  std::vector<std::string> args(argv + 1, argv + argc);
  return lote::Executa(args, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
