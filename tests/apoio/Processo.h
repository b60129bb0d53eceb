#pragma once
// Child processes of the tests (the batch runner, a Firebird server, isql),
// each with an environment of its own. The test process never changes its
// own environment: it runs the embedded engine, which must keep reading the
// machine's configuration and lock folder.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace apoio {

// The test process's environment as "NAME=value" lines.
std::vector<std::string> AmbienteAtual();

// The environment with every variable of the given names removed and the
// given "NAME=value" lines added.
std::vector<std::string> AlteraAmbiente(std::vector<std::string> ambiente, const std::vector<std::string>& remover,
                                        const std::vector<std::string>& acrescentar);

// Starts args[0] (a full path) with exactly that environment; standard input
// comes from entrada, output and errors are appended to their files. The
// child gets SIGKILL when the test process dies, so no server outlives a
// crashed test. Throws std::runtime_error when fork fails; a program that
// cannot be run ends with status 127 and says why in erros.
pid_t IniciaProcesso(const std::vector<std::string>& args, const std::vector<std::string>& ambiente,
                     const std::filesystem::path& entrada, const std::filesystem::path& saida,
                     const std::filesystem::path& erros);

// Waits for the end and gives the wait status (WIFEXITED and the like).
int EsperaProcesso(pid_t pid);

// The wait status, or nothing when the process still runs after limite.
std::optional<int> EsperaProcessoAte(pid_t pid, std::chrono::milliseconds limite);

}  // namespace apoio
