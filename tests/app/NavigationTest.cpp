// Previous and next, moving and deleting list entries, closing the picture, exit.
#include <QFile>

#include "FormsTest.h"
#include "ListHelpers.h"

using namespace ListHelpers;

class NavigationTest : public FormsTest {
 protected:
  // a.bmp, b.bmp, c.bmp of different sizes in the list.
  void WriteThree() {
    int w = 20;
    for (const QString& name : names) files.WriteBmp(name, TestFiles::Pattern(w++, 10));
    FillList(files, names);
  }

  // Thumbnails as the build makes them: item i shows image i, a tile of its own colour.
  void AddThumbnails() {
    for (int i = 0; i < names.size(); ++i) {
      QImage tile(80, 80, QImage::Format_RGB32);
      tile.fill(tileColours[i]);
      MainForm->ImageList.Add(Bitmap(tile));
      MainForm->imgListView->Add(names[i], i);
    }
  }

  // The colour of ImageList image k, as the index of the name it was made for.
  static int TileOwner(int k) {
    const QRgb c = MainForm->ImageList.Image(k).pixel(40, 40) & 0xFFFFFF;
    for (int i = 0; i < 3; ++i)
      if (c == (tileColours[i] & 0xFFFFFF)) return i;
    return -1;
  }

  static QStringList Captions(const TListView* list) {
    QStringList out;
    for (int i = 0; i < list->Count(); ++i) out << list->Caption(i);
    return out;
  }

  const QStringList names = {QStringLiteral("a.bmp"), QStringLiteral("b.bmp"),
                             QStringLiteral("c.bmp")};
  static constexpr QRgb tileColours[3] = {0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
};

TEST_F(NavigationTest, StepsByPositionAndNeverWraps) {
  WriteThree();
  enum Step { Prior, Next };
  const struct {
    int from;
    Step step;
    int to;
    const char* shown;  // nullptr: nothing loaded
  } cases[] = {
      {2, Prior, 1, "a.bmp"},
      {2, Next, 3, "c.bmp"},
      {1, Prior, 1, nullptr},
      {3, Next, 3, nullptr},
      {0, Next, 1, "a.bmp"},
      {0, Prior, 0, nullptr},
      // Entries deleted since CurIndex was set: the target does not exist.
      {5, Prior, 5, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.from << (c.step == Prior ? " prior" : " next"));
    MainForm->State.CurIndex = c.from;
    MainForm->State.CurFileName = QStringLiteral("before");
    c.step == Prior ? MainForm->sbtnPriorClick() : MainForm->sbtnNextClick();
    EXPECT_EQ(MainForm->State.CurIndex, c.to);
    EXPECT_EQ(MainForm->State.CurFileName,
              c.shown ? QString::fromUtf8(c.shown) : QStringLiteral("before"));
    if (c.shown) {
      EXPECT_EQ(MainForm->ListView1->Selected(), c.to - 1);
      EXPECT_EQ(MainForm->ListView1->Focused(), c.to - 1);
      EXPECT_EQ(MainForm->State.PicWidth, 20 + c.to - 1);
    }
  }
  EXPECT_TRUE(dialogs.messages.empty());

  // The arrow keys of the main window.
  MainForm->State.CurIndex = 2;
  QTest::keyClick(MainForm, Qt::Key_Right);
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("c.bmp"));
  QTest::keyClick(MainForm, Qt::Key_Right);
  EXPECT_EQ(MainForm->State.CurIndex, 3);
  QTest::keyClick(MainForm, Qt::Key_Left);
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("b.bmp"));
}

TEST_F(NavigationTest, NextEndsSelectionMode) {
  WriteThree();
  LoadFromList(QStringLiteral("a.bmp"));
  MainForm->Commands.SelectionMode.SetChecked(true);
  MainForm->shpRect->SetBounds(2, 2, 10, 10);
  MainForm->shpRect->SetVisible(true);

  MainForm->sbtnNextClick();
  EXPECT_TRUE(MainForm->sbtnSelect->Flat());
  EXPECT_FALSE(MainForm->shpRect->Visible());
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("b.bmp"));
}

TEST_F(NavigationTest, MovingUpTwiceTakesTheThumbnailAlong) {
  WriteThree();
  AddThumbnails();
  MainForm->ListView1->SetSortType(true);
  MainForm->ListView1->SelectAndFocus(2);
  MainForm->imgListView->SelectAndFocus(2);

  MainForm->sbtnListUpClick();
  MainForm->sbtnListUpClick();
  EXPECT_FALSE(MainForm->ListView1->SortType());
  const QStringList moved = {QStringLiteral("c.bmp"), QStringLiteral("a.bmp"),
                             QStringLiteral("b.bmp")};
  EXPECT_EQ(Captions(MainForm->ListView1), moved);
  EXPECT_EQ(Captions(MainForm->imgListView), moved);
  EXPECT_EQ(MainForm->ListView1->Selected(), 0);
  EXPECT_EQ(MainForm->ListView1->Focused(), 0);
  EXPECT_EQ(MainForm->imgListView->Selected(), 0);
  for (int k = 0; k < 3; ++k) EXPECT_EQ(MainForm->imgListView->ImageIndex(k), k);
  // Each name keeps its own picture.
  EXPECT_EQ(TileOwner(0), 2);
  EXPECT_EQ(TileOwner(1), 0);
  EXPECT_EQ(TileOwner(2), 1);

  // At the top nothing moves; one step down goes back.
  MainForm->sbtnListUpClick();
  EXPECT_EQ(Captions(MainForm->ListView1), moved);
  MainForm->sbtnListDownClick();
  EXPECT_EQ(
      Captions(MainForm->ListView1),
      (QStringList{QStringLiteral("a.bmp"), QStringLiteral("c.bmp"), QStringLiteral("b.bmp")}));
  EXPECT_EQ(Captions(MainForm->imgListView), Captions(MainForm->ListView1));
  EXPECT_EQ(TileOwner(0), 0);
  EXPECT_EQ(TileOwner(1), 2);
  EXPECT_EQ(MainForm->imgListView->Selected(), 1);

  // Down at the bottom, and any move without a selection, change nothing.
  MainForm->ListView1->SelectAndFocus(2);
  MainForm->imgListView->SelectAndFocus(2);
  MainForm->sbtnListDownClick();
  EXPECT_EQ(Captions(MainForm->ListView1).last(), QStringLiteral("b.bmp"));
  MainForm->ListView1->ClearSelection();
  MainForm->sbtnListUpClick();
  MainForm->sbtnListDelClick();
  EXPECT_EQ(MainForm->ListView1->Count(), 3);
}

TEST_F(NavigationTest, DeleteTakesTheEntryOutOfBothListsButNotOffTheDisk) {
  WriteThree();
  AddThumbnails();
  MainForm->ListView1->SelectAndFocus(1);
  MainForm->imgListView->SelectAndFocus(1);

  MainForm->sbtnListDelClick();
  const QStringList left = {QStringLiteral("a.bmp"), QStringLiteral("c.bmp")};
  EXPECT_EQ(Captions(MainForm->ListView1), left);
  EXPECT_EQ(Captions(MainForm->imgListView), left);
  ASSERT_EQ(MainForm->ImageList.Count(), 2);
  EXPECT_EQ(MainForm->imgListView->ImageIndex(1), 1);
  EXPECT_EQ(TileOwner(MainForm->imgListView->ImageIndex(0)), 0);
  EXPECT_EQ(TileOwner(MainForm->imgListView->ImageIndex(1)), 2);
  EXPECT_TRUE(QFile::exists(files.Path(QStringLiteral("b.bmp"))));
}

TEST_F(NavigationTest, CloseKeepsAGifOnScreenAndResetsTheStatusBar) {
  files.WriteBytes(QStringLiteral("anim.gif"), TinyGif());
  FillList(files, {QStringLiteral("anim.gif")});
  LoadFromList(QStringLiteral("anim.gif"));
  const QString size = MainForm->lblFileSize->Caption();
  MainForm->State.MagnifierOn = true;
  MainForm->Commands.Magnifier.SetChecked(true);
  MainForm->scrboxMagnifier->SetVisible(true);
  MainForm->imgMain->SetCursor(TCursor::Cross);
  MainForm->State.MenuOpen = true;
  menuFileForm->PopupAt(MainForm->Left(), MainForm->Top());

  MainForm->Commands.ClosePicture.Run();
  EXPECT_FALSE(menuFileForm->isVisible());
  EXPECT_FALSE(MainForm->State.MenuOpen);
  EXPECT_FALSE(menuFileForm->Label4->Enabled());
  EXPECT_FALSE(MainForm->imgMain->Visible());
  EXPECT_TRUE(MainForm->imgMain->GetPicture().Empty());
  EXPECT_FALSE(MainForm->State.MagnifierOn);
  EXPECT_TRUE(MainForm->sbtnZoom->Flat());
  EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
  EXPECT_EQ(MainForm->imgMain->Cursor(), TCursor::Default);
  const QString texts[] = {"文件数", "文件名", "大小", "分辨率", "更新日期", "100%", "鼠标位置"};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(MainForm->StatusBar->Text(i), texts[i]) << i;
  // Everything else stays.
  EXPECT_TRUE(MainForm->pnlGifBack->isVisible());
  EXPECT_TRUE(MainForm->GifBrowser->Playing());
  EXPECT_EQ(MainForm->State.CurFileName, QStringLiteral("anim.gif"));
  EXPECT_EQ(MainForm->State.CurIndex, 1);
  EXPECT_EQ(MainForm->lblFileSize->Caption(), size);
  EXPECT_EQ(MainForm->ListView1->Count(), 1);
}

TEST_F(NavigationTest, ExitClosesTheMainWindow) {
  MainForm->Commands.Exit.Run();
  EXPECT_FALSE(MainForm->isVisible());
}
