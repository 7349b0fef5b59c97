#include "JpegImage.h"

#include "JpegCodec.h"

std::unique_ptr<Graphic> JpegImage::Clone() const {
  return std::make_unique<JpegImage>(*this);
}

void JpegImage::LoadFromFile(const QString& path) {
  image_ = JpegCodec::Decode(path);
}

void JpegImage::SaveToFile(const QString& path) const {
  JpegCodec::EncodeToFile(image_, path, quality_);
}
