#include <gtest/gtest.h>

#include <QPainter>

#include "controls/TImage.h"

// The picture control paints only the exposed rectangle, each screen pixel taken from the
// picture pixel under its centre, whatever the enlargement.
TEST(TImagePaint, ExposedAreaIsSampledNearestNeighbour) {
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
