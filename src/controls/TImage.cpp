#include "TImage.h"

#include <QPaintEvent>
#include <QPainter>
#include <vector>

TImage::TImage(QWidget* parent) : TControl<QWidget>(parent) {
  picture_.OnChange = [this] { PictureChanged(); };
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TImage::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on && !picture_.Empty()) SetBounds(x(), y(), picture_.Width(), picture_.Height());
}

void TImage::SetStretch(bool on) {
  if (stretch_ == on) return;
  stretch_ = on;
  update();
}

void TImage::SetTransparent(bool on) {
  transparent_ = on;
  update();
}

void TImage::PictureChanged() {
  if (autoSize_ && !picture_.Empty()) SetBounds(x(), y(), picture_.Width(), picture_.Height());
  update();
}

void TImage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  PaintArea(painter, event->rect());
}

void TImage::PaintArea(QPainter& painter, const QRect& area) const {
  const Graphic* graphic = picture_.GetGraphic();
  if (!graphic || graphic->Empty()) return;
  const QImage source = graphic->ToImage();
  const int sw = source.width(), sh = source.height();
  if (!stretch_) {
    const QRect r = area & QRect(0, 0, sw, sh);
    if (!r.isEmpty()) painter.drawImage(r.topLeft(), source, r);
    return;
  }
  const qint64 dw = width(), dh = height();
  const QRect r = area & rect();
  if (r.isEmpty() || dw <= 0 || dh <= 0) return;
  if (dw == sw && dh == sh) {
    painter.drawImage(r.topLeft(), source, r);
    return;
  }
  // Nearest neighbour: the centre of destination pixel d falls into source pixel
  // ((2d + 1) * sourceLength) / (2 * destinationLength).
  std::vector<int> columns(size_t(r.width()));
  for (int i = 0; i < r.width(); ++i)
    columns[size_t(i)] = int(((2 * qint64(r.left() + i) + 1) * sw) / (2 * dw));
  const bool alpha = source.hasAlphaChannel();
  QImage out(r.size(), alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  int lastRow = -1;
  for (int j = 0; j < r.height(); ++j) {
    const int sy = int(((2 * qint64(r.top() + j) + 1) * sh) / (2 * dh));
    auto* dst = reinterpret_cast<QRgb*>(out.scanLine(j));
    if (sy == lastRow) {
      // Enlarged pictures repeat rows: copy the row just built.
      std::copy_n(reinterpret_cast<const QRgb*>(out.constScanLine(j - 1)), r.width(), dst);
      continue;
    }
    lastRow = sy;
    const auto* src = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
    for (int i = 0; i < r.width(); ++i) dst[i] = src[columns[size_t(i)]];
  }
  painter.drawImage(r.topLeft(), out);
}
