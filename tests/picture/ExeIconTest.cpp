// The first icon of a program: minimal PE32 and PE32+ files built byte by byte (PeBuilder), the
// image chosen from the first icon group, and every kind of damaged or foreign file giving
// an empty icon without a crash or a hang.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "PeBuilder.h"
#include "TestFiles.h"
#include "picture/ExeIcon.h"
#include "picture/ImageFiles.h"

namespace {

// The builder's parts under the short names the cases use.
using GroupImage = PeBuilder::GroupImage;
using Resource = PeBuilder::Resource;
using ResourceType = PeBuilder::ResourceType;
using Layout = PeBuilder::Layout;
constexpr quint32 kRsrcRva = PeBuilder::kRsrcRva, kRsrcFile = PeBuilder::kRsrcFile;
constexpr auto Set16 = &PeBuilder::Set16;
constexpr auto Set32 = &PeBuilder::Set32;
constexpr auto Get32 = &PeBuilder::Get32;
constexpr auto Add16 = &PeBuilder::Add16;
constexpr auto Add32 = &PeBuilder::Add32;
constexpr auto Group = &PeBuilder::Group;

QByteArray BuildPe(const std::vector<ResourceType>& types, bool plus, Layout* out = nullptr) {
  return PeBuilder::Build(types, plus, out);
}

// ---- Icon images, made with our encoders where we have one -------------------------

QImage Premultiplied(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Colour and alpha differ from pixel to pixel: transparent, half and fully opaque columns.
QImage Main32() {
  QImage image(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      image.setPixel(x, y, qRgba(x * 8, y * 8, 200 - x - y, x < 4 ? 0 : x < 8 ? 90 : 255));
  return image;
}

// Four quadrants of the given colours.
QImage Quadrants(int side, QRgb a, QRgb b, QRgb c, QRgb d) {
  QImage image(side, side, QImage::Format_ARGB32);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      image.setPixel(x, y, y < side / 2 ? (x < side / 2 ? a : b) : (x < side / 2 ? c : d));
  return image;
}

QImage Solid(int side, QRgb colour) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(colour);
  return image;
}

// The image part of a single-image .ico from our writer: a 32-bit bitmap with its mask.
QByteArray Dib32(const QImage& argb) {
  return ImageFiles::EncodeIco(argb).mid(22);
}

QByteArray Png(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

constexpr QRgb kPalette[16] = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0xFFC0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF};
int Index4(int x, int y) {
  return (x / 4 + y / 4) % 16;
}
bool Masked4(int x, int y) {
  return x >= 28 || y < 2;
}

// A 16-colour 32 x 32 icon bitmap, written by hand (our writer makes 32-bit ones only).
QByteArray Dib4() {
  QByteArray b;
  Add32(b, 40);
  Add32(b, 32);
  Add32(b, 64);  // colour image and mask
  Add16(b, 1);
  Add16(b, 4);
  Add32(b, 0);
  Add32(b, 32 * 16 + 32 * 4);
  Add32(b, 0);
  Add32(b, 0);
  Add32(b, 16);
  Add32(b, 0);
  for (QRgb c : kPalette) {
    b.append(char(qBlue(c)));
    b.append(char(qGreen(c)));
    b.append(char(qRed(c)));
    b.append('\0');
  }
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 2) b.append(char((Index4(x, y) << 4) | Index4(x + 1, y)));
  for (int y = 31; y >= 0; --y)
    for (int x = 0; x < 32; x += 8) {
      int bits = 0;
      for (int i = 0; i < 8; ++i)
        if (Masked4(x + i, y)) bits |= 0x80 >> i;
      b.append(char(bits));
    }
  return b;
}

QImage Expected4() {
  QImage image(32, 32, QImage::Format_ARGB32);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) image.setPixel(x, y, Masked4(x, y) ? 0u : kPalette[Index4(x, y)]);
  return image;
}

// A bitmap header claiming w x h (the height counting colour image and mask).
QByteArray DibClaiming(qint32 w, qint32 h) {
  QByteArray b = Dib32(Solid(4, 0xFF112233));
  Set32(b, 4, quint32(w));
  Set32(b, 8, quint32(2 * h));
  return b;
}

// The file the cases start from: icons 1-4 belong to the group "MAIN" (16 x 16 32-bit,
// 32 x 32 4-bit, 32 x 32 32-bit, 48 x 48 PNG), icons 5-6 to group 1 in other colours.
// A version resource stands beside them.
std::vector<ResourceType> GoodResources() {
  const QByteArray i1 = Dib32(Solid(16, 0xFF00FF00)), i2 = Dib4(), i3 = Dib32(Main32()),
                   i4 = Png(Quadrants(48, 0xFFFF0000, 0x80FF0000, 0xFF0000FF, 0x400000FF)),
                   i5 = Dib32(Solid(32, 0xFF123456)), i6 = Dib32(Solid(16, 0xFF654321));
  const QByteArray main = Group({{16, 16, 0, 32, 1, quint32(i1.size())},
                                 {32, 32, 16, 4, 2, quint32(i2.size())},
                                 {32, 32, 0, 32, 3, quint32(i3.size())},
                                 {48, 48, 0, 32, 4, quint32(i4.size())}});
  const QByteArray one =
      Group({{32, 32, 0, 32, 5, quint32(i5.size())}, {16, 16, 0, 32, 6, quint32(i6.size())}});
  return {{3, {{{}, 1, i1}, {{}, 2, i2}, {{}, 3, i3}, {{}, 4, i4}, {{}, 5, i5}, {{}, 6, i6}}},
          {14, {{QStringLiteral("MAIN"), 0, main}, {{}, 1, one}}},
          {16, {{{}, 1, QByteArray("version information")}}}};
}

// The same with the group "MAIN" replaced.
std::vector<ResourceType> WithMain(const std::vector<GroupImage>& images,
                                   const std::vector<Resource>& icons) {
  std::vector<ResourceType> types = GoodResources();
  types[0].items = icons;
  types[1].items[0].data = Group(images);
  return types;
}

int IcoCount(const QByteArray& ico) {
  return ico.size() < 6 ? 0 : uchar(ico[4]) | (uchar(ico[5]) << 8);
}

bool IsEmpty(const Icon& icon) {
  return icon.ToImage().isNull() && icon.Width() == 0 && icon.Height() == 0;
}

}  // namespace

TEST(ExeIcon, FirstGroupNearestImage) {
  for (const bool plus : {false, true}) {
    SCOPED_TRACE(plus ? "PE32+" : "PE32");
    TestFiles files;
    const QString path = files.WriteBytes("app.exe", BuildPe(GoodResources(), plus));
    // The group "MAIN" with its four images, not group 1.
    EXPECT_EQ(IcoCount(ExeIcon::FirstGroupAsIco(path)), 4);
    const Icon icon = ExeIcon::Extract(path);
    // Its 32-bit 32 x 32 image, pixels and alpha exact.
    EXPECT_EQ(icon.ToImage(), Premultiplied(Main32()));
  }
}

// Every pixel its own colour and alpha, so that any blending or shift shows.
QImage Distinct(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      image.setPixel(x, y, qRgba(x * 5, y * 5, (x * y) & 0xFF, 55 + ((x * 7 + y * 3) % 200)));
  return image;
}

// Nearest-neighbour: each target pixel is the source pixel under its centre.
QImage SampledAtCentres(const QImage& source, int side) {
  QImage out(side, side, QImage::Format_ARGB32);
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x)
      out.setPixel(x, y,
                   source.pixel(int((x + 0.5) * source.width() / side),
                                int((y + 0.5) * source.height() / side)));
  return Premultiplied(out);
}

TEST(ExeIcon, ChoiceAndScaling) {
  const QImage d16 = Distinct(16), d48 = Distinct(48);
  const QByteArray i16 = Dib32(d16), i48 = Png(d48);
  const QByteArray i2 = Dib4(), i3 = Dib32(Main32());
  struct Case {
    const char* name;
    std::vector<ResourceType> resources;
    QImage expected;
    int images;  // in the assembled icon file
  };
  const Case cases[] = {
      // 16 and 48 are equally near and equally deep: the larger one, shrunk.
      {"48 x 48 and 16 x 16 only",
       WithMain({{16, 16, 0, 32, 1, 0}, {48, 48, 0, 32, 4, 0}}, {{{}, 1, i16}, {{}, 4, i48}}),
       SampledAtCentres(d48, 32), 2},
      {"16 x 16 only, enlarged", WithMain({{16, 16, 0, 32, 1, 0}}, {{{}, 1, i16}}),
       SampledAtCentres(d16, 32), 1},
      // The 32-bit image's resource is missing: it is skipped, the 4-bit one is next.
      {"missing icon id",
       WithMain({{16, 16, 0, 32, 1, 0}, {32, 32, 16, 4, 2, 0}, {32, 32, 0, 32, 3, 0}},
                {{{}, 1, i16}, {{}, 2, i2}}),
       Premultiplied(Expected4()), 2},
      // The group's own byte counts are wrong; the data entries' sizes count.
      {"group byte counts ignored",
       WithMain({{32, 32, 16, 4, 2, 0xFFFFFFFF}, {32, 32, 0, 32, 3, 7}},
                {{{}, 2, i2}, {{}, 3, i3}}),
       Premultiplied(Main32()), 2},
      // Images larger than an icon directory can describe are left out.
      {"oversized images skipped",
       WithMain({{0, 0, 0, 32, 1, 0}, {32, 32, 16, 4, 2, 0}, {1, 32, 0, 32, 3, 0}},
                {{{}, 1, Png(Solid(300, 0xFFFFFFFF))},
                 {{}, 2, i2},
                 {{}, 3, Dib32(Solid(257, 0xFF0000FF))}}),
       Premultiplied(Expected4()), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestFiles files;
    const QString path = files.WriteBytes("app.dll", BuildPe(c.resources, false));
    EXPECT_EQ(IcoCount(ExeIcon::FirstGroupAsIco(path)), c.images);
    EXPECT_EQ(ExeIcon::Extract(path).ToImage(), c.expected);
  }
}

// Each case damages the good PE32 file in one place; every one gives an empty icon.
TEST(ExeIcon, MalformedFiles) {
  Layout l;
  const QByteArray good = BuildPe(GoodResources(), false, &l);
  const qsizetype dd = l.optional + 96 + 16;  // the resource entry of the data directories
  const qsizetype main = l.at["blob 14 MAIN"];
  struct Case {
    const char* name;
    std::function<void(QByteArray&)> damage;
  };
  const Case cases[] = {
      {"e_lfanew beyond the end", [&](QByteArray& f) { Set32(f, 0x3C, quint32(f.size() + 16)); }},
      {"e_lfanew 0xFFFFFFF0", [](QByteArray& f) { Set32(f, 0x3C, 0xFFFFFFF0u); }},
      {"e_lfanew into the last bytes",
       [&](QByteArray& f) { Set32(f, 0x3C, quint32(f.size() - 10)); }},
      {"a 16-bit program", [&](QByteArray& f) { f.replace(l.pe, 4, "NE\0\0", 4); }},
      {"0xFFFF sections", [&](QByteArray& f) { Set16(f, l.pe + 6, 0xFFFF); }},
      {"no sections", [&](QByteArray& f) { Set16(f, l.pe + 6, 0); }},
      {"optional header of 0xFFFF bytes", [&](QByteArray& f) { Set16(f, l.pe + 20, 0xFFFF); }},
      {"optional header of 0x8000 bytes", [&](QByteArray& f) { Set16(f, l.pe + 20, 0x8000); }},
      {"optional header too short for the resource entry",
       [&](QByteArray& f) { Set16(f, l.pe + 20, 96 + 16); }},
      {"optional header of an unknown kind", [&](QByteArray& f) { Set16(f, l.optional, 0x107); }},
      {"two data directories", [&](QByteArray& f) { Set32(f, l.optional + 92, 2); }},
      {"no resources", [&](QByteArray& f) { Set32(f, dd, 0); }},
      {"resource RVA outside the sections", [&](QByteArray& f) { Set32(f, dd, 0x00900000); }},
      {"resource RVA 0xFFFFFFFF", [&](QByteArray& f) { Set32(f, dd, 0xFFFFFFFFu); }},
      {"resource RVA at the end of its section",
       [&](QByteArray& f) { Set32(f, dd, kRsrcRva + Get32(f, l.sections + 8)); }},
      {"raw data beyond the end of the file",
       [&](QByteArray& f) { Set32(f, l.sections + 20, quint32(f.size() + 0x200)); }},
      {"raw data at 0xFFFFFFFF", [&](QByteArray& f) { Set32(f, l.sections + 20, 0xFFFFFFFFu); }},
      {"section shorter than its resource tree",
       [&](QByteArray& f) {
         Set32(f, l.sections + 8, 24);
         Set32(f, l.sections + 16, 24);
       }},
      {"group type pointing at the root",
       [&](QByteArray& f) { Set32(f, l.at["type 14"] + 4, 0x80000000u); }},
      {"name directory pointing at itself",
       [&](QByteArray& f) {
         Set32(f, l.at["name 14 MAIN"] + 4, quint32(l.at["names 14"] - kRsrcFile) | 0x80000000u);
       }},
      {"language entry pointing at its own directory",
       [&](QByteArray& f) {
         const qsizetype dir = l.at["languages 14 MAIN"];
         Set32(f, dir + 20, quint32(dir - kRsrcFile) | 0x80000000u);
       }},
      {"name entry that is not a directory",
       [&](QByteArray& f) {
         Set32(f, l.at["name 14 MAIN"] + 4, quint32(l.at["data 14 MAIN"] - kRsrcFile));
       }},
      {"icon type that is not a directory",
       [&](QByteArray& f) { Set32(f, l.at["type 3"] + 4, quint32(l.at["names 3"] - kRsrcFile)); }},
      {"root counts 0xFFFF",
       [&](QByteArray& f) {
         Set16(f, l.at["root"] + 12, 0xFFFF);
         Set16(f, l.at["root"] + 14, 0xFFFF);
       }},
      {"group name counts 0xFFFF",
       [&](QByteArray& f) {
         Set16(f, l.at["names 14"] + 12, 0xFFFF);
         Set16(f, l.at["names 14"] + 14, 0xFFFF);
       }},
      {"empty language directory",
       [&](QByteArray& f) { Set16(f, l.at["languages 14 MAIN"] + 14, 0); }},
      {"no icon group type", [&](QByteArray& f) { Set32(f, l.at["type 14"], 15); }},
      {"no icon type", [&](QByteArray& f) { Set32(f, l.at["type 3"], 99); }},
      {"group data size 0xFFFFFFFF",
       [&](QByteArray& f) { Set32(f, l.at["data 14 MAIN"] + 4, 0xFFFFFFFFu); }},
      {"group data size 0", [&](QByteArray& f) { Set32(f, l.at["data 14 MAIN"] + 4, 0); }},
      {"group data RVA 0xFFFFFFF0",
       [&](QByteArray& f) { Set32(f, l.at["data 14 MAIN"], 0xFFFFFFF0u); }},
      {"group data RVA in the headers",
       [&](QByteArray& f) { Set32(f, l.at["data 14 MAIN"], 0x10); }},
      {"group count 0xFFFF", [&](QByteArray& f) { Set16(f, main + 4, 0xFFFF); }},
      {"group count larger than its data", [&](QByteArray& f) { Set16(f, main + 4, 5); }},
      {"group count 0", [&](QByteArray& f) { Set16(f, main + 4, 0); }},
      {"every icon id missing",
       [&](QByteArray& f) {
         for (int i = 0; i < 4; ++i) Set16(f, main + 6 + 14 * i + 12, 999);
       }},
      {"every image size 0xFFFFFFFF",
       [&](QByteArray& f) {
         for (int id = 1; id <= 6; ++id)
           Set32(f, l.at["data 3 " + std::to_string(id)] + 4, 0xFFFFFFFFu);
       }},
      {"every image beyond the section",
       [&](QByteArray& f) {
         for (int id = 1; id <= 6; ++id)
           Set32(f, l.at["data 3 " + std::to_string(id)], 0x7FFFFFF0u);
       }},
      {"every image undecodable",
       [&](QByteArray& f) {
         for (int id = 1; id <= 4; ++id)
           f.replace(l.at["blob 3 " + std::to_string(id)], 8, "garbage!", 8);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QByteArray bytes = good;
    c.damage(bytes);
    ASSERT_NE(bytes, good);
    TestFiles files;
    EXPECT_TRUE(IsEmpty(ExeIcon::Extract(files.WriteBytes("bad.exe", bytes))));
  }
  // The good file itself gives its icon: the damage is what empties the others.
  TestFiles files;
  EXPECT_FALSE(IsEmpty(ExeIcon::Extract(files.WriteBytes("good.exe", good))));
}

// Images that claim more than they hold: a DIB claiming 100000 x 100000, or no pixels;
// and whole images too large for an icon.
TEST(ExeIcon, ImagesOfImpossibleSizes) {
  QImage tall(32, 300, QImage::Format_ARGB32);
  tall.fill(0xFF00FF00);
  const QByteArray images[] = {
      DibClaiming(100000, 100000),   DibClaiming(0, 32), DibClaiming(32, 0),
      Dib32(Solid(257, 0xFF0000FF)), Dib32(tall),        Png(Solid(512, 0xFFFF0000))};
  for (const QByteArray& image : images) {
    SCOPED_TRACE(image.left(16).toHex().toStdString());
    TestFiles files;
    const QString path = files.WriteBytes(
        "huge.exe", BuildPe(WithMain({{0, 0, 0, 32, 1, 0}}, {{{}, 1, image}}), false));
    EXPECT_TRUE(IsEmpty(ExeIcon::Extract(path)));
  }
}

// A group naming one large image in every entry: a file of a megabyte must not become a
// quarter of a gigabyte in memory. The images assembled stay within their budget, and the
// icon still comes out.
TEST(ExeIcon, RepeatedLargeImageBounded) {
  QByteArray big = Dib32(Main32());  // a 32 x 32 bitmap, then unused bytes up to 1 MiB
  big.resize(qsizetype(1) << 20, '\0');
  const std::vector<GroupImage> entries(ExeIcon::MaxImagesPerGroup, {32, 32, 0, 32, 1, 0});
  TestFiles files;
  const QString path =
      files.WriteBytes("repeat.exe", BuildPe(WithMain(entries, {{{}, 1, big}}), false));
  const QByteArray ico = ExeIcon::FirstGroupAsIco(path);
  const int fitting = int(ExeIcon::MaxGroupImageBytes / big.size());
  ASSERT_LT(fitting, ExeIcon::MaxImagesPerGroup);
  EXPECT_EQ(IcoCount(ico), fitting);
  EXPECT_EQ(ico.size(), 6 + 16 * fitting + ExeIcon::MaxGroupImageBytes);
  EXPECT_EQ(ExeIcon::Extract(path).ToImage(), Premultiplied(Main32()));
}

// Cut short anywhere: empty up to the end of the resource tree, and never a crash after it
// (where images that are still whole may give the icon).
TEST(ExeIcon, TruncatedAtEveryLength) {
  for (const bool plus : {false, true}) {
    SCOPED_TRACE(plus ? "PE32+" : "PE32");
    Layout l;
    const QByteArray good = BuildPe(GoodResources(), plus, &l);
    TestFiles files;
    const QString path = files.WriteBytes("cut.exe", good);
    const QByteArray name = QFile::encodeName(path);
    // Shortening the one file keeps its prefix; no need to write it again each time.
    for (qsizetype length = good.size() - 1; length >= 0; --length) {
      ASSERT_EQ(truncate(name.constData(), off_t(length)), 0);
      const Icon icon = ExeIcon::Extract(path);
      if (length < l.treeEnd)
        ASSERT_TRUE(IsEmpty(icon)) << "length " << length;
      else
        ASSERT_TRUE(IsEmpty(icon) || (icon.Width() == 32 && icon.Height() == 32))
            << "length " << length;
    }
  }
}

TEST(ExeIcon, NotAProgram) {
  TestFiles files;
  QByteArray elf(
      "\x7F"
      "ELF\x02\x01\x01",
      7);
  elf.resize(4096);
  const QString fifo = files.Path("pipe.exe");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  QDir(files.Folder()).mkdir("folder.exe");
  const QString paths[] = {
      files.WriteBytes("elf.exe", elf),
      files.WriteBytes("text.exe", "MZ is how this text starts, and it is no program.\n"),
      files.WriteBytes("plain.dll", "just words\n"),
      files.WriteIco("icon.exe", Main32()),
      files.WriteBytes("empty.exe", QByteArray()),
      files.WriteBytes("mz.exe", "MZ"),
      fifo,  // must not block
      files.Path("folder.exe"),
      files.Path("missing.exe"),
  };
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    EXPECT_TRUE(IsEmpty(ExeIcon::Extract(path)));
    EXPECT_TRUE(ExeIcon::FirstGroupAsIco(path).isEmpty());
  }
}

// Every byte of the headers and the resource tree replaced in turn by values that make
// offsets, counts and flags extreme: whatever the reader makes of it, it stays inside the
// file and gives the icon size or nothing.
TEST(ExeIcon, EveryHeaderByteCorrupted) {
  for (const bool plus : {false, true}) {
    SCOPED_TRACE(plus ? "PE32+" : "PE32");
    Layout l;
    const QByteArray good = BuildPe(GoodResources(), plus, &l);
    TestFiles files;
    const QString goodPath = files.WriteBytes("good.exe", good);
    const QByteArray goodIco = ExeIcon::FirstGroupAsIco(goodPath);
    const QString path = files.WriteBytes("flip.exe", good);
    // One byte changes at a time, written in place and put back afterwards.
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    auto poke = [&](qsizetype at, char value) {
      ASSERT_TRUE(f.seek(at));
      ASSERT_EQ(f.write(&value, 1), 1);
      ASSERT_TRUE(f.flush());
    };
    int emptied = 0;
    for (qsizetype at = 0; at < l.treeEnd; ++at) {
      for (const char value : {'\x00', '\x80', '\xFF'}) {
        if (good[at] == value) continue;
        poke(at, value);
        const QByteArray ico = ExeIcon::FirstGroupAsIco(path);
        emptied += ico.isEmpty();
        // The same images as the good file decode as they do there; only what differs
        // needs decoding again.
        if (!ico.isEmpty() && ico != goodIco) {
          const Icon icon = ExeIcon::Extract(path);
          ASSERT_TRUE(IsEmpty(icon) || (icon.Width() == 32 && icon.Height() == 32)) << at;
        }
      }
      poke(at, good[at]);
    }
    // The damage reached the reader's checks (the signatures alone empty 6 x 3 cases).
    EXPECT_GT(emptied, 18);
  }
}
