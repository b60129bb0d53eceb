#pragma once
// The operator's interruption of a run: SIGINT (Ctrl-C), SIGTERM and SIGHUP.
// The three signals are blocked in every thread of the program, the database
// engine's included, and taken by one waiting thread of its own, so the
// engine never acts on them itself. During a run a signal marks the run as
// interrupted; the run stops before its next row (or before its commit),
// rolls back and says "Conversão interrompida pelo operador.". Further
// signals while it rolls back change nothing.
#include <functional>

namespace interrupcao {

inline constexpr const char16_t* Mensagem = u"Conversão interrompida pelo operador.";

// Call first thing in main, before any other thread exists. foraDeUmaRodada
// is called, on the waiting thread, for a signal that comes while no run is
// in course (the program decides how to end).
void Instala(std::function<void(int sinal)> foraDeUmaRodada);

// The first signal received during the run in course (or the last run), 0
// when none.
int SinalRecebido();

// The exit status for an interrupted program: 130 for SIGINT, 143 for
// SIGTERM and SIGHUP.
int StatusDeSaida(int sinal);

// Raises comum::Erro(Mensagem) when the run was interrupted.
void Verifica();

// While one exists, a signal interrupts the run instead of ending the program.
class RodadaEmCurso {
 public:
  RodadaEmCurso();
  ~RodadaEmCurso();
  RodadaEmCurso(const RodadaEmCurso&) = delete;
  RodadaEmCurso& operator=(const RodadaEmCurso&) = delete;
};

}  // namespace interrupcao
