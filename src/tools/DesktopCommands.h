#pragma once
// The two Tools commands that move pictures between the desktop and the viewer: the
// screen capture, which shows a grab of the whole screen as if a bitmap file had been
// loaded, and set as wallpaper, which writes the picture on display to ~/WallPaper.bmp
// and makes that file the desktop's wallpaper.
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

#include "core/ViewerContext.h"

class FileInfoPanel;

class DesktopCommands {
 public:
  DesktopCommands(ViewerContext context, FileInfoPanel& fileInfo);

  // The program's windows leave the screen, the primary screen is grabbed and shown at
  // 100 %, and the windows come back. The current file, its list position and the list
  // selection stay as they were; nothing is reported.
  void ScreenCapture();
  // The picture on display at its own size, edits included, as a 24-bit bitmap file,
  // then the desktop is asked to show it. Without a picture it does nothing; a file that
  // cannot be written raises PictureError (the default error report) and the desktop is
  // left alone.
  void SetWallpaper();

  // Where the wallpaper file goes: the home folder stands for the system drive's root.
  static QString WallpaperPath();

 private:
  // Hides every visible window of the program and makes the X server see it at once.
  void HideWindows();
  void ShowWindows();
  // The grab shown as a loaded bitmap is.
  void ShowGrab(const QImage& grab);

  ViewerContext v_;
  FileInfoPanel& fileInfo_;
  std::vector<QPointer<QWidget>> hidden_;
};
