#pragma once
// Small, valid picture files for the targets' seeds: the fuzzer learns the formats'
// structure from them far faster than from nothing.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>

#include "HostileFiles.h"  // GIF, run-length bitmap and icon directory writers (tests/)
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"

namespace SeedFiles {

inline QImage Pattern(int w, int h) {
  QImage image(w, h, QImage::Format_ARGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y,
                     qRgba(x * 37 & 0xFF, y * 59 & 0xFF, (x + y) * 11 & 0xFF, (x * y) & 0xFF));
  return image;
}

// A file written by one of Qt's writers.
inline QByteArray Written(const QImage& image, const char* format, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return bytes;
}

inline QByteArray Jpeg(const QImage& image, int quality = 75) {
  return JpegCodec::Encode(image, quality);
}

inline QByteArray Bmp(const QImage& image) {
  return ImageFiles::EncodeBmp(image);
}

inline QByteArray Ico(const QImage& image) {
  return ImageFiles::EncodeIco(image);
}

// An icon with two entries: a bitmap one of 16 x 16 and a PNG one of 32 x 32.
inline QByteArray TwoEntryIco() {
  const QByteArray small = Ico(Pattern(16, 16)).mid(22);
  const QByteArray png = Written(Pattern(32, 32), "png");
  QByteArray file = QByteArray::fromHex("000001000200");
  quint32 offset = 6 + 2 * 16;
  for (const auto& [side, bytes] : {std::pair{16, small}, std::pair{32, png}}) {
    file += char(side);
    file += char(side);
    file += QByteArray::fromHex("000001002000");
    HostileFiles::PutLE32(file, quint32(bytes.size()));
    HostileFiles::PutLE32(file, offset);
    offset += quint32(bytes.size());
  }
  return file + small + png;
}

inline QByteArray AnimatedGif() {
  using HostileFiles::GifFrame;
  return HostileFiles::Gif(4, 3,
                           {GifFrame{0, 0, 4, 3, {1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0}},
                            GifFrame{1, 1, 2, 2, {3, 3, 2, 2}}});
}

}  // namespace SeedFiles
