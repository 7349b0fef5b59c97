// The GIF scan that runs before Qt decodes a GIF: what Qt would allocate, found from the
// block structure alone, and refused when it is too much.
#include <gtest/gtest.h>

#include <QFile>

#include "HostileFiles.h"
#include "TestFiles.h"
#include "picture/GifFile.h"
#include "picture/PictureError.h"

using HostileFiles::Gif;
using HostileFiles::GifFrame;

TEST(GifFile, ScanFindsWhatQtWouldAllocate) {
  const QByteArray twoFrames =
      Gif(4, 3, {GifFrame{0, 0, 4, 3, {1, 2, 3}}, GifFrame{1, 1, 2, 2, {0}}});
  const struct {
    const char* name;
    QByteArray bytes;
    int maxFrames;
    bool isGif;
    QSize canvas;
    int frames;
  } cases[] = {
      {"two frames", twoFrames, -1, true, {4, 3}, 2},
      {"first frame only", twoFrames, 1, true, {4, 3}, 1},
      // A screen of 0 x 0: Qt takes the first frame's extent, offset included.
      {"no screen", Gif(0, 0, {GifFrame{2, 1, 5, 6, {1}}}), -1, true, {7, 7}, 1},
      // A wide screen with a small frame: Qt allocates the screen.
      {"wide screen", Gif(60000, 3, {GifFrame{0, 0, 3, 3, {1}}}), -1, true, {60000, 3}, 1},
      {"cut after the screen", twoFrames.left(13), -1, true, {}, 0},
      {"cut inside the first frame's data",
       twoFrames.left(twoFrames.indexOf(',') + 14),
       -1,
       true,
       {4, 3},
       1},
      {"not a GIF", QByteArray("GIF88a and then some"), -1, false, {}, 0},
  };
  TestFiles files;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const GifFile::Info info =
        GifFile::Scan(files.WriteBytes(QStringLiteral("x.gif"), c.bytes), c.maxFrames);
    EXPECT_EQ(info.isGif, c.isGif);
    EXPECT_EQ(info.canvas, c.canvas);
    EXPECT_EQ(info.frames, c.frames);
  }
}

TEST(GifFile, SizesPastTheLimitsAreRefused) {
  const struct {
    const char* name;
    QByteArray bytes;
    const char* reason;
  } cases[] = {
      {"screen past the pixel limit", Gif(20000, 20000, {GifFrame{0, 0, 2, 2, {1}}}), "larger"},
      // The screen is fine; a later frame reaches far outside it.
      {"frame far outside the screen",
       Gif(100, 100, {GifFrame{0, 0, 2, 2, {1}}, GifFrame{60000, 60000, 100, 100, {1}}}), "larger"},
      // The screen is disbelieved and the frame's extent becomes the canvas.
      {"no screen, huge frame", Gif(0, 0, {GifFrame{0, 0, 65535, 65535, {1}}}), "larger"},
      {"a few dozen bytes for 16000 x 16000", HostileFiles::TinyGifClaiming(16000, 16000), "small"},
  };
  TestFiles files;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = files.WriteBytes(QStringLiteral("hostile.gif"), c.bytes);
    try {
      GifFile::Scan(path);
      ADD_FAILURE() << "no error";
    } catch (const PictureError& e) {
      EXPECT_NE(std::string(e.what()).find("hostile.gif"), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
}

TEST(GifFile, OpenHandsOverTheCheckedFile) {
  TestFiles files;
  const QByteArray bytes = Gif(3, 2, {GifFrame{0, 0, 3, 2, {1, 2, 3, 0, 1, 2}}});
  QFile file;
  const GifFile::Info info = GifFile::Open(files.WriteBytes(QStringLiteral("a.gif"), bytes), file);
  EXPECT_EQ(info.frames, 1);
  ASSERT_TRUE(file.isOpen());
  EXPECT_EQ(file.readAll(), bytes);  // from the start, whole
}
