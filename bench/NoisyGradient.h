#pragma once
// A test picture for benchmarks: gradients in red and green, noise in blue, so that no
// row or column repeats and nothing compresses or caches unusually well.
#include "picture/Bitmap.h"

inline Bitmap NoisyGradient(int width, int height, quint32 seed) {
  Bitmap b(width, height);
  for (int y = 0; y < height; ++y) {
    QRgb* line = b.ScanLine(y);
    for (int x = 0; x < width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      line[x] = 0xFF000000u | ((x * 255 / width) << 16) | ((y * 255 / height) << 8) | (seed >> 24);
    }
  }
  return b;
}
