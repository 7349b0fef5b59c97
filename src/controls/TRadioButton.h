#pragma once
// A flat radio button. Radio buttons with the same parent exclude each other; checking
// one runs its click handler, as the classic control does.
#include <QRadioButton>

#include "TControl.h"

class TRadioButton : public TControl<QRadioButton> {
 public:
  explicit TRadioButton(QWidget* parent = nullptr, const QString& caption = QString());

  bool Checked() const { return isChecked(); }
  void SetChecked(bool on);
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
};
