// Region selection.
// The toggle and the mouse handlers are not built yet: placeholders that do nothing.
#include <algorithm>

#include "app/MainForm.h"

void TMainForm::sbtnSelectClick() {}
void TMainForm::shpRectMouseDown(Qt::MouseButton, int, int) {}
void TMainForm::shpRectMouseMove(int, int) {}
void TMainForm::shpRectMouseUp(Qt::MouseButton, int, int) {}

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
