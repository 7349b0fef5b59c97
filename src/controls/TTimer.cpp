#include "TTimer.h"

TTimer::TTimer(QObject* parent, int interval) : QObject(parent) {
  timer_.setInterval(interval);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] {
    if (OnTimer) OnTimer();
  });
}

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  if (on && timer_.interval() > 0)
    timer_.start();
  else
    timer_.stop();
}

void TTimer::SetInterval(int ms) {
  timer_.setInterval(ms);
  if (enabled_) SetEnabled(true);  // restarts the count, as a changed interval does
}
