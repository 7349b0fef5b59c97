// Thumbnail tiles: where the picture lands on the 80 x 80 tile, the tiles without a
// picture, and files that cannot be read.
#include <gtest/gtest.h>

#include <QFile>

#include "HostileFiles.h"
#include "TestFiles.h"
#include "picture/PictureError.h"
#include "picture/ThumbnailTile.h"

namespace {

QImage Solid(int w, int h, QRgb colour) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

bool NearlyWhite(QRgb p) {
  return qRed(p) > 240 && qGreen(p) > 240 && qBlue(p) > 240;
}

// Every pixel inside r is far from white (JPEG colours are not exact) and every pixel
// outside is exactly white. Returns the first offending pixel as a message.
std::string PaintedExactly(const QImage& tile, const TRect& r) {
  if (tile.size() != QSize(80, 80)) return "tile is not 80 x 80";
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) {
      const QRgb p = tile.pixel(x, y);
      const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
      if (inside ? NearlyWhite(p) : (p & 0xFFFFFF) != 0xFFFFFF)
        return QStringLiteral("pixel (%1, %2) is %3")
            .arg(x)
            .arg(y)
            .arg(p & 0xFFFFFF, 6, 16, QLatin1Char('0'))
            .toStdString();
    }
  return {};
}

}  // namespace

TEST(ThumbnailTile, PictureRectangle) {
  const struct {
    int w, h;
    TRect rect;
  } cases[] = {
      {200, 100, Rect(8, 24, 71, 56)},  // landscape: long side 63, short side as for 64
      {100, 200, Rect(24, 8, 56, 71)},  // portrait
      {50, 50, Rect(8, 8, 72, 71)},     // square counts as portrait: 64 wide, 63 high
      {4000, 3000, Rect(8, 16, 71, 64)},
      {300, 900, Rect(29, 8, 50, 71)},  // 300 * 64 / 900 = 21, (64 - 21) / 2 = 21
      {1000, 10, Rect(8, 40, 71, 40)},  // 10 * 64 / 1000 = 0: nothing is drawn
      {1, 1000, Rect(40, 8, 40, 71)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ThumbnailTile::PictureRect(c.w, c.h), c.rect) << c.w << " x " << c.h;
}

TEST(ThumbnailTile, FilesArePaintedIntoTheirRectangle) {
  TestFiles files;
  const QRgb red = qRgb(220, 20, 20);
  files.WriteBmp(QStringLiteral("wide.bmp"), Solid(200, 100, red));
  files.WriteBmp(QStringLiteral("tall.bmp"), Solid(100, 200, red));
  files.WriteBmp(QStringLiteral("square.BMP"), Solid(50, 50, red));
  // Large enough that libjpeg decodes it reduced; the rectangle must not change.
  files.WriteJpeg(QStringLiteral("big.jpg"), Solid(1600, 800, qRgb(20, 20, 200)));
  files.WriteJpeg(QStringLiteral("tall.JPEG"), Solid(300, 900, qRgb(20, 20, 200)));
  files.WriteIco(QStringLiteral("icon.ico"),
                 Solid(48, 24, red).convertToFormat(QImage::Format_ARGB32));
  const struct {
    const char* file;
    TRect rect;
  } cases[] = {
      {"wide.bmp", Rect(8, 24, 71, 56)},  {"tall.bmp", Rect(24, 8, 56, 71)},
      {"square.BMP", Rect(8, 8, 72, 71)}, {"big.jpg", Rect(8, 24, 71, 56)},
      {"tall.JPEG", Rect(29, 8, 50, 71)}, {"icon.ico", Rect(8, 24, 71, 56)},
  };
  for (const auto& c : cases) {
    const Bitmap tile = ThumbnailTile::Make(files.Path(QString::fromLatin1(c.file)));
    EXPECT_EQ(PaintedExactly(tile.Image(), c.rect), "") << c.file;
  }
}

TEST(ThumbnailTile, IconTransparencyShowsWhite) {
  TestFiles files;
  QImage argb(32, 32, QImage::Format_ARGB32);
  argb.fill(Qt::transparent);
  for (int y = 0; y < 32; ++y)
    for (int x = 16; x < 32; ++x) argb.setPixel(x, y, qRgba(0, 0, 255, 255));
  const Bitmap tile = ThumbnailTile::Make(files.WriteIco(QStringLiteral("half.ico"), argb));
  // Drawn into (8, 8)-(72, 71): columns 8..39 come from the transparent half.
  EXPECT_EQ(tile.Pixel(20, 40), Colors::White);
  EXPECT_EQ(tile.Pixel(39, 40), Colors::White);
  EXPECT_EQ(tile.Pixel(40, 40), Colors::Blue);
  EXPECT_EQ(tile.Pixel(71, 70), Colors::Blue);
  EXPECT_EQ(tile.Pixel(72, 40), Colors::White);
}

TEST(ThumbnailTile, KindsWithoutPictureShowGif) {
  const Bitmap tile = ThumbnailTile::NoPicture();
  int green = 0;
  for (int y = 0; y < 80; ++y)
    for (int x = 0; x < 80; ++x) {
      const TColor p = tile.Pixel(x, y);
      if (p == Colors::White) continue;
      // Green text with its soft edges, nothing above or left of (24, 28).
      EXPECT_TRUE(x >= 24 && y >= 28) << x << ", " << y;
      EXPECT_EQ(GetRValue(p), GetBValue(p)) << x << ", " << y;
      EXPECT_GE(GetGValue(p), GetRValue(p)) << x << ", " << y;
      if (p == Colors::Green) ++green;
    }
  EXPECT_GT(green, 20);
  // The file is not opened for them: these need not exist.
  for (const char* name : {"x.EMF", "x.wmf", "noextension"})
    EXPECT_EQ(ThumbnailTile::Make(QStringLiteral("/nonexistent/") + QLatin1String(name)).Image(),
              tile.Image())
        << name;
  // A GIF's file is checked, but a GIF that can be played, or one whose content is not a
  // GIF stream at all, still gets the "gif" tile.
  TestFiles files;
  for (const auto& [name, bytes] :
       {std::pair{"anim.gif",
                  HostileFiles::Gif(3, 2, {HostileFiles::GifFrame{0, 0, 3, 2, {1, 2}}})},
        std::pair{"text.GIF", QByteArray("not a GIF at all")}}) {
    EXPECT_EQ(ThumbnailTile::Make(files.WriteBytes(QLatin1String(name), bytes)).Image(),
              tile.Image())
        << name;
  }
  EXPECT_THROW(ThumbnailTile::Make(files.Path(QStringLiteral("missing.gif"))), PictureError);
}

TEST(ThumbnailTile, UnreadableFilesRaise) {
  TestFiles files;
  const QByteArray junk("this is not a picture at all, just some text");
  for (const char* name : {"bad.jpg", "bad.jpeg", "bad.bmp", "bad.ico"})
    files.WriteBytes(QString::fromLatin1(name), junk);
  // A JPEG cut inside its header is as bad as junk.
  QFile whole(files.WriteJpeg(QStringLiteral("whole.jpg"), Solid(64, 64, 0)));
  ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
  files.WriteBytes(QStringLiteral("cut.jpg"), whole.read(20));
  for (const char* name : {"bad.jpg", "bad.jpeg", "bad.bmp", "bad.ico", "cut.jpg", "missing.jpg"})
    EXPECT_THROW(ThumbnailTile::Make(files.Path(QString::fromLatin1(name))), PictureError) << name;

  // The tile that stands for them is neither blank nor the "gif" tile.
  const QImage unreadable = ThumbnailTile::Unreadable().Image();
  EXPECT_NE(unreadable, Bitmap(80, 80).Image());
  EXPECT_NE(unreadable, ThumbnailTile::NoPicture().Image());
  EXPECT_EQ(unreadable.size(), QSize(80, 80));
}
