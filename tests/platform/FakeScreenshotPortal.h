#pragma once
// A stand-in for the desktop portal's screenshot interface: answers with the file the
// test chose, as the real portal answers with the file it wrote.
#include <QDBusAbstractAdaptor>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>
#include <optional>

#include "PortalAnswer.h"

class FakeScreenshotPortal : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Screenshot")
 public:
  FakeScreenshotPortal(QObject* parent, QDBusConnection connection)
      : QDBusAbstractAdaptor(parent), connection_(connection) {}

  std::optional<uint> response = 0;
  QString uri;  // what a successful answer carries
  QList<QVariantMap> options;

 public slots:
  QDBusObjectPath Screenshot(const QString&, const QVariantMap& o, const QDBusMessage& message) {
    options << o;
    const QDBusObjectPath request = PortalAnswer::RequestPath(message, o);
    PortalAnswer::Respond(
        connection_, request, response,
        response == 0u ? QVariantMap{{QStringLiteral("uri"), uri}} : QVariantMap());
    return request;
  }

 private:
  QDBusConnection connection_;
};
