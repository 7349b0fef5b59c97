#pragma once
// The open and save dialogs with a picture preview. Filter is written the classic way,
// "Description|*.a;*.b|Description|*.c"; FilterIndex is 1-based.
#include <QString>

class QWidget;

class TPictureDialog {
 public:
  enum class Mode { Open, Save };
  TPictureDialog(QWidget* owner, Mode mode);

  QString Filter;
  int FilterIndex = 1;
  QString DefaultExt;  // appended by the dialog when the typed name has no extension
  QString FileName;    // the chosen file after Execute
  QString InitialDir;
  bool OverwritePrompt = false;
  bool FileMustExist = false;

  // Runs the dialog; false when cancelled.
  bool Execute();

 private:
  QWidget* owner_;
  Mode mode_;
};
