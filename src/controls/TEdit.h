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
  // The most characters the user can type; 0 is no limit, as for the classic edit.
  int MaxLength() const { return maxLength() == kNoLimit ? 0 : maxLength(); }
  void SetMaxLength(int count) { setMaxLength(count > 0 ? count : kNoLimit); }
  TNotifyEvent OnChange;

 private:
  static constexpr int kNoLimit = 32767;  // QLineEdit's own default
};
