#pragma once
// The desktop's file manager, reached over D-Bus (org.freedesktop.FileManager1).
#include <QDBusConnection>
#include <QString>

namespace FileManager {

// Asks the file manager to open its properties dialog for path. The call is sent
// without waiting for an answer: nothing blocks, and when no file manager is there the
// error reply is dropped.
void ShowItemProperties(const QString& path);
void ShowItemProperties(const QString& path, QDBusConnection bus);

}  // namespace FileManager
