#pragma once
// One thing the user can ask the program to do. Menu items, tool buttons and keys that
// stand for the same command bind to one Command: they run it, and they are drawn from
// its state (enabled, checked, the caption of the current state). A command that stands
// for a mode is checked while the mode is on; that is where the mode is kept, not in the
// look of a control.
#include <QObject>
#include <QString>
#include <functional>

class Command : public QObject {
  Q_OBJECT

 public:
  // caption: the text while unchecked; checkedCaption: while checked (empty: the same).
  explicit Command(QString caption = QString(), QString checkedCaption = QString());

  // Runs the action, whatever the enabled state: a control that is disabled does not
  // run its command, but the program may (a selection's own menu runs the Edit commands
  // whose Edit menu items are disabled). Commands that do not apply return silently.
  void Run();
  void SetAction(std::function<void()> action) { action_ = std::move(action); }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool on);
  bool Checked() const { return checked_; }
  void SetChecked(bool on);

  QString Caption() const { return Caption(checked_); }
  QString Caption(bool checked) const;

 signals:
  // Enabled or checked changed.
  void Changed();

 private:
  std::function<void()> action_;
  QString caption_, checkedCaption_;
  bool enabled_ = true;
  bool checked_ = false;
};
