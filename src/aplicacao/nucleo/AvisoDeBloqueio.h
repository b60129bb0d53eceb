#pragma once
// While a run waits on a row that another session holds locked, the progress
// label says so (after the row's own text, when there is one), the window
// keeps processing its events and a signal still stops the run. When the
// row is free the label goes back to what it said.
#include <functional>
#include <string>

#include "comum/Progresso.h"

class TAvisoDeBloqueio {
 public:
  explicit TAvisoDeBloqueio(ui::TLabel& lblInfo);
  ~TAvisoDeBloqueio();
  TAvisoDeBloqueio(const TAvisoDeBloqueio&) = delete;
  TAvisoDeBloqueio& operator=(const TAvisoDeBloqueio&) = delete;

 private:
  void Avisa(bool esperando);

  ui::TLabel& lblInfo_;
  std::u16string legendaAnterior_;
  bool esperando_ = false;
  std::function<void(bool)> anterior_;
};
