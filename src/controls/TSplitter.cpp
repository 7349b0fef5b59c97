#include "TSplitter.h"

#include <QLayout>
#include <QPainter>

TSplitter::TSplitter(QWidget* parent, TAlign align, int thickness) : TControl<QWidget>(parent) {
  resize(thickness, thickness);
  SetAlign(align);
  setCursor(align == TAlign::Left || align == TAlign::Right ? Qt::SplitHCursor : Qt::SplitVCursor);
}

QWidget* TSplitter::Neighbour() const {
  QWidget* found = nullptr;
  QLayout* layout = parentWidget() ? parentWidget()->layout() : nullptr;
  if (!layout) return nullptr;
  for (int i = 0; i < layout->count(); ++i) {
    QWidget* w = layout->itemAt(i)->widget();
    if (w == this) break;
    if (w && !w->isHidden() && AlignOf(w) == Align()) found = w;
  }
  return found;
}

void TSplitter::MoveBy(int delta) {
  QWidget* n = Neighbour();
  if (!n || delta == 0) return;
  const bool horizontal = Align() == TAlign::Left || Align() == TAlign::Right;
  const int sign = (Align() == TAlign::Left || Align() == TAlign::Top) ? 1 : -1;
  const int old = horizontal ? n->width() : n->height();
  // Keep MinSize for the neighbour and for what remains on the other side.
  const int avail = horizontal ? parentWidget()->width() : parentWidget()->height();
  int size = std::max(minSize_, old + sign * delta);
  size = std::min(size, std::max(minSize_, avail - minSize_ - (horizontal ? width() : height())));
  if (size == old) return;
  if (horizontal)
    n->resize(size, n->height());
  else
    n->resize(n->width(), size);
  RealignChildren(parentWidget());
  TApplication::RunHandler(OnMoved);
}

void TSplitter::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  dragging_ = true;
  const bool horizontal = Align() == TAlign::Left || Align() == TAlign::Right;
  lastGlobal_ = int(horizontal ? event->globalPosition().x() : event->globalPosition().y());
}

void TSplitter::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const bool horizontal = Align() == TAlign::Left || Align() == TAlign::Right;
  const int now = int(horizontal ? event->globalPosition().x() : event->globalPosition().y());
  QWidget* n = Neighbour();
  const int before = n ? (horizontal ? n->width() : n->height()) : 0;
  MoveBy(now - lastGlobal_);
  const int after = n ? (horizontal ? n->width() : n->height()) : 0;
  const int sign = (Align() == TAlign::Left || Align() == TAlign::Top) ? 1 : -1;
  lastGlobal_ += sign * (after - before);
}

void TSplitter::mouseReleaseEvent(QMouseEvent*) {
  dragging_ = false;
}

void TSplitter::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(214, 224, 234));
}
