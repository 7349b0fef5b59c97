// The mouse over the picture: pointer position, drag-scrolling, the picture menu, mini
// mode, and the magnifier lens.
#include <QCursor>

#include "FormsTest.h"
#include "ListHelpers.h"
#include "PictureHelpers.h"

using namespace PictureHelpers;

namespace {

using MouseTest = FormsTest;

void ZoomSteps(int steps) {
  for (int i = 0; i < steps; ++i) MainForm->sbtnZoomInClick();
  for (int i = 0; i > steps; --i) MainForm->sbtnZoomOutClick();
}

// What the lens box shows on screen.
QImage LensOnScreen() {
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  return MainForm->scrboxMagnifier->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

// ---- Pointer position and drag-scrolling -----------------------------------------------------

TEST_F(MouseTest, StatusPanelShowsThePointerOverThePicture) {
  ShowPattern(files, 300, 200);
  TImage* img = MainForm->imgMain;
  for (const QPoint p : {QPoint(0, 0), QPoint(12, 34), QPoint(299, 199)}) {
    // A move of the pointer with no button down, as the window system delivers it.
    QMouseEvent move(QEvent::MouseMove, p, img->mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(img, &move);
    EXPECT_EQ(MainForm->StatusBar->Text(6), QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y()));
  }
}

TEST_F(MouseTest, DraggingThePictureScrollsTheViewWithThePointer) {
  ShowPattern(files, 1500, 1200);
  TImage* img = MainForm->imgMain;
  QTest::mousePress(img, Qt::LeftButton, {}, QPoint(300, 300));
  EXPECT_TRUE(MainForm->Mouse->DragScrolling);
  QTest::mouseMove(img, QPoint(250, 260));
  ProcessEvents();
  EXPECT_EQ(MainForm->scrboxBack->HorzPosition(), 50);
  EXPECT_EQ(MainForm->scrboxBack->VertPosition(), 40);
  // The picture point that was pressed is under the pointer again.
  EXPECT_EQ(img->Left(), -50);
  EXPECT_EQ(img->Top(), -40);
  QTest::mouseRelease(img, Qt::LeftButton, {}, QPoint(300, 300));
  EXPECT_FALSE(MainForm->Mouse->DragScrolling);
}

TEST_F(MouseTest, DragScrollingStopsAtTheEndsAndEndsWithTheRelease) {
  ShowPattern(files, 1500, 1200);
  TScrollBox* view = MainForm->scrboxBack;
  const int maxX = MainForm->imgMain->Width() - view->Client()->width();
  const int maxY = MainForm->imgMain->Height() - view->Client()->height();
  MainForm->imgMainMouseDown(Qt::MiddleButton, 400, 300);
  MainForm->imgMainMouseMove(-100000, -100000);
  EXPECT_EQ(view->HorzPosition(), maxX);
  EXPECT_EQ(view->VertPosition(), maxY);
  MainForm->imgMainMouseMove(100000, 100000);
  EXPECT_EQ(view->HorzPosition(), 0);
  EXPECT_EQ(view->VertPosition(), 0);
  MainForm->imgMainMouseUp(Qt::MiddleButton, 0, 0);
  MainForm->imgMainMouseMove(0, 0);
  EXPECT_EQ(view->HorzPosition(), 0);
  EXPECT_EQ(MainForm->StatusBar->Text(6), QStringLiteral("(0,0)"));
}

// ---- The picture menu
// ------------------------------------------------------------------------------

TEST_F(MouseTest, RightPressOpensThePictureMenuWhereThePointerIs) {
  ShowPattern(files, 300, 200);
  struct Case {
    const char* name;
    bool selectionMode;
    bool suppressed;
    bool menuShown;
  };
  const Case cases[] = {
      {"plain", false, false, true},
      {"suppressed", false, true, false},
      {"selection mode drags instead", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PopupMainForm->Hide();
    if (c.selectionMode != MainForm->Commands.SelectionMode.Checked()) MainForm->sbtnSelectClick();
    MainForm->State.PopupSuppressed = c.suppressed;
    MainForm->State.MenuOpen = true;
    QTest::mousePress(MainForm->imgMain, Qt::RightButton, {}, QPoint(30, 20));
    ProcessEvents();
    EXPECT_FALSE(MainForm->State.MenuOpen);
    EXPECT_EQ(PopupMainForm->isVisible(), c.menuShown);
    EXPECT_EQ(MainForm->Mouse->DragScrolling, c.selectionMode);
    if (c.menuShown) {
      const TMainForm* f = MainForm;
      EXPECT_EQ(PopupMainForm->Left(), 30 + f->scrboxBack->Left() + f->imgMain->Left() + f->Left());
      EXPECT_EQ(PopupMainForm->Top(), 20 + f->scrboxBack->Top() + f->imgMain->Top() + f->Top());
    }
    QTest::mouseRelease(MainForm->imgMain, Qt::RightButton, {}, QPoint(30, 20));
    EXPECT_FALSE(MainForm->Mouse->DragScrolling);
  }
}

TEST_F(MouseTest, ALeftClickOnThePictureClosesTheMenus) {
  ShowPattern(files, 300, 200);
  TForm* menus[] = {menuFileForm, menuEditForm,   menuZoomForm,  menuViewForm, menuToolForm,
                    menuHelpForm, popupShapeForm, PopupMainForm, ViewModeForm};
  for (TForm* menu : menus) menu->Show();
  QTest::mouseClick(MainForm->imgMain, Qt::LeftButton, {}, QPoint(5, 5));
  ProcessEvents();
  for (TForm* menu : menus) EXPECT_FALSE(menu->isVisible()) << menu->metaObject()->className();
}

TEST_F(MouseTest, InMiniModeARightPressOpensNoMenuAndALeftPressMovesTheWindow) {
  ShowPattern(files, 300, 200);
  MainForm->Commands.MiniMode.SetChecked(true);
  MainForm->State.PopupSuppressed = true;
  MainForm->imgMainMouseDown(Qt::RightButton, 30, 20);
  EXPECT_FALSE(PopupMainForm->isVisible());
  MainForm->imgMainMouseUp(Qt::RightButton, 30, 20);
  // The right press has left mini mode; back into it for the left press.
  EXPECT_FALSE(MainForm->Commands.MiniMode.Checked());
  MainForm->Commands.MiniMode.SetChecked(true);
  MainForm->State.PopupSuppressed = true;

  // No window manager runs the move under the test server, so the window follows the
  // mouse itself until the release. The real pointer is moved, and put back afterwards.
  const QPoint pointerBefore = QCursor::pos();
  const QPoint start = MainForm->pos();
  const QPoint grab = MainForm->imgMain->mapToGlobal(QPoint(30, 20));
  QCursor::setPos(grab);
  QTest::mousePress(MainForm->imgMain, Qt::LeftButton, {}, QPoint(30, 20));
  QCursor::setPos(grab + QPoint(40, 25));
  MainForm->imgMainMouseMove(30, 20);
  EXPECT_EQ(MainForm->pos(), start + QPoint(40, 25));
  QTest::mouseRelease(MainForm->imgMain, Qt::LeftButton, {}, QPoint(30, 20));
  QCursor::setPos(grab + QPoint(80, 50));
  MainForm->imgMainMouseMove(30, 20);
  EXPECT_EQ(MainForm->pos(), start + QPoint(40, 25));
  QCursor::setPos(pointerBefore);
}

// ---- Magnifier ---------------------------------------------------------------------------------

TEST_F(MouseTest, MagnifierOnShowsThePictureAtItsOwnSize) {
  ShowPattern(files, 320, 240);
  ZoomSteps(6);  // 300 %
  ASSERT_EQ(MainForm->imgMain->Width(), 960);
  MainForm->sbtnZoomClick();

  TImage* img = MainForm->imgMain;
  EXPECT_TRUE(MainForm->State.MagnifierOn);
  EXPECT_FALSE(MainForm->sbtnZoom->Flat());
  EXPECT_TRUE(MainForm->scrboxMagnifier->Visible());
  EXPECT_EQ(img->Width(), 320);
  EXPECT_EQ(img->Height(), 240);
  EXPECT_TRUE(img->AutoSize());
  EXPECT_FALSE(img->Stretch());
  EXPECT_EQ(img->Cursor(), TCursor::Cross);
  EXPECT_EQ(MainForm->State.ZoomIndex, 12);
  EXPECT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("100%"));
  EXPECT_EQ(MainForm->scrboxBack->HorzPosition(), 0);
  EXPECT_EQ(MainForm->scrboxBack->VertPosition(), 0);
  EXPECT_EQ(img->Left(), (MainForm->scrboxBack->Width() - 320) / 2);
  EXPECT_EQ(img->Top(), (MainForm->scrboxBack->Height() - 240) / 2);
  // The lens starts at 100 % too.
  EXPECT_EQ(MainForm->imgMagnifier->Width(), 320);
  EXPECT_EQ(MainForm->imgMagnifier->GetPicture().Width(), 320);

  MainForm->sbtnZoomClick();
  EXPECT_FALSE(MainForm->State.MagnifierOn);
  EXPECT_TRUE(MainForm->sbtnZoom->Flat());
  EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
  EXPECT_EQ(img->Cursor(), TCursor::Default);
  EXPECT_TRUE(MainForm->imgMagnifier->GetPicture().Empty());
  EXPECT_EQ(MainForm->State.ZoomIndex, 12);
  EXPECT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("100%"));
}

TEST_F(MouseTest, MagnifierZoomChangesOnlyTheLensUpTo400) {
  ShowPattern(files, 320, 240);
  MainForm->sbtnZoomClick();
  ZoomSteps(10);
  EXPECT_EQ(MainForm->State.ZoomIndex, 19);
  EXPECT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("400%"));
  EXPECT_EQ(MainForm->imgMain->Width(), 320);
  EXPECT_EQ(MainForm->imgMagnifier->Width(), 1280);
  EXPECT_EQ(MainForm->imgMagnifier->Height(), 960);
  ZoomSteps(-9);
  EXPECT_EQ(MainForm->State.ZoomIndex, 10);
  EXPECT_EQ(MainForm->imgMagnifier->Width(), 256);
  EXPECT_EQ(MainForm->imgMain->Width(), 320);
}

TEST_F(MouseTest, LensSitsUpLeftOfThePointerAndScrollsToThePointUnderIt) {
  ShowPattern(files, 600, 500);
  MainForm->sbtnZoomClick();
  ZoomSteps(5);  // 200 %
  ASSERT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("200%"));
  MainForm->imgMainMouseMove(200, 200);
  TScrollBox* lens = MainForm->scrboxMagnifier;
  EXPECT_EQ(lens->Left(), 200 + MainForm->imgMain->Left() - 125);
  EXPECT_EQ(lens->Top(), 200 + MainForm->imgMain->Top() - 125);
  EXPECT_EQ(lens->Width(), 121);
  EXPECT_EQ(lens->HorzPosition(), 210);
  EXPECT_EQ(lens->VertPosition(), 210);
  // Left of the lens centre the formula goes negative: the box clamps to its start.
  MainForm->imgMainMouseMove(20, 40);
  EXPECT_EQ(lens->HorzPosition(), 0);
  EXPECT_EQ(lens->VertPosition(), 0);
}

// The lens on screen against the picture stretched colour-on-colour to the lens size.
TEST_F(MouseTest, LensShowsThePictureEnlargedPixelForPixel) {
  const QImage pattern = ShowPattern(files, 320, 300);
  struct Case {
    int steps;  // from 100 %
    int percent;
    QPoint pointer;
  };
  const Case cases[] = {
      {0, 100, {200, 180}}, {5, 200, {200, 200}}, {4, 150, {250, 140}},
      {7, 400, {300, 290}}, {-4, 50, {130, 130}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.percent);
    MainForm->sbtnZoomClick();  // on, at 100 %
    ZoomSteps(c.steps);
    ASSERT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("%1%").arg(c.percent));
    MainForm->imgMainMouseMove(c.pointer.x(), c.pointer.y());

    Bitmap enlarged(320 * c.percent / 100, 300 * c.percent / 100);
    enlarged.SetStretchMode(StretchMode::ColorOnColor);
    enlarged.StretchBlt(0, 0, enlarged.Width(), enlarged.Height(), Bitmap(pattern), 0, 0, 320, 300);
    const QImage screen = LensOnScreen();
    const QWidget* client = MainForm->scrboxMagnifier->Client();
    ASSERT_GE(client->width(), 119);
    const int h = MainForm->scrboxMagnifier->HorzPosition();
    const int v = MainForm->scrboxMagnifier->VertPosition();
    int compared = 0;
    for (int r = 0; r < client->height(); ++r)
      for (int col = 0; col < client->width(); ++col) {
        // The lens image sits 3 rows above the box.
        const int lx = h + col, ly = v + 3 + r;
        if (lx >= enlarged.Width() || ly >= enlarged.Height()) continue;
        ASSERT_EQ(screen.pixel(col, r), enlarged.Image().pixel(lx, ly)) << col << "," << r;
        ++compared;
      }
    EXPECT_GT(compared, 100 * 100);
    if (c.percent == 100) {
      // Under the lens lie the same columns, and the rows 3 higher.
      const QPoint p = c.pointer;
      EXPECT_EQ(screen.pixel(10, 10), pattern.pixel(p.x() - 125 + 10, p.y() - 122 + 10));
    }
    MainForm->sbtnZoomClick();  // off
  }
}

TEST_F(MouseTest, LensOfALargePictureAt400KeepsThePictureAtItsOwnSize) {
  const QImage pattern = TestFiles::Pattern(6000, 4000);
  TImage* img = MainForm->imgMain;
  img->GetPicture().Assign(Bitmap(pattern));
  img->SetVisible(true);
  MainForm->State.PicWidth = 6000;
  MainForm->State.PicHeight = 4000;
  MainForm->State.CurExt = QStringLiteral(".bmp");
  MainForm->sbtnZoomClick();
  ZoomSteps(7);
  ASSERT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("400%"));
  EXPECT_EQ(MainForm->imgMagnifier->Width(), 24000);
  EXPECT_EQ(MainForm->imgMagnifier->Height(), 16000);
  // No enlarged copy: the lens holds the picture's own pixels.
  EXPECT_EQ(MainForm->imgMagnifier->GetPicture().Width(), 6000);

  MainForm->imgMainMouseMove(3000, 2000);
  const QImage screen = LensOnScreen();
  const int h = MainForm->scrboxMagnifier->HorzPosition();
  const int v = MainForm->scrboxMagnifier->VertPosition();
  EXPECT_EQ(h, (3000 - 65) * 300 / 100 + 3000 - 125);
  // At a whole factor every picture pixel becomes a 4 x 4 block.
  for (int r = 0; r < 110; r += 7)
    for (int col = 0; col < 110; col += 5)
      ASSERT_EQ(screen.pixel(col, r), pattern.pixel((h + col) / 4, (v + 3 + r) / 4))
          << col << "," << r;
}

TEST_F(MouseTest, MagnifierOnLeavesSelectionModeCompletely) {
  ShowPattern(files, 300, 200);
  MainForm->sbtnSelectClick();
  MainForm->imgMainMouseDown(Qt::LeftButton, 10, 10);
  MainForm->imgMainMouseMove(50, 40);
  MainForm->imgMainMouseUp(Qt::LeftButton, 50, 40);
  ASSERT_TRUE(menuEditForm->Label2->Enabled());

  MainForm->sbtnZoomClick();
  EXPECT_TRUE(MainForm->State.MagnifierOn);
  EXPECT_TRUE(MainForm->sbtnSelect->Flat());
  EXPECT_FALSE(MainForm->shpRect->Visible());
  EXPECT_EQ(menuEditForm->Label4->Caption(), QStringLiteral("区域选择(&T)   "));
  for (TLabel* item :
       {menuEditForm->Label1, menuEditForm->Label2, menuEditForm->Label3, menuEditForm->Label11})
    EXPECT_FALSE(item->Enabled());
}

TEST_F(MouseTest, MagnifierDoesNothingWithoutAPictureOrForAGif) {
  MainForm->sbtnZoomClick();
  EXPECT_FALSE(MainForm->State.MagnifierOn);
  EXPECT_TRUE(MainForm->sbtnZoom->Flat());

  ShowPattern(files, 300, 200);
  MainForm->State.CurExt = QStringLiteral(".gif");
  MainForm->sbtnZoomClick();
  EXPECT_FALSE(MainForm->State.MagnifierOn);
  EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
}

TEST_F(MouseTest, OpeningAGifTurnsTheMagnifierOff) {
  ShowPattern(files, 300, 200);
  MainForm->sbtnZoomClick();
  ASSERT_TRUE(MainForm->State.MagnifierOn);
  dialogs.AnswerFile(files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif()));
  MainForm->Commands.Open.Run();
  EXPECT_EQ(MainForm->State.CurExt, QStringLiteral(".gif"));
  EXPECT_FALSE(MainForm->State.MagnifierOn);
  EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
  EXPECT_TRUE(MainForm->sbtnZoom->Flat());
}
