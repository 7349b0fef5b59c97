// Icon files as the viewer and the thumbnail open them: the directory, the choice of the
// entry, and that entry's bitmap or PNG.
#include "FuzzTarget.h"
#include "SeedFiles.h"
#include "picture/Icon.h"
#include "picture/ImageFiles.h"
#include "picture/PictureError.h"

Fuzz::Seeds Fuzz::MakeSeeds() {
  return {
      {"one.ico", SeedFiles::Ico(SeedFiles::Pattern(8, 8))},
      {"two.ico", SeedFiles::TwoEntryIco()},
      {"repeat.ico",
       HostileFiles::IconFlood(3, SeedFiles::Written(SeedFiles::Pattern(5, 5), "png"), 5)},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("ico"));
  try {
    ImageFiles::IconPeakBytes(path, Icon::SystemIconSize());
    Icon().LoadFromFile(path);
  } catch (const PictureError&) {
  }
}
