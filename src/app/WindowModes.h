#pragma once
// The two other layouts of the main window: full screen (the picture area alone on the
// whole screen) and mini mode (a small always-on-top frame that runs the slide show),
// and the Esc key that ends them and an imported picture show.
class TMainForm;

class WindowModes {
 public:
  explicit WindowModes(TMainForm& form);

  void FullScreenToggle();
  void EnterMiniMode();
  void LeaveMiniMode();
  void EscapeKey();

 private:
  TMainForm& form_;
};
