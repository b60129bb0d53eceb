#pragma once
// The log of runs: every run, from the window or the batch runner, appends
// one line to a file in the user's data folder, so what was migrated, when,
// from where to where and how it ended can be found later.
#include <string>

#include "conversao/Relatorio.h"

namespace registro {

// $XDG_DATA_HOME/conversor-zorvan-grafica (by default
// ~/.local/share/conversor-zorvan-grafica): the program's data folder, as
// UTF-8 bytes. Empty when neither XDG_DATA_HOME nor HOME is set.
std::string PastaDeDados();
// The log file inside it: execucoes.log.
std::string ArquivoDoRegistro();

// One tab-separated line: date and time, mode, source, destination, tables,
// outcome, rows read, written, skipped and created, duration, report file
// (empty when none), in UTF-8 with its line feed. Control characters in the
// paths are escaped, so one run is always one line.
std::string LinhaDoRegistro(const relatorio::TRelatorio& r, const std::string& arquivoRelatorio);

// Appends the run's line, creating the folder when needed; false with the
// reason in erro when the log cannot be written (the run is not affected).
bool Anota(const relatorio::TRelatorio& r, const std::string& arquivoRelatorio, std::string& erro);

}  // namespace registro
