#pragma once
// A D-Bus session bus of the test's own: a dbus-daemon started from a configuration that
// activates no services, so that nothing reaches the user's desktop and no real portal
// starts on it.
#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class PrivateBus {
 public:
  PrivateBus();
  ~PrivateBus();
  bool Running() const { return !address_.isEmpty(); }
  QString Address() const { return address_; }
  // A new connection to the bus under a name of its own, closed with the bus.
  QDBusConnection Connect(const QString& name);

 private:
  QTemporaryDir dir_;
  QProcess daemon_;
  QString address_;
  QStringList names_;
};
