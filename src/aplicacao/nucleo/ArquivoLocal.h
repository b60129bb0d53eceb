#pragma once
// The check of a local database file before it is opened: its header page
// says whether it is a Firebird database and which Firebird version wrote it,
// so a file no engine of this install opens gets a message that says what to
// do, instead of the engine's own.
#include <string>

#include "banco/Biblioteca.h"

namespace verificacao {

enum class Lado { Origem, Destino };

// "banco de dados de origem" / "banco de dados de destino".
std::u16string NomeDoLado(Lado lado);

// Empty when the name reaches a server, when the file cannot be read (the
// engine then says why), or when an engine of this install opens it;
// otherwise the message for the operator. Changes nothing.
std::u16string ProblemaDoArquivo(const std::u16string& caminho, Lado lado);
std::u16string ProblemaDoArquivo(const std::u16string& caminho, Lado lado, const banco::MotoresLocais& motores);

}  // namespace verificacao
