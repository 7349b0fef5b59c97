// Bitmap files as the viewer opens them.
#include "FuzzTarget.h"
#include "SeedFiles.h"
#include "picture/Bitmap.h"
#include "picture/ImageFiles.h"
#include "picture/PictureError.h"

Fuzz::Seeds Fuzz::MakeSeeds() {
  QByteArray rle = HostileFiles::RleBmp(8, 4);
  rle.chop(2);
  rle += QByteArray::fromHex("0801 0000 0003 010203 00 0402 0000 0001");
  return {
      {"rgb.bmp", SeedFiles::Bmp(SeedFiles::Pattern(5, 3))},
      {"argb.bmp", SeedFiles::Written(SeedFiles::Pattern(4, 4), "bmp")},
      {"rle8.bmp", rle},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("bmp"));
  try {
    ImageFiles::BmpPeakBytes(path);
    Bitmap().LoadFromFile(path);
  } catch (const PictureError&) {
  }
}
