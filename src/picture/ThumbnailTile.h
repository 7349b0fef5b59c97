#pragma once
// The 80 x 80 tiles of the thumbnail view: a picture scaled into the middle 64 x 64 of a
// white tile, "gif" for the kinds that have no picture, and a mark for files that cannot
// be read. Pure pixel work, safe to run in worker threads.
#include <QString>

#include "Bitmap.h"
#include "TRect.h"

namespace ThumbnailTile {

constexpr int Size = 80;

// Where a width x height picture is drawn on the tile. The long side runs from 8 to 70
// (bound 71) while the short side is scaled as for 64; integer divisions throughout.
TRect PictureRect(int width, int height);

// The tile of a picture of the given full size. picture may be a reduced copy of it: it
// is stretched (nearest pixel) into the same rectangle.
Bitmap FromPicture(const Bitmap& picture, int fullWidth, int fullHeight);

// Whether the file's kind has a picture to draw (.bmp, .jpg, .jpeg, .ico, any case).
bool HasPicture(const QString& path);
// Whether making the tile reads the file: the kinds with a picture, and .gif, whose file is
// checked (GifFile) so that one that cannot be shown gets the unreadable tile.
bool ReadsFile(const QString& path);

// A JPEG's picture as it was decoded for its tile, reduced to fit keep x keep (smooth
// scaling; a smaller picture stays as it is), for a caller that stores it as a thumbnail
// of its own. Empty for the other kinds.
struct Kept {
  QImage image;
  int fullWidth = 0, fullHeight = 0;
};

// The tile of a file by its lower-case extension: .bmp, .jpg, .jpeg and .ico show their
// picture (JPEGs are decoded at the smallest DCT scale that still covers the drawn
// rectangle), every other kind shows "gif". PictureError when the file cannot be read,
// including a GIF that is not a regular file or whose screen or first frame is too large.
Bitmap Make(const QString& path);
// Make, with a JPEG decoded at a scale that still gives keep pixels on the picture's long
// side (or the whole picture, when it is smaller), reduced into kept. The tile is drawn
// from kept.image, so a tile drawn later from a stored copy of it (FromThumbnail) is the
// same tile. keep below Size is taken as Size.
Bitmap Make(const QString& path, int keep, Kept& kept);

// The memory Make needs at its peak, estimated from the file's header; PictureError when
// Make would fail on the header already. For kinds that are not read, 0.
qint64 PeakBytes(const QString& path);
qint64 PeakBytes(const QString& path, int keep);

// The tile drawn from a stored thumbnail of a picture of fullWidth x fullHeight (0 x 0:
// unknown, the thumbnail's own aspect decides). Transparent parts show white.
Bitmap FromThumbnail(const QImage& thumbnail, int fullWidth, int fullHeight);

// White with the green "gif" text.
Bitmap NoPicture();

// The tile of a file that could not be read: a grey frame, a red "?" and "无法读取".
Bitmap Unreadable();

}  // namespace ThumbnailTile
