// Loading: the load from list, the open command and the loaders.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::ListView1DblClick() {}
void TMainForm::OpenCommand() {}
void TMainForm::sbtnOpenClick() {}
void TMainForm::LoadJpeg(const QString&) {}
void TMainForm::LoadBmp(const QString&) {}
void TMainForm::LoadIco(const QString&) {}
void TMainForm::ShowGif(const QString&) {}
void TMainForm::PlayTransition() {}
void TMainForm::ShowPictureError() {}
