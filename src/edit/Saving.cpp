// Saving and format conversion.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::SaveAsCommand() {}
void TMainForm::sbtnSaveClick() {}
void TMainForm::sbtnSaveNewClick() {}
void TMainForm::SaveSelectionCommand() {}
void TMainForm::SaveAsIcon(const QString&) {}
