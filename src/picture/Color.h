#pragma once
// Colours are 32-bit values with red in the low byte: 0x00BBGGRR.
#include <QRgb>
#include <cstdint>

using TColor = std::uint32_t;

constexpr TColor RGBColor(int r, int g, int b) {
  return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int GetRValue(TColor c) {
  return int(c & 0xFF);
}
constexpr int GetGValue(TColor c) {
  return int((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c) {
  return int((c >> 16) & 0xFF);
}

// Pixels of a Bitmap are stored as QRgb (0xAARRGGBB, bytes B,G,R,X in memory).
constexpr QRgb ToQRgb(TColor c) {
  return 0xFF000000u | (QRgb(GetRValue(c)) << 16) | (QRgb(GetGValue(c)) << 8) | QRgb(GetBValue(c));
}
constexpr TColor FromQRgb(QRgb p) {
  return RGBColor(qRed(p), qGreen(p), qBlue(p));
}

namespace Colors {
constexpr TColor White = RGBColor(255, 255, 255);
constexpr TColor Black = RGBColor(0, 0, 0);
constexpr TColor Green = RGBColor(0, 128, 0);
constexpr TColor Maroon = RGBColor(128, 0, 0);
constexpr TColor Purple = RGBColor(128, 0, 128);
constexpr TColor Teal = RGBColor(0, 128, 128);
constexpr TColor Navy = RGBColor(0, 0, 128);
constexpr TColor Yellow = RGBColor(255, 255, 0);
constexpr TColor Aqua = RGBColor(0, 255, 255);
constexpr TColor Blue = RGBColor(0, 0, 255);
constexpr TColor Cream = RGBColor(255, 251, 240);
}  // namespace Colors
