#include "aplicacao/janela/ControlesProgresso.h"

#include <QPainter>
#include <algorithm>

namespace janela {

TBarra::TBarra(QWidget* pai) : QWidget(pai) { setAttribute(Qt::WA_OpaquePaintEvent); }

QString TBarra::Texto() const { return QString::number(PercentDone()) + QLatin1Char('%'); }

void TBarra::Mudou() {
  const int pct = PercentDone();
  if (pct != mostrado_) {
    mostrado_ = pct;
    // Drawn at once: during a run the readers only let pending events through
    // once per row, and the bar must keep up with them.
    if (isVisible()) {
      repaint();
    } else {
      update();
    }
  }
  ui::TGauge::Mudou();
}

void TBarra::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect fora = rect();
  p.setPen(Qt::black);
  p.setBrush(Qt::NoBrush);
  p.drawRect(fora.adjusted(0, 0, -1, -1));

  const QRect dentro = fora.adjusted(1, 1, -1, -1);
  const int pct = std::clamp(PercentDone(), 0, 100);
  const int cheio = dentro.width() * pct / 100;
  const QRect parteCheia(dentro.left(), dentro.top(), cheio, dentro.height());
  p.fillRect(dentro, Qt::white);
  p.fillRect(parteCheia, Qt::black);

  // The text reads on both parts: black over the white, white over the black.
  const QString texto = Texto();
  p.setFont(font());
  p.setClipRect(dentro);
  p.setPen(Qt::black);
  p.drawText(dentro, Qt::AlignCenter, texto);
  p.setClipRect(parteCheia);
  p.setPen(Qt::white);
  p.drawText(dentro, Qt::AlignCenter, texto);
}

TRotulo::TRotulo(QWidget* pai) : QLabel(pai) { setTextFormat(Qt::PlainText); }

void TRotulo::Mudou() {
  setText(QString::fromStdU16String(Caption()));
  const QPoint origem = pos();
  adjustSize();
  move(origem);
  if (isVisible()) repaint();
  ui::TLabel::Mudou();
}

}  // namespace janela
