#pragma once
// Runs the batch runner conversor-lote as a separate program, as a script
// would. No connection of the test process may be open on the files
// meanwhile: the embedded engine opens a file for one process only.
#include <filesystem>
#include <string>
#include <vector>

namespace apoio {

struct ResultadoLote {
  int status = -1;
  std::string saida;
  std::string erros;
};

// Standard output and error go through files in pasta.
ResultadoLote RodaLote(const std::filesystem::path& pasta, const std::vector<std::string>& args);

}  // namespace apoio
