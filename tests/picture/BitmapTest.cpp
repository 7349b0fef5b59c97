// Bitmap: sizing, pixels, canvas drawing and the rectangle copies.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "picture/Bitmap.h"
#include "picture/Icon.h"
#include "picture/JpegImage.h"

namespace {

// Every pixel of the bitmap, checked against expected(x, y).
template <typename F>
void ExpectPixels(const Bitmap& b, F expected) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      ASSERT_EQ(b.Pixel(x, y), expected(x, y)) << "at " << x << "," << y;
}

Bitmap Filled(int w, int h, TColor color) {
  Bitmap b(w, h);
  b.SetBrushColor(color);
  b.FillRect(Rect(0, 0, w, h));
  return b;
}

// The colour of TestFiles::Pattern at (x, y), for patterns up to 64 x 64.
TColor PatternAt(int x, int y) {
  static const QImage pattern = TestFiles::Pattern(64, 64);
  return FromQRgb(pattern.pixel(x, y));
}

}  // namespace

TEST(Bitmap, NewIsEmptyAndSizedIsWhite) {
  Bitmap empty;
  EXPECT_EQ(empty.Width(), 0);
  EXPECT_EQ(empty.Height(), 0);
  EXPECT_TRUE(empty.Empty());

  Bitmap b;
  b.SetSize(10, 10);
  ExpectPixels(b, [](int, int) { return Colors::White; });
  ExpectPixels(Bitmap(7, 3), [](int, int) { return Colors::White; });
}

TEST(Bitmap, WidthThenHeightOnEmptyBitmap) {
  Bitmap b;
  b.SetWidth(12);
  EXPECT_EQ(b.Width(), 12);
  EXPECT_EQ(b.Height(), 0);
  b.SetHeight(5);
  EXPECT_EQ(b.Width(), 12);
  EXPECT_EQ(b.Height(), 5);
  EXPECT_EQ(b.Pixel(11, 4), Colors::White);
}

TEST(Bitmap, ResizeKeepsOldPixelsTopLeftAndFillsWithBrush) {
  Bitmap b(TestFiles::Pattern(6, 4));
  b.SetBrushColor(Colors::Navy);
  b.SetSize(8, 3);
  ExpectPixels(b, [](int x, int y) { return x < 6 ? PatternAt(x, y) : Colors::Navy; });
  b.SetHeight(5);
  ExpectPixels(b, [](int x, int y) { return x < 6 && y < 3 ? PatternAt(x, y) : Colors::Navy; });
}

TEST(Bitmap, PixelsOutsideAreIgnored) {
  Bitmap b(3, 2);
  b.SetPixel(2, 1, Colors::Teal);
  EXPECT_EQ(b.Pixel(2, 1), Colors::Teal);
  for (auto [x, y] : {std::pair{-1, 0}, {3, 0}, {0, -1}, {0, 2}}) {
    b.SetPixel(x, y, Colors::Black);
    EXPECT_EQ(b.Pixel(x, y), Bitmap::NoColor);
  }
  ExpectPixels(b, [](int x, int y) { return x == 2 && y == 1 ? Colors::Teal : Colors::White; });
}

TEST(Bitmap, AssignGivesIndependentCopy) {
  Bitmap a(TestFiles::Pattern(5, 5));
  Bitmap b;
  b.Assign(a);
  b.SetPixel(1, 1, Colors::Maroon);
  EXPECT_EQ(a.Pixel(1, 1), PatternAt(1, 1));
  a.SetPixel(2, 2, Colors::Purple);
  EXPECT_EQ(b.Pixel(2, 2), PatternAt(2, 2));

  // A JPEG image gives its pixels; an icon lies over white.
  Bitmap fromJpeg;
  fromJpeg.Assign(JpegImage(TestFiles::Pattern(4, 3)));
  ExpectPixels(fromJpeg, PatternAt);
  QImage argb(2, 1, QImage::Format_ARGB32);
  argb.setPixel(0, 0, qRgba(255, 0, 0, 255));
  argb.setPixel(1, 0, qRgba(255, 0, 0, 0));
  Bitmap fromIcon;
  fromIcon.Assign(Icon(argb));
  EXPECT_EQ(fromIcon.Pixel(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(fromIcon.Pixel(1, 0), Colors::White);
}

TEST(Bitmap, PixelFormat24KeepsTheLook) {
  Bitmap b(TestFiles::Pattern(9, 4));
  b.SetPixelFormat(PixelFormat::Bit24);
  EXPECT_EQ(b.GetPixelFormat(), PixelFormat::Bit24);
  ExpectPixels(b, PatternAt);
}

TEST(Bitmap, FillAndFrameAreClipped) {
  Bitmap b(6, 5);
  b.SetBrushColor(Colors::Green);
  b.FillRect(Rect(4, -3, 20, 2));  // right/bottom exclusive, clipped to the bitmap
  ExpectPixels(b, [](int x, int y) { return x >= 4 && y < 2 ? Colors::Green : Colors::White; });

  Bitmap f(6, 5);
  f.SetBrushColor(Colors::Blue);
  f.FrameRect(Rect(1, 1, 5, 4));
  ExpectPixels(f, [](int x, int y) {
    const bool inside = x >= 1 && x < 5 && y >= 1 && y < 4;
    const bool edge = x == 1 || x == 4 || y == 1 || y == 3;
    return inside && edge ? Colors::Blue : Colors::White;
  });
}

TEST(Bitmap, TextOutDrawsInFontColourOnTransparentBackground) {
  for (const QString& text : {QStringLiteral("Hello"), QStringLiteral("图片")}) {
    Bitmap b(120, 40);
    b.SetBrushColor(Colors::Yellow);
    b.FillRect(Rect(0, 0, 120, 40));
    b.Font().Size = 14;
    b.Font().Bold = true;
    b.Font().Color = Colors::Blue;
    b.TextOut(10, 5, text);
    int ink = 0, other = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 120; ++x) {
        const TColor c = b.Pixel(x, y);
        if (c == Colors::Blue) ++ink;
        if (c != Colors::Yellow && (x < 10 || y < 5)) ++other;  // nothing above or left of it
      }
    EXPECT_GT(ink, 20) << text.toStdString();
    EXPECT_EQ(other, 0) << text.toStdString();
    EXPECT_EQ(b.Pixel(119, 39), Colors::Yellow);  // background not painted
  }
}

TEST(Bitmap, DrawBlendsIconsAndCopiesBitmaps) {
  Bitmap b = Filled(4, 1, Colors::Blue);
  QImage argb(3, 1, QImage::Format_ARGB32);
  argb.setPixel(0, 0, qRgba(255, 0, 0, 255));  // opaque red
  argb.setPixel(1, 0, qRgba(255, 0, 0, 0));    // masked out
  argb.setPixel(2, 0, qRgba(255, 0, 0, 128));  // half
  b.Draw(1, 0, Icon(argb));
  EXPECT_EQ(b.Pixel(0, 0), Colors::Blue);
  EXPECT_EQ(b.Pixel(1, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(b.Pixel(2, 0), Colors::Blue);
  const TColor half = b.Pixel(3, 0);
  EXPECT_NEAR(GetRValue(half), 128, 2);
  EXPECT_NEAR(GetBValue(half), 127, 2);

  Bitmap c(5, 5);
  c.Draw(3, -1, Bitmap(TestFiles::Pattern(4, 4)));  // partly outside
  ExpectPixels(
      c, [](int x, int y) { return x >= 3 && y < 3 ? PatternAt(x - 3, y + 1) : Colors::White; });
}

// Source index of destination index d when srcLen pixels are stretched over dstLen.
int Nearest(int d, int srcLen, int dstLen) {
  return int((2LL * d + 1) * srcLen / (2LL * dstLen));
}

TEST(Bitmap, NearestRuleExamples) {
  // 3 -> 5 repeats the outer pixels; 5 -> 2 picks columns 1 and 3.
  const int up[] = {0, 0, 1, 2, 2};
  for (int d = 0; d < 5; ++d) EXPECT_EQ(Nearest(d, 3, 5), up[d]);
  EXPECT_EQ(Nearest(0, 5, 2), 1);
  EXPECT_EQ(Nearest(1, 5, 2), 3);
}

TEST(Bitmap, StretchDrawDropsOrRepeatsPixels) {
  struct Case {
    int srcW, srcH;
    TRect rect;
  };
  const Case cases[] = {
      {4, 3, Rect(0, 0, 4, 3)},    // same size
      {3, 3, Rect(1, 2, 8, 6)},    // enlarged across, shrunk down
      {9, 7, Rect(2, 1, 6, 4)},    // shrunk
      {5, 4, Rect(-3, -2, 7, 6)},  // partly outside
      {2, 2, Rect(0, 0, 9, 9)},    // big repeat
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.srcW << "x" << c.srcH);
    for (bool jpeg : {false, true}) {
      Bitmap b = Filled(8, 7, Colors::Cream);
      const QImage pattern = TestFiles::Pattern(c.srcW, c.srcH);
      if (jpeg)
        b.StretchDraw(c.rect, JpegImage(pattern));
      else
        b.StretchDraw(c.rect, Bitmap(pattern));
      ExpectPixels(b, [&](int x, int y) {
        const bool inside =
            x >= c.rect.Left && x < c.rect.Right && y >= c.rect.Top && y < c.rect.Bottom;
        if (!inside) return Colors::Cream;
        return PatternAt(Nearest(x - c.rect.Left, c.srcW, c.rect.Width()),
                         Nearest(y - c.rect.Top, c.srcH, c.rect.Height()));
      });
    }
  }
}

TEST(Bitmap, CopyRectFrom149ColumnsFillsAll150) {
  for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Default}) {
    Bitmap src = Filled(160, 4, Colors::Green);
    Bitmap dst = Filled(160, 4, Colors::Maroon);
    dst.SetStretchMode(mode);
    dst.CopyRect(Rect(0, 0, 150, 4), src, Rect(0, 0, 149, 4));
    ExpectPixels(dst, [](int x, int) { return x < 150 ? Colors::Green : Colors::Maroon; });
  }
}

TEST(Bitmap, CopyRectEqualSizesAndClipping) {
  struct Case {
    TRect dest, source;
  };
  const Case cases[] = {
      {Rect(1, 1, 4, 3), Rect(2, 0, 5, 2)},      // equal sizes, inside
      {Rect(-2, 3, 4, 9), Rect(0, 0, 6, 6)},     // destination partly outside
      {Rect(0, 0, 6, 4), Rect(-3, -1, 3, 3)},    // source partly outside: rest keeps its place
      {Rect(0, 0, 7, 5), Rect(-2, 1, 4, 9)},     // stretched and both partly outside
      {Rect(5, 5, 9, 9), Rect(20, 20, 30, 30)},  // source entirely outside
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dest.Left << "," << c.dest.Top << " <- " << c.source.Left
                                    << "," << c.source.Top);
    Bitmap src(TestFiles::Pattern(6, 6));
    Bitmap dst = Filled(7, 7, Colors::Cream);
    dst.SetStretchMode(StretchMode::ColorOnColor);
    dst.CopyRect(c.dest, src, c.source);
    ExpectPixels(dst, [&](int x, int y) {
      if (x < c.dest.Left || x >= c.dest.Right || y < c.dest.Top || y >= c.dest.Bottom)
        return Colors::Cream;
      const int sx = c.source.Left + Nearest(x - c.dest.Left, c.source.Width(), c.dest.Width());
      const int sy = c.source.Top + Nearest(y - c.dest.Top, c.source.Height(), c.dest.Height());
      if (sx < 0 || sy < 0 || sx >= 6 || sy >= 6) return Colors::Cream;
      return PatternAt(sx, sy);
    });
  }
}

TEST(Bitmap, CopyRectWithinItself) {
  Bitmap b(TestFiles::Pattern(8, 8));
  b.CopyRect(Rect(2, 2, 8, 8), b, Rect(0, 0, 6, 6));  // overlapping: reads the old pixels
  ExpectPixels(
      b, [](int x, int y) { return x >= 2 && y >= 2 ? PatternAt(x - 2, y - 2) : PatternAt(x, y); });
}

TEST(Bitmap, DefaultModeAveragesWhenShrinking) {
  Bitmap src(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, (x + y) % 2 ? Colors::Black : Colors::White);
  Bitmap dst(2, 2);
  dst.CopyRect(Rect(0, 0, 2, 2), src, Rect(0, 0, 4, 4));
  // A checkerboard shrinks to grey, not to one of its colours.
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_NEAR(GetRValue(dst.Pixel(x, y)), 128, 8);
}

TEST(Bitmap, StretchBltNegativeSourceExtentMirrors) {
  const int w = 7, h = 5;
  for (StretchMode mode : {StretchMode::ColorOnColor, StretchMode::Default}) {
    Bitmap src(TestFiles::Pattern(w, h));
    Bitmap lr(w, h), ud(w, h);
    lr.SetStretchMode(mode);
    ud.SetStretchMode(mode);
    lr.StretchBlt(0, 0, w, h, src, w, 0, -w, h);
    ud.StretchBlt(0, 0, w, h, src, 0, h, w, -h);
    ExpectPixels(lr, [&](int x, int y) { return PatternAt(w - 1 - x, y); });
    ExpectPixels(ud, [&](int x, int y) { return PatternAt(x, h - 1 - y); });
  }
}
