#pragma once
// The screen-saver export: the settings window is filled from the viewer as it stands
// (effect, display mode, interval, music) and writes them, with the name list and its
// folder, to a ".pss" file (see ScreenSaverFile). The window holds the controls; this
// class keeps the rules.
#include <QString>

#include "ShowSources.h"
#include "core/ViewerContext.h"

class TComboBox;
class TEdit;
class TForm;
class TRadioButton;
class TSpinEdit;

class ScreenSaverExport {
 public:
  struct Controls {
    TForm* Form;
    TComboBox* Effect;         // the seven view modes, -1 none
    TRadioButton* Display[4];  // real size, fit picture, fit width, fit height
    TSpinEdit* Interval;       // seconds
    TEdit* Music;              // full path of the music, editable
  };

  ScreenSaverExport(ViewerContext context, ShowSources sources, Controls controls);

  // The Tools menu's "导出屏保(&S)": shows the window centred over the main window (not
  // modal) and the list panel, then fills the controls from the viewer. With no display
  // mode on (a zoomed picture) the display buttons stay as they were.
  void Prepare();
  // "打开": the music player's open dialog; the first file chosen goes into the music
  // field. The player's list is not touched.
  void ChooseMusic();
  // "导出屏保": the save dialog, then the file. The name chosen always gets ".pss"
  // appended. Nothing is reported on success and the window stays; a failure raises
  // PictureError naming the file, which is then as it was.
  void Export();

 private:
  ViewerContext v_;
  ShowSources s_;
  Controls c_;
};
