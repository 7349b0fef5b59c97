#include "TMemo.h"

TMemo::TMemo(QWidget* parent) : TControl<QPlainTextEdit>(parent) {
  setFrameShape(QFrame::NoFrame);
  setStyleSheet(QStringLiteral("QPlainTextEdit { border: 1px solid #9fb4c8; }"));
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
}
