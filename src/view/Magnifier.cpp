#include "Magnifier.h"

#include <algorithm>
#include <limits>

#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"

namespace {

// Lens scroll position for pointer coordinate v at p %: the picture point under the lens
// centre (v - 65) shows at the centre, enlarged. Worked in 64 bits (division truncating
// toward zero) and brought back into int; the scroll box clamps what lies beyond its range.
int LensScrollPosition(int v, int percent) {
  const qint64 position = (qint64(v) - 65) * (qint64(percent) - 100) / 100 + v - 125;
  return int(std::clamp<qint64>(position, std::numeric_limits<int>::min(),
                                std::numeric_limits<int>::max()));
}

// length x percent / 100, kept within what a widget can be.
int LensLength(int length, int percent) {
  return int(std::clamp<qint64>(qint64(length) * percent / 100, 0, QWIDGETSIZE_MAX));
}

}  // namespace

Magnifier::Magnifier(ViewerContext context) : v_(context) {}

void Magnifier::Toggle() {
  ViewerState& st = v_.state;
  PictureArea& a = v_.area;
  // Turning it off always works: after the open command has brought up a GIF the lens
  // must not stay over it.
  if (!st.MagnifierOn && (!a.PictureShown() || st.GifCurrent())) return;
  if (v_.commands.SelectionMode.Checked()) v_.commands.SelectionMode.Run();
  if (st.MagnifierOn) {
    a.imgMagnifier->GetPicture().Clear();
    st.MagnifierOn = false;
    a.scrboxMagnifier->SetVisible(false);
    a.imgMain->SetCursor(TCursor::Default);
    v_.commands.Magnifier.SetChecked(false);
  } else {
    a.scrboxMagnifier->SetVisible(true);
    v_.commands.Magnifier.SetChecked(true);
    ShowLensAt100();
    a.ScrollToOrigin();
    a.imgMain->SetLeft(0);
    a.imgMain->SetTop(0);
    st.MagnifierOn = true;
    a.imgMain->SetStretch(false);
    a.imgMain->SetAutoSize(true);
    a.imgMain->SetCursor(TCursor::Cross);
    a.CenterPicture();
  }
  st.ResetZoom();
  a.SetZoomText(100);
}

void Magnifier::TurnOff() {
  v_.state.MagnifierOn = false;
  // The lens would keep an edited-away picture alive.
  v_.area.imgMagnifier->GetPicture().Clear();
  v_.area.scrboxMagnifier->SetVisible(false);
  v_.area.imgMain->SetCursor(TCursor::Default);
  v_.commands.Magnifier.SetChecked(false);
}

// The lens holds the displayed picture itself (shared, not copied) at its own size.
void Magnifier::ShowLensAt100() {
  TImage* lensImage = v_.area.imgMagnifier;
  Picture& lens = lensImage->GetPicture();
  lens.Clear();
  lensImage->SetStretch(false);
  lensImage->SetAutoSize(true);
  if (const Graphic* shown = v_.area.imgMain->GetPicture().GetGraphic()) lens.Assign(*shown);
}

// The lens shows the displayed picture at p %. Rather than an enlarged copy (a large
// picture at 400 % would take gigabytes), the lens image keeps the picture at its own size
// and is sized to the enlarged size with Stretch on: it paints only the part inside the
// lens, each pixel taken from the picture pixel under its centre, which is exactly what a
// colour-on-colour stretch into a bitmap of that size would hold.
void Magnifier::RebuildLens(int percent) {
  TImage* lensImage = v_.area.imgMagnifier;
  Picture& lens = lensImage->GetPicture();
  lens.Clear();
  lensImage->SetAutoSize(false);
  lensImage->SetStretch(true);
  if (const Graphic* shown = v_.area.imgMain->GetPicture().GetGraphic()) lens.Assign(*shown);
  lensImage->SetBounds(lensImage->Left(), lensImage->Top(), LensLength(v_.state.PicWidth, percent),
                       LensLength(v_.state.PicHeight, percent));
}

void Magnifier::FollowPointer(int x, int y) {
  const int p = v_.state.ZoomPercent();
  TScrollBox* lens = v_.area.scrboxMagnifier;
  lens->SetLeft(x + v_.area.imgMain->Left() - 125);
  lens->SetTop(y + v_.area.imgMain->Top() - 125);
  lens->SetHorzPosition(LensScrollPosition(x, p));
  lens->SetVertPosition(LensScrollPosition(y, p));
}
