#include "TEdit.h"

TEdit::TEdit(QWidget* parent) : TControl<QLineEdit>(parent) {
  setFrame(true);
  setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #9fb4c8; padding: 0 2px; }"));
  connect(this, &QLineEdit::textChanged, this, [this] { TApplication::RunHandler(OnChange); });
}
