// Saving and format conversion: save as, save this size, save selection, icons.
//
// Every writer goes through FileSaver (temporary file, then rename), so a failed save
// leaves the old file as it was. Writer errors are not caught here: they end the command
// and reach the default error report.
//
// A GIF, a metafile or a file that did not decode leaves imgMain without pixels. Then the
// bitmap, JPEG and icon writers write nothing (a file with no picture in it helps no one)
// and only the GIF byte copies still run.
#include <memory>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/menuFileForm.h"
#include "picture/FileSaver.h"
#include "picture/JpegCodec.h"

namespace {

enum FilterEntry { kBitmapEntry = 1, kJpegEntry = 2, kGifEntry = 3, kIconEntry = 4 };

constexpr int kSaveAsQuality = 93;
constexpr int kSaveThisSizeQuality = 96;
constexpr int kSaveSelectionQuality = 90;

bool HasPixels(const Bitmap& bitmap) {
  return bitmap.Width() > 0 && bitmap.Height() > 0;
}

// The displayed picture as a bitmap, without disturbing what imgMain holds; shares the
// pixels when it holds a bitmap.
Bitmap ShownBitmap(const TMainForm* f) {
  Bitmap bitmap;
  const Picture& picture = f->imgMain->GetPicture();
  if (!picture.Empty()) bitmap.Assign(*picture.GetGraphic());
  return bitmap;
}

void WriteBitmap(const Bitmap& bitmap, const QString& path) {
  if (HasPixels(bitmap)) bitmap.SaveToFile(path);
}

void WriteJpeg(const Bitmap& bitmap, const QString& path, int quality) {
  if (HasPixels(bitmap)) JpegCodec::EncodeToFile(bitmap.Image(), path, quality);
}

// The current file copied byte for byte; a failed copy is ignored.
void CopyCurrentFile(const TMainForm* f, const QString& path) {
  FileSaver::Copy(f->CurFolder + f->CurFileName, path);
}

}  // namespace

void TMainForm::SetUpSavePictureDialog() {
  SavePictureDialog->Filter = QStringLiteral(
      "Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF(*.gif)|*.gif|"
      "Icon(*.ico)|*.ico");
  SavePictureDialog->DefaultExt = QStringLiteral("jpg");
  SavePictureDialog->OverwritePrompt = true;
  // Saving is mostly to a new name: a save dialog that insisted on an existing file
  // could only ever overwrite.
  SavePictureDialog->FileMustExist = false;
}

// ---- Save as ---------------------------------------------------------------------------

void TMainForm::sbtnSaveClick() {
  menuFileForm->Label3Click();
}

void TMainForm::SaveAsCommand() {
  if (!PictureShown()) return;
  if (!SavePictureDialog->Execute()) return;
  const QString name = SavePictureDialog->FileName;
  const Picture& picture = imgMain->GetPicture();
  switch (SavePictureDialog->FilterIndex) {
    case kBitmapEntry:
      // In the kind imgMain holds it, which loading and editing keep a bitmap.
      if (picture.Width() > 0 && picture.Height() > 0) picture.SaveToFile(name);
      break;
    case kJpegEntry:
      WriteJpeg(ShownBitmap(this), name, kSaveAsQuality);
      break;
    case kGifEntry:
      if (GifCurrent()) CopyCurrentFile(this, name);
      break;
    case kIconEntry:
      if (PicIsBitmap) SaveAsIcon(name);
      break;
  }
}

// ---- Save this size --------------------------------------------------------------------

void TMainForm::sbtnSaveNewClick() {
  if (!PictureShown()) return;
  const Bitmap shown = ShownBitmap(this);
  // The picture as displayed: rows and columns dropped or repeated, never blended, as the
  // zoomed display draws it. At the picture's own size it is the picture itself.
  Bitmap displayed;
  if (HasPixels(shown)) {
    if (imgMain->Width() == shown.Width() && imgMain->Height() == shown.Height()) {
      displayed = shown;
    } else {
      displayed.SetSize(imgMain->Width(), imgMain->Height());
      displayed.SetStretchMode(StretchMode::ColorOnColor);
      displayed.CopyRect(Rect(0, 0, displayed.Width(), displayed.Height()), shown,
                         Rect(0, 0, shown.Width(), shown.Height()));
    }
  }

  if (!SavePictureDialog->Execute()) return;
  // The extension is always appended, whatever the name typed already ends in.
  const QString name = SavePictureDialog->FileName;
  switch (SavePictureDialog->FilterIndex) {
    case kBitmapEntry:
      // The format follows the current file's kind; an icon gives a bitmap and an icon.
      if (JpegCurrent()) {
        WriteJpeg(displayed, name + QStringLiteral(".jpg"), kSaveThisSizeQuality);
      } else if (CurExt == QLatin1String(".bmp") || CurExt == QLatin1String(".ico")) {
        WriteBitmap(displayed, name + QStringLiteral(".bmp"));
      } else if (GifCurrent()) {
        CopyCurrentFile(this, name + QStringLiteral(".gif"));
      }
      if (CurExt == QLatin1String(".ico")) SaveAsIcon(name + QStringLiteral(".ico"));
      break;
    case kJpegEntry:
    case kGifEntry:
      WriteJpeg(displayed, name + QStringLiteral(".jpg"), kSaveThisSizeQuality);
      break;
    case kIconEntry:
      WriteBitmap(displayed, name + QStringLiteral(".bmp"));
      break;
  }
}

// ---- Save selection --------------------------------------------------------------------

void TMainForm::SaveSelectionCommand() {
  EnsureBitmap();
  // Only what lies on the picture: past its edges there are no pixels to save.
  const TRect region = ClippedSelectionRect();
  if (region.Width() <= 0 || region.Height() <= 0) return;
  const Bitmap shown = ShownBitmap(this);
  Bitmap selection;
  selection.SetSize(region.Width(), region.Height());
  selection.CopyRect(Rect(0, 0, region.Width(), region.Height()), shown, region);

  if (!SavePictureDialog->Execute()) return;
  const QString name = SavePictureDialog->FileName;
  switch (SavePictureDialog->FilterIndex) {
    case kBitmapEntry:
    case kIconEntry:
      WriteBitmap(selection, name + QStringLiteral(".bmp"));
      break;
    case kJpegEntry:
    case kGifEntry:
      WriteJpeg(selection, name + QStringLiteral(".jpg"), kSaveSelectionQuality);
      break;
  }
}

// ---- Icons -----------------------------------------------------------------------------

void TMainForm::SaveAsIcon(const QString& fileName) {
  const Bitmap shown = ShownBitmap(this);
  if (!HasPixels(shown)) return;
  const QSize size = Icon::SystemIconSize();
  // All black: opaque everywhere.
  Bitmap mask(size.width(), size.height());
  mask.SetBrushColor(Colors::Black);
  mask.FillRect(Rect(0, 0, size.width(), size.height()));
  // The canvas's own stretch mode: no mode is set.
  Bitmap color(size.width(), size.height());
  color.CopyRect(Rect(0, 0, size.width(), size.height()), shown,
                 Rect(0, 0, shown.Width(), shown.Height()));
  Icon::FromMaskAndColor(mask, color).SaveToFile(fileName);
}
