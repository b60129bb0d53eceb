#pragma once
// Pins the workstation clock for one test and always gives it back.
#include <optional>

#include "comum/ConfiguracaoRegional.h"

namespace apoio {

class RelogioFixo {
 public:
  explicit RelogioFixo(const regional::DataHora& instante) { regional::FixaAgora(instante); }
  ~RelogioFixo() { regional::FixaAgora(std::nullopt); }
  RelogioFixo(const RelogioFixo&) = delete;
  RelogioFixo& operator=(const RelogioFixo&) = delete;
};

}  // namespace apoio
