// The file information panel.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::ShowFileInformation(const QFileInfo&) {}
void TMainForm::ShowAttributes(const QString&) {}
void TMainForm::TogglePropertiesPanel() {}
void TMainForm::fbtnPicPropertyClick() {}
