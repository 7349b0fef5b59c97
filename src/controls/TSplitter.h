#pragma once
// A splitter bar aligned like its neighbours: dragging it resizes the control aligned
// just before it on the same side (live, while the mouse moves), never below MinSize.
#include <QWidget>

#include "TControl.h"

class TSplitter : public TControl<QWidget> {
 public:
  TSplitter(QWidget* parent, TAlign align, int thickness = 2);

  int MinSize() const { return minSize_; }
  void SetMinSize(int size) { minSize_ = size; }
  TNotifyEvent OnMoved;  // after every change of the neighbour's size

  // The neighbour this splitter resizes (the last visible control before it with the
  // same alignment).
  QWidget* Neighbour() const;
  // Moves the bar by delta pixels as a drag would.
  void MoveBy(int delta);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int minSize_ = 30;
  bool dragging_ = false;
  int lastGlobal_ = 0;
};
