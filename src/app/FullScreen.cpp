// Full screen and mini mode: the two alternative layouts of the main window.
// Only the menu step of the picture area's press is built yet; the other operations are
// placeholders that do nothing.
#include "app/MainForm.h"

void TMainForm::FullScreenToggle() {}
void TMainForm::EnterMiniMode() {}
void TMainForm::LeaveMiniMode() {}
void TMainForm::scrboxBackMouseDown(Qt::MouseButton, int, int) {
  // A press beside the picture ends menu-bar switching; the open menus stay open.
  MenuOpen = false;
}
