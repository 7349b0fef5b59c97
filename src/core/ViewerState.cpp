#include "ViewerState.h"

void ViewerState::SetFolder(const QString& folder) {
  CurFolder = folder;
  while (CurFolder.size() > 1 && CurFolder.endsWith(QLatin1String("//"))) CurFolder.chop(1);
  if (!CurFolder.endsWith(QLatin1Char('/'))) CurFolder += QLatin1Char('/');
}

void ViewerState::SetFileName(const QString& name) {
  CurFileName = name;
  CurExt = LowerExtension(name);
}

QString ViewerState::LowerExtension(const QString& fileName) {
  const int dot = fileName.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : fileName.mid(dot).toLower();
}

void ViewerState::TakeWorkBitmap(const Graphic& graphic) {
  WorkBitmap.Assign(graphic);
  WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
}
