// The program's entry: the main window of the converter.
#include "aplicacao/janela/Aplicacao.h"

int main(int argc, char** argv) {
  janela::TAplicacao aplicacao(argc, argv);
  return janela::ExecutaPrograma(janela::kTemaPadrao);
}
