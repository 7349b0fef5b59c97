// Quarter turn, mirrors and the tone filters, driven through the commands on a picture
// loaded from the list.
#include <functional>

#include "EditHelpers.h"
#include "FormsTest.h"

using namespace EditHelpers;
using EditTest = FormsTest;

namespace {

// Colours of a picture made pixel by pixel; rows top first.
QImage FromRows(const std::vector<std::vector<QRgb>>& rows) {
  QImage image(int(rows[0].size()), int(rows.size()), QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, rows[size_t(y)][size_t(x)]);
  return image;
}

QRgb Grey(int v) {
  return qRgb(v, v, v);
}

}  // namespace

TEST_F(EditTest, QuarterTurnClockwise) {
  const QRgb a = qRgb(255, 0, 0), b = qRgb(0, 255, 0), c = qRgb(0, 0, 255), d = qRgb(10, 20, 30),
             e = qRgb(40, 50, 60), f = qRgb(70, 80, 90);
  ShowFile(files, QStringLiteral("six.bmp"), FromRows({{a, b, c}, {d, e, f}}));
  MainForm->sbtnNinetyTurnClick();

  const QImage expected = FromRows({{d, a}, {e, b}, {f, c}});
  EXPECT_EQ(Shown(), expected);
  EXPECT_EQ(MainForm->State.WorkBitmap.Image().convertToFormat(QImage::Format_RGB32), expected);
  EXPECT_EQ(MainForm->State.PicWidth, 2);
  EXPECT_EQ(MainForm->State.PicHeight, 3);
  EXPECT_TRUE(MainForm->State.PicIsBitmap);
}

TEST_F(EditTest, RepeatedTurnsAndMirrorsGiveBackTheStart) {
  const QImage start = TestFiles::Pattern(5, 3);
  struct Case {
    const char* name;
    std::function<void()> command;
    int period;
    QImage once;  // after one step
  };
  const Case cases[] = {
      {"rotate", [] { MainForm->sbtnNinetyTurnClick(); }, 4, QImage()},
      {"left-right", [] { MainForm->sbtnLRTurnClick(); }, 2, start.mirrored(true, false)},
      {"up-down", [] { MainForm->sbtnUDTurnClick(); }, 2, start.mirrored(false, true)},
      // The Edit menu items run the same commands.
      {"menu rotate", [] { menuEditForm->Label5Click(); }, 4, QImage()},
      {"menu left-right", [] { menuEditForm->Label6Click(); }, 2, start.mirrored(true, false)},
      {"menu up-down", [] { menuEditForm->Label7Click(); }, 2, start.mirrored(false, true)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowFile(files, QStringLiteral("start.bmp"), start);
    for (int step = 1; step <= c.period; ++step) {
      c.command();
      const bool turned = c.period == 4 && step % 2 == 1;
      EXPECT_EQ(MainForm->State.PicWidth, turned ? 3 : 5) << step;
      EXPECT_EQ(MainForm->State.PicHeight, turned ? 5 : 3) << step;
      if (step == 1 && !c.once.isNull()) {
        EXPECT_EQ(Shown(), c.once);
      }
      EXPECT_EQ(MainForm->State.WorkBitmap.Image(), Shown()) << step;
    }
    EXPECT_EQ(Shown(), start);
  }
}

TEST_F(EditTest, TurnKeepsTheZoomScaleAndCentres) {
  struct Case {
    const char* name;
    int picW, picH;
    int shownW, shownH;  // 0: the picture's own size
    int zoomIndex;
    const char* zoomText;
  };
  const Case cases[] = {
      {"50 %", 300, 200, 150, 100, 8, "50%"},
      {"100 %", 300, 200, 0, 0, 12, "100%"},
      {"100 %, larger than the view, scrolled", 800, 640, 0, 0, 12, "100%"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(c.picW, c.picH));
    if (c.shownW) ShowAtSize(c.shownW, c.shownH);
    MainForm->State.ZoomIndex = c.zoomIndex;
    MainForm->StatusBar->SetText(5, QString::fromUtf8(c.zoomText));
    MainForm->scrboxBack->SetHorzPosition(40);
    MainForm->scrboxBack->SetVertPosition(30);
    const bool fitWidthWasOn = !MainForm->sbtnFitWidth->Flat();

    MainForm->sbtnNinetyTurnClick();

    const int w = c.shownW ? c.shownH : c.picH, h = c.shownW ? c.shownW : c.picW;
    EXPECT_EQ(MainForm->imgMain->Width(), w);
    EXPECT_EQ(MainForm->imgMain->Height(), h);
    const int viewW = MainForm->scrboxBack->Width(), viewH = MainForm->scrboxBack->Height();
    EXPECT_EQ(MainForm->imgMain->Left(), viewW > w ? (viewW - w) / 2 : 0);
    EXPECT_EQ(MainForm->imgMain->Top(), viewH > h ? (viewH - h) / 2 : 0);
    EXPECT_EQ(MainForm->scrboxBack->HorzPosition(), 0);
    EXPECT_EQ(MainForm->scrboxBack->VertPosition(), 0);
    EXPECT_EQ(MainForm->State.ZoomIndex, c.zoomIndex);
    EXPECT_EQ(MainForm->StatusBar->Text(5), QString::fromUtf8(c.zoomText));
    EXPECT_EQ(!MainForm->sbtnFitWidth->Flat(), fitWidthWasOn);
    const QString size = QStringLiteral("%1 X %2").arg(w).arg(h);
    EXPECT_EQ(MainForm->StatusBar->Text(3), size);
    EXPECT_EQ(MainForm->lblSize->Caption(), size);
    EXPECT_EQ(MainForm->State.PicWidth, c.picH);
    EXPECT_EQ(MainForm->State.PicHeight, c.picW);
  }
}

TEST_F(EditTest, EditsTurnTheMagnifierOff) {
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"rotate", [] { MainForm->sbtnNinetyTurnClick(); }},
      {"left-right", [] { MainForm->sbtnLRTurnClick(); }},
      {"up-down", [] { MainForm->sbtnUDTurnClick(); }},
      {"negative", [] { menuEditForm->Label8Click(); }},
      {"emboss", [] { menuEditForm->Label9Click(); }},
      {"black-and-white", [] { menuEditForm->Label10Click(); }},
  };
  ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(60, 40));
  for (const auto& [name, command] : commands) {
    SCOPED_TRACE(name);
    MainForm->State.MagnifierOn = true;
    MainForm->Commands.Magnifier.SetChecked(true);
    MainForm->scrboxMagnifier->SetVisible(true);
    MainForm->imgMain->SetCursor(TCursor::Cross);
    const int zoomIndex = MainForm->State.ZoomIndex;
    command();
    EXPECT_FALSE(MainForm->State.MagnifierOn);
    EXPECT_TRUE(MainForm->sbtnZoom->Flat());
    EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
    EXPECT_EQ(MainForm->imgMain->Cursor(), TCursor::Default);
    EXPECT_EQ(MainForm->State.ZoomIndex, zoomIndex);
  }
}

TEST_F(EditTest, TurnsAndMirrorsLeaveAGifAlone) {
  files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
  ListHelpers::FillList(files, {QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  MainForm->State.MagnifierOn = true;
  MainForm->sbtnNinetyTurnClick();
  MainForm->sbtnLRTurnClick();
  MainForm->sbtnUDTurnClick();
  EXPECT_TRUE(MainForm->State.MagnifierOn);
  EXPECT_EQ(MainForm->State.PicWidth, 0);
  EXPECT_EQ(MainForm->State.PicHeight, 0);
  EXPECT_TRUE(Shown().isNull());
}

TEST_F(EditTest, BrighterAndDarkerStepAndClamp) {
  struct Case {
    const char* name;
    QRgb start;
    int brighter, darker;  // presses, brighter first
    QRgb expected;
  };
  const Case cases[] = {
      {"253 reaches 255 and stays", qRgb(253, 100, 0), 2, 0, qRgb(255, 110, 10)},
      {"3 reaches 0", qRgb(3, 100, 255), 0, 1, qRgb(0, 95, 250)},
      {"ten presses add 50", qRgb(0, 100, 200), 10, 0, qRgb(50, 150, 250)},
      {"a clamped channel does not come back", qRgb(253, 100, 2), 1, 1, qRgb(250, 100, 2)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowFile(files, QStringLiteral("p.bmp"), Solid(7, 5, c.start));
    for (int i = 0; i < c.brighter; ++i) MainForm->sbtnBrightClick();
    for (int i = 0; i < c.darker; ++i) MainForm->sbtnDarkClick();
    EXPECT_EQ(Shown(), Solid(7, 5, c.expected));
    // The reference copy is left as loaded.
    EXPECT_EQ(MainForm->State.WorkBitmap.Image(), Solid(7, 5, c.start));
  }
}

TEST_F(EditTest, BrighterInSelectionModeChangesOnlyTheSelection) {
  const QImage start = TestFiles::Pattern(20, 10);
  struct Case {
    const char* name;
    int left, top, width, height;  // shpRect relative to the picture
    bool shown;
    TRect changed;  // in picture pixels
  };
  const Case cases[] = {
      {"inside", 2, 3, 5, 4, true, Rect(2, 3, 7, 7)},
      {"past the right and bottom edges", 15, 6, 20, 20, true, Rect(15, 6, 20, 10)},
      {"overshooting the left and top edges", -3, -2, 5, 4, true, Rect(0, 0, 2, 2)},
      {"entirely outside", 30, 0, 5, 5, true, TRect{}},
      {"no rectangle drawn yet", 2, 3, 5, 4, false, TRect{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ShowFile(files, QStringLiteral("p.bmp"), start);
    MainForm->Commands.SelectionMode.SetChecked(true);
    MainForm->shpRect->SetBounds(MainForm->imgMain->Left() + c.left,
                                 MainForm->imgMain->Top() + c.top, c.width, c.height);
    MainForm->shpRect->SetVisible(c.shown);
    MainForm->sbtnBrightClick();

    QImage expected = start;
    for (int y = c.changed.Top; y < c.changed.Bottom; ++y)
      for (int x = c.changed.Left; x < c.changed.Right; ++x) {
        const QRgb p = start.pixel(x, y);
        expected.setPixel(x, y,
                          qRgb(std::min(qRed(p) + 5, 255), std::min(qGreen(p) + 5, 255),
                               std::min(qBlue(p) + 5, 255)));
      }
    EXPECT_EQ(Shown(), expected);
    MainForm->Commands.SelectionMode.SetChecked(false);
    MainForm->shpRect->SetVisible(false);
  }
}

TEST_F(EditTest, RestoreUndoesToneStepsButNotTurns) {
  const QImage start = TestFiles::Pattern(6, 4);
  ShowFile(files, QStringLiteral("p.bmp"), start);
  // Negative acts on the whole picture even in selection mode.
  MainForm->Commands.SelectionMode.SetChecked(true);
  MainForm->shpRect->SetBounds(MainForm->imgMain->Left(), MainForm->imgMain->Top(), 2, 2);
  MainForm->shpRect->SetVisible(true);
  MainForm->sbtnBrightClick();
  menuEditForm->Label8Click();  // negative
  QImage negative = start;
  negative.invertPixels();
  EXPECT_NE(Shown(), negative);  // the brightened corner shows through
  EXPECT_EQ(Shown().copy(2, 2, 4, 2), negative.copy(2, 2, 4, 2));
  MainForm->sbtnRestoreBDClick();
  EXPECT_EQ(Shown(), start);
  EXPECT_EQ(Shown(), MainForm->State.WorkBitmap.Image());

  // Negative twice gives the start back.
  menuEditForm->Label8Click();
  EXPECT_EQ(Shown(), negative);
  menuEditForm->Label8Click();
  EXPECT_EQ(Shown(), start);

  // After a turn, restore returns to the turned picture.
  MainForm->Commands.SelectionMode.SetChecked(false);
  MainForm->shpRect->SetVisible(false);
  MainForm->sbtnNinetyTurnClick();
  const QImage turned = Shown();
  MainForm->sbtnDarkClick();
  MainForm->sbtnDarkClick();
  EXPECT_NE(Shown(), turned);
  MainForm->sbtnRestoreBDClick();
  EXPECT_EQ(Shown(), turned);
  EXPECT_EQ(turned.size(), QSize(4, 6));
}

TEST_F(EditTest, RestoreDoesNotBringBackThePreviousPictureOverAGif) {
  ShowFile(files, QStringLiteral("p.bmp"), TestFiles::Pattern(6, 4));
  files.WriteBytes(QStringLiteral("anim.gif"), ListHelpers::TinyGif());
  ListHelpers::FillList(files, {QStringLiteral("p.bmp"), QStringLiteral("anim.gif")});
  ListHelpers::LoadFromList(QStringLiteral("anim.gif"));
  MainForm->sbtnRestoreBDClick();
  EXPECT_TRUE(MainForm->imgMain->GetPicture().Width() == 0);
}

TEST_F(EditTest, Emboss) {
  // Uniform: 128 wherever there is a lower-right neighbour, the rest stays white.
  ShowFile(files, QStringLiteral("u.bmp"), Solid(4, 3, qRgb(77, 140, 200)));
  menuEditForm->Label9Click();
  EXPECT_EQ(Shown(), FromRows({{Grey(128), Grey(128), Grey(128), Grey(255)},
                               {Grey(128), Grey(128), Grey(128), Grey(255)},
                               {Grey(255), Grey(255), Grey(255), Grey(255)}}));
  EXPECT_EQ(MainForm->State.WorkBitmap.Image(), Solid(4, 3, qRgb(77, 140, 200)));

  struct Case {
    int pixel, lowerRight, expected;
  };
  const Case cases[] = {
      {0, 200, 72},    // darker by more than 128: the distance above 128
      {200, 0, 72},    // brighter by 128 or more wraps: 328
      {100, 90, 138},  // small differences: 128 + difference
      {90, 100, 118}, {127, 0, 255}, {128, 0, 0},  // 256 wraps to 0
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pixel);
    SCOPED_TRACE(c.lowerRight);
    // Red and green carry the case; blue is equal in both pixels, so it gives 128.
    ShowFile(files, QStringLiteral("d.bmp"),
             FromRows({{qRgb(c.pixel, c.pixel, 0), Grey(9)},
                       {Grey(9), qRgb(c.lowerRight, c.lowerRight, 0)}}));
    menuEditForm->Label9Click();
    EXPECT_EQ(Shown().pixel(0, 0), qRgb(c.expected, c.expected, 128));
  }
}

TEST_F(EditTest, BlackAndWhiteWeighsRedOnceAndGreenTwice) {
  struct Case {
    QRgb colour;
    int grey;
  };
  const Case cases[] = {
      {qRgb(0, 0, 255), 0},       {qRgb(0, 255, 0), 170}, {qRgb(255, 0, 0), 85},
      {qRgb(255, 255, 255), 255}, {qRgb(1, 1, 0), 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.grey);
    ShowFile(files, QStringLiteral("c.bmp"), Solid(3, 2, c.colour));
    menuEditForm->Label10Click();
    EXPECT_EQ(Shown(), Solid(3, 2, Grey(c.grey)));
    EXPECT_EQ(MainForm->State.WorkBitmap.Image(), Solid(3, 2, c.colour));
  }
}
