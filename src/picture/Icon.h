#pragma once
// An icon: a colour image and a mask. Held as Format_ARGB32_Premultiplied, the mask
// being the alpha channel (opaque where the AND mask is black).
#include "Bitmap.h"
#include "Graphic.h"

class Icon : public Graphic {
 public:
  Icon() = default;
  explicit Icon(QImage argb);

  Kind GetKind() const override { return Kind::Icon; }
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  std::unique_ptr<Graphic> Clone() const override;
  // Reads an .ico file (BMP and PNG entries) and keeps the image a desktop would use
  // at the system icon size: the entry nearest to it, the deepest colour among equals.
  void LoadFromFile(const QString& path) override;
  // The same choice from an .ico file in memory; name stands for it in error messages.
  static Icon FromIcoData(const QByteArray& bytes, const QString& name);
  // Writes a single-image .ico: 32-bit colour bitmap plus AND mask.
  void SaveToFile(const QString& path) const override;
  QImage ToImage() const override { return image_; }

  // An icon from a mask bitmap (black = opaque) and a colour bitmap of the same size,
  // hot spot (0, 0).
  static Icon FromMaskAndColor(const Bitmap& mask, const Bitmap& color);

  // The system's icon size (32 x 32 on common displays).
  static QSize SystemIconSize();

 private:
  QImage image_;
};
