#include "TRadioButton.h"

TRadioButton::TRadioButton(QWidget* parent, const QString& caption)
    : TControl<QRadioButton>(parent) {
  setText(caption);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QAbstractButton::toggled, this, [this](bool on) {
    if (on) TApplication::RunHandler(OnClick);
  });
}

void TRadioButton::SetChecked(bool on) {
  if (!on && isChecked()) {
    // Qt keeps one button of an exclusive group checked; unchecking by code is allowed
    // here, as it is for the classic radio button.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
    return;
  }
  setChecked(on);
}

void TRadioButton::SetFontColor(TColor color) {
  if (color == fontColor_) return;
  fontColor_ = color;
  QPalette p = palette();
  p.setColor(QPalette::WindowText, QColor(ToQRgb(color)));
  setPalette(p);
}

void TRadioButton::SetMarkColor(TColor color) {
  // The styles draw the mark in the text colour.
  QPalette p = palette();
  p.setColor(QPalette::Text, QColor(ToQRgb(color)));
  setPalette(p);
}
