// Region selection.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::sbtnSelectClick() {}
void TMainForm::shpRectMouseDown(Qt::MouseButton, int, int) {}
void TMainForm::shpRectMouseMove(int, int) {}
void TMainForm::shpRectMouseUp(Qt::MouseButton, int, int) {}
TRect TMainForm::SelectionRect() const {
  return TRect{};
}
TRect TMainForm::ClippedSelectionRect() const {
  return TRect{};
}
