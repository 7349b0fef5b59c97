#pragma once
// A tool button. Flat buttons show no frame (a light one while the mouse is over them);
// a button whose Flat is false is drawn raised, which is how a mode button shows that its
// mode is on. A glyph (SVG resource) and/or a caption with an accelerator "(&X)".
#include <QAbstractButton>

#include "TControl.h"
#include "picture/Color.h"

class TSpeedButton : public TControl<QAbstractButton> {
 public:
  explicit TSpeedButton(QWidget* parent = nullptr);

  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  QString Caption() const { return text(); }
  void SetCaption(const QString& caption) { setText(caption); }
  void SetGlyph(const QString& resource);  // e.g. ":/glyphs/open.svg"
  void SetFontColor(TColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool flat_ = true;
  QString glyph_;
  TColor fontColor_ = Colors::Black;
};
