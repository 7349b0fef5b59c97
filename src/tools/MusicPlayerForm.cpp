#include "MusicPlayerForm.h"

TMusicPlayerForm::TMusicPlayerForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TMusicPlayerForm"));
  resize(275, 323);
}
