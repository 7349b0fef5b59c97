#pragma once
// The system clipboard, exchanging one bitmap.
#include "Bitmap.h"

namespace Clipboard {
// Replaces the clipboard contents with the bitmap.
void PutBitmap(const Bitmap& bitmap);
// The clipboard's picture as a bitmap of its size; PictureError when it holds none.
Bitmap GetBitmap();
}  // namespace Clipboard
