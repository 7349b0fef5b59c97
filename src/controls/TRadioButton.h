#pragma once
// A flat radio button. Radio buttons with the same parent exclude each other; checking
// one runs its click handler, as the classic control does.
#include <QRadioButton>

#include "TControl.h"
#include "picture/Color.h"

class TRadioButton : public TControl<QRadioButton> {
 public:
  explicit TRadioButton(QWidget* parent = nullptr, const QString& caption = QString());

  bool Checked() const { return isChecked(); }
  void SetChecked(bool on);
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  // The caption's colour; the mark's (the dot of the checked button).
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  void SetMarkColor(TColor color);

 private:
  TColor fontColor_ = Colors::Black;
};
