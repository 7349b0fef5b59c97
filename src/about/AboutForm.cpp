#include "AboutForm.h"

TAboutForm::TAboutForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TAboutForm"));
  resize(368, 245);
}
