#pragma once
// A stand-in for the desktop portal's wallpaper interface: records each request and
// answers with the response the test chose.
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>
#include <optional>

#include "PortalAnswer.h"

class FakeWallpaperPortal : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Wallpaper")
 public:
  FakeWallpaperPortal(QObject* parent, QDBusConnection connection)
      : QDBusAbstractAdaptor(parent), connection_(connection) {}

  std::optional<uint> response = 0;
  QStringList parents, uris;
  QList<QVariantMap> options;

 public slots:
  QDBusObjectPath SetWallpaperURI(const QString& parent, const QString& uri, const QVariantMap& o,
                                  const QDBusMessage& message) {
    parents << parent;
    uris << uri;
    options << o;
    const QDBusObjectPath request = PortalAnswer::RequestPath(message, o);
    PortalAnswer::Respond(connection_, request, response);
    return request;
  }

 private:
  QDBusConnection connection_;
};
