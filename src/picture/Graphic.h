#pragma once
// What a picture container can hold: a bitmap, a JPEG image or an icon.
#include <QImage>
#include <QString>
#include <memory>

class Graphic {
 public:
  enum class Kind { Bitmap, Jpeg, Icon };

  virtual ~Graphic() = default;
  virtual Kind GetKind() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  bool Empty() const { return Width() <= 0 || Height() <= 0; }

  virtual std::unique_ptr<Graphic> Clone() const = 0;
  // Reads a file of this graphic's own kind; raises PictureError when it does not decode.
  virtual void LoadFromFile(const QString& path) = 0;
  // Writes the graphic in its own kind (atomically); raises PictureError on failure.
  virtual void SaveToFile(const QString& path) const = 0;

  // The pixels for drawing: Format_RGB32 for opaque graphics, Format_ARGB32_Premultiplied
  // for icons (their mask becomes the alpha channel). Shares data; no copy is made.
  virtual QImage ToImage() const = 0;
};
