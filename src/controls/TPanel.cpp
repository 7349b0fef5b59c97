#include "TPanel.h"

#include <QPainter>

TPanel::TPanel(QWidget* parent, TAlign align) : TControl<QWidget>(parent) {
  if (align != TAlign::None) SetAlign(align);
}

void TPanel::SetColor(TColor color) {
  color_ = color;
  update();
}

void TPanel::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(rect(), QColor(ToQRgb(color_)));
}
