// Large pictures live in recycled huge-page buffers; they must act as any QImage.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "picture/Filters.h"
#include "picture/JpegCodec.h"
#include "picture/PixelMemory.h"

namespace {

// Big enough for the large-buffer path (over 4 MB), odd sizes.
constexpr int kW = 1201, kH = 901;

Bitmap Noise(quint32 seed) {
  QImage image = PixelMemory::NewRgb32(kW, kH);
  for (int y = 0; y < kH; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < kW; ++x) {
      seed = seed * 1664525u + 1013904223u;
      line[x] = 0xFF000000u | (seed >> 8);
    }
  }
  return Bitmap(image);
}

}  // namespace

TEST(PixelMemory, LargeImagesBehaveAsQImage) {
  QImage a = PixelMemory::NewRgb32(kW, kH);
  ASSERT_FALSE(a.isNull());
  EXPECT_EQ(a.size(), QSize(kW, kH));
  EXPECT_EQ(a.format(), QImage::Format_RGB32);
  a.fill(0xFF102030u);
  QImage b = a;  // shared until written
  EXPECT_EQ(b.constBits(), a.constBits());
  b.setPixel(5, 5, 0xFFFFFFFFu);
  EXPECT_NE(b.constBits(), a.constBits());
  EXPECT_EQ(a.pixel(5, 5), 0xFF102030u);
  EXPECT_TRUE(PixelMemory::NewRgb32(0, 10).isNull());
}

TEST(PixelMemory, RecycledBuffersAreFullyRewritten) {
  // Each round frees results whose buffers the next round gets back, full of old pixels.
  for (quint32 seed : {1u, 2u, 3u}) {
    const Bitmap source = Noise(seed);
    const Bitmap negative = Filters::Negative(source);
    const Bitmap emboss = Filters::Emboss(source);
    const Bitmap turned = Filters::Rotate90(source);
    ASSERT_EQ(turned.Width(), kH);
    for (int y = 0; y < kH; y += 7)
      for (int x = 0; x < kW; x += 5) {
        const QRgb p = source.ScanLine(y)[x];
        ASSERT_EQ(negative.ScanLine(y)[x], p ^ 0x00FFFFFFu);
        ASSERT_EQ(turned.ScanLine(x)[kH - 1 - y], p);
      }
    for (int x = 0; x < kW; ++x) ASSERT_EQ(emboss.ScanLine(kH - 1)[x], 0xFFFFFFFFu);
    for (int y = 0; y < kH; ++y) ASSERT_EQ(emboss.ScanLine(y)[kW - 1], 0xFFFFFFFFu);
  }
}

TEST(PixelMemory, LargeJpegDecodes) {
  TestFiles files;
  QImage gradient(kW, kH, QImage::Format_RGB32);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) gradient.setPixel(x, y, qRgb(x * 255 / kW, y * 255 / kH, 60));
  const QString path = files.WriteJpeg(QStringLiteral("big.jpg"), gradient);
  for (int round = 0; round < 2; ++round) {
    const QImage decoded = JpegCodec::Decode(path);
    ASSERT_EQ(decoded.size(), gradient.size());
    for (auto [x, y] : {std::pair{0, 0}, {kW - 1, kH - 1}, {600, 450}})
      EXPECT_NEAR(qRed(decoded.pixel(x, y)), qRed(gradient.pixel(x, y)), 6);
  }
}
