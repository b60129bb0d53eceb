#pragma once
// The SQL scripts that build an empty legacy source database (dialect 3) and
// an empty destination database (dialect 1, character set NONE). Statements
// end with ";"; "SET TERM" changes the terminator for trigger bodies.
namespace esquemas {
const char* Origem();
const char* Destino();
}  // namespace esquemas
