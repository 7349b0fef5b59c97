#pragma once
// The mouse over the picture: the pointer position in the status bar, scrolling by
// dragging the picture, the picture's right-click menu, the lens following the pointer,
// drawing a selection in selection mode, and moving the small window in mini mode.
#include <qnamespace.h>

#include "core/ViewerContext.h"

class Magnifier;
class SelectionTool;

class PictureMouse {
 public:
  PictureMouse(ViewerContext context, Magnifier& magnifier, SelectionTool& selection);

  void MouseDown(Qt::MouseButton button, int x, int y);
  void MouseMove(int x, int y);
  void MouseUp(Qt::MouseButton button, int x, int y);
  void Click();
  // A press on the picture area beside the picture, the moves and the release after it.
  // In mini mode a left or middle press moves the window; a right press leaves mini mode
  // when it is released.
  void BackgroundMouseDown(Qt::MouseButton button, int x, int y);
  void BackgroundMouseMove(int x, int y);
  void BackgroundMouseUp(Qt::MouseButton button, int x, int y);

  bool DragScrolling = false;
  int DownX = 0, DownY = 0;  // where the last press on the picture was

 private:
  ViewerContext v_;
  Magnifier& magnifier_;
  SelectionTool& selection_;
  bool leaveMiniOnRelease_ = false;
};
