#include "TestFiles.h"

#include <QFile>

#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"

TestFiles::TestFiles() { dir_.setAutoRemove(true); }

QImage TestFiles::Pattern(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) line[x] = qRgb((x * 7) & 0xFF, (y * 13) & 0xFF, (x + y) & 0xFF);
  }
  return image;
}

QString TestFiles::WriteBytes(const QString& name, const QByteArray& bytes) {
  QFile f(Path(name));
  if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) qFatal("cannot write test file");
  return f.fileName();
}

QString TestFiles::WriteJpeg(const QString& name, const QImage& image, int quality) {
  return WriteBytes(name, JpegCodec::Encode(image, quality));
}

QString TestFiles::WriteBmp(const QString& name, const QImage& image) {
  return WriteBytes(name, ImageFiles::EncodeBmp(image));
}

QString TestFiles::WriteIco(const QString& name, const QImage& argb) {
  return WriteBytes(name, ImageFiles::EncodeIco(argb));
}
