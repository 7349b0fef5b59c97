#pragma once
// Showing a made picture in the main window and reading the displayed pixels, for the
// tests of the viewing and editing commands.
#include <QImage>

#include "ListHelpers.h"
#include "TestFiles.h"
#include "app/AllForms.h"

namespace PictureHelpers {

// Writes a w x h pattern as a bitmap file and loads it as a double click on its list
// entry does; returns the pattern.
inline QImage ShowPattern(TestFiles& files, int w, int h) {
  const QImage pattern = TestFiles::Pattern(w, h);
  const QString name = QStringLiteral("pattern%1x%2.bmp").arg(w).arg(h);
  files.WriteBmp(name, pattern);
  ListHelpers::FillList(files, {name});
  ListHelpers::LoadFromList(name);
  return pattern;
}

// The displayed picture's pixels.
inline QImage Shown() {
  return MainForm->imgMain->GetPicture().BitmapView().Image();
}

}  // namespace PictureHelpers
