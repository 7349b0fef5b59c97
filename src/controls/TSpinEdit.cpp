#include "TSpinEdit.h"

TSpinEdit::TSpinEdit(QWidget* parent) : TControl<QSpinBox>(parent) {
  setRange(0, 1000000);
  setFrame(true);
  connect(this, &QSpinBox::valueChanged, this, [this] {
    if (OnChange) OnChange();
  });
}
