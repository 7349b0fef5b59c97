#include "PictureMouse.h"

#include "Magnifier.h"
#include "SelectionTool.h"
#include "core/PictureArea.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"
#include "core/WindowHost.h"

PictureMouse::PictureMouse(ViewerContext context, Magnifier& magnifier, SelectionTool& selection)
    : v_(context), magnifier_(magnifier), selection_(selection) {}

void PictureMouse::MouseDown(Qt::MouseButton button, int x, int y) {
  v_.state.MenuOpen = false;
  const bool miniMode = v_.commands.MiniMode.Checked();
  if (!v_.commands.SelectionMode.Checked()) {
    if (button == Qt::RightButton) {
      if (!v_.state.PopupSuppressed) v_.host.PopupPictureMenu(x, y);
      if (miniMode) v_.host.LeaveMiniMode();
    } else {
      DragScrolling = true;
      // The small window is dragged by its picture.
      if (miniMode) v_.host.StartWindowDrag();
    }
  } else if (button == Qt::RightButton) {
    DragScrolling = true;
  } else {
    selection_.StartDrawing(x, y);
  }
  DownX = x;
  DownY = y;
}

void PictureMouse::MouseMove(int x, int y) {
  v_.area.StatusBar->SetText(PictureArea::kMousePosition, QStringLiteral("(%1,%2)").arg(x).arg(y));
  if (v_.state.MagnifierOn) magnifier_.FollowPointer(x, y);
  if (DragScrolling) {
    // The view moves with the pointer; the scroll box clamps at its ends.
    TScrollBox* view = v_.area.scrboxBack;
    view->SetHorzPosition(view->HorzPosition() + DownX - x);
    view->SetVertPosition(view->VertPosition() + DownY - y);
  }
  if (selection_.Drawing) selection_.ResizeDrawing(DownX, DownY, x, y);
  // Mini mode without a window manager that moves windows: follow the mouse ourselves.
  v_.host.FollowWindowDrag();
}

void PictureMouse::MouseUp(Qt::MouseButton button, int, int) {
  v_.host.EndWindowDrag();
  if (!v_.commands.SelectionMode.Checked() || button == Qt::RightButton)
    DragScrolling = false;
  else
    selection_.FinishDrawing();
}

void PictureMouse::Click() {
  v_.host.CloseMenus(true);
}

void PictureMouse::BackgroundMouseDown(Qt::MouseButton button, int, int) {
  // A press beside the picture ends menu-bar switching; the open menus stay open.
  v_.state.MenuOpen = false;
  leaveMiniOnRelease_ = false;
  if (!v_.commands.MiniMode.Checked()) return;
  if (button == Qt::RightButton)
    leaveMiniOnRelease_ = true;
  else
    v_.host.StartWindowDrag();
}

void PictureMouse::BackgroundMouseMove(int, int) {
  v_.host.FollowWindowDrag();
}

void PictureMouse::BackgroundMouseUp(Qt::MouseButton button, int, int) {
  v_.host.EndWindowDrag();
  if (button != Qt::RightButton || !leaveMiniOnRelease_) return;
  leaveMiniOnRelease_ = false;
  if (v_.commands.MiniMode.Checked()) v_.host.LeaveMiniMode();
}
