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
  void EscapeKey();

  static constexpr int kMiniSize = 240;
  static constexpr int kNormalWidth = 825, kNormalHeight = 620;

 private:
  TMainForm& form_;
};
