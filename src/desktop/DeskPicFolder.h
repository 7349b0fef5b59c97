#pragma once
// The changing desktop's picture folder, "DeskPicture" in the home folder, and the only
// names used in it: "DeskPicture.bmp" (the wallpaper), "DeskPicture" (a download in
// progress) and "DeskPicture1.jpg" ... "DeskPicture20.jpg". Nothing a server sends ever
// names a file here.
#include <QString>

class DeskPicFolder {
 public:
  static constexpr int kPictures = 20;

  // The folder inside home (the home folder stands for the system drive).
  explicit DeskPicFolder(const QString& home);

  const QString& Path() const { return path_; }
  QString WallpaperPath() const;          // "DeskPicture.bmp"
  QString PartialPath() const;            // "DeskPicture"
  QString PicturePath(int number) const;  // "DeskPicture<number>.jpg", 1 ... 20

  // Creates the folder when it is missing.
  void Create() const;

  // A fresh, empty "DeskPicture" open for writing: whatever stood under the name (a file,
  // a link) is removed first and the file is created anew, never opened through a link.
  // -1 when it cannot be made.
  int CreatePartial() const;
  // Renames "DeskPicture" over picture number; false (and "DeskPicture" removed) when it
  // fails.
  bool KeepPartialAs(int number) const;
  // Removes "DeskPicture" if it is there.
  void RemovePartial() const;

 private:
  QString path_;
};
