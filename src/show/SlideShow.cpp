#include "SlideShow.h"

#include <QMetaObject>
#include <algorithm>
#include <limits>

#include "controls/Dialogs.h"
#include "controls/TListView.h"
#include "controls/TSpinEdit.h"
#include "controls/TTimer.h"
#include "core/UserCommands.h"
#include "core/ViewerState.h"

SlideShow::SlideShow(ViewerContext context, TSpinEdit* interval, TTimer* timer,
                     const TListView* names)
    : v_(context), interval_(interval), timer_(timer), names_(names) {
  // The timer follows the field from the start: what the field shows is the interval.
  timer_->SetInterval(IntervalMs(interval_->Value()));
}

bool SlideShow::Running() const {
  return v_.commands.SlideShow.Checked();
}

int SlideShow::IntervalMs(int seconds) {
  // A typed value is taken as typed; what no timer can count stays out of reach.
  constexpr int kLongest = std::numeric_limits<int>::max() / 1000;
  return std::clamp(seconds, 0, kLongest) * 1000;
}

void SlideShow::Toggle() {
  const bool start = !Running();
  if (start) {
    interval_->SetEnabled(true);
    timer_->SetEnabled(true);
  } else {
    timer_->SetEnabled(false);
    interval_->SetEnabled(false);
    due_ = false;
  }
  v_.commands.SlideShow.SetChecked(start);
}

void SlideShow::IntervalChanged() {
  timer_->SetInterval(IntervalMs(interval_->Value()));
}

void SlideShow::Tick() {
  if (stepping_ || Dialogs::OpenCount() > 0) {
    Defer();
    return;
  }
  Step();
}

void SlideShow::Step() {
  {
    struct Stepping {
      bool& flag;
      explicit Stepping(bool& f) : flag(f) { flag = true; }
      ~Stepping() { flag = false; }
    } stepping(stepping_);
    // After the last entry, or when entries were deleted behind the current one, the
    // show starts again from the first.
    if (v_.state.CurIndex >= names_->Count()) v_.state.CurIndex = 0;
    v_.commands.NextPicture.Run();
  }
  // A tick that fell due meanwhile (behind the step's error message, say).
  if (due_) ScheduleRetry();
}

void SlideShow::Defer() {
  due_ = true;
  // Inside a step the end of the step takes it up.
  if (!stepping_) ScheduleRetry();
}

void SlideShow::ScheduleRetry() {
  if (retryPending_) return;
  retryPending_ = true;
  std::weak_ptr<bool> alive = alive_;
  const auto retry = [this, alive] {
    if (alive.expired()) return;
    retryPending_ = false;
    RunDeferred();
  };
  // From the event loop, after the dialog's caller and the step are done.
  if (Dialogs::OpenCount() > 0)
    Dialogs::AfterDialogs(timer_, retry);
  else
    QMetaObject::invokeMethod(timer_, retry, Qt::QueuedConnection);
}

void SlideShow::RunDeferred() {
  if (!due_) return;
  if (!Running()) {
    due_ = false;
    return;
  }
  if (stepping_) return;  // the step's end schedules it again
  if (Dialogs::OpenCount() > 0) {
    ScheduleRetry();
    return;
  }
  due_ = false;
  Step();
}
