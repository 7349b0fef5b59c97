#pragma once
// The properties and events that window code reads and writes on every control,
// layered over a Qt widget class. Geometry is in the parent's client coordinates
// (inside a TScrollBox that means relative to the visible area, moving with scrolling).
#include <QAbstractButton>
#include <QEnterEvent>
#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <functional>
#include <type_traits>
#include <utility>

#include "TApplication.h"
#include "TCursor.h"

enum class TAlign { None, Top, Bottom, Left, Right, Client };

using TNotifyEvent = std::function<void()>;
using TMouseEvent =
    std::function<void(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(Qt::KeyboardModifiers shift, int x, int y)>;

// The alignment of a widget, read by TAlignLayout. Kept as a dynamic property so that
// plain Qt widgets can take part too.
inline TAlign AlignOf(const QWidget* w) {
  return TAlign(w->property("picoraAlign").toInt());
}
void SetAlignOf(QWidget* w, TAlign align);
// Lays out the aligned children of parent now rather than at the next event.
void RealignChildren(QWidget* parent);

template <class Base>
class TControl : public Base {
 public:
  template <class... Args>
  explicit TControl(Args&&... args) : Base(std::forward<Args>(args)...) {}

  int Left() const { return this->x(); }
  int Top() const { return this->y(); }
  int Width() const { return this->width(); }
  int Height() const { return this->height(); }
  void SetLeft(int v) { this->move(v, this->y()); }
  void SetTop(int v) { this->move(this->x(), v); }
  void SetWidth(int v) { SetBounds(this->x(), this->y(), v, this->height()); }
  void SetHeight(int v) { SetBounds(this->x(), this->y(), this->width(), v); }
  void SetBounds(int l, int t, int w, int h) {
    this->setGeometry(l, t, std::max(0, w), std::max(0, h));
    Realign();
  }

  // The control's own flag, as it was set: not whether it is on screen right now.
  bool Visible() const { return !this->isHidden(); }
  void SetVisible(bool v) {
    if (v == Visible()) return;
    this->setVisible(v);
    Realign();
  }
  bool Enabled() const { return !this->testAttribute(Qt::WA_ForceDisabled); }
  void SetEnabled(bool e) { this->setEnabled(e); }

  QString Hint() const { return this->toolTip(); }
  void SetHint(const QString& h) { this->setToolTip(h); }

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c) {
    cursor_ = c;
    this->setCursor(ToQCursor(c));
  }

  TAlign Align() const { return AlignOf(this); }
  void SetAlign(TAlign a) { SetAlignOf(this, a); }

  TMouseEvent OnMouseDown, OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TNotifyEvent OnClick, OnDblClick, OnMouseEnter, OnMouseLeave;

 protected:
  static constexpr bool kIsButton = std::is_base_of_v<QAbstractButton, Base>;

  // Aligned siblings take their new places at once, as the classic controls do, so that
  // code reading sizes right after a change sees the new layout.
  void Realign() {
    if (Align() != TAlign::None) RealignChildren(this->parentWidget());
  }

  void mousePressEvent(QMouseEvent* e) override {
    Base::mousePressEvent(e);
    if (e->button() == Qt::LeftButton) pressedInside_ = true;
    TApplication::RunHandler(OnMouseDown, e->button(), e->modifiers(), PosX(e), PosY(e));
    e->accept();
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    // As on the classic desktop: the second press is a double click and then a press.
    if (e->button() == Qt::LeftButton && !TApplication::RunHandler(OnDblClick)) {
      e->accept();
      return;
    }
    Base::mouseDoubleClickEvent(e);
    if constexpr (!kIsButton) {
      if (e->button() == Qt::LeftButton) pressedInside_ = true;
      TApplication::RunHandler(OnMouseDown, e->button(), e->modifiers(), PosX(e), PosY(e));
    }
    e->accept();
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    Base::mouseMoveEvent(e);
    TApplication::RunHandler(OnMouseMove, e->modifiers(), PosX(e), PosY(e));
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    const bool click = e->button() == Qt::LeftButton && pressedInside_ &&
                       this->rect().contains(e->position().toPoint());
    if (e->button() == Qt::LeftButton) pressedInside_ = false;
    Base::mouseReleaseEvent(e);
    if (!TApplication::RunHandler(OnMouseUp, e->button(), e->modifiers(), PosX(e), PosY(e))) return;
    if constexpr (!kIsButton) {
      if (click) TApplication::RunHandler(OnClick);
    }
  }
  void enterEvent(QEnterEvent* e) override {
    Base::enterEvent(e);
    TApplication::RunHandler(OnMouseEnter);
  }
  void leaveEvent(QEvent* e) override {
    Base::leaveEvent(e);
    TApplication::RunHandler(OnMouseLeave);
  }

  // Where the control's own coordinates start, seen from the widget that receives its
  // mouse events (a list's viewport sits inside its frame and margins).
  virtual QPoint MouseOrigin() const { return QPoint(); }
  int PosX(QMouseEvent* e) const { return int(std::floor(e->position().x())) + MouseOrigin().x(); }
  int PosY(QMouseEvent* e) const { return int(std::floor(e->position().y())) + MouseOrigin().y(); }

 private:
  TCursor cursor_ = TCursor::Default;
  bool pressedInside_ = false;
};
