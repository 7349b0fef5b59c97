#include "TScrollBox.h"

#include <QChildEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QScrollBar>

TScrollBox::TScrollBox(QWidget* parent) : TControl<QAbstractScrollArea>(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(2);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->installEventFilter(this);
  viewport()->setAutoFillBackground(true);
  SetColor(color_);
  horizontalScrollBar()->setSingleStep(8);
  verticalScrollBar()->setSingleStep(8);
}

void TScrollBox::SetColor(TColor color) {
  color_ = color;
  QPalette pal = viewport()->palette();
  pal.setColor(QPalette::Window, QColor(ToQRgb(color)));
  viewport()->setPalette(pal);
}

int TScrollBox::HorzPosition() const {
  return horizontalScrollBar()->value();
}
int TScrollBox::VertPosition() const {
  return verticalScrollBar()->value();
}
void TScrollBox::SetHorzPosition(int position) {
  horizontalScrollBar()->setValue(position);
}
void TScrollBox::SetVertPosition(int position) {
  verticalScrollBar()->setValue(position);
}

void TScrollBox::SetHorzScrollBarVisible(bool on) {
  horzVisible_ = on;
  UpdateRange();
}

void TScrollBox::SetVertScrollBarVisible(bool on) {
  vertVisible_ = on;
  UpdateRange();
}

void TScrollBox::SetScrollBarThickness(int pixels) {
  const QString css =
      QStringLiteral("QScrollBar:horizontal{height:%1px;} QScrollBar:vertical{width:%1px;}")
          .arg(pixels);
  horizontalScrollBar()->setStyleSheet(css);
  verticalScrollBar()->setStyleSheet(css);
}

bool TScrollBox::IsClientPanel(const QWidget* w) const {
  return AlignOf(w) == TAlign::Client;
}

void TScrollBox::Watch(QWidget* child) {
  child->installEventFilter(this);
}

void TScrollBox::scrollContentsBy(int dx, int dy) {
  // The children move with the view, exactly by the change of position.
  scrolling_ = true;
  for (QObject* o : viewport()->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow() || IsClientPanel(w)) continue;
    w->move(w->x() + dx, w->y() + dy);
  }
  scrolling_ = false;
  viewport()->update();
}

void TScrollBox::UpdateRange() {
  if (updating_) return;
  updating_ = true;
  const int px = HorzPosition(), py = VertPosition();
  int rx = 0, ry = 0;
  for (QObject* o : viewport()->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow() || w->isHidden() || IsClientPanel(w)) continue;
    rx = std::max(rx, w->x() + w->width() + px);
    ry = std::max(ry, w->y() + w->height() + py);
  }
  rangeX_ = rx;
  rangeY_ = ry;
  // Decide here which bars show, so that the client size is right at once (Qt would
  // otherwise settle it at the next event, and positions would clamp against a stale size).
  const int frame = 2 * frameWidth();
  const int outerW = width() - frame, outerH = height() - frame;
  const int barH = horizontalScrollBar()->sizeHint().height();
  const int barV = verticalScrollBar()->sizeHint().width();
  bool needH = horzVisible_ && rx > outerW;
  bool needV = vertVisible_ && ry > outerH;
  if (needH && !needV) needV = vertVisible_ && ry > outerH - barH;
  if (needV && !needH) needH = horzVisible_ && rx > outerW - barV;
  const auto policyH = needH ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  const auto policyV = needV ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
  if (horizontalScrollBarPolicy() != policyH) setHorizontalScrollBarPolicy(policyH);
  if (verticalScrollBarPolicy() != policyV) setVerticalScrollBarPolicy(policyV);
  const int clientW = outerW - (needV ? barV : 0);
  const int clientH = outerH - (needH ? barH : 0);
  horizontalScrollBar()->setPageStep(std::max(1, clientW));
  verticalScrollBar()->setPageStep(std::max(1, clientH));
  horizontalScrollBar()->setRange(0, needH ? std::max(0, rx - clientW) : 0);
  verticalScrollBar()->setRange(0, needV ? std::max(0, ry - clientH) : 0);
  updating_ = false;
}

void TScrollBox::FitClientPanels() {
  for (QObject* o : viewport()->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (w && !w->isWindow() && IsClientPanel(w)) w->setGeometry(viewport()->rect());
  }
}

bool TScrollBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == viewport()) {
    switch (event->type()) {
      case QEvent::ChildAdded:
        if (auto* w = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) Watch(w);
        UpdateRange();
        break;
      case QEvent::ChildRemoved:
        UpdateRange();
        break;
      case QEvent::Resize:
        FitClientPanels();
        UpdateRange();
        break;
      default:
        break;
    }
  } else if (!scrolling_) {
    switch (event->type()) {
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Show:
      case QEvent::Hide:
      case QEvent::ShowToParent:
      case QEvent::HideToParent:
        if (static_cast<QWidget*>(watched)->parentWidget() == viewport()) {
          if (IsClientPanel(static_cast<QWidget*>(watched))) FitClientPanels();
          UpdateRange();
        }
        break;
      default:
        break;
    }
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

void TScrollBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  FitClientPanels();
  UpdateRange();
}
