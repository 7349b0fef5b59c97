#pragma once
// A flat integer spin edit of the classic kind. The field holds whatever integer is typed,
// even outside MinValue..MaxValue, until it loses the focus; then a value outside the
// range becomes the nearer bound. The spin buttons, the Up and Down keys and the wheel
// step by one within the range. A text that is not an integer counts as MinValue.
// OnChange runs on every change of the text, typed or set.
#include <QSpinBox>

#include "TControl.h"

class TSpinEdit : public TControl<QSpinBox> {
 public:
  explicit TSpinEdit(QWidget* parent = nullptr);

  // The integer written in the field; MinValue when the text is not one.
  int Value() const;
  void SetValue(int v);
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetMinMax(int minimum, int maximum);
  QString Text() const;
  // As typing does: the field holds text, unclamped.
  void SetText(const QString& text);

  TNotifyEvent OnChange;

 protected:
  QValidator::State validate(QString& text, int& pos) const override;
  int valueFromText(const QString& text) const override;
  QString textFromValue(int value) const override;
  void fixup(QString& input) const override;
  void stepBy(int steps) override;
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int min_ = 0, max_ = 100;
};
