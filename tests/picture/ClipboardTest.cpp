// The system clipboard (needs the X server the tests run under).
#include <gtest/gtest.h>

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

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
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QProcess owner;  // serves the clipboard until someone else takes it
    owner.start(
        xclip, {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                QStringLiteral("-t"), QStringLiteral("image/") + kind, QStringLiteral("-i"), path});
    ASSERT_TRUE(owner.waitForStarted());
    ASSERT_TRUE(WaitFor(ClipboardHasImage));
    const Bitmap got = Clipboard::GetBitmap();
    EXPECT_EQ(got.Image(), pattern);
    QGuiApplication::clipboard()->setText(QStringLiteral("after"));
    if (!owner.waitForFinished(3000)) owner.kill();
    owner.waitForFinished();
  }
}
