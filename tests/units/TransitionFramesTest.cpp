// The frame loops of the transition effects, without windows: how many frames each draws,
// what given frames hold, and that keeping only a visible part of the frame changes none
// of the pixels that can be seen.
#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "TestFiles.h"
#include "show/TransitionFrames.h"

namespace {
using Effect = TransitionFrames::Effect;

const char* Name(Effect e) {
  const char* names[] = {"push-pull", "horizontal interlace", "vertical interlace", "raindrops",
                         "blinds"};
  return names[int(e)];
}

constexpr QRgb kWhite = 0xFFFFFFFFu;

// Runs effect on picture shown at its own size, the whole of it visible; returns every
// frame.
std::vector<QImage> AllFrames(const QImage& picture, Effect effect) {
  TransitionFrames frames(Bitmap(picture), picture.size(), QRect(QPoint(0, 0), picture.size()));
  std::vector<QImage> out;
  frames.Run(effect, [&](const QRegion&) {
    out.push_back(frames.Frame().copy());
    return true;
  });
  return out;
}

bool RowIs(const QImage& frame, int y, const QImage& picture, int pictureRow) {
  for (int x = 0; x < frame.width(); ++x)
    if (frame.pixel(x, y) != picture.pixel(x, pictureRow)) return false;
  return true;
}

bool RowIsWhite(const QImage& frame, int y) {
  for (int x = 0; x < frame.width(); ++x)
    if (frame.pixel(x, y) != kWhite) return false;
  return true;
}

}  // namespace

TEST(TransitionFrames, FrameCounts) {
  const struct {
    Effect effect;
    int w, h;
    qint64 frames;
  } cases[] = {
      {Effect::PushPull, 40, 600, 601},
      {Effect::Raindrops, 40, 600, 1506},
      {Effect::Blinds, 40, 600, 663},
      {Effect::VerticalInterlace, 40, 600, 76},
      {Effect::HorizontalInterlace, 800, 4, 81},
      {Effect::Raindrops, 40, 99, 0},
      {Effect::Blinds, 40, 49, 51},
      {Effect::PushPull, 40, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << Name(c.effect) << " " << c.w << " x " << c.h);
    const QImage picture = TestFiles::Pattern(c.w, std::max(1, c.h));
    TransitionFrames frames(Bitmap(picture), QSize(c.w, c.h), QRect(0, 0, c.w, c.h));
    qint64 handed = 0;
    bool allWhite = true;
    const qint64 count = frames.Run(c.effect, [&](const QRegion&) {
      ++handed;
      for (int y = 0; y < frames.Frame().height(); ++y)
        allWhite = allWhite && RowIsWhite(frames.Frame(), y);
      return true;
    });
    EXPECT_EQ(count, c.frames);
    EXPECT_EQ(handed, c.frames);
    // Below 50 rows the blinds have no rows to open.
    if (c.effect == Effect::Blinds && c.h < 50) {
      EXPECT_TRUE(allWhite);
    }
  }
}

TEST(TransitionFrames, PushPullRaisesThePictureFromTheBottomEdge) {
  const QImage picture = TestFiles::Pattern(7, 5);
  const std::vector<QImage> frames = AllFrames(picture, Effect::PushPull);
  ASSERT_EQ(frames.size(), 6u);
  const int h = 5;
  for (int i = 0; i <= h; ++i) {
    SCOPED_TRACE(testing::Message() << "frame " << i);
    for (int y = 0; y < h; ++y) {
      if (y >= h - i)
        EXPECT_TRUE(RowIs(frames[size_t(i)], y, picture, y - (h - i))) << "row " << y;
      else
        EXPECT_TRUE(RowIsWhite(frames[size_t(i)], y)) << "row " << y;
    }
  }
}

TEST(TransitionFrames, InterlacesMeetExactlyOnlyOnWholeSteps) {
  const struct {
    Effect effect;
    int w, h;
    bool exact;
  } cases[] = {
      {Effect::HorizontalInterlace, 30, 6, true},
      {Effect::HorizontalInterlace, 35, 6, false},
      {Effect::VerticalInterlace, 9, 16, true},
      {Effect::VerticalInterlace, 9, 17, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << Name(c.effect) << " " << c.w << " x " << c.h);
    const QImage picture = TestFiles::Pattern(c.w, c.h);
    const std::vector<QImage> frames = AllFrames(picture, c.effect);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back() == picture.convertToFormat(QImage::Format_RGB32), c.exact);
  }
}

TEST(TransitionFrames, RaindropsFallInBandsAndLeaveAStreak) {
  const QImage picture = TestFiles::Pattern(6, 250);
  const std::vector<QImage> frames = AllFrames(picture, Effect::Raindrops);
  // Bands of rows 150..249 (151 frames) and 50..149 (51 frames); rows 0..49 get none.
  ASSERT_EQ(frames.size(), 202u);
  const QImage& last = frames.back();
  for (int y = 50; y < 250; ++y) EXPECT_TRUE(RowIs(last, y, picture, y)) << "row " << y;
  for (int y = 0; y < 50; ++y) EXPECT_TRUE(RowIs(last, y, picture, 50)) << "row " << y;
  // The first band, half way: rows 0..49 hold its first row, 50..149 the band.
  const QImage& halfWay = frames[50];
  for (int y = 0; y < 50; ++y) EXPECT_TRUE(RowIs(halfWay, y, picture, 150)) << "row " << y;
  for (int y = 50; y < 150; ++y) EXPECT_TRUE(RowIs(halfWay, y, picture, y + 100)) << "row " << y;
  for (int y = 150; y < 250; ++y) EXPECT_TRUE(RowIsWhite(halfWay, y)) << "row " << y;
}

TEST(TransitionFrames, BlindsOpenTheirSlatsRowByRow) {
  const QImage picture = TestFiles::Pattern(6, 120);
  const std::vector<QImage> frames = AllFrames(picture, Effect::Blinds);
  ASSERT_EQ(frames.size(), 153u);  // s = 2
  const QImage& last = frames.back();
  for (int y = 0; y < 102; ++y) EXPECT_TRUE(RowIs(last, y, picture, y)) << "row " << y;
  for (int y = 102; y < 120; ++y) EXPECT_TRUE(RowIsWhite(last, y)) << "row " << y;
  // After the first round (k = 0) each slat shows its row s * j - 1.
  const QImage& firstRound = frames[50];
  for (int y = 0; y < 120; ++y) {
    const bool opened = (y + 1) % 2 == 0 && y <= 99;
    EXPECT_EQ(opened ? RowIs(firstRound, y, picture, y) : RowIsWhite(firstRound, y), true)
        << "row " << y;
  }
}

// A stretched picture with only a part visible: every frame's visible part is the same
// part of the frame built whole, and every pixel a frame changes lies in the part it
// reports.
TEST(TransitionFrames, AVisiblePartHoldsWhatTheWholeFrameHoldsThere) {
  const QImage picture = TestFiles::Pattern(37, 23);
  const QSize shown(90, 230);
  const QRect visible(13, 9, 40, 150);
  for (Effect effect : {Effect::PushPull, Effect::HorizontalInterlace, Effect::VerticalInterlace,
                        Effect::Raindrops, Effect::Blinds}) {
    SCOPED_TRACE(Name(effect));
    TransitionFrames whole(Bitmap(picture), shown, QRect(QPoint(0, 0), shown));
    std::vector<QImage> expected;
    whole.Run(effect, [&](const QRegion&) {
      expected.push_back(whole.Frame().copy(visible));
      return true;
    });
    TransitionFrames part(Bitmap(picture), shown, visible);
    ASSERT_EQ(part.Frame().size(), visible.size());
    size_t i = 0;
    QImage before = part.Frame().copy();
    part.Run(effect, [&](const QRegion& changed) {
      EXPECT_TRUE((changed - QRegion(visible)).isEmpty());
      if (i < expected.size()) {
        EXPECT_TRUE(part.Frame() == expected[i]) << "frame " << i;
      }
      const QRegion local = changed.translated(-visible.topLeft());
      for (int y = 0; y < visible.height(); ++y)
        for (int x = 0; x < visible.width(); ++x)
          if (part.Frame().pixel(x, y) != before.pixel(x, y) && !local.contains(QPoint(x, y))) {
            ADD_FAILURE() << "frame " << i << " changed (" << x << ", " << y << ") unreported";
            return false;
          }
      before = part.Frame().copy();
      ++i;
      return true;
    });
    EXPECT_EQ(i, expected.size());
  }
}

TEST(TransitionFrames, AHandlerThatSaysStopEndsTheLoop) {
  const QImage picture = TestFiles::Pattern(20, 300);
  TransitionFrames frames(Bitmap(picture), picture.size(), QRect(0, 0, 20, 300));
  int handed = 0;
  EXPECT_EQ(frames.Run(Effect::Raindrops, [&](const QRegion&) { return ++handed < 7; }), 7);
  EXPECT_EQ(handed, 7);
}

TEST(TransitionFrames, AnEmptyPictureGivesWhiteFrames) {
  TransitionFrames frames(Bitmap(), QSize(105, 105), QRect(0, 0, 105, 105));
  bool allWhite = true;
  const qint64 count = frames.Run(Effect::PushPull, [&](const QRegion&) {
    for (int y = 0; y < 105; ++y) allWhite = allWhite && RowIsWhite(frames.Frame(), y);
    return true;
  });
  EXPECT_EQ(count, 106);
  EXPECT_TRUE(allWhite);
}
