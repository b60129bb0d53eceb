#pragma once
// The header page of a local database file, read before the file is handed
// to an engine: whether it is a Firebird database at all, and the on-disk
// structure (ODS) it was written in, which says the Firebird version that
// wrote it and which engines can open it.
#include <string>
#include <string_view>

namespace banco {

struct CabecalhoBanco {
  enum class Tipo {
    Ilegivel,     // the file could not be opened or read (missing, no permission)
    NaoFirebird,  // empty, too short, or not a Firebird header page
    Firebird,
  };
  Tipo tipo = Tipo::Ilegivel;
  int odsMaior = 0;
  int odsMenor = 0;
  int tamanhoPagina = 0;
};

// The first bytes of a file (at least the first 1024, when the file has them).
CabecalhoBanco InterpretaCabecalho(std::string_view bytes);

// Reads the header of the file at a UTF-8 path. Never throws.
CabecalhoBanco LeCabecalho(const std::string& caminho);

// "2.5", "3", "4", "5"...; empty for an ODS that no known version wrote.
std::u16string VersaoFirebirdDoOds(int maior, int menor);

// Whether a database name is a local file (opened by an embedded engine)
// rather than a server's "servidor/porta:caminho" or "servidor:caminho".
bool EhArquivoLocal(const std::u16string& nome);

}  // namespace banco
