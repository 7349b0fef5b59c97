#pragma once
// The timed slide show: the SlideShow command is checked while it runs, and every tick of
// the timer shows the next entry of the list.
#include "core/ViewerContext.h"

class TSpinEdit;
class TTimer;

class SlideShow {
 public:
  SlideShow(ViewerContext context, TSpinEdit* interval, TTimer* timer);

  // Starts or stops the show.
  void Toggle();
  void Tick();

 private:
  ViewerContext v_;
  TSpinEdit* interval_;
  TTimer* timer_;
};
