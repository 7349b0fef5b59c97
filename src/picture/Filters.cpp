#include "Filters.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "PictureError.h"

namespace Filters {

namespace {

constexpr QRgb kOpaque = 0xFF000000u;
constexpr QRgb kWhite = 0xFFFFFFFFu;

QImage Source(const Bitmap& bitmap) {
  const QImage& image = bitmap.Image();
  return image.format() == QImage::Format_RGB32 || image.isNull()
             ? image
             : image.convertToFormat(QImage::Format_RGB32);
}

QImage NewImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) throw PictureError("Not enough memory for the filtered picture");
  return image;
}

inline const QRgb* Row(const QImage& image, int y) {
  return reinterpret_cast<const QRgb*>(image.constBits() + qsizetype(y) * image.bytesPerLine());
}
inline QRgb* Row(uchar* bits, qsizetype stride, int y) {
  return reinterpret_cast<QRgb*>(bits + qsizetype(y) * stride);
}

}  // namespace

Bitmap Rotate90(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = NewImage(h, w);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  const qsizetype inStride = in.bytesPerLine() / qsizetype(sizeof(QRgb));
  const QRgb* inBits = Row(in, 0);
  // Square tiles keep both the rows read and the rows written in the cache; a plain
  // row-by-row turn would touch a new cache line for every pixel written.
  constexpr int kTile = 64;
  for (int i0 = 0; i0 < w; i0 += kTile) {
    const int i1 = std::min(i0 + kTile, w);
    for (int r0 = 0; r0 < h; r0 += kTile) {
      const int r1 = std::min(r0 + kTile, h);
      for (int r = r0; r < r1; ++r) {
        // Result column r comes from source row h - 1 - r.
        const QRgb* src = inBits + qsizetype(h - 1 - r) * inStride;
        for (int i = i0; i < i1; ++i) Row(bits, stride, i)[r] = src[i];
      }
    }
  }
  return Bitmap(out);
}

Bitmap MirrorLeftRight(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = NewImage(w, h);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  for (int y = 0; y < h; ++y) {
    const QRgb* src = Row(in, y) + (w - 1);
    QRgb* dst = Row(bits, stride, y);
    for (int x = 0; x < w; ++x) dst[x] = src[-x];
  }
  return Bitmap(out);
}

Bitmap MirrorUpDown(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = NewImage(w, h);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  for (int y = 0; y < h; ++y)
    std::memcpy(Row(bits, stride, y), Row(in, h - 1 - y), size_t(w) * sizeof(QRgb));
  return Bitmap(out);
}

void AddBrightness(Bitmap& bitmap, const TRect& region, int delta) {
  QImage& image = bitmap.Image();
  if (image.format() != QImage::Format_RGB32 && !image.isNull())
    image = image.convertToFormat(QImage::Format_RGB32);
  const int left = std::max(region.Left, 0), right = std::min(region.Right, image.width());
  const int top = std::max(region.Top, 0), bottom = std::min(region.Bottom, image.height());
  delta = std::clamp(delta, -255, 255);
  if (left >= right || top >= bottom || delta == 0) return;
  uchar* bits = image.bits();
  const qsizetype stride = image.bytesPerLine();
  const int count = (right - left) * 4;
  const unsigned d = unsigned(std::abs(delta));
  for (int y = top; y < bottom; ++y) {
    // Byte by byte with saturation, which the compiler turns into saturating vector adds.
    uint8_t* p = reinterpret_cast<uint8_t*>(Row(bits, stride, y) + left);
    if (delta > 0) {
      // The X byte is 255 and stays so.
      for (int i = 0; i < count; ++i) {
        const unsigned v = p[i] + d;
        p[i] = uint8_t(v > 255 ? 255 : v);
      }
    } else {
      for (int i = 0; i < count; ++i) {
        const unsigned v = p[i];
        p[i] = uint8_t(v > d ? v - d : 0);
      }
      QRgb* q = Row(bits, stride, y) + left;
      for (int x = 0; x < right - left; ++x) q[x] |= kOpaque;
    }
  }
}

Bitmap Negative(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = NewImage(w, h);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  for (int y = 0; y < h; ++y) {
    const QRgb* src = Row(in, y);
    QRgb* dst = Row(bits, stride, y);
    // 255 - v for each colour byte is v with its bits flipped.
    for (int x = 0; x < w; ++x) dst[x] = src[x] ^ 0x00FFFFFFu;
  }
  return Bitmap(out);
}

Bitmap Emboss(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = NewImage(w, h);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  const int count = (w - 1) * 4;
  for (int y = 0; y + 1 < h; ++y) {
    const uint8_t* a = reinterpret_cast<const uint8_t*>(Row(in, y));
    // The neighbour one row down and one pixel right, four bytes further on.
    const uint8_t* b = reinterpret_cast<const uint8_t*>(Row(in, y + 1)) + 4;
    uint8_t* o = reinterpret_cast<uint8_t*>(Row(bits, stride, y));
    for (int i = 0; i < count; ++i) {
      const int e = int(a[i]) - int(b[i]) + 128;
      o[i] = uint8_t(e < 0 ? -e : e);  // low 8 bits of |e|
    }
    QRgb* q = Row(bits, stride, y);
    for (int x = 0; x + 1 < w; ++x) q[x] |= kOpaque;
    q[w - 1] = kWhite;
  }
  std::fill_n(Row(bits, stride, h - 1), w, kWhite);
  return Bitmap(out);
}

Bitmap BlackWhite(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = NewImage(w, h);
  uchar* bits = out.bits();
  const qsizetype stride = out.bytesPerLine();
  for (int y = 0; y < h; ++y) {
    const QRgb* src = Row(in, y);
    QRgb* dst = Row(bits, stride, y);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = src[x];
      const uint32_t v = ((p >> 16) & 0xFF) + 2 * ((p >> 8) & 0xFF);  // r + 2g, at most 765
      // v / 3 exactly for v < 2^16, in 32-bit lanes the compiler can vectorise.
      const uint32_t q = (v * 0xAAABu) >> 17;
      dst[x] = kOpaque | (q * 0x010101u);
    }
  }
  return Bitmap(out);
}

}  // namespace Filters
