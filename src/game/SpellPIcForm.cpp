#include "SpellPIcForm.h"

TSpellPIcForm::TSpellPIcForm(QWidget* owner) : TForm(owner, TForm::Kind::Tool, true) {
  setObjectName(QStringLiteral("TSpellPIcForm"));
  resize(600, 577);
}
