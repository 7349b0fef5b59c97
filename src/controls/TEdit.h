#pragma once
// A flat single-line edit.
#include <QLineEdit>

#include "TControl.h"

class TEdit : public TControl<QLineEdit> {
 public:
  explicit TEdit(QWidget* parent = nullptr);

  QString Text() const { return text(); }
  void SetText(const QString& t) { setText(t); }
  bool ReadOnly() const { return isReadOnly(); }
  void SetReadOnly(bool on) { setReadOnly(on); }
  TNotifyEvent OnChange;
};
