#pragma once
// The two progress controls of the main window as the core sees them: the
// gauge Barra and the label lblInfo. They hold the values and their rules; the
// window (or the batch runner) draws them through the change notice.
#include <cstdint>
#include <functional>
#include <string>

namespace ui {

class TGauge {
 public:
  TGauge() = default;
  virtual ~TGauge() = default;

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return progress_; }

  // Nothing when v is the present maximum; v below the minimum fails with
  // "Value must be between %d and %d"; otherwise Progress is lowered to v when
  // higher. Throws comum::Erro.
  void SetMaxValue(int v);
  // Clamped to the range minimum to maximum.
  void SetProgress(int v);
  void AddProgress(int n);

  // (Progress - min) * 100 / (max - min), whole; 0 when max equals min.
  int PercentDone() const;

  // Called after every change of the values, for the drawing.
  std::function<void()> AoMudar;

 protected:
  virtual void Mudou();

 private:
  int min_ = 0;
  int max_ = 100;
  int progress_ = 0;
};

class TLabel {
 public:
  virtual ~TLabel() = default;
  const std::u16string& Caption() const { return caption_; }
  void SetCaption(const std::u16string& texto);

  // Called after every change of the caption, so it is shown at once.
  std::function<void()> AoMudar;

 protected:
  virtual void Mudou();

 private:
  std::u16string caption_;
};

}  // namespace ui
