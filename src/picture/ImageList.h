#pragma once
// Images of one fixed size (80 x 80 here) in index order.
#include <QImage>
#include <functional>
#include <vector>

#include "Bitmap.h"

class ImageList {
 public:
  ImageList(int width = 80, int height = 80) : width_(width), height_(height) {}

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return int(images_.size()); }

  void Clear();
  int Add(const Bitmap& bitmap);                 // a copy, no mask; returns its index
  void Delete(int index);                        // later images move down by one
  void GetBitmap(int index, Bitmap& out) const;  // copies image index into out
  void Insert(int index, const Bitmap& bitmap);
  const QImage& Image(int index) const { return images_[size_t(index)]; }

  std::function<void()> OnChange;  // after every change, for the views that show it

 private:
  // Copies into width x height: a bitmap of another size gives its top-left part, padded
  // with white.
  QImage Fit(const Bitmap& bitmap) const;
  void Changed();

  int width_, height_;
  std::vector<QImage> images_;
};
