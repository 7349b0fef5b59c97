// Quarter turn and mirrors. They change the picture itself and the reference copy, so the
// brightness restore returns to the turned picture.
#include <memory>

#include "app/MainForm.h"
#include "picture/Filters.h"

void TMainForm::EnsureBitmap() {
  if (PicIsBitmap) return;
  Picture& picture = imgMain->GetPicture();
  auto bitmap = std::make_unique<Bitmap>();
  if (!picture.Empty()) bitmap->Assign(*picture.GetGraphic());
  picture.SetGraphic(std::move(bitmap));
}

namespace {

// The prelude of the three commands; false when they do not apply. What is left to turn
// is the displayed bitmap, empty for a picture that nothing decoded.
bool PrepareGeometricEdit(TMainForm* f) {
  if (f->GifCurrent()) return false;
  // The menu that has just been closed must be gone before the pixel work starts.
  f->repaint();
  if (f->MagnifierOn) f->TurnMagnifierOff();
  f->EnsureBitmap();
  f->PicIsBitmap = true;
  return !f->imgMain->GetPicture().BitmapView().Empty();
}

// The displayed picture and the reference copy both become result (sharing its pixels
// until one of them is written).
void TakeResult(TMainForm* f, Bitmap result) {
  f->WorkBitmap.Assign(result);
  f->WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
  f->imgMain->GetPicture().SetGraphic(std::make_unique<Bitmap>(std::move(result)));
}

}  // namespace

void TMainForm::sbtnNinetyTurnClick() {
  // An empty bitmap has nothing to turn; going on would make the picture size 0 x 0,
  // which the fits divide by.
  if (!PrepareGeometricEdit(this)) return;
  scrboxBack->SetHorzPosition(0);
  scrboxBack->SetVertPosition(0);
  // The displayed size turns with the picture, so the zoom scale stays. Taken before the
  // new picture is set: with AutoSize on, setting it resizes the control already.
  const int shownWidth = imgMain->Width(), shownHeight = imgMain->Height();
  Bitmap turned = Filters::Rotate90(imgMain->GetPicture().BitmapView());
  PicWidth = turned.Width();
  PicHeight = turned.Height();
  TakeResult(this, std::move(turned));
  imgMain->SetBounds(imgMain->Left(), imgMain->Top(), shownHeight, shownWidth);
  CenterPicture();
  ShowDisplaySize();
}

void TMainForm::sbtnLRTurnClick() {
  if (!PrepareGeometricEdit(this)) return;
  TakeResult(this, Filters::MirrorLeftRight(imgMain->GetPicture().BitmapView()));
}

void TMainForm::sbtnUDTurnClick() {
  if (!PrepareGeometricEdit(this)) return;
  TakeResult(this, Filters::MirrorUpDown(imgMain->GetPicture().BitmapView()));
}
