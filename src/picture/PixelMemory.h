#pragma once
// Pixel buffers for large pictures. A fresh 60 MB picture otherwise costs some fifteen
// thousand page faults when it is first written, as much as decoding it; on huge pages
// it costs a few dozen.
#include <QImage>

namespace PixelMemory {

// An uninitialised Format_RGB32 image of w x h (a null image when w or h is not
// positive); PictureError when the memory cannot be had. Behaves as any QImage: copies
// share it until written, and the memory is freed with the last copy.
QImage NewRgb32(int width, int height);

}  // namespace PixelMemory
