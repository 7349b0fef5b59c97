#pragma once
// Zoom steps and the display modes (real size and the three fits). They only size and
// place the picture in the picture area; the picture's own pixels are never touched.
// The display mode is the one checked display-mode command.
#include "core/ViewerContext.h"

class Command;
class Magnifier;

class ZoomControl {
 public:
  ZoomControl(ViewerContext context, Magnifier& magnifier);

  void ZoomIn();
  void ZoomOut();
  void RealSize();
  void FitWidth();
  void FitHeight();
  void FitPicture();
  // Runs again the command of each display mode that is on, in the order real size, fit
  // width, fit height, fit picture; after every load and every change of the view's size.
  void ReapplyFitMode();
  // Makes mode the one display mode that is on, without running it.
  void CheckDisplayMode(Command& mode);

 private:
  bool Applies() const;
  bool SelectionModeOn() const;

  ViewerContext v_;
  Magnifier& magnifier_;
};
