#pragma once
// A rectangle outline drawn with an inverting pen: every outline pixel shows what lies
// beneath with each colour channel moved half-way round (c XOR 128). A plain inverse
// (255 - c) would vanish on mid-grey, where 128 becomes 127; this one differs by 128 in
// every channel on any picture. The inside is clear, but the whole rectangle takes the
// mouse.
#include <QWidget>

#include "TControl.h"

class TShape : public TControl<QWidget> {
 public:
  explicit TShape(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
};
