#pragma once
// Which client library file the layer loads. The library is loaded at run time
// so that a workstation without it gets a clear message instead of a loader
// failure.
#include <string>

namespace banco {

// The library's file name on this platform.
std::string NomePadraoBibliotecaCliente();

// Chooses another file name for the library; for tests of a missing library.
// Takes effect at the next load.
void DefineNomeBibliotecaCliente(const std::string& nome);

// Loads the library once. Fails with "InterBase library %s not found in the
// path. Please install InterBase to use this functionality".
void CarregaBibliotecaCliente();

}  // namespace banco
