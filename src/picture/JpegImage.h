#pragma once
// A decoded JPEG picture as a picture container holds it. Decoding goes straight into
// Format_RGB32 scan lines, so handing the pixels to a Bitmap costs no copy.
#include "Graphic.h"

class JpegImage : public Graphic {
 public:
  JpegImage() = default;
  explicit JpegImage(QImage pixels) : image_(std::move(pixels)) {}

  Kind GetKind() const override { return Kind::Jpeg; }
  int Width() const override { return image_.width(); }
  int Height() const override { return image_.height(); }
  std::unique_ptr<Graphic> Clone() const override;
  void LoadFromFile(const QString& path) override;      // full size
  void SaveToFile(const QString& path) const override;  // at CompressionQuality()
  QImage ToImage() const override { return image_; }

  int CompressionQuality() const { return quality_; }
  void SetCompressionQuality(int quality) { quality_ = quality; }  // 1..100

 private:
  QImage image_;
  int quality_ = 90;
};
