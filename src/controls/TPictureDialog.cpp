#include "TPictureDialog.h"

#include "Dialogs.h"

TPictureDialog::TPictureDialog(QWidget* owner, Mode mode) : owner_(owner), mode_(mode) {}

bool TPictureDialog::Execute() {
  Dialogs::FileRequest request;
  request.owner = owner_;
  request.save = mode_ == Mode::Save;
  request.filters = Dialogs::ParseFilter(Filter);
  request.filterIndex = FilterIndex;
  request.defaultExt = DefaultExt;
  request.initialDir = InitialDir;
  request.fileName = FileName;
  request.overwritePrompt = OverwritePrompt;
  request.fileMustExist = FileMustExist;
  const Dialogs::FileResult result = Dialogs::RunFileDialog(request);
  if (!result.accepted) return false;
  FileName = result.path;
  FilterIndex = result.filterIndex;
  return true;
}
