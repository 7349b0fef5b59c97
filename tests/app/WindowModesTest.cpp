// Full screen and mini mode: the layouts they make and take back, the captions that say
// which is on, the ways out of mini mode and dragging the mini window by its background.
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "FormsTest.h"
#include "PictureHelpers.h"

using namespace PictureHelpers;

namespace {
const QString kFullScreen = QStringLiteral("全屏(&F)");
const QString kLeaveFullScreen = QStringLiteral("退出全屏(&F)");
const QString kHideList = QStringLiteral("隐藏列表(&L)");
const QString kShowList = QStringLiteral("列表查看(&L)");

QRect ScreenGeometry() {
  return QGuiApplication::primaryScreen()->geometry();
}
bool BarsShown() {
  return MainForm->Panel3->Visible() && MainForm->StatusBar->Visible() &&
         MainForm->FlatSpinEdit->Visible();
}
bool BarsHidden() {
  return !MainForm->Panel3->Visible() && !MainForm->StatusBar->Visible() &&
         !MainForm->FlatSpinEdit->Visible();
}
QSize ViewSize() {
  return MainForm->scrboxBack->Client()->size();
}
}  // namespace

class WindowModesTest : public FormsTest {
 protected:
  void SetUp() override {
    FormsTest::SetUp();
    MainForm->move(70, 50);
    ProcessEvents();
  }
  static void FullScreenItem() { PopupMainForm->Label5Click(); }
};

TEST_F(WindowModesTest, FullScreenLeavesOnlyThePictureArea) {
  // Larger than the whole screen, so that the fit shrinks it both before and after.
  ShowPattern(files, 1600, 1200);
  MainForm->sbtnFitPicClick();
  MainForm->Commands.PictureProperties.Run();
  ASSERT_TRUE(MainForm->Panel2->Visible());
  ASSERT_TRUE(MainForm->Panel1->Visible());
  const QSize fittedBefore = MainForm->imgMain->size();

  FullScreenItem();
  EXPECT_EQ(MainForm->geometry(), ScreenGeometry());
  EXPECT_TRUE(MainForm->windowState() & Qt::WindowFullScreen);
  EXPECT_EQ(MainForm->WindowState(), TWindowState::Maximized);
  EXPECT_TRUE(BarsHidden());
  EXPECT_FALSE(MainForm->Panel1->Visible());
  EXPECT_EQ(MainForm->sbtnList->Hint(), QStringLiteral("显示列表"));
  EXPECT_EQ(menuViewForm->Label5->Caption(), kShowList);
  EXPECT_EQ(PopupMainForm->Label6->Caption(), kShowList);
  EXPECT_EQ(PopupMainForm->Label5->Caption(), kLeaveFullScreen);
  EXPECT_TRUE(MainForm->Panel2->Visible());
  // Fitted again to the larger area: one side fills it.
  const QSize fitted = MainForm->imgMain->size();
  EXPECT_GT(fitted.width(), fittedBefore.width());
  EXPECT_TRUE(fitted.width() == ViewSize().width() || fitted.height() == ViewSize().height())
      << fitted.width() << "x" << fitted.height() << " in " << ViewSize().width() << "x"
      << ViewSize().height();
  EXPECT_FALSE(MainForm->sbtnFitPic->Flat());
}

TEST_F(WindowModesTest, LeavingFullScreenBringsTheNormalBoundsBack) {
  ShowPattern(files, 300, 200);
  const QRect normal = MainForm->geometry();
  for (bool maximisedBefore : {false, true}) {
    SCOPED_TRACE(maximisedBefore ? "from maximised" : "from normal");
    if (maximisedBefore) MainForm->sbtnMaxClick();
    FullScreenItem();
    ASSERT_EQ(MainForm->geometry(), ScreenGeometry());
    FullScreenItem();
    EXPECT_EQ(MainForm->geometry(), normal);
    EXPECT_EQ(MainForm->WindowState(), TWindowState::Normal);
    EXPECT_FALSE(MainForm->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(BarsShown());
    EXPECT_FALSE(MainForm->Panel1->Visible());
    EXPECT_EQ(MainForm->sbtnList->Hint(), QStringLiteral("显示列表"));
    EXPECT_EQ(MainForm->sbtnMax->Hint(), QStringLiteral("最大化"));
    EXPECT_EQ(PopupMainForm->Label5->Caption(), kFullScreen);
    EXPECT_EQ(MainForm->Image2->Left(), MainForm->Image1->Width() - 64);
    MainForm->sbtnListClick();
  }
}

TEST_F(WindowModesTest, TheViewMenuItemDoesNothingBeforeAPicture) {
  const QRect before = MainForm->geometry();
  menuViewForm->Label1Click();
  EXPECT_EQ(MainForm->geometry(), before);
  EXPECT_FALSE(MainForm->Commands.FullScreen.Checked());
  EXPECT_TRUE(BarsShown());
  EXPECT_TRUE(MainForm->Panel1->Visible());
  // With a picture it switches.
  ShowPattern(files, 30, 20);
  menuViewForm->Label1Click();
  EXPECT_TRUE(MainForm->Commands.FullScreen.Checked());
}

TEST_F(WindowModesTest, EscInFullScreenRestoresTheWindowButNotTheTopPanel) {
  ShowPattern(files, 300, 200);
  const QRect normal = MainForm->geometry();
  FullScreenItem();
  MainForm->FormKeyDown(27);
  EXPECT_EQ(MainForm->WindowState(), TWindowState::Normal);
  EXPECT_EQ(MainForm->geometry(), normal);
  EXPECT_TRUE(MainForm->StatusBar->Visible());
  EXPECT_TRUE(MainForm->FlatSpinEdit->Visible());
  EXPECT_FALSE(MainForm->Panel3->Visible());
  EXPECT_EQ(PopupMainForm->Label5->Caption(), kLeaveFullScreen);
}

TEST_F(WindowModesTest, MiniModeIsASmallTopmostFrameThatPlaysTheShow) {
  ShowPattern(files, 800, 600);
  MainForm->Commands.PictureProperties.Run();
  MainForm->State.MenuOpen = true;
  const WId window = MainForm->winId();
  const QPoint place = MainForm->pos();

  menuViewForm->Label8Click();
  EXPECT_EQ(MainForm->geometry(), QRect(place, QSize(240, 240)));
  EXPECT_TRUE(BarsHidden());
  EXPECT_FALSE(MainForm->Panel1->Visible());
  EXPECT_FALSE(MainForm->Panel2->Visible());
  EXPECT_TRUE(MainForm->Splitter1->isVisible());
  EXPECT_FALSE(MainForm->sbtnFitPic->Flat());
  EXPECT_EQ(ViewSize(), QSize(234, 236));
  EXPECT_EQ(MainForm->imgMain->size(), QSize(234, 175));
  EXPECT_TRUE(MainForm->TopMost());
  EXPECT_TRUE(MainForm->windowFlags() & Qt::WindowStaysOnTopHint);
  // Told to the window as it is: not re-created or hidden.
  EXPECT_EQ(MainForm->winId(), window);
  EXPECT_TRUE(MainForm->isVisible());
  EXPECT_EQ(menuViewForm->Label8->Caption(), QStringLiteral("取消迷你(&X)"));
  EXPECT_TRUE(MainForm->State.PopupSuppressed);
  EXPECT_TRUE(MainForm->State.MenuOpen);
  EXPECT_TRUE(MainForm->Commands.SlideShow.Checked());
}

TEST_F(WindowModesTest, EveryWayOutOfMiniModeGivesTheNormalLayout) {
  enum Way { Esc, RightPressOnPicture, RightPressBeside, CloseRequest };
  const struct {
    const char* name;
    Way way;
  } cases[] = {{"Esc", Esc},
               {"right press on the picture", RightPressOnPicture},
               {"right press beside the picture", RightPressBeside},
               {"close request", CloseRequest}};
  ShowPattern(files, 800, 600);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MainForm->Commands.PictureProperties.Run();
    ASSERT_TRUE(MainForm->Panel2->Visible());
    MainForm->move(70, 50);
    menuViewForm->Label8Click();
    ASSERT_TRUE(MainForm->Commands.MiniMode.Checked());
    QWidget* view = MainForm->scrboxBack->Client();
    // Below the picture, which is centred in the 236 rows of the view.
    const QPoint beside(100, 232);
    ASSERT_FALSE(MainForm->imgMain->geometry().contains(beside));
    switch (c.way) {
      case Esc:
        MainForm->FormKeyDown(27);
        break;
      case RightPressOnPicture:
        QTest::mousePress(MainForm->imgMain, Qt::RightButton, {}, QPoint(30, 20));
        QTest::mouseRelease(MainForm->imgMain, Qt::RightButton, {}, QPoint(30, 20));
        break;
      case RightPressBeside:
        QTest::mousePress(view, Qt::RightButton, {}, beside);
        // Left when the button comes up, not before.
        EXPECT_TRUE(MainForm->Commands.MiniMode.Checked());
        QTest::mouseRelease(view, Qt::RightButton, {}, beside);
        break;
      case CloseRequest:
        EXPECT_FALSE(MainForm->close());
        break;
    }
    ProcessEvents();
    EXPECT_FALSE(MainForm->Commands.MiniMode.Checked());
    EXPECT_EQ(MainForm->geometry(), QRect(0, 0, 825, 620));
    EXPECT_TRUE(BarsShown());
    EXPECT_TRUE(MainForm->Panel1->Visible());
    EXPECT_FALSE(MainForm->Panel2->Visible());
    // (The design captions pad with blanks.)
    EXPECT_EQ(menuViewForm->Label5->Caption().trimmed(), kHideList);
    EXPECT_EQ(PopupMainForm->Label6->Caption().trimmed(), kHideList);
    EXPECT_EQ(MainForm->sbtnList->Hint(), QStringLiteral("隐藏列表"));
    EXPECT_EQ(menuViewForm->Label8->Caption(), QStringLiteral("迷你播放(&X)"));
    EXPECT_FALSE(MainForm->TopMost());
    EXPECT_FALSE(MainForm->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(MainForm->State.PopupSuppressed);
    EXPECT_FALSE(PopupMainForm->isVisible());
    EXPECT_FALSE(MainForm->sbtnFitPic->Flat());
    EXPECT_TRUE(MainForm->Commands.SlideShow.Checked());
    EXPECT_TRUE(MainForm->isVisible());
  }
  // Out of mini mode a close request closes.
  EXPECT_TRUE(MainForm->close());
}

TEST_F(WindowModesTest, TheMiniWindowFollowsALeftPressBesideThePicture) {
  ShowPattern(files, 800, 600);
  menuViewForm->Label8Click();
  ProcessEvents();
  QWidget* view = MainForm->scrboxBack->Client();
  const QPoint beside(100, 232);
  // No window manager runs the move under the test server, so the window follows the
  // mouse itself until the release. The real pointer is moved, and put back afterwards.
  const QPoint pointerBefore = QCursor::pos();
  const QPoint start = MainForm->pos();
  const QPoint grab = view->mapToGlobal(beside);
  QCursor::setPos(grab);
  QTest::mousePress(view, Qt::LeftButton, {}, beside);
  QCursor::setPos(grab + QPoint(40, 25));
  MainForm->scrboxBackMouseMove(beside.x(), beside.y());
  EXPECT_EQ(MainForm->pos(), start + QPoint(40, 25));
  QTest::mouseRelease(view, Qt::LeftButton, {}, beside);
  QCursor::setPos(grab + QPoint(80, 50));
  MainForm->scrboxBackMouseMove(beside.x(), beside.y());
  EXPECT_EQ(MainForm->pos(), start + QPoint(40, 25));
  EXPECT_TRUE(MainForm->Commands.MiniMode.Checked());
  QCursor::setPos(pointerBefore);
}
