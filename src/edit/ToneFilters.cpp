// Tone filters: brighter, darker, restore, negative, emboss, black-and-white. They change
// only the displayed picture; WorkBitmap stays the reference that restore returns to.
#include <memory>

#include "app/MainForm.h"
#include "controls/Random.h"
#include "picture/Filters.h"

namespace {

// Brighter and darker: the whole picture, or in selection mode the selected region.
void StepBrightness(TMainForm* f, int delta) {
  if (!f->PictureShown()) return;
  Randomize();
  Picture& picture = f->imgMain->GetPicture();
  Bitmap& shown = picture.BitmapView();
  const TRect region =
      f->SelectionModeOn() ? f->ClippedSelectionRect() : Rect(0, 0, shown.Width(), shown.Height());
  if (region.Width() <= 0 || region.Height() <= 0) return;
  // In place: the first step after a load or restore parts the pixels from WorkBitmap
  // (the one copy), later steps write them directly.
  Filters::AddBrightness(shown, region, delta);
  shown.SetPixelFormat(PixelFormat::Bit24);
  picture.Changed();
}

// The prelude of the three Edit menu filters (the menu item has closed the menu). False
// when there are no pixels to filter.
bool PrepareFilter(TMainForm* f) {
  f->repaint();
  if (f->MagnifierOn) f->TurnMagnifierOff();
  f->EnsureBitmap();
  return !f->imgMain->GetPicture().BitmapView().Empty();
}

void ShowFiltered(TMainForm* f, Bitmap (*filter)(const Bitmap&)) {
  if (!PrepareFilter(f)) return;
  Picture& picture = f->imgMain->GetPicture();
  picture.SetGraphic(std::make_unique<Bitmap>(filter(picture.BitmapView())));
}

}  // namespace

void TMainForm::sbtnBrightClick() {
  StepBrightness(this, +5);
}

void TMainForm::sbtnDarkClick() {
  StepBrightness(this, -5);
}

void TMainForm::sbtnRestoreBDClick() {
  if (!PictureShown()) return;
  // A GIF, a metafile or a file that did not decode leaves imgMain empty, and WorkBitmap
  // still belongs to the picture shown before it: bringing that back would put a picture
  // under the current one's name, and the next save would write it.
  if (imgMain->GetPicture().Width() <= 0 || imgMain->GetPicture().Height() <= 0) return;
  imgMain->GetPicture().Assign(WorkBitmap);
}

void TMainForm::NegativeCommand() {
  ShowFiltered(this, Filters::Negative);
}

void TMainForm::EmbossCommand() {
  ShowFiltered(this, Filters::Emboss);
}

void TMainForm::BlackWhiteCommand() {
  ShowFiltered(this, Filters::BlackWhite);
}
