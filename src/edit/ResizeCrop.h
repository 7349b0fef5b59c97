#pragma once
// The size tab of the properties panel: give the displayed picture a new width and height,
// either by resizing its display (the pixels stay; save this size writes the result) or by
// cropping the picture to that size from chosen sides or from all sides (the crop becomes
// the picture and its reference copy).
//
// Sizes are asked in displayed pixels. Everything is checked before anything changes: a
// size that is not a whole number of at least 1, a crop that would leave no pixel or more
// than a picture may have, or a display larger than a control can be shows one message
// and leaves the picture as it was.
#include <QtGlobal>
#include <optional>

#include "core/ViewerContext.h"

class QWidget;
class TEdit;
class TGroupBox;
class TRadioButton;

class ResizeCrop {
 public:
  struct Controls {
    TRadioButton *frbClip, *frbZoom;  // crop, or resize the display
    TGroupBox *FlatGroupBox2, *FlatGroupBox3, *FlatGroupBox4;
    TRadioButton *frbLeft, *frbRight;  // in FlatGroupBox2, the horizontal sides
    TRadioButton *frbTop, *frbBottom;  // in FlatGroupBox3, the vertical sides
    TRadioButton* frbAround;           // in FlatGroupBox4, all sides
    TEdit *fedtWidth, *fedtHeight;     // displayed pixels; empty keeps the displayed size
  };

  // dialogOwner: the window that owns the message about a size that cannot be applied.
  ResizeCrop(ViewerContext context, Controls controls, QWidget* dialogOwner);

  // The option buttons.
  void ClipClick();
  void ZoomClick();
  void AroundClick();
  void SideClick();

  // Applies the size in the fields.
  void Apply();

  static const QString kSizeMessage;
  static const QString kSizeTitle;

 private:
  struct Crop {
    int width, height;  // the new picture size in pixels
    int x0, y0;         // where it starts in the old picture; may lie outside it
  };

  void EnableSides(bool on);
  std::optional<qint64> FieldValue(const TEdit* field, int displayed) const;
  std::optional<Crop> PlanCrop(qint64 w, qint64 h) const;
  void CropTo(const Crop& crop, int w, int h);
  void ResizeTo(int w, int h);
  void ShowSizeTexts(int w, int h);
  void RefuseSize() const;

  ViewerContext v_;
  Controls c_;
  QWidget* dialogOwner_;
};
