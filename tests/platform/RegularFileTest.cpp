// Reading files that may be hostile: only regular files, bounded sizes, pictures checked
// for their size before they are decoded.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>

#include "TestFiles.h"
#include "platform/RegularFile.h"

TEST(RegularFile, OnlyRegularFilesWithinTheBound) {
  TestFiles files;
  const QString small = files.WriteBytes(QStringLiteral("small"), QByteArray(100, 'x'));
  const QString fifo = files.Path(QStringLiteral("fifo"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

  EXPECT_EQ(RegularFile::Read(small, 100), QByteArray(100, 'x'));
  EXPECT_EQ(RegularFile::Read(small, 99), std::nullopt);
  // A FIFO with no writer would block an ordinary open for ever.
  EXPECT_EQ(RegularFile::Read(fifo, 100), std::nullopt);
  EXPECT_EQ(RegularFile::Read(files.Folder(), 100), std::nullopt);
  EXPECT_EQ(RegularFile::Read(files.Path(QStringLiteral("missing")), 100), std::nullopt);
  EXPECT_EQ(RegularFile::Read(QStringLiteral("/dev/zero"), 100), std::nullopt);
}

TEST(RegularFile, PicturesDecodeOnlyWhenSane) {
  TestFiles files;
  const QImage pattern = TestFiles::Pattern(7, 5);
  EXPECT_EQ(RegularFile::ReadPicture(files.WriteBmp(QStringLiteral("a.bmp"), pattern)), pattern);
  ASSERT_TRUE(pattern.save(files.Path(QStringLiteral("b.png"))));
  EXPECT_EQ(RegularFile::ReadPicture(files.Path(QStringLiteral("b.png"))), pattern);

  // A bitmap header claiming 100000 x 100000 pixels: refused before any allocation.
  QFile c(files.WriteBmp(QStringLiteral("c.bmp"), pattern));
  ASSERT_TRUE(c.open(QIODevice::ReadOnly));
  QByteArray huge = c.readAll();
  const qint32 side = 100000;
  memcpy(huge.data() + 18, &side, 4);
  memcpy(huge.data() + 22, &side, 4);
  EXPECT_TRUE(
      RegularFile::ReadPicture(files.WriteBytes(QStringLiteral("huge.bmp"), huge)).isNull());
  EXPECT_TRUE(RegularFile::ReadPicture(files.WriteBytes(QStringLiteral("t.bmp"), "text")).isNull());
  EXPECT_TRUE(RegularFile::ReadPicture(files.Path(QStringLiteral("missing.bmp"))).isNull());
}
