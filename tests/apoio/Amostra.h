#pragma once
// A generated sample for a test: LEGADO.FDB and an empty VESTREL.FB in pasta,
// the same rows for the same seed; the generator's report is dropped.
#include <cstdint>
#include <filesystem>

#include "amostra/GeradorAmostra.h"

namespace apoio {

amostra::Resultado GeraAmostra(const std::filesystem::path& pasta, int cidades, int clientes, int fornecedores,
                               std::uint32_t semente);

}  // namespace apoio
