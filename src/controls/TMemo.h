#pragma once
// A flat multi-line text box. Presses on it stay with it (they never reach the window
// beneath), whatever the button, as with the classic control.
#include <QPlainTextEdit>

#include "TControl.h"

class TMemo : public TControl<QPlainTextEdit> {
 public:
  explicit TMemo(QWidget* parent = nullptr);

  QString Text() const { return toPlainText(); }
  void SetText(const QString& text) { setPlainText(text); }
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool on) { setReadOnly(on); }
};
