#pragma once
// Creates empty Firebird database files, for the sample generator and the
// tests: the converter itself never creates a database.
#include <filesystem>
#include <string>

namespace ferramentas {

// An empty database of SQL dialect 1 or 3, page size 8192, default character
// set NONE, owned by usuario. The path is a local file (UTF-8 name) or a
// "host/port:path" name. Fails with the server's message.
void CriaBanco(const std::filesystem::path& arquivo, int dialeto, const std::string& usuario, const std::string& senha);

}  // namespace ferramentas
