#pragma once
// What a run checks before it changes anything: that source and destination
// are two databases, that the destination is of dialect 1, that every ticked
// table's source rows can be read, that every destination table and column
// the run writes exists, and that no row of a table the run keeps references
// a table it empties. A run that fails a check leaves both
// databases as they were.
#include "banco/IBDatabase.h"

namespace verificacao {

struct Tabelas {
  bool cidades = false;
  bool clientes = false;
  bool fornecedores = false;
};

// Raises comum::Erro with a reason that names the database, table or column
// at fault. Works in each connection's default transaction and writes nothing.
void VerificaAntesDeConverter(TIBDatabase& BDOrigem, TIBDatabase& BDDestino, const Tabelas& tabelas);

// The table and the column names of "INSERT INTO T (a, t.b, ...) VALUES ...",
// in upper case and without qualifiers.
struct DestinoDoInsert {
  std::u16string tabela;
  std::vector<std::u16string> colunas;
};
DestinoDoInsert LeInsert(const std::u16string& sql);

}  // namespace verificacao
