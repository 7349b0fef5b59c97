// Tone filters.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::sbtnBrightClick() {}
void TMainForm::sbtnDarkClick() {}
void TMainForm::sbtnRestoreBDClick() {}
void TMainForm::NegativeCommand() {}
void TMainForm::EmbossCommand() {}
void TMainForm::BlackWhiteCommand() {}
