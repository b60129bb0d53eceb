#pragma once
// A private Firebird 3 server for one test: the Debian package's server
// program, started as a child process with a root folder, a configuration, a
// security database and a lock folder of its own, listening on a free port of
// 127.0.0.1. Nothing of the machine changes and the system service is never
// used.
//
// A database file must never be open through the embedded engine and through
// this server at the same time: they keep their locks in different folders
// and would both write the file. Make the files, close every embedded
// connection, then use them through the server; read them back after Stop()
// (or through the server).
#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace apoio {

class ServidorFirebird {
 public:
  // The program's own password: the converter always connects as SYSDBA with it.
  static constexpr const char* kSenhaPadrao = "quillsand";

  // Whether the server program and the tools to set it up are installed
  // (package firebird3.0-server); tests skip themselves with Falta() when not.
  static bool Instalado();
  static std::string Falta();

  // Sets up the folder, gives SYSDBA the password and starts the server;
  // std::runtime_error, with the server's or isql's output, when it fails.
  explicit ServidorFirebird(const std::string& senhaSysdba = kSenhaPadrao);
  // Stops the server and removes its folder.
  ~ServidorFirebird();
  ServidorFirebird(const ServidorFirebird&) = delete;
  ServidorFirebird& operator=(const ServidorFirebird&) = delete;

  int Porta() const { return porta_; }
  const std::filesystem::path& Pasta() const { return pasta_; }
  bool Rodando() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }

  // The name that reaches a file through this server: "localhost/PORT:/abs/path".
  std::string NomeConexao(const std::filesystem::path& arquivo) const;

  // SIGTERM, then SIGKILL if it has not ended after a while; reaps it.
  void Stop();
  // SIGKILL at once, as a crash or a power cut would end it; reaps it.
  void Kill();
  // Starts it again with the same folder and port.
  void Restart();

  // What the server wrote on its standard output and error.
  std::string Saida() const;

 private:
  void PreparaRaiz();
  void EscreveConfiguracao() const;
  void CriaBancoSeguranca(const std::string& senha) const;
  void IniciaComPortaLivre();
  bool Inicia();
  std::vector<std::string> Ambiente() const;

  std::filesystem::path pasta_;
  std::filesystem::path raizDebian_;
  int porta_ = 0;
  pid_t pid_ = -1;
};

}  // namespace apoio
