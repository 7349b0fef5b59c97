// Zoom steps, real size and the fits: the size and place of the picture in the picture
// area, the zoom and size texts, the checked display mode and the guards.
#include <QScrollBar>
#include <algorithm>

#include "ViewerFixture.h"

namespace {
enum class Step { ZoomIn, ZoomOut, Real, FitWidth, FitHeight, FitPic };

const char* Name(Step c) {
  const char* names[] = {"zoom in", "zoom out", "real", "fit width", "fit height", "fit picture"};
  return names[int(c)];
}

// Everything a zoom step may change.
struct DisplayState {
  int zoomIndex;
  QRect bounds;
  int horz, vert;
  QString zoomText, sizeText;
  bool checked[4];
  bool operator==(const DisplayState& o) const {
    return zoomIndex == o.zoomIndex && bounds == o.bounds && horz == o.horz && vert == o.vert &&
           zoomText == o.zoomText && sizeText == o.sizeText &&
           std::equal(checked, checked + 4, o.checked);
  }
};
}  // namespace

class ZoomControlTest : public ViewerFixture {
 protected:
  void Run(Step c) {
    switch (c) {
      case Step::ZoomIn:
        return zoom.ZoomIn();
      case Step::ZoomOut:
        return zoom.ZoomOut();
      case Step::Real:
        return zoom.RealSize();
      case Step::FitWidth:
        return zoom.FitWidth();
      case Step::FitHeight:
        return zoom.FitHeight();
      case Step::FitPic:
        return zoom.FitPicture();
    }
  }

  DisplayState Snapshot() const {
    return {state.ZoomIndex,
            Bounds(),
            area.scrboxBack->HorzPosition(),
            area.scrboxBack->VertPosition(),
            ZoomText(),
            area.StatusBar->Text(3),
            {commands.RealSize.Checked(), commands.FitWidth.Checked(), commands.FitHeight.Checked(),
             commands.FitPicture.Checked()}};
  }
};

TEST_F(ZoomControlTest, StepsThroughTheTableAndStopsAtItsEnds) {
  struct Case {
    int startIndex;
    Step command;
    int index;
    const char* text;
    QSize size;  // of a 300 x 200 picture
  } cases[] = {
      {12, Step::ZoomIn, 13, "110%", {330, 220}}, {12, Step::ZoomOut, 11, "90%", {270, 180}},
      {16, Step::ZoomIn, 17, "200%", {600, 400}}, {22, Step::ZoomIn, 23, "5000%", {15000, 10000}},
      {2, Step::ZoomOut, 1, "2%", {6, 4}},        {4, Step::ZoomOut, 3, "5%", {15, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << Name(c.command) << " from " << c.startIndex);
    ShowPicture(300, 200);
    zoom.RealSize();
    state.ZoomIndex = c.startIndex;
    Run(c.command);
    EXPECT_EQ(state.ZoomIndex, c.index);
    EXPECT_EQ(ZoomText(), QString::fromLatin1(c.text));
    EXPECT_EQ(Bounds().size(), c.size);
    EXPECT_FALSE(area.imgMain->AutoSize());
    EXPECT_TRUE(area.imgMain->Stretch());
    const QString sizeText = QStringLiteral("%1 X %2").arg(c.size.width()).arg(c.size.height());
    EXPECT_EQ(area.StatusBar->Text(3), sizeText);
    EXPECT_EQ(area.lblSize->Caption(), sizeText);
    // Zooming leaves the mode buttons alone.
    EXPECT_EQ(CheckedDisplayMode(), &commands.RealSize);
    // At the ends of the table a further press changes nothing.
    if (c.index == 1 || c.index == 23) {
      const DisplayState before = Snapshot();
      Run(c.command);
      EXPECT_TRUE(Snapshot() == before);
    }
  }
}

TEST_F(ZoomControlTest, RealSizeAndFitsInTheNarrowView) {
  struct Case {
    QSize picture;
    Step command;
    QRect bounds;
    const char* text;
    Command UserCommands::*pressed;
  } cases[] = {
      // A fit never enlarges: a small picture is centred at its own size.
      {{300, 200}, Step::FitWidth, {75, 153, 300, 200}, "100%", &UserCommands::FitWidth},
      {{300, 200}, Step::FitHeight, {75, 153, 300, 200}, "100%", &UserCommands::FitHeight},
      {{300, 200}, Step::FitPic, {75, 153, 300, 200}, "100%", &UserCommands::FitPicture},
      {{900, 600}, Step::FitWidth, {0, 104, 446, 297}, "49%", &UserCommands::FitWidth},
      // Exactly as wide as the view still shrinks, to the view's width minus 4.
      {{450, 100}, Step::FitWidth, {0, 203, 446, 99}, "99%", &UserCommands::FitWidth},
      {{900, 1200}, Step::FitHeight, {37, 0, 376, 502}, "41%", &UserCommands::FitHeight},
      // Fit picture takes the side that overflows more; equal quotients fit the height
      // (fit width would give 446 x 501).
      {{1800, 600}, Step::FitPic, {0, 179, 446, 148}, "24%", &UserCommands::FitPicture},
      {{600, 1800}, Step::FitPic, {141, 0, 167, 502}, "27%", &UserCommands::FitPicture},
      {{900, 1012}, Step::FitPic, {2, 0, 446, 502}, "49%", &UserCommands::FitPicture},
      // Real size centres a small picture and puts a large one at the origin.
      {{300, 200}, Step::Real, {75, 153, 300, 200}, "100%", &UserCommands::RealSize},
      {{900, 300}, Step::Real, {0, 103, 900, 300}, "100%", &UserCommands::RealSize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << Name(c.command) << " of " << c.picture.width() << "x" << c.picture.height());
    ShowPicture(c.picture.width(), c.picture.height());
    // Start from a zoomed, scrolled picture in another mode.
    zoom.FitPicture();
    state.ZoomIndex = 16;
    zoom.ZoomIn();
    area.scrboxBack->SetHorzPosition(40);
    Run(c.command);
    EXPECT_EQ(Bounds(), c.bounds);
    EXPECT_EQ(ZoomText(), QString::fromLatin1(c.text));
    EXPECT_EQ(state.ZoomIndex, 12);
    EXPECT_EQ(area.scrboxBack->HorzPosition(), 0);
    EXPECT_EQ(area.scrboxBack->VertPosition(), 0);
    EXPECT_EQ(area.StatusBar->Text(3),
              QStringLiteral("%1 X %2").arg(c.bounds.width()).arg(c.bounds.height()));
    EXPECT_EQ(CheckedDisplayMode(), &(commands.*c.pressed));
    EXPECT_EQ(area.imgMain->Stretch(), c.command != Step::Real);
  }
}

TEST_F(ZoomControlTest, ZoomKeepsTheViewCentredAndPullsTheFarEdgeIn) {
  TScrollBox* view = area.scrboxBack;
  // Zoom in: the scroll position grows by half the growth; an axis shorter than the
  // view is centred instead.
  struct In {
    QSize picture;
    QPoint scroll;
    QPoint position;
    QPoint topLeft;
  } ins[] = {
      {{1000, 800}, {100, 50}, {150, 90}, {-150, -90}},
      {{1000, 300}, {100, 0}, {150, 0}, {-150, 88}},
      {{1000, 800}, {0, 0}, {50, 40}, {-50, -40}},
  };
  for (const In& c : ins) {
    SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height());
    ShowPicture(c.picture.width(), c.picture.height());
    zoom.RealSize();
    view->SetHorzPosition(c.scroll.x());
    view->SetVertPosition(c.scroll.y());
    zoom.ZoomIn();
    EXPECT_EQ(Bounds().size(), c.picture * 11 / 10);
    EXPECT_EQ(QPoint(view->HorzPosition(), view->VertPosition()), c.position);
    EXPECT_EQ(Bounds().topLeft(), c.topLeft);
  }

  // Zoom out from the far corner: the picture's far edges come to the view's edges.
  ShowPicture(1000, 800);
  zoom.RealSize();
  view->SetHorzPosition(view->horizontalScrollBar()->maximum());
  view->SetVertPosition(view->verticalScrollBar()->maximum());
  zoom.ZoomOut();
  EXPECT_EQ(Bounds().size(), QSize(900, 720));
  EXPECT_EQ(Bounds().right() + 1, view->Width());
  EXPECT_EQ(Bounds().bottom() + 1, view->Height());

  // A picture placed to the right of the origin goes back to it first.
  area.imgMain->SetLeft(20);
  zoom.ZoomOut();
  EXPECT_EQ(Bounds().size(), QSize(800, 640));
  EXPECT_EQ(Bounds().left(), 0);
  EXPECT_EQ(view->HorzPosition(), 0);

  // Shorter than the view after zooming out: centred.
  state.ZoomIndex = 7;  // 30 %
  zoom.ZoomOut();
  EXPECT_EQ(Bounds(), QRect((450 - 200) / 2, (506 - 160) / 2, 200, 160));
}

TEST_F(ZoomControlTest, ZoomStepsFromHundredAfterAFit) {
  ShowPicture(900, 600);
  zoom.FitWidth();
  ASSERT_EQ(Bounds().size(), QSize(446, 297));
  zoom.ZoomIn();
  EXPECT_EQ(Bounds().size(), QSize(990, 660));
  EXPECT_EQ(ZoomText(), QStringLiteral("110%"));
  // The fit stays the active mode, for the next load.
  EXPECT_EQ(CheckedDisplayMode(), &commands.FitWidth);
  zoom.FitWidth();
  zoom.ZoomOut();
  EXPECT_EQ(Bounds().size(), QSize(810, 540));
  EXPECT_EQ(ZoomText(), QStringLiteral("90%"));
}

TEST_F(ZoomControlTest, CommandsThatDoNotApplyChangeNothing) {
  const Step all[] = {Step::ZoomIn,   Step::ZoomOut,   Step::Real,
                      Step::FitWidth, Step::FitHeight, Step::FitPic};
  enum class Situation { NoPicture, Gif, Selection };
  for (Situation s : {Situation::NoPicture, Situation::Gif, Situation::Selection}) {
    for (Step c : all) {
      SCOPED_TRACE(testing::Message() << Name(c) << " in situation " << int(s));
      ShowPicture(900, 600);
      zoom.FitHeight();
      zoom.ZoomIn();
      commands.SelectionMode.SetChecked(false);
      if (s == Situation::NoPicture) area.imgMain->SetVisible(false);
      if (s == Situation::Gif) state.CurExt = QStringLiteral(".gif");
      if (s == Situation::Selection) commands.SelectionMode.SetChecked(true);
      const DisplayState before = Snapshot();
      Run(c);
      // Real size still works in selection mode.
      const bool works = s == Situation::Selection && c == Step::Real;
      EXPECT_EQ(Snapshot() == before, !works);
      if (works) {
        EXPECT_EQ(Bounds(), QRect(0, 0, 900, 600));
        EXPECT_EQ(CheckedDisplayMode(), &commands.RealSize);
      }
    }
  }
  commands.SelectionMode.SetChecked(false);
}

TEST_F(ZoomControlTest, MagnifierLimitsTheZoomAndFitsTurnItOff) {
  ShowPicture(300, 200);
  zoom.RealSize();
  // As the magnifier toggle leaves it: picture at its own size, box shown, button pressed.
  state.MagnifierOn = true;
  area.scrboxMagnifier->SetVisible(true);
  commands.Magnifier.SetChecked(true);
  area.imgMain->SetCursor(TCursor::Cross);
  const QRect bounds = Bounds();

  state.ZoomIndex = 18;
  zoom.ZoomIn();
  EXPECT_EQ(state.ZoomIndex, 19);
  EXPECT_EQ(ZoomText(), QStringLiteral("400%"));
  zoom.ZoomIn();  // the lens goes no higher
  EXPECT_EQ(state.ZoomIndex, 19);
  EXPECT_EQ(ZoomText(), QStringLiteral("400%"));
  zoom.ZoomOut();
  EXPECT_EQ(state.ZoomIndex, 18);
  EXPECT_EQ(ZoomText(), QStringLiteral("300%"));
  EXPECT_EQ(Bounds(), bounds);  // only the lens changes

  for (Step c : {Step::FitWidth, Step::FitHeight, Step::FitPic}) {
    SCOPED_TRACE(Name(c));
    state.MagnifierOn = true;
    area.scrboxMagnifier->SetVisible(true);
    commands.Magnifier.SetChecked(true);
    area.imgMain->SetCursor(TCursor::Cross);
    Run(c);
    EXPECT_FALSE(state.MagnifierOn);
    EXPECT_FALSE(area.scrboxMagnifier->Visible());
    EXPECT_TRUE(!commands.Magnifier.Checked());
    EXPECT_EQ(area.imgMain->Cursor(), TCursor::Default);
  }
}

// A thin strip (a banner, a one-pixel line) shrunk by a fit or a zoom step keeps at
// least one pixel of its short side: rounded down to nothing it would vanish from the view.
TEST_F(ZoomControlTest, AThinPictureNeverShrinksToNothing) {
  struct Case {
    QSize picture;
    Step command;
    int startIndex;  // for the zoom steps
    QSize shown;
  } cases[] = {
      {{8000, 3}, Step::FitWidth, 12, {446, 1}},  // 446 * 3 / 8000 = 0
      {{3, 8000}, Step::FitHeight, 12, {1, 502}},
      {{8000, 3}, Step::FitPic, 12, {446, 1}},
      {{3, 8000}, Step::FitPic, 12, {1, 502}},
      {{4000, 30}, Step::ZoomOut, 2, {80, 1}},   // 2 % of 30 = 0
      {{30, 4000}, Step::ZoomOut, 6, {3, 400}},  // 10 %: nothing to round away
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << Name(c.command) << " of " << c.picture.width() << "x" << c.picture.height());
    ShowPicture(c.picture.width(), c.picture.height());
    zoom.RealSize();
    state.ZoomIndex = c.startIndex;
    Run(c.command);
    EXPECT_EQ(Bounds().size(), c.shown);
    EXPECT_EQ(area.StatusBar->Text(3),
              QStringLiteral("%1 X %2").arg(c.shown.width()).arg(c.shown.height()));
  }
}

TEST_F(ZoomControlTest, HugeZoomDoesNotOverflow) {
  TScrollBox* view = area.scrboxBack;
  struct Case {
    QSize picture;
    QSize zoomed;
  } cases[] = {
      {{20000, 10000}, {1000000, 500000}},
      // Beyond what a widget can take the side stops at the widget limit.
      {{500000, 100}, {QWIDGETSIZE_MAX, 5000}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.picture.width());
    ShowPicture(c.picture.width(), c.picture.height(), ".jpg", 200, 100);
    zoom.RealSize();
    state.ZoomIndex = 22;
    zoom.ZoomIn();
    EXPECT_EQ(ZoomText(), QStringLiteral("5000%"));
    EXPECT_EQ(Bounds().size(), c.zoomed);
    // The whole range scrolls: the far corner is reachable and the picture ends there.
    view->SetHorzPosition(view->horizontalScrollBar()->maximum());
    view->SetVertPosition(view->verticalScrollBar()->maximum());
    EXPECT_EQ(view->HorzPosition(), c.zoomed.width() - view->viewport()->width());
    EXPECT_EQ(Bounds().right() + 1, view->viewport()->width());
  }
}
