#include "PictureEditor.h"

#include <memory>

#include "controls/Random.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"
#include "picture/Filters.h"
#include "view/Magnifier.h"
#include "view/SelectionTool.h"

PictureEditor::PictureEditor(ViewerContext context, Magnifier& magnifier, SelectionTool& selection)
    : v_(context), magnifier_(magnifier), selection_(selection) {}

void PictureEditor::EnsureBitmap() {
  if (v_.state.PicIsBitmap) return;
  Picture& picture = v_.area.imgMain->GetPicture();
  auto bitmap = std::make_unique<Bitmap>();
  if (!picture.Empty()) bitmap->Assign(*picture.GetGraphic());
  picture.SetGraphic(std::move(bitmap));
}

// ---- Quarter turn and mirrors --------------------------------------------------------------
// They change the picture itself and the reference copy, so the brightness restore returns
// to the turned picture.

// The prelude of the three commands; false when they do not apply. What is left to turn
// is the displayed bitmap, empty for a picture that nothing decoded.
bool PictureEditor::PrepareGeometricEdit() {
  if (v_.state.GifCurrent()) return false;
  // The menu that has just been closed must be gone before the pixel work starts.
  v_.host.RepaintNow();
  if (v_.state.MagnifierOn) magnifier_.TurnOff();
  EnsureBitmap();
  v_.state.PicIsBitmap = true;
  return !v_.area.imgMain->GetPicture().BitmapView().Empty();
}

// The displayed picture and the reference copy both become result (sharing its pixels
// until one of them is written).
void PictureEditor::TakeResult(Bitmap result) {
  v_.state.TakeWorkBitmap(result);
  v_.area.imgMain->GetPicture().SetGraphic(std::make_unique<Bitmap>(std::move(result)));
}

void PictureEditor::Rotate90() {
  // An empty bitmap has nothing to turn; going on would make the picture size 0 x 0,
  // which the fits divide by.
  if (!PrepareGeometricEdit()) return;
  PictureArea& a = v_.area;
  a.ScrollToOrigin();
  // The displayed size turns with the picture, so the zoom scale stays. Taken before the
  // new picture is set: with AutoSize on, setting it resizes the control already.
  const int shownWidth = a.imgMain->Width(), shownHeight = a.imgMain->Height();
  Bitmap turned = Filters::Rotate90(a.imgMain->GetPicture().BitmapView());
  v_.state.PicWidth = turned.Width();
  v_.state.PicHeight = turned.Height();
  TakeResult(std::move(turned));
  a.imgMain->SetBounds(a.imgMain->Left(), a.imgMain->Top(), shownHeight, shownWidth);
  a.CenterPicture();
  a.ShowDisplaySize();
}

void PictureEditor::MirrorLeftRight() {
  if (!PrepareGeometricEdit()) return;
  TakeResult(Filters::MirrorLeftRight(v_.area.imgMain->GetPicture().BitmapView()));
}

void PictureEditor::MirrorUpDown() {
  if (!PrepareGeometricEdit()) return;
  TakeResult(Filters::MirrorUpDown(v_.area.imgMain->GetPicture().BitmapView()));
}

// ---- Tone filters ----------------------------------------------------------------------------
// They change only the displayed picture; WorkBitmap stays the reference that restore
// returns to.

// Brighter and darker: the whole picture, or in selection mode the selected region.
void PictureEditor::StepBrightness(int delta) {
  if (!v_.area.PictureShown()) return;
  Randomize();
  Picture& picture = v_.area.imgMain->GetPicture();
  Bitmap& shown = picture.BitmapView();
  const TRect region = v_.commands.SelectionMode.Checked()
                           ? selection_.ClippedSelectionRect()
                           : Rect(0, 0, shown.Width(), shown.Height());
  if (region.Width() <= 0 || region.Height() <= 0) return;
  // In place: the first step after a load or restore parts the pixels from WorkBitmap
  // (the one copy), later steps write them directly.
  Filters::AddBrightness(shown, region, delta);
  shown.SetPixelFormat(PixelFormat::Bit24);
  picture.Changed();
}

void PictureEditor::Brighter() {
  StepBrightness(+5);
}

void PictureEditor::Darker() {
  StepBrightness(-5);
}

void PictureEditor::RestoreBrightness() {
  if (!v_.area.PictureShown()) return;
  // A GIF, a metafile or a file that did not decode leaves the picture empty, and
  // WorkBitmap still belongs to the picture shown before it: bringing that back would put
  // a picture under the current one's name, and the next save would write it.
  Picture& picture = v_.area.imgMain->GetPicture();
  if (picture.Width() <= 0 || picture.Height() <= 0) return;
  picture.Assign(v_.state.WorkBitmap);
}

// The prelude of the three Edit menu filters (the menu item has closed the menu). False
// when there are no pixels to filter.
bool PictureEditor::PrepareFilter() {
  v_.host.RepaintNow();
  if (v_.state.MagnifierOn) magnifier_.TurnOff();
  EnsureBitmap();
  return !v_.area.imgMain->GetPicture().BitmapView().Empty();
}

void PictureEditor::ShowFiltered(Bitmap (*filter)(const Bitmap&)) {
  if (!PrepareFilter()) return;
  Picture& picture = v_.area.imgMain->GetPicture();
  picture.SetGraphic(std::make_unique<Bitmap>(filter(picture.BitmapView())));
}

void PictureEditor::Negative() {
  ShowFiltered(Filters::Negative);
}

void PictureEditor::Emboss() {
  ShowFiltered(Filters::Emboss);
}

void PictureEditor::BlackWhite() {
  ShowFiltered(Filters::BlackWhite);
}
