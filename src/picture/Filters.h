#pragma once
// The pixel edits of the picture: quarter turn, mirrors and tone filters. Each works on
// scan lines in one pass and gives exactly the pixels of the per-pixel rule written
// beside it. Results are new bitmaps of the default pixel format unless noted.
#include "Bitmap.h"
#include "TRect.h"

namespace Filters {

// Quarter turn clockwise: result (x = r, y = i) = source (x = i, y = H - 1 - r);
// the result is H x W.
Bitmap Rotate90(const Bitmap& source);
// result(x, y) = source(W - 1 - x, y).
Bitmap MirrorLeftRight(const Bitmap& source);
// result(x, y) = source(x, H - 1 - y).
Bitmap MirrorUpDown(const Bitmap& source);

// In place: every channel v of the pixels inside region (clipped to the bitmap) becomes
// min(255, v + delta) for delta > 0, max(0, v + delta) for delta < 0.
void AddBrightness(Bitmap& bitmap, const TRect& region, int delta);

// Every channel v becomes 255 - v.
Bitmap Negative(const Bitmap& source);
// For x < W - 1 and y < H - 1, per channel: low 8 bits of |c(x, y) - c(x + 1, y + 1) + 128|;
// the last column and the last row stay white.
Bitmap Emboss(const Bitmap& source);
// Every pixel becomes (q, q, q) with q = (r + 2 g) div 3.
Bitmap BlackWhite(const Bitmap& source);

}  // namespace Filters
