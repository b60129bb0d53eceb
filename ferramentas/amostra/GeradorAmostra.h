#pragma once
// Writes a legacy source database and an empty Vestrel destination with
// made-up but realistic data: masked and unmasked documents, NULLs, quotes,
// accented text, repeated and missing cities, nameless rows. The same seed
// always gives the same data.
#include <cstdint>
#include <filesystem>
#include <ostream>

namespace amostra {

struct Parametros {
  int cidades = 250;
  int clientes = 5000;
  int fornecedores = 500;
  std::uint32_t semente = 1;
};

struct Resultado {
  std::filesystem::path origem;
  std::filesystem::path destino;
};

// Creates pasta/LEGADO.FDB and pasta/VESTREL.FB, replacing files of those
// names. Throws comum::Erro on failure.
Resultado Gera(const std::filesystem::path& pasta, const Parametros& p, std::ostream& relatorio);

}  // namespace amostra
