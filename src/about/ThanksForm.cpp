#include "ThanksForm.h"

TThanksForm::TThanksForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TThanksForm"));
  resize(320, 267);
}
