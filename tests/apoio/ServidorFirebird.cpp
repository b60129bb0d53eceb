#include "apoio/ServidorFirebird.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

#include "apoio/Processo.h"

namespace apoio {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

const fs::path kPrograma = "/usr/sbin/firebird";
const fs::path kIsql = "/usr/bin/isql-fb";
const fs::path kConfDebian = "/etc/firebird/3.0";
const fs::path kScriptSeguranca = "/usr/share/firebird/3.0/security.sql";

constexpr auto kEsperaPorta = 30s;
constexpr auto kEsperaTermino = 15s;

// The package's root (firebird.msg, intl/, plugins/) sits in the
// architecture's library folder.
std::optional<fs::path> RaizDebian() {
  std::error_code ec;
  for (const auto& entrada : fs::directory_iterator("/usr/lib", ec)) {
    fs::path raiz = entrada.path() / "firebird" / "3.0";
    if (fs::exists(raiz / "firebird.msg", ec) && fs::is_directory(raiz / "plugins", ec)) return raiz;
  }
  return std::nullopt;
}

std::string Le(const fs::path& arquivo) {
  std::ifstream f(arquivo);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

void Escreve(const fs::path& arquivo, const std::string& conteudo) {
  std::ofstream f(arquivo, std::ios::trunc);
  f << conteudo;
  if (!f.flush()) throw std::runtime_error("cannot write " + arquivo.string());
}

fs::path CriaPastaUnica() {
  std::string modelo = (fs::temp_directory_path() / "conversor-servidor-XXXXXX").string();
  if (mkdtemp(modelo.data()) == nullptr) throw std::runtime_error("cannot create a folder for the server");
  return modelo;
}

// A port nobody listens on now: the kernel picks it for a socket bound to
// port 0, and it is given back at once for the server to take.
int PortaLivre() {
  int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) throw std::runtime_error("socket failed");
  sockaddr_in end{};
  end.sin_family = AF_INET;
  end.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t tam = sizeof(end);
  const bool ok = bind(s, reinterpret_cast<sockaddr*>(&end), sizeof(end)) == 0 &&
                  getsockname(s, reinterpret_cast<sockaddr*>(&end), &tam) == 0;
  close(s);
  if (!ok) throw std::runtime_error("no free TCP port on 127.0.0.1");
  return ntohs(end.sin_port);
}

bool AceitaConexao(int porta) {
  int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  sockaddr_in end{};
  end.sin_family = AF_INET;
  end.sin_port = htons(static_cast<std::uint16_t>(porta));
  end.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = connect(s, reinterpret_cast<sockaddr*>(&end), sizeof(end)) == 0;
  close(s);
  return ok;
}

// The inodes of the sockets listening on the port, IPv4 and IPv6 alike (a
// dual-stack listener takes the IPv4 port too), from the kernel's tables.
std::vector<std::string> OuvintesDaPorta(int porta) {
  char sufixo[8];
  std::snprintf(sufixo, sizeof(sufixo), ":%04X", porta);
  const std::string fim = sufixo;
  std::vector<std::string> inodes;
  for (const char* tabela : {"/proc/net/tcp", "/proc/net/tcp6"}) {
    std::istringstream linhas(Le(tabela));
    std::string linha;
    std::getline(linhas, linha);  // the header
    while (std::getline(linhas, linha)) {
      std::istringstream campos(linha);
      std::string sl, local, remoto, estado, filas, temporizador, tentativas, uid, prazo, inode;
      campos >> sl >> local >> remoto >> estado >> filas >> temporizador >> tentativas >> uid >> prazo >> inode;
      const bool escutando = estado == "0A";
      if (escutando && local.size() > fim.size() && local.ends_with(fim)) inodes.push_back(inode);
    }
  }
  return inodes;
}

bool TemSocket(pid_t pid, const std::string& inode) {
  std::error_code ec;
  const std::string alvo = "socket:[" + inode + "]";
  for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
    std::error_code ecLink;
    if (fs::read_symlink(fd.path(), ecLink).string() == alvo) return true;
  }
  return false;
}

enum class Ouvinte { Nenhum, OProcesso, Outro };

// Who listens on the port: a connection alone could reach another program
// that took the port first, while the server waits to bind it.
Ouvinte QuemOuve(int porta, pid_t pid) {
  const auto inodes = OuvintesDaPorta(porta);
  if (inodes.empty()) return Ouvinte::Nenhum;
  for (const auto& inode : inodes) {
    if (TemSocket(pid, inode)) return Ouvinte::OProcesso;
  }
  return Ouvinte::Outro;
}

// A text inside single quotes of SQL.
std::string LiteralSql(const std::string& v) {
  std::string r = "'";
  for (char c : v) r += c == '\'' ? std::string("''") : std::string(1, c);
  return r + "'";
}

// Whether the line sets chave ("chave = valor"); comments do not.
bool Define(const std::string& linha, const std::string& chave) {
  std::size_t p = linha.find_first_not_of(" \t");
  if (p == std::string::npos || linha.compare(p, chave.size(), chave) != 0) return false;
  p = linha.find_first_not_of(" \t", p + chave.size());
  return p != std::string::npos && linha[p] == '=';
}

// Debian's settings, less the lines this server sets itself.
std::string ConfiguracaoDebianSem(const std::vector<std::string>& chaves) {
  std::istringstream debian(Le(kConfDebian / "firebird.conf"));
  std::string r;
  for (std::string linha; std::getline(debian, linha);) {
    bool substituida = false;
    for (const auto& chave : chaves) substituida = substituida || Define(linha, chave);
    if (!substituida) r += linha + "\n";
  }
  return r;
}

std::string DescreveStatus(int status) {
  if (WIFEXITED(status)) return "exit status " + std::to_string(WEXITSTATUS(status));
  if (WIFSIGNALED(status)) return "signal " + std::to_string(WTERMSIG(status));
  return "wait status " + std::to_string(status);
}

}  // namespace

bool ServidorFirebird::Instalado() {
  return fs::exists(kPrograma) && fs::exists(kIsql) && fs::exists(kScriptSeguranca) &&
         fs::exists(kConfDebian / "firebird.conf") && RaizDebian().has_value();
}

std::string ServidorFirebird::Falta() {
  return "the Firebird server is not installed (" + kPrograma.string() +
         ", package firebird3.0-server): scripts/instalar-dependencias.sh installs it";
}

ServidorFirebird::ServidorFirebird(const std::string& senhaSysdba) {
  if (!Instalado()) throw std::runtime_error(Falta());
  raizDebian_ = *RaizDebian();
  pasta_ = CriaPastaUnica();
  try {
    PreparaRaiz();
    porta_ = PortaLivre();
    EscreveConfiguracao();
    CriaBancoSeguranca(senhaSysdba);
    IniciaComPortaLivre();
  } catch (...) {
    Kill();
    std::error_code ec;
    fs::remove_all(pasta_, ec);
    throw;
  }
}

ServidorFirebird::~ServidorFirebird() {
  try {
    Stop();
  } catch (...) {
  }
  std::error_code ec;
  fs::remove_all(pasta_, ec);
}

std::string ServidorFirebird::NomeConexao(const fs::path& arquivo) const {
  return "localhost/" + std::to_string(porta_) + ":" + fs::absolute(arquivo).lexically_normal().string();
}

// The server reads firebird.conf, databases.conf, plugins.conf and
// firebird.msg from its root (the FIREBIRD variable) and loads the character
// sets from intl/ there; the rest comes from the package as it is.
void ServidorFirebird::PreparaRaiz() {
  fs::create_directory(pasta_ / "lock");
  fs::create_symlink(raizDebian_ / "firebird.msg", pasta_ / "firebird.msg");
  fs::create_directory_symlink(raizDebian_ / "intl", pasta_ / "intl");
  fs::create_directory_symlink(raizDebian_ / "plugins", pasta_ / "plugins");
  fs::create_symlink(kConfDebian / "plugins.conf", pasta_ / "plugins.conf");
  if (fs::exists(kConfDebian / "fbtrace.conf"))
    fs::create_symlink(kConfDebian / "fbtrace.conf", pasta_ / "fbtrace.conf");
  // Debian's databases.conf names the system's security database: this one
  // names only its own, which no client may open remotely.
  Escreve(pasta_ / "databases.conf",
          "security.db = " + (pasta_ / "security3.fdb").string() + "\n{\n\tRemoteAccess = false\n}\n");
}

void ServidorFirebird::EscreveConfiguracao() const {
  std::string conf = ConfiguracaoDebianSem({"RemoteBindAddress", "RemoteServicePort", "SecurityDatabase"});
  conf += "\n# This test's private server.\n";
  conf += "RemoteBindAddress = 127.0.0.1\n";
  conf += "RemoteServicePort = " + std::to_string(porta_) + "\n";
  conf += "SecurityDatabase = " + (pasta_ / "security3.fdb").string() + "\n";
  Escreve(pasta_ / "firebird.conf", conf);
}

// As the package does for the system's server: an empty database, Debian's
// script of the user tables, then SYSDBA's password (the Srp user manager
// keeps it in a table of its own). isql opens it embedded, with this root
// and lock folder.
void ServidorFirebird::CriaBancoSeguranca(const std::string& senha) const {
  const fs::path script = pasta_ / "seguranca.sql";
  std::string sql = "CREATE DATABASE " + LiteralSql((pasta_ / "security3.fdb").string()) + ";\n";
  sql += "INPUT " + LiteralSql(kScriptSeguranca.string()) + ";\n";
  sql += "CREATE OR ALTER USER SYSDBA PASSWORD " + LiteralSql(senha) + ";\n";
  sql += "COMMIT;\n";
  Escreve(script, sql);
  const fs::path saida = pasta_ / "isql.txt";
  pid_t pid = IniciaProcesso({kIsql.string(), "-q", "-b", "-user", "SYSDBA", "-i", script.string()}, Ambiente(),
                             "/dev/null", saida, saida);
  const auto status = EsperaProcessoAte(pid, 60s);
  if (!status) {
    kill(pid, SIGKILL);
    EsperaProcesso(pid);
    throw std::runtime_error("isql did not end while making the security database: " + Le(saida));
  }
  if (!WIFEXITED(*status) || WEXITSTATUS(*status) != 0 || !fs::exists(pasta_ / "security3.fdb")) {
    throw std::runtime_error("isql failed to make the security database (" + DescreveStatus(*status) +
                             "): " + Le(saida));
  }
}

// The port was free a moment ago; should another program take it first,
// the server is stopped and another port is tried.
void ServidorFirebird::IniciaComPortaLivre() {
  for (int tentativa = 0; tentativa < 3; ++tentativa) {
    if (tentativa > 0) {
      porta_ = PortaLivre();
      EscreveConfiguracao();
    }
    if (Inicia()) return;
  }
  throw std::runtime_error("the Firebird server could not listen on a free port; its output: " + Saida());
}

// False when the server ended, or another program holds the port, before it
// listened.
bool ServidorFirebird::Inicia() {
  const fs::path saida = pasta_ / "servidor.txt";
  pid_ = IniciaProcesso({kPrograma.string()}, Ambiente(), "/dev/null", saida, saida);
  const auto fim = std::chrono::steady_clock::now() + kEsperaPorta;
  while (std::chrono::steady_clock::now() < fim) {
    if (EsperaProcessoAte(pid_, 0ms)) {
      pid_ = -1;
      return false;
    }
    const Ouvinte quem = QuemOuve(porta_, pid_);
    if (quem == Ouvinte::Outro) {
      Kill();
      return false;
    }
    if (quem == Ouvinte::OProcesso && AceitaConexao(porta_)) return true;
    std::this_thread::sleep_for(25ms);
  }
  Kill();
  throw std::runtime_error("the Firebird server did not accept connections on 127.0.0.1:" + std::to_string(porta_) +
                           " within " + std::to_string(kEsperaPorta.count()) + " s; its output: " + Saida());
}

void ServidorFirebird::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  if (!EsperaProcessoAte(pid_, std::chrono::duration_cast<std::chrono::milliseconds>(kEsperaTermino))) {
    kill(pid_, SIGKILL);
    EsperaProcesso(pid_);
  }
  pid_ = -1;
}

void ServidorFirebird::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  EsperaProcesso(pid_);
  pid_ = -1;
}

void ServidorFirebird::Restart() {
  Stop();
  if (!Inicia()) {
    throw std::runtime_error("the Firebird server did not start again on port " + std::to_string(porta_) +
                             " (ended, or another program holds the port); its output: " + Saida());
  }
}

std::string ServidorFirebird::Saida() const { return Le(pasta_ / "servidor.txt"); }

// Only the children see this root and lock folder; the test process keeps
// the machine's for its embedded engine. Credentials of the caller's
// environment must not reach isql either.
std::vector<std::string> ServidorFirebird::Ambiente() const {
  return AlteraAmbiente(AmbienteAtual(), {"ISC_USER", "ISC_PASSWORD", "FIREBIRD_TMP", "FIREBIRD_MSG"},
                        {"FIREBIRD=" + pasta_.string(), "FIREBIRD_LOCK=" + (pasta_ / "lock").string()});
}

}  // namespace apoio
