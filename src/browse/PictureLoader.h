#pragma once
// Showing a picture: the load from list (the one way to show a list entry: callers select
// the entry in the name list, then run it), the open command with its file dialog, the
// loaders for JPEG, BMP and ICO files and the GIF panel, stepping to the previous and
// next entry, and closing the picture.
#include <QString>

#include "DecodeAhead.h"
#include "core/ViewerContext.h"

class FileInfoPanel;
class FolderBrowser;
class Magnifier;
class TPictureDialog;
class ZoomControl;

class PictureLoader {
 public:
  PictureLoader(ViewerContext context, FolderBrowser& browser, FileInfoPanel& fileInfo,
                ZoomControl& zoom, Magnifier& magnifier, TPictureDialog* openDialog);

  // The load from list for the selected entry of the name list, then the transition.
  void ListView1DblClick();
  void OpenCommand();
  void PreviousPicture();
  void NextPicture();
  void ClosePicture();

  // "图象文件错误!"
  static void ShowPictureError();

 private:
  void SetUpOpenPictureDialog();
  void LoadListItem(int index);
  // The loader CurExt names (GIF display, JPEG, BMP or ICO) for path.
  void RunLoaders(const QString& path, bool fromList);
  // The JPEG, BMP and ICO loaders: the picture as a bitmap, shown and kept as WorkBitmap.
  void LoadBitmap(const QString& path, bool fromList);
  // Decodes the entries a step will show next (the previous one too after a step back).
  void DecodeNeighbours();
  void ShowGif(const QString& path);  // GIF display, or hide the GIF panel for other kinds
  void ReplaceWindowIcon(const QString& icoPath);
  void TakePictureSize();  // PicWidth x PicHeight from the picture, 0 x 0 for a GIF
  void ShowResolution();   // the size field and status panel 3
  void ShowListPosition();

  ViewerContext v_;
  FolderBrowser& browser_;
  FileInfoPanel& fileInfo_;
  ZoomControl& zoom_;
  Magnifier& magnifier_;
  TPictureDialog* openDialog_;
  DecodeAhead ahead_;
  bool lastStepBack_ = false;
};
