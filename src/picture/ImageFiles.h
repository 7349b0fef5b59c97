#pragma once
// Readers and writers of the non-JPEG files, on top of Qt's image plugins, with the
// checks that keep bad input harmless: only regular files are opened, the content must be
// of the expected kind, the size must be sane and the decode must fit the memory budget
// (PictureLimits), all judged from the header before Qt decodes anything.
#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "PictureLimits.h"

namespace ImageFiles {

constexpr qint64 MaxPixels = qint64(PictureLimits::MaxPixels);

// Raises Qt's reader allocation limit so that large bitmaps open; called at start-up.
void RaiseAllocationLimit();

// A .bmp file as Format_RGB32; PictureError when it is not a readable bitmap.
QImage ReadBmp(const QString& path);
// The memory ReadBmp needs at its peak, from the header alone; PictureError when the
// file could not be read.
qint64 BmpPeakBytes(const QString& path);

// The image of an .ico file that a desktop shows at the size want, chosen from the
// directory and the entries' headers (IconDirectory::Preferred); only that image is
// decoded (the next ones only when it fails), as Format_ARGB32_Premultiplied.
QImage ReadIcon(const QString& path, QSize want);
// The same from an icon file put together in memory; name stands for it in errors.
QImage ReadIcon(const QByteArray& bytes, QSize want, const QString& name);
// The memory ReadIcon needs at its peak; PictureError when the file could not be read.
qint64 IconPeakBytes(const QString& path, QSize want);

// Every readable image of an .ico file in file order, with its colour depth, for looking
// into icon files (tests, tools); the viewer reads one image with ReadIcon. Bounded like
// every reader: all the images together may take no more than one picture's budget.
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
