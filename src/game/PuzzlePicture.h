#pragma once
// The puzzle's pictures: the 600 x 450 game picture made from the picture the main
// window shows, and the pieces cut from it.
#include "picture/Bitmap.h"

class PuzzlePicture {
 public:
  static constexpr int kWidth = 600, kHeight = 450;
  // The smallest picture the game takes.
  static bool LargeEnough(int width, int height) { return width >= kWidth && height >= kHeight; }

  // The game picture of a picture of at least 600 x 450. A picture taller than 4:3 is
  // scaled to 600 wide (rows and columns dropped, no blending) and keeps its top 450 rows;
  // any other is scaled to 450 high and keeps its middle 600 columns, the 601 middle ones
  // squeezed into 600 when the scaled width leaves an odd margin. Only the result is made:
  // the scaled picture is never built whole, so a very long picture costs what the
  // result costs.
  static Bitmap GamePicture(const Bitmap& source);

  // Piece k (1 to 8 on 9 cells, 1 to 11 on 12) of a game picture: the picture's rectangle
  // at the piece's home slot, stretched by a pixel where it starts after a gap.
  static Bitmap Piece(const Bitmap& game, int cellCount, int piece);
};
