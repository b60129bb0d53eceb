#include "apoio/Processo.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace apoio {

namespace fs = std::filesystem;

namespace {

std::vector<char*> Ponteiros(std::vector<std::string>& textos) {
  std::vector<char*> r;
  for (auto& t : textos) r.push_back(t.data());
  r.push_back(nullptr);
  return r;
}

// errno in decimal, without the C library's formatting (not safe after fork).
void EscreveErro(const char* o_que, const char* nome) {
  char numero[16];
  char* p = numero + sizeof(numero);
  *--p = '\0';
  int e = errno;
  do {
    *--p = static_cast<char>('0' + e % 10);
    e /= 10;
  } while (e > 0 && p > numero);
  for (const char* t : {"apoio::IniciaProcesso: ", o_que, " ", nome, ": errno ", static_cast<const char*>(p), "\n"}) {
    if (write(STDERR_FILENO, t, strlen(t)) < 0) break;
  }
}

// Descriptors the test process has open (the embedded engine's database and
// lock files among them) must not reach the child: a descriptor shared with
// a server would keep the engine's file locks alive there.
void FechaHerdados() {
  if (close_range(3, ~0U, 0) == 0) return;
  rlimit limite{};
  const rlim_t maior = getrlimit(RLIMIT_NOFILE, &limite) == 0 ? limite.rlim_cur : 1024;
  for (rlim_t fd = 3; fd < maior && fd < 65536; ++fd) close(static_cast<int>(fd));
}

// flags carry O_CLOEXEC so that the descriptor, under its first number,
// does not reach the program; dup2 gives the copy without it.
bool Redireciona(const char* arquivo, int flags, int destino) {
  int fd = open(arquivo, flags, 0644);
  if (fd < 0) return false;
  if (fd == destino) return fcntl(fd, F_SETFD, 0) == 0;  // that number was free
  const bool ok = dup2(fd, destino) >= 0;
  close(fd);
  return ok;
}

// Runs in the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void Filho(pid_t pai, char* const* argv, char* const* envp, const char* entrada, const char* saida,
                        const char* erros) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != pai) _exit(127);  // the test process is already gone
  const int escrita = O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC;
  if (!Redireciona(erros, escrita, STDERR_FILENO)) _exit(127);
  if (!Redireciona(saida, escrita, STDOUT_FILENO)) {
    EscreveErro("cannot open", saida);
    _exit(127);
  }
  if (!Redireciona(entrada, O_RDONLY | O_CLOEXEC, STDIN_FILENO)) {
    EscreveErro("cannot open", entrada);
    _exit(127);
  }
  FechaHerdados();
  sigset_t nenhum;
  sigemptyset(&nenhum);
  sigprocmask(SIG_SETMASK, &nenhum, nullptr);
  execve(argv[0], argv, envp);
  EscreveErro("cannot run", argv[0]);
  _exit(127);
}

}  // namespace

std::vector<std::string> AmbienteAtual() {
  std::vector<std::string> r;
  for (char** e = environ; *e != nullptr; ++e) r.emplace_back(*e);
  return r;
}

std::vector<std::string> AlteraAmbiente(std::vector<std::string> ambiente, const std::vector<std::string>& remover,
                                        const std::vector<std::string>& acrescentar) {
  auto nomeDe = [](const std::string& linha) { return linha.substr(0, linha.find('=')); };
  std::vector<std::string> todosRemovidos = remover;
  for (const auto& linha : acrescentar) todosRemovidos.push_back(nomeDe(linha));
  std::erase_if(ambiente, [&](const std::string& linha) {
    return std::find(todosRemovidos.begin(), todosRemovidos.end(), nomeDe(linha)) != todosRemovidos.end();
  });
  ambiente.insert(ambiente.end(), acrescentar.begin(), acrescentar.end());
  return ambiente;
}

pid_t IniciaProcesso(const std::vector<std::string>& args, const std::vector<std::string>& ambiente,
                     const fs::path& entrada, const fs::path& saida, const fs::path& erros) {
  if (args.empty()) throw std::invalid_argument("apoio::IniciaProcesso: no program");
  // Everything the child needs is built before fork: after it, the child may
  // not allocate (other threads of the test process may hold the heap's locks).
  std::vector<std::string> argsCopia = args;
  std::vector<std::string> ambienteCopia = ambiente;
  std::vector<char*> argv = Ponteiros(argsCopia);
  std::vector<char*> envp = Ponteiros(ambienteCopia);
  const std::string arqEntrada = entrada.string();
  const std::string arqSaida = saida.string();
  const std::string arqErros = erros.string();
  const pid_t pai = getpid();

  pid_t pid = fork();
  if (pid < 0) throw std::runtime_error("fork failed for " + args[0] + ": " + strerror(errno));
  if (pid == 0) Filho(pai, argv.data(), envp.data(), arqEntrada.c_str(), arqSaida.c_str(), arqErros.c_str());
  return pid;
}

int EsperaProcesso(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error(std::string("waitpid failed: ") + strerror(errno));
  }
  return status;
}

std::optional<int> EsperaProcessoAte(pid_t pid, std::chrono::milliseconds limite) {
  const auto fim = std::chrono::steady_clock::now() + limite;
  for (;;) {
    int status = 0;
    pid_t r = waitpid(pid, &status, WNOHANG);
    if (r == pid) return status;
    if (r < 0 && errno != EINTR) throw std::runtime_error(std::string("waitpid failed: ") + strerror(errno));
    if (std::chrono::steady_clock::now() >= fim) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace apoio
