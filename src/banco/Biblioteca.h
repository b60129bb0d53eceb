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
// path. Please install InterBase to use this functionality (REASON)", the
// reason being the loader's own.
void CarregaBibliotecaCliente();

// The embedded engines installed beside the client library: Firebird 3's
// opens ODS 12 files, Firebird 4's ODS 13.0 files.
struct MotoresLocais {
  bool firebird3 = false;
  bool firebird4 = false;
};
MotoresLocais MotoresDestaInstalacao();
bool MotorAbre(const MotoresLocais& motores, int odsMaior, int odsMenor);

}  // namespace banco
