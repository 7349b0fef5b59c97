#pragma once
// A text label. The caption's "&X" is shown as an underlined X. Transparent labels paint
// only their text, so the picture beneath shows through.
#include <QFont>
#include <QWidget>

#include "TControl.h"
#include "picture/Color.h"

class TLabel : public TControl<QWidget> {
 public:
  explicit TLabel(QWidget* parent = nullptr, const QString& caption = QString());

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);
  TColor FontColor() const { return fontColor_; }
  void SetFontColor(TColor color);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  // With AutoSize the label takes the size of its text.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  void SetWordWrap(bool on);
  void SetAlignment(Qt::Alignment alignment);
  void SetFontSize(int points);
  void SetBold(bool bold);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FitToText();

  QString caption_;
  TColor fontColor_ = Colors::Black;
  TColor color_ = Colors::White;
  bool transparent_ = false;
  bool autoSize_ = true;
  bool wordWrap_ = false;
  Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignTop;
};
