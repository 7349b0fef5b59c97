#pragma once
// The limits that keep hostile files harmless, shared by every reader: how many pixels a
// picture may have, how much memory one decode may take at its peak, and how many pixels
// a file's bytes can plausibly describe. Each reader estimates its peak from the header
// and refuses before it allocates anything.
#include <QtGlobal>

namespace PictureLimits {

// No picture, GIF screen or GIF frame larger than this opens (16384 x 16384 pixels,
// 1 GiB as Format_RGB32).
constexpr quint64 MaxPixels = quint64(1) << 28;

// The most memory one decode may need at its peak: the pixels of a MaxPixels picture and
// half as much again for the decoder's own buffers (libjpeg's coefficient arrays, Qt's
// 8-bit intermediate, the copy a format conversion makes). The thumbnail build keeps all
// its workers together within the same amount.
constexpr qint64 DecodeBudget = qint64(3) << 29;  // 1.5 GiB

// Both sides positive and w x h at most MaxPixels. Compared without multiplying, so that
// no pair of sizes a file can claim overflows.
constexpr bool SaneSize(qint64 w, qint64 h) {
  return w > 0 && h > 0 && quint64(w) <= MaxPixels && quint64(h) <= MaxPixels / quint64(w);
}

// Bytes of w x h pixels at bytesPerPixel. Only for sizes SaneSize accepted.
constexpr qint64 PixelBytes(qint64 w, qint64 h, qint64 bytesPerPixel) {
  return w * h * bytesPerPixel;
}

// Pictures up to this many pixels (4096 x 4096) are never refused for their file's size.
constexpr quint64 FreePixels = quint64(1) << 24;

// Whether a file of fileBytes can describe a picture of pixels, when the format's best
// compression gives at most pixelsPerByte pixels per byte. A 1 KB file that claims a
// quarter of a billion pixels is cut short or made to exhaust memory; either way it is
// refused before a gigabyte is spent on its pixels.
constexpr bool Plausible(quint64 pixels, qint64 fileBytes, quint64 pixelsPerByte) {
  return pixels <= FreePixels || (fileBytes > 0 && pixels / pixelsPerByte <= quint64(fileBytes));
}

}  // namespace PictureLimits
