#pragma once
// The timed slide show. The SlideShow command is checked while it runs, and then the
// interval field and the timer are enabled too. Every tick shows the next entry of the
// name list through the next-picture command, from the first entry again after the last.
// The interval is the field's value in seconds, from start-up on.
//
// Steps never overlap: a tick that falls due while a step runs, or while a message box or
// dialog of the program is open, runs once afterwards, from the event loop.
#include <memory>

#include "core/ViewerContext.h"

class TListView;
class TSpinEdit;
class TTimer;

class SlideShow {
 public:
  SlideShow(ViewerContext context, TSpinEdit* interval, TTimer* timer, const TListView* names);

  // Starts or stops the show; starting shows nothing at once.
  void Toggle();
  void Tick();
  // The field's text changed: the timer follows it.
  void IntervalChanged();

  bool Running() const;
  // The interval the field's value gives, in milliseconds (0: no steps).
  static int IntervalMs(int seconds);

 private:
  void Step();
  // A tick that could not run: once more when no step runs and no dialog is open.
  void Defer();
  void ScheduleRetry();
  void RunDeferred();

  ViewerContext v_;
  TSpinEdit* interval_;
  TTimer* timer_;
  const TListView* names_;
  bool stepping_ = false;
  bool due_ = false;           // a tick is waiting
  bool retryPending_ = false;  // and something will run it
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
