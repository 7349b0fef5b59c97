#pragma once
// Region selection: the mode (the SelectionMode command), drawing the rectangle on the
// picture, moving it, its right-click menu, and the region it covers in picture pixels.
#include <qnamespace.h>

#include "core/ViewerContext.h"
#include "picture/TRect.h"

class SelectionTool {
 public:
  explicit SelectionTool(ViewerContext context);

  // Selection mode on (showing the picture at its own size) or off.
  void Toggle();

  // Drawing, driven by the picture's mouse handlers in selection mode. The top-left
  // corner stays at the press point whichever way the pointer goes.
  void StartDrawing(int x, int y);
  void ResizeDrawing(int downX, int downY, int x, int y);
  void FinishDrawing();

  // The rectangle's own mouse handlers: a left drag moves it, a right press opens its menu.
  void ShapeMouseDown(Qt::MouseButton button, int x, int y);
  void ShapeMouseMove(int x, int y);
  void ShapeMouseUp(Qt::MouseButton button, int x, int y);

  // The selected region in picture pixels.
  TRect SelectionRect() const;
  // The same, clipped to the picture; empty while no rectangle is shown.
  TRect ClippedSelectionRect() const;

  bool Drawing = false, Moving = false;
  int ShapeDownX = 0, ShapeDownY = 0;  // where the rectangle was grabbed

 private:
  void EnableSelectionCommands();

  ViewerContext v_;
};
