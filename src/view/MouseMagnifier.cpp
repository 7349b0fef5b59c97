// Mouse tracking over the picture, drag-scrolling, the picture's right-click menu and the
// magnifier lens.
#include <algorithm>
#include <limits>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/PopupMainForm.h"
#include "app/menuToolForm.h"

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

// ---- Mouse on the picture ---------------------------------------------------------------

void TMainForm::imgMainMouseDown(Qt::MouseButton button, int x, int y) {
  MenuOpen = false;
  if (!SelectionModeOn()) {
    if (button == Qt::RightButton) {
      if (!menuToolForm->PopupSuppressed) {
        const QPoint place = PictureMenuPlace(x, y);
        PopupMainForm->PopupAt(place.x(), place.y());
      }
      if (MiniModeOn()) LeaveMiniMode();
    } else {
      DragScrolling = true;
      // The small window is dragged by its picture.
      if (MiniModeOn()) StartWindowDrag();
    }
  } else if (button == Qt::RightButton) {
    DragScrolling = true;
  } else {
    StartSelectionDrawing(x, y);
  }
  DownX = x;
  DownY = y;
}

void TMainForm::imgMainMouseMove(int x, int y) {
  StatusBar->SetText(6, QStringLiteral("(%1,%2)").arg(x).arg(y));
  if (MagnifierOn) {
    const int p = ZoomPercents[size_t(ZoomIndex)];
    scrboxMagnifier->SetLeft(x + imgMain->Left() - 125);
    scrboxMagnifier->SetTop(y + imgMain->Top() - 125);
    scrboxMagnifier->SetHorzPosition(LensScrollPosition(x, p));
    scrboxMagnifier->SetVertPosition(LensScrollPosition(y, p));
  }
  if (DragScrolling) {
    // The view moves with the pointer; the scroll box clamps at its ends.
    scrboxBack->SetHorzPosition(scrboxBack->HorzPosition() + DownX - x);
    scrboxBack->SetVertPosition(scrboxBack->VertPosition() + DownY - y);
  }
  if (SelectionDrawing) ResizeSelectionDrawing(x, y);
  // Mini mode without a window manager that moves windows: follow the mouse ourselves.
  DragWindowMove();
}

void TMainForm::imgMainMouseUp(Qt::MouseButton button, int, int) {
  windowDrag_ = false;
  if (!SelectionModeOn() || button == Qt::RightButton)
    DragScrolling = false;
  else
    FinishSelectionDrawing();
}

void TMainForm::imgMainClick() {
  CloseMenus(true);
}

// ---- Magnifier -----------------------------------------------------------------------------

void TMainForm::sbtnZoomClick() {
  // Turning it off always works: after the open command has brought up a GIF the lens
  // must not stay over it.
  if (!MagnifierOn && (!PictureShown() || GifCurrent())) return;
  if (SelectionModeOn()) sbtnSelectClick();
  if (MagnifierOn) {
    imgMagnifier->GetPicture().Clear();
    MagnifierOn = false;
    scrboxMagnifier->SetVisible(false);
    imgMain->SetCursor(TCursor::Default);
    sbtnZoom->SetFlat(true);
  } else {
    scrboxMagnifier->SetVisible(true);
    sbtnZoom->SetFlat(false);
    ShowLensAt100();
    scrboxBack->SetHorzPosition(0);
    scrboxBack->SetVertPosition(0);
    imgMain->SetLeft(0);
    imgMain->SetTop(0);
    MagnifierOn = true;
    imgMain->SetStretch(false);
    imgMain->SetAutoSize(true);
    imgMain->SetCursor(TCursor::Cross);
    CenterPicture();
  }
  ZoomIndex = 12;
  SetZoomText(100);
}

// The lens holds the displayed picture itself (shared, not copied) at its own size.
void TMainForm::ShowLensAt100() {
  Picture& lens = imgMagnifier->GetPicture();
  lens.Clear();
  imgMagnifier->SetStretch(false);
  imgMagnifier->SetAutoSize(true);
  if (const Graphic* shown = imgMain->GetPicture().GetGraphic()) lens.Assign(*shown);
}

// The lens shows the displayed picture at p %. Rather than an enlarged copy (a large
// picture at 400 % would take gigabytes), the lens image keeps the picture at its own size
// and is sized to the enlarged size with Stretch on: it paints only the part inside the
// lens, each pixel taken from the picture pixel under its centre, which is exactly what a
// colour-on-colour stretch into a bitmap of that size would hold.
void TMainForm::RebuildLens(int percent) {
  Picture& lens = imgMagnifier->GetPicture();
  lens.Clear();
  imgMagnifier->SetAutoSize(false);
  imgMagnifier->SetStretch(true);
  if (const Graphic* shown = imgMain->GetPicture().GetGraphic()) lens.Assign(*shown);
  imgMagnifier->SetBounds(imgMagnifier->Left(), imgMagnifier->Top(), LensLength(PicWidth, percent),
                          LensLength(PicHeight, percent));
}
