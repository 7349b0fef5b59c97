// Region selection: drawing the rectangle on the picture, moving it, its right-click menu
// and the selection mode toggle.
#include "SelectionTool.h"

#include <algorithm>
#include <cstdlib>

#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"

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

}  // namespace

SelectionTool::SelectionTool(ViewerContext context) : v_(context) {}

// Cut, copy, paste, save and the selection command itself.
void SelectionTool::EnableSelectionCommands() {
  UserCommands& c = v_.commands;
  for (Command* command : {&c.Cut, &c.Copy, &c.Paste, &c.SaveSelection, &c.SelectionMode})
    command->SetEnabled(true);
}

// ---- Selection mode ------------------------------------------------------------------------

void SelectionTool::Toggle() {
  UserCommands& c = v_.commands;
  if (v_.state.GifCurrent()) return;
  if (!c.SelectionMode.Checked()) {
    // Selection works in picture pixels: the picture is shown at its own size.
    c.RealSize.Run();
    c.SelectionMode.SetChecked(true);
  } else {
    c.SelectionMode.SetChecked(false);
    v_.area.shpRect->SetVisible(false);
    for (Command* command : {&c.Cut, &c.Copy, &c.Paste, &c.SaveSelection})
      command->SetEnabled(false);
  }
}

// ---- Drawing (driven by the picture's mouse handlers) --------------------------------------

void SelectionTool::StartDrawing(int x, int y) {
  Drawing = true;
  TImage* image = v_.area.imgMain;
  v_.area.shpRect->SetBounds(x + image->Left(), y + image->Top(), 1, 1);
  v_.area.shpRect->SetVisible(true);
}

void SelectionTool::ResizeDrawing(int downX, int downY, int x, int y) {
  TShape* shape = v_.area.shpRect;
  shape->SetBounds(shape->Left(), shape->Top(), std::abs(x - downX), std::abs(y - downY));
}

void SelectionTool::FinishDrawing() {
  Drawing = false;
  EnableSelectionCommands();
}

// ---- Moving the rectangle -------------------------------------------------------------------

void SelectionTool::ShapeMouseDown(Qt::MouseButton button, int x, int y) {
  v_.state.MenuOpen = false;
  if (button == Qt::LeftButton) {
    Moving = true;
    ShapeDownX = x;
    ShapeDownY = y;
  } else {
    v_.host.PopupSelectionMenu(x, y);
  }
}

void SelectionTool::ShapeMouseMove(int x, int y) {
  if (!Moving) return;
  MoveAxis{v_.area.shpRect, v_.area.imgMain, true}.Follow(x, ShapeDownX);
  MoveAxis{v_.area.shpRect, v_.area.imgMain, false}.Follow(y, ShapeDownY);
}

void SelectionTool::ShapeMouseUp(Qt::MouseButton, int, int) {
  Moving = false;
  EnableSelectionCommands();
}

// ---- The selected region ----------------------------------------------------------------------

// Selection mode shows the picture at 100 %, so control pixels are picture pixels.
TRect SelectionTool::SelectionRect() const {
  const TShape* shape = v_.area.shpRect;
  const TImage* image = v_.area.imgMain;
  return Bounds(shape->Left() - image->Left(), shape->Top() - image->Top(), shape->Width(),
                shape->Height());
}

// The rectangle can reach past the picture's right or bottom edge (its size follows the
// pointer), and a move can overshoot an edge by a step. While no rectangle is shown (mode
// just turned on) nothing is selected, whatever place the hidden shape last had.
TRect SelectionTool::ClippedSelectionRect() const {
  if (!v_.area.shpRect->Visible()) return TRect{};
  const TRect r = SelectionRect();
  const Picture& picture = v_.area.imgMain->GetPicture();
  const TRect clipped =
      Rect(std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, picture.Width()),
           std::min(r.Bottom, picture.Height()));
  if (clipped.Width() <= 0 || clipped.Height() <= 0) return TRect{};
  return clipped;
}
