#include "ImageList.h"

#include <algorithm>
#include <cstring>

void ImageList::Clear() {
  images_.clear();
  Changed();
}

int ImageList::Add(const Bitmap& bitmap) {
  images_.push_back(Fit(bitmap));
  Changed();
  return Count() - 1;
}

void ImageList::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  images_.erase(images_.begin() + index);
  Changed();
}

void ImageList::GetBitmap(int index, Bitmap& out) const {
  if (index < 0 || index >= Count()) return;
  out.Assign(Bitmap(images_[size_t(index)]));
}

void ImageList::Insert(int index, const Bitmap& bitmap) {
  index = std::clamp(index, 0, Count());
  images_.insert(images_.begin() + index, Fit(bitmap));
  Changed();
}

QImage ImageList::Fit(const Bitmap& bitmap) const {
  const QImage& in = bitmap.Image();
  if (in.width() == width_ && in.height() == height_ && in.format() == QImage::Format_RGB32)
    return in;  // shared until either side is written
  QImage out(width_, height_, QImage::Format_RGB32);
  out.fill(0xFFFFFFFFu);
  const QImage rgb = in.format() == QImage::Format_RGB32 || in.isNull()
                         ? in
                         : in.convertToFormat(QImage::Format_RGB32);
  const int w = std::min(width_, rgb.width()), h = std::min(height_, rgb.height());
  for (int y = 0; y < h; ++y)
    std::memcpy(out.scanLine(y), rgb.constScanLine(y), size_t(w) * sizeof(QRgb));
  return out;
}

void ImageList::Changed() {
  if (OnChange) OnChange();
}
