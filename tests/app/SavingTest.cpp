// Save as, save this size, save selection and icons: what lands on disk for each entry of
// the save dialog, and what a failed or cancelled save leaves.
#include <QDir>
#include <QFile>
#include <functional>
#include <set>

#include "EditHelpers.h"
#include "FileSizeLimit.h"
#include "FormsTest.h"
#include "controls/TApplication.h"
#include "picture/ImageFiles.h"
#include "picture/JpegCodec.h"

using namespace EditHelpers;
using SavingTest = FormsTest;

namespace {

enum class Written { Nothing, Bitmap, Jpeg, Icon, GifCopy };

QByteArray Contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

std::set<QString> FolderFiles(const TestFiles& files) {
  std::set<QString> names;
  for (const QString& name : QDir(files.Folder()).entryList(QDir::Files)) names.insert(name);
  return names;
}

// Rows and columns dropped without blending, as a halving color-on-color stretch does:
// the destination pixel's centre falls on the odd source pixels.
QImage HalvedNearest(const QImage& source) {
  QImage out(source.width() / 2, source.height() / 2, QImage::Format_RGB32);
  for (int y = 0; y < out.height(); ++y)
    for (int x = 0; x < out.width(); ++x) out.setPixel(x, y, source.pixel(2 * x + 1, 2 * y + 1));
  return out;
}

void SaveSelection() {
  menuEditForm->Label11Click();
}

// Selection mode with a rectangle at (left, top) of the picture, w x h.
void Select(int left, int top, int w, int h) {
  MainForm->Commands.SelectionMode.SetChecked(true);
  MainForm->shpRect->SetBounds(MainForm->imgMain->Left() + left, MainForm->imgMain->Top() + top, w,
                               h);
  MainForm->shpRect->SetVisible(true);
}

}  // namespace

TEST_F(SavingTest, SaveAsWritesTheChosenKindUnderTheNameReturned) {
  ShowFile(files, QStringLiteral("photo.jpg"), TestFiles::Pattern(40, 30));
  const QImage shown = Shown();
  struct Case {
    const char* name;
    int entry;
    Written written;
  };
  const Case cases[] = {
      {"out.bmp", 1, Written::Bitmap},
      {"typed.jpg", 1, Written::Bitmap},  // the name as returned, in the chosen kind
      {"out.jpg", 2, Written::Jpeg},
      {"out.gif", 3, Written::Nothing},  // only a GIF is saved as a GIF
      {"out.ico", 4, Written::Icon},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::set<QString> before = FolderFiles(files);
    const QString path = files.Path(QString::fromUtf8(c.name));
    dialogs.AnswerFile(path, c.entry);
    MainForm->sbtnSaveClick();

    std::set<QString> expected = before;
    if (c.written != Written::Nothing) expected.insert(QString::fromUtf8(c.name));
    EXPECT_EQ(FolderFiles(files), expected);
    switch (c.written) {
      case Written::Bitmap:
        EXPECT_EQ(ImageFiles::ReadBmp(path), shown);
        break;
      case Written::Jpeg:
        EXPECT_EQ(Contents(path), JpegCodec::Encode(shown, 93));
        break;
      case Written::Icon: {
        const auto entries = ImageFiles::ReadIco(path);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(entries[0].image.size(), QSize(32, 32));
        break;
      }
      default:
        break;
    }
    // Saving changes nothing on screen.
    EXPECT_EQ(Shown(), shown);
    EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("photo.jpg"));
  }

  ASSERT_FALSE(dialogs.fileRequests.empty());
  const Dialogs::FileRequest& request = dialogs.fileRequests.back();
  EXPECT_TRUE(request.save);
  ASSERT_EQ(request.filters.size(), 4);
  EXPECT_EQ(request.filters[1].description, QStringLiteral("JPEG Image File (*.jpg;*.jpeg)"));
  EXPECT_EQ(request.filters[1].patterns, QStringLiteral("*.jpg;*.jpeg"));
  EXPECT_EQ(request.defaultExt, QStringLiteral("jpg"));
  EXPECT_TRUE(request.overwritePrompt);
  // New names must be accepted, or nothing could ever be saved to a new file.
  EXPECT_FALSE(request.fileMustExist);
}

TEST_F(SavingTest, AGifIsSavedOnlyAsABytewiseCopy) {
  const QByteArray gif = ListHelpers::TinyGif();
  files.WriteBytes(QStringLiteral("anim.gif"), gif);
  ListHelpers::FillList(files, {QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  struct Case {
    const char* command;
    std::function<void()> run;
    int entry;
    const char* answer;
    const char* written;  // nullptr: nothing
  };
  const Case cases[] = {
      {"save as", [] { MainForm->sbtnSaveClick(); }, 3, "copy.jpg", "copy.jpg"},
      {"save as", [] { MainForm->sbtnSaveClick(); }, 1, "a.bmp", nullptr},
      {"save as", [] { MainForm->sbtnSaveClick(); }, 2, "a.jpg", nullptr},
      {"save as", [] { MainForm->sbtnSaveClick(); }, 4, "a.ico", nullptr},
      {"save this size", [] { MainForm->sbtnSaveNewClick(); }, 1, "sized", "sized.gif"},
      {"save this size", [] { MainForm->sbtnSaveNewClick(); }, 2, "b", nullptr},
      {"save this size", [] { MainForm->sbtnSaveNewClick(); }, 3, "b", nullptr},
      {"save this size", [] { MainForm->sbtnSaveNewClick(); }, 4, "b", nullptr},
  };
  // A previous picture leaves PicIsBitmap set; the icon entry must still write nothing.
  MainForm->State.PicIsBitmap = true;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    SCOPED_TRACE(c.entry);
    const std::set<QString> before = FolderFiles(files);
    dialogs.AnswerFile(files.Path(QString::fromUtf8(c.answer)), c.entry);
    c.run();
    std::set<QString> expected = before;
    if (c.written) {
      expected.insert(QString::fromUtf8(c.written));
      EXPECT_EQ(Contents(files.Path(QString::fromUtf8(c.written))), gif);
    }
    EXPECT_EQ(FolderFiles(files), expected);
  }
  // No pixels, so no selection to save: not even the dialog comes up.
  Select(0, 0, 1, 1);
  const size_t asked = dialogs.fileRequests.size();
  SaveSelection();
  EXPECT_EQ(dialogs.fileRequests.size(), asked);
}

TEST_F(SavingTest, SaveThisSizeWritesTheDisplayedSize) {
  ShowFile(files, QStringLiteral("photo.jpg"), TestFiles::Pattern(400, 300));
  ShowAtSize(200, 150);
  const QImage half = HalvedNearest(Shown());
  struct Case {
    const char* answer;
    int entry;
    const char* written;
    Written kind;
  };
  // The extension is always appended, even to a name that has one.
  const Case cases[] = {
      {"one", 1, "one.jpg", Written::Jpeg},  // follows the current file: a JPEG
      {"two", 2, "two.jpg", Written::Jpeg},
      {"three", 3, "three.jpg", Written::Jpeg},  // no GIF writer: JPEG
      {"four", 4, "four.bmp", Written::Bitmap},
      {"x.jpg", 2, "x.jpg.jpg", Written::Jpeg},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    const std::set<QString> before = FolderFiles(files);
    dialogs.AnswerFile(files.Path(QString::fromUtf8(c.answer)), c.entry);
    MainForm->sbtnSaveNewClick();
    std::set<QString> expected = before;
    expected.insert(QString::fromUtf8(c.written));
    EXPECT_EQ(FolderFiles(files), expected);
    const QString path = files.Path(QString::fromUtf8(c.written));
    if (c.kind == Written::Jpeg)
      EXPECT_EQ(Contents(path), JpegCodec::Encode(half, 96));
    else
      EXPECT_EQ(ImageFiles::ReadBmp(path), half);
  }
  // The menu items run the same command.
  dialogs.AnswerFile(files.Path(QStringLiteral("menu")), 4);
  menuFileForm->Label6Click();
  dialogs.AnswerFile(files.Path(QStringLiteral("popup")), 4);
  PopupMainForm->Label2Click();
  EXPECT_EQ(ImageFiles::ReadBmp(files.Path(QStringLiteral("menu.bmp"))), half);
  EXPECT_EQ(ImageFiles::ReadBmp(files.Path(QStringLiteral("popup.bmp"))), half);
}

TEST_F(SavingTest, SaveThisSizeOfABitmapAndAfterFitWidth) {
  const QImage start = TestFiles::Pattern(900, 600);
  ShowFile(files, QStringLiteral("big.bmp"), start);
  ShowAtSize(450, 300);
  dialogs.AnswerFile(files.Path(QStringLiteral("half")), 1);
  MainForm->sbtnSaveNewClick();
  EXPECT_EQ(ImageFiles::ReadBmp(files.Path(QStringLiteral("half.bmp"))), HalvedNearest(start));

  // Back to the picture's own size first, so the fit has something to change.
  ShowAtSize(900, 600);
  MainForm->sbtnFitWidthClick();
  const QSize fitted(MainForm->imgMain->Width(), MainForm->imgMain->Height());
  EXPECT_LT(fitted.width(), 900);
  dialogs.AnswerFile(files.Path(QStringLiteral("fitted")), 1);
  MainForm->sbtnSaveNewClick();
  EXPECT_EQ(ImageFiles::ReadBmp(files.Path(QStringLiteral("fitted.bmp"))).size(), fitted);
}

TEST_F(SavingTest, SaveThisSizeOfAnIconWritesABitmapAndAnIcon) {
  QImage red(32, 32, QImage::Format_ARGB32);
  red.fill(qRgb(200, 10, 10));
  ShowFile(files, QStringLiteral("red.ico"), red);
  ShowAtSize(64, 64);
  dialogs.AnswerFile(files.Path(QStringLiteral("n")), 1);
  MainForm->sbtnSaveNewClick();
  EXPECT_EQ(ImageFiles::ReadBmp(files.Path(QStringLiteral("n.bmp"))),
            Solid(64, 64, qRgb(200, 10, 10)));
  // The icon is made from the picture at its own size, not from the displayed one.
  const auto icon = ImageFiles::ReadIco(files.Path(QStringLiteral("n.ico")));
  ASSERT_EQ(icon.size(), 1u);
  EXPECT_EQ(icon[0].image.size(), QSize(32, 32));
  EXPECT_EQ(icon[0].image.pixel(5, 5), qRgb(200, 10, 10));
}

TEST_F(SavingTest, SaveSelectionWritesTheSelectedRegion) {
  const QImage start = TestFiles::Pattern(40, 30);
  ShowFile(files, QStringLiteral("p.bmp"), start);
  struct Case {
    const char* answer;
    int entry;
    QRect selected;  // picture pixels, as drawn
    const char* written;
    QRect saved;  // what lies on the picture
  };
  const Case cases[] = {
      {"a", 1, QRect(5, 3, 10, 20), "a.bmp", QRect(5, 3, 10, 20)},
      {"b", 4, QRect(5, 3, 10, 20), "b.bmp", QRect(5, 3, 10, 20)},
      {"c", 2, QRect(5, 3, 10, 20), "c.jpg", QRect(5, 3, 10, 20)},
      {"d.jpg", 3, QRect(0, 0, 8, 8), "d.jpg.jpg", QRect(0, 0, 8, 8)},
      // Past the right and bottom edges: only the part on the picture.
      {"e", 1, QRect(35, 25, 10, 20), "e.bmp", QRect(35, 25, 5, 5)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answer);
    Select(c.selected.x(), c.selected.y(), c.selected.width(), c.selected.height());
    dialogs.AnswerFile(files.Path(QString::fromUtf8(c.answer)), c.entry);
    SaveSelection();
    const QString path = files.Path(QString::fromUtf8(c.written));
    const QImage region = start.copy(c.saved);
    if (QString::fromUtf8(c.written).endsWith(QLatin1String(".bmp")))
      EXPECT_EQ(ImageFiles::ReadBmp(path), region);
    else
      EXPECT_EQ(Contents(path), JpegCodec::Encode(region, 90));
  }
  // Nothing of the selection on the picture: nothing to save.
  Select(50, 40, 10, 10);
  const size_t asked = dialogs.fileRequests.size();
  SaveSelection();
  EXPECT_EQ(dialogs.fileRequests.size(), asked);
}

TEST_F(SavingTest, IconOfALargePictureIsSystemSizedAndOpaque) {
  ShowFile(files, QStringLiteral("wide.bmp"), Solid(640, 480, qRgb(10, 200, 30)));
  dialogs.AnswerFile(files.Path(QStringLiteral("wide.ico")), 4);
  MainForm->sbtnSaveClick();
  const auto icon = ImageFiles::ReadIco(files.Path(QStringLiteral("wide.ico")));
  ASSERT_EQ(icon.size(), 1u);
  const QImage image = icon[0].image;
  ASSERT_EQ(image.size(), QSize(32, 32));
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) ASSERT_EQ(image.pixel(x, y), qRgb(10, 200, 30)) << x << "," << y;
}

TEST_F(SavingTest, AFailedSaveIsReportedAndKeepsTheOldFile) {
  struct Case {
    const char* name;
    TSpeedButton* TMainForm::*button;
    const char* answer;
    int entry;
    const char* target;  // the file that must survive
    bool diskFull;
  };
  const Case cases[] = {
      {"save as, disk full", &TMainForm::sbtnSave, "keep.bmp", 1, "keep.bmp", true},
      {"save as JPEG, disk full", &TMainForm::sbtnSave, "keep.jpg", 2, "keep.jpg", true},
      {"save as icon, missing folder", &TMainForm::sbtnSave, "no/such/dir/x.ico", 4, nullptr,
       false},
      {"save this size, disk full", &TMainForm::sbtnSaveNew, "sized", 4, "sized.bmp", true},
  };
  ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(400, 300));
  // An edit that only lives in the window: a failed save must not take it along.
  MainForm->Commands.Rotate90.Run();
  const QImage edited = Shown();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.messages.clear();
    QString target;
    if (c.target) target = files.WriteBytes(QString::fromUtf8(c.target), "old contents");
    const std::set<QString> before = FolderFiles(files);
    dialogs.AnswerFile(files.Path(QString::fromUtf8(c.answer)), c.entry);
    {
      // Well below the size of any picture written here.
      FileSizeLimit limit(c.diskFull ? 4096 : RLIM_INFINITY);
      // Through a real click, so the error takes the road of every handler error.
      QTest::mouseClick(MainForm->*c.button, Qt::LeftButton);
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
    EXPECT_EQ(dialogs.messages[0].title, TApplication::Title());
    EXPECT_TRUE(dialogs.messages[0].text.contains(QString::fromUtf8(c.target ? c.target : "x.ico")))
        << dialogs.messages[0].text.toStdString();
    if (c.target) {
      EXPECT_EQ(Contents(target), "old contents");
    }
    EXPECT_EQ(FolderFiles(files), before);  // no temporary file left behind
    EXPECT_EQ(Shown(), edited);
    EXPECT_TRUE(MainForm->isVisible());
  }

  // A GIF is saved as a byte copy; a copy that cannot be written is reported the same way.
  files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
  ListHelpers::FillList(files, {QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  dialogs.messages.clear();
  dialogs.AnswerFile(files.Path(QStringLiteral("no/such/dir/copy.jpg")), 3);
  QTest::mouseClick(MainForm->sbtnSave, Qt::LeftButton);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].icon, Dialogs::Icon::Error);
  EXPECT_TRUE(dialogs.messages[0].text.contains(QStringLiteral("copy.jpg")))
      << dialogs.messages[0].text.toStdString();
}

TEST_F(SavingTest, CancellingWritesNothing) {
  ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(40, 30));
  const QImage shown = Shown();
  Select(2, 2, 10, 10);
  const std::set<QString> before = FolderFiles(files);
  MainForm->sbtnSaveClick();
  MainForm->sbtnSaveNewClick();
  SaveSelection();
  EXPECT_EQ(dialogs.fileRequests.size(), 3u);
  EXPECT_EQ(FolderFiles(files), before);
  EXPECT_EQ(Shown(), shown);
}
