#include "TForm.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include "Dialogs.h"

TForm::TForm(QWidget* owner, Kind kind, bool borderless) : TControl<QWidget>(owner) {
  Qt::WindowFlags flags = kind == Kind::Tool ? Qt::Tool : Qt::Window;
  if (borderless) flags |= Qt::FramelessWindowHint;
  setWindowFlags(flags);
  setAttribute(Qt::WA_QuitOnClose, kind == Kind::Main);
  // paintEvent covers every pixel with the window's colour: a background fill by Qt
  // before it would write the whole window twice, which after a resize to the screen's
  // size is a fresh 5 MB backing store.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TForm::SetColor(TColor color) {
  color_ = color;
  update();
}

void TForm::SetBorderColor(TColor color) {
  borderColor_ = color;
  update();
}

void TForm::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), QColor(ToQRgb(color_)));
  if (borderColor_) {
    p.setPen(QColor(ToQRgb(*borderColor_)));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void TForm::Show() {
  show();
  raise();
  activateWindow();
}

void TForm::ShowModal() {
  Dialogs::ShowModal(this);
}

void TForm::SetWindowState(TWindowState state) {
  if (state == state_ && state != TWindowState::Minimized) return;
  switch (state) {
    case TWindowState::Maximized: {
      if (state_ == TWindowState::Normal) normalBounds_ = geometry();
      QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
      setGeometry(screen->geometry());
      state_ = state;
      break;
    }
    case TWindowState::Normal:
      if (isMinimized()) showNormal();
      if (fullScreen_) {
        fullScreen_ = false;
        setWindowState(windowState() & ~Qt::WindowFullScreen);
      }
      if (state_ == TWindowState::Maximized && normalBounds_.isValid()) setGeometry(normalBounds_);
      state_ = state;
      break;
    case TWindowState::Minimized:
      showMinimized();
      break;
  }
  RealignChildren(this);
}

void TForm::SetFullScreen() {
  SetWindowState(TWindowState::Maximized);
  if (fullScreen_) return;
  fullScreen_ = true;
  // Without a window manager nothing answers the state change: the screen's geometry,
  // set above, is the whole of it.
  setWindowState(windowState() | Qt::WindowFullScreen);
}

void TForm::SetTopMost(bool on) {
  if (on == topMost_) return;
  topMost_ = on;
  // QWidget::setWindowFlags would re-create the native window, which hides it and loses
  // its place; the flags go to the existing window instead.
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, on);
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlags(flags);
}

void TForm::CenterOnScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  const QRect s = screen->geometry();
  move(s.left() + (s.width() - width()) / 2, s.top() + (s.height() - height()) / 2);
}

void TForm::CenterOn(const QWidget* other) {
  CenterOn(other->frameGeometry());
}

void TForm::CenterOn(const QRect& o) {
  move(o.left() + (o.width() - width()) / 2, o.top() + (o.height() - height()) / 2);
}

void TForm::StartMove() {
  following_ = false;
  if (windowHandle() && windowHandle()->startSystemMove()) return;
  following_ = true;
  moveStartCursor_ = QCursor::pos();
  moveStartWindow_ = pos();
}

void TForm::FollowMove() {
  if (!following_) return;
  if (QGuiApplication::mouseButtons() == Qt::NoButton) {
    following_ = false;
    return;
  }
  move(moveStartWindow_ + (QCursor::pos() - moveStartCursor_));
}

int TForm::VirtualKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 65 + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 48 + (qtKey - Qt::Key_0);
  switch (qtKey) {
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Space:
      return 32;
    default:
      return 0;
  }
}

void TForm::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  // An error while asking leaves the window open.
  if (!TApplication::RunHandler(OnCloseQuery, canClose)) canClose = false;
  if (!canClose) {
    event->ignore();
    return;
  }
  TApplication::RunHandler(OnClose);
  event->accept();
}

// Windows without key preview (the label menus) get the keys that reach the window itself.
void TForm::keyPressEvent(QKeyEvent* event) {
  if (!keyPreview_ &&
      !TApplication::RunHandler(OnKeyDown, VirtualKey(event->key()), event->modifiers()))
    return;
  QWidget::keyPressEvent(event);
}

void TForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  TApplication::RunHandler(OnShow);
}
