#include "PuzzlePicture.h"

#include "PuzzleBoard.h"

Bitmap PuzzlePicture::GamePicture(const Bitmap& source) {
  const qint64 w = source.Width(), h = source.Height();
  Bitmap result(kWidth, kHeight);
  if (w <= 0 || h <= 0) return result;
  result.SetStretchMode(StretchMode::ColorOnColor);
  // H / 450 > W / 600, compared exactly.
  if (h * kWidth > w * kHeight) {
    // 600 x D, of which the stretch writes only the top 450 rows that the result has.
    const qint64 d = h * kWidth / w;
    result.StretchBlt(0, 0, kWidth, int(d), source, 0, 0, int(w), int(h));
    return result;
  }
  // D x 450, cropped to columns L to D - L: 600 of them, or 601 when D - 600 is odd.
  const qint64 d = w * kHeight / h;
  const qint64 l = (d - kWidth) / 2;
  const int kept = int(d - 2 * l);
  Bitmap middle(kept, kHeight);
  middle.SetStretchMode(StretchMode::ColorOnColor);
  // The scaled picture placed so that column L lands on the strip's first column; the
  // stretch writes only the columns inside the strip.
  middle.StretchBlt(int(-l), 0, int(d), kHeight, source, 0, 0, int(w), int(h));
  result.CopyRect(Rect(0, 0, kWidth, kHeight), middle, Rect(0, 0, kept, kHeight));
  return result;
}

Bitmap PuzzlePicture::Piece(const Bitmap& game, int cellCount, int piece) {
  const QSize size = PuzzleBoard::PieceSize(cellCount);
  Bitmap bitmap(size.width(), size.height());
  bitmap.SetStretchMode(StretchMode::ColorOnColor);
  bitmap.CopyRect(Rect(0, 0, size.width(), size.height()), game,
                  PuzzleBoard::PictureRect(cellCount, piece));
  return bitmap;
}
