#pragma once
// Stands in for a file manager on a private bus: records the properties requests.
#include <QDBusAbstractAdaptor>
#include <QStringList>

class FakeFileManager : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")
 public:
  explicit FakeFileManager(QObject* parent) : QDBusAbstractAdaptor(parent) {}
  QStringList uris;
  QString startupId;
  int calls = 0;
 public slots:
  void ShowItemProperties(const QStringList& u, const QString& id) {
    uris = u;
    startupId = id;
    ++calls;
  }
};
