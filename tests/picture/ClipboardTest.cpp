// The system clipboard (needs the X server the tests run under).
#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include "HostileFiles.h"
#include "PeakMemory.h"
#include "TestFiles.h"
#include "picture/Clipboard.h"
#include "picture/PictureError.h"

namespace {

// Lets Qt see clipboard ownership changes until ready() or a few seconds pass.
bool WaitFor(const std::function<bool()>& ready) {
  QElapsedTimer timer;
  timer.start();
  while (timer.elapsed() < 5000) {
    QCoreApplication::processEvents();
    if (ready()) return true;
    QThread::msleep(20);
  }
  return false;
}

bool ClipboardHasImage() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasImage();
}

// Another program (xclip) holding the clipboard with the file at path as type mime, until
// this object ends and the test takes the clipboard back.
class OtherProgramOffer {
 public:
  OtherProgramOffer(const QString& xclip, const QString& mime, const QString& path) {
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    owner_.start(
        xclip, {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                QStringLiteral("-t"), mime, QStringLiteral("-i"), path});
  }
  ~OtherProgramOffer() {
    QGuiApplication::clipboard()->setText(QStringLiteral("after"));
    if (!owner_.waitForFinished(3000)) owner_.kill();
    owner_.waitForFinished();
  }
  bool Started() { return owner_.waitForStarted(); }

 private:
  QProcess owner_;  // serves the clipboard until someone else takes it
};

}  // namespace

TEST(Clipboard, PutThenGet) {
  const Bitmap put(TestFiles::Pattern(23, 11));
  Clipboard::PutBitmap(put);
  const Bitmap got = Clipboard::GetBitmap();
  ASSERT_EQ(got.Width(), 23);
  ASSERT_EQ(got.Height(), 11);
  EXPECT_EQ(got.Image(), put.Image());
}

TEST(Clipboard, TextOnlyIsNoPicture) {
  QGuiApplication::clipboard()->setText(QStringLiteral("not a picture"));
  EXPECT_THROW(Clipboard::GetBitmap(), PictureError);
  QGuiApplication::clipboard()->clear();
  EXPECT_THROW(Clipboard::GetBitmap(), PictureError);
}

TEST(Clipboard, PictureFromAnotherProgram) {
  const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
  if (xclip.isEmpty()) GTEST_SKIP() << "xclip is not installed";
  TestFiles files;
  const QImage pattern = TestFiles::Pattern(17, 9);
  for (const char* kind : {"png", "bmp"}) {
    SCOPED_TRACE(kind);
    const QString path = files.Path(QStringLiteral("clip.") + kind);
    ASSERT_TRUE(pattern.save(path, kind));
    OtherProgramOffer offer(xclip, QStringLiteral("image/") + kind, path);
    ASSERT_TRUE(offer.Started());
    ASSERT_TRUE(WaitFor(ClipboardHasImage));
    const Bitmap got = Clipboard::GetBitmap();
    EXPECT_EQ(got.Image(), pattern);
  }
}

// Another program may offer a small file that claims a huge picture. It is refused from
// its header, as the same file opened from disk would be, before any pixel memory is
// spent on it; a picture of a sane size from the same program still comes through.
TEST(Clipboard, AHugePictureFromAnotherProgramIsRefusedBeforeDecoding) {
  const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
  if (xclip.isEmpty()) GTEST_SKIP() << "xclip is not installed";
  TestFiles files;
  const struct {
    const char* name;
    const char* mime;
    QByteArray bytes;
    bool accepted;
  } cases[] = {
      {"huge.bmp", "image/bmp", HostileFiles::RleBmp(20000, 20000), false},
      {"wide.bmp", "image/bmp", HostileFiles::RleBmp(300000, 1000), false},
      {"huge.gif", "image/gif", HostileFiles::TinyGifClaiming(30000, 30000), false},
      {"huge.png", "image/png", HostileFiles::BlackPngOf(20000, 20000), false},
      {"small.png", "image/png", HostileFiles::BlackPngOf(64, 32), true},
      {"small.bmp", "image/bmp", HostileFiles::RleBmp(64, 32), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString path = files.WriteBytes(QLatin1String(c.name), c.bytes);
    OtherProgramOffer offer(xclip, QLatin1String(c.mime), path);
    ASSERT_TRUE(offer.Started());
    ASSERT_TRUE(WaitFor([] {
      const QMimeData* data = QGuiApplication::clipboard()->mimeData();
      return data && !data->hasText();
    }));
    const PeakMemory peak;
    if (c.accepted) {
      const Bitmap got = Clipboard::GetBitmap();
      EXPECT_EQ(got.Width(), 64);
      EXPECT_EQ(got.Height(), 32);
    } else {
      EXPECT_THROW(Clipboard::GetBitmap(), PictureError);
    }
    if (peak.Works()) EXPECT_LT(peak.GrowthBytes(), qint64(64) << 20);
  }
}

// A type whose reader cannot tell the size before decoding (Qt's icns reader) is passed
// over: such an offer reads as unreadable, not as a picture too large to paste.
TEST(Clipboard, AnOfferOfUnknownSizeIsPassedOver) {
  const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
  if (xclip.isEmpty()) GTEST_SKIP() << "xclip is not installed";
  QByteArray icns;
  QBuffer buffer(&icns);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  if (!TestFiles::Pattern(5, 3).save(&buffer, "icns")) GTEST_SKIP() << "no icns writer";
  TestFiles files;
  OtherProgramOffer offer(xclip, QStringLiteral("image/icns"),
                          files.WriteBytes(QStringLiteral("small.icns"), icns));
  ASSERT_TRUE(offer.Started());
  ASSERT_TRUE(WaitFor(ClipboardHasImage));
  try {
    Clipboard::GetBitmap();
    ADD_FAILURE() << "an offer of unknown size was decoded";
  } catch (const PictureError& e) {
    EXPECT_STREQ(e.what(), "The picture on the clipboard cannot be read");
  }
}
