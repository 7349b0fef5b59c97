#include "TTimer.h"

#include <algorithm>

#include "InputHold.h"

TTimer::TTimer(QObject* parent, int interval) : QObject(parent) {
  timer_.setInterval(std::max(0, interval));
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { Fire(); });
}

void TTimer::SetEnabled(bool on) {
  enabled_ = on;
  if (!on) heldTick_ = false;
  if (on && timer_.interval() > 0)
    timer_.start();
  else
    timer_.stop();
}

void TTimer::SetInterval(int ms) {
  ms = std::max(0, ms);
  if (ms == timer_.interval()) return;
  timer_.setInterval(ms);
  if (enabled_) SetEnabled(true);  // restarts the count
}

void TTimer::Fire() {
  if (InputHold::Active()) {
    if (heldTick_) return;
    heldTick_ = true;
    InputHold::AfterHold(this, [this] {
      if (!heldTick_) return;
      heldTick_ = false;
      if (enabled_) Fire();
    });
    return;
  }
  TApplication::RunHandler(OnTimer);
}
