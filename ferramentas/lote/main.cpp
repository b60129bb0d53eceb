// conversor-lote: converts the legacy tables without the window.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "lote/Lote.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  return lote::Executa(args, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
}
