#pragma once
// Runs the batch runner conversor-lote as a separate program, as a script
// would. No connection of the test process may be open on the files
// meanwhile: the embedded engine opens a file for one process only.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace apoio {

struct ResultadoLote {
  int status = -1;  // the exit status; -1 when a signal ended it
  int sinal = 0;    // the signal that ended it, if any
  std::string saida;
  std::string erros;
};

// The batch runner's times (" em 12,34 s") written as " em T s", so its
// output can be compared whole.
std::string SemTempos(const std::string& erros);

// Standard output and error go through files in pasta.
ResultadoLote RodaLote(const std::filesystem::path& pasta, const std::vector<std::string>& args);

// A run started in the background, for tests that act while it converts
// (stop the server under it, say). Output and errors go to files in pasta.
class LoteEmCurso {
 public:
  LoteEmCurso(const std::filesystem::path& pasta, const std::vector<std::string>& args);
  // A run still going is killed and reaped.
  ~LoteEmCurso();
  LoteEmCurso(const LoteEmCurso&) = delete;
  LoteEmCurso& operator=(const LoteEmCurso&) = delete;

  pid_t Pid() const { return pid_; }
  bool Rodando() const { return pid_ > 0; }
  // What it wrote on standard error so far.
  std::string ErrosAteAgora() const;
  // Waits for its end; a run still going after limite is killed (status -1,
  // sinal SIGKILL) so that a hung run fails the test instead of blocking it.
  ResultadoLote Espera(std::chrono::milliseconds limite);

 private:
  std::filesystem::path saida_;
  std::filesystem::path erros_;
  pid_t pid_ = -1;
};

}  // namespace apoio
