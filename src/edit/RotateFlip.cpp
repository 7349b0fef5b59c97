// Quarter turn and mirrors.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::sbtnNinetyTurnClick() {}
void TMainForm::sbtnLRTurnClick() {}
void TMainForm::sbtnUDTurnClick() {}
void TMainForm::EnsureBitmap() {}
