#include "TButton.h"

TButton::TButton(QWidget* parent, const QString& caption) : TControl<QPushButton>(parent) {
  setText(caption);
  setFlat(false);
  setStyleSheet(QStringLiteral(
      "QPushButton { border: 1px solid #7fa4c4; border-radius: 3px; background: #eef4fa;"
      " padding: 2px 6px; }"
      "QPushButton:hover { background: #dbe8f4; }"
      "QPushButton:pressed { background: #c6d9ec; }"
      "QPushButton:disabled { color: #999; border-color: #c8d4df; }"));
  connect(this, &QAbstractButton::clicked, this, [this] { TApplication::RunHandler(OnClick); });
}
