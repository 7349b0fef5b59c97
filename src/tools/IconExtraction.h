#pragma once
// The icon extraction tool's rules: open a program or library and take its first icon,
// save the icon shown as a one-image .ico. The icon in the window's image is the tool's
// only state: it stays there between openings of the window, until the next extraction.
#include <QString>

class TImage;
class QWidget;

class IconExtraction {
 public:
  // window: owner of the file dialogs; icon: where the extracted icon is shown.
  IconExtraction(QWidget* window, TImage* icon);

  static const QString kOpenFilter;
  static const QString kSaveFilter;

  // The open dialog; a cancelled one changes nothing. Otherwise the file's first icon
  // replaces the one shown, an empty icon when the file has none or is no program.
  void Open();
  // The save dialog; the name chosen always gets ".ico" appended, and a file of that name
  // is replaced without a question. Raises PictureError (no file written) when no icon is
  // shown.
  void Save();

 private:
  QWidget* window_;
  TImage* icon_;
};
