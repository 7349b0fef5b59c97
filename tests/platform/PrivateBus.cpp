#include "PrivateBus.h"

#include <QFile>
#include <QStandardPaths>

PrivateBus::PrivateBus() {
  const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
  if (program.isEmpty() || !dir_.isValid()) return;
  const QString config = dir_.filePath(QStringLiteral("bus.conf"));
  QFile file(config);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write(
      QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                     "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                     "<busconfig>\n"
                     "  <type>session</type>\n"
                     "  <listen>unix:dir=%1</listen>\n"
                     "  <auth>EXTERNAL</auth>\n"
                     "  <policy context=\"default\">\n"
                     "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                     "    <allow eavesdrop=\"true\"/>\n"
                     "    <allow own=\"*\"/>\n"
                     "  </policy>\n"
                     "</busconfig>\n")
          .arg(dir_.path())
          .toUtf8());
  file.close();
  daemon_.start(program, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                          QStringLiteral("--print-address=1")});
  if (!daemon_.waitForReadyRead(10000)) return;
  address_ = QString::fromUtf8(daemon_.readLine()).trimmed();
}

PrivateBus::~PrivateBus() {
  for (const QString& name : names_) QDBusConnection::disconnectFromBus(name);
  if (daemon_.state() != QProcess::NotRunning) {
    daemon_.terminate();
    daemon_.waitForFinished(5000);
  }
}

QDBusConnection PrivateBus::Connect(const QString& name) {
  names_ << name;
  return QDBusConnection::connectToBus(address_, name);
}
