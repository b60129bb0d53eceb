#include "aplicacao/janela/Desenhos.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace janela {

namespace {

QPixmap Vazio(int largura, int altura) {
  QPixmap p(largura, altura);
  p.fill(Qt::transparent);
  return p;
}

// One database drawn as a cylinder.
void Cilindro(QPainter& p, QRectF r, const QColor& cor) {
  const qreal tampa = r.height() * 0.22;
  QLinearGradient g(r.topLeft(), r.topRight());
  g.setColorAt(0, cor.darker(125));
  g.setColorAt(0.45, cor.lighter(135));
  g.setColorAt(1, cor.darker(140));
  QPainterPath corpo;
  corpo.moveTo(r.left(), r.top() + tampa / 2);
  corpo.lineTo(r.left(), r.bottom() - tampa / 2);
  corpo.arcTo(QRectF(r.left(), r.bottom() - tampa, r.width(), tampa), 180, 180);
  corpo.lineTo(r.right(), r.top() + tampa / 2);
  corpo.arcTo(QRectF(r.left(), r.top(), r.width(), tampa), 0, -180);
  p.setPen(QPen(cor.darker(170), 1));
  p.setBrush(g);
  p.drawPath(corpo);
  p.setBrush(cor.lighter(150));
  p.drawEllipse(QRectF(r.left(), r.top(), r.width(), tampa));
  // The bands of a stacked disk.
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 2; ++i) {
    qreal y = r.top() + tampa / 2 + (r.height() - tampa) * i / 3.0;
    p.drawArc(QRectF(r.left(), y - tampa / 2, r.width(), tampa), 180 * 16, 180 * 16);
  }
}

}  // namespace

QIcon IconePasta() {
  QPixmap pm = Vazio(16, 16);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // Back of the folder with its tab.
  QPainterPath fundo;
  fundo.moveTo(1.5, 3.5);
  fundo.lineTo(6.5, 3.5);
  fundo.lineTo(7.5, 5.0);
  fundo.lineTo(13.5, 5.0);
  fundo.lineTo(13.5, 13.5);
  fundo.lineTo(1.5, 13.5);
  fundo.closeSubpath();
  p.setPen(QPen(QColor(0x9a, 0x6b, 0x08), 1));
  p.setBrush(QColor(0xe8, 0xb0, 0x2a));
  p.drawPath(fundo);
  // The opened front leaning forward.
  QPainterPath frente;
  frente.moveTo(3.5, 7.5);
  frente.lineTo(15.5, 7.5);
  frente.lineTo(13.5, 13.5);
  frente.lineTo(1.5, 13.5);
  frente.closeSubpath();
  QLinearGradient g(0, 7, 0, 14);
  g.setColorAt(0, QColor(0xff, 0xe6, 0x7a));
  g.setColorAt(1, QColor(0xf6, 0xc3, 0x35));
  p.setBrush(g);
  p.drawPath(frente);
  p.end();
  return QIcon(pm);
}

QIcon IconeConfirma() {
  QPixmap pm = Vazio(16, 16);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath visto;
  visto.moveTo(2.0, 8.5);
  visto.lineTo(6.0, 12.5);
  visto.lineTo(14.0, 3.5);
  p.setPen(QPen(QColor(0x1c, 0x6e, 0x12), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(visto);
  p.setPen(QPen(QColor(0x4c, 0xc2, 0x2e), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(visto);
  p.end();
  return QIcon(pm);
}

QIcon IconeSaida() {
  QPixmap pm = Vazio(16, 16);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  // Door frame and the open door leaf.
  p.setPen(QPen(QColor(0x55, 0x38, 0x1c), 1));
  p.setBrush(QColor(0x3a, 0x2a, 0x1a));
  p.drawRect(QRectF(1.5, 1.5, 8, 13));
  QPainterPath folha;
  folha.moveTo(1.5, 1.5);
  folha.lineTo(6.5, 3.0);
  folha.lineTo(6.5, 15.5);
  folha.lineTo(1.5, 14.5);
  folha.closeSubpath();
  p.setBrush(QColor(0xb7, 0x7a, 0x3c));
  p.drawPath(folha);
  p.setBrush(QColor(0xf0, 0xd0, 0x60));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QRectF(4.6, 8.2, 1.4, 1.4));
  // The green arrow pointing out.
  QPainterPath seta;
  seta.moveTo(8.0, 7.0);
  seta.lineTo(11.0, 7.0);
  seta.lineTo(11.0, 4.5);
  seta.lineTo(15.5, 8.5);
  seta.lineTo(11.0, 12.5);
  seta.lineTo(11.0, 10.0);
  seta.lineTo(8.0, 10.0);
  seta.closeSubpath();
  p.setPen(QPen(QColor(0x1c, 0x6e, 0x12), 0.8));
  p.setBrush(QColor(0x3c, 0xb4, 0x28));
  p.drawPath(seta);
  p.end();
  return QIcon(pm);
}

QPixmap DesenhoLogo() {
  QPixmap pm = Vazio(137, 64);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  // The mark: a rounded square with a Z.
  QLinearGradient g(0, 4, 0, 56);
  g.setColorAt(0, QColor(0x3c, 0xc0, 0xbe));
  g.setColorAt(1, QColor(0x17, 0x84, 0x86));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(2, 4, 48, 48), 9, 9);
  QPainterPath z;
  z.moveTo(13, 14);
  z.lineTo(40, 14);
  z.lineTo(40, 20);
  z.lineTo(22, 38);
  z.lineTo(40, 38);
  z.lineTo(40, 44);
  z.lineTo(12, 44);
  z.lineTo(12, 38);
  z.lineTo(30, 20);
  z.lineTo(13, 20);
  z.closeSubpath();
  p.setBrush(Qt::white);
  p.drawPath(z);
  // The name beside the mark.
  QFont f(QStringLiteral("Tahoma"));
  f.setPixelSize(17);
  f.setBold(true);
  p.setFont(f);
  p.setPen(QColor(0x3a, 0x44, 0x48));
  p.drawText(QRectF(55, 10, 82, 22), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("ZORVAN"));
  f.setPixelSize(10);
  f.setBold(false);
  f.setLetterSpacing(QFont::AbsoluteSpacing, 1.2);
  p.setFont(f);
  p.setPen(QColor(0x17, 0x84, 0x86));
  p.drawText(QRectF(56, 32, 82, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("SISTEMAS"));
  p.setPen(QPen(QColor(0x3c, 0xc0, 0xbe), 2));
  p.drawLine(QPointF(56, 50), QPointF(130, 50));
  p.end();
  return pm;
}

QPixmap DesenhoComp() {
  QPixmap pm = Vazio(132, 71);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  Cilindro(p, QRectF(8, 12, 36, 48), QColor(0x8a, 0x96, 0x9a));
  Cilindro(p, QRectF(84, 12, 36, 48), QColor(0x2a, 0xa8, 0xa6));
  QPainterPath seta;
  seta.moveTo(50, 32);
  seta.lineTo(66, 32);
  seta.lineTo(66, 25);
  seta.lineTo(79, 36);
  seta.lineTo(66, 47);
  seta.lineTo(66, 40);
  seta.lineTo(50, 40);
  seta.closeSubpath();
  p.setPen(QPen(QColor(0x1c, 0x6e, 0x12), 1));
  p.setBrush(QColor(0x4c, 0xb8, 0x30));
  p.drawPath(seta);
  p.end();
  return pm;
}

}  // namespace janela
