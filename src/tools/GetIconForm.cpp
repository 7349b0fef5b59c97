#include "GetIconForm.h"

TGetIconForm::TGetIconForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TGetIconForm"));
  resize(227, 157);
}
