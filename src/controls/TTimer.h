#pragma once
// A window-thread timer: while Enabled it fires OnTimer every Interval milliseconds.
#include <QObject>
#include <QTimer>

#include "TControl.h"

class TTimer : public QObject {
 public:
  explicit TTimer(QObject* parent = nullptr, int interval = 1000);

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  int Interval() const { return timer_.interval(); }
  void SetInterval(int ms);

  TNotifyEvent OnTimer;

 private:
  QTimer timer_;
  bool enabled_ = false;
};
