#pragma once
// The screen-saver file (".pss"): an initialisation file with the picture show to play.
//
//   [ScreenSafe]
//   动画=<view mode 0..6, -1 none chosen>   显示=<display mode 1..4, only when chosen>
//   Time=<seconds>   Music=<full path or empty>   FilePath=<folder ending in "/">
//   [FileName]
//   0=<first name of the list>   1=...   (no gaps)
//
// Written in GBK unless a value needs more (see IniFile).
#include <QString>
#include <QStringList>
#include <optional>

class Command;
struct UserCommands;

class ScreenSaverFile {
 public:
  struct Show {
    int effect = 0;              // view mode; -1 none
    std::optional<int> display;  // 1 real size, 2 fit picture, 3 fit width, 4 fit height
    int seconds = 5;             // interval
    QString music;               // background music; empty for none
    QString folder;              // where the names are
    QStringList names;           // file names, in show order
  };

  // Reads path; a missing file reads as every default (Normal, real size, 5 s, nothing
  // else). Values that are not integers read as the default too. Empty names are left out.
  // Raises PictureError naming the file when it exists but cannot be read.
  static Show Read(const QString& path);

  // Writes show into path in one piece. Every earlier name of the file goes, so that the
  // file lists exactly these names; the rest of the file (other sections, comments, an
  // older display mode when none is given) stays. Names holding a line break, which the
  // format cannot store, are left out and the keys stay without gaps; a folder or music
  // path holding one raises PictureError naming the file before anything is written.
  static void Write(const QString& path, const Show& show);

  // The file dialogs' filter.
  static const QString kDialogFilter;
  // The command of a display-mode number as the file stores it (1 real size, 2 fit
  // picture, 3 fit width, 4 fit height); nullptr for any other number.
  static Command* DisplayCommand(UserCommands& commands, int number);

  static const QString kSection, kEffect, kDisplay, kTime, kMusic, kFolder, kNames;
};
