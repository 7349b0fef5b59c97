#include "ScreenSafeForm.h"

TScreenSafeForm::TScreenSafeForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TScreenSafeForm"));
  resize(426, 257);
}
