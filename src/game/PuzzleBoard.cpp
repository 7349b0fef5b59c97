#include "PuzzleBoard.h"

#include <QRegularExpression>

#include "controls/Random.h"

namespace {
// Slot origins along each axis: one pixel of gap after every piece but the first.
constexpr int kLeft3[] = {0, 201, 401};
constexpr int kRight3[] = {200, 400, 600};
constexpr int kLeft4[] = {0, 151, 301, 451};
constexpr int kRight4[] = {150, 300, 450, 600};
constexpr int kTop[] = {0, 151, 301};
constexpr int kBottom[] = {150, 300, 450};
constexpr int kRows = 3;

// A decimal integer with an optional sign, nothing else (no blanks, no other base). One
// too long for 64 bits is still an integer, just not a piece: it stands as one past the end.
bool ParseInteger(const QString& text, qint64& value) {
  static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+$"));
  if (!pattern.match(text).hasMatch()) return false;
  bool ok = false;
  value = text.toLongLong(&ok);
  if (!ok) value = text.startsWith(QLatin1Char('-')) ? -1 : PuzzleBoard::kSlots + 1;
  return true;
}
}  // namespace

int PuzzleBoard::PieceCount(int cellCount) {
  return cellCount == 9 || cellCount == 12 ? cellCount - 1 : 0;
}

int PuzzleBoard::Columns(int cellCount) {
  return cellCount == 9 ? 3 : cellCount == 12 ? 4 : 0;
}

QSize PuzzleBoard::PieceSize(int cellCount) {
  if (cellCount == 9) return {200, 150};
  if (cellCount == 12) return {150, 150};
  return {};
}

QPoint PuzzleBoard::SlotOrigin(int cellCount, int slot) {
  const int columns = Columns(cellCount);
  if (columns == 0 || slot < 1 || slot > cellCount) return {};
  const int column = (slot - 1) % columns, row = (slot - 1) / columns;
  return {columns == 3 ? kLeft3[column] : kLeft4[column], kTop[row]};
}

TRect PuzzleBoard::PictureRect(int cellCount, int piece) {
  const int columns = Columns(cellCount);
  if (columns == 0 || piece < 1 || piece > PieceCount(cellCount)) return {};
  const int column = (piece - 1) % columns, row = (piece - 1) / columns;
  const int* left = columns == 3 ? kLeft3 : kLeft4;
  const int* right = columns == 3 ? kRight3 : kRight4;
  return Rect(left[column], kTop[row], right[column], kBottom[row]);
}

int PuzzleBoard::StepLength(int direction) const {
  if (direction == MoveUp || direction == MoveDown) return 150;
  if (direction == MoveLeft || direction == MoveRight) return PieceSize(CellCount).width();
  return 0;
}

void PuzzleBoard::Start(int cellCount) {
  const int n = PieceCount(cellCount);
  if (n == 0) return;
  SwapAvailable = true;
  StepCount = 0;
  CellCount = cellCount;
  // Each piece drawn uniformly from those not placed yet (drawn again while taken).
  Randomize();
  for (int i = 1; i <= n; ++i) {
    int e;
    bool taken;
    do {
      e = Random(n) + 1;
      taken = false;
      for (int j = 1; j < i && !taken; ++j) taken = Board[j] == e;
    } while (taken);
    Board[i] = e;
  }
  Board[n + 1] = kBlank;
  for (int s = n + 2; s <= kSlots; ++s) Board[s] = 0;
}

int PuzzleBoard::MoveDirection(int piece) {
  for (int s = 1; s <= kSlots; ++s) {
    if (Board[s] == piece) {
      ClickSlot = s;
      break;
    }
  }
  for (int s = 1; s <= kSlots; ++s) {
    if (Board[s] == kBlank) {
      BlankSlot = s;
      break;
    }
  }
  const int columns = Columns(CellCount);
  if (columns == 0) return NoMove;
  for (int direction : {MoveUp, MoveDown, MoveRight, MoveLeft})
    if (Neighbours(ClickSlot, BlankSlot, columns, direction)) return direction;
  return NoMove;
}

// Whether blank lies next to slot in the direction. Slots are compared by row and
// column, so the end of one row is no neighbour of the start of the next, and slots
// left over from an earlier game outside this grid are nobody's neighbours.
bool PuzzleBoard::Neighbours(int slot, int blank, int columns, int direction) const {
  if (slot < 1 || slot > CellCount || blank < 1 || blank > CellCount) return false;
  const int row = (slot - 1) / columns, column = (slot - 1) % columns;
  const int blankRow = (blank - 1) / columns, blankColumn = (blank - 1) % columns;
  switch (direction) {
    case MoveUp:
      return blankColumn == column && blankRow == row - 1;
    case MoveDown:
      return blankColumn == column && blankRow == row + 1;
    case MoveRight:
      return blankRow == row && blankColumn == column + 1;
    case MoveLeft:
      return blankRow == row && blankColumn == column - 1;
    default:
      return false;
  }
}

void PuzzleBoard::Press(int piece, bool leftButton, QPoint grab, QPoint position) {
  // A second button pressed while a piece is held would make the piece's place halfway
  // through the drag its new start, and the release would then leave it off the grid.
  if (PieceDragging) return;
  MoveDir = MoveDirection(piece);
  GrabX = grab.x();
  GrabY = grab.y();
  StartLeft = position.x();
  StartTop = position.y();
  if (leftButton) PieceDragging = true;
}

QPoint PuzzleBoard::Drag(QPoint position, QPoint mouse) const {
  if (!PieceDragging || MoveDir == NoMove) return position;
  const bool vertical = MoveDir == MoveUp || MoveDir == MoveDown;
  // +1 when the far end lies at larger coordinates (down, right), -1 otherwise.
  const int sign = MoveDir == MoveDown || MoveDir == MoveRight ? 1 : -1;
  const int p = vertical ? position.y() : position.x();
  const int d = vertical ? mouse.y() - GrabY : mouse.x() - GrabX;
  const int p0 = vertical ? StartTop : StartLeft;
  const int p1 = p0 + sign * StepLength(MoveDir);
  int next;
  if (sign * (p - p1) >= 0 && sign * d > 0)
    next = p1;  // at or past the far end and pulled further
  else if (sign * (p - p0) <= 0 && sign * d < 0)
    next = p0;  // at or before the start and pulled back
  else
    next = p + d;
  return vertical ? QPoint(position.x(), next) : QPoint(next, position.y());
}

PuzzleBoard::Drop PuzzleBoard::Release(QPoint position) {
  Drop drop;
  drop.position = position;
  if (!PieceDragging) return drop;
  PieceDragging = false;
  drop.held = true;
  if (MoveDir == NoMove) return drop;
  const bool vertical = MoveDir == MoveUp || MoveDir == MoveDown;
  const int sign = MoveDir == MoveDown || MoveDir == MoveRight ? 1 : -1;
  const int step = StepLength(MoveDir);
  const int p0 = vertical ? StartTop : StartLeft;
  const int p = vertical ? position.y() : position.x();
  // Strictly beyond half a step: exactly half goes back.
  drop.committed = sign * (p - p0) > step / 2;
  const int next = drop.committed ? p0 + sign * step : p0;
  drop.position = vertical ? QPoint(position.x(), next) : QPoint(next, position.y());
  if (!drop.committed) return drop;
  ++StepCount;
  std::swap(Board[ClickSlot], Board[BlankSlot]);
  drop.solved = Solved();
  return drop;
}

bool PuzzleBoard::Solved() const {
  const int n = PieceCount();
  if (n == 0) return false;
  for (int s = 1; s <= n; ++s)
    if (Board[s] != s) return false;
  return true;
}

PuzzleBoard::SwapResult PuzzleBoard::Swap(const QString& textA, const QString& textB, int& a,
                                          int& b) {
  if (!SwapAvailable || PieceCount() == 0) return SwapResult::NotAvailable;
  qint64 first, second;
  if (!ParseInteger(textA, first) || !ParseInteger(textB, second)) return SwapResult::NotInteger;
  const int n = PieceCount();
  if (first < 1 || first > n || second < 1 || second > n) return SwapResult::OutOfRange;
  if (first == second) return SwapResult::SamePiece;
  a = int(first);
  b = int(second);
  for (int s = 1; s <= kSlots; ++s) {
    if (Board[s] == a)
      Board[s] = b;
    else if (Board[s] == b)
      Board[s] = a;
  }
  SwapAvailable = false;
  return SwapResult::Swapped;
}
