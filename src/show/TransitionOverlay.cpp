#include "TransitionOverlay.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The image the painter paints into, and where this widget's (0, 0) lies in it, when
// pixels written there straight are what the painter would have drawn: a raster image
// of opaque-capable 32-bit pixels at one device pixel per pixel, reached by a plain
// shift. The window's backing store is such an image on the usual platforms.
QImage* WritableTarget(QPainter& painter, QPoint* offset) {
  QPaintEngine* engine = painter.paintEngine();
  if (!engine || engine->type() != QPaintEngine::Raster) return nullptr;
  QPaintDevice* device = engine->paintDevice();
  if (!device || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return nullptr;
  if (image->devicePixelRatio() != 1.0) return nullptr;
  const QTransform t = painter.deviceTransform();
  if (t.type() > QTransform::TxTranslate || t.dx() != int(t.dx()) || t.dy() != int(t.dy()))
    return nullptr;
  *offset = QPoint(int(t.dx()), int(t.dy()));
  return image;
}

}  // namespace

TransitionOverlay::TransitionOverlay(QWidget* parent, const QRect& place,
                                     const TransitionFrames& frames)
    : QWidget(parent), frames_(frames) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setGeometry(place);
}

void TransitionOverlay::ShowFrame(const QRegion& area) {
  // A synchronous paint and flush of just that part: the frame is on the screen before
  // the next one is built.
  repaint(area & rect());
}

void TransitionOverlay::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  // The frame's own size bounds what is written, whatever the widget's size.
  QRegion region = event->region() & rect() & QRect(QPoint(0, 0), frames_.Visible().size());
  QPoint offset;
  if (QImage* target = WritableTarget(painter, &offset)) {
    // The frame's pixels go straight from the picture into the window's image: building
    // the frame first and drawing it would copy every changed pixel twice. The painter
    // has made the image its own (nothing else shares it) and clips to what it flushes;
    // the writes keep inside both.
    const QRegion clip = painter.paintEngine()->systemClip();
    if (!clip.isEmpty()) region &= clip.translated(-offset);
    region &= QRect(-offset, target->size());
    const qsizetype stride = target->bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* bits = reinterpret_cast<QRgb*>(target->bits());
    for (const QRect& r : region) {
      const QPoint at = r.topLeft() + offset;
      frames_.Write(r, bits + at.y() * stride + at.x(), stride);
    }
    return;
  }
  for (const QRect& r : region) {
    if (scratch_.width() < r.width() || scratch_.height() < r.height())
      scratch_ = QImage(r.size().expandedTo(scratch_.size()), QImage::Format_RGB32);
    frames_.Write(r, reinterpret_cast<QRgb*>(scratch_.bits()),
                  scratch_.bytesPerLine() / qsizetype(sizeof(QRgb)));
    painter.drawImage(r.topLeft(), scratch_, QRect(QPoint(0, 0), r.size()));
  }
}
