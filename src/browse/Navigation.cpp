// Previous and next, list editing, closing the picture.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::sbtnPriorClick() {}
void TMainForm::sbtnNextClick() {}
void TMainForm::sbtnListUpClick() {}
void TMainForm::sbtnListDownClick() {}
void TMainForm::sbtnListDelClick() {}
void TMainForm::ClosePicture() {}
void TMainForm::ExitProgram() {}
