#pragma once
// A prepared statement of the client library: owns the statement handle and
// the descriptions of its input markers and result columns. Internal to the
// layer.
#include <ibase.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "banco/Alca.h"
#include "banco/IBQuery.h"

namespace banco {

static_assert(std::is_same_v<Alca, isc_db_handle> && std::is_same_v<Alca, isc_tr_handle>,
              "the layer's handles are the client library's");

struct Coluna {
  short tipo = 0;  // sqltype without the null flag
  short escala = 0;
  short subtipo = 0;
  short comprimento = 0;  // declared length in bytes
  std::u16string nome;
};

class Comando {
 public:
  // Allocates and prepares textoAnsi in the transaction; describes markers and columns.
  Comando(isc_db_handle* banco, isc_tr_handle* transacao, const std::string& textoAnsi, int dialeto);
  ~Comando();
  Comando(const Comando&) = delete;
  Comando& operator=(const Comando&) = delete;

  int Tipo() const { return tipo_; }
  bool EhSelect() const { return tipo_ == isc_info_sql_stmt_select || tipo_ == isc_info_sql_stmt_select_for_upd; }
  // COMMIT and ROLLBACK statements end the transaction they run in.
  bool EncerraTransacao() const { return tipo_ == isc_info_sql_stmt_commit || tipo_ == isc_info_sql_stmt_rollback; }
  const std::vector<Coluna>& Entradas() const { return entradas_; }
  const std::vector<Coluna>& Saidas() const { return saidas_; }

  // Binds the values (one per marker, in order) by the types the server
  // described. Raises the layer's conversion errors.
  void Vincula(const std::vector<TParam>& valores, int dialeto);
  // Runs the statement; a SELECT opens its cursor. A wait on a locked row
  // that lasted a step is told and the statement runs again (the server
  // undid the attempt), until it goes through.
  void Executa(isc_tr_handle* transacao, int dialeto);
  // Fetches the next row into linha; false at the end of the result.
  bool Busca(isc_db_handle* banco, isc_tr_handle* transacao, int dialeto, std::vector<ValorBruto>& linha);
  void FechaCursor();
  bool CursorAberto() const { return cursorAberto_; }

 private:
  void Descreve(bool entrada, int dialeto);
  std::string LeBlob(isc_db_handle* banco, isc_tr_handle* transacao, ISC_QUAD id);

  isc_stmt_handle handle_ = 0;
  int tipo_ = 0;
  bool cursorAberto_ = false;
  std::vector<Coluna> entradas_;
  std::vector<Coluna> saidas_;
  std::unique_ptr<char[]> daEntrada_;
  std::unique_ptr<char[]> daSaida_;
  // Buffers of the bound values and of one result row.
  std::vector<std::string> dadosEntrada_;
  std::vector<short> indEntrada_;
  std::vector<std::string> dadosSaida_;
  std::vector<short> indSaida_;
};

}  // namespace banco
