// The slide show.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::sbtnAutoClick() {}
void TMainForm::AutoPlayTimerTimer() {}
