#pragma once
// The batch runner: the window's run without the window, for scripted
// migrations. Same connections, same checks, same controller.
#include <ostream>
#include <string>
#include <vector>

namespace lote {

struct Opcoes {
  std::u16string origem;
  std::u16string destino;
  bool cidades = false;
  bool clientes = false;
  bool fornecedores = false;
  bool ajuda = false;
  bool versao = false;
  bool simular = false;
  // The report's file as given (bytes of the file name); empty for none.
  std::string relatorio;
};

// Reads the command line; false with a reason in erro for a usage error.
bool LeOpcoes(const std::vector<std::string>& args, Opcoes& opcoes, std::string& erro);

std::string TextoDeUso();

// Runs the whole program and returns its exit status: 0 success, 1 a failed
// check or run, 2 a usage error.
int Executa(const std::vector<std::string>& args, std::ostream& saida, std::ostream& erros, bool terminal);

}  // namespace lote
