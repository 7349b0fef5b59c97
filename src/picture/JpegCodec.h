#pragma once
// JPEG decoding and encoding through libjpeg (libjpeg-turbo's classic API). libjpeg's
// fatal errors become PictureError; nothing is leaked and no longjmp crosses C++ frames.
#include <QImage>
#include <QString>

namespace JpegCodec {

// Decodes the whole file into Format_RGB32. scaleDenom 1, 2, 4 or 8 decodes at that
// fraction of the size (libjpeg DCT scaling). Grey, RGB, CMYK and YCCK files are read.
// Only regular files are opened. The header decides first whether the decode can be
// afforded (ReadHeader); libjpeg itself is held to what is left of the budget.
QImage Decode(const QString& path, int scaleDenom = 1);

// The largest DCT scale-down whose result is still at least minWidth x minHeight
// (reading only the header), then decodes at that scale.
QImage DecodeAtLeast(const QString& path, int minWidth, int minHeight);

// What the header says, read without decoding: the picture's size and what a decode
// would cost. PictureError for a file that is not a JPEG stream or that no decode could
// afford (too many pixels, too little data for them, or more memory than one picture
// gets).
struct Header {
  QSize size;
  // The file's bytes held in memory while it is decoded (0 when it is streamed).
  qint64 fileBytes = 0;
  // libjpeg's whole-image coefficient arrays (progressive and multi-scan files), whatever
  // the output scale: they hold every DCT block of the picture.
  qint64 coefficientBytes = 0;
  // libjpeg's other buffers, a few rows of samples.
  qint64 workBytes = 0;

  // The scale DecodeAtLeast(minWidth, minHeight) chooses.
  int ScaleFor(int minWidth, int minHeight) const;
  // The memory a decode at 1/scaleDenom needs at its peak: the file, the output pixels
  // and libjpeg's own buffers.
  qint64 PeakBytes(int scaleDenom) const;
};
Header ReadHeader(const QString& path);

// The picture size from the header alone.
QSize ReadSize(const QString& path);

// Encodes into a JPEG stream, quality 1..100 (clamped). A Format_Grayscale8 image gives a
// grey JPEG; other images are encoded as colour. PictureError for an empty image.
QByteArray Encode(const QImage& image, int quality = 90);

// Encodes and writes the file atomically (temporary name, then rename).
void EncodeToFile(const QImage& image, const QString& path, int quality = 90);

}  // namespace JpegCodec
