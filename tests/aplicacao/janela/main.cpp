// The window's tests. "--somente-captura" runs only the screenshots (for the
// run on a real X server); other arguments go to QTest.
#include <cstring>
#include <vector>

#include "ApoioJanela.h"
#include "aplicacao/janela/Aplicacao.h"

int main(int argc, char** argv) {
  bool somenteCaptura = false;
  std::vector<char*> argumentos;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--somente-captura") == 0) {
      somenteCaptura = true;
    } else {
      argumentos.push_back(argv[i]);
    }
  }
  int n = static_cast<int>(argumentos.size());
  argumentos.push_back(nullptr);

  janela::TAplicacao aplicacao(n, argumentos.data());
  // Each test closes windows of its own; only the program's loop should end with them.
  aplicacao.setQuitOnLastWindowClosed(false);

  int falhas = 0;
  if (!somenteCaptura) {
    falhas += apoio_janela::RodaTestesBarra(n, argumentos.data());
    falhas += apoio_janela::RodaTestesJanela(n, argumentos.data());
    falhas += apoio_janela::RodaTestesInicio(n, argumentos.data());
    falhas += apoio_janela::RodaTestesMensagens(n, argumentos.data());
  }
  falhas += apoio_janela::RodaTestesCaptura(n, argumentos.data());
  return falhas == 0 ? 0 : 1;
}
