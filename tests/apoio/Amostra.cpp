#include "apoio/Amostra.h"

#include <sstream>

namespace apoio {

amostra::Resultado GeraAmostra(const std::filesystem::path& pasta, int cidades, int clientes, int fornecedores,
                               std::uint32_t semente) {
  amostra::Parametros p;
  p.cidades = cidades;
  p.clientes = clientes;
  p.fornecedores = fornecedores;
  p.semente = semente;
  std::ostringstream relatorio;
  return amostra::Gera(pasta, p, relatorio);
}

}  // namespace apoio
