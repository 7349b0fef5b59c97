#pragma once
// A window-thread timer: while Enabled it fires OnTimer every Interval milliseconds; an
// interval of 0 fires nothing. A tick that falls due while an InputHold is on runs once
// when the hold ends, as a late tick does.
#include <QObject>
#include <QTimer>

#include "TControl.h"

class TTimer : public QObject {
 public:
  explicit TTimer(QObject* parent = nullptr, int interval = 1000);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  int Interval() const { return timer_.interval(); }
  // A new interval restarts the count; setting the one it has changes nothing.
  void SetInterval(int ms);

  // Ticks are coming: enabled with an interval above 0.
  bool Active() const { return timer_.isActive(); }

  TNotifyEvent OnTimer;

  // What happens when the interval has run out (tests drive ticks through it).
  void Fire();

 private:
  QTimer timer_;
  bool enabled_ = false;
  bool heldTick_ = false;
};
