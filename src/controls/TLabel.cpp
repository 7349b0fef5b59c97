#include "TLabel.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

TLabel::TLabel(QWidget* parent, const QString& caption) : TControl<QWidget>(parent) {
  SetCaption(caption);
}

void TLabel::SetCaption(const QString& caption) {
  caption_ = caption;
  if (autoSize_) FitToText();
  update();
}

void TLabel::SetFontColor(TColor color) {
  if (fontColor_ == color) return;
  fontColor_ = color;
  update();
}

void TLabel::SetTransparent(bool on) {
  transparent_ = on;
  update();
}

void TLabel::SetColor(TColor color) {
  color_ = color;
  update();
}

void TLabel::SetAutoSize(bool on) {
  autoSize_ = on;
  if (on) FitToText();
}

void TLabel::SetWordWrap(bool on) {
  wordWrap_ = on;
  update();
}

void TLabel::SetAlignment(Qt::Alignment alignment) {
  alignment_ = alignment;
  update();
}

void TLabel::SetFontSize(int points) {
  QFont f = font();
  f.setPointSize(points);
  setFont(f);
}

void TLabel::SetBold(bool bold) {
  QFont f = font();
  f.setBold(bold);
  setFont(f);
}

void TLabel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange && autoSize_) FitToText();
  QWidget::changeEvent(event);
}

void TLabel::FitToText() {
  const QSize s = QFontMetrics(font()).size(Qt::TextShowMnemonic, caption_);
  resize(std::max(1, s.width()), std::max(1, s.height()));
}

void TLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!transparent_) p.fillRect(rect(), QColor(ToQRgb(color_)));
  int flags = int(alignment_) | Qt::TextShowMnemonic;
  if (wordWrap_) flags |= Qt::TextWordWrap;
  if (!isEnabled()) {
    // Disabled text: white emboss under grey, as classic disabled labels look.
    p.setPen(QColor(255, 255, 255));
    p.drawText(rect().translated(1, 1), flags, caption_);
    p.setPen(QColor(128, 128, 128));
  } else {
    p.setPen(QColor(ToQRgb(fontColor_)));
  }
  p.drawText(rect(), flags, caption_);
}
