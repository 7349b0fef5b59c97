#pragma once
// Filling the file list by hand and loading an entry the way a double click does, for
// tests that do not go through the folder scan.
#include <QStringList>

#include "TestFiles.h"
#include "app/AllForms.h"

namespace ListHelpers {

// ListView1 := names (in this order), CurFolder := the test folder.
inline void FillList(const TestFiles& files, const QStringList& names) {
  MainForm->State.CurFolder = files.Folder() + QLatin1Char('/');
  MainForm->ListView1->SetSortType(false);
  MainForm->ListView1->Clear();
  for (const QString& name : names) MainForm->ListView1->Add(name);
}

// Selects the entry named name and runs the load from list.
inline void LoadFromList(const QString& name) {
  MainForm->ListView1->SelectAndFocus(MainForm->ListView1->IndexOfCaption(name));
  MainForm->ListView1DblClick();
}

// The classic 1 x 1 GIF: one red pixel.
inline QByteArray TinyGif() {
  static const unsigned char bytes[] = {
      0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
      0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
  return QByteArray(reinterpret_cast<const char*>(bytes), int(sizeof bytes));
}

}  // namespace ListHelpers
