#include "TMemo.h"

TMemo::TMemo(QWidget* parent) : TControl<QPlainTextEdit>(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  // The line edits of the same windows have no margin either; the text starts at the frame.
  document()->setDocumentMargin(2);
  ApplyStyle();
}

QStringList TMemo::Lines() const {
  const QString text = toPlainText();
  if (text.isEmpty()) return {};
  return text.split(QLatin1Char('\n'));
}

void TMemo::SetLines(const QStringList& lines) {
  setPlainText(lines.join(QLatin1Char('\n')));
}

void TMemo::SetReadOnly(bool on) {
  setReadOnly(on);
  // Read-only text can still be selected with the mouse and copied, but has no caret.
  setTextInteractionFlags(on ? Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard
                             : Qt::TextEditorInteraction);
}

void TMemo::SetColor(TColor color) {
  color_ = color;
  ApplyStyle();
}

void TMemo::SetFontColor(TColor color) {
  fontColor_ = color;
  ApplyStyle();
}

void TMemo::ApplyStyle() {
  setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid #9fb4c8; background: %1;"
                               " color: %2; }")
                    .arg(QColor(ToQRgb(color_)).name(), QColor(ToQRgb(fontColor_)).name()));
}
