#pragma once
// The picture area as the subsystems see it: the scroll box with the picture, the
// selection rectangle, the magnifier lens and the GIF panel, plus the two places that
// report on the picture (the status bar and the size field of the properties panel).
// The main window makes these controls; owners reach them only through this, never
// through the window.
#include "controls/TGifBrowser.h"
#include "controls/TImage.h"
#include "controls/TLabel.h"
#include "controls/TPanel.h"
#include "controls/TScrollBox.h"
#include "controls/TShape.h"
#include "controls/TStatusBar.h"

class PictureArea {
 public:
  // Status panels, numbered as on screen.
  enum Panel {
    kListPosition = 0,
    kFileName = 1,
    kFileSize = 2,
    kResolution = 3,
    kWriteTime = 4,
    kZoom = 5,
    kMousePosition = 6
  };

  TScrollBox* scrboxBack = nullptr;
  TImage* imgMain = nullptr;
  TShape* shpRect = nullptr;
  TScrollBox* scrboxMagnifier = nullptr;
  TImage* imgMagnifier = nullptr;
  TPanel* pnlGifBack = nullptr;
  TGifBrowser* GifBrowser = nullptr;
  TStatusBar* StatusBar = nullptr;
  TLabel* lblSize = nullptr;

  bool PictureShown() const { return imgMain->Visible(); }
  // Centres the picture on each axis where the view is larger, else puts it at 0.
  void CenterPicture();
  void ScrollToOrigin();
  // The displayed size, "w X h", in the size field and status panel 3.
  void ShowDisplaySize();
  // "p%" in status panel 5.
  void SetZoomText(int percent);
  // The texts the status panels have at start-up.
  static QString InitialStatusText(int panel);
};
