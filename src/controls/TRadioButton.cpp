#include "TRadioButton.h"

TRadioButton::TRadioButton(QWidget* parent, const QString& caption)
    : TControl<QRadioButton>(parent) {
  setText(caption);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QAbstractButton::toggled, this, [this](bool on) {
    if (on && OnClick) OnClick();
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
