// The puzzle's rules below the window: the shuffle, which pieces may slide, how a held
// piece follows the mouse, the swap by number, and that every shuffled board can be won.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <unordered_set>
#include <vector>

#include "controls/Random.h"
#include "game/PuzzleBoard.h"

namespace {

// Pins the seed that each start reseeds with, for the length of a test.
class PinnedSeed {
 public:
  explicit PinnedSeed(unsigned seed) { PinRandomizeSeed(seed); }
  ~PinnedSeed() { UnpinRandomizeSeed(); }
};

// A board of the grid with the given layout (piece numbers, -1 for the blank), as a
// game in progress has it.
PuzzleBoard Board(int cells, std::vector<int> layout) {
  PuzzleBoard b;
  b.CellCount = cells;
  for (size_t s = 0; s < layout.size(); ++s) b.Board[s + 1] = layout[s];
  b.SwapAvailable = true;
  return b;
}

// Pieces in their layout, in order (the blank left out), for comparing boards.
std::vector<int> Slots(const PuzzleBoard& b) {
  return std::vector<int>(b.Board + 1, b.Board + 1 + PuzzleBoard::kSlots);
}

bool EvenPermutation(const PuzzleBoard& b) {
  const int n = b.PieceCount();
  int inversions = 0;
  for (int i = 1; i <= n; ++i)
    for (int j = i + 1; j <= n; ++j) inversions += b.Board[i] > b.Board[j];
  return inversions % 2 == 0;
}

// One move of the piece in slot s into the blank, as the player makes it: a left press,
// a release a full step toward the blank. False when the piece may not move.
bool Slide(PuzzleBoard& b, int slot) {
  const int piece = b.Board[slot];
  b.Press(piece, true, {10, 10}, {1000, 1000});
  if (b.MoveDir == PuzzleBoard::NoMove) {
    b.Release({1000, 1000});
    return false;
  }
  const int step = b.StepLength(b.MoveDir);
  const QPoint offsets[] = {{0, 0}, {0, -step}, {step, 0}, {0, step}, {-step, 0}};
  return b.Release(QPoint(1000, 1000) + offsets[b.MoveDir]).committed;
}

}  // namespace

TEST(PuzzleBoard, NothingBeforeTheFirstGame) {
  PuzzleBoard b;
  EXPECT_EQ(b.CellCount, 0);
  EXPECT_EQ(Slots(b), std::vector<int>(12, 0));
  EXPECT_FALSE(b.Solved());
  EXPECT_FALSE(b.SwapAvailable);
  // A press finds no direction, a drag moves nothing, a release counts nothing.
  b.Press(1, true, {5, 5}, {0, 0});
  EXPECT_EQ(b.MoveDir, PuzzleBoard::NoMove);
  EXPECT_EQ(b.Drag({0, 0}, {300, 300}), QPoint(0, 0));
  const PuzzleBoard::Drop drop = b.Release({0, 0});
  EXPECT_FALSE(drop.committed);
  EXPECT_EQ(b.StepCount, 0);
  int a = 0, c = 0;
  EXPECT_EQ(b.Swap("1", "2", a, c), PuzzleBoard::SwapResult::NotAvailable);
}

TEST(PuzzleBoard, StartShufflesWithTheBlankLastAndClearsTheRest) {
  for (int cells : {12, 9}) {
    PuzzleBoard b = Board(12, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, -1});
    b.StepCount = 7;
    b.SwapAvailable = false;
    const PinnedSeed seed(42);
    b.Start(cells);
    const int n = cells - 1;
    std::vector<int> pieces(b.Board + 1, b.Board + 1 + n);
    std::sort(pieces.begin(), pieces.end());
    for (int k = 1; k <= n; ++k) EXPECT_EQ(pieces[size_t(k - 1)], k) << cells;
    EXPECT_EQ(b.Board[cells], -1);
    for (int s = cells + 1; s <= 12; ++s) EXPECT_EQ(b.Board[s], 0) << s;
    EXPECT_EQ(b.CellCount, cells);
    EXPECT_EQ(b.StepCount, 0);
    EXPECT_TRUE(b.SwapAvailable);
  }
}

TEST(PuzzleBoard, EachStartReseedsSoAPinnedSeedRepeatsTheShuffle) {
  PuzzleBoard first, second;
  {
    const PinnedSeed seed(7);
    first.Start(12);
    Random(100);  // whatever ran in between does not matter: the start reseeds
    second.Start(12);
  }
  EXPECT_EQ(Slots(first), Slots(second));
  std::set<std::vector<int>> boards;
  for (unsigned s = 0; s < 20; ++s) {
    const PinnedSeed seed(s);
    PuzzleBoard b;
    b.Start(12);
    boards.insert(Slots(b));
  }
  EXPECT_GT(boards.size(), 15u);
}

// Both parities, and every piece in every slot, about equally often: the shuffle keeps
// the boards that sliding alone cannot solve (the swap by number solves them).
TEST(PuzzleBoard, ShuffleStatistics) {
  constexpr int kGames = 2000;
  for (int cells : {9, 12}) {
    const int n = cells - 1;
    int even = 0;
    std::vector<std::vector<int>> where(size_t(n + 1), std::vector<int>(size_t(n + 1), 0));
    for (unsigned s = 0; s < kGames; ++s) {
      const PinnedSeed seed(1000 + s);
      PuzzleBoard b;
      b.Start(cells);
      std::vector<int> seen(size_t(n + 1), 0);
      for (int slot = 1; slot <= n; ++slot) {
        const int piece = b.Board[slot];
        ASSERT_GE(piece, 1);
        ASSERT_LE(piece, n);
        ASSERT_EQ(seen[size_t(piece)]++, 0) << "piece " << piece << " twice";
        ++where[size_t(piece)][size_t(slot)];
      }
      ASSERT_EQ(b.Board[cells], -1);
      even += EvenPermutation(b);
    }
    EXPECT_GE(even, kGames * 40 / 100) << cells;
    EXPECT_LE(even, kGames * 60 / 100) << cells;
    if (cells == 9) {
      for (int piece = 1; piece <= n; ++piece)
        for (int slot = 1; slot <= n; ++slot) {
          EXPECT_GE(where[size_t(piece)][size_t(slot)], kGames * 8 / 100) << piece << "@" << slot;
          EXPECT_LE(where[size_t(piece)][size_t(slot)], kGames * 17 / 100) << piece << "@" << slot;
        }
    }
  }
}

TEST(PuzzleBoard, MoveDirection) {
  struct Case {
    const char* what;
    int cells;
    std::vector<int> layout;
    int piece, direction;
  };
  const int U = PuzzleBoard::MoveUp, R = PuzzleBoard::MoveRight, D = PuzzleBoard::MoveDown,
            L = PuzzleBoard::MoveLeft, N = PuzzleBoard::NoMove;
  const Case cases[] = {
      // Blank in the middle of the 3 x 3 grid: its four neighbours move toward it.
      {"above", 9, {1, 2, 3, 4, -1, 6, 7, 8, 5}, 2, D},
      {"below", 9, {1, 2, 3, 4, -1, 6, 7, 8, 5}, 8, U},
      {"left", 9, {1, 2, 3, 4, -1, 6, 7, 8, 5}, 4, R},
      {"right", 9, {1, 2, 3, 4, -1, 6, 7, 8, 5}, 6, L},
      {"corner", 9, {1, 2, 3, 4, -1, 6, 7, 8, 5}, 1, N},
      {"two below", 9, {-1, 2, 3, 4, 5, 6, 7, 8, 1}, 7, N},
      {"far corner", 9, {1, 2, 3, 4, 5, 6, 7, 8, -1}, 1, N},
      // The end of a row is no neighbour of the start of the next one.
      {"row end to next start", 9, {1, 2, 3, -1, 5, 6, 7, 8, 4}, 3, N},
      {"row start to previous end", 9, {1, 2, -1, 4, 5, 6, 7, 8, 3}, 4, N},
      {"4x3 row end", 12, {1, 2, 3, 4, -1, 6, 7, 8, 9, 10, 11, 5}, 4, N},
      {"4x3 row start", 12, {1, 2, 3, -1, 5, 6, 7, 8, 9, 10, 11, 4}, 5, N},
      {"4x3 left", 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -1}, 11, R},
      {"4x3 above", 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -1}, 8, D},
      {"4x3 column 3 above 2 rows", 12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, -1}, 4, N},
      // Columns are three apart on 3 x 3 and four apart on 4 x 3.
      {"4x3 three apart", 12, {1, 2, 3, 4, 5, 6, 7, 8, -1, 10, 11, 9}, 6, N},
      {"4x3 four apart", 12, {1, 2, 3, 4, 5, 6, 7, 8, -1, 10, 11, 9}, 5, D},
      {"4x3 below", 12, {1, 2, 3, 4, -1, 6, 7, 8, 5, 10, 11, 9}, 5, U},
  };
  for (const Case& c : cases) {
    PuzzleBoard b = Board(c.cells, c.layout);
    EXPECT_EQ(b.MoveDirection(c.piece), c.direction) << c.what;
    EXPECT_EQ(b.Board[b.ClickSlot], c.piece) << c.what;
    EXPECT_EQ(b.Board[b.BlankSlot], -1) << c.what;
  }
}

TEST(PuzzleBoard, MoveDirectionKeepsSlotsItDoesNotFind) {
  PuzzleBoard b;
  b.ClickSlot = 5;
  b.BlankSlot = 6;
  EXPECT_EQ(b.MoveDirection(3), PuzzleBoard::NoMove);  // before the first game
  EXPECT_EQ(b.ClickSlot, 5);
  EXPECT_EQ(b.BlankSlot, 6);
  b = Board(9, {1, 2, 3, 4, 5, 6, 7, 8, -1});
  b.ClickSlot = 2;
  EXPECT_EQ(b.MoveDirection(10), PuzzleBoard::NoMove);  // no piece 10 on 3 x 3
  EXPECT_EQ(b.ClickSlot, 2);
  EXPECT_EQ(b.BlankSlot, 9);
  // The first match counts: slot 3 as well as slot 6 holding piece 6 finds slot 3.
  b = Board(9, {1, 2, 6, 4, 5, 6, 7, 8, -1});
  EXPECT_EQ(b.MoveDirection(6), PuzzleBoard::NoMove);
  EXPECT_EQ(b.ClickSlot, 3);
}

// The held piece follows the mouse along one axis between its start p0 and the far end
// p1, through a series of mouse moves; each row gives the moves (the mouse's offset from
// where it grabbed the piece, piece coordinates) and where the piece stands after each.
TEST(PuzzleBoard, DragFollowsTheMouseBetweenTheEnds) {
  struct Case {
    const char* what;
    int cells;
    std::vector<int> layout;
    int piece;
    QPoint start;
    std::vector<int> moves;      // mouse offsets along the move's axis, event by event
    std::vector<int> positions;  // the piece's coordinate on that axis after each
  };
  const std::vector<int> middle = {1, 2, 3, 4, -1, 6, 7, 8, 5};
  const Case cases[] = {
      // Piece 2 above the blank slides down, 0 .. 150.
      {"follows", 9, middle, 2, {201, 0}, {30, 40, -20}, {30, 70, 50}},
      {"stops at the far end", 9, middle, 2, {201, 0}, {100, 100, 100, -210}, {100, 200, 150, 90}},
      {"stays on the far end", 9, middle, 2, {201, 0}, {150, 5, 0}, {150, 150, 150}},
      {"away from the blank", 9, middle, 2, {201, 0}, {-30, -40, 80}, {0, 0, 10}},
      {"back past the start", 9, middle, 2, {201, 0}, {50, -80, -1}, {50, -30, 0}},
      // Piece 8 below the blank slides up, 301 .. 151.
      {"up", 9, middle, 8, {201, 301}, {-100, -100, -100}, {201, 101, 151}},
      // Piece 4 left of the blank slides right, 0 .. 200; piece 6 left, 401 .. 201.
      {"right on 3x3", 9, middle, 4, {0, 151}, {150, 150, 150}, {150, 300, 200}},
      {"left on 3x3", 9, middle, 6, {401, 151}, {-150, -150, -150}, {251, 101, 201}},
      // 4 x 3: horizontal steps of 150.
      {"right on 4x3",
       12,
       {1, 2, 3, 4, 5, -1, 7, 8, 9, 10, 11, 6},
       5,
       {0, 151},
       {100, 100, 100},
       {100, 200, 150}},
      // A piece that may not move does not follow.
      {"not a neighbour", 9, middle, 1, {0, 0}, {100, 100}, {0, 0}},
  };
  for (const Case& c : cases) {
    PuzzleBoard b = Board(c.cells, c.layout);
    const QPoint grab(40, 30);
    b.Press(c.piece, true, grab, c.start);
    const bool vertical = b.MoveDir == PuzzleBoard::MoveUp || b.MoveDir == PuzzleBoard::MoveDown;
    QPoint at = c.start;
    QPoint mouse = c.start + grab;  // in board coordinates
    for (size_t i = 0; i < c.moves.size(); ++i) {
      mouse += vertical || b.MoveDir == PuzzleBoard::NoMove ? QPoint(0, c.moves[i])
                                                            : QPoint(c.moves[i], 0);
      // The event reports the mouse inside the piece where it stands now.
      const QPoint next = b.Drag(at, mouse - at);
      EXPECT_EQ(vertical ? next.x() : next.y(), vertical ? at.x() : at.y()) << c.what;
      at = next;
      EXPECT_EQ(vertical ? at.y() : at.x(), c.positions[i]) << c.what << " move " << i;
    }
  }
}

TEST(PuzzleBoard, ReleaseCommitsBeyondHalfAStepFromTheStart) {
  struct Case {
    int cells, piece;
    QPoint start, released;
    bool committed;
    QPoint placed;
  };
  const std::vector<int> middle = {1, 2, 3, 4, -1, 6, 7, 8, 5};
  const Case cases[] = {
      {9, 2, {201, 0}, {201, 75}, false, {201, 0}},
      {9, 2, {201, 0}, {201, 76}, true, {201, 150}},
      {9, 8, {201, 301}, {201, 226}, false, {201, 301}},
      {9, 8, {201, 301}, {201, 225}, true, {201, 151}},
      {9, 4, {0, 151}, {100, 151}, false, {0, 151}},
      {9, 4, {0, 151}, {101, 151}, true, {200, 151}},
      {9, 6, {401, 151}, {301, 151}, false, {401, 151}},
      {9, 6, {401, 151}, {300, 151}, true, {201, 151}},
      // Overshot by one event: the release still lands one step from the start.
      {9, 2, {201, 0}, {201, 260}, true, {201, 150}},
  };
  for (const Case& c : cases) {
    PuzzleBoard b = Board(c.cells, middle);
    b.Press(c.piece, true, {10, 10}, c.start);
    const PuzzleBoard::Drop drop = b.Release(c.released);
    EXPECT_TRUE(drop.held);
    EXPECT_EQ(drop.committed, c.committed)
        << c.piece << " " << c.released.x() << "," << c.released.y();
    EXPECT_EQ(drop.position, c.placed);
    EXPECT_EQ(b.StepCount, c.committed ? 1 : 0);
    EXPECT_EQ(b.Board[5], c.committed ? c.piece : -1);
    EXPECT_FALSE(b.PieceDragging);
    // A second release finds nothing held.
    EXPECT_FALSE(b.Release(c.placed).held);
  }
}

TEST(PuzzleBoard, OnlyTheLeftButtonHoldsAPiece) {
  PuzzleBoard b = Board(9, {1, 2, 3, 4, -1, 6, 7, 8, 5});
  b.Press(2, false, {7, 9}, {201, 0});
  // The press is recorded all the same.
  EXPECT_EQ(b.MoveDir, PuzzleBoard::MoveDown);
  EXPECT_EQ(b.GrabX, 7);
  EXPECT_EQ(b.GrabY, 9);
  EXPECT_EQ(b.StartLeft, 201);
  EXPECT_EQ(b.StartTop, 0);
  EXPECT_FALSE(b.PieceDragging);
  EXPECT_EQ(b.Drag({201, 0}, {7, 200}), QPoint(201, 0));
  EXPECT_FALSE(b.Release({201, 120}).held);
  EXPECT_EQ(b.StepCount, 0);
}

TEST(PuzzleBoard, SwapByNumber) {
  struct Case {
    int cells;
    const char *a, *b;
    PuzzleBoard::SwapResult result;
  };
  using R = PuzzleBoard::SwapResult;
  const Case cases[] = {
      {9, "", "2", R::NotInteger},
      {9, "1", "", R::NotInteger},
      {9, "a", "2", R::NotInteger},
      {9, "1", "2a", R::NotInteger},
      {9, " 1", "2", R::NotInteger},
      {9, "1.", "2", R::NotInteger},
      {9, "$1", "2", R::NotInteger},
      {9, "-1", "2", R::OutOfRange},
      {9, "0", "2", R::OutOfRange},
      {9, "9", "2", R::OutOfRange},
      {9, "1", "11", R::OutOfRange},
      {12, "12", "1", R::OutOfRange},
      {9, "99999999999999999999", "1", R::OutOfRange},
      {9, "3", "3", R::SamePiece},
      {9, "+3", "03", R::SamePiece},
      {9, "3", "7", R::Swapped},
      {9, "+8", "1", R::Swapped},
      {12, "9", "11", R::Swapped},
      {12, "10", "-0", R::OutOfRange},
  };
  for (const Case& c : cases) {
    PuzzleBoard b = c.cells == 9 ? Board(9, {3, 1, 2, 7, 8, 6, 5, 4, -1})
                                 : Board(12, {11, 9, 10, 1, 2, 3, 4, 5, 6, 7, 8, -1});
    const std::vector<int> before = Slots(b);
    b.StepCount = 4;
    int a = 0, other = 0;
    EXPECT_EQ(b.Swap(c.a, c.b, a, other), c.result) << c.a << " / " << c.b;
    EXPECT_EQ(b.StepCount, 4);
    if (c.result != R::Swapped) {
      EXPECT_EQ(Slots(b), before) << c.a << " / " << c.b;
      EXPECT_TRUE(b.SwapAvailable) << c.a << " / " << c.b;
      continue;
    }
    EXPECT_FALSE(b.SwapAvailable);
    for (int s = 1; s <= 12; ++s) {
      const int expected = before[size_t(s - 1)] == a       ? other
                           : before[size_t(s - 1)] == other ? a
                                                            : before[size_t(s - 1)];
      EXPECT_EQ(b.Board[s], expected) << c.a << " / " << c.b << " slot " << s;
    }
    // Once per game; the next start gives the chance back.
    EXPECT_EQ(b.Swap("1", "2", a, other), R::NotAvailable);
    b.Start(c.cells);
    EXPECT_EQ(b.Swap("1", "2", a, other), R::Swapped);
  }
}

TEST(PuzzleBoard, TheWinTestRunsAfterAMoveOrASwapOnly) {
  // A shuffle that comes out solved is solved, but the start announces nothing: the drop
  // of a move or the swap reports the win.
  PuzzleBoard b = Board(9, {1, 2, 3, 4, 5, 6, 7, -1, 8});
  EXPECT_FALSE(b.Solved());
  ASSERT_TRUE(Slide(b, 9));
  EXPECT_TRUE(b.Solved());
  // Afterwards nothing can move toward the far blank from piece 1, which covers the board.
  b.Press(1, true, {0, 0}, {0, 0});
  EXPECT_EQ(b.MoveDir, PuzzleBoard::NoMove);
  b.Release({0, 0});

  b = Board(12, {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 10, -1});
  int x = 0, y = 0;
  EXPECT_FALSE(b.Solved());
  ASSERT_EQ(b.Swap("10", "11", x, y), PuzzleBoard::SwapResult::Swapped);
  EXPECT_TRUE(b.Solved());
}

// With the blank in its home slot, sliding reaches exactly the even arrangements of the
// 3 x 3 board; so every shuffle is won by sliding when even, and after one swap by
// number when odd. Searched through the moves the board allows.
TEST(PuzzleBoard, EveryShuffleCanBeWonWithAtMostTheOneSwap) {
  using State = std::array<int, 9>;
  auto key = [](const State& s) {
    long long k = 0;
    for (int v : s) k = k * 10 + (v < 0 ? 9 : v);
    return k;
  };
  std::unordered_set<long long> seen;
  std::vector<State> frontier = {{1, 2, 3, 4, 5, 6, 7, 8, -1}};
  seen.insert(key(frontier[0]));
  std::unordered_set<long long> blankHome;
  while (!frontier.empty()) {
    std::vector<State> next;
    for (const State& s : frontier) {
      if (s[8] == -1) blankHome.insert(key(s));
      for (int slot = 1; slot <= 9; ++slot) {
        if (s[size_t(slot - 1)] == -1) continue;
        PuzzleBoard b = Board(9, std::vector<int>(s.begin(), s.end()));
        if (!Slide(b, slot)) continue;
        State t;
        std::copy(b.Board + 1, b.Board + 10, t.begin());
        if (seen.insert(key(t)).second) next.push_back(t);
      }
    }
    frontier.swap(next);
  }
  EXPECT_EQ(seen.size(), 181440u);      // 9! / 2
  EXPECT_EQ(blankHome.size(), 20160u);  // 8! / 2

  int odd = 0;
  for (unsigned s = 0; s < 300; ++s) {
    const PinnedSeed seed(5000 + s);
    PuzzleBoard b;
    b.Start(9);
    State state;
    std::copy(b.Board + 1, b.Board + 10, state.begin());
    const bool even = EvenPermutation(b);
    EXPECT_EQ(blankHome.count(key(state)) == 1, even) << s;
    if (even) continue;
    ++odd;
    // Putting two pieces in each other's layout makes it solvable.
    int a = 0, c = 0;
    ASSERT_EQ(b.Swap(QString::number(b.Board[1]), QString::number(b.Board[2]), a, c),
              PuzzleBoard::SwapResult::Swapped);
    std::copy(b.Board + 1, b.Board + 10, state.begin());
    EXPECT_EQ(blankHome.count(key(state)), 1u) << s;
  }
  EXPECT_GT(odd, 0);
}
