// Programs and libraries as the icon extraction window opens them: the first icon of
// a PE32 or PE32+ file, through its resource tree, icon group and images.
#include <cstdlib>

#include "FuzzTarget.h"
#include "SeedFiles.h"
#include "picture/ExeIcon.h"
#include "picture/PeBuilder.h"  // tests/

namespace {

using Pe = PeBuilder;

// A named group of a 16 x 16 bitmap and a 24 x 24 PNG, a numbered group of the bitmap
// alone, and a resource of another kind beside them.
std::vector<Pe::ResourceType> TwoGroups() {
  const QByteArray dib = SeedFiles::Ico(SeedFiles::Pattern(16, 16)).mid(22);
  const QByteArray png = SeedFiles::Written(SeedFiles::Pattern(24, 24), "png");
  return {{3, {{{}, 1, dib}, {{}, 2, png}}},
          {14,
           {{QStringLiteral("MAIN"), 0,
             Pe::Group({{16, 16, 0, 32, 1, quint32(dib.size())},
                        {24, 24, 0, 32, 2, quint32(png.size())}})},
            {{}, 7, Pe::Group({{16, 16, 0, 32, 1, quint32(dib.size())}})}}},
          {16, {{{}, 1, QByteArray("version")}}}};
}

// One small PNG named by every entry of its group.
std::vector<Pe::ResourceType> RepeatedImage() {
  const QByteArray png = SeedFiles::Written(SeedFiles::Pattern(5, 5), "png");
  return {{3, {{{}, 9, png}}},
          {14, {{{}, 1, Pe::Group(std::vector<Pe::GroupImage>(6, {5, 5, 0, 32, 9, 0}))}}}};
}

}  // namespace

Fuzz::Seeds Fuzz::MakeSeeds() {
  return {
      {"pe32.exe", Pe::Build(TwoGroups(), false)},
      {"pe32plus.dll", Pe::Build(TwoGroups(), true)},
      {"repeat.exe", Pe::Build(RepeatedImage(), false)},
  };
}

void Fuzz::Run(const QByteArray& data) {
  const QString path = WriteInput(data, QStringLiteral("exe"));
  // Never raises; an icon it gives is always the system icon size.
  const Icon icon = ExeIcon::Extract(path);
  const QSize size = Icon::SystemIconSize();
  if (!icon.ToImage().isNull() && icon.ToImage().size() != size) std::abort();
}
