#pragma once
// Real Firebird database files for the tests, made in a fresh temporary folder
// per test: a legacy source (dialect 3) and a destination (dialect 1, character
// set NONE), each from the schema kept in the repository, connected as the
// main window connects them.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "banco/IBDatabase.h"
#include "banco/IBQuery.h"
#include "banco/IBTransaction.h"
#include "comum/InterfaceUsuario.h"

namespace apoio {

// A folder removed with everything in it when the object goes away.
class PastaTemporaria {
 public:
  PastaTemporaria();
  ~PastaTemporaria();
  const std::filesystem::path& Caminho() const { return caminho_; }

 private:
  std::filesystem::path caminho_;
};

// Creates an empty database file; dialeto 1 or 3.
void CriaBanco(const std::filesystem::path& arquivo, int dialeto);
void CriaBancoOrigem(const std::filesystem::path& arquivo);
void CriaBancoDestino(const std::filesystem::path& arquivo);

// A connection with its default transaction, set up as the window sets up
// ibdOrigem / ibdVestrel (user SYSDBA, no login prompt, ServerType IBServer).
struct Conexao {
  TIBDatabase banco;
  TIBTransaction transacao;
  Conexao();
  ~Conexao();
  void Abre(const std::filesystem::path& arquivo);
};

// Runs one statement in its own transaction and commits it.
void Executa(const std::filesystem::path& arquivo, const std::u16string& sql);
// Reads every row of a SELECT as texts (AsString), in a fresh connection.
std::vector<std::vector<std::u16string>> Consulta(const std::filesystem::path& arquivo, const std::u16string& sql);
// Number of rows of a table, in a fresh connection.
int ContaLinhas(const std::filesystem::path& arquivo, const std::u16string& tabela);

// Records the message boxes and counts the event processing; installed for
// the lifetime of the object.
class InterfaceGravada : public ui::IInterfaceUsuario {
 public:
  InterfaceGravada();
  ~InterfaceGravada() override;
  void MostraMensagem(ui::TipoMensagem tipo, const std::u16string& texto) override;
  void ProcessaEventosPendentes() override { ++eventos; }

  struct Mensagem {
    ui::TipoMensagem tipo;
    std::u16string texto;
  };
  std::vector<Mensagem> mensagens;
  int eventos = 0;

 private:
  ui::IInterfaceUsuario* anterior_;
};

// A folder with an empty source and an empty destination, connected.
struct ParDeBancos {
  PastaTemporaria pasta;
  std::filesystem::path arquivoOrigem;
  std::filesystem::path arquivoDestino;
  Conexao origem;
  Conexao destino;
  ParDeBancos();
};

}  // namespace apoio
