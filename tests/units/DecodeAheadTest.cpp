// Decoding ahead: a picture is handed out only for the file it was decoded from,
// unchanged, once; what it hands out is what a load decodes; bad and odd files are left
// to the load.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDateTime>
#include <QFile>

#include "TestFiles.h"
#include "browse/DecodeAhead.h"
#include "picture/PictureError.h"

namespace {
bool SamePixels(const Bitmap& a, const Bitmap& b) {
  return a.ToImage().convertToFormat(QImage::Format_RGB32) ==
         b.ToImage().convertToFormat(QImage::Format_RGB32);
}
}  // namespace

TEST(DecodeAhead, HandsOutWhatALoadDecodesOnceForTheSameFile) {
  TestFiles files;
  QImage argb = TestFiles::Pattern(32, 32).convertToFormat(QImage::Format_ARGB32);
  argb.setPixel(3, 3, 0x00000000u);  // a transparent pixel: drawn over white
  const QStringList paths = {files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(40, 30)),
                             files.WriteJpeg(QStringLiteral("b.jpg"), TestFiles::Pattern(48, 32)),
                             files.WriteIco(QStringLiteral("c.ico"), argb)};
  for (const QString& path : paths) {
    SCOPED_TRACE(path.toStdString());
    DecodeAhead ahead;
    ahead.Prepare({path});
    const std::optional<Bitmap> taken = ahead.Take(path);
    ASSERT_TRUE(taken.has_value());
    EXPECT_TRUE(SamePixels(*taken, DecodeAhead::Decode(path)));
    EXPECT_FALSE(ahead.Take(path).has_value());
  }
  EXPECT_EQ(DecodeAhead::Decode(paths[2]).Pixel(3, 3), Colors::White);
}

TEST(DecodeAhead, NothingIsHandedOutForAChangedFileOrAnotherOne) {
  TestFiles files;
  const QString a = files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(40, 30));
  const QString b = files.WriteBmp(QStringLiteral("b.bmp"), TestFiles::Pattern(41, 30));
  const QString c = files.WriteBmp(QStringLiteral("c.bmp"), TestFiles::Pattern(42, 30));
  DecodeAhead ahead;

  // Rewritten after the decode: another size.
  ahead.Prepare({a});
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(60, 30));
  EXPECT_FALSE(ahead.Take(a).has_value());

  // The same size, a later modification time.
  ahead.Prepare({b});
  QFile file(b);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                               QFileDevice::FileModificationTime));
  file.close();
  EXPECT_FALSE(ahead.Take(b).has_value());

  // Dropped when other entries are wanted; never prepared.
  ahead.Prepare({c});
  ahead.Prepare({a});
  EXPECT_FALSE(ahead.Take(c).has_value());
  EXPECT_FALSE(ahead.Take(b).has_value());
  EXPECT_TRUE(ahead.Take(a).has_value());
}

TEST(DecodeAhead, BadAndOddFilesAreLeftToTheLoad) {
  TestFiles files;
  const QString bad = files.WriteBytes(QStringLiteral("bad.jpg"), QByteArray("not a picture"));
  const QString gif = files.WriteBytes(QStringLiteral("x.gif"), QByteArray("GIF89a"));
  const QString fifo = files.Path(QStringLiteral("fifo.bmp"));
  ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const QString missing = files.Path(QStringLiteral("missing.bmp"));
  DecodeAhead ahead;
  ahead.Prepare({bad, gif, fifo, missing});
  for (const QString& path : {bad, gif, fifo, missing}) {
    SCOPED_TRACE(path.toStdString());
    EXPECT_FALSE(ahead.Take(path).has_value());
  }
  EXPECT_THROW(DecodeAhead::Decode(bad), PictureError);
}
