#pragma once
// Putting a picture on screen through the load from list, and reading back what the
// picture control shows, for the edit and save tests.
#include <QFileInfo>
#include <QImage>

#include "ListHelpers.h"
#include "TestFiles.h"
#include "app/AllForms.h"

namespace EditHelpers {

inline QImage Solid(int w, int h, QRgb color) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(color);
  return image;
}

// Writes image under name (a bitmap or a JPEG file, by the extension) and loads it from
// the list, as a double click does.
inline QString ShowFile(TestFiles& files, const QString& name, const QImage& image) {
  const QString ext = QFileInfo(name).suffix().toLower();
  const QString path = ext == QLatin1String("bmp")   ? files.WriteBmp(name, image)
                       : ext == QLatin1String("ico") ? files.WriteIco(name, image)
                                                     : files.WriteJpeg(name, image);
  ListHelpers::FillList(files, {name});
  ListHelpers::LoadFromList(name);
  return path;
}

// The pixels of the displayed picture; null when imgMain holds none.
inline QImage Shown() {
  const Graphic* graphic = MainForm->imgMain->GetPicture().GetGraphic();
  return graphic ? graphic->ToImage().convertToFormat(QImage::Format_RGB32) : QImage();
}

// The displayed picture at a size of the test's choosing, as zooming leaves it.
inline void ShowAtSize(int w, int h) {
  MainForm->imgMain->SetAutoSize(false);
  MainForm->imgMain->SetStretch(true);
  MainForm->imgMain->SetBounds(0, 0, w, h);
}

}  // namespace EditHelpers
