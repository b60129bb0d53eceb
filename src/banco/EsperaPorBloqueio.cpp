#include "banco/EsperaPorBloqueio.h"

#include <utility>

namespace banco {

namespace {

std::function<void(bool)>& aviso() {
  static std::function<void(bool)> a;
  return a;
}

}  // namespace

std::function<void(bool esperando)> DefineAvisoDeEspera(std::function<void(bool esperando)> novo) {
  return std::exchange(aviso(), std::move(novo));
}

void AvisaEspera(bool esperando) {
  if (aviso()) aviso()(esperando);
}

}  // namespace banco
