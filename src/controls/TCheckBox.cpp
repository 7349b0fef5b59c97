#include "TCheckBox.h"

TCheckBox::TCheckBox(QWidget* parent, const QString& caption) : TControl<QCheckBox>(parent) {
  setText(caption);
  setFocusPolicy(Qt::NoFocus);
  connect(this, &QAbstractButton::clicked, this, [this] { TApplication::RunHandler(OnClick); });
}
