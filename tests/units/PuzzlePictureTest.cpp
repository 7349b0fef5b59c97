// The game picture made from the shown picture, and the pieces cut from it, against a
// naive reference built the long way: the whole scaled picture, then the crop.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/PuzzleBoard.h"
#include "game/PuzzlePicture.h"

namespace {

// Each pixel's colour says where it came from: x and y up to 4095.
QRgb Encode(int x, int y) {
  return qRgb(x & 0xFF, ((x >> 8) & 0xF) | ((y >> 8) & 0xF) << 4, y & 0xFF);
}
QPoint Decode(QRgb c) {
  return {qRed(c) | (qGreen(c) & 0xF) << 8, qBlue(c) | (qGreen(c) >> 4) << 8};
}

Bitmap Coordinates(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < w; ++x) line[x] = Encode(x, y);
  }
  return Bitmap(image);
}

// The source pixel that nearest-neighbour scaling puts at destination index k when n
// destination pixels stand for m source pixels: the one under the pixel's centre.
int Nearest(int k, qint64 m, qint64 n) {
  return int((2 * qint64(k) + 1) * m / (2 * n));
}

// The game picture the long way, as source coordinates: scale the whole picture, then
// take the top 450 rows, or the middle columns squeezed to 600.
std::vector<std::vector<QPoint>> Reference(int w, int h) {
  std::vector<std::vector<QPoint>> result(450, std::vector<QPoint>(600));
  if (double(h) / 450 > double(w) / 600) {
    const int d = int(qint64(h) * 600 / w);
    std::vector<std::vector<QPoint>> scaled(size_t(d), std::vector<QPoint>(600));
    for (int y = 0; y < d; ++y)
      for (int x = 0; x < 600; ++x)
        scaled[size_t(y)][size_t(x)] = {Nearest(x, w, 600), Nearest(y, h, d)};
    for (int y = 0; y < 450; ++y) result[size_t(y)] = scaled[size_t(y)];
    return result;
  }
  const int d = int(qint64(w) * 450 / h);
  std::vector<std::vector<QPoint>> scaled(450, std::vector<QPoint>(size_t(d)));
  for (int y = 0; y < 450; ++y)
    for (int x = 0; x < d; ++x)
      scaled[size_t(y)][size_t(x)] = {Nearest(x, w, d), Nearest(y, h, 450)};
  const int l = (d - 600) / 2, kept = d - 2 * l;
  for (int y = 0; y < 450; ++y)
    for (int x = 0; x < 600; ++x)
      result[size_t(y)][size_t(x)] = scaled[size_t(y)][size_t(l + Nearest(x, kept, 600))];
  return result;
}

}  // namespace

TEST(PuzzlePicture, GamePictureAgainstTheLongWay) {
  struct Case {
    int w, h;
    const char* what;
  };
  const Case cases[] = {
      {600, 450, "taken as it is"},
      {800, 600, "reduced, nothing cut off"},
      {1000, 450, "columns 200 to 799"},
      {1001, 450, "601 middle columns squeezed"},
      {1003, 451, "scaled, then an odd margin"},
      {600, 900, "the top half"},
      {640, 1000, "taller: scaled to 600 wide, the top rows"},
      {601, 450, "one column too many"},
      {600, 451, "one row too many"},
      {2400, 1800, "a quarter, nothing cut off"},
  };
  for (const Case& c : cases) {
    const Bitmap game = PuzzlePicture::GamePicture(Coordinates(c.w, c.h));
    ASSERT_EQ(game.Width(), 600) << c.what;
    ASSERT_EQ(game.Height(), 450) << c.what;
    const auto expected = Reference(c.w, c.h);
    int wrong = 0;
    for (int y = 0; y < 450; ++y)
      for (int x = 0; x < 600; ++x)
        wrong += Decode(ToQRgb(game.Pixel(x, y))) != expected[size_t(y)][size_t(x)];
    EXPECT_EQ(wrong, 0) << c.w << " x " << c.h << ": " << c.what;
  }
}

TEST(PuzzlePicture, GamePictureCornersSayWhatIsKept) {
  struct Case {
    int w, h;
    QPoint topLeft, bottomRight;
  };
  const Case cases[] = {
      {600, 450, {0, 0}, {599, 449}},
      {1000, 450, {200, 0}, {799, 449}},  // the middle 600 columns
      {600, 900, {0, 0}, {599, 449}},     // the top half, unscaled
      {800, 600, {0, 0}, {799, 599}},     // all of it, every fourth row and column dropped
      {1200, 2000, {1, 1}, {1199, 899}},  // scaled by a half: the top 900 rows
  };
  for (const Case& c : cases) {
    const Bitmap game = PuzzlePicture::GamePicture(Coordinates(c.w, c.h));
    EXPECT_EQ(Decode(ToQRgb(game.Pixel(0, 0))), c.topLeft) << c.w << " x " << c.h;
    EXPECT_EQ(Decode(ToQRgb(game.Pixel(599, 449))), c.bottomRight) << c.w << " x " << c.h;
  }
}

TEST(PuzzlePicture, TheSourceIsLeftAlone) {
  const Bitmap source = Coordinates(900, 700);
  const QImage before = source.Image().copy();
  PuzzlePicture::GamePicture(source);
  EXPECT_EQ(source.Image(), before);
}

// Piece k shows its home slot's part of the game picture, stretched by one pixel where
// the part starts after a gap; the gap columns and rows never show.
TEST(PuzzlePicture, PiecesShowTheirHomeSlots) {
  const Bitmap game = Coordinates(600, 450);
  for (int cells : {9, 12}) {
    const QSize size = PuzzleBoard::PieceSize(cells);
    std::vector<int> columnsShown(600, 0), rowsShown(450, 0);
    for (int k = 1; k <= PuzzleBoard::PieceCount(cells); ++k) {
      const Bitmap piece = PuzzlePicture::Piece(game, cells, k);
      ASSERT_EQ(QSize(piece.Width(), piece.Height()), size) << cells << "/" << k;
      const TRect r = PuzzleBoard::PictureRect(cells, k);
      // The home slot: the piece's slot origin is the rectangle's corner.
      EXPECT_EQ(QPoint(r.Left, r.Top), PuzzleBoard::SlotOrigin(cells, k)) << cells << "/" << k;
      int wrong = 0;
      for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x) {
          const QPoint from = Decode(ToQRgb(piece.Pixel(x, y)));
          const QPoint expected(r.Left + Nearest(x, r.Width(), size.width()),
                                r.Top + Nearest(y, r.Height(), size.height()));
          wrong += from != expected;
          ++columnsShown[size_t(from.x())];
          ++rowsShown[size_t(from.y())];
        }
      EXPECT_EQ(wrong, 0) << cells << "/" << k;
    }
    const std::vector<int> gapColumns =
        cells == 9 ? std::vector<int>{200, 400} : std::vector<int>{150, 300, 450};
    for (int x = 0; x < 600; ++x) {
      const bool gap = std::find(gapColumns.begin(), gapColumns.end(), x) != gapColumns.end();
      EXPECT_EQ(columnsShown[size_t(x)] == 0, gap) << cells << " column " << x;
    }
    for (int y = 0; y < 450; ++y) {
      // Rows of the blank's part show in the other pieces of its row.
      EXPECT_EQ(rowsShown[size_t(y)] == 0, y == 150 || y == 300) << cells << " row " << y;
    }
  }
}
