#include "Filters.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "PixelMemory.h"

// The row loops below are plain C++ that the compiler vectorises. On x86-64 each is also
// built for AVX2 and picked at load time when the processor has it: twice the pixels per
// instruction, which matters where the work per byte is more than a copy.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && defined(__linux__)
#define PICORA_ROW_KERNEL __attribute__((target_clones("avx2", "default"), noinline))
#else
#define PICORA_ROW_KERNEL
#endif

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

inline const QRgb* Row(const QImage& image, int y) {
  return reinterpret_cast<const QRgb*>(image.constBits() + qsizetype(y) * image.bytesPerLine());
}
inline QRgb* Row(QImage& image, uchar* bits, int y) {
  return reinterpret_cast<QRgb*>(bits + qsizetype(y) * image.bytesPerLine());
}

// ---- Row kernels: one scan line each, no calls inside. ----

PICORA_ROW_KERNEL void MirrorRow(const QRgb* __restrict in, QRgb* __restrict out, int w) {
  // Reading forwards and writing backwards runs faster than the other way round.
  QRgb* last = out + (w - 1);
  for (int x = 0; x < w; ++x) last[-x] = in[x];
}

PICORA_ROW_KERNEL void NegativeRow(const QRgb* __restrict in, QRgb* __restrict out, int w) {
  // 255 - v for each colour byte is v with its bits flipped; X stays 255.
  for (int x = 0; x < w; ++x) out[x] = in[x] ^ 0x00FFFFFFu;
}

PICORA_ROW_KERNEL void BrightenRow(uint8_t* __restrict p, int count, unsigned d) {
  // Saturating byte adds; the X byte is 255 already and stays so.
  for (int i = 0; i < count; ++i) {
    const unsigned v = p[i] + d;
    p[i] = uint8_t(v > 255 ? 255 : v);
  }
}

PICORA_ROW_KERNEL void DarkenRow(uint8_t* __restrict p, int count, unsigned d) {
  for (int i = 0; i < count; ++i) {
    const unsigned v = p[i];
    p[i] = uint8_t(v > d ? v - d : 0);
  }
  // The X byte went down with the others; put it back (the row is still in the cache).
  auto* q = reinterpret_cast<QRgb*>(p);
  for (int x = 0; x < count / 4; ++x) q[x] |= kOpaque;
}

// Row y of the result from source rows y (a) and y + 1 (b); w >= 2.
PICORA_ROW_KERNEL void EmbossRow(const uint8_t* __restrict a, const uint8_t* __restrict below,
                                 uint8_t* __restrict o, int w) {
  // The neighbour one row down and one pixel right is four bytes further on.
  const uint8_t* b = below + 4;
  const int count = (w - 1) * 4;
  for (int i = 0; i < count; ++i) {
    const int e = int(a[i]) - int(b[i]) + 128;
    o[i] = uint8_t(e < 0 ? -e : e);  // low 8 bits of |e|
  }
  auto* q = reinterpret_cast<QRgb*>(o);
  for (int x = 0; x + 1 < w; ++x) q[x] |= kOpaque;
  q[w - 1] = kWhite;
}

PICORA_ROW_KERNEL void BlackWhiteRow(const QRgb* __restrict in, QRgb* __restrict out, int w) {
  for (int x = 0; x < w; ++x) {
    const uint32_t p = in[x];
    const uint32_t v = ((p >> 16) & 0xFF) + 2 * ((p >> 8) & 0xFF);  // r + 2g, at most 765
    // v / 3 exactly for v < 2^16, without a division.
    const uint32_t q = (v * 0xAAABu) >> 17;
    out[x] = kOpaque | (q * 0x010101u);
  }
}

// Result rows [i0, i1) and columns [r0, r1) of the quarter turn: result (r, i) is
// source (i, h - 1 - r), so result row i is source column i read upwards.
void RotateTile(const uchar* in, qsizetype inStride, int h, uchar* out, qsizetype outStride, int i0,
                int i1, int r0, int r1) {
  auto src = [&](int row) { return reinterpret_cast<const QRgb*>(in + qsizetype(row) * inStride); };
  auto dst = [&](int row) { return reinterpret_cast<QRgb*>(out + qsizetype(row) * outStride); };
  int r = r0;
#if defined(__SSE2__)
  // 4 x 4 blocks: four source rows of four pixels, transposed in registers, give four
  // result rows of four pixels.
  const int iBlocks = i0 + (i1 - i0) / 4 * 4;
  for (; r + 4 <= r1; r += 4) {
    const QRgb *s0 = src(h - 1 - r), *s1 = src(h - 2 - r), *s2 = src(h - 3 - r),
               *s3 = src(h - 4 - r);
    int i = i0;
    for (; i < iBlocks; i += 4) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s0 + i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s1 + i));
      const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s2 + i));
      const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s3 + i));
      const __m128i ab0 = _mm_unpacklo_epi32(a, b), ab1 = _mm_unpackhi_epi32(a, b);
      const __m128i cd0 = _mm_unpacklo_epi32(c, d), cd1 = _mm_unpackhi_epi32(c, d);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst(i) + r), _mm_unpacklo_epi64(ab0, cd0));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst(i + 1) + r), _mm_unpackhi_epi64(ab0, cd0));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst(i + 2) + r), _mm_unpacklo_epi64(ab1, cd1));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(dst(i + 3) + r), _mm_unpackhi_epi64(ab1, cd1));
    }
    for (; i < i1; ++i) {
      QRgb* o = dst(i) + r;
      o[0] = s0[i];
      o[1] = s1[i];
      o[2] = s2[i];
      o[3] = s3[i];
    }
  }
#endif
  for (int i = i0; i < i1; ++i) {
    QRgb* o = dst(i);
    for (int rr = r; rr < r1; ++rr) o[rr] = src(h - 1 - rr)[i];
  }
}

}  // namespace

Bitmap Rotate90(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = PixelMemory::NewRgb32(h, w);
  uchar* bits = out.bits();
  // Tiles keep the source rows read and the result rows written in the cache; a plain
  // row-by-row turn would touch a new cache line for every pixel written.
  constexpr int kTile = 128;
  for (int i0 = 0; i0 < w; i0 += kTile)
    for (int r0 = 0; r0 < h; r0 += kTile)
      RotateTile(in.constBits(), in.bytesPerLine(), h, bits, out.bytesPerLine(), i0,
                 std::min(i0 + kTile, w), r0, std::min(r0 + kTile, h));
  return Bitmap(out);
}

Bitmap MirrorLeftRight(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  QImage out = PixelMemory::NewRgb32(in.width(), in.height());
  uchar* bits = out.bits();
  for (int y = 0; y < in.height(); ++y) MirrorRow(Row(in, y), Row(out, bits, y), in.width());
  return Bitmap(out);
}

Bitmap MirrorUpDown(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = PixelMemory::NewRgb32(w, h);
  uchar* bits = out.bits();
  for (int y = 0; y < h; ++y)
    std::memcpy(Row(out, bits, y), Row(in, h - 1 - y), size_t(w) * sizeof(QRgb));
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
  const int count = (right - left) * 4;
  const unsigned d = unsigned(std::abs(delta));
  auto step = [&](QRgb* row) {
    auto* p = reinterpret_cast<uint8_t*>(row + left);
    if (delta > 0)
      BrightenRow(p, count, d);
    else
      DarkenRow(p, count, d);
  };
  if (image.isDetached()) {
    uchar* bits = image.bits();
    for (int y = top; y < bottom; ++y) step(Row(image, bits, y));
    return;
  }
  // Shared with another bitmap (the displayed picture with its reference copy): write
  // into a pooled buffer, each row copied and stepped while it is in the cache. Letting
  // QImage detach would take fresh memory, whose first touch costs more than the work.
  const QImage in = image;
  QImage out = PixelMemory::NewRgb32(in.width(), in.height());
  out.setDotsPerMeterX(in.dotsPerMeterX());
  out.setDotsPerMeterY(in.dotsPerMeterY());
  uchar* bits = out.bits();
  const size_t rowBytes = size_t(in.width()) * sizeof(QRgb);
  for (int y = 0; y < in.height(); ++y) {
    QRgb* row = Row(out, bits, y);
    std::memcpy(row, Row(in, y), rowBytes);
    if (y >= top && y < bottom) step(row);
  }
  image = std::move(out);
}

Bitmap Negative(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  QImage out = PixelMemory::NewRgb32(in.width(), in.height());
  uchar* bits = out.bits();
  for (int y = 0; y < in.height(); ++y) NegativeRow(Row(in, y), Row(out, bits, y), in.width());
  return Bitmap(out);
}

Bitmap Emboss(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  const int w = in.width(), h = in.height();
  QImage out = PixelMemory::NewRgb32(w, h);
  uchar* bits = out.bits();
  for (int y = 0; y + 1 < h; ++y) {
    if (w == 1) {
      Row(out, bits, y)[0] = kWhite;
      continue;
    }
    EmbossRow(reinterpret_cast<const uint8_t*>(Row(in, y)),
              reinterpret_cast<const uint8_t*>(Row(in, y + 1)),
              reinterpret_cast<uint8_t*>(Row(out, bits, y)), w);
  }
  std::fill_n(Row(out, bits, h - 1), w, kWhite);
  return Bitmap(out);
}

Bitmap BlackWhite(const Bitmap& source) {
  const QImage in = Source(source);
  if (in.isNull()) return Bitmap();
  QImage out = PixelMemory::NewRgb32(in.width(), in.height());
  uchar* bits = out.bits();
  for (int y = 0; y < in.height(); ++y) BlackWhiteRow(Row(in, y), Row(out, bits, y), in.width());
  return Bitmap(out);
}

}  // namespace Filters
