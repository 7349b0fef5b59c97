#include "TImage.h"

#include <QPaintEvent>
#include <QPainter>
#include <vector>

namespace {
// Enlargements of at least this factor on both axes paint one block per picture pixel.
constexpr int kBlockFill = 32;

// Nearest neighbour: the centre of destination pixel d falls into source pixel
// ((2d + 1) * sourceLength) / (2 * destinationLength). 64 bits: the control may be
// hundreds of thousands of pixels long.
std::vector<int> SourceIndexes(int first, int count, int sourceLength, qint64 destLength) {
  std::vector<int> indexes(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i)
    indexes[size_t(i)] = int(((2 * qint64(first + i) + 1) * sourceLength) / (2 * destLength));
  return indexes;
}

// A buffer of at least size, kept between paints (painting runs on the window thread
// only): a fresh screen-sized image costs a page fault per 4 KB when written, which took
// longer than the painting itself.
QImage& Scratch(const QSize& size, QImage::Format format) {
  static QImage opaque, translucent;
  QImage& image = format == QImage::Format_RGB32 ? opaque : translucent;
  if (image.width() < size.width() || image.height() < size.height())
    image = QImage(size.expandedTo(image.size()), format);
  return image;
}

// Calls f(begin, end, index) for each run of equal source indexes.
template <class F>
void ForEachRun(const std::vector<int>& indexes, F f) {
  const int n = int(indexes.size());
  for (int begin = 0, end; begin < n; begin = end) {
    end = begin + 1;
    while (end < n && indexes[size_t(end)] == indexes[size_t(begin)]) ++end;
    f(begin, end, indexes[size_t(begin)]);
  }
}
}  // namespace

TImage::TImage(QWidget* parent) : TControl<QWidget>(parent) {
  picture_.OnChange = [this] { PictureChanged(); };
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

// An empty graphic (a bitmap of 0 x 0) leaves the size as it was, as no graphic does.
void TImage::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on && picture_.Width() > 0 && picture_.Height() > 0)
    SetBounds(x(), y(), picture_.Width(), picture_.Height());
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
  if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0)
    SetBounds(x(), y(), picture_.Width(), picture_.Height());
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
  const std::vector<int> columns = SourceIndexes(r.left(), r.width(), sw, dw);
  const std::vector<int> rows = SourceIndexes(r.top(), r.height(), sh, dh);
  const auto sourceLine = [&source](int y) {
    return reinterpret_cast<const QRgb*>(source.constScanLine(y));
  };
  const bool alpha = source.hasAlphaChannel();
  if (!alpha && dw >= kBlockFill * qint64(sw) && dh >= kBlockFill * qint64(sh)) {
    // Each picture pixel is a large block: filling the blocks writes every screen pixel
    // once, where building a copy and drawing it would write it twice.
    ForEachRun(rows, [&](int j0, int j1, int sy) {
      const QRgb* src = sourceLine(sy);
      ForEachRun(columns, [&](int i0, int i1, int sx) {
        painter.fillRect(QRect(r.left() + i0, r.top() + j0, i1 - i0, j1 - j0), QColor(src[sx]));
      });
    });
    return;
  }
  QImage& out =
      Scratch(r.size(), alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  ForEachRun(rows, [&](int j0, int j1, int sy) {
    const QRgb* src = sourceLine(sy);
    auto* first = reinterpret_cast<QRgb*>(out.scanLine(j0));
    for (int i = 0; i < r.width(); ++i) first[i] = src[columns[size_t(i)]];
    // Enlarged pictures repeat rows: copy the row just built.
    for (int j = j0 + 1; j < j1; ++j)
      std::copy_n(first, r.width(), reinterpret_cast<QRgb*>(out.scanLine(j)));
  });
  painter.drawImage(r.topLeft(), out, QRect(QPoint(0, 0), r.size()));
}
