#pragma once
// A flat integer spin edit.
#include <QSpinBox>

#include "TControl.h"

class TSpinEdit : public TControl<QSpinBox> {
 public:
  explicit TSpinEdit(QWidget* parent = nullptr);

  int Value() const { return value(); }
  void SetValue(int v) { setValue(v); }
  void SetMinMax(int minimum, int maximum) { setRange(minimum, maximum); }
  QString Text() const { return text(); }
  TNotifyEvent OnChange;
};
