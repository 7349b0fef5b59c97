// Cut, copy and paste between the selection and the system clipboard.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QStandardPaths>

#include "FormsTest.h"
#include "PictureHelpers.h"
#include "controls/TApplication.h"
#include "picture/Clipboard.h"

using namespace PictureHelpers;

namespace {

class ClipboardEditTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    pattern = ShowPattern(files, 200, 150);
    MainForm->sbtnSelectClick();
  }

  // A selection drawn with the mouse: w x h at (x, y) in picture pixels.
  static void Select(int x, int y, int w, int h) {
    MainForm->imgMainMouseDown(Qt::LeftButton, x, y);
    MainForm->imgMainMouseMove(x + w, y + h);
    MainForm->imgMainMouseUp(Qt::LeftButton, x + w, y + h);
  }

  // The displayed picture and the reference copy hold the same pixels.
  static void ExpectWorkBitmapIsShown() {
    EXPECT_EQ(MainForm->State.WorkBitmap.Image(), Shown());
    EXPECT_EQ(MainForm->State.WorkBitmap.GetPixelFormat(), PixelFormat::Bit24);
  }

  QImage pattern;
};

QImage Solid(int w, int h, QRgb color) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// Waits until another program's clipboard contents have reached us.
bool ClipboardHasImageSoon() {
  return QTest::qWaitFor(
      [] {
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        return data && data->hasImage();
      },
      5000);
}

}  // namespace

TEST_F(ClipboardEditTest, CopyThenPasteElsewhereDuplicatesTheRegion) {
  Select(10, 20, 30, 25);
  MainForm->Commands.Copy.Run();
  const Bitmap clip = Clipboard::GetBitmap();
  EXPECT_EQ(clip.Image(), pattern.copy(10, 20, 30, 25));
  // Copy changes nothing.
  EXPECT_EQ(Shown(), pattern);

  Select(120, 100, 30, 25);
  MainForm->Commands.Paste.Run();
  QImage expected = pattern;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 30; ++x) expected.setPixel(120 + x, 100 + y, pattern.pixel(10 + x, 20 + y));
  EXPECT_EQ(Shown(), expected);
  ExpectWorkBitmapIsShown();
  EXPECT_TRUE(dialogs.messages.empty());
  // The mode and the rectangle stay.
  EXPECT_TRUE(MainForm->Commands.SelectionMode.Checked());
  EXPECT_EQ(MainForm->Selection->SelectionRect().ToQRect(), QRect(120, 100, 30, 25));
}

TEST_F(ClipboardEditTest, CutLeavesWhiteAndPasteRestores) {
  Select(30, 40, 50, 35);
  MainForm->Commands.Cut.Run();
  QImage white = pattern;
  for (int y = 40; y < 75; ++y)
    for (int x = 30; x < 80; ++x) white.setPixel(x, y, qRgb(255, 255, 255));
  EXPECT_EQ(Shown(), white);
  ExpectWorkBitmapIsShown();
  EXPECT_EQ(Clipboard::GetBitmap().Image(), pattern.copy(30, 40, 50, 35));

  MainForm->Commands.Paste.Run();
  EXPECT_EQ(Shown(), pattern);
  ExpectWorkBitmapIsShown();
}

// The clipboard picture's top-left part fills the region; what it does not cover stays.
TEST_F(ClipboardEditTest, PasteTakesTheTopLeftPartOfTheClipboardPicture) {
  struct Case {
    QSize clip;
    QSize selection;
  };
  const Case cases[] = {{{100, 100}, {40, 30}}, {{10, 12}, {40, 30}}, {{60, 8}, {40, 30}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.clip.width() << "x" << c.clip.height());
    MainForm->imgMain->GetPicture().BitmapView().Assign(Bitmap(pattern));
    const QImage clip = Solid(c.clip.width(), c.clip.height(), qRgb(1, 2, 3));
    Clipboard::PutBitmap(Bitmap(clip));
    Select(50, 60, c.selection.width(), c.selection.height());
    MainForm->Commands.Paste.Run();
    QImage expected = pattern;
    for (int y = 0; y < std::min(c.clip.height(), c.selection.height()); ++y)
      for (int x = 0; x < std::min(c.clip.width(), c.selection.width()); ++x)
        expected.setPixel(50 + x, 60 + y, qRgb(1, 2, 3));
    EXPECT_EQ(Shown(), expected);
    ExpectWorkBitmapIsShown();
  }
  // A picture with its own pattern: its top-left pixels, not some other part.
  Clipboard::PutBitmap(Bitmap(TestFiles::Pattern(100, 100)));
  Select(0, 0, 40, 30);
  MainForm->Commands.Paste.Run();
  EXPECT_EQ(Shown().copy(0, 0, 40, 30), TestFiles::Pattern(100, 100).copy(0, 0, 40, 30));
}

TEST_F(ClipboardEditTest, PasteWithoutAPictureOnTheClipboardChangesNothing) {
  Select(10, 10, 40, 30);
  const QImage workBefore = MainForm->State.WorkBitmap.Image();
  for (bool text : {true, false}) {
    SCOPED_TRACE(text ? "text" : "empty");
    dialogs.messages.clear();
    if (text)
      QGuiApplication::clipboard()->setText(QStringLiteral("not a picture"));
    else
      QGuiApplication::clipboard()->clear();
    MainForm->Commands.Paste.Run();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("剪贴板格式错误!"));
    EXPECT_EQ(dialogs.messages[0].title, TApplication::Title());
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::None);
    EXPECT_EQ(Shown(), pattern);
    EXPECT_EQ(MainForm->State.WorkBitmap.Image(), workBefore);
  }
}

TEST_F(ClipboardEditTest, RegionPastThePictureEdgeIsClipped) {
  Select(180, 140, 50, 50);  // drawn beyond the right and bottom edges
  MainForm->Commands.Copy.Run();
  EXPECT_EQ(Clipboard::GetBitmap().Image(), pattern.copy(180, 140, 20, 10));

  MainForm->Commands.Cut.Run();
  EXPECT_EQ(Shown().size(), QSize(200, 150));
  EXPECT_EQ(Shown().copy(180, 140, 20, 10), Solid(20, 10, qRgb(255, 255, 255)));
  EXPECT_EQ(Shown().copy(0, 0, 180, 150), pattern.copy(0, 0, 180, 150));

  Clipboard::PutBitmap(Bitmap(Solid(80, 80, qRgb(9, 9, 9))));
  MainForm->Commands.Paste.Run();
  EXPECT_EQ(Shown().copy(180, 140, 20, 10), Solid(20, 10, qRgb(9, 9, 9)));
  EXPECT_EQ(Shown().copy(0, 0, 180, 150), pattern.copy(0, 0, 180, 150));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ClipboardEditTest, MenuItemsRunTheCommands) {
  Select(5, 6, 20, 10);
  // The Edit menu item closes its menu first.
  menuEditForm->Show();
  MainForm->State.MenuOpen = true;
  menuEditForm->Label2Click();
  EXPECT_FALSE(menuEditForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_EQ(Clipboard::GetBitmap().Image(), pattern.copy(5, 6, 20, 10));

  // The selection menu runs cut whatever the Edit menu's items say.
  menuEditForm->SetSelectionItemsEnabled(false);
  popupShapeForm->Show();
  popupShapeForm->Label1Click();
  EXPECT_FALSE(popupShapeForm->isVisible());
  EXPECT_EQ(Shown().copy(5, 6, 20, 10), Solid(20, 10, qRgb(255, 255, 255)));
}

TEST_F(ClipboardEditTest, PastesAPicturePutThereByAnotherProgram) {
  const QString xclip = QStandardPaths::findExecutable(QStringLiteral("xclip"));
  if (xclip.isEmpty()) GTEST_SKIP() << "xclip is not installed";
  const QImage picture = TestFiles::Pattern(60, 40).mirrored(true, false);
  const QString path = files.Path(QStringLiteral("from-elsewhere.png"));
  ASSERT_TRUE(picture.save(path, "png"));
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  QProcess owner;  // serves the clipboard until someone else takes it
  owner.start(xclip,
              {QStringLiteral("-quiet"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
               QStringLiteral("-t"), QStringLiteral("image/png"), QStringLiteral("-i"), path});
  ASSERT_TRUE(owner.waitForStarted());
  ASSERT_TRUE(ClipboardHasImageSoon());

  Select(100, 50, 60, 40);
  MainForm->Commands.Paste.Run();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(Shown().copy(100, 50, 60, 40), picture);
  ExpectWorkBitmapIsShown();

  // And the other way: what we copy, the other program can read.
  MainForm->Commands.Copy.Run();
  QProcess reader;
  reader.start(xclip,
               {QStringLiteral("-o"), QStringLiteral("-selection"), QStringLiteral("clipboard"),
                QStringLiteral("-t"), QStringLiteral("image/png")});
  ASSERT_TRUE(reader.waitForStarted());
  // Our clipboard answers on the window thread: keep it running while xclip reads.
  ASSERT_TRUE(QTest::qWaitFor([&] { return reader.state() == QProcess::NotRunning; }, 5000));
  QImage read;
  ASSERT_TRUE(read.loadFromData(reader.readAllStandardOutput(), "png"));
  EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);

  if (!owner.waitForFinished(3000)) owner.kill();
  owner.waitForFinished();
}
