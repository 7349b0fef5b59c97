// Selection mode: the toggle, drawing the rectangle on the picture, moving it and its menu.

#include "FormsTest.h"
#include "PictureHelpers.h"

using namespace PictureHelpers;

namespace {

class SelectionTest : public FormsTest {
 protected:
  // The rectangle in picture pixels.
  static QRect Selected() { return MainForm->Selection->SelectionRect().ToQRect(); }

  static void Draw(QPoint from, QPoint to) {
    MainForm->imgMainMouseDown(Qt::LeftButton, from.x(), from.y());
    MainForm->imgMainMouseMove(to.x(), to.y());
    MainForm->imgMainMouseUp(Qt::LeftButton, to.x(), to.y());
  }

  static std::vector<TLabel*> SelectionItems() {
    return {menuEditForm->Label1, menuEditForm->Label2, menuEditForm->Label3,
            menuEditForm->Label11};
  }
};

}  // namespace

TEST_F(SelectionTest, ToggleShowsRealSizeAndAlternatesTheCaption) {
  ShowPattern(files, 300, 200);
  for (int i = 0; i < 5; ++i) MainForm->sbtnZoomInClick();  // 200 %
  ASSERT_EQ(MainForm->imgMain->Width(), 600);

  MainForm->sbtnSelectClick();
  EXPECT_TRUE(MainForm->Commands.SelectionMode.Checked());
  EXPECT_EQ(MainForm->imgMain->Width(), 300);
  EXPECT_EQ(MainForm->imgMain->Height(), 200);
  EXPECT_EQ(MainForm->State.ZoomIndex, 12);
  EXPECT_EQ(MainForm->StatusBar->Text(5), QStringLiteral("100%"));
  EXPECT_FALSE(MainForm->sbtnReal->Flat());
  EXPECT_EQ(menuEditForm->Label4->Caption(), QStringLiteral("取消选择(&T)   "));
  // Nothing is drawn until the user draws it.
  EXPECT_FALSE(MainForm->shpRect->Visible());
  // Zoom commands do nothing while the mode is on.
  MainForm->sbtnZoomInClick();
  EXPECT_EQ(MainForm->imgMain->Width(), 300);

  Draw({10, 10}, {60, 50});
  ASSERT_TRUE(MainForm->shpRect->Visible());
  MainForm->sbtnSelectClick();
  EXPECT_FALSE(MainForm->Commands.SelectionMode.Checked());
  EXPECT_FALSE(MainForm->shpRect->Visible());
  EXPECT_EQ(menuEditForm->Label4->Caption(), QStringLiteral("区域选择(&T)   "));
  for (TLabel* item : SelectionItems()) EXPECT_FALSE(item->Enabled());
}

TEST_F(SelectionTest, ToggleDoesNothingForAGif) {
  ShowPattern(files, 300, 200);
  MainForm->State.CurExt = QStringLiteral(".gif");
  MainForm->sbtnSelectClick();
  EXPECT_FALSE(MainForm->Commands.SelectionMode.Checked());
  EXPECT_EQ(menuEditForm->Label4->Caption(), QStringLiteral("区域选择(&T)    "));
}

TEST_F(SelectionTest, DrawingWithTheMouseOnTheCentredPicture) {
  ShowPattern(files, 300, 200);
  MainForm->sbtnSelectClick();
  TImage* img = MainForm->imgMain;
  ASSERT_GT(img->Left(), 0);
  QTest::mousePress(img, Qt::LeftButton, {}, QPoint(50, 40));
  QTest::mouseMove(img, QPoint(20, 10));
  QTest::mouseRelease(img, Qt::LeftButton, {}, QPoint(20, 10));
  ProcessEvents();
  EXPECT_EQ(MainForm->shpRect->Left(), img->Left() + 50);
  EXPECT_EQ(MainForm->shpRect->Top(), img->Top() + 40);
  EXPECT_EQ(Selected(), QRect(50, 40, 30, 30));
  EXPECT_TRUE(menuEditForm->Label1->Enabled());
}

TEST_F(SelectionTest, NonLeftPressOnTheRectangleOpensTheSelectionMenu) {
  ShowPattern(files, 300, 200);
  MainForm->sbtnSelectClick();
  Draw({50, 40}, {150, 100});
  for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
    popupShapeForm->Hide();
    MainForm->State.MenuOpen = true;
    QTest::mousePress(MainForm->shpRect, button, {}, QPoint(12, 7));
    ProcessEvents();
    EXPECT_FALSE(MainForm->State.MenuOpen);
    EXPECT_FALSE(MainForm->Selection->Moving);
    ASSERT_TRUE(popupShapeForm->isVisible());
    const TMainForm* f = MainForm;
    EXPECT_EQ(popupShapeForm->Left(), 12 + f->scrboxBack->Left() + f->shpRect->Left() + f->Left());
    EXPECT_EQ(popupShapeForm->Top(), 7 + f->scrboxBack->Top() + f->shpRect->Top() + f->Top());
    QTest::mouseRelease(MainForm->shpRect, button, {}, QPoint(12, 7));
  }
  // "清除选择" leaves selection mode.
  popupShapeForm->Label4Click();
  EXPECT_FALSE(popupShapeForm->isVisible());
  EXPECT_FALSE(MainForm->Commands.SelectionMode.Checked());
  EXPECT_FALSE(MainForm->shpRect->Visible());
}

TEST_F(SelectionTest, RightDragInSelectionModeScrollsInsteadOfDrawing) {
  ShowPattern(files, 1500, 1200);
  MainForm->sbtnSelectClick();
  MainForm->imgMainMouseDown(Qt::RightButton, 300, 300);
  MainForm->imgMainMouseMove(280, 270);
  EXPECT_FALSE(MainForm->shpRect->Visible());
  EXPECT_EQ(MainForm->scrboxBack->HorzPosition(), 20);
  EXPECT_EQ(MainForm->scrboxBack->VertPosition(), 30);
  MainForm->imgMainMouseUp(Qt::RightButton, 280, 270);
  EXPECT_FALSE(MainForm->Mouse->DragScrolling);
  EXPECT_FALSE(menuEditForm->Label1->Enabled());
}

// The outline as painted over the picture, on plain pictures of the three hardest greys.
TEST_F(SelectionTest, OutlineStaysVisibleOnWhiteBlackAndGrey) {
  for (const QRgb colour : {qRgb(255, 255, 255), qRgb(0, 0, 0), qRgb(128, 128, 128)}) {
    SCOPED_TRACE(qGray(colour));
    QImage plain(200, 150, QImage::Format_RGB32);
    plain.fill(colour);
    const QString name = QStringLiteral("plain%1.bmp").arg(qGray(colour));
    files.WriteBmp(name, plain);
    ListHelpers::FillList(files, {name});
    ListHelpers::LoadFromList(name);
    if (!MainForm->Commands.SelectionMode.Checked()) MainForm->sbtnSelectClick();
    Draw({20, 30}, {120, 90});
    // Drawn by the widgets themselves, the outline over the picture beneath it.
    const QImage screen = MainForm->imgMain->parentWidget()
                              ->grab(MainForm->imgMain->geometry())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    // A clear difference in every channel, along each side; the inside stays as it was.
    const auto distance = [colour](QRgb p) {
      return std::min({std::abs(qRed(p) - qRed(colour)), std::abs(qGreen(p) - qGreen(colour)),
                       std::abs(qBlue(p) - qBlue(colour))});
    };
    for (const QPoint p : {QPoint(20, 50), QPoint(119, 50), QPoint(70, 30), QPoint(70, 89)})
      EXPECT_GE(distance(screen.pixel(p)), 100) << p.x() << "," << p.y();
    EXPECT_EQ(distance(screen.pixel(70, 60)), 0);
    EXPECT_EQ(distance(screen.pixel(10, 10)), 0);
  }
}
