// Reading files that may be anything: only regular files open, a FIFO never blocks,
// whole-file reads stop at their limit, and pictures are checked for size before decoding.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <cerrno>

#include "TestFiles.h"
#include "picture/PictureError.h"
#include "picture/RegularFile.h"

TEST(RegularFile, OpensOnlyRegularFiles) {
  TestFiles files;
  const QString fifo = files.Path("pipe");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const QString text = files.WriteBytes("text", "hello");
  const QString link = files.Path("link");
  ASSERT_TRUE(QFile::link(text, link));
  const struct {
    QString path;
    int error;  // 0: opens
  } cases[] = {
      {text, 0},
      {link, 0},
      {fifo, EINVAL},
      {files.Folder(), EINVAL},
      {files.Path("missing"), ENOENT},
      {"/dev/zero", EINVAL},
      {QString(), ENOENT},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    RegularFile file;
    EXPECT_EQ(file.Open(c.path), c.error == 0);
    EXPECT_EQ(file.IsOpen(), c.error == 0);
    EXPECT_EQ(file.Error(), c.error);
    EXPECT_EQ(file.ErrorText().isEmpty(), c.error == 0);
    // The constructor raises what Open answers.
    if (c.error)
      EXPECT_THROW(RegularFile{c.path}, PictureError);
    else
      EXPECT_NO_THROW(RegularFile{c.path});
  }
}

TEST(RegularFile, ReadsUpToItsLimit) {
  TestFiles files;
  const QByteArray bytes = QByteArray("0123456789").repeated(10000);
  RegularFile file(files.WriteBytes("data", bytes));
  ASSERT_TRUE(file.IsOpen());
  EXPECT_EQ(file.Size(), bytes.size());
  EXPECT_EQ(file.Peek(12), bytes.left(12));
  EXPECT_EQ(file.TryReadAll(bytes.size()), bytes);
  EXPECT_EQ(file.TryReadAll(bytes.size() - 1), std::nullopt);
  // Peeking and reading do not move a read position.
  EXPECT_EQ(file.Peek(3), QByteArray("012"));
  EXPECT_EQ(RegularFile(files.WriteBytes("empty", QByteArray())).TryReadAll(0), QByteArray());
}

TEST(RegularFile, OnlyRegularFilesWithinTheBound) {
  TestFiles files;
  const QString small = files.WriteBytes(QStringLiteral("small"), QByteArray(100, 'x'));
  const QString fifo = files.Path(QStringLiteral("fifo"));
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

  EXPECT_EQ(RegularFile::TryRead(small, 100), QByteArray(100, 'x'));
  EXPECT_EQ(RegularFile::TryRead(small, 99), std::nullopt);
  // A FIFO with no writer would block an ordinary open for ever.
  EXPECT_EQ(RegularFile::TryRead(fifo, 100), std::nullopt);
  EXPECT_EQ(RegularFile::TryRead(files.Folder(), 100), std::nullopt);
  EXPECT_EQ(RegularFile::TryRead(files.Path(QStringLiteral("missing")), 100), std::nullopt);
  EXPECT_EQ(RegularFile::TryRead(QStringLiteral("/dev/zero"), 100), std::nullopt);
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
