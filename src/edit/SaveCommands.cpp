// A GIF, a metafile or a file that did not decode leaves imgMain without pixels. Then the
// bitmap, JPEG and icon writers write nothing (a file with no picture in it helps no one)
// and only the GIF byte copies still run.
#include "SaveCommands.h"

#include "PictureEditor.h"
#include "controls/TPictureDialog.h"
#include "core/PictureArea.h"
#include "core/ViewerState.h"
#include "picture/FileSaver.h"
#include "picture/Icon.h"
#include "picture/JpegCodec.h"
#include "view/SelectionTool.h"

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
Bitmap ShownBitmap(const PictureArea& area) {
  Bitmap bitmap;
  const Picture& picture = area.imgMain->GetPicture();
  if (!picture.Empty()) bitmap.Assign(*picture.GetGraphic());
  return bitmap;
}

void WriteBitmap(const Bitmap& bitmap, const QString& path) {
  if (HasPixels(bitmap)) bitmap.SaveToFile(path);
}

void WriteJpeg(const Bitmap& bitmap, const QString& path, int quality) {
  if (HasPixels(bitmap)) JpegCodec::EncodeToFile(bitmap.Image(), path, quality);
}

}  // namespace

SaveCommands::SaveCommands(ViewerContext context, PictureEditor& editor, SelectionTool& selection,
                           TPictureDialog* saveDialog)
    : v_(context), editor_(editor), selection_(selection), saveDialog_(saveDialog) {
  SetUpSavePictureDialog();
}

// The current file copied byte for byte. A failed copy is reported like every other
// failed save: the user must not believe a copy exists that was never written.
void SaveCommands::CopyCurrentFile(const QString& path) const {
  FileSaver::CopyFile(v_.state.CurrentPath(), path);
}

void SaveCommands::SetUpSavePictureDialog() {
  saveDialog_->Filter = QStringLiteral(
      "Bitmaps (*.bmp)|*.bmp|JPEG Image File (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF(*.gif)|*.gif|"
      "Icon(*.ico)|*.ico");
  saveDialog_->DefaultExt = QStringLiteral("jpg");
  saveDialog_->OverwritePrompt = true;
  // Saving is mostly to a new name: a save dialog that insisted on an existing file
  // could only ever overwrite.
  saveDialog_->FileMustExist = false;
}

// ---- Save as ---------------------------------------------------------------------------

void SaveCommands::SaveAs() {
  if (!v_.area.PictureShown()) return;
  if (!saveDialog_->Execute()) return;
  const QString name = saveDialog_->FileName;
  const Picture& picture = v_.area.imgMain->GetPicture();
  switch (saveDialog_->FilterIndex) {
    case kBitmapEntry:
      // In the kind imgMain holds it, which loading and editing keep a bitmap.
      if (picture.Width() > 0 && picture.Height() > 0) picture.SaveToFile(name);
      break;
    case kJpegEntry:
      WriteJpeg(ShownBitmap(v_.area), name, kSaveAsQuality);
      break;
    case kGifEntry:
      if (v_.state.GifCurrent()) CopyCurrentFile(name);
      break;
    case kIconEntry:
      if (v_.state.PicIsBitmap) SaveAsIcon(name);
      break;
  }
}

// ---- Save this size --------------------------------------------------------------------

void SaveCommands::SaveThisSize() {
  const ViewerState& st = v_.state;
  const TImage* image = v_.area.imgMain;
  if (!v_.area.PictureShown()) return;
  const Bitmap shown = ShownBitmap(v_.area);
  // The picture as displayed: rows and columns dropped or repeated, never blended, as the
  // zoomed display draws it. At the picture's own size it is the picture itself.
  Bitmap displayed;
  if (HasPixels(shown)) {
    if (image->Width() == shown.Width() && image->Height() == shown.Height()) {
      displayed = shown;
    } else {
      displayed.SetSize(image->Width(), image->Height());
      displayed.SetStretchMode(StretchMode::ColorOnColor);
      displayed.CopyRect(Rect(0, 0, displayed.Width(), displayed.Height()), shown,
                         Rect(0, 0, shown.Width(), shown.Height()));
    }
  }

  if (!saveDialog_->Execute()) return;
  // The extension is always appended, whatever the name typed already ends in.
  const QString name = saveDialog_->FileName;
  switch (saveDialog_->FilterIndex) {
    case kBitmapEntry:
      // The format follows the current file's kind; an icon gives a bitmap and an icon.
      if (st.JpegCurrent()) {
        WriteJpeg(displayed, name + QStringLiteral(".jpg"), kSaveThisSizeQuality);
      } else if (st.CurExt == QLatin1String(".bmp") || st.CurExt == QLatin1String(".ico")) {
        WriteBitmap(displayed, name + QStringLiteral(".bmp"));
      } else if (st.GifCurrent()) {
        CopyCurrentFile(name + QStringLiteral(".gif"));
      }
      if (st.CurExt == QLatin1String(".ico")) SaveAsIcon(name + QStringLiteral(".ico"));
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

void SaveCommands::SaveSelection() {
  editor_.EnsureBitmap();
  // Only what lies on the picture: past its edges there are no pixels to save.
  const TRect region = selection_.ClippedSelectionRect();
  if (region.Width() <= 0 || region.Height() <= 0) return;
  const Bitmap shown = ShownBitmap(v_.area);
  Bitmap selection;
  selection.SetSize(region.Width(), region.Height());
  selection.CopyRect(Rect(0, 0, region.Width(), region.Height()), shown, region);

  if (!saveDialog_->Execute()) return;
  const QString name = saveDialog_->FileName;
  switch (saveDialog_->FilterIndex) {
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

void SaveCommands::SaveAsIcon(const QString& fileName) {
  const Bitmap shown = ShownBitmap(v_.area);
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
