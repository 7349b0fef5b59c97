#pragma once
// The state of the picture on display that the subsystems share: which file it is, the
// reference copy that the brightness restore returns to, its size, the zoom step and the
// flags. Kept in one place with its rules so that no owner needs another owner's insides.
#include <QString>
#include <array>

#include "picture/Bitmap.h"

class ViewerState {
 public:
  // Zoom steps in percent, indexed from 1; step 12 is the picture's own size.
  static constexpr std::array<int, 24> ZoomPercents = {0,   2,   3,   5,   7,   10,   20,   30,
                                                       50,  70,  80,  90,  100, 110,  120,  130,
                                                       150, 200, 300, 400, 500, 1000, 2000, 5000};
  static constexpr int kRealSizeZoom = 12;
  static constexpr int kMaxZoom = 23;
  static constexpr int kMaxLensZoom = 19;  // the lens goes no higher than 400 %

  QString CurFileName;              // name of the current picture as the list shows it
  QString CurFolder;                // its folder, always ending in "/" (SetFolder keeps that)
  QString CurExt;                   // lower-case extension with its dot, empty without one
  int CurIndex = 0;                 // 1-based position in the file list, 0 = none
  Bitmap WorkBitmap;                // reference copy of the shown picture, 24 bits per pixel
  int PicWidth = 0, PicHeight = 0;  // 0 x 0 for a GIF
  int ZoomIndex = kRealSizeZoom;
  bool MagnifierOn = false;
  bool PicIsBitmap = false;      // the shown picture was turned into a bitmap; never cleared
  bool ScanEnabled = false;      // folder changes in the tree are scanned
  bool MenuOpen = false;         // a menu was opened from the menu bar: hovering switches menus
  bool PopupSuppressed = false;  // a right press on the picture opens no menu

  // The full path of the current file.
  QString CurrentPath() const { return CurFolder + CurFileName; }
  // folder with exactly one trailing "/" ("/" stays "/").
  void SetFolder(const QString& folder);
  // CurFileName := name, CurExt := its extension.
  void SetFileName(const QString& name);
  static QString LowerExtension(const QString& fileName);

  bool GifCurrent() const { return CurExt == QLatin1String(".gif"); }
  bool JpegCurrent() const {
    return CurExt == QLatin1String(".jpg") || CurExt == QLatin1String(".jpeg");
  }

  // Back to the picture's own size.
  void ResetZoom() { ZoomIndex = kRealSizeZoom; }
  int ZoomPercent() const { return ZoomPercents[size_t(ZoomIndex)]; }

  // The reference copy becomes a 24-bit copy of graphic (a bitmap shares its pixels until
  // one of the two is written).
  void TakeWorkBitmap(const Graphic& graphic);
};
