#pragma once
// Where a transition effect draws: a widget over the picture area's visible part of the
// picture, on the main window itself while the picture area is hidden. It shows the
// frame it is given and is clipped to that place, so it never paints over the bars, the
// lists, the properties panel or the status bar.
#include <QImage>
#include <QWidget>

class TransitionOverlay : public QWidget {
  Q_OBJECT

 public:
  // place: in parent's coordinates; frame: the image to show there, pixel for pixel (it
  // must outlive the overlay).
  TransitionOverlay(QWidget* parent, const QRect& place, const QImage& frame);

  // Puts the part area (overlay coordinates) of the frame on the screen now.
  void ShowFrame(const QRegion& area);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const QImage& frame_;
};
