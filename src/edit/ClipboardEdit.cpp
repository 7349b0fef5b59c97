// Cut, copy and paste between the selected region and the system clipboard, so pictures
// go to and come from other programs. The region is the part of the selection rectangle
// that lies on the picture.
#include <algorithm>
#include <exception>

#include "app/MainForm.h"
#include "controls/Dialogs.h"
#include "controls/TApplication.h"
#include "picture/Clipboard.h"

namespace {

// The region's pixels in a bitmap of their own.
Bitmap CopyOfRegion(const Bitmap& shown, const TRect& region) {
  Bitmap copy(region.Width(), region.Height());
  copy.CopyRect(Bounds(0, 0, region.Width(), region.Height()), shown, region);
  return copy;
}

}  // namespace

void TMainForm::CopyCommand() {
  EnsureBitmap();
  const TRect region = ClippedSelectionRect();
  if (region.Width() <= 0 || region.Height() <= 0) return;
  Clipboard::PutBitmap(CopyOfRegion(imgMain->GetPicture().BitmapView(), region));
}

void TMainForm::CutCommand() {
  EnsureBitmap();
  const TRect region = ClippedSelectionRect();
  if (region.Width() <= 0 || region.Height() <= 0) return;
  Picture& picture = imgMain->GetPicture();
  Bitmap& shown = picture.BitmapView();
  const Bitmap cut = CopyOfRegion(shown, region);
  shown.SetBrushColor(Colors::White);
  shown.FillRect(region);
  picture.Changed();
  Clipboard::PutBitmap(cut);
  // Lasting: the brightness restore must not bring the region back.
  WorkBitmap.Assign(shown);
  WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
}

// The clipboard picture's top-left part goes onto the region one to one; a larger picture
// is cut off at the region's right and bottom, a smaller one leaves the rest of the region
// as it was.
void TMainForm::PasteCommand() {
  EnsureBitmap();
  Picture& picture = imgMain->GetPicture();
  try {
    const Bitmap clip = Clipboard::GetBitmap();
    const TRect region = ClippedSelectionRect();
    const int w = std::min(region.Width(), clip.Width());
    const int h = std::min(region.Height(), clip.Height());
    if (w <= 0 || h <= 0) return;
    // Worked on a copy, so that a failure leaves the picture as it was.
    Bitmap pasted;
    pasted.Assign(picture.BitmapView());
    pasted.CopyRect(Bounds(region.Left, region.Top, w, h), clip, Bounds(0, 0, w, h));
    picture.BitmapView().Assign(pasted);
    picture.Changed();
    WorkBitmap.Assign(pasted);
    WorkBitmap.SetPixelFormat(PixelFormat::Bit24);
  } catch (const std::exception&) {
    Dialogs::Message(this, QStringLiteral("剪贴板格式错误!"), TApplication::Title(),
                     Dialogs::Icon::None);
  }
}
