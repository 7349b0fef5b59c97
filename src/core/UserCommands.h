#pragma once
// Every command of the program, one object each. The window code creates them and gives
// each its action; the owners of the subsystems enable, disable and check them, and read
// a mode from its command.
#include "Command.h"

struct UserCommands {
  UserCommands();
  UserCommands(const UserCommands&) = delete;
  UserCommands& operator=(const UserCommands&) = delete;

  // File.
  Command Open, ClosePicture, SaveAs, SaveThisSize, PrintPicture, Exit;
  // Edit. SelectionMode is checked while a region can be selected.
  Command Cut, Copy, Paste, SaveSelection, SelectionMode;
  Command Rotate90, MirrorLeftRight, MirrorUpDown, BlackWhite, Negative, Emboss;
  Command Brighter, Darker, RestoreBrightness;
  // View. FullScreen, MiniMode and SlideShow are checked while on; ListPanel while the
  // list panel shows.
  Command FullScreen, MiniMode, PreviousPicture, NextPicture, SlideShow, ListPanel,
      PictureProperties;
  // Zoom. Exactly one of the four display modes is checked; Magnifier while the lens is on.
  Command RealSize, FitPicture, FitWidth, FitHeight, ZoomIn, ZoomOut, Magnifier;
  // Tools.
  Command ScreenCapture, ChangingDesktop, SetWallpaper, ExtractIcon, MusicPlayer, Puzzle,
      ExportScreenSaver, ImportScreenSaver;
  // Help.
  Command Thanks, About;
  // Editing the file lists.
  Command ListUp, ListDown, ListDelete;

  // The four display modes, in the order a load applies them again.
  Command* DisplayModes[4] = {&RealSize, &FitWidth, &FitHeight, &FitPicture};
};
