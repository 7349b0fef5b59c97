// Zoom in the main window: the fit follows every change of the picture area's size and
// every load, and the keys scroll the focused view. The zoom rules themselves are tested
// on the zoom control (tests/units).
#include <QScrollBar>

#include <functional>

#include "FormsTest.h"
#include "ListHelpers.h"

namespace {
// Puts a picture on screen as a load does.
void ShowPicture(int w, int h) {
  MainForm->imgMain->GetPicture().Assign(Bitmap(w, h));
  MainForm->State.PicWidth = w;
  MainForm->State.PicHeight = h;
  MainForm->State.CurExt = QStringLiteral(".jpg");
  MainForm->imgMain->SetVisible(true);
}

// The properties panel shown leaves a 450 x 506 view.
void NarrowView() {
  MainForm->Panel2->SetVisible(true);
  ASSERT_EQ(MainForm->scrboxBack->Width(), 450);
  ASSERT_EQ(MainForm->scrboxBack->Height(), 506);
}

QRect Bounds() {
  return MainForm->imgMain->geometry();
}

QString ZoomText() {
  return MainForm->StatusBar->Text(5);
}
}  // namespace

using ZoomTest = FormsTest;

TEST_F(ZoomTest, LayoutChangesAndLoadsReapplyTheFit) {
  NarrowView();
  ShowPicture(1800, 1200);
  MainForm->sbtnFitWidthClick();
  struct Change {
    const char* name;
    std::function<void()> run;
    int viewWidth;  // 0: whatever the screen gives, wider than before
  } changes[] = {
      {"splitter", [] { MainForm->Splitter1->MoveBy(-60); }, 510},
      {"properties hidden", [] { MainForm->Commands.PictureProperties.Run(); }, 663},
      {"properties shown", [] { MainForm->Commands.PictureProperties.Run(); }, 510},
      {"maximised", [] { MainForm->sbtnMaxClick(); }, 0},
      {"restored", [] { MainForm->sbtnMaxClick(); }, 510},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    MainForm->State.ZoomIndex = 17;
    c.run();
    const int w = MainForm->scrboxBack->Width();
    if (c.viewWidth)
      EXPECT_EQ(w, c.viewWidth);
    else
      EXPECT_GT(w, 663);
    EXPECT_EQ(Bounds().size(), QSize(w - 4, (w - 4) * 1200 / 1800));
    EXPECT_EQ(MainForm->State.ZoomIndex, 12);
  }

  // Fit picture after maximising: the side that overflows the larger view decides.
  MainForm->sbtnFitPicClick();
  const QSize before = Bounds().size();
  MainForm->sbtnMaxClick();
  const int w = MainForm->scrboxBack->Width(), h = MainForm->scrboxBack->Height();
  if (1800.0 / w > 1200.0 / h)
    EXPECT_EQ(Bounds().size(), QSize(w - 4, (w - 4) * 1200 / 1800));
  else
    EXPECT_EQ(Bounds().size(), QSize((h - 4) * 1800 / 1200, h - 4));
  EXPECT_NE(Bounds().size(), before);
  EXPECT_TRUE(MainForm->Commands.FitPicture.Checked());
  EXPECT_FALSE(MainForm->sbtnFitPic->Flat());
  MainForm->sbtnMaxClick();
  EXPECT_EQ(Bounds().size(), before);

  // A load applies the active mode to the new picture.
  MainForm->sbtnFitHeightClick();
  files.WriteBmp(QStringLiteral("tall.bmp"), TestFiles::Pattern(300, 900));
  ListHelpers::FillList(files, {QStringLiteral("tall.bmp")});
  ListHelpers::LoadFromList(QStringLiteral("tall.bmp"));
  EXPECT_EQ(Bounds(), QRect((510 - 167) / 2, 0, 502 * 300 / 900, 502));
  EXPECT_EQ(ZoomText(), QStringLiteral("55%"));
}

TEST_F(ZoomTest, ArrowAndPageKeysScrollTheFocusedView) {
  ShowPicture(3000, 3000);
  MainForm->State.ZoomIndex = 22;
  MainForm->sbtnZoomInClick();
  TScrollBox* view = MainForm->scrboxBack;
  view->SetHorzPosition(0);
  view->SetVertPosition(0);
  // A click on the picture gives the view the focus.
  QTest::mouseClick(MainForm->imgMain, Qt::LeftButton, {}, QPoint(5, 5));
  ASSERT_TRUE(view->hasFocus());
  QTest::keyClick(view, Qt::Key_Down);
  const int step = view->VertPosition();
  EXPECT_GT(step, 0);
  QTest::keyClick(view, Qt::Key_PageDown);
  EXPECT_EQ(view->VertPosition(), step + view->viewport()->height());
  QTest::keyClick(view, Qt::Key_Up);
  EXPECT_EQ(view->VertPosition(), view->viewport()->height());
  EXPECT_EQ(MainForm->imgMain->Top(), -view->VertPosition());
}

// The picture control paints only the exposed rectangle, each screen pixel taken from the
// picture pixel under its centre, whatever the enlargement.
