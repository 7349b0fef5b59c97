#include "TSpeedButton.h"

#include <QPainter>
#include <QSvgRenderer>

TSpeedButton::TSpeedButton(QWidget* parent) : TControl<QAbstractButton>(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
  connect(this, &QAbstractButton::clicked, this, [this] { TApplication::RunHandler(OnClick); });
}

void TSpeedButton::SetFlat(bool flat) {
  if (flat_ == flat) return;
  flat_ = flat;
  update();
}

void TSpeedButton::SetGlyph(const QString& resource) {
  glyph_ = resource;
  update();
}

void TSpeedButton::SetFontColor(TColor color) {
  fontColor_ = color;
  update();
}

void TSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const bool hover = underMouse() && isEnabled();
  const bool down = isDown();
  if (!flat_ || down) {
    // Raised (mode on) or pressed: a soft filled frame, darker edge below-right when raised.
    p.setPen(QColor(90, 120, 150));
    p.setBrush(down ? QColor(190, 214, 236) : QColor(214, 230, 245));
    p.drawRoundedRect(r, 3, 3);
    if (!down) {
      p.setPen(QColor(255, 255, 255, 200));
      p.drawLine(QPointF(r.left() + 2, r.top() + 1.5), QPointF(r.right() - 2, r.top() + 1.5));
    }
  } else if (hover) {
    p.setPen(QColor(120, 160, 200, 160));
    p.setBrush(QColor(230, 240, 250, 170));
    p.drawRoundedRect(r, 3, 3);
  }
  const int shift = down ? 1 : 0;
  if (!glyph_.isEmpty()) {
    QSvgRenderer svg(glyph_);
    const int side = std::max(8, std::min(width(), height()) - (text().isEmpty() ? 9 : 12));
    QRectF g((width() - side) / 2.0 + shift, (height() - side) / 2.0 + shift, side, side);
    if (!isEnabled()) p.setOpacity(0.35);
    svg.render(&p, g);
    p.setOpacity(1.0);
  }
  if (!text().isEmpty()) {
    p.setPen(isEnabled() ? QColor(ToQRgb(fontColor_)) : QColor(150, 150, 150));
    p.setFont(font());
    p.drawText(rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, text());
  }
}
