// Loading a picture from the list and through the open dialog.
#include <QFileInfo>

#include "FormsTest.h"
#include "ListHelpers.h"
#include "picture/JpegImage.h"

using namespace ListHelpers;
using LoadingTest = FormsTest;

namespace {

QImage Solid(int w, int h, QRgb color) {
  QImage image(w, h, QImage::Format_ARGB32);
  image.fill(color);
  return image;
}

void ExpectPictureError(const TestDialogs& dialogs) {
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].owner, nullptr);
  EXPECT_EQ(dialogs.messages[0].text, QStringLiteral("图象文件错误!"));
  EXPECT_EQ(dialogs.messages[0].title, QStringLiteral("错误提示"));
  EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Warning);
}

}  // namespace

TEST_F(LoadingTest, EachKindGoesToItsLoader) {
  files.WriteJpeg(QStringLiteral("photo.JPG"), TestFiles::Pattern(64, 48));
  files.WriteJpeg(QStringLiteral("wide.jpeg"), TestFiles::Pattern(90, 30));
  files.WriteBmp(QStringLiteral("pattern.bmp"), TestFiles::Pattern(40, 50));
  files.WriteIco(QStringLiteral("red.ico"), Solid(32, 32, qRgb(255, 0, 0)));
  files.WriteBytes(QStringLiteral("anim.gif"), TinyGif());
  files.WriteBytes(QStringLiteral("drawing.emf"), QByteArray(200, '\x01'));

  enum class Shown { Bitmap, Gif, Nothing };
  struct Case {
    const char* name;
    const char* ext;
    Shown shown;
    int width, height;
  };
  // In this order each row follows a picture of another kind.
  const Case cases[] = {
      {"photo.JPG", ".jpg", Shown::Bitmap, 64, 48},
      {"anim.gif", ".gif", Shown::Gif, 0, 0},
      {"wide.jpeg", ".jpeg", Shown::Bitmap, 90, 30},
      {"drawing.emf", ".emf", Shown::Nothing, 90, 30},
      {"pattern.bmp", ".bmp", Shown::Bitmap, 40, 50},
      {"red.ico", ".ico", Shown::Bitmap, 32, 32},
  };
  QStringList names;
  for (const Case& c : cases) names << QString::fromUtf8(c.name);
  FillList(files, names);

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MainForm->State.PicIsBitmap = false;
    LoadFromList(QString::fromUtf8(c.name));
    ProcessEvents();

    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(MainForm->State.CurFileName, QString::fromUtf8(c.name));
    EXPECT_EQ(MainForm->State.CurExt, QString::fromUtf8(c.ext));
    EXPECT_EQ(MainForm->State.CurIndex, names.indexOf(QString::fromUtf8(c.name)) + 1);
    EXPECT_TRUE(MainForm->imgMain->Visible());
    EXPECT_EQ(MainForm->State.PicWidth, c.width);
    EXPECT_EQ(MainForm->State.PicHeight, c.height);
    EXPECT_EQ(MainForm->StatusBar->Text(1), QString::fromUtf8(c.name));
    EXPECT_EQ(MainForm->StatusBar->Text(0),
              QStringLiteral("%1/6").arg(names.indexOf(QString::fromUtf8(c.name)) + 1));
    EXPECT_TRUE(menuFileForm->Label4->Enabled());

    const Picture& picture = MainForm->imgMain->GetPicture();
    switch (c.shown) {
      case Shown::Bitmap: {
        ASSERT_FALSE(picture.Empty());
        ASSERT_EQ(picture.GetGraphic()->GetKind(), Graphic::Kind::Bitmap);
        EXPECT_EQ(MainForm->imgMain->Width(), c.width);
        EXPECT_EQ(MainForm->imgMain->Height(), c.height);
        const auto& shown = static_cast<const Bitmap&>(*picture.GetGraphic());
        // One decode: WorkBitmap shares the shown pixels until either is written.
        EXPECT_EQ(MainForm->State.WorkBitmap.Image().constBits(), shown.Image().constBits());
        EXPECT_EQ(MainForm->State.WorkBitmap.GetPixelFormat(), PixelFormat::Bit24);
        EXPECT_TRUE(MainForm->State.PicIsBitmap);
        EXPECT_FALSE(MainForm->pnlGifBack->Visible());
        EXPECT_EQ(MainForm->lblSize->Caption(),
                  QStringLiteral("%1 X %2").arg(c.width).arg(c.height));
        break;
      }
      case Shown::Gif:
        EXPECT_TRUE(picture.Empty());
        EXPECT_TRUE(MainForm->pnlGifBack->isVisible());
        EXPECT_EQ(MainForm->pnlGifBack->geometry(), MainForm->scrboxBack->Client()->rect());
        EXPECT_EQ(MainForm->GifBrowser->LocationURL(), files.Path(QString::fromUtf8(c.name)));
        EXPECT_TRUE(MainForm->GifBrowser->Playing());
        EXPECT_FALSE(MainForm->State.PicIsBitmap);
        EXPECT_EQ(MainForm->lblSize->Caption(), QStringLiteral("0 X 0"));
        EXPECT_EQ(MainForm->StatusBar->Text(3), QStringLiteral("0 X 0"));
        break;
      case Shown::Nothing:
        // The empty control keeps the previous picture's size, which zoom and fit divide
        // by; the resolution says nothing was decoded.
        EXPECT_TRUE(picture.Empty());
        EXPECT_FALSE(MainForm->pnlGifBack->Visible());
        EXPECT_FALSE(MainForm->State.PicIsBitmap);
        EXPECT_EQ(MainForm->lblSize->Caption(), QStringLiteral("0 X 0"));
        EXPECT_EQ(MainForm->StatusBar->Text(3), QStringLiteral("0 X 0"));
        break;
    }
  }

  // The BMP's pixels arrive unchanged; the icon is drawn over a new bitmap.
  LoadFromList(QStringLiteral("pattern.bmp"));
  EXPECT_EQ(MainForm->State.WorkBitmap.Image(), TestFiles::Pattern(40, 50));
  LoadFromList(QStringLiteral("red.ico"));
  EXPECT_EQ(MainForm->State.WorkBitmap.Pixel(16, 16), RGBColor(255, 0, 0));
}

TEST_F(LoadingTest, CorruptJpegFromTheListShowsAnEmptyAreaAndTheFileInformation) {
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(30, 20));
  const QString bad = files.WriteBytes(QStringLiteral("bad.jpg"), QByteArray(3000, 'x'));
  FillList(files, {QStringLiteral("a.bmp"), QStringLiteral("bad.jpg")});
  LoadFromList(QStringLiteral("a.bmp"));
  ASSERT_TRUE(dialogs.messages.empty());

  LoadFromList(QStringLiteral("bad.jpg"));
  ExpectPictureError(dialogs);
  EXPECT_TRUE(MainForm->imgMain->Visible());
  EXPECT_TRUE(MainForm->imgMain->GetPicture().Empty());
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("bad.jpg"));
  EXPECT_EQ(MainForm->State.CurExt, QStringLiteral(".jpg"));
  EXPECT_EQ(MainForm->fedFileName->Text(), QStringLiteral("bad.jpg"));
  EXPECT_EQ(MainForm->lblFileSize->Caption(), QStringLiteral("3K"));
  EXPECT_EQ(MainForm->StatusBar->Text(2), QStringLiteral("3K"));
  const QDateTime written = QFileInfo(bad).lastModified();
  const QString writeText = written.addSecs(-(written.time().second() % 2))
                                .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
  EXPECT_EQ(MainForm->lblWriteTime->Caption(), writeText);
  EXPECT_EQ(MainForm->StatusBar->Text(4), QStringLiteral("修改时间: ") + writeText);
  EXPECT_EQ(MainForm->StatusBar->Text(1), QStringLiteral("bad.jpg"));
  EXPECT_EQ(MainForm->StatusBar->Text(0), QStringLiteral("2/2"));
  EXPECT_EQ(MainForm->lblSize->Caption(), QStringLiteral("0 X 0"));
}

TEST_F(LoadingTest, CorruptJpegThroughTheDialogStopsAndKeepsTheList) {
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(30, 20));
  FillList(files, {QStringLiteral("a.bmp"), QStringLiteral("other.bmp")});
  LoadFromList(QStringLiteral("a.bmp"));
  const QString folder = MainForm->State.CurFolder;
  // A fit mode chosen before: the failed open must not get as far as resetting it.
  MainForm->Commands.RealSize.SetChecked(false);
  MainForm->Commands.FitWidth.SetChecked(true);

  QTemporaryDir elsewhere;
  const QString bad = elsewhere.filePath(QStringLiteral("bad.jpg"));
  QFile(bad).open(QIODevice::WriteOnly);
  dialogs.AnswerFile(bad);
  MainForm->sbtnOpenClick();

  ExpectPictureError(dialogs);
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("a.bmp"));
  EXPECT_EQ(MainForm->State.CurFolder, folder);
  ASSERT_EQ(MainForm->ListView1->Count(), 2);
  EXPECT_EQ(MainForm->ListView1->Caption(1), QStringLiteral("other.bmp"));
  EXPECT_TRUE(MainForm->imgMain->Visible());
  EXPECT_TRUE(MainForm->imgMain->GetPicture().Empty());
  EXPECT_FALSE(MainForm->sbtnFitWidth->Flat());
  EXPECT_TRUE(MainForm->sbtnReal->Flat());
  EXPECT_EQ(MainForm->StatusBar->Text(1), QStringLiteral("a.bmp"));
}

TEST_F(LoadingTest, OpenDialogOffersThePictureKindsAndLoadsTheChoice) {
  QTemporaryDir other;
  const QString path = other.filePath(QStringLiteral("Shot.BMP"));
  ASSERT_TRUE(Bitmap(TestFiles::Pattern(120, 80)).Image().save(path, "BMP"));
  FillList(files, {QStringLiteral("stale.jpg")});
  MainForm->State.MenuOpen = true;
  menuFileForm->PopupAt(MainForm->Left(), MainForm->Top());

  dialogs.AnswerFile(path);
  MainForm->sbtnOpenClick();

  ASSERT_EQ(dialogs.fileRequests.size(), 1u);
  const Dialogs::FileRequest& request = dialogs.fileRequests[0];
  EXPECT_FALSE(request.save);
  EXPECT_TRUE(request.fileMustExist);
  EXPECT_TRUE(request.preview);
  const char* expected[][2] = {
      {"All (*.jpg;*.jpeg;*.bmp;*.ico;*.gif;*.emf;*.wmf)",
       "*.jpg;*.jpeg;*.bmp;*.ico;*.gif;*.emf;*.wmf"},
      {"JPEG Image File (*.jpg)", "*.jpg"},
      {"JPEG Image File (*.jpeg)", "*.jpeg"},
      {"Bitmaps (*.bmp)", "*.bmp"},
      {"Icons (*.ico)", "*.ico"},
      {"Gif(*.gif)", "*.gif"},
      {"Enhanced Metafiles (*.emf)", "*.emf"},
      {"Metafiles (*.wmf)", "*.wmf"},
  };
  ASSERT_EQ(request.filters.size(), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(request.filters[i].description, QString::fromUtf8(expected[i][0])) << i;
    EXPECT_EQ(request.filters[i].patterns, QString::fromUtf8(expected[i][1])) << i;
  }

  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("Shot.BMP"));
  EXPECT_EQ(MainForm->State.CurExt, QStringLiteral(".bmp"));
  EXPECT_EQ(MainForm->State.CurFolder, other.path() + QLatin1Char('/'));
  EXPECT_EQ(MainForm->State.PicWidth, 120);
  EXPECT_EQ(MainForm->State.PicHeight, 80);
  EXPECT_EQ(MainForm->lblSize->Caption(), QStringLiteral("120 X 80"));
  EXPECT_EQ(MainForm->StatusBar->Text(3), QStringLiteral("120 X 80"));
  EXPECT_TRUE(MainForm->imgMain->Visible());
  EXPECT_TRUE(menuFileForm->Label4->Enabled());
  // The list now lists the new folder: the old entry is gone.
  EXPECT_EQ(MainForm->ListView1->IndexOfCaption(QStringLiteral("stale.jpg")), -1);

  // Cancelling changes nothing.
  MainForm->sbtnOpenClick();
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("Shot.BMP"));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LoadingTest, BmpAfterGifHidesTheGifPanelAndALaterGifShowsAgain) {
  files.WriteBytes(QStringLiteral("a.gif"), TinyGif());
  files.WriteBmp(QStringLiteral("b.bmp"), TestFiles::Pattern(30, 20));
  files.WriteBytes(QStringLiteral("c.gif"), TinyGif());
  FillList(files, {QStringLiteral("a.gif"), QStringLiteral("b.bmp"), QStringLiteral("c.gif")});

  LoadFromList(QStringLiteral("a.gif"));
  EXPECT_TRUE(MainForm->pnlGifBack->isVisible());
  LoadFromList(QStringLiteral("b.bmp"));
  EXPECT_FALSE(MainForm->pnlGifBack->Visible());
  EXPECT_FALSE(MainForm->GifBrowser->BrowserVisible());
  EXPECT_FALSE(MainForm->GifBrowser->Playing());  // no frames decoded off screen

  // The browser's own Visible property never took the page off the screen.
  LoadFromList(QStringLiteral("c.gif"));
  EXPECT_TRUE(MainForm->pnlGifBack->isVisible());
  EXPECT_TRUE(MainForm->GifBrowser->isVisible());
  EXPECT_TRUE(MainForm->GifBrowser->Playing());

  // The same through the dialog after a BMP.
  LoadFromList(QStringLiteral("b.bmp"));
  dialogs.AnswerFile(files.Path(QStringLiteral("a.gif")));
  MainForm->sbtnOpenClick();
  EXPECT_TRUE(MainForm->GifBrowser->isVisible());
  EXPECT_EQ(MainForm->lblSize->Caption(), QStringLiteral("0 X 0"));
}

TEST_F(LoadingTest, OnlyTheDialogReplacesTheWindowIcon) {
  files.WriteIco(QStringLiteral("red.ico"), Solid(32, 32, qRgb(255, 0, 0)));
  FillList(files, {QStringLiteral("red.ico")});
  auto iconCentre = [] {
    return MainForm->windowIcon().pixmap(32, 32).toImage().pixel(16, 16) & 0xFFFFFF;
  };
  const QRgb before = iconCentre();
  ASSERT_NE(before, 0xFF0000u);

  LoadFromList(QStringLiteral("red.ico"));
  EXPECT_EQ(iconCentre(), before);

  dialogs.AnswerFile(files.Path(QStringLiteral("red.ico")));
  MainForm->sbtnOpenClick();
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(iconCentre(), 0xFF0000u);
}

TEST_F(LoadingTest, TheListKeepsTheFitModeAndTheDialogResetsItToRealSize) {
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(30, 20));
  FillList(files, {QStringLiteral("a.bmp")});
  MainForm->Commands.RealSize.SetChecked(false);
  MainForm->Commands.FitHeight.SetChecked(true);
  MainForm->State.ZoomIndex = 16;
  MainForm->StatusBar->SetText(5, QStringLiteral("150%"));

  LoadFromList(QStringLiteral("a.bmp"));
  EXPECT_FALSE(MainForm->sbtnFitHeight->Flat());
  EXPECT_TRUE(MainForm->sbtnReal->Flat());
  EXPECT_EQ(MainForm->State.ZoomIndex, 12);
  EXPECT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("100%"));

  MainForm->State.ZoomIndex = 16;
  dialogs.AnswerFile(files.Path(QStringLiteral("a.bmp")));
  MainForm->sbtnOpenClick();
  EXPECT_FALSE(MainForm->sbtnReal->Flat());
  for (TSpeedButton* b : {MainForm->sbtnFitWidth, MainForm->sbtnFitHeight, MainForm->sbtnFitPic})
    EXPECT_TRUE(b->Flat());
  EXPECT_EQ(MainForm->State.ZoomIndex, 12);
}

TEST_F(LoadingTest, WithoutASelectionOnlyTheThumbnailFollowsTheCurrentName) {
  files.WriteBmp(QStringLiteral("a.bmp"), TestFiles::Pattern(30, 20));
  files.WriteBmp(QStringLiteral("b.bmp"), TestFiles::Pattern(20, 30));
  FillList(files, {QStringLiteral("a.bmp"), QStringLiteral("b.bmp")});
  for (const char* name : {"a.bmp", "b.bmp"}) MainForm->imgListView->Add(QString::fromUtf8(name));

  LoadFromList(QStringLiteral("b.bmp"));
  EXPECT_EQ(MainForm->imgListView->Selected(), 1);

  MainForm->imgListView->SelectAndFocus(0);
  MainForm->ListView1->ClearSelection();
  MainForm->State.CurIndex = 7;
  MainForm->ListView1DblClick();
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("b.bmp"));
  EXPECT_EQ(MainForm->State.CurIndex, 7);  // nothing loaded
  EXPECT_EQ(MainForm->imgListView->Selected(), 1);
  EXPECT_FALSE(MainForm->imgListView->IsSelected(0));
}
