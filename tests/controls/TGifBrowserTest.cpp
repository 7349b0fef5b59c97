// The GIF page: files Picora cannot afford are refused before QMovie sees them, and the
// checked file it plays still loops as a browser loops it.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMovie>
#include <QTimer>

#include "HostileFiles.h"
#include "PeakMemory.h"
#include "TestFiles.h"
#include "controls/TGifBrowser.h"
#include "picture/PictureError.h"

using HostileFiles::Gif;
using HostileFiles::GifFrame;

TEST(TGifBrowser, HostileFilesAreRefusedAndLeaveThePageBlank) {
  TestFiles files;
  const struct {
    const char* name;
    std::function<QString()> make;
  } cases[] = {
      // QMovie gave this 68-byte file 978 MiB.
      {"tiny GIF claiming 16000 x 16000",
       [&] {
         return files.WriteBytes(QStringLiteral("tiny.gif"),
                                 HostileFiles::TinyGifClaiming(16000, 16000));
       }},
      // QMovie's open waited for a writer for ever.
      {"FIFO",
       [&] {
         const QString path = files.Path(QStringLiteral("pipe.gif"));
         return HostileFiles::MakeFifo(path) ? path : QString();
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = c.make();
    ASSERT_FALSE(path.isEmpty());
    TGifBrowser browser;
    browser.Navigate(files.WriteBytes(QStringLiteral("good.gif"),
                                      Gif(2, 2, {GifFrame{0, 0, 2, 2, {1, 2, 3, 0}}})));
    ASSERT_NE(browser.movie(), nullptr);
    const PeakMemory peak;
    EXPECT_THROW(browser.Navigate(path), PictureError);
    if (peak.Works()) {
      EXPECT_LT(peak.GrowthBytes(), 32 << 20);
    }
    EXPECT_EQ(browser.LocationURL(), path);
    EXPECT_EQ(browser.movie(), nullptr);  // the previous GIF is gone too
    EXPECT_FALSE(browser.Playing());
  }
  // Content that is simply not a GIF is not an error: the page stays blank, as before.
  TGifBrowser browser;
  browser.Navigate(files.WriteBytes(QStringLiteral("text.gif"), "no GIF in here"));
  EXPECT_EQ(browser.movie(), nullptr);
}

TEST(TGifBrowser, CheckedFileLoops) {
  // Looping for ever by itself, and played once: a browser loops both.
  for (const bool loopForEver : {true, false}) {
    SCOPED_TRACE(loopForEver);
    TestFiles files;
    const QString path = files.WriteBytes(
        QStringLiteral("two.gif"),
        Gif(2, 1, {GifFrame{0, 0, 2, 1, {1, 2}}, GifFrame{0, 0, 2, 1, {3, 3}}}, loopForEver));
    TGifBrowser browser;
    browser.Navigate(path);
    QMovie* movie = browser.movie();
    ASSERT_NE(movie, nullptr);
    EXPECT_EQ(movie->frameCount(), 2);
    // Not on screen: paused until shown; run it anyway and watch it come round twice.
    std::vector<int> frames;
    QEventLoop loop;
    QObject::connect(movie, &QMovie::frameChanged, &loop, [&](int frame) {
      frames.push_back(frame);
      if (frames.size() >= 5) loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);  // only if it stops looping
    movie->setPaused(false);
    loop.exec();
    ASSERT_GE(frames.size(), 5u);
    EXPECT_EQ(std::vector<int>(frames.begin(), frames.begin() + 5),
              (std::vector<int>{1, 0, 1, 0, 1}));
    EXPECT_EQ(movie->currentImage().pixel(0, 0), qRgb(0, 0, 255));
  }
}

TEST(TGifBrowser, GifWhoseFramesDoNotDecodeEndsQuietly) {
  // A sound header, then a frame whose LZW code size (13) Qt refuses: the movie ends
  // inside start(), and restarting it from its finished signal recursed until the stack
  // overflowed.
  QByteArray bytes = Gif(2, 2, {GifFrame{0, 0, 2, 2, {1, 2, 3, 0}}});
  const int descriptor = int(bytes.lastIndexOf(char(0x2C)));
  ASSERT_GT(descriptor, 0);
  bytes[descriptor + 10] = char(13);
  TestFiles files;
  TGifBrowser browser;
  browser.Navigate(files.WriteBytes(QStringLiteral("broken.gif"), bytes));
  QEventLoop loop;
  QTimer::singleShot(200, &loop, &QEventLoop::quit);  // let any queued restart run
  loop.exec();
  EXPECT_FALSE(browser.Playing());
}
