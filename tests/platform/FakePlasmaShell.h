#pragma once
// A stand-in for Plasma's shell scripting interface: records the scripts it is given.
#include <QDBusAbstractAdaptor>
#include <QStringList>

class FakePlasmaShell : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.PlasmaShell")
 public:
  explicit FakePlasmaShell(QObject* parent) : QDBusAbstractAdaptor(parent) {}
  QStringList scripts;

 public slots:
  QString evaluateScript(const QString& script) {
    scripts << script;
    return QString();
  }
};
