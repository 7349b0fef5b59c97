#pragma once
// Readers and writers of the non-JPEG files, on top of Qt's image plugins, with the
// checks that keep bad input harmless: the content must be of the expected kind and the
// size must be sane (at most MaxPixels pixels).
#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace ImageFiles {

constexpr qint64 MaxPixels = qint64(1) << 28;

// Raises Qt's reader allocation limit so that large bitmaps open; called at start-up.
void RaiseAllocationLimit();

// A .bmp file as Format_RGB32; PictureError when it is not a readable bitmap.
QImage ReadBmp(const QString& path);
// Every image of an .ico file as Format_ARGB32_Premultiplied, with its colour depth.
struct IconEntry {
  QImage image;
  int depth = 0;
};
std::vector<IconEntry> ReadIco(const QString& path);
// The same for an .ico file already in memory (one assembled from a program's icon
// resources); name stands for the file in error messages.
std::vector<IconEntry> ReadIco(const QByteArray& bytes, const QString& name);

// A Windows bitmap file (24 bits per pixel) of the image.
QByteArray EncodeBmp(const QImage& image);
// A single-image icon file: 32-bit colour bitmap and AND mask from the alpha channel.
QByteArray EncodeIco(const QImage& argb);

}  // namespace ImageFiles
