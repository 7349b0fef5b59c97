// Zoom steps and fit modes.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::sbtnZoomInClick() {}
void TMainForm::sbtnZoomOutClick() {}
void TMainForm::sbtnRealClick() {}
void TMainForm::sbtnFitPicClick() {}
void TMainForm::sbtnFitWidthClick() {}
void TMainForm::sbtnFitHeightClick() {}
void TMainForm::CenterPicture() {}
void TMainForm::ShowDisplaySize() {}
void TMainForm::SetZoomText(int) {}
void TMainForm::TurnMagnifierOff() {}
