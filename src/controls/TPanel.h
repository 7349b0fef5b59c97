#pragma once
// A plain container with a background colour; its aligned children are laid out by
// TAlignLayout.
#include <QWidget>

#include "TControl.h"
#include "picture/Color.h"

class TPanel : public TControl<QWidget> {
 public:
  explicit TPanel(QWidget* parent = nullptr, TAlign align = TAlign::None);

  TColor Color() const { return color_; }
  void SetColor(TColor color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TColor color_ = RGBColor(240, 240, 240);
};
