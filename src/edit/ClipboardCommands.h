#pragma once
// Cut, copy and paste between the selected region and the system clipboard, so pictures
// go to and come from other programs. The region is the part of the selection rectangle
// that lies on the picture.
#include "core/ViewerContext.h"

class PictureEditor;
class SelectionTool;
class QWidget;

class ClipboardCommands {
 public:
  // dialogOwner: the window that owns the message about a clipboard without a picture.
  ClipboardCommands(ViewerContext context, PictureEditor& editor, SelectionTool& selection,
                    QWidget* dialogOwner);

  void Cut();
  void Copy();
  void Paste();

 private:
  ViewerContext v_;
  PictureEditor& editor_;
  SelectionTool& selection_;
  QWidget* dialogOwner_;
};
