#pragma once
// The window's two progress controls: the gauge Barra and the label lblInfo.
// Both keep the core's values and rules (ui::TGauge, ui::TLabel) and draw
// them, so the run controller and the readers drive the widgets directly.
#include <QLabel>
#include <QString>
#include <QWidget>
#include <chrono>

#include "comum/Progresso.h"

namespace janela {

// A horizontal bar with a single border, filled in black on white up to the
// percentage done, with "%d%%" centred over it.
class TBarra : public QWidget, public ui::TGauge {
  Q_OBJECT

 public:
  explicit TBarra(QWidget* pai = nullptr);

  // The text drawn over the bar.
  QString Texto() const;
  // The percentage last drawn (or due to be drawn).
  int PercentualMostrado() const { return mostrado_; }

 protected:
  void paintEvent(QPaintEvent* evento) override;
  void Mudou() override;

 private:
  int mostrado_ = 0;
};

// A label that sizes itself to its caption and shows a new caption at once.
class TRotulo : public QLabel, public ui::TLabel {
  Q_OBJECT

 public:
  explicit TRotulo(QWidget* pai = nullptr);

 protected:
  void Mudou() override;

 private:
  // Sized to its caption and drawn now.
  void Desenha();

  std::chrono::steady_clock::time_point pintado_{};
  bool pendente_ = false;
};

}  // namespace janela
