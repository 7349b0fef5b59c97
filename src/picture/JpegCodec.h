#pragma once
// JPEG decoding and encoding through libjpeg (libjpeg-turbo's classic API). libjpeg's
// fatal errors become PictureError; nothing is leaked and no longjmp crosses C++ frames.
#include <QImage>
#include <QString>

namespace JpegCodec {

// Decodes the whole file into Format_RGB32. scaleDenom 1, 2, 4 or 8 decodes at that
// fraction of the size (libjpeg DCT scaling). Grey, RGB, CMYK and YCCK files are read.
QImage Decode(const QString& path, int scaleDenom = 1);

// The largest DCT scale-down whose result is still at least minWidth x minHeight
// (reading only the header), then decodes at that scale.
QImage DecodeAtLeast(const QString& path, int minWidth, int minHeight);

// The picture size from the header alone.
QSize ReadSize(const QString& path);

// Encodes into a JPEG stream, quality 1..100 (clamped). A Format_Grayscale8 image gives a
// grey JPEG; other images are encoded as colour. PictureError for an empty image.
QByteArray Encode(const QImage& image, int quality = 90);

// Encodes and writes the file atomically (temporary name, then rename).
void EncodeToFile(const QImage& image, const QString& path, int quality = 90);

}  // namespace JpegCodec
