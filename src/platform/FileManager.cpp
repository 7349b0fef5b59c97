#include "FileManager.h"

#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QStringList>
#include <QUrl>

namespace FileManager {

void ShowItemProperties(const QString& path) {
  ShowItemProperties(path, QDBusConnection::sessionBus());
}

void ShowItemProperties(const QString& path, QDBusConnection bus) {
  if (!bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.FileManager1"),
      QStringLiteral("/org/freedesktop/FileManager1"),
      QStringLiteral("org.freedesktop.FileManager1"), QStringLiteral("ShowItemProperties"));
  call << QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)} << QString();
  bus.asyncCall(call);
}

}  // namespace FileManager
