#pragma once
// The first icon of a Windows program or library (a PE32 or PE32+ file), read from its
// resources without trusting anything in the file.
//
// The icon is the first entry of the icon-group directory (resource type 14) in its
// stored order, first language; each image of the group is the icon resource (type 3)
// with its id, first language. The images are put together into an .ico file in memory
// and read as an opened .ico is: the image nearest to the system icon size, then the
// deepest colour, then the larger. The result is scaled to the system icon size
// nearest-neighbour, alpha included.
//
// The file is read in bounded ranges; every offset, size and count is checked against
// the file and its sections in 64-bit arithmetic, and exactly three directory levels are
// walked (type, name, language), so no resource tree can make the reader loop.
#include <QByteArray>
#include <QString>

#include "Icon.h"

namespace ExeIcon {

// Images of one icon group larger than an icon directory can describe (256 x 256) are
// left out; so is a group with more images than this.
constexpr int MaxImagesPerGroup = 256;
// The images of one group together, as assembled into the .ico file: a group may name one
// large image many times, and a file of a few megabytes must not become gigabytes in
// memory. Images beyond this are left out. Real groups are well below a megabyte.
constexpr qint64 MaxGroupImageBytes = qint64(16) << 20;

// The first icon of the file, SystemIconSize() large; an empty Icon when the file is not
// a program or library, has no icon, or holds anything unexpected. Never raises.
Icon Extract(const QString& path);

// The .ico file (directory and images) assembled from the first icon group of the file;
// empty when there is none. Extract decodes this.
QByteArray FirstGroupAsIco(const QString& path);

}  // namespace ExeIcon
