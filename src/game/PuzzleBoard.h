#pragma once
// The sliding puzzle's state and rules, below the window: the board of slots, the
// shuffle, which way a pressed piece may slide, how it follows the mouse, when a release
// counts as a move, the one swap by number of a game and the win test. The game window
// only moves its piece controls to the positions worked out here.
//
// Slots are numbered row by row from the top left, from 1. Piece k belongs in slot k.
// A 3 x 3 game (CellCount 9) has pieces 1 to 8 of 200 x 150, a 4 x 3 game (CellCount 12)
// pieces 1 to 11 of 150 x 150; the last slot starts blank. The pieces stand one pixel
// apart, so the board's white shows through as lines between them.
//
// The shuffle is uniform over every arrangement, solvable or not: with the blank in its
// home slot, sliding reaches only the even permutations, and the one swap by number
// changes the parity. So an odd board is won with the swap and an even one without it;
// a shuffle that kept only solvable boards would make every use of the swap lose the game.
#include <QPoint>
#include <QSize>
#include <QString>

#include "picture/TRect.h"

class PuzzleBoard {
 public:
  enum Direction { NoMove = 0, MoveUp = 1, MoveRight = 2, MoveDown = 3, MoveLeft = 4 };
  static constexpr int kSlots = 12;
  static constexpr int kBlank = -1;
  // The game picture that the pieces are cut from.
  static constexpr int kPictureWidth = 600, kPictureHeight = 450;

  // ---- State, kept while the program runs; everything starts at 0 ---------------------
  // Board[s] for s = 1..12: the piece in slot s, kBlank for the blank, 0 for a slot the
  // current grid does not have (and every slot before the first game). Board[0] is unused.
  int Board[kSlots + 1] = {};
  int CellCount = 0;  // 9 or 12 once a game has started
  // The pressed piece's slot and the blank's slot, as found at the last press.
  int ClickSlot = 0, BlankSlot = 0;
  int MoveDir = NoMove;             // where the pressed piece may slide (Direction)
  int GrabX = 0, GrabY = 0;         // the mouse inside the pressed piece at the press
  int StartLeft = 0, StartTop = 0;  // the pressed piece's position at the press
  int StepCount = 0;                // moves made in this game
  bool PieceDragging = false;       // a piece is held with the left button
  // The swap by number: available from each start until one swap has been carried out.
  bool SwapAvailable = false;

  // ---- The grids ---------------------------------------------------------------------
  // 8 or 11 pieces for 9 or 12 cells; 0 for anything else (no game).
  static int PieceCount(int cellCount);
  static int Columns(int cellCount);
  static QSize PieceSize(int cellCount);
  // Where a piece placed in the slot stands in the board.
  static QPoint SlotOrigin(int cellCount, int slot);
  // The part of the game picture that piece k shows (right and bottom exclusive): the
  // rectangle at its home slot, one pixel narrower or lower where it starts after a gap.
  static TRect PictureRect(int cellCount, int piece);

  int PieceCount() const { return PieceCount(CellCount); }
  // How far a move along the direction goes: 150 vertically, 200 or 150 horizontally.
  int StepLength(int direction) const;

  // ---- Play ----------------------------------------------------------------------------
  // A new game of cellCount (9 or 12) cells: reseeds the program's generator, shuffles
  // the pieces into every slot but the last, blanks the last, clears the count and makes
  // the swap available. A shuffle that comes out solved is not a win.
  void Start(int cellCount);

  // Sets ClickSlot and BlankSlot (a slot not found keeps the old value) and returns
  // where the piece may slide: toward the blank when the blank is its neighbour in the
  // same row or column, else NoMove (and NoMove before the first game).
  int MoveDirection(int piece);

  // A mouse press on a piece standing at position, grab being the mouse inside it. Any
  // button finds the direction and records the press; only the left one holds the piece.
  // While a piece is held, further presses (another button) change nothing.
  void Press(int piece, bool leftButton, QPoint grab, QPoint position);

  // Where the held piece stands after a mouse move to mouse (inside the piece) while it
  // stands at position. It follows the mouse along its one axis between the start and
  // the far end of its step; one event may carry it past an end, the next puts it back.
  QPoint Drag(QPoint position, QPoint mouse) const;

  struct Drop {
    bool held = false;       // a piece was held: it is let go now
    QPoint position;         // where it stands afterwards
    bool committed = false;  // it moved into the blank: counted, and Board changed
    bool solved = false;     // that move solved the puzzle
  };
  // Lets go of the held piece standing at position. Beyond half a step toward the blank
  // the move counts and the piece goes one step from where it started (not to the
  // slot's origin); otherwise it goes back to its start.
  Drop Release(QPoint position);

  // Every piece in its home slot (never before the first game).
  bool Solved() const;

  enum class SwapResult {
    NotAvailable,  // the chance of this game is used, or no game has started
    NotInteger,    // a text is not a decimal integer
    OutOfRange,    // a number is not a piece of this grid
    SamePiece,
    Swapped,
  };
  // The swap by number: the two pieces named by the texts change slots in Board and the
  // chance is used. a and b are set when the result is Swapped.
  SwapResult Swap(const QString& textA, const QString& textB, int& a, int& b);

 private:
  bool Neighbours(int slot, int blank, int columns, int direction) const;
};
