#pragma once
// The picture container an image control shows: nothing, or exactly one graphic.
#include <functional>
#include <memory>

#include "Bitmap.h"
#include "Graphic.h"

class Picture {
 public:
  Picture() = default;
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;

  // The kind follows the lower-cased extension: ".bmp" bitmap, ".jpg"/".jpeg" JPEG image
  // (full size), ".ico" icon. Any other extension or a file that does not decode raises
  // PictureError and leaves the container as it was.
  void LoadFromFile(const QString& path);
  void Clear();
  // Holds a copy of the graphic (shallow until written).
  void Assign(const Graphic& graphic);
  void SetGraphic(std::unique_ptr<Graphic> graphic);

  const Graphic* GetGraphic() const { return graphic_.get(); }
  bool Empty() const { return !graphic_; }
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // The held bitmap; when the container holds anything else (or nothing), that graphic
  // is discarded and replaced by a new empty bitmap, which is returned.
  Bitmap& BitmapView();

  // Writes the held graphic in its own kind; an empty container writes nothing.
  void SaveToFile(const QString& path) const;

  // Called after every change of the held graphic. Code that writes into BitmapView()
  // in place calls Changed() when it is done, so the control showing it repaints.
  std::function<void()> OnChange;
  void Changed() {
    if (OnChange) OnChange();
  }

 private:
  std::unique_ptr<Graphic> graphic_;
};
