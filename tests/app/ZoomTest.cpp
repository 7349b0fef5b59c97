// Zoom steps, real size and the fits: the size and place of imgMain in the picture area,
// the zoom and size texts, the mode buttons and the guards.
#include <QGuiApplication>
#include <QPainter>
#include <QScrollBar>

#include <functional>

#include "FormsTest.h"
#include "ListHelpers.h"

namespace {
enum class Command { ZoomIn, ZoomOut, Real, FitWidth, FitHeight, FitPic };

void RunCommand(Command c) {
  switch (c) {
    case Command::ZoomIn:
      return MainForm->sbtnZoomInClick();
    case Command::ZoomOut:
      return MainForm->sbtnZoomOutClick();
    case Command::Real:
      return MainForm->sbtnRealClick();
    case Command::FitWidth:
      return MainForm->sbtnFitWidthClick();
    case Command::FitHeight:
      return MainForm->sbtnFitHeightClick();
    case Command::FitPic:
      return MainForm->sbtnFitPicClick();
  }
}

const char* Name(Command c) {
  const char* names[] = {"zoom in", "zoom out", "real", "fit width", "fit height", "fit picture"};
  return names[int(c)];
}

// Puts a picture on screen as a load does (the bitmap may be smaller than the size the
// zoom computes from, which keeps huge cases cheap).
void ShowPicture(int w, int h, const char* ext = ".jpg", int bitmapW = 0, int bitmapH = 0) {
  MainForm->imgMain->GetPicture().Assign(Bitmap(bitmapW ? bitmapW : w, bitmapH ? bitmapH : h));
  MainForm->PicWidth = w;
  MainForm->PicHeight = h;
  MainForm->CurExt = QString::fromLatin1(ext);
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

TSpeedButton* PressedModeButton() {
  TSpeedButton* pressed = nullptr;
  for (TSpeedButton* b :
       {MainForm->sbtnReal, MainForm->sbtnFitWidth, MainForm->sbtnFitHeight, MainForm->sbtnFitPic})
    if (!b->Flat()) {
      if (pressed) return nullptr;  // more than one
      pressed = b;
    }
  return pressed;
}

// Everything a command may change.
struct DisplayState {
  int zoomIndex;
  QRect bounds;
  int horz, vert;
  QString zoomText, sizeText;
  bool flats[4];
  bool operator==(const DisplayState& o) const {
    return zoomIndex == o.zoomIndex && bounds == o.bounds && horz == o.horz && vert == o.vert &&
           zoomText == o.zoomText && sizeText == o.sizeText &&
           std::equal(flats, flats + 4, o.flats);
  }
};

DisplayState Snapshot() {
  TMainForm* f = MainForm;
  return {f->ZoomIndex,
          Bounds(),
          f->scrboxBack->HorzPosition(),
          f->scrboxBack->VertPosition(),
          ZoomText(),
          f->StatusBar->Text(3),
          {f->sbtnReal->Flat(), f->sbtnFitWidth->Flat(), f->sbtnFitHeight->Flat(),
           f->sbtnFitPic->Flat()}};
}
}  // namespace

using ZoomTest = FormsTest;

TEST_F(ZoomTest, StepsThroughTheTableAndStopsAtItsEnds) {
  NarrowView();
  struct Case {
    int startIndex;
    Command command;
    int index;
    const char* text;
    QSize size;  // of a 300 x 200 picture
  } cases[] = {
      {12, Command::ZoomIn, 13, "110%", {330, 220}},
      {12, Command::ZoomOut, 11, "90%", {270, 180}},
      {16, Command::ZoomIn, 17, "200%", {600, 400}},
      {22, Command::ZoomIn, 23, "5000%", {15000, 10000}},
      {2, Command::ZoomOut, 1, "2%", {6, 4}},
      {4, Command::ZoomOut, 3, "5%", {15, 10}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << Name(c.command) << " from " << c.startIndex);
    ShowPicture(300, 200);
    MainForm->sbtnRealClick();
    MainForm->ZoomIndex = c.startIndex;
    RunCommand(c.command);
    EXPECT_EQ(MainForm->ZoomIndex, c.index);
    EXPECT_EQ(ZoomText(), QString::fromLatin1(c.text));
    EXPECT_EQ(Bounds().size(), c.size);
    EXPECT_FALSE(MainForm->imgMain->AutoSize());
    EXPECT_TRUE(MainForm->imgMain->Stretch());
    const QString sizeText = QStringLiteral("%1 X %2").arg(c.size.width()).arg(c.size.height());
    EXPECT_EQ(MainForm->StatusBar->Text(3), sizeText);
    EXPECT_EQ(MainForm->lblSize->Caption(), sizeText);
    // Zooming leaves the mode buttons alone.
    EXPECT_EQ(PressedModeButton(), MainForm->sbtnReal);
    // At the ends of the table a further press changes nothing.
    if (c.index == 1 || c.index == 23) {
      const DisplayState before = Snapshot();
      RunCommand(c.command);
      EXPECT_TRUE(Snapshot() == before);
    }
  }
}

TEST_F(ZoomTest, RealSizeAndFitsInTheNarrowView) {
  NarrowView();
  struct Case {
    QSize picture;
    Command command;
    QRect bounds;
    const char* text;
    TSpeedButton* TMainForm::*pressed;
  } cases[] = {
      // A fit never enlarges: a small picture is centred at its own size.
      {{300, 200}, Command::FitWidth, {75, 153, 300, 200}, "100%", &TMainForm::sbtnFitWidth},
      {{300, 200}, Command::FitHeight, {75, 153, 300, 200}, "100%", &TMainForm::sbtnFitHeight},
      {{300, 200}, Command::FitPic, {75, 153, 300, 200}, "100%", &TMainForm::sbtnFitPic},
      {{900, 600}, Command::FitWidth, {0, 104, 446, 297}, "49%", &TMainForm::sbtnFitWidth},
      // Exactly as wide as the view still shrinks, to the view's width minus 4.
      {{450, 100}, Command::FitWidth, {0, 203, 446, 99}, "99%", &TMainForm::sbtnFitWidth},
      {{900, 1200}, Command::FitHeight, {37, 0, 376, 502}, "41%", &TMainForm::sbtnFitHeight},
      // Fit picture takes the side that overflows more; equal quotients fit the height
      // (fit width would give 446 x 501).
      {{1800, 600}, Command::FitPic, {0, 179, 446, 148}, "24%", &TMainForm::sbtnFitPic},
      {{600, 1800}, Command::FitPic, {141, 0, 167, 502}, "27%", &TMainForm::sbtnFitPic},
      {{900, 1012}, Command::FitPic, {2, 0, 446, 502}, "49%", &TMainForm::sbtnFitPic},
      // Real size centres a small picture and puts a large one at the origin.
      {{300, 200}, Command::Real, {75, 153, 300, 200}, "100%", &TMainForm::sbtnReal},
      {{900, 300}, Command::Real, {0, 103, 900, 300}, "100%", &TMainForm::sbtnReal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << Name(c.command) << " of " << c.picture.width() << "x" << c.picture.height());
    ShowPicture(c.picture.width(), c.picture.height());
    // Start from a zoomed, scrolled picture in another mode.
    MainForm->sbtnFitPicClick();
    MainForm->ZoomIndex = 16;
    MainForm->sbtnZoomInClick();
    MainForm->scrboxBack->SetHorzPosition(40);
    RunCommand(c.command);
    EXPECT_EQ(Bounds(), c.bounds);
    EXPECT_EQ(ZoomText(), QString::fromLatin1(c.text));
    EXPECT_EQ(MainForm->ZoomIndex, 12);
    EXPECT_EQ(MainForm->scrboxBack->HorzPosition(), 0);
    EXPECT_EQ(MainForm->scrboxBack->VertPosition(), 0);
    EXPECT_EQ(MainForm->StatusBar->Text(3),
              QStringLiteral("%1 X %2").arg(c.bounds.width()).arg(c.bounds.height()));
    EXPECT_EQ(PressedModeButton(), MainForm->*c.pressed);
    EXPECT_EQ(MainForm->imgMain->Stretch(), c.command != Command::Real);
  }
}

TEST_F(ZoomTest, ZoomKeepsTheViewCentredAndPullsTheFarEdgeIn) {
  NarrowView();
  TScrollBox* view = MainForm->scrboxBack;
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
    MainForm->sbtnRealClick();
    view->SetHorzPosition(c.scroll.x());
    view->SetVertPosition(c.scroll.y());
    MainForm->sbtnZoomInClick();
    EXPECT_EQ(Bounds().size(), c.picture * 11 / 10);
    EXPECT_EQ(QPoint(view->HorzPosition(), view->VertPosition()), c.position);
    EXPECT_EQ(Bounds().topLeft(), c.topLeft);
  }

  // Zoom out from the far corner: the picture's far edges come to the view's edges.
  ShowPicture(1000, 800);
  MainForm->sbtnRealClick();
  view->SetHorzPosition(view->horizontalScrollBar()->maximum());
  view->SetVertPosition(view->verticalScrollBar()->maximum());
  MainForm->sbtnZoomOutClick();
  EXPECT_EQ(Bounds().size(), QSize(900, 720));
  EXPECT_EQ(Bounds().right() + 1, view->Width());
  EXPECT_EQ(Bounds().bottom() + 1, view->Height());

  // A picture placed to the right of the origin goes back to it first.
  MainForm->imgMain->SetLeft(20);
  MainForm->sbtnZoomOutClick();
  EXPECT_EQ(Bounds().size(), QSize(800, 640));
  EXPECT_EQ(Bounds().left(), 0);
  EXPECT_EQ(view->HorzPosition(), 0);

  // Shorter than the view after zooming out: centred.
  MainForm->ZoomIndex = 7;  // 30 %
  MainForm->sbtnZoomOutClick();
  EXPECT_EQ(Bounds(), QRect((450 - 200) / 2, (506 - 160) / 2, 200, 160));
}

TEST_F(ZoomTest, ZoomStepsFromHundredAfterAFit) {
  NarrowView();
  ShowPicture(900, 600);
  MainForm->sbtnFitWidthClick();
  ASSERT_EQ(Bounds().size(), QSize(446, 297));
  MainForm->sbtnZoomInClick();
  EXPECT_EQ(Bounds().size(), QSize(990, 660));
  EXPECT_EQ(ZoomText(), QStringLiteral("110%"));
  // The fit stays the active mode, for the next load.
  EXPECT_EQ(PressedModeButton(), MainForm->sbtnFitWidth);
  MainForm->sbtnFitWidthClick();
  MainForm->sbtnZoomOutClick();
  EXPECT_EQ(Bounds().size(), QSize(810, 540));
  EXPECT_EQ(ZoomText(), QStringLiteral("90%"));
}

TEST_F(ZoomTest, CommandsThatDoNotApplyChangeNothing) {
  NarrowView();
  const Command all[] = {Command::ZoomIn,   Command::ZoomOut,   Command::Real,
                         Command::FitWidth, Command::FitHeight, Command::FitPic};
  enum class Situation { NoPicture, Gif, Selection };
  for (Situation s : {Situation::NoPicture, Situation::Gif, Situation::Selection}) {
    for (Command c : all) {
      SCOPED_TRACE(testing::Message() << Name(c) << " in situation " << int(s));
      ShowPicture(900, 600);
      MainForm->sbtnFitHeightClick();
      MainForm->sbtnZoomInClick();
      MainForm->sbtnSelect->SetFlat(true);
      if (s == Situation::NoPicture) MainForm->imgMain->SetVisible(false);
      if (s == Situation::Gif) MainForm->CurExt = QStringLiteral(".gif");
      if (s == Situation::Selection) MainForm->sbtnSelect->SetFlat(false);
      const DisplayState before = Snapshot();
      RunCommand(c);
      // Real size still works in selection mode.
      const bool works = s == Situation::Selection && c == Command::Real;
      EXPECT_EQ(Snapshot() == before, !works);
      if (works) {
        EXPECT_EQ(Bounds(), QRect(0, 0, 900, 600));
        EXPECT_EQ(PressedModeButton(), MainForm->sbtnReal);
      }
    }
  }
  MainForm->sbtnSelect->SetFlat(true);
}

TEST_F(ZoomTest, MagnifierLimitsTheZoomAndFitsTurnItOff) {
  NarrowView();
  ShowPicture(300, 200);
  MainForm->sbtnRealClick();
  // As the magnifier toggle leaves it: picture at its own size, box shown, button pressed.
  MainForm->MagnifierOn = true;
  MainForm->scrboxMagnifier->SetVisible(true);
  MainForm->sbtnZoom->SetFlat(false);
  MainForm->imgMain->SetCursor(TCursor::Cross);
  const QRect bounds = Bounds();

  MainForm->ZoomIndex = 18;
  MainForm->sbtnZoomInClick();
  EXPECT_EQ(MainForm->ZoomIndex, 19);
  EXPECT_EQ(ZoomText(), QStringLiteral("400%"));
  MainForm->sbtnZoomInClick();  // the lens goes no higher
  EXPECT_EQ(MainForm->ZoomIndex, 19);
  EXPECT_EQ(ZoomText(), QStringLiteral("400%"));
  MainForm->sbtnZoomOutClick();
  EXPECT_EQ(MainForm->ZoomIndex, 18);
  EXPECT_EQ(ZoomText(), QStringLiteral("300%"));
  EXPECT_EQ(Bounds(), bounds);  // only the lens changes

  for (Command c : {Command::FitWidth, Command::FitHeight, Command::FitPic}) {
    SCOPED_TRACE(Name(c));
    MainForm->MagnifierOn = true;
    MainForm->scrboxMagnifier->SetVisible(true);
    MainForm->sbtnZoom->SetFlat(false);
    MainForm->imgMain->SetCursor(TCursor::Cross);
    RunCommand(c);
    EXPECT_FALSE(MainForm->MagnifierOn);
    EXPECT_FALSE(MainForm->scrboxMagnifier->Visible());
    EXPECT_TRUE(MainForm->sbtnZoom->Flat());
    EXPECT_EQ(MainForm->imgMain->Cursor(), TCursor::Default);
  }
}

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
      {"properties hidden", [] { MainForm->TogglePropertiesPanel(); }, 663},
      {"properties shown", [] { MainForm->TogglePropertiesPanel(); }, 510},
      {"maximised", [] { MainForm->sbtnMaxClick(); }, 0},
      {"restored", [] { MainForm->sbtnMaxClick(); }, 510},
  };
  for (const Change& c : changes) {
    SCOPED_TRACE(c.name);
    MainForm->ZoomIndex = 17;
    c.run();
    const int w = MainForm->scrboxBack->Width();
    if (c.viewWidth)
      EXPECT_EQ(w, c.viewWidth);
    else
      EXPECT_GT(w, 663);
    EXPECT_EQ(Bounds().size(), QSize(w - 4, (w - 4) * 1200 / 1800));
    EXPECT_EQ(MainForm->ZoomIndex, 12);
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
  EXPECT_EQ(PressedModeButton(), MainForm->sbtnFitPic);
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

TEST_F(ZoomTest, HugeZoomDoesNotOverflow) {
  TScrollBox* view = MainForm->scrboxBack;
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
    MainForm->sbtnRealClick();
    MainForm->ZoomIndex = 22;
    MainForm->sbtnZoomInClick();
    EXPECT_EQ(ZoomText(), QStringLiteral("5000%"));
    EXPECT_EQ(Bounds().size(), c.zoomed);
    // The whole range scrolls: the far corner is reachable and the picture ends there.
    view->SetHorzPosition(view->horizontalScrollBar()->maximum());
    view->SetVertPosition(view->verticalScrollBar()->maximum());
    EXPECT_EQ(view->HorzPosition(), c.zoomed.width() - view->viewport()->width());
    EXPECT_EQ(Bounds().right() + 1, view->viewport()->width());
    ProcessEvents();
  }
}

TEST_F(ZoomTest, ArrowAndPageKeysScrollTheFocusedView) {
  ShowPicture(3000, 3000);
  MainForm->ZoomIndex = 22;
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
TEST(ZoomPaintTest, ExposedAreaIsSampledNearestNeighbour) {
  const int sw = 7, sh = 5;
  QImage pattern(sw, sh, QImage::Format_RGB32);
  for (int y = 0; y < sh; ++y)
    for (int x = 0; x < sw; ++x) pattern.setPixel(x, y, qRgb(x * 30, y * 40, 200));
  TImage image;
  image.GetPicture().Assign(Bitmap(pattern));
  image.SetStretch(true);
  struct Case {
    QSize size;
    QRect area;
  } cases[] = {
      {{sw * 50, sh * 50}, {0, 0, sw * 50, sh * 50}},  // large blocks
      {{sw * 50 + 13, sh * 40 + 7}, {31, 17, 150, 120}},
      {{sw * 3 + 2, sh * 3 + 1}, {0, 0, sw * 3 + 2, sh * 3 + 1}},  // small blocks
      {{sw * 3 + 2, sh * 3 + 1}, {4, 5, 9, 6}},
      {{3, 2}, {0, 0, 3, 2}},  // shrunk
      {{sw, sh}, {2, 1, 3, 3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size.width() << "x" << c.size.height());
    image.SetBounds(0, 0, c.size.width(), c.size.height());
    // A surface one pixel larger on each side shows anything drawn outside the area.
    const QRect frame = c.area.adjusted(-1, -1, 1, 1);
    QImage surface(frame.size(), QImage::Format_RGB32);
    const QRgb marker = qRgb(1, 2, 3);
    surface.fill(marker);
    {
      QPainter painter(&surface);
      painter.translate(-frame.topLeft());
      image.PaintArea(painter, c.area);
    }
    int wrong = 0;
    for (int y = frame.top(); y <= frame.bottom(); ++y)
      for (int x = frame.left(); x <= frame.right(); ++x) {
        QRgb expected = marker;
        if (c.area.contains(x, y)) {
          const int sx = int((2 * qint64(x) + 1) * sw / (2 * qint64(c.size.width())));
          const int sy = int((2 * qint64(y) + 1) * sh / (2 * qint64(c.size.height())));
          expected = pattern.pixel(sx, sy);
        }
        wrong += surface.pixel(x - frame.left(), y - frame.top()) != expected;
      }
    EXPECT_EQ(wrong, 0);
  }
}
