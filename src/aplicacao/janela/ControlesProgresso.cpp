#include "aplicacao/janela/ControlesProgresso.h"

#include <QPainter>
#include <QTimer>
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
  // A run changes the caption for every row, thousands of times a second:
  // it is sized and drawn at once up to fifty times a second; a caption in
  // between is sized and drawn with the next processing of events (the run's,
  // or a message box's). The empty caption of a table's end, and any caption
  // after a pause, is drawn at once.
  const auto agora = std::chrono::steady_clock::now();
  if (!isVisible() || Caption().empty() || agora - pintado_ >= std::chrono::milliseconds(20)) {
    Desenha();
    pintado_ = agora;
  } else if (!pendente_) {
    pendente_ = true;
    QTimer::singleShot(0, this, [this] {
      if (pendente_) Desenha();
    });
  }
  ui::TLabel::Mudou();
}

void TRotulo::Desenha() {
  pendente_ = false;
  const QPoint origem = pos();
  adjustSize();
  move(origem);
  if (isVisible()) repaint();
}

}  // namespace janela
