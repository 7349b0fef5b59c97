#pragma once
// A bitmap with a canvas. Underneath it is a QImage in Format_RGB32 (bytes B,G,R,X per
// pixel), implicitly shared: copies are shallow until one side is written.
#include <QFont>
#include <QImage>
#include <QString>

#include "Color.h"
#include "Graphic.h"
#include "TRect.h"

enum class PixelFormat { Device, Bit24 };

// How a rectangle copy of a different size scales. ColorOnColor drops or repeats rows
// and columns (the destination pixel centre picks its source pixel); Default is the
// canvas's own mode, which averages when shrinking.
enum class StretchMode { Default, ColorOnColor };

struct CanvasFont {
  QString Name = QStringLiteral("WenQuanYi Micro Hei");
  int Size = 9;  // points
  bool Bold = false;
  TColor Color = Colors::Black;
};

class Bitmap : public Graphic {
 public:
  Bitmap() = default;             // empty, 0 x 0
  Bitmap(int width, int height);  // white
  explicit Bitmap(QImage image);  // converted to Format_RGB32 when needed

  // Graphic
  Kind GetKind() const override { return Kind::Bitmap; }
  int Width() const override { return image_.isNull() ? width_ : image_.width(); }
  int Height() const override { return image_.isNull() ? height_ : image_.height(); }
  std::unique_ptr<Graphic> Clone() const override;
  void LoadFromFile(const QString& path) override;      // a .bmp file of any common variant
  void SaveToFile(const QString& path) const override;  // a Windows bitmap file
  QImage ToImage() const override { return image_; }

  // A copy of any graphic: a bitmap is copied (shallow until written), a JPEG image
  // gives its pixels, an icon is drawn blended over white.
  void Assign(const Graphic& source);

  // Sizing keeps the old pixels at the top left; new pixels take the brush colour.
  // A side of 0 is remembered, so SetWidth(w) then SetHeight(h) on an empty bitmap
  // gives w x h. More than PictureLimits::MaxPixels pixels raise PictureError.
  void SetWidth(int width);
  void SetHeight(int height);
  void SetSize(int width, int height);

  PixelFormat GetPixelFormat() const { return format_; }
  void SetPixelFormat(PixelFormat format) { format_ = format; }  // the look never changes

  // Row y from the top, Width() pixels of QRgb. Writing detaches a shared copy.
  QRgb* ScanLine(int y);
  const QRgb* ScanLine(int y) const;

  static constexpr TColor NoColor = 0xFFFFFFFFu;
  TColor Pixel(int x, int y) const;           // outside the bitmap: NoColor
  void SetPixel(int x, int y, TColor color);  // outside the bitmap: ignored

  // Canvas state.
  TColor BrushColor() const { return brush_; }
  void SetBrushColor(TColor color) { brush_ = color; }
  CanvasFont& Font() { return font_; }
  const CanvasFont& Font() const { return font_; }
  StretchMode GetStretchMode() const { return stretch_; }
  void SetStretchMode(StretchMode mode) { stretch_ = mode; }

  // Canvas drawing; everything is clipped to the bitmap.
  void FillRect(const TRect& rect);                 // with the brush colour
  void FrameRect(const TRect& rect);                // a 1-pixel outline in the brush colour
  void TextOut(int x, int y, const QString& text);  // canvas font, transparent background
  void Draw(int x, int y, const Graphic& graphic);  // icons blend over what lies beneath
  // The whole graphic scaled into rect; bitmaps and JPEG images nearest-neighbour.
  void StretchDraw(const TRect& rect, const Graphic& graphic);
  // Copies source rectangle of src into dest rectangle of this bitmap. Equal sizes copy
  // pixel for pixel; different sizes stretch with this canvas's stretch mode. Parts of
  // either rectangle outside its bitmap are not copied.
  void CopyRect(const TRect& dest, const Bitmap& src, const TRect& source);
  // Whole source rectangle into whole destination rectangle, stretch mode of this canvas;
  // a negative source width or height mirrors along that axis.
  void StretchBlt(int dx, int dy, int dw, int dh, const Bitmap& src, int sx, int sy, int sw,
                  int sh);

  const QImage& Image() const { return image_; }
  QImage& Image() { return image_; }

 private:
  QImage image_;
  // The size while one side is 0 and there is no image; unused while image_ has pixels.
  int width_ = 0, height_ = 0;
  PixelFormat format_ = PixelFormat::Device;
  TColor brush_ = Colors::White;
  CanvasFont font_;
  StretchMode stretch_ = StretchMode::Default;
};
