#pragma once
// Runs an SQL script (statements ended by ";", "SET TERM" to change the
// terminator) on a connection, committing after every statement. Used to build
// the test and sample databases from the schemas kept in the repository.
#include <string>
#include <vector>

class TIBDatabase;

namespace ferramentas {

std::vector<std::u16string> DivideScript(const std::u16string& script);
void ExecutaScript(TIBDatabase& banco, const std::u16string& script);

}  // namespace ferramentas
