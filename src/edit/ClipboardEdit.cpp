// Cut, copy and paste of the selected region.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::CutCommand() {}
void TMainForm::CopyCommand() {}
void TMainForm::PasteCommand() {}
