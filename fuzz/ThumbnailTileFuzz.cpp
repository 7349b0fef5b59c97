// The thumbnail tile of a file of each kind, as the builder's workers make it: the
// estimate from the header, then the tile. The first byte picks the kind.
#include "FuzzTarget.h"
#include "SeedFiles.h"
#include "picture/PictureError.h"
#include "picture/ThumbnailTile.h"

namespace {
const char* const kKinds[] = {"jpg", "bmp", "ico", "gif"};
}

Fuzz::Seeds Fuzz::MakeSeeds() {
  const QImage picture = SeedFiles::Pattern(30, 20);
  const QByteArray files[] = {SeedFiles::Jpeg(picture), SeedFiles::Bmp(picture),
                              SeedFiles::TwoEntryIco(), SeedFiles::AnimatedGif()};
  Seeds seeds;
  for (int kind = 0; kind < 4; ++kind)
    seeds.push_back({QStringLiteral("tile.%1").arg(QLatin1String(kKinds[kind])),
                     QByteArray(1, char(kind)) + files[kind]});
  return seeds;
}

void Fuzz::Run(const QByteArray& data) {
  if (data.isEmpty()) return;
  const QString path = WriteInput(data.mid(1), QLatin1String(kKinds[uchar(data[0]) % 4]));
  try {
    ThumbnailTile::PeakBytes(path);
    ThumbnailTile::Make(path);
  } catch (const PictureError&) {
  }
}
