// Region selection: drawing the rectangle on the picture, moving it, its right-click menu
// and the selection mode toggle.
#include <algorithm>
#include <cstdlib>

#include "app/Forms.h"
#include "app/MainForm.h"
#include "app/menuEditForm.h"
#include "app/popupShapeForm.h"

namespace {

// One direction of a rectangle move, so that each edge rule is written once for both axes.
struct MoveAxis {
  TShape* shape;
  TImage* image;
  bool horizontal;

  int Pos() const { return horizontal ? shape->Left() : shape->Top(); }
  int Length() const { return horizontal ? shape->Width() : shape->Height(); }
  void SetPos(int v) const { horizontal ? shape->SetLeft(v) : shape->SetTop(v); }
  int ImagePos() const { return horizontal ? image->Left() : image->Top(); }
  int ImageLength() const { return horizontal ? image->Width() : image->Height(); }

  // The grabbed point follows the pointer; moving further out at an edge puts the
  // rectangle back on that edge.
  void Follow(int pointer, int grabbed) const {
    if (Pos() <= ImagePos() && pointer < grabbed)
      SetPos(ImagePos());
    else if (Pos() + Length() >= ImagePos() + ImageLength() && pointer > grabbed)
      SetPos(ImagePos() + ImageLength() - Length());
    else
      SetPos(Pos() + pointer - grabbed);
  }
};

// Cut, copy, paste, save and the selection item itself.
void EnableSelectionItems() {
  menuEditForm->SetSelectionItemsEnabled(true);
  menuEditForm->Label4->SetEnabled(true);
}

}  // namespace

// ---- Selection mode ------------------------------------------------------------------------

void TMainForm::sbtnSelectClick() {
  if (GifCurrent()) return;
  if (!SelectionModeOn()) {
    // Selection works in picture pixels: the picture is shown at its own size.
    sbtnRealClick();
    sbtnSelect->SetFlat(false);
    menuEditForm->Label4->SetCaption(QStringLiteral("取消选择(&T)   "));
  } else {
    sbtnSelect->SetFlat(true);
    shpRect->SetVisible(false);
    menuEditForm->Label4->SetCaption(QStringLiteral("区域选择(&T)   "));
    menuEditForm->SetSelectionItemsEnabled(false);
  }
}

// ---- Drawing (driven by the picture's mouse handlers) --------------------------------------

void TMainForm::StartSelectionDrawing(int x, int y) {
  SelectionDrawing = true;
  shpRect->SetBounds(x + imgMain->Left(), y + imgMain->Top(), 1, 1);
  shpRect->SetVisible(true);
}

// The top-left corner stays at the press point whichever way the pointer goes.
void TMainForm::ResizeSelectionDrawing(int x, int y) {
  shpRect->SetBounds(shpRect->Left(), shpRect->Top(), std::abs(x - DownX), std::abs(y - DownY));
}

void TMainForm::FinishSelectionDrawing() {
  SelectionDrawing = false;
  EnableSelectionItems();
}

// ---- Moving the rectangle -------------------------------------------------------------------

void TMainForm::shpRectMouseDown(Qt::MouseButton button, int x, int y) {
  MenuOpen = false;
  if (button == Qt::LeftButton) {
    SelectionMoving = true;
    ShapeDownX = x;
    ShapeDownY = y;
  } else {
    const QPoint place = SelectionMenuPlace(x, y);
    popupShapeForm->PopupAt(place.x(), place.y());
  }
}

void TMainForm::shpRectMouseMove(int x, int y) {
  if (!SelectionMoving) return;
  MoveAxis{shpRect, imgMain, true}.Follow(x, ShapeDownX);
  MoveAxis{shpRect, imgMain, false}.Follow(y, ShapeDownY);
}

void TMainForm::shpRectMouseUp(Qt::MouseButton, int, int) {
  SelectionMoving = false;
  EnableSelectionItems();
}

// ---- The selected region ----------------------------------------------------------------------

// Selection mode shows the picture at 100 %, so control pixels are picture pixels.
TRect TMainForm::SelectionRect() const {
  return Bounds(shpRect->Left() - imgMain->Left(), shpRect->Top() - imgMain->Top(),
                shpRect->Width(), shpRect->Height());
}

// The rectangle can reach past the picture's right or bottom edge (its size follows the
// pointer), and a move can overshoot an edge by a step. While no rectangle is shown (mode
// just turned on) nothing is selected, whatever place the hidden shape last had.
TRect TMainForm::ClippedSelectionRect() const {
  if (!shpRect->Visible()) return TRect{};
  const TRect r = SelectionRect();
  const Picture& picture = imgMain->GetPicture();
  const TRect clipped =
      Rect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, picture.Width()),
           std::min(r.Bottom, picture.Height()));
  if (clipped.Width() <= 0 || clipped.Height() <= 0) return TRect{};
  return clipped;
}
