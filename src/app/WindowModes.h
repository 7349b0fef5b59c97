#pragma once
// The two other layouts of the main window: full screen (the picture area alone on the
// whole screen) and mini mode (a 240 x 240 always-on-top frame that runs the slide show),
// and the Esc key that ends them and an imported picture show. The FullScreen and
// MiniMode commands are checked while their layout is on.
//
// A switch changes the layout in one go: nothing is painted until the handler returns,
// so no half-switched layout reaches the screen.
class TMainForm;

class WindowModes {
 public:
  explicit WindowModes(TMainForm& form);

  void FullScreenToggle();
  void EnterMiniMode();
  void LeaveMiniMode();
  // The imported picture show's layout: the list and properties panels, the header
  // picture, the interval field and the status bar hidden (the list button keeps its
  // look), no picture menu, no mouse cursor, and a normal window maximised.
  void StartPictureShow();
  void EscapeKey();

  static constexpr int kMiniSize = 240;
  static constexpr int kNormalWidth = 825, kNormalHeight = 620;

 private:
  TMainForm& form_;
  // The show hid the mouse cursor and Esc has not shown it yet: a flag rather than the
  // display counter, so that two imports and one Esc leave the cursor visible, and an Esc
  // that ends a full screen never shows a cursor nobody hid.
  bool cursorHidden_ = false;
};
