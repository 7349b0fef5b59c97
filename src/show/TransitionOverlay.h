#pragma once
// Where a transition effect draws: a widget over the picture area's visible part of the
// picture, on the main window itself while the picture area is hidden. It shows the
// current frame of the effect and is clipped to that place, so it never paints over the
// bars, the lists, the properties panel or the status bar.
#include <QImage>
#include <QWidget>

#include "TransitionFrames.h"

class TransitionOverlay : public QWidget {
  Q_OBJECT

 public:
  // place: in parent's coordinates, the size of frames' visible part; frames: what to
  // show there, pixel for pixel (it must outlive the overlay).
  TransitionOverlay(QWidget* parent, const QRect& place, const TransitionFrames& frames);

  // Puts the part area (overlay coordinates) of the frame on the screen now.
  void ShowFrame(const QRegion& area);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const TransitionFrames& frames_;
  QImage scratch_;  // where a frame is written when it cannot go straight to the window
};
