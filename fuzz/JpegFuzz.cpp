// JPEG files as the viewer opens them (full size), as the thumbnail and the file dialog's
// preview read them (header first, then a DCT-scaled decode).
#include <QImage>

#include "FuzzTarget.h"
#include "SeedFiles.h"
#include "picture/JpegCodec.h"
#include "picture/PictureError.h"

Fuzz::Seeds Fuzz::MakeSeeds() {
  const QImage colour = SeedFiles::Pattern(24, 17);
  return {
      {"colour.jpg", SeedFiles::Jpeg(colour)},
      {"grey.jpg", SeedFiles::Jpeg(colour.convertToFormat(QImage::Format_Grayscale8))},
      {"progressive.jpg", SeedFiles::Written(colour, "jpeg", true)},
      {"tiny.jpg", SeedFiles::Jpeg(SeedFiles::Pattern(1, 1), 10)},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("jpg"));
  try {
    const JpegCodec::Header header = JpegCodec::ReadHeader(path);
    JpegCodec::DecodeAtLeast(path, 64, 48);
    if (header.PeakBytes(1) < (qint64(64) << 20)) JpegCodec::Decode(path);
  } catch (const PictureError&) {
  }
}
