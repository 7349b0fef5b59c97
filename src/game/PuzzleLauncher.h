#pragma once
// The Tools menu's puzzle command: checks that the main window shows a BMP or JPEG
// picture of at least 600 x 450, makes the game picture from it, and hands over from the
// main window to the game window.
#include "core/ViewerContext.h"

class TSpellPIcForm;

class PuzzleLauncher {
 public:
  PuzzleLauncher(ViewerContext context, TSpellPIcForm& form);

  // Refusals are messages with no owner window (the main window is about to go): the
  // title "友情提示" and the exclamation icon. A refusal changes nothing else.
  void Run();

 private:
  ViewerContext v_;
  TSpellPIcForm& form_;
};
