#pragma once
// Saving and format conversion: save as, save this size, save the selection, icons.
//
// Every writer goes through FileSaver (temporary file, then rename), so a failed save
// leaves the old file as it was. Writer errors are not caught here: they end the command
// and reach the default error report.
#include <QString>

#include "core/ViewerContext.h"

class PictureEditor;
class SelectionTool;
class TPictureDialog;

class SaveCommands {
 public:
  SaveCommands(ViewerContext context, PictureEditor& editor, SelectionTool& selection,
               TPictureDialog* saveDialog);

  void SaveAs();
  void SaveThisSize();
  void SaveSelection();
  // The displayed picture as an icon of the system's icon size.
  void SaveAsIcon(const QString& fileName);

 private:
  void SetUpSavePictureDialog();
  void CopyCurrentFile(const QString& path) const;

  ViewerContext v_;
  PictureEditor& editor_;
  SelectionTool& selection_;
  TPictureDialog* saveDialog_;
};
