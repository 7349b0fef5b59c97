#pragma once
// A rectangle outline drawn with an inverting pen: every outline pixel shows the inverse
// of what lies beneath, so it stays visible on any picture. The inside is clear, but the
// whole rectangle takes the mouse.
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
