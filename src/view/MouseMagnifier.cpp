// Mouse tracking, drag-scrolling and the magnifier.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::imgMainMouseDown(Qt::MouseButton, int, int) {}
void TMainForm::imgMainMouseMove(int, int) {}
void TMainForm::imgMainMouseUp(Qt::MouseButton, int, int) {}
void TMainForm::imgMainClick() {}
void TMainForm::sbtnZoomClick() {}
void TMainForm::RebuildLens(int) {}
