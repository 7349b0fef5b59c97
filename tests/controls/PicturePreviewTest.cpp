// The preview beside the open and save dialogs' file lists: it shows the picture a file
// holds, and only the file's name when the file cannot (or must not) be decoded.
#include <gtest/gtest.h>

#include <QDir>

#include "HostileFiles.h"
#include "TestFiles.h"
#include "controls/PicturePreview.h"

TEST(PicturePreview, ShowsPicturesAndOnlyTheNameOfWhatCannotBeShown) {
  TestFiles files;
  const auto path = [&](const char* name) { return files.Path(QLatin1String(name)); };
  const auto write = [&](const char* name, const QByteArray& bytes) {
    return files.WriteBytes(QLatin1String(name), bytes);
  };
  ASSERT_TRUE(HostileFiles::MakeFifo(path("fifo.jpg")));
  ASSERT_TRUE(QDir().mkdir(path("folder.bmp")));
  enum class Shows { Picture, Name, Nothing };
  const struct {
    QString path;
    Shows shows;
  } cases[] = {
      {files.WriteJpeg(QStringLiteral("photo.jpg"), TestFiles::Pattern(640, 480)), Shows::Picture},
      {files.WriteBmp(QStringLiteral("small.bmp"), TestFiles::Pattern(30, 20)), Shows::Picture},
      {write("one.gif", HostileFiles::Gif(2, 2, {HostileFiles::GifFrame{0, 0, 2, 2, {1}}})),
       Shows::Picture},
      {write("flood.ico", HostileFiles::IconFlood(40, HostileFiles::BlackPng(256), 256)),
       Shows::Picture},
      {write("rle.bmp", HostileFiles::RleBmp(16384, 16384)), Shows::Name},
      {write("prog.jpg", HostileFiles::ProgressiveJpegClaiming(16384, 16384)), Shows::Name},
      {write("tiny.gif", HostileFiles::TinyGifClaiming(16000, 16000)), Shows::Name},
      {write("overflow.ico", HostileFiles::IconClaimingPng(3486502863u)), Shows::Name},
      {write("text.jpg", "not a picture"), Shows::Name},
      {path("fifo.jpg"), Shows::Nothing},
      {path("folder.bmp"), Shows::Nothing},
  };
  PicturePreview preview;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    // Something else first, so that each case has to replace it.
    preview.setText(QStringLiteral("before"));
    preview.ShowFile(c.path);
    const bool picture = !preview.pixmap().isNull();
    EXPECT_EQ(picture, c.shows == Shows::Picture);
    if (c.shows == Shows::Picture) {
      EXPECT_LE(std::max(preview.pixmap().width(), preview.pixmap().height()), 200);
    } else if (c.shows == Shows::Name) {
      EXPECT_EQ(preview.text(), QFileInfo(c.path).fileName());
    } else {
      EXPECT_TRUE(preview.text().isEmpty());
    }
  }
}
