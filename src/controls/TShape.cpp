#include "TShape.h"

#include <QPainter>

TShape::TShape(QWidget* parent) : TControl<QWidget>(parent) {
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
}

void TShape::paintEvent(QPaintEvent*) {
  QPainter p(this);
  // The widgets beneath are already in the backing store: invert them along the outline.
  p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  const QColor half(128, 128, 128);
  const int w = width(), h = height();
  if (w <= 0 || h <= 0) return;
  if (w <= 2 || h <= 2) {
    p.fillRect(rect(), half);
    return;
  }
  p.fillRect(0, 0, w, 1, half);
  p.fillRect(0, h - 1, w, 1, half);
  p.fillRect(0, 1, 1, h - 2, half);
  p.fillRect(w - 1, 1, 1, h - 2, half);
}

// The inverted outline depends on what lies beneath; repaint the parent along the old
// outline so no stale inverted pixels remain.
void TShape::moveEvent(QMoveEvent* event) {
  if (parentWidget()) parentWidget()->update();
  QWidget::moveEvent(event);
}

void TShape::resizeEvent(QResizeEvent* event) {
  if (parentWidget()) parentWidget()->update();
  QWidget::resizeEvent(event);
}
