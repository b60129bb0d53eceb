#include "comum/Progresso.h"

#include <limits>

#include "comum/Erro.h"
#include "comum/Texto.h"

namespace ui {

void TGauge::SetMaxValue(int v) {
  if (v == max_) return;
  if (v < min_) {
    throw comum::Erro(u"Value must be between " + texto::IntParaTexto(static_cast<std::int64_t>(min_) + 1) + u" and " +
                      texto::IntParaTexto(std::numeric_limits<std::int32_t>::max()));
  }
  max_ = v;
  if (progress_ > max_) progress_ = max_;
  Mudou();
}

void TGauge::SetProgress(int v) {
  if (v < min_) v = min_;
  if (v > max_) v = max_;
  if (v == progress_) return;
  progress_ = v;
  Mudou();
}

void TGauge::AddProgress(int n) {
  std::int64_t v = static_cast<std::int64_t>(progress_) + n;
  if (v > max_) v = max_;
  if (v < min_) v = min_;
  progress_ = static_cast<int>(v);
  Mudou();
}

int TGauge::PercentDone() const {
  if (max_ == min_) return 0;
  return static_cast<int>((static_cast<std::int64_t>(progress_) - min_) * 100 /
                          (static_cast<std::int64_t>(max_) - min_));
}

void TGauge::Mudou() {
  if (AoMudar) AoMudar();
}

void TLabel::SetCaption(const std::u16string& texto) {
  caption_ = texto;
  Mudou();
}

void TLabel::Mudou() {
  if (AoMudar) AoMudar();
}

}  // namespace ui
