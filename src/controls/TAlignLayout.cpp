#include "TAlignLayout.h"

#include <QWidget>

#include "TControl.h"

void SetAlignOf(QWidget* w, TAlign align) {
  const TAlign old = AlignOf(w);
  w->setProperty("picoraAlign", int(align));
  QWidget* parent = w->parentWidget();
  if (!parent) return;
  auto* layout = dynamic_cast<TAlignLayout*>(parent->layout());
  if (!layout) layout = new TAlignLayout(parent);
  if (old == TAlign::None && align != TAlign::None && layout->indexOf(w) < 0)
    layout->addWidget(w);
  else if (align == TAlign::None && layout->indexOf(w) >= 0)
    layout->removeWidget(w);
  RealignChildren(parent);
}

void RealignChildren(QWidget* parent) {
  if (!parent || !parent->layout()) return;
  parent->layout()->invalidate();
  parent->layout()->activate();
}

TAlignLayout::TAlignLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(0, 0, 0, 0);
  setSpacing(0);
  setSizeConstraint(QLayout::SetNoConstraint);
}

TAlignLayout::~TAlignLayout() {
  for (QLayoutItem* item : items_) delete item;
}

void TAlignLayout::addItem(QLayoutItem* item) {
  items_.push_back(item);
}

QLayoutItem* TAlignLayout::itemAt(int index) const {
  return index >= 0 && index < count() ? items_[size_t(index)] : nullptr;
}

QLayoutItem* TAlignLayout::takeAt(int index) {
  if (index < 0 || index >= count()) return nullptr;
  QLayoutItem* item = items_[size_t(index)];
  items_.erase(items_.begin() + index);
  return item;
}

void TAlignLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  QRect r = rect;
  auto place = [&](TAlign side) {
    for (QLayoutItem* item : items_) {
      QWidget* w = item->widget();
      if (!w || w->isHidden() || AlignOf(w) != side) continue;
      switch (side) {
        case TAlign::Top:
          w->setGeometry(r.left(), r.top(), r.width(), w->height());
          r.setTop(r.top() + w->height());
          break;
        case TAlign::Bottom:
          w->setGeometry(r.left(), r.bottom() + 1 - w->height(), r.width(), w->height());
          r.setBottom(r.bottom() - w->height());
          break;
        case TAlign::Left:
          w->setGeometry(r.left(), r.top(), w->width(), std::max(0, r.height()));
          r.setLeft(r.left() + w->width());
          break;
        case TAlign::Right:
          w->setGeometry(r.right() + 1 - w->width(), r.top(), w->width(), std::max(0, r.height()));
          r.setRight(r.right() - w->width());
          break;
        case TAlign::Client:
          w->setGeometry(r.left(), r.top(), std::max(0, r.width()), std::max(0, r.height()));
          break;
        case TAlign::None:
          break;
      }
    }
  };
  place(TAlign::Top);
  place(TAlign::Bottom);
  place(TAlign::Left);
  place(TAlign::Right);
  client_ = r;
  place(TAlign::Client);
}
