#include "WindowModes.h"

#include "MainForm.h"
#include "WindowFrame.h"
#include "controls/TCursor.h"

WindowModes::WindowModes(TMainForm& form) : form_(form) {}

// Full screen and mini mode are not built yet: their commands do nothing so far.
void WindowModes::FullScreenToggle() {}
void WindowModes::EnterMiniMode() {}
void WindowModes::LeaveMiniMode() {}

void WindowModes::EscapeKey() {
  TMainForm& f = form_;
  if (f.Commands.MiniMode.Checked()) {
    LeaveMiniMode();
  } else if (!f.StatusBar->Visible()) {
    // Ends the imported picture show (and the bars hidden by full screen).
    f.Image1->SetVisible(true);
    f.Image2->SetVisible(true);
    f.StatusBar->SetVisible(true);
    f.FlatSpinEdit->SetVisible(true);
    Screen::ShowCursor(true);
    f.State.PopupSuppressed = false;
    f.Frame->MaximizeOrRestore();
  }
}
