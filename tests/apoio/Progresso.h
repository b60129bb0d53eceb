#pragma once
// Records what the readers do to the progress controls.
#include <string>
#include <vector>

#include "comum/Progresso.h"

namespace apoio {

struct ProgressoGravado {
  ui::TGauge Barra;
  ui::TLabel lblInfo;
  // Every caption set, in order.
  std::vector<std::u16string> legendas;
  // The gauge's (Progress, MaxValue) after every change.
  std::vector<std::pair<int, int>> estados;
  // The gauge's Progress at the moment each caption was set.
  std::vector<int> progressoNaLegenda;

  ProgressoGravado() {
    lblInfo.AoMudar = [this] {
      legendas.push_back(lblInfo.Caption());
      progressoNaLegenda.push_back(Barra.Progress());
    };
    Barra.AoMudar = [this] { estados.emplace_back(Barra.Progress(), Barra.MaxValue()); };
  }
};

}  // namespace apoio
