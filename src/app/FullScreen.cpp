// Full screen and mini mode: the two alternative layouts of the main window.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::FullScreenToggle() {}
void TMainForm::EnterMiniMode() {}
void TMainForm::LeaveMiniMode() {}
void TMainForm::scrboxBackMouseDown(Qt::MouseButton, int, int) {}
