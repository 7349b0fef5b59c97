#pragma once
// Where a list tile was drawn: the tests of the thumbnail build check the picture's
// rectangle inside its 80 x 80 tile this way.
#include <QImage>
#include <QRect>

// The bounding box of the pixels of tile that are not white.
inline QRect PaintedBox(const QImage& tile) {
  QRect box;
  for (int y = 0; y < tile.height(); ++y)
    for (int x = 0; x < tile.width(); ++x)
      if ((tile.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF) box |= QRect(x, y, 1, 1);
  return box;
}
