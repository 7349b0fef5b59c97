// Playing an effect on the picture area: the view is hidden while the frames play and
// comes back afterwards (also after an error), the frames sit where the picture is, each
// reaches the window before the next, and they end on the view's own pixels, and a
// picture zoomed far beyond the screen costs only the screen.
#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <QWindow>
#include <stdexcept>

#include "TestFiles.h"
#include "ViewerFixture.h"
#include "controls/InputHold.h"
#include "show/TransitionOverlay.h"
#include "show/TransitionPlayer.h"

namespace {
using Effect = TransitionFrames::Effect;
}

class TransitionPlayerTest : public ViewerFixture {
 protected:
  TransitionOverlay* Overlay() const { return window.findChild<TransitionOverlay*>(); }
  // The part of the picture the view shows, in the window's coordinates.
  QRect VisibleOnWindow() const {
    QWidget* view = area.scrboxBack->Client();
    const QRect shown = area.imgMain->geometry() & view->rect();
    return QRect(view->mapTo(&window, shown.topLeft()), shown.size());
  }
  void ZoomTo(int index) {
    while (state.ZoomIndex < index) zoom.ZoomIn();
    while (state.ZoomIndex > index) zoom.ZoomOut();
  }
  // A pattern picture shown at zoom step zoomIndex (-1: as loaded), scrolled by scroll;
  // returns where its visible part lies in the window.
  QRect ShowPatternAt(QSize picture, int zoomIndex, QPoint scroll) {
    ShowBitmap(Bitmap(TestFiles::Pattern(picture.width(), picture.height())));
    if (zoomIndex >= 0) ZoomTo(zoomIndex);
    area.scrboxBack->SetHorzPosition(scroll.x());
    area.scrboxBack->SetVertPosition(scroll.y());
    return VisibleOnWindow();
  }

  TransitionPlayer player{context};
};

TEST_F(TransitionPlayerTest, TheViewIsHiddenWhileFramesPlayAndComesBack) {
  ShowBitmap(Bitmap(TestFiles::Pattern(120, 110)));
  const QRect place = VisibleOnWindow();
  qint64 frames = 0;
  player.OnFrameShown = [&](const TransitionFrames&, qint64 n) {
    frames = n;
    EXPECT_FALSE(area.scrboxBack->Visible());
    ASSERT_NE(Overlay(), nullptr);
    EXPECT_TRUE(Overlay()->isVisible());
    EXPECT_EQ(Overlay()->geometry(), place);
    EXPECT_TRUE(InputHold::Active());
  };
  player.Play(Effect::PushPull);
  EXPECT_EQ(frames, 111);
  EXPECT_TRUE(area.scrboxBack->Visible());
  EXPECT_EQ(Overlay(), nullptr);
  EXPECT_FALSE(InputHold::Active());
  EXPECT_EQ(host.repaints, 1);
  EXPECT_TRUE(state.PicIsBitmap);
}

TEST_F(TransitionPlayerTest, AnErrorInTheMiddleStillBringsTheViewBack) {
  ShowBitmap(Bitmap(TestFiles::Pattern(60, 300)));
  player.OnFrameShown = [](const TransitionFrames&, qint64 n) {
    if (n == 3) throw std::runtime_error("out of memory");
  };
  EXPECT_THROW(player.Play(Effect::Raindrops), std::runtime_error);
  EXPECT_TRUE(area.scrboxBack->Visible());
  EXPECT_EQ(Overlay(), nullptr);
  EXPECT_FALSE(InputHold::Active());
  EXPECT_EQ(host.repaints, 1);
}

TEST_F(TransitionPlayerTest, BeforeAnyPictureTheFramesAreWhiteOverTheHiddenControl) {
  area.imgMain->SetBounds(0, 0, 105, 105);
  ASSERT_FALSE(area.imgMain->Visible());
  ASSERT_FALSE(state.PicIsBitmap);
  const QRect place = VisibleOnWindow();
  qint64 frames = 0;
  bool white = true;
  player.OnFrameShown = [&](const TransitionFrames& f, qint64 n) {
    frames = n;
    EXPECT_EQ(f.Frame().size(), QSize(105, 105));
    EXPECT_EQ(Overlay()->geometry(), place);
    for (int y = 0; y < f.Frame().height(); ++y)
      for (int x = 0; x < f.Frame().width(); ++x)
        white = white && f.Frame().pixel(x, y) == 0xFFFFFFFFu;
  };
  player.Play(Effect::PushPull);
  EXPECT_EQ(frames, 106);
  EXPECT_TRUE(white);
  EXPECT_TRUE(state.PicIsBitmap);
  // The control holds an empty bitmap now and keeps its size and its hidden state.
  EXPECT_FALSE(area.imgMain->Visible());
  EXPECT_EQ(area.imgMain->size(), QSize(105, 105));
}

TEST_F(TransitionPlayerTest, FramesSitOnThePictureAndEndOnTheViewsPixels) {
  const struct {
    const char* name;
    QSize picture;
    int zoomIndex;
    QPoint scroll;
  } cases[] = {
      {"50 %", {300, 200}, 8, {0, 0}},
      {"scrolled", {900, 800}, 12, {100, 150}},
      {"150 %, scrolled", {400, 500}, 16, {37, 61}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QRect place = ShowPatternAt(c.picture, c.zoomIndex, c.scroll);
    QImage last;
    player.OnFrameShown = [&](const TransitionFrames& f, qint64) {
      EXPECT_EQ(Overlay()->geometry(), place);
      last = f.Frame();
    };
    player.Play(Effect::PushPull);
    ASSERT_EQ(last.size(), place.size());
    // The picture as the view paints it there.
    QWidget* client = area.scrboxBack->Client();
    const QImage view = client->grab(QRect(client->mapFrom(&window, place.topLeft()), place.size()))
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(last.convertToFormat(QImage::Format_RGB32) == view);
  }
}

// What reaches the window after each frame is that frame, for every effect: at the
// picture's own size and stretched and scrolled (frames written a row, a column or a
// pixel at a time), wherever the visible part starts in the window's image.
TEST_F(TransitionPlayerTest, EveryFrameReachesTheWindowWhole) {
  const struct {
    const char* name;
    QSize picture;
    int zoomIndex;
    QPoint scroll;
  } cases[] = {
      {"own size", {131, 117}, -1, {0, 0}},
      {"150 %, scrolled", {330, 380}, 16, {37, 61}},
  };
  // Only a window that is on the screen gets its paint put there.
  for (int i = 0; i < 100 && !window.windowHandle()->isExposed(); ++i)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  ASSERT_TRUE(window.windowHandle()->isExposed());
  for (const auto& c : cases) {
    const QRect place = ShowPatternAt(c.picture, c.zoomIndex, c.scroll);
    for (Effect effect : {Effect::PushPull, Effect::HorizontalInterlace, Effect::VerticalInterlace,
                          Effect::Raindrops, Effect::Blinds}) {
      SCOPED_TRACE(testing::Message() << c.name << ", effect " << int(effect));
      qint64 frames = 0, wrong = 0;
      player.OnFrameShown = [&](const TransitionFrames& f, qint64 n) {
        frames = n;
        const QImage shown =
            window.screen()
                ->grabWindow(window.winId(), place.x(), place.y(), place.width(), place.height())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        if (shown != f.Frame() && wrong++ == 0) ADD_FAILURE() << "frame " << n << " not shown";
      };
      player.Play(effect);
      EXPECT_GT(frames, 0);
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST_F(TransitionPlayerTest, FarBeyondTheScreenOnlyTheVisiblePartIsBuilt) {
  // 2000 x 2000 at 5000 %: 100 000 rows, of which the view shows about 500.
  ShowPicture(2000, 2000, ".bmp", 40, 40);
  state.PicIsBitmap = true;
  ZoomTo(ViewerState::kMaxZoom);
  ASSERT_EQ(area.imgMain->Height(), 100000);
  const QSize view = area.scrboxBack->Client()->size();
  qint64 frames = 0;
  QSize largest;
  player.OnFrameShown = [&](const TransitionFrames& f, qint64 n) {
    frames = n;
    largest = largest.expandedTo(f.Frame().size());
  };
  player.Play(Effect::PushPull);
  EXPECT_EQ(frames, 100001);
  EXPECT_LE(largest.width(), view.width());
  EXPECT_LE(largest.height(), view.height());
}
