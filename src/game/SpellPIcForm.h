#pragma once
// The jigsaw puzzle window: the board with the eleven piece controls, the model picture,
// the grid choice, the step count, start and exit, and the swap by number. It stands in
// for the main window while the game runs (the main window is hidden meanwhile), so it
// is a window of its own with its own task-bar entry, created hidden at start-up and
// kept, with the game's state, until the program ends.
//
// The state and the rules are PuzzleBoard's (Game); the handlers forward to it and move
// the piece controls where it says. The Tools menu's command runs OpenGame.
#include "PuzzleBoard.h"
#include "PuzzleLauncher.h"
#include "controls/TButton.h"
#include "controls/TEdit.h"
#include "controls/TForm.h"
#include "controls/TGroupBox.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"
#include "controls/TMemo.h"
#include "controls/TRadioButton.h"
#include "controls/TScrollBox.h"
#include "core/ViewerContext.h"

class TSpellPIcForm : public TForm {
 public:
  static constexpr TColor kSkyBlue = RGBColor(166, 202, 240);

  explicit TSpellPIcForm(ViewerContext context);

  // ---- Controls ------------------------------------------------------------------------
  TScrollBox* scrboxSpellPic;  // the board, white through the gaps and the blank
  // The pieces; piece k's hint is its number. Img1 lies above all others.
  TImage *Img1, *Img2, *Img3, *Img4, *Img5, *Img6, *Img7, *Img8, *Img9, *Img10, *Img11;
  TImage* Image1;  // the game picture, shown reduced as the model
  TGroupBox* FlatGroupBox1;
  TRadioButton *frbtnNine, *frbtnTwelve;
  TGroupBox* FlatGroupBox2;
  TLabel *Label1, *Label2;  // "步数:" and the count
  TButton *fbtnStart, *fbtnExit;
  TEdit *FlatEdit1, *FlatEdit2;
  TButton* fbtnChangePos;
  TMemo* FlatMemo1;

  // Piece k (1 to 11) by its number.
  TImage* Piece(int k) const;

  // ---- The game's state and rules ------------------------------------------------------
  PuzzleBoard Game;
  PuzzleLauncher Launcher;

  // ---- Handlers --------------------------------------------------------------------------
  // The Tools menu's "拼图游戏(&P)".
  void OpenGame();
  void fbtnStartClick();
  void fbtnChangePosClick();
  void fbtnExitClick();
  // Any close, "退出" or the window manager's (Alt+F4): the main window comes back.
  void FormClose();
  // Img1MouseDown ... Img11MouseDown and the rest: the mouse on piece k, at (x, y) in it.
  void ImgMouseDown(int k, Qt::MouseButton button, int x, int y);
  void ImgMouseMove(int k, int x, int y);
  void ImgMouseUp(int k, Qt::MouseButton button, int x, int y);

  // ---- For the launcher ------------------------------------------------------------------
  // The new game picture goes to the model only; the board keeps what it shows until
  // "开始".
  void TakeGamePicture(const Bitmap& picture);
  // Shows the window centred over the given frame.
  void ShowOver(const QRect& frame);

 private:
  void CreateBoard();
  void CreateGroups();
  // The whole picture over the board and the congratulation.
  void ShowWinDisplay();

  WindowHost& host_;
  TImage* pieces_[PuzzleBoard::kSlots] = {};  // [k] = Img<k>, [0] unused
};
