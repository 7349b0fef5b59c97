#include "Command.h"

Command::Command(QString caption, QString checkedCaption)
    : caption_(std::move(caption)), checkedCaption_(std::move(checkedCaption)) {}

void Command::Run() {
  if (action_) action_();
}

void Command::SetEnabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  emit Changed();
}

void Command::SetChecked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  emit Changed();
}

QString Command::Caption(bool checked) const {
  return checked && !checkedCaption_.isEmpty() ? checkedCaption_ : caption_;
}
