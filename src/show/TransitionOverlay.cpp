#include "TransitionOverlay.h"

#include <QPaintEvent>
#include <QPainter>

TransitionOverlay::TransitionOverlay(QWidget* parent, const QRect& place, const QImage& frame)
    : QWidget(parent), frame_(frame) {
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
  for (const QRect& r : event->region()) {
    const QRect area = r & rect();
    if (frame_.isNull())
      painter.fillRect(area, Qt::white);
    else
      painter.drawImage(area.topLeft(), frame_, area);
  }
}
