// Folder scan: the file list and the thumbnails of the chosen folder.
// Not built yet: each operation below is a placeholder that does nothing.
#include "app/MainForm.h"

void TMainForm::ShellTreeViewChange() {}
void TMainForm::AddMatchingFiles(const QString&) {}
void TMainForm::BuildThumbnails() {}
void TMainForm::ListView1SelectItem(int, bool) {}
void TMainForm::imgListViewSelectItem(int, bool) {}
void TMainForm::imgListViewDblClick() {}
void TMainForm::ListView1Click() {}
void TMainForm::imgListViewClick() {}
void TMainForm::sbtnListClick() {}
void TMainForm::SpeedButton2Click() {}
void TMainForm::HideList() {}
void TMainForm::ShowList() {}
const QStringList& TMainForm::FilePatterns() {
  static const QStringList patterns;
  return patterns;
}
