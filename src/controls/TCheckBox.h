#pragma once
// A flat check box.
#include <QCheckBox>

#include "TControl.h"

class TCheckBox : public TControl<QCheckBox> {
 public:
  explicit TCheckBox(QWidget* parent = nullptr, const QString& caption = QString());

  bool Checked() const { return isChecked(); }
  void SetChecked(bool on) { setChecked(on); }
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
};
