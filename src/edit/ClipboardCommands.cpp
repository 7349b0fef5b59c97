#include "ClipboardCommands.h"

#include <algorithm>
#include <exception>

#include "PictureEditor.h"
#include "controls/Dialogs.h"
#include "controls/TApplication.h"
#include "core/PictureArea.h"
#include "core/ViewerState.h"
#include "picture/Clipboard.h"
#include "view/SelectionTool.h"

namespace {

// The region's pixels in a bitmap of their own.
Bitmap CopyOfRegion(const Bitmap& shown, const TRect& region) {
  Bitmap copy(region.Width(), region.Height());
  copy.CopyRect(Bounds(0, 0, region.Width(), region.Height()), shown, region);
  return copy;
}

}  // namespace

ClipboardCommands::ClipboardCommands(ViewerContext context, PictureEditor& editor,
                                     SelectionTool& selection, QWidget* dialogOwner)
    : v_(context), editor_(editor), selection_(selection), dialogOwner_(dialogOwner) {}

void ClipboardCommands::Copy() {
  editor_.EnsureBitmap();
  const TRect region = selection_.ClippedSelectionRect();
  if (region.Width() <= 0 || region.Height() <= 0) return;
  Clipboard::PutBitmap(CopyOfRegion(v_.area.imgMain->GetPicture().BitmapView(), region));
}

void ClipboardCommands::Cut() {
  editor_.EnsureBitmap();
  const TRect region = selection_.ClippedSelectionRect();
  if (region.Width() <= 0 || region.Height() <= 0) return;
  Picture& picture = v_.area.imgMain->GetPicture();
  Bitmap& shown = picture.BitmapView();
  const Bitmap cut = CopyOfRegion(shown, region);
  shown.SetBrushColor(Colors::White);
  shown.FillRect(region);
  picture.Changed();
  Clipboard::PutBitmap(cut);
  // Lasting: the brightness restore must not bring the region back.
  v_.state.TakeWorkBitmap(shown);
}

// The clipboard picture's top-left part goes onto the region one to one; a larger picture
// is cut off at the region's right and bottom, a smaller one leaves the rest of the region
// as it was.
void ClipboardCommands::Paste() {
  editor_.EnsureBitmap();
  Picture& picture = v_.area.imgMain->GetPicture();
  try {
    const Bitmap clip = Clipboard::GetBitmap();
    const TRect region = selection_.ClippedSelectionRect();
    const int w = std::min(region.Width(), clip.Width());
    const int h = std::min(region.Height(), clip.Height());
    if (w <= 0 || h <= 0) return;
    // Worked on a copy, so that a failure leaves the picture as it was.
    Bitmap pasted;
    pasted.Assign(picture.BitmapView());
    pasted.CopyRect(Bounds(region.Left, region.Top, w, h), clip, Bounds(0, 0, w, h));
    picture.BitmapView().Assign(pasted);
    picture.Changed();
    v_.state.TakeWorkBitmap(pasted);
  } catch (const std::exception&) {
    Dialogs::Message(dialogOwner_, QStringLiteral("剪贴板格式错误!"), TApplication::Title(),
                     Dialogs::Icon::None);
  }
}
