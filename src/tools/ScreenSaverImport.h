#pragma once
// The screen-saver import: a ".pss" file (see ScreenSaverFile) turns the main window into
// a picture show: its effect, display mode and interval are taken, the music plays in a
// loop, the name list is replaced, the window is maximised with the panels, the bars and
// the mouse cursor hidden, and the slide show runs from the first name. Esc in the main
// window ends the show; the slide show and the music go on until stopped.
#include <QString>

#include "ShowSources.h"
#include "core/ViewerContext.h"

class ScreenSaverImport {
 public:
  ScreenSaverImport(ViewerContext context, ShowSources sources);

  // The Tools menu's "导入屏保(&I)": the open dialog, then the show. A name that does not
  // exist reads as every default: the show then runs on an empty list. Music the device
  // refuses: its error is reported and the import ends there, the list and the folder
  // unchanged.
  void Import();
  // The show of a file already read; the steps after the open dialog.
  void Play(const QString& path);

 private:
  ViewerContext v_;
  ShowSources s_;
};
