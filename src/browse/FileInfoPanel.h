#pragma once
// The properties panel: name, folder, size, times and attributes of the current picture,
// showing and hiding the panel, and the file manager's properties dialog.
#include <QFileInfo>
#include <QString>

#include "core/ViewerContext.h"

class TButton;
class TCheckBox;
class TEdit;
class TLabel;
class TPanel;
class ZoomControl;

class FileInfoPanel {
 public:
  struct Controls {
    TPanel* Panel2;  // the whole panel
    TEdit *fedFileName, *fedFilePath;
    TLabel *lblFileSize, *lblCreateTime, *lblWriteTime, *lblAccessTime;
    TCheckBox *fcbReadOnly, *fcbHidden, *fcbArchive;
  };

  FileInfoPanel(ViewerContext context, Controls controls, ZoomControl& zoom);

  // Name, folder, size and times of the current file from file; a file that vanished
  // leaves the fields as they were.
  void ShowFileInformation(const QFileInfo& file);
  void ShowAttributes(const QString& path);
  // A picture with no file behind it (a screen grab): name, folder, size and times empty,
  // no attribute checked.
  void ShowNoFile();
  void TogglePropertiesPanel();
  // The file manager's properties dialog for the current file.
  void ShowFileManagerProperties();

 private:
  ViewerContext v_;
  Controls c_;
  ZoomControl& zoom_;
};
