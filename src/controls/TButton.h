#pragma once
// A flat push button with a caption.
#include <QPushButton>

#include "TControl.h"

class TButton : public TControl<QPushButton> {
 public:
  explicit TButton(QWidget* parent = nullptr, const QString& caption = QString());
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
};
