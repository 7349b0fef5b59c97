#pragma once
// A rectangle given by its edges; Right and Bottom are exclusive.
#include <QRect>

struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom) {
  return TRect{left, top, right, bottom};
}
constexpr TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}
