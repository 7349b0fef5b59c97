#pragma once
// The view modes: which transition effect plays after every load. The mode is the checked
// button of the view-mode chooser, the only place it is kept; Normal is checked at start.
// Choosing a mode checks its button and runs its action once; the action closes the
// menus and, for the five effects, plays the effect on the picture on display.
#include <array>
#include <functional>

#include "TransitionPlayer.h"
#include "core/ViewerContext.h"

class TRadioButton;

class ViewModes {
 public:
  // The numbers the screen-saver files store.
  enum Mode {
    Normal = 0,
    PushPull,
    HorizontalInterlace,
    VerticalInterlace,
    Raindrops,
    Blinds,
    Random,
    kModeCount
  };
  using Buttons = std::array<TRadioButton*, kModeCount>;

  // buttons: in mode order; closeChooser hides the chooser and hands the keyboard to the
  // main window, escapeChooser hides it and hands the keyboard back to the window it had
  // it from (the View menu).
  ViewModes(ViewerContext context, Buttons buttons, std::function<void()> closeChooser,
            std::function<void()> escapeChooser);

  // The checked mode, -1 when none is.
  int CheckedMode() const;
  // A click or key: the mode's button is checked and its action runs once, also when it
  // was checked already.
  void Choose(int mode);
  // Checking from code (the screen-saver import): the action runs when the button was not
  // checked before. Numbers outside 0..6 change nothing.
  void CheckMode(int mode);
  // The action of a mode: the chooser and the View menu close, MenuOpen is cleared, and
  // the five effects play.
  void Action(int mode);
  // After a load: the checked mode's action; Random runs the action of a mode drawn from
  // the five effects with the program's generator; Normal does nothing.
  void PlayLoadEffect();
  // The caption under the mouse turns white, the others green.
  void Hover(int mode);
  // The chooser's keys: a mode's letter chooses it; Esc closes the chooser only.
  void KeyDown(int key);

  TransitionPlayer& Player() { return player_; }

 private:
  ViewerContext v_;
  Buttons buttons_;
  std::function<void()> closeChooser_, escapeChooser_;
  TransitionPlayer player_;
};
