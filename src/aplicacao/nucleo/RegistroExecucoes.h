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

// One tab-separated line: date and time, mode, source, destination, ticked tables,
// outcome, rows read, written, skipped and created, duration, report file
// (empty when none), in UTF-8 with its line feed. Control characters in the
// paths are escaped, so one run is always one line.
std::string LinhaDoRegistro(const relatorio::TRelatorio& r, const std::string& arquivoRelatorio);

// Writes the run's whole report as text where the window keeps it, never over
// an existing file, and returns its path (UTF-8 bytes): beside a local
// destination file, as <destination file name>.<yyyy-mm-dd_hh-mm-ss>.relatorio.txt,
// with "-2", "-3"... before ".relatorio.txt" when that name is taken; for a
// destination that is not a local file (on a server), in the data folder's
// "relatorios" folder. A report that cannot be written fails with comum::Erro
// naming the path.
std::string GravaRelatorio(const relatorio::TRelatorio& r);

// Appends the run's line, creating the folder when needed; false with the
// reason in erro when the log cannot be written (the run is not affected).
bool Anota(const relatorio::TRelatorio& r, const std::string& arquivoRelatorio, std::string& erro);

}  // namespace registro
