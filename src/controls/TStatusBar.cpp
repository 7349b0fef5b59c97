#include "TStatusBar.h"

#include <QPainter>

TStatusBar::TStatusBar(QWidget* parent) : TControl<QWidget>(parent) {
  // The panels have fixed widths; a slightly smaller face lets a full time stamp and a
  // large resolution fit in them.
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() - 1);
  setFont(small);
}

void TStatusBar::AddPanel(int width, const QString& text) {
  widths_.push_back(width);
  texts_.append(text);
  update();
}

void TStatusBar::SetText(int panel, const QString& text) {
  if (panel < 0 || panel >= texts_.size() || texts_[panel] == text) return;
  texts_[panel] = text;
  update();
}

void TStatusBar::SetColor(TColor color) {
  color_ = color;
  update();
}

void TStatusBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(ToQRgb(color_)));
  p.setPen(QColor(200, 196, 186));
  p.drawLine(0, 0, width(), 0);
  int x = 0;
  for (int i = 0; i < PanelCount(); ++i) {
    const bool last = i == PanelCount() - 1;
    const int w = last ? std::max(widths_[size_t(i)], width() - x) : widths_[size_t(i)];
    const QRect cell(x, 1, w, height() - 1);
    p.setPen(QColor(60, 60, 60));
    p.setClipRect(cell);
    p.drawText(cell.adjusted(4, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft, texts_[i]);
    p.setClipping(false);
    if (!last) {
      p.setPen(QColor(200, 196, 186));
      p.drawLine(x + w - 1, 3, x + w - 1, height() - 3);
    }
    x += w;
  }
}
