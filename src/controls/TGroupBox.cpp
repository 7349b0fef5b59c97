#include "TGroupBox.h"

TGroupBox::TGroupBox(QWidget* parent, const QString& caption) : TControl<QGroupBox>(parent) {
  setTitle(caption);
  setFlat(true);
}
