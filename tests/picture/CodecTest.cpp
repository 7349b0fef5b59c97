// The file codecs: JPEG through libjpeg, BMP and ICO through Qt's readers and our writers.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <cstdio>

#include <jpeglib.h>

#include "TestFiles.h"
#include "picture/Icon.h"
#include "picture/IconDirectory.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"
#include "picture/PictureError.h"

namespace {

// A smooth picture, which JPEG keeps closely.
QImage Gradient(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image.setPixel(x, y, qRgb(x * 255 / std::max(w - 1, 1), y * 255 / std::max(h - 1, 1), 90));
  return image;
}

// Largest difference of any channel of any pixel and the mean difference.
struct Difference {
  int max = 0;
  double mean = 0;
};
Difference Compare(const QImage& a, const QImage& b) {
  Difference d;
  qint64 sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (int diff : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
        d.max = std::max(d.max, std::abs(diff));
        sum += std::abs(diff);
      }
    }
  d.mean = double(sum) / (3.0 * a.width() * a.height());
  return d;
}

// A JPEG made with libjpeg directly, in a colour space our encoder does not write:
// grey (1 byte per pixel), CMYK or YCCK (4 bytes, stored inverted as Adobe's files are).
QByteArray RawJpeg(J_COLOR_SPACE in, J_COLOR_SPACE stored, int components, int w, int h,
                   const std::vector<unsigned char>& pixels) {
  jpeg_compress_struct c;
  jpeg_error_mgr err;
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &out, &size);
  c.image_width = unsigned(w);
  c.image_height = unsigned(h);
  c.input_components = components;
  c.in_color_space = in;
  jpeg_set_defaults(&c);
  jpeg_set_colorspace(&c, stored);
  jpeg_set_quality(&c, 95, TRUE);
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(pixels.data()) + c.next_scanline * w * components;
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(size));
  free(out);
  return bytes;
}

}  // namespace

TEST(Jpeg, RoundTripWithinTolerance) {
  TestFiles files;
  const QImage original = Gradient(64, 48);
  for (int quality : {90, 100}) {
    const QString path = files.Path(QStringLiteral("g%1.jpg").arg(quality));
    JpegCodec::EncodeToFile(original, path, quality);
    const QImage decoded = JpegCodec::Decode(path);
    ASSERT_EQ(decoded.size(), original.size());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
    for (int y = 0; y < decoded.height(); ++y)
      for (int x = 0; x < decoded.width(); ++x) ASSERT_EQ(qAlpha(decoded.pixel(x, y)), 255);
    const Difference d = Compare(original, decoded);
    EXPECT_LT(d.mean, 2.0) << quality;
    EXPECT_LE(d.max, 12) << quality;
  }
}

TEST(Jpeg, QualityChangesTheSize) {
  const QImage image = TestFiles::Pattern(64, 64);
  EXPECT_LT(JpegCodec::Encode(image, 10).size(), JpegCodec::Encode(image, 100).size());
  EXPECT_EQ(JpegCodec::Encode(image, 0).size(), JpegCodec::Encode(image, 1).size());  // clamped
}

TEST(Jpeg, OtherColourSpacesDecodeToRgb) {
  TestFiles files;
  const int w = 16, h = 8;
  // Left half one colour, right half another, so a mixed-up channel shows.
  struct Case {
    const char* name;
    J_COLOR_SPACE in, stored;
    int components;
    unsigned char left[4], right[4];
    QRgb leftRgb, rightRgb;
  };
  const Case cases[] = {
      {"grey", JCS_GRAYSCALE, JCS_GRAYSCALE, 1, {40}, {200}, qRgb(40, 40, 40), qRgb(200, 200, 200)},
      // Adobe's inverted CMYK: 255 means no ink. Pure cyan ink, then red (magenta+yellow).
      {"cmyk",
       JCS_CMYK,
       JCS_CMYK,
       4,
       {0, 255, 255, 255},
       {255, 0, 0, 255},
       qRgb(0, 255, 255),
       qRgb(255, 0, 0)},
      {"ycck",
       JCS_CMYK,
       JCS_YCCK,
       4,
       {0, 255, 255, 255},
       {255, 0, 0, 255},
       qRgb(0, 255, 255),
       qRgb(255, 0, 0)},
      // Half black ink over no colour gives mid grey.
      {"cmyk-k",
       JCS_CMYK,
       JCS_CMYK,
       4,
       {255, 255, 255, 127},
       {255, 255, 255, 0},
       qRgb(127, 127, 127),
       qRgb(0, 0, 0)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<unsigned char> pixels;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        for (int i = 0; i < c.components; ++i) pixels.push_back(x < w / 2 ? c.left[i] : c.right[i]);
    const QString path = files.WriteBytes(QString::fromLatin1(c.name) + ".jpg",
                                          RawJpeg(c.in, c.stored, c.components, w, h, pixels));
    const QImage decoded = JpegCodec::Decode(path);
    ASSERT_EQ(decoded.size(), QSize(w, h));
    for (auto [x, want] : {std::pair{1, c.leftRgb}, {w - 2, c.rightRgb}}) {
      const QRgb got = decoded.pixel(x, h / 2);
      EXPECT_NEAR(qRed(got), qRed(want), 4) << x;
      EXPECT_NEAR(qGreen(got), qGreen(want), 4) << x;
      EXPECT_NEAR(qBlue(got), qBlue(want), 4) << x;
      EXPECT_EQ(qAlpha(got), 255);
    }
  }
}

TEST(Jpeg, ScaledDecodeSizes) {
  TestFiles files;
  const QString path = files.WriteJpeg(QStringLiteral("s.jpg"), Gradient(101, 50));
  EXPECT_EQ(JpegCodec::ReadSize(path), QSize(101, 50));
  const struct {
    int denom;
    QSize size;
  } scaled[] = {{1, {101, 50}}, {2, {51, 25}}, {4, {26, 13}}, {8, {13, 7}}};
  for (const auto& s : scaled) EXPECT_EQ(JpegCodec::Decode(path, s.denom).size(), s.size);

  const struct {
    int minW, minH;
    QSize size;
  } atLeast[] = {
      {13, 7, {13, 7}},                                               // exactly 1/8
      {14, 7, {26, 13}},                                              // just above 1/8
      {1, 13, {26, 13}},  {1, 14, {51, 25}},                          // the height decides
      {51, 25, {51, 25}}, {52, 1, {101, 50}}, {500, 500, {101, 50}},  // never more than full size
      {0, 0, {13, 7}},
  };
  for (const auto& a : atLeast)
    EXPECT_EQ(JpegCodec::DecodeAtLeast(path, a.minW, a.minH).size(), a.size)
        << a.minW << "x" << a.minH;
}

TEST(Bmp, RoundTripIsExact) {
  TestFiles files;
  // Widths 1..5 cover every amount of row padding.
  for (int w = 1; w <= 5; ++w) {
    const QImage original = TestFiles::Pattern(w, 3);
    const QImage back = ImageFiles::ReadBmp(files.WriteBmp(QStringLiteral("p.bmp"), original));
    ASSERT_EQ(back.size(), original.size()) << w;
    EXPECT_EQ(back.format(), QImage::Format_RGB32);
    EXPECT_EQ(back, original) << w;
  }
}

TEST(Bmp, WrittenFileIsAStandard24BitBitmap) {
  const QByteArray bytes = ImageFiles::EncodeBmp(TestFiles::Pattern(3, 2));
  const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
  auto u32 = [&](int at) {
    return quint32(p[at] | p[at + 1] << 8 | p[at + 2] << 16 | p[at + 3] << 24);
  };
  auto u16 = [&](int at) { return quint16(p[at] | p[at + 1] << 8); };
  EXPECT_EQ(bytes.left(2), QByteArray("BM"));
  EXPECT_EQ(u32(2), quint32(bytes.size()));
  EXPECT_EQ(u32(10), 54u);  // pixels right after the two headers
  EXPECT_EQ(u32(14), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(u32(18), 3u);
  EXPECT_EQ(u32(22), 2u);  // positive height: bottom-up rows
  EXPECT_EQ(u16(28), 24);
  EXPECT_EQ(bytes.size(), 54 + 2 * 12);  // 9 bytes per row padded to 12
  // First stored row is the bottom one: pixel (0, 1) as B, G, R.
  const QRgb bottomLeft = TestFiles::Pattern(3, 2).pixel(0, 1);
  EXPECT_EQ(p[54], qBlue(bottomLeft));
  EXPECT_EQ(p[55], qGreen(bottomLeft));
  EXPECT_EQ(p[56], qRed(bottomLeft));
}

namespace {

// A bitmap file put together by hand: file header, BITMAPINFOHEADER, palette or masks,
// pixel data.
QByteArray HandMadeBmp(int w, int h, int bits, int compression, const QByteArray& extra,
                       const QByteArray& pixels) {
  QByteArray info(40, 0);
  auto put = [](QByteArray& b, int at, qint64 v, int n) {
    for (int i = 0; i < n; ++i) b[at + i] = char((v >> (8 * i)) & 0xFF);
  };
  put(info, 0, 40, 4);
  put(info, 4, w, 4);
  put(info, 8, h, 4);
  put(info, 12, 1, 2);
  put(info, 14, bits, 2);
  put(info, 16, compression, 4);
  put(info, 20, pixels.size(), 4);
  if (bits <= 8) put(info, 32, extra.size() / 4, 4);  // colours in the palette
  QByteArray file(14, 0);
  file[0] = 'B';
  file[1] = 'M';
  put(file, 2, 14 + 40 + extra.size() + pixels.size(), 4);
  put(file, 10, 14 + 40 + extra.size(), 4);
  return file + info + extra + pixels;
}

}  // namespace

TEST(Bmp, CommonVariantsRead) {
  TestFiles files;
  const QImage pattern = TestFiles::Pattern(13, 7);
  struct Case {
    const char* name;
    QImage image;
  };
  QImage mono = pattern.convertToFormat(QImage::Format_Mono);
  QImage indexed = pattern.convertToFormat(QImage::Format_Indexed8);
  QImage argb = pattern.convertToFormat(QImage::Format_ARGB32);
  const Case cases[] = {{"1-bit", mono}, {"8-bit", indexed}, {"32-bit", argb}};
  for (const Case& c : cases) {
    const QString path = files.Path(QString::fromLatin1(c.name) + ".bmp");
    ASSERT_TRUE(c.image.save(path, "BMP"));
    EXPECT_EQ(ImageFiles::ReadBmp(path), c.image.convertToFormat(QImage::Format_RGB32)) << c.name;
  }
  // 2 x 2 files of the kinds Qt does not write: red blue on top, green white below
  // (stored bottom row first).
  const QByteArray palette = QByteArray::fromHex("0000ff00ff00000000ff0000ffffff00");
  const QByteArray masks565 = QByteArray::fromHex("00f80000e00700001f000000");
  const struct {
    const char* name;
    int bits, compression;
    QByteArray extra, pixels;
    struct {
      int r, g, b;
    } full;
  } handMade[] = {
      {"4-bit", 4, 0, palette, QByteArray::fromHex("2300000001000000"), {255, 255, 255}},
      {"8-bit RLE",
       8,
       1,
       palette,
       QByteArray::fromHex("0102010300000100010100000001"),
       {255, 255, 255}},
      {"16-bit 555", 16, 0, {}, QByteArray::fromHex("e003ff7f007c1f00"), {248, 248, 248}},
      {"16-bit bit fields 565",
       16,
       3,
       masks565,
       QByteArray::fromHex("e007ffff00f81f00"),
       {248, 252, 248}},
  };
  QImage expected(2, 2, QImage::Format_RGB32);
  expected.setPixel(0, 0, qRgb(255, 0, 0));
  expected.setPixel(1, 0, qRgb(0, 0, 255));
  expected.setPixel(0, 1, qRgb(0, 255, 0));
  expected.setPixel(1, 1, qRgb(255, 255, 255));
  for (const auto& c : handMade) {
    const QString path =
        files.WriteBytes(QString::fromLatin1(c.name) + ".bmp",
                         HandMadeBmp(2, 2, c.bits, c.compression, c.extra, c.pixels));
    // Like Windows, Qt widens 5 and 6-bit channels by shifting: full is 248 or 252.
    QImage want = expected;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 2; ++x) {
        const QRgb p = want.pixel(x, y);
        want.setPixel(
            x, y, qRgb(qRed(p) ? c.full.r : 0, qGreen(p) ? c.full.g : 0, qBlue(p) ? c.full.b : 0));
      }
    EXPECT_EQ(ImageFiles::ReadBmp(path), want) << c.name;
  }

  // Top-down: negative height and rows stored top first.
  QByteArray bytes = ImageFiles::EncodeBmp(pattern);
  const int rowBytes = (13 * 3 + 3) & ~3;
  QByteArray topDown = bytes.left(54);
  for (int row = 6; row >= 0; --row) topDown += bytes.mid(54 + row * rowBytes, rowBytes);
  const qint32 negative = -7;
  std::memcpy(topDown.data() + 22, &negative, 4);
  EXPECT_EQ(ImageFiles::ReadBmp(files.WriteBytes(QStringLiteral("td.bmp"), topDown)), pattern);
}

TEST(Ico, RoundTripIsExact) {
  TestFiles files;
  QImage opaque = TestFiles::Pattern(32, 32).convertToFormat(QImage::Format_ARGB32);
  QImage holes = opaque;
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x)
      if ((x * 3 + y) % 5 == 0) holes.setPixel(x, y, 0);  // fully transparent
  for (const QImage& original : {opaque, holes}) {
    const QString path = files.WriteIco(QStringLiteral("i.ico"), original);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const auto entries = IconDirectory::Parse(file.readAll(), path).Entries();
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].depth, 32);
    EXPECT_EQ(ImageFiles::ReadIcon(path, QSize(32, 32)),
              original.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }
}

TEST(Ico, WrittenFileHasMaskAndDoubledHeight) {
  QImage image(5, 2, QImage::Format_ARGB32);
  image.fill(qRgba(10, 20, 30, 255));
  image.setPixel(4, 0, 0);  // transparent: bit set in the AND mask
  const QByteArray bytes = ImageFiles::EncodeIco(image);
  const auto* p = reinterpret_cast<const uchar*>(bytes.constData());
  auto u32 = [&](int at) {
    return quint32(p[at] | p[at + 1] << 8 | p[at + 2] << 16 | p[at + 3] << 24);
  };
  EXPECT_EQ(bytes.left(6), QByteArray::fromHex("000001000100"));
  EXPECT_EQ(p[6], 5);
  EXPECT_EQ(p[7], 2);
  EXPECT_EQ(u32(14), quint32(bytes.size() - 22));
  EXPECT_EQ(u32(18), 22u);
  EXPECT_EQ(u32(22 + 8), 4u);  // height of colour image and mask together
  const int xorSize = 5 * 2 * 4, maskRow = 4;
  ASSERT_EQ(bytes.size(), 22 + 40 + xorSize + 2 * maskRow);
  const uchar* mask = p + 22 + 40 + xorSize;
  EXPECT_EQ(mask[0], 0x00);        // bottom row first: all opaque
  EXPECT_EQ(mask[maskRow], 0x08);  // top row: pixel 4 transparent
}

namespace {

// An .ico file of several entries, each a complete image (BMP icon data or PNG).
QByteArray IconFile(const std::vector<std::pair<QSize, QByteArray>>& images) {
  QByteArray dir, data;
  dir += QByteArray::fromHex("00000100");
  dir += char(images.size());
  dir += char(0);
  int offset = 6 + 16 * int(images.size());
  for (const auto& [size, bytes] : images) {
    dir += char(size.width() & 0xFF);
    dir += char(size.height() & 0xFF);
    dir += QByteArray(2, 0);
    dir += QByteArray::fromHex("01002000");  // planes 1, 32 bits (as the directory claims)
    for (int v : {int(bytes.size()), offset})
      for (int i = 0; i < 4; ++i) dir += char((v >> (8 * i)) & 0xFF);
    data += bytes;
    offset += int(bytes.size());
  }
  return dir + data;
}

// The image data of a single-image icon (past its 22-byte directory).
QByteArray BmpEntry(const QImage& argb) {
  return ImageFiles::EncodeIco(argb).mid(22);
}

QByteArray PngEntry(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

QImage Solid(int size, QRgb color, QImage::Format format = QImage::Format_ARGB32) {
  QImage image(size, size, format);
  image.fill(color);
  return image;
}

}  // namespace

TEST(Ico, ChoosesEntryNearestSystemSizeDeepestFirst) {
  TestFiles files;
  const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
  const QByteArray file = IconFile({
      {{16, 16}, BmpEntry(Solid(16, green))},
      {{32, 32}, PngEntry(Solid(32, red, QImage::Format_RGB888))},  // 24-bit PNG
      {{32, 32}, PngEntry(Solid(32, blue))},  // 32-bit PNG: the deeper one wins
      {{48, 48}, BmpEntry(Solid(48, green))},
  });
  const QString path = files.WriteBytes(QStringLiteral("multi.ico"), file);
  // Sizes and depths come from the entries' own headers, before anything is decoded.
  const auto entries = IconDirectory::Parse(file, path).Entries();
  ASSERT_EQ(entries.size(), 4u);
  EXPECT_EQ(entries[1].depth, 24);
  EXPECT_EQ(entries[2].depth, 32);
  EXPECT_EQ(entries[3].size, QSize(48, 48));
  const auto preferred = IconDirectory::Preferred(entries, QSize(32, 32));
  EXPECT_EQ(preferred[0].index, 2);
  EXPECT_EQ(preferred[1].index, 1);
  Icon icon;
  icon.LoadFromFile(path);
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_EQ(icon.ToImage().pixel(5, 5), qRgb(0, 0, 255));

  // Without a 32 x 32 entry, the nearest size.
  const QString near = files.WriteBytes(
      QStringLiteral("near.ico"),
      IconFile({{{16, 16}, BmpEntry(Solid(16, red))}, {{40, 40}, BmpEntry(Solid(40, blue))}}));
  icon.LoadFromFile(near);
  EXPECT_EQ(icon.Width(), 40);

  // An entry whose header promises well but whose data is broken gives way to the next.
  QByteArray broken = PngEntry(Solid(32, red));
  broken.truncate(40);
  const QString fallback =
      files.WriteBytes(QStringLiteral("fallback.ico"),
                       IconFile({{{16, 16}, BmpEntry(Solid(16, green))}, {{32, 32}, broken}}));
  icon.LoadFromFile(fallback);
  EXPECT_EQ(icon.Width(), 16);
  EXPECT_EQ(icon.ToImage().pixel(5, 5), qRgb(0, 255, 0));
}

TEST(Ico, SystemIconSizeAndSaveLoad) {
  EXPECT_EQ(Icon::SystemIconSize(), QSize(32, 32));
  TestFiles files;
  Bitmap mask(3, 2), color(3, 2);
  mask.SetBrushColor(Colors::Black);
  mask.FillRect(Rect(0, 0, 2, 2));  // column 2 stays white: transparent
  color.SetBrushColor(Colors::Teal);
  color.FillRect(Rect(0, 0, 3, 2));
  const Icon icon = Icon::FromMaskAndColor(mask, color);
  EXPECT_EQ(icon.ToImage().pixel(0, 0), ToQRgb(Colors::Teal));
  EXPECT_EQ(qAlpha(icon.ToImage().pixel(2, 1)), 0);
  const QString path = files.Path(QStringLiteral("saved.ico"));
  icon.SaveToFile(path);
  Icon back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.ToImage(), icon.ToImage());
}
