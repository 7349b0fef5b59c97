#pragma once
// How a stand-in portal answers a request: on the request object that the caller's
// unique name and handle_token name, as the real portals do.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QVariantMap>
#include <optional>

namespace PortalAnswer {

inline QDBusObjectPath RequestPath(const QDBusMessage& call, const QVariantMap& options) {
  QString sender = call.service();
  sender.remove(0, sender.startsWith(QLatin1Char(':')) ? 1 : 0);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  return QDBusObjectPath(
      QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2")
          .arg(sender, options.value(QStringLiteral("handle_token")).toString()));
}

// Sends the Response signal before the method's reply goes out, so that only a caller
// who listened before calling can see it. nullopt: the portal never answers.
inline void Respond(QDBusConnection connection, const QDBusObjectPath& request,
                    std::optional<uint> response, const QVariantMap& results = {}) {
  if (!response) return;
  QDBusMessage signal = QDBusMessage::createSignal(
      request.path(), QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
  signal << *response << results;
  connection.send(signal);
}

}  // namespace PortalAnswer
