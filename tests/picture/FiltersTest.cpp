// The pixel edits: exact results on small cases, and agreement with a plain per-pixel
// version of each rule on a noisy picture big enough to cross the rotation tiles.
#include <gtest/gtest.h>

#include <functional>

#include "picture/Filters.h"

namespace {

Bitmap FromRows(const std::vector<std::vector<TColor>>& rows) {
  Bitmap b(int(rows[0].size()), int(rows.size()));
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) b.SetPixel(x, y, rows[size_t(y)][size_t(x)]);
  return b;
}

std::vector<std::vector<TColor>> Rows(const Bitmap& b) {
  std::vector<std::vector<TColor>> rows(size_t(b.Height()));
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) rows[size_t(y)].push_back(b.Pixel(x, y));
  return rows;
}

Bitmap Noise(int w, int h) {
  Bitmap b(w, h);
  quint32 s = 12345;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      s = s * 1664525u + 1013904223u;
      b.SetPixel(x, y, s >> 8);
    }
  return b;
}

Bitmap Uniform(int w, int h, TColor c) {
  Bitmap b(w, h);
  b.SetBrushColor(c);
  b.FillRect(Rect(0, 0, w, h));
  return b;
}

TColor Grey(int v) {
  return RGBColor(v, v, v);
}

// Every channel of c through f.
TColor PerChannel(TColor c, const std::function<int(int)>& f) {
  return RGBColor(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
}

// The rules as written beside each filter, one pixel at a time.
namespace reference {

Bitmap Rotate90(const Bitmap& s) {
  Bitmap r(s.Height(), s.Width());
  for (int i = 0; i < s.Width(); ++i)
    for (int row = 0; row < s.Height(); ++row) r.SetPixel(row, i, s.Pixel(i, s.Height() - 1 - row));
  return r;
}

Bitmap Map(const Bitmap& s, const std::function<TColor(int, int)>& f) {
  Bitmap r(s.Width(), s.Height());
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) r.SetPixel(x, y, f(x, y));
  return r;
}

Bitmap Emboss(const Bitmap& s) {
  return Map(s, [&](int x, int y) {
    if (x == s.Width() - 1 || y == s.Height() - 1) return Colors::White;
    const TColor a = s.Pixel(x, y), b = s.Pixel(x + 1, y + 1);
    auto e = [](int p, int q) { return std::abs(p - q + 128) & 0xFF; };
    return RGBColor(e(GetRValue(a), GetRValue(b)), e(GetGValue(a), GetGValue(b)),
                    e(GetBValue(a), GetBValue(b)));
  });
}

void AddBrightness(Bitmap& b, const TRect& region, int delta) {
  for (int y = std::max(region.Top, 0); y < std::min(region.Bottom, b.Height()); ++y)
    for (int x = std::max(region.Left, 0); x < std::min(region.Right, b.Width()); ++x)
      b.SetPixel(x, y, PerChannel(b.Pixel(x, y), [&](int v) {
                   return delta > 0 ? std::min(255, v + delta) : std::max(0, v + delta);
                 }));
}

}  // namespace reference

}  // namespace

TEST(Filters, SmallCases) {
  const TColor a = RGBColor(1, 2, 3), b = RGBColor(4, 5, 6), c = RGBColor(7, 8, 9),
               d = RGBColor(10, 11, 12), e = RGBColor(13, 14, 15), f = RGBColor(16, 17, 18);
  const Bitmap abc = FromRows({{a, b, c}, {d, e, f}});
  using Rows_ = std::vector<std::vector<TColor>>;
  const struct {
    const char* name;
    Bitmap result;
    Rows_ expected;
  } cases[] = {
      {"rotate", Filters::Rotate90(abc), {{d, a}, {e, b}, {f, c}}},
      {"mirror left-right", Filters::MirrorLeftRight(abc), {{c, b, a}, {f, e, d}}},
      {"mirror up-down", Filters::MirrorUpDown(abc), {{d, e, f}, {a, b, c}}},
      {"negative",
       Filters::Negative(FromRows({{RGBColor(0, 100, 255)}})),
       {{RGBColor(255, 155, 0)}}},
      {"black-white",
       Filters::BlackWhite(
           FromRows({{Colors::Blue, RGBColor(0, 255, 0), RGBColor(255, 0, 0), Colors::White}})),
       {{Grey(0), Grey(170), Grey(85), Grey(255)}}},
      {"emboss uniform",
       Filters::Emboss(Uniform(3, 3, RGBColor(90, 17, 250))),
       {{Grey(128), Grey(128), Colors::White},
        {Grey(128), Grey(128), Colors::White},
        {Colors::White, Colors::White, Colors::White}}},
      // -200 and +200 both end as 72: |-72| and 328 & 255.
      {"emboss differences",
       Filters::Emboss(
           FromRows({{RGBColor(0, 200, 0), Colors::Black}, {Colors::Black, RGBColor(200, 0, 0)}})),
       {{RGBColor(72, 72, 128), Colors::White}, {Colors::White, Colors::White}}},
      {"emboss single column",
       Filters::Emboss(Uniform(1, 3, Colors::Black)),
       {{Colors::White}, {Colors::White}, {Colors::White}}},
  };
  for (const auto& c : cases) EXPECT_EQ(Rows(c.result), c.expected) << c.name;
}

TEST(Filters, TurnsAndMirrorsComeBack) {
  const Bitmap start = Noise(67, 130);
  Bitmap turned = start;
  for (int i = 0; i < 4; ++i) turned = Filters::Rotate90(turned);
  EXPECT_EQ(Rows(turned), Rows(start));
  EXPECT_EQ(Rows(Filters::MirrorLeftRight(Filters::MirrorLeftRight(start))), Rows(start));
  EXPECT_EQ(Rows(Filters::MirrorUpDown(Filters::MirrorUpDown(start))), Rows(start));
  EXPECT_EQ(Rows(Filters::Negative(Filters::Negative(start))), Rows(start));
  EXPECT_TRUE(Filters::Rotate90(Bitmap()).Empty());
}

TEST(Filters, BrightnessSaturatesWithinRegion) {
  Bitmap b = FromRows({{RGBColor(253, 3, 128), RGBColor(253, 3, 128), RGBColor(253, 3, 128)}});
  Filters::AddBrightness(b, Rect(1, 0, 3, 1), 5);
  Filters::AddBrightness(b, Rect(2, -4, 50, 9), -5);  // clipped to the bitmap
  EXPECT_EQ(Rows(b), (std::vector<std::vector<TColor>>{
                         {RGBColor(253, 3, 128), RGBColor(255, 8, 133), RGBColor(250, 3, 128)}}));
  Bitmap c = FromRows({{RGBColor(3, 250, 0)}});
  Filters::AddBrightness(c, Rect(0, 0, 1, 1), -5);
  EXPECT_EQ(c.Pixel(0, 0), RGBColor(0, 245, 0));
  Filters::AddBrightness(c, Rect(0, 0, 1, 1), 1000);
  EXPECT_EQ(c.Pixel(0, 0), Colors::White);
}

TEST(Filters, FastFiltersMatchPerPixelRules) {
  const Bitmap s = Noise(131, 70);
  const int w = s.Width(), h = s.Height();
  EXPECT_EQ(Rows(Filters::Rotate90(s)), Rows(reference::Rotate90(s)));
  EXPECT_EQ(Rows(Filters::MirrorLeftRight(s)),
            Rows(reference::Map(s, [&](int x, int y) { return s.Pixel(w - 1 - x, y); })));
  EXPECT_EQ(Rows(Filters::MirrorUpDown(s)),
            Rows(reference::Map(s, [&](int x, int y) { return s.Pixel(x, h - 1 - y); })));
  EXPECT_EQ(Rows(Filters::Negative(s)), Rows(reference::Map(s, [&](int x, int y) {
              return PerChannel(s.Pixel(x, y), [](int v) { return 255 - v; });
            })));
  EXPECT_EQ(Rows(Filters::BlackWhite(s)), Rows(reference::Map(s, [&](int x, int y) {
              const TColor c = s.Pixel(x, y);
              return Grey((GetRValue(c) + 2 * GetGValue(c)) / 3);
            })));
  EXPECT_EQ(Rows(Filters::Emboss(s)), Rows(reference::Emboss(s)));
  for (int delta : {-255, -100, -1, 1, 37, 255}) {
    for (TRect region : {Rect(0, 0, w, h), Rect(5, 7, 100, 33), Rect(-10, 60, 20, 90)}) {
      Bitmap fast = s, slow = s;
      Filters::AddBrightness(fast, region, delta);
      reference::AddBrightness(slow, region, delta);
      EXPECT_EQ(Rows(fast), Rows(slow)) << delta;
    }
  }
  // The source itself is left alone.
  EXPECT_EQ(Rows(s), Rows(Noise(131, 70)));
}

TEST(Filters, ResultsAreOpaqueRgb32) {
  const Bitmap s = Noise(9, 9);
  for (const Bitmap& r :
       {Filters::Rotate90(s), Filters::MirrorLeftRight(s), Filters::MirrorUpDown(s),
        Filters::Negative(s), Filters::Emboss(s), Filters::BlackWhite(s)}) {
    ASSERT_EQ(r.Image().format(), QImage::Format_RGB32);
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x) ASSERT_EQ(qAlpha(r.ScanLine(y)[x]), 255);
  }
  Bitmap darker = s;
  Filters::AddBrightness(darker, Rect(0, 0, 9, 9), -30);
  EXPECT_EQ(qAlpha(darker.ScanLine(4)[4]), 255);
}
