#pragma once
// The magnifier: a small lens that follows the pointer over the picture and shows what
// lies beneath it at the current zoom step, while the picture itself stays at its own
// size. On while the Magnifier command is checked (and MagnifierOn is set).
#include "core/ViewerContext.h"

class Magnifier {
 public:
  explicit Magnifier(ViewerContext context);

  // Turns the lens on (a picture other than a GIF shown) or off; the zoom step goes back
  // to 100 % either way.
  void Toggle();
  // Off without touching the zoom step (fits, edits).
  void TurnOff();
  // The lens shows the picture at percent.
  void RebuildLens(int percent);
  // The lens over the pointer at (x, y) on the picture.
  void FollowPointer(int x, int y);

 private:
  void ShowLensAt100();

  ViewerContext v_;
};
