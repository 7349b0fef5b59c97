#pragma once
// An image control: shows a picture container. With Stretch the picture is scaled to
// the control's size nearest-neighbour; painting samples only the exposed rectangle,
// so a picture zoomed to many times the screen costs no more to draw than the screen.
#include <QWidget>

#include "TControl.h"
#include "picture/Picture.h"

class TImage : public TControl<QWidget> {
 public:
  explicit TImage(QWidget* parent = nullptr);

  Picture& GetPicture() { return picture_; }
  const Picture& GetPicture() const { return picture_; }

  // With AutoSize the control takes the graphic's size whenever a graphic is set (and
  // when AutoSize is switched on); an empty picture leaves the size as it was.
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool on);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);
  // Transparent: nothing is painted where the picture has no pixels.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool on);

  // Paints the picture into painter for the control-coordinate rectangle area (used by
  // paintEvent and by benchmarks).
  void PaintArea(QPainter& painter, const QRect& area) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PictureChanged();

  Picture picture_;
  bool autoSize_ = false;
  bool stretch_ = false;
  bool transparent_ = false;
};
